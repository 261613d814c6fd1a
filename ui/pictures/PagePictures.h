// The pictures a method's page adds by name: the size each is laid out at
// before it is drawn (and where the picture is missing), and whether it gives
// way to the fields on a small screen. A method's row names its pictures; the
// page builder looks them up here.
#pragma once

#include <QSize>

#include <string_view>

namespace millcalc {

struct PagePicture {
    const char* name;
    QSize size;
    // Shrinks, and at last hides, where the page is short of room.
    bool givesWay = false;
};

// The picture of that name; throws std::logic_error for a name not known.
const PagePicture& pagePicture(std::string_view name);

} // namespace millcalc
