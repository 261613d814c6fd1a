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
