// The nomogram's colours, as the system names them: its window and the
// calculation sheet draw the curves and the operating point in these.
#pragma once

#include <QColor>

namespace millcalc::nomogram {

inline const QColor kRed(0xff, 0x00, 0x00);
inline const QColor kGreen(0x00, 0x80, 0x00);
inline const QColor kYellow(0xff, 0xff, 0x00);
inline const QColor kMaroon(0x80, 0x00, 0x00);
inline const QColor kBlue(0x00, 0x00, 0xff);
inline const QColor kLime(0x00, 0xff, 0x00);

} // namespace millcalc::nomogram
