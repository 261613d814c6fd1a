#include "ui/addons/NomogramChartView.h"

#include "ui/addons/NomogramLook.h"

#include <QChart>
#include <QFont>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMargins>
#include <QPainter>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

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

// Sets the axis to the values of the series on it, rounded out to whole ticks,
// at most `intervals` of them.
void scaleToData(QValueAxis* axis, std::initializer_list<const QXYSeries*> series, bool horizontal,
    int intervals)
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
    const qreal step = tickStep(high - low, intervals);
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

// The font made larger by the factor, whether sized in points or pixels.
QFont enlarged(QFont font, qreal factor)
{
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() * factor))));
    else
        font.setPointSizeF(font.pointSizeF() * factor);
    return font;
}

// The title bold and a quarter larger than the chart's text.
void setTitleFont(QChart* chart, const QFont& text)
{
    QFont title = enlarged(text, 1.25);
    title.setBold(true);
    chart->setTitleFont(title);
}

QString titleWithUnit(const AxisLook& look)
{
    return QString::fromUtf8(look.title) + QStringLiteral(", ") + QString::fromUtf8(look.unit);
}

// The chart on paper is laid out in units of an eighth of a millimetre: the
// lines, marks and margins of the window's chart then keep about their
// proportions in a box of some 70 mm, the lines half a millimetre wide.
constexpr qreal kPaperUnitsPerMm = 8;

} // namespace

NomogramPlot::NomogramPlot(QChart* chart)
    : chart_(chart)
{
    chart_->setTitle(QString::fromUtf8(kTitle));
    setTitleFont(chart_, chart_->titleFont());
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
}

void NomogramPlot::draw(const NomogramChart::Points& points)
{
    for (std::size_t i = 0; i < series_.size(); ++i)
        series_[i]->replace(points[i]);
    scaleToData(
        speedAxis_, { series_[0], series_[1], series_[2], series_[3] }, true, tickIntervals_);
    scaleToData(powerAxis_, { series_[0], series_[2] }, false, tickIntervals_);
    scaleToData(torqueAxis_, { series_[1], series_[3] }, false, tickIntervals_);
}

void NomogramPlot::lookOnPaper(const QFont& text)
{
    // Fewer ticks on a plot of some 50 mm: their labels stay apart.
    tickIntervals_ = 5;
    setTitleFont(chart_, text);
    chart_->legend()->setFont(text);
    for (const auto& [target, look] : { std::pair { speedAxis_, kSpeedAxis },
             std::pair { torqueAxis_, kTorqueAxis }, std::pair { powerAxis_, kPowerAxis } }) {
        target->setTitleText(titleWithUnit(look));
        target->setTitleFont(text);
        target->setLabelsFont(text);
    }
    // The page is the background; the box of the sheet holds the chart whole.
    chart_->setBackgroundVisible(false);
    chart_->setDropShadowEnabled(false);
    chart_->setMargins(QMargins());
    chart_->layout()->setContentsMargins(0, 0, 0, 0);
}

NomogramChartView::NomogramChartView(QWidget* parent)
    : QChartView(new QChart, parent)
    , plot_(QChartView::chart())
{
    setRenderHint(QPainter::Antialiasing);
}

void paintNomogramOnPaper(QPainter& painter, const QRectF& rect, double pxPerMm, const QFont& text,
    const NomogramChart::Points& points)
{
    if (!(pxPerMm > 0) || rect.isEmpty())
        return;
    QGraphicsScene scene;
    auto* chart = new QChart;
    scene.addItem(chart);
    NomogramPlot plot(chart);
    // The text's size on paper in the chart's units.
    QFont font = text;
    font.setPixelSize(std::max(
        1, static_cast<int>(std::lround(text.pointSizeF() * 25.4 / 72 * kPaperUnitsPerMm))));
    plot.lookOnPaper(font);
    const QRectF area(QPointF(0, 0), rect.size() / pxPerMm * kPaperUnitsPerMm);
    chart->setGeometry(area);
    plot.draw(points);
    // Laid out now: the scene is drawn at once, with no event loop between.
    chart->layout()->activate();
    // The legend in as many lines as the width of paper needs, between the
    // title and the plot: detached, it breaks its line where the next entry
    // would not fit, and the plot moves down by the lines it added.
    QLegend* legend = chart->legend();
    const auto entriesBottom
        = [legend] { return legend->mapRectToScene(legend->childrenBoundingRect()).bottom(); };
    const QRectF line = legend->geometry();
    const qreal oneLine = entriesBottom();
    const QRectF plotArea = chart->plotArea();
    legend->detachFromChart();
    legend->setGeometry(QRectF(line.topLeft(), QSizeF(line.width(), area.bottom() - line.top())));
    const qreal added = std::max<qreal>(0, entriesBottom() - oneLine);
    legend->setGeometry(line.adjusted(0, 0, 0, added));
    // The plot keeps its place from now on, the legend no longer in the layout.
    chart->setPlotArea(plotArea.adjusted(0, added, 0, 0));
    chart->layout()->activate();
    scene.setSceneRect(area);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, rect, area, Qt::IgnoreAspectRatio);
    painter.restore();
}

void NomogramChartView::showCurvesOnly()
{
    for (int index = 2; index < 4; ++index)
        for (QLegendMarker* marker : plot_.chart()->legend()->markers(plot_.series(index)))
            marker->setVisible(false);
}

} // namespace millcalc
