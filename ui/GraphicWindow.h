// The nomogram window: the selected machine's power and torque curves with the
// operating point, under a toolbar with "Закрыть" and "Очистить". It draws
// what the window logic's nomogram holds, again whenever the drawing of
// "ChartNom" changes.
#pragma once

#include <QChartView>
#include <QSize>
#include <QWidget>

#include <array>
#include <functional>

class QChart;
class QValueAxis;
class QXYSeries;

namespace millcalc {

class FormMain;

// The chart of the nomogram; its binding says when the drawing changed (by a
// call: the binder blocks the signals of the widgets it updates).
class NomogramView : public QChartView {
    Q_OBJECT
public:
    NomogramView(QChart* chart, std::function<void()> redraw)
        : QChartView(chart)
        , redraw_(std::move(redraw))
    {
    }

    void drawingChanged() { redraw_(); }

private:
    std::function<void()> redraw_;
};

class GraphicWindow : public QWidget {
    Q_OBJECT
public:
    GraphicWindow(FormMain& form, QWidget* owner);

    // Its own place where that is free, and the least size it shrinks to
    // beside the other windows.
    static constexpr int kLeft = 234;
    static constexpr int kTop = 141;
    static constexpr QSize kLeast { 600, 450 };

    QChart* chart() const { return chart_; }
    // Series1 ... Series4 in the nomogram's order.
    QXYSeries* series(int index) const { return series_[static_cast<std::size_t>(index)]; }
    QValueAxis* speedAxis() const { return speedAxis_; }
    QValueAxis* torqueAxis() const { return torqueAxis_; }
    QValueAxis* powerAxis() const { return powerAxis_; }

private:
    void createChart();
    void redraw();

    FormMain& form_;
    QChart* chart_ = nullptr;
    NomogramView* view_ = nullptr;
    std::array<QXYSeries*, 4> series_ {};
    QValueAxis* speedAxis_ = nullptr;
    QValueAxis* torqueAxis_ = nullptr;
    QValueAxis* powerAxis_ = nullptr;
};

} // namespace millcalc
