// The nomogram's chart in Qt Charts: the curves with square marks, the
// operating points as large squares, the axes rounded out to whole ticks.
#pragma once

#include "ui/addons/Addons.h"

#include <QChartView>

namespace millcalc {

class NomogramChartView : public QChartView, public NomogramChart {
public:
    explicit NomogramChartView(QWidget* parent);

    QWidget* widget() override { return this; }
    void draw(const Points& points) override;

    QChart* chart() const override { return chart_; }
    QXYSeries* series(int index) const override { return series_[static_cast<std::size_t>(index)]; }
    QValueAxis* speedAxis() const override { return speedAxis_; }
    QValueAxis* torqueAxis() const override { return torqueAxis_; }
    QValueAxis* powerAxis() const override { return powerAxis_; }

private:
    QChart* chart_;
    std::array<QXYSeries*, 4> series_ {};
    QValueAxis* speedAxis_ = nullptr;
    QValueAxis* torqueAxis_ = nullptr;
    QValueAxis* powerAxis_ = nullptr;
};

} // namespace millcalc
