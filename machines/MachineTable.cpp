#include "machines/MachineTable.h"

#include "app/Form.h"
#include "app/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>

namespace millcalc {

namespace {

constexpr std::string_view kOverSpeed = "Превышение числа оборотов";
constexpr std::string_view kUnderSpeed = "Число оборотов ниже наименьшего";

double angularSpeed(double rpm)
{
    return 2 * std::numbers::pi * rpm / 60;
}

// count speeds from `from` towards `to` in equal ratios: from itself first;
// `to` is the next speed after the last (it is left out).
void geometricSpeeds(double from, double to, int count, std::vector<double>& speeds)
{
    const double ratio = std::pow(to / from, 1.0 / count);
    for (int i = 0; i < count; ++i)
        speeds.push_back(from * std::pow(ratio, i));
}

} // namespace

std::vector<CurvePoint> datasheetCurve(const MachineRecord& m)
{
    const double knee = m.CriticalSpindleSpeed;
    const double start = m.MinSpindleSpeed > 0 ? m.MinSpindleSpeed : knee / 20;
    if (!(start > 0 && start < knee && knee < m.MaxSpindleSpeed && m.MaxPower > 0 && m.MaxTorque > 0
            && std::isfinite(m.MaxSpindleSpeed)))
        return {};
    std::vector<double> speeds;
    geometricSpeeds(start, knee, kDatasheetPointsBelowKnee, speeds);
    speeds.push_back(knee);
    // The six above the knee: knee · r, ..., knee · r⁶ = the greatest speed.
    const double ratio = std::pow(m.MaxSpindleSpeed / knee, 1.0 / kDatasheetPointsAboveKnee);
    for (int i = 1; i < kDatasheetPointsAboveKnee; ++i)
        speeds.push_back(knee * std::pow(ratio, i));
    speeds.push_back(m.MaxSpindleSpeed);
    std::vector<CurvePoint> curve;
    for (const double n : speeds) {
        const double omega = angularSpeed(n);
        CurvePoint& p = curve.emplace_back();
        p.speedRpm = n;
        if (n <= knee) {
            p.torqueNm = m.MaxTorque;
            p.powerKw = std::min(m.MaxPower, m.MaxTorque * omega / 1000);
        } else {
            p.powerKw = m.MaxPower;
            p.torqueNm = std::min(m.MaxTorque, m.MaxPower * 1000 / omega);
        }
    }
    return curve;
}

const MachineTable& machinesOf(const Form& form)
{
    const std::shared_ptr<const MachinePark>& park = form.machinePark();
    return park != nullptr && !park->machines.empty() ? park->machines : builtInMachines();
}

int selectedMachineIndex(const Form& form)
{
    const int row = form.store().index("TabMach");
    return row >= 0 && row < static_cast<int>(machinesOf(form).size()) ? row : 0;
}

const MachineRecord& selectedMachine(const Form& form)
{
    return machinesOf(form)[static_cast<std::size_t>(selectedMachineIndex(form))];
}

int machineIndexById(const MachineTable& machines, std::string_view id)
{
    const auto found = std::find_if(
        machines.begin(), machines.end(), [id](const MachineRecord& m) { return m.Id == id; });
    return found != machines.end() ? static_cast<int>(found - machines.begin()) : -1;
}

std::string machineLimitsText(const MachineRecord& m)
{
    const std::string least
        = m.MinSpindleSpeed > 0 ? formatFixed(m.MinSpindleSpeed, 0) + ".." : std::string();
    return "n=" + least + formatFixed(m.MaxSpindleSpeed, 0)
        + " (об/мин)[n(крит)=" + formatFixed(m.CriticalSpindleSpeed, 0)
        + "(об/мин)] F=" + formatFixed(m.MaxFeed, 0) + " (мм/мин) Nct=" + formatFixed(m.MaxPower, 0)
        + " (кВт) Mz=" + formatFixed(m.MaxTorque, 0) + " (Hm)";
}

std::string machineCaption(const MachineRecord& m)
{
    return "Расчет режимов резания: " + m.MachineName + " ";
}

void markSpindleSpeed(Form& form, std::string_view field, double speed,
    const MachineRecord& machine, std::string_view message, Rgb within)
{
    form.markAgainstLimit(field, speed, machine.MaxSpindleSpeed, message, within);
    if (!(machine.MinSpindleSpeed > 0 && speed < machine.MinSpindleSpeed))
        return;
    form.ResultColour(field, colours::Red);
    std::string line(message);
    if (const std::size_t at = line.find(kOverSpeed); at != std::string::npos)
        line.replace(at, kOverSpeed.size(), kUnderSpeed);
    else
        line += " (" + std::string(kUnderSpeed) + ")";
    form.LogMessage(line + " n=" + formatFixed(machine.MinSpindleSpeed, 0) + " (об/мин)");
}

} // namespace millcalc
