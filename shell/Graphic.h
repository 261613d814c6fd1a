// The nomogram: the selected machine's power and torque curves with the
// operating point of the method on the active input page.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace millcalc {

class FormMain;

struct ChartPoint {
    double x = 0;
    double y = 0;
};

struct Nomogram {
    // Series1 power curve, Series2 torque curve, Series3 and Series4 the
    // operating point against power and against torque.
    std::array<std::vector<ChartPoint>, 4> series;
    // Counts the fillings, so that a chart can tell when to redraw.
    int revision = 0;
};

// The index of "Series1" ... "Series4", or -1.
int seriesIndex(const std::string& name);

// "Номограмма>>": fills the four series and shows the nomogram window.
void BitBtnGraphicClick(FormMain& form);
// "Очистить": empties the two operating-point series.
void ToolButton2Click(FormMain& form);

} // namespace millcalc
