// The lengths of the windows' layouts, drawn for the standard font, in the font
// the program is given: the fields, the pictures and every size of the windows
// grow with it.
#pragma once

#include <QSize>

namespace millcalc {

// A length laid out for the standard font (9 points at 96 dots an inch) in the
// font the program is given: every size of the windows follows the font.
int fromFont(int designPixels);
QSize fromFont(QSize designPixels);

} // namespace millcalc
