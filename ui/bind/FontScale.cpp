#include "ui/bind/FontScale.h"

#include <QApplication>
#include <QFontInfo>

#include <algorithm>

namespace millcalc {

int fromFont(int designPixels)
{
    // The standard font is 12 pixels high: 9 points at 96 dots an inch.
    constexpr qreal kDesignPixels = 12.0;
    const QFontInfo font(QApplication::font());
    const qreal pixels = font.pixelSize() > 0 ? font.pixelSize() : kDesignPixels;
    return qRound(designPixels * std::max<qreal>(1.0, pixels / kDesignPixels));
}

QSize fromFont(QSize designPixels)
{
    return { fromFont(designPixels.width()), fromFont(designPixels.height()) };
}

} // namespace millcalc
