// The nomogram window: the selected machine's power and torque curves with the
// operating point, under a toolbar with "Закрыть" and "Очистить". It draws
// what the window logic's nomogram holds, again whenever the drawing of
// "ChartNom" changes. The chart itself comes from the module that links Qt
// Charts (Addons.h); without the module the window says so.
#pragma once

#include "shell/nomogram/Graphic.h"
#include "ui/addons/Addons.h"

#include <QSize>
#include <QWidget>

#include <array>
#include <functional>
#include <vector>

class QChart;
class QValueAxis;
class QXYSeries;

namespace millcalc {

class FormMain;

// "ChartNom", the place of the chart; its binding says when the drawing
// changed (by a call: the binder blocks the signals of the widgets it updates).
class NomogramView : public QWidget {
    Q_OBJECT
public:
    explicit NomogramView(std::function<void()> redraw)
        : redraw_(std::move(redraw))
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

    // The chart's parts; null when the module could not be loaded.
    QChart* chart() const;
    // Series1 ... Series4 in the nomogram's order.
    QXYSeries* series(int index) const;
    QValueAxis* speedAxis() const;
    QValueAxis* torqueAxis() const;
    QValueAxis* powerAxis() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void redraw();

    FormMain& form_;
    NomogramChart* chart_ = nullptr;
};

} // namespace millcalc
