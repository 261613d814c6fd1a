#include "ui/sheet/SheetNomogram.h"

#include "shell/CalculationSheet.h"
#include "ui/addons/NomogramLook.h"
#include "ui/sheet/SheetLayout.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace millcalc {

namespace {

using namespace nomogram;

QString axisTitle(const AxisLook& axis)
{
    return QString::fromUtf8(axis.title) + QStringLiteral(", ") + QString::fromUtf8(axis.unit);
}

struct Axis {
    double high = 1;
    double step = 1;
};

Axis axisFor(double highest, int intervals)
{
    if (!(highest > 0) || !std::isfinite(highest))
        highest = 1;
    Axis axis;
    axis.step = tickStep(highest, intervals);
    axis.high = std::ceil(highest / axis.step - 1e-9) * axis.step;
    return axis;
}

QString tickText(double value)
{
    return QString::number(value, 'g', 6);
}

void square(QPainter& painter, QPointF centre, double side, const QColor& fill,
    const QColor& border, double borderWidth)
{
    painter.setPen(QPen(border, borderWidth));
    painter.setBrush(fill);
    painter.drawRect(QRectF(centre.x() - side / 2, centre.y() - side / 2, side, side));
    painter.setBrush(Qt::NoBrush);
}

// The machine's curves with the operating point, within the box.
} // namespace

void paintNomogram(SheetLayout& layout, const QRectF& box, const CalculationSheet& sheet)
{
    QPainter& painter = layout.painter();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    double y = box.top();
    y += layout.drawText(
        QString::fromUtf8(kTitle), 9, true, box.left(), y, box.width(), kBlue, Qt::AlignHCenter);

    // The legend, two entries a line.
    const double entryWidth = box.width() / 2;
    const double legendLine = layout.lineHeight(kSheetSmallPt);
    for (int i = 0; i < 4; ++i) {
        const double x = box.left() + (i % 2) * entryWidth;
        const double ly = y + (i / 2) * legendLine;
        const QPointF mark(x + layout.mm(3), ly + legendLine / 2);
        const SeriesLook& look = kSeries[i];
        if (look.curve) {
            painter.setPen(QPen(look.colour, layout.mm(0.5)));
            painter.drawLine(mark - QPointF(layout.mm(2.5), 0), mark + QPointF(layout.mm(2.5), 0));
            square(painter, mark, layout.mm(1), look.colour, look.colour, 0);
        } else {
            square(painter, mark, layout.mm(1.8), look.colour, look.border, layout.mm(0.45));
        }
        layout.drawText(QString::fromUtf8(look.title), kSheetSmallPt, false, x + layout.mm(7), ly,
            entryWidth - layout.mm(7));
    }
    y += 2 * legendLine + layout.mm(1.5);

    const OperatingPoint& point = sheet.operatingPoint;
    double maxSpeed = point.spindleSpeedRpm;
    double maxPower = point.powerKw;
    double maxTorque = point.torqueNm;
    for (const ChartPoint& p : sheet.powerCurve) {
        maxSpeed = std::max(maxSpeed, p.x);
        maxPower = std::max(maxPower, p.y);
    }
    for (const ChartPoint& p : sheet.torqueCurve) {
        maxSpeed = std::max(maxSpeed, p.x);
        maxTorque = std::max(maxTorque, p.y);
    }
    // Room above the highest value, so that the flat part of a curve does
    // not run along the frame.
    const Axis speedAxis = axisFor(maxSpeed, 6);
    const Axis powerAxis = axisFor(maxPower * 1.05, 5);
    const Axis torqueAxis = axisFor(maxTorque * 1.05, 5);

    const double labelHeight = layout.lineHeight(kSheetSmallPt);
    const double side = layout.mm(12);
    const QRectF plot(box.left() + side, y + labelHeight / 2, box.width() - 2 * side,
        box.bottom() - y - labelHeight / 2 - 2 * labelHeight - layout.mm(1));
    const auto at = [&](double speed, double value, const Axis& vertical) {
        return QPointF(plot.left() + plot.width() * std::clamp(speed / speedAxis.high, 0.0, 1.0),
            plot.bottom() - plot.height() * std::clamp(value / vertical.high, 0.0, 1.0));
    };

    // Grid and labels of the torque axis on the left, power labels on the right.
    const QFont small = layout.font(kSheetSmallPt);
    painter.setFont(small);
    const int torqueTicks = static_cast<int>(std::lround(torqueAxis.high / torqueAxis.step));
    for (int i = 0; i <= torqueTicks; ++i) {
        const double ty = plot.bottom() - plot.height() * i / torqueTicks;
        painter.setPen(QPen(kSheetHeading, layout.mm(0.15)));
        painter.drawLine(QPointF(plot.left(), ty), QPointF(plot.right(), ty));
        painter.setPen(kGreen.darker(130));
        painter.drawText(QRectF(box.left(), ty - labelHeight / 2, side - layout.mm(1), labelHeight),
            Qt::AlignRight | Qt::AlignVCenter, tickText(torqueAxis.step * i));
    }
    const int powerTicks = static_cast<int>(std::lround(powerAxis.high / powerAxis.step));
    for (int i = 0; i <= powerTicks; ++i) {
        const double ty = plot.bottom() - plot.height() * i / powerTicks;
        painter.setPen(QPen(Qt::black, layout.mm(0.15)));
        painter.drawLine(QPointF(plot.right(), ty), QPointF(plot.right() + layout.mm(1), ty));
        painter.setPen(kRed.darker(130));
        painter.drawText(
            QRectF(plot.right() + layout.mm(1.5), ty - labelHeight / 2, side, labelHeight),
            Qt::AlignLeft | Qt::AlignVCenter, tickText(powerAxis.step * i));
    }
    const int speedTicks = static_cast<int>(std::lround(speedAxis.high / speedAxis.step));
    painter.setPen(Qt::black);
    for (int i = 0; i <= speedTicks; ++i) {
        const double tx = plot.left() + plot.width() * i / speedTicks;
        painter.drawLine(QPointF(tx, plot.bottom()), QPointF(tx, plot.bottom() + layout.mm(1)));
        const double labelWidth = layout.mm(14);
        painter.drawText(
            QRectF(tx - labelWidth / 2, plot.bottom() + layout.mm(1), labelWidth, labelHeight),
            Qt::AlignHCenter | Qt::AlignTop, tickText(speedAxis.step * i));
    }
    painter.setPen(QPen(Qt::black, layout.mm(0.25)));
    painter.drawRect(plot);
    painter.drawText(
        QRectF(plot.left(), plot.bottom() + layout.mm(1) + labelHeight, plot.width(), labelHeight),
        Qt::AlignHCenter | Qt::AlignTop, axisTitle(kSpeedAxis));
    // The vertical axes' titles, turned along them.
    const auto verticalTitle = [&](const QString& title, double x, const QColor& colour) {
        painter.save();
        painter.translate(x, plot.center().y());
        painter.rotate(-90);
        painter.setPen(colour);
        painter.drawText(QRectF(-plot.height() / 2, -labelHeight / 2, plot.height(), labelHeight),
            Qt::AlignCenter, title);
        painter.restore();
    };
    verticalTitle(axisTitle(kTorqueAxis), box.left() + labelHeight / 2, kGreen.darker(130));
    verticalTitle(axisTitle(kPowerAxis), box.right() - labelHeight / 2, kRed.darker(130));

    const auto curve
        = [&](const std::vector<ChartPoint>& points, const Axis& axis, const QColor& colour) {
              QPainterPath path;
              for (std::size_t i = 0; i < points.size(); ++i) {
                  const QPointF p = at(points[i].x, points[i].y, axis);
                  if (i == 0)
                      path.moveTo(p);
                  else
                      path.lineTo(p);
              }
              painter.setPen(QPen(colour, layout.mm(0.5)));
              painter.drawPath(path);
              for (const ChartPoint& p : points)
                  square(painter, at(p.x, p.y, axis), layout.mm(0.9), colour, colour, 0);
          };
    curve(sheet.powerCurve, powerAxis, kSeries[0].colour);
    curve(sheet.torqueCurve, torqueAxis, kSeries[1].colour);
    square(painter, at(point.spindleSpeedRpm, point.powerKw, powerAxis), layout.mm(2.2),
        kSeries[2].colour, kSeries[2].border, layout.mm(0.6));
    square(painter, at(point.spindleSpeedRpm, point.torqueNm, torqueAxis), layout.mm(2.2),
        kSeries[3].colour, kSeries[3].border, layout.mm(0.6));
    painter.restore();
}

} // namespace millcalc
