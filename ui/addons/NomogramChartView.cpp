#include "ui/addons/NomogramChartView.h"

#include "ui/addons/NomogramLook.h"

#include <QChart>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace millcalc {

namespace {

using namespace nomogram;

constexpr int kLineWidth = 3;
constexpr int kPointBorderWidth = 6;
// Large enough that the fill shows inside the wide border.
constexpr qreal kPointSize = 18;
constexpr qreal kCurveMarkSize = 9;
// The room below the lowest tick, as a share of the axis: more than half an
// operating-point mark on a plot of some 300 pixels.
constexpr qreal kEdgeRoom = 0.05;

// A filled square to mark each point of a curve.
QImage squareMark(const QColor& colour)
{
    QImage mark(16, 16, QImage::Format_ARGB32_Premultiplied);
    mark.fill(colour);
    return mark;
}

QLineSeries* curve(const char* name, const char* title, const QColor& colour)
{
    auto* series = new QLineSeries;
    series->setObjectName(QString::fromUtf8(name));
    series->setName(QString::fromUtf8(title));
    series->setPen(QPen(colour, kLineWidth));
    series->setPointsVisible(true);
    series->setLightMarker(squareMark(colour));
    series->setMarkerSize(kCurveMarkSize);
    series->setPointLabelsVisible(false);
    return series;
}

QScatterSeries* operatingPoint(
    const char* name, const char* title, const QColor& fill, const QColor& border)
{
    auto* series = new QScatterSeries;
    series->setObjectName(QString::fromUtf8(name));
    series->setName(QString::fromUtf8(title));
    series->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    series->setMarkerSize(kPointSize);
    series->setColor(fill);
    series->setBorderColor(border);
    series->setPen(QPen(border, kPointBorderWidth));
    series->setPointLabelsVisible(false);
    return series;
}

QValueAxis* axis(const char* title)
{
    auto* axis = new QValueAxis;
    axis->setTitleText(QString::fromUtf8(title));
    axis->setLabelFormat(QStringLiteral("%g"));
    return axis;
}

// Sets the axis to the values of the series on it, rounded out to whole ticks.
void scaleToData(QValueAxis* axis, std::initializer_list<const QXYSeries*> series, bool horizontal)
{
    bool any = false;
    qreal low = 0;
    qreal high = 0;
    for (const QXYSeries* s : series) {
        for (const QPointF& p : s->points()) {
            const qreal value = horizontal ? p.x() : p.y();
            low = any ? std::min(low, value) : value;
            high = any ? std::max(high, value) : value;
            any = true;
        }
    }
    if (!any) {
        low = 0;
        high = 1;
    } else if (low == high) {
        low -= 1;
        high += 1;
    }
    // Room beyond the extreme values, so that no mark is cut at the edge of
    // the plot (the machine's full power lies on the top of the curve); an
    // axis of values that are not negative keeps its zero.
    // A typed result may be near the largest double: nothing here may
    // overflow, or the axis would get an infinite range.
    const qreal margin = (high - low) * 0.05;
    if (std::isfinite(high + margin))
        high += margin;
    low = low >= 0 ? std::max<qreal>(0, low - margin) : low - margin;
    const qreal step = tickStep(high - low, 10);
    const qreal tickLow = std::floor(low / step) * step;
    const qreal tickHigh = std::ceil(high / step) * step;
    if (std::isfinite(tickLow) && std::isfinite(tickHigh) && tickHigh > tickLow) {
        low = tickLow;
        high = tickHigh;
        axis->setTickCount(static_cast<int>(std::lround((high - low) / step)) + 1);
        // The labelled ticks stay on the round values from the lowest one on;
        // a little room below it keeps a mark at the lowest value (0, before
        // any calculation) whole instead of cut by the edge of the plot.
        axis->setTickType(QValueAxis::TicksDynamic);
        axis->setTickAnchor(tickLow);
        axis->setTickInterval(step);
        const qreal room = (high - low) * kEdgeRoom;
        if (std::isfinite(low - room) && low - room < low)
            low -= room;
    } else {
        // No round ticks beyond the largest numbers: a step of the last
        // picture would make countless ticks over this range.
        axis->setTickType(QValueAxis::TicksFixed);
    }
    axis->setRange(low, high);
}

} // namespace

NomogramChartView::NomogramChartView(QWidget* parent)
    : QChartView(new QChart, parent)
    , chart_(QChartView::chart())
{
    chart_->setTitle(QString::fromUtf8(kTitle));
    QFont titleFont = chart_->titleFont();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    chart_->setTitleFont(titleFont);
    chart_->setTitleBrush(kBlue);
    chart_->legend()->setAlignment(Qt::AlignTop);
    chart_->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);

    speedAxis_ = axis(kSpeedAxis.title);
    torqueAxis_ = axis(kTorqueAxis.title);
    powerAxis_ = axis(kPowerAxis.title);
    chart_->addAxis(speedAxis_, Qt::AlignBottom);
    chart_->addAxis(torqueAxis_, Qt::AlignLeft);
    chart_->addAxis(powerAxis_, Qt::AlignRight);
    // One grid, of the torque ticks: the power ticks fall elsewhere.
    powerAxis_->setGridLineVisible(false);

    for (std::size_t i = 0; i < series_.size(); ++i) {
        const SeriesLook& look = kSeries[i];
        series_[i] = look.curve ? static_cast<QXYSeries*>(curve(look.name, look.title, look.colour))
                                : operatingPoint(look.name, look.title, look.colour, look.border);
        chart_->addSeries(series_[i]);
        series_[i]->attachAxis(speedAxis_);
        // Power on the right, torque on the left.
        series_[i]->attachAxis(look.power ? powerAxis_ : torqueAxis_);
    }

    setRenderHint(QPainter::Antialiasing);
}

void NomogramChartView::draw(const Points& points)
{
    for (std::size_t i = 0; i < series_.size(); ++i)
        series_[i]->replace(points[i]);
    scaleToData(speedAxis_, { series_[0], series_[1], series_[2], series_[3] }, true);
    scaleToData(powerAxis_, { series_[0], series_[2] }, false);
    scaleToData(torqueAxis_, { series_[1], series_[3] }, false);
}

} // namespace millcalc
