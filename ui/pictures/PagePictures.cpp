#include "ui/pictures/PagePictures.h"

#include <iterator>
#include <stdexcept>
#include <string>

namespace millcalc {

namespace {

const PagePicture kPictures[] = {
    // Walter's contact scheme beside the lines above it.
    { "Imagevs", QSize(200, 100), true },
    // The titanium page's choices of direction and surface.
    { "ImageDirection", QSize(70, 40) },
    { "ImageSurface", QSize(40, 40) },
    // The result pages: Walter's small pictures beside the speed and the feed,
    // and the formulas, which give way to the results on a small screen.
    { "Image9", QSize(24, 24) },
    { "Image10", QSize(24, 24) },
    { "Image5", QSize(230, 50), true },
    { "Image6", QSize(150, 40), true },
    { "Image8", QSize(230, 50), true },
    { "Imagehm", QSize(200, 100), true },
    { "ImageAlV", QSize(150, 40), true },
    { "ImageAln", QSize(150, 40), true },
    { "ImageAlF", QSize(150, 40), true },
    { "Image18", QSize(150, 40), true },
    { "Image19", QSize(150, 40), true },
    { "Image20", QSize(230, 50), true },
    { "ImageTiVbase", QSize(230, 50), true },
    { "Image21", QSize(150, 40), true },
    { "Image22", QSize(150, 40), true },
    { "Image23", QSize(150, 40), true },
    { "Image24", QSize(150, 40), true },
    { "Image25", QSize(180, 30), true },
    { "Image26", QSize(180, 30), true },
    { "Image27", QSize(150, 40), true },
    { "ImageTiVsmall", QSize(130, 50), true },
    // The deflection's formula of each method.
    { "ImageStDefl", QSize(200, 44), true },
    { "ImageAlDefl", QSize(200, 44), true },
    { "ImageTiDefl", QSize(200, 44), true },
};

} // namespace

const PagePicture& pagePicture(std::string_view name)
{
    for (const PagePicture& picture : kPictures) {
        if (name == picture.name)
            return picture;
    }
    throw std::logic_error("no page picture " + std::string(name));
}

} // namespace millcalc
