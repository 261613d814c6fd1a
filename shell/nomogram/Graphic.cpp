#include "shell/nomogram/Graphic.h"

#include "app/Form.h"
#include "app/NumberText.h"
#include "app/Toolkit.h"
#include "machines/MachineTable.h"
#include "shell/table/Methods.h"

#include <exception>
#include <utility>

namespace millcalc {

int seriesIndex(const std::string& name)
{
    for (int i = 0; i < 4; ++i) {
        if (name == "Series" + std::to_string(i + 1))
            return i;
    }
    return -1;
}

namespace {

double positiveOrZero(const FieldStore& store, const char* name)
{
    if (name == nullptr)
        return 0.0;
    const double value = store.real(name);
    return value > 0 ? value : 0.0;
}

} // namespace

OperatingPoint operatingPoint(const FieldStore& store, const Method& method)
{
    const OperatingFields& fields = method.point;
    return { positiveOrZero(store, fields.speed), positiveOrZero(store, fields.power),
        positiveOrZero(store, fields.torque) };
}

std::array<std::vector<ChartPoint>, 4> nomogramSeries(
    std::vector<ChartPoint> power, std::vector<ChartPoint> torque, const OperatingPoint& point)
{
    return { std::move(power), std::move(torque), { { point.spindleSpeedRpm, point.powerKw } },
        { { point.spindleSpeedRpm, point.torqueNm } } };
}

void BitBtnGraphicClick(Form& form, Nomogram& chart)
{
    // The filling runs under one guard: whatever fails, the window still shows.
    try {
        for (auto& series : chart.series)
            series.clear();
        for (const CurvePoint& p : selectedMachine(form).Curve) {
            chart.series[0].push_back({ p.speedRpm, p.powerKw });
            chart.series[1].push_back({ p.speedRpm, p.torqueNm });
        }
        // The blank page's point is at 0.
        const Method* method = methodAt(form.store().index("PageControlParam"));
        const OperatingPoint point
            = method != nullptr ? operatingPoint(form.store(), *method) : OperatingPoint {};
        chart.series
            = nomogramSeries(std::move(chart.series[0]), std::move(chart.series[1]), point);
    } catch (const std::exception&) {
    }
    ++chart.revision;
    // The chart shows drawing number `revision` of the nomogram.
    form.store().setPicture("ChartNom", chart.revision);
    form.store().setVisible("FormGraphic", true);
    form.toolkit().raise("FormGraphic");
}

void ToolButton2Click(Form& form, Nomogram& chart)
{
    chart.series[2].clear();
    chart.series[3].clear();
    ++chart.revision;
    form.store().setPicture("ChartNom", chart.revision);
}

} // namespace millcalc
