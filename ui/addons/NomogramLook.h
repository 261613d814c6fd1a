// How the nomogram looks: its series in the system's colours under their
// titles, its axes' titles and units, its ticks on round steps. The one chart
// that draws it (ui/addons/NomogramChartView) draws it so in the window and
// on the calculation sheet.
#pragma once

#include <QColor>

#include <cmath>
#include <initializer_list>

namespace millcalc::nomogram {

// The colours as the system names them.
inline const QColor kRed(0xff, 0x00, 0x00);
inline const QColor kGreen(0x00, 0x80, 0x00);
inline const QColor kYellow(0xff, 0xff, 0x00);
inline const QColor kMaroon(0x80, 0x00, 0x00);
inline const QColor kBlue(0x00, 0x00, 0xff);
inline const QColor kLime(0x00, 0xff, 0x00);

inline constexpr const char* kTitle = "Номограмма";

struct SeriesLook {
    const char* name; // the series' control name
    const char* title; // its legend entry
    bool curve; // a curve of the machine, or the operating point
    bool power; // on the power axis, or on the torque axis
    QColor colour;
    QColor border;
};

// Series1 to Series4, in legend order.
inline const SeriesLook kSeries[4] = {
    { "Series1", "Кривая Мощности", true, true, kRed, kRed },
    { "Series2", "Кривая Момента", true, false, kGreen, kGreen },
    { "Series3", "Мощность", false, true, kYellow, kMaroon },
    { "Series4", "Момент", false, false, kBlue, kLime },
};

struct AxisLook {
    const char* title;
    const char* unit;
};

inline constexpr AxisLook kSpeedAxis { "Обороты шпинделя", "об/мин" };
inline constexpr AxisLook kTorqueAxis { "Момент", "Нм" };
inline constexpr AxisLook kPowerAxis { "Мощность", "кВт" };

// The step between labelled ticks: 1, 2, 2.5 or 5 times a power of ten, the
// smallest that divides the span into no more than `intervals` steps.
inline double tickStep(double span, int intervals)
{
    const double rough = span / intervals;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : { 1.0, 2.0, 2.5, 5.0 }) {
        if (factor * power >= rough)
            return factor * power;
    }
    return 10 * power;
}

} // namespace millcalc::nomogram
