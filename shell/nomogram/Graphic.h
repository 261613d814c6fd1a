// The nomogram: the selected machine's power and torque curves with the
// operating point of the method on the active input page.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace millcalc {

class FieldStore;
class Form;
struct Method;

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

// The operating point of a method: its spindle speed with the power and the
// torque computed for it, each 0 where its field holds no number above 0.
struct OperatingPoint {
    double spindleSpeedRpm = 0;
    double powerKw = 0;
    double torqueNm = 0;
};

// The operating point of the method; all 0 for a method without one.
OperatingPoint operatingPoint(const FieldStore& store, const Method& method);

// The four series of a nomogram: the power and the torque curve, and the
// operating point against each.
std::array<std::vector<ChartPoint>, 4> nomogramSeries(
    std::vector<ChartPoint> power, std::vector<ChartPoint> torque, const OperatingPoint& point);

// The index of "Series1" ... "Series4", or -1.
int seriesIndex(const std::string& name);

// "Номограмма>>": fills the four series and shows the nomogram window.
void BitBtnGraphicClick(Form& form, Nomogram& chart);
// "Очистить": empties the two operating-point series.
void ToolButton2Click(Form& form, Nomogram& chart);

} // namespace millcalc
