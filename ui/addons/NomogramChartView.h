// The nomogram's chart in Qt Charts: the curves with square marks, the
// operating points as large squares, the axes rounded out to whole ticks.
// One chart draws it in the nomogram window and on the calculation sheet.
#pragma once

#include "ui/addons/Addons.h"

#include <QChartView>

class QFont;

namespace millcalc {

// The nomogram's title, legend, axes and series on a chart.
class NomogramPlot {
public:
    explicit NomogramPlot(QChart* chart);

    // Shows the points, the axes scaled to them.
    void draw(const NomogramChart::Points& points);
    // The look of paper: the text in the given font (its pixel size in the
    // chart's units), the axes' titles with their units, fewer ticks, no
    // frame. Before draw().
    void lookOnPaper(const QFont& text);

    QChart* chart() const { return chart_; }
    QXYSeries* series(int index) const { return series_[static_cast<std::size_t>(index)]; }
    QValueAxis* speedAxis() const { return speedAxis_; }
    QValueAxis* torqueAxis() const { return torqueAxis_; }
    QValueAxis* powerAxis() const { return powerAxis_; }

private:
    QChart* chart_;
    std::array<QXYSeries*, 4> series_ {};
    QValueAxis* speedAxis_ = nullptr;
    QValueAxis* torqueAxis_ = nullptr;
    QValueAxis* powerAxis_ = nullptr;
    // The most intervals between labelled ticks on an axis.
    int tickIntervals_ = 10;
};

class NomogramChartView : public QChartView, public NomogramChart {
public:
    explicit NomogramChartView(QWidget* parent);

    QWidget* widget() override { return this; }
    void draw(const Points& points) override { plot_.draw(points); }
    void showCurvesOnly() override;

    QChart* chart() const override { return plot_.chart(); }
    QXYSeries* series(int index) const override { return plot_.series(index); }
    QValueAxis* speedAxis() const override { return plot_.speedAxis(); }
    QValueAxis* torqueAxis() const override { return plot_.torqueAxis(); }
    QValueAxis* powerAxis() const override { return plot_.powerAxis(); }

private:
    NomogramPlot plot_;
};

// The same chart drawn on paper (Addons::paintNomogram).
void paintNomogramOnPaper(QPainter& painter, const QRectF& rect, double pxPerMm, const QFont& text,
    const NomogramChart::Points& points);

} // namespace millcalc
