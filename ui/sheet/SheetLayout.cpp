#include "ui/sheet/SheetLayout.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace millcalc {

namespace {

constexpr double kMarginMm = 15;
constexpr double kCellPaddingMm = 0.6;
const QColor kRule(0xa0, 0xa0, 0xa0);

} // namespace

SheetLayout::SheetLayout(QPainter& painter, const QRectF& page)
    : painter_(painter)
    , pxPerMm_(page.width() / 210.0)
    , left_(page.left() + mm(kMarginMm))
    , width_(page.width() - 2 * mm(kMarginMm))
    , top_(page.top() + mm(kMarginMm))
    , bottom_(page.bottom() - mm(kMarginMm))
    , y_(top_)
{
}

QFont SheetLayout::font(double points, bool bold) const
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    // Sizes on paper: the device's resolution turns points into pixels.
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(mm(points * 25.4 / 72)))));
    f.setBold(bold);
    return f;
}

double SheetLayout::lineHeight(double points) const
{
    return QFontMetricsF(font(points), painter_.device()).lineSpacing();
}

int SheetLayout::wrapping(const QString& text, const QFont& f, double width) const
{
    const QFontMetricsF metrics(f, painter_.device());
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (metrics.horizontalAdvance(word) > width)
            return Qt::TextWrapAnywhere;
    }
    return Qt::TextWordWrap;
}

double SheetLayout::textHeight(const QString& text, double points, bool bold, double width) const
{
    const QFont f = font(points, bold);
    const QFontMetricsF metrics(f, painter_.device());
    return metrics.boundingRect(QRectF(0, 0, width, 1e9), wrapping(text, f, width), text).height();
}

double SheetLayout::drawText(const QString& text, double points, bool bold, double x, double y,
    double width, const QColor& colour, Qt::Alignment align)
{
    const QFont f = font(points, bold);
    painter_.setFont(f);
    painter_.setPen(colour);
    const double height = textHeight(text, points, bold, width);
    painter_.drawText(QRectF(x, y, width, height), align | wrapping(text, f, width), text);
    return height;
}

void SheetLayout::paragraph(const QString& text, double points, bool bold)
{
    y_ += drawText(text, points, bold, left_, y_, width_);
}

void SheetLayout::section(const QString& title)
{
    skip(2.5);
    paragraph(title, 9.5, true);
    skip(0.8);
}

double SheetLayout::table(double x, double y, double width, const std::vector<double>& shares,
    const std::vector<std::vector<Cell>>& rows, bool header, bool draw)
{
    const double pad = mm(kCellPaddingMm);
    double top = y;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const bool heading = header && r == 0;
        double height = 0;
        for (std::size_t c = 0; c < rows[r].size() && c < shares.size(); ++c) {
            const double cellWidth = width * shares[c] - 2 * pad;
            height = std::max(height,
                textHeight(rows[r][c].text, kSheetBodyPt, rows[r][c].bold || heading, cellWidth));
        }
        height += 2 * pad;
        if (draw) {
            if (heading)
                painter_.fillRect(QRectF(x, top, width, height), kSheetHeading);
            double cx = x;
            for (std::size_t c = 0; c < rows[r].size() && c < shares.size(); ++c) {
                const Cell& cell = rows[r][c];
                drawText(cell.text, kSheetBodyPt, cell.bold || heading, cx + pad, top + pad,
                    width * shares[c] - 2 * pad, cell.colour, cell.align);
                cx += width * shares[c];
            }
            painter_.setPen(QPen(kRule, mm(0.15)));
            painter_.drawLine(QPointF(x, top + height), QPointF(x + width, top + height));
        }
        top += height;
    }
    return top - y;
}

} // namespace millcalc
