#include "machines/MachineTable.h"

#include "app/FieldStore.h"
#include "app/NumberText.h"

namespace millcalc {

namespace {

// The knee of both curves is the 14th speed: power rises up to it, torque falls
// after it.
constexpr int kKnee = 13;
constexpr int kTorqueFallPoints = kCurvePoints - kKnee - 1;

struct StoredMachine {
    double maxSpindleSpeed;
    double maxFeed;
    double maxPower;
    double maxTorque;
    double criticalSpindleSpeed;
    bool hasSpindleLoadTable;
    const char* name;
    std::array<double, kCurvePoints> speeds;
    std::array<double, kKnee> risingPower;
    std::array<double, kTorqueFallPoints> fallingTorque;
};

constexpr StoredMachine kMachines[kMachineCount] = {
    { 18000, 60000, 40, 57, 6700, true, "V-STAR (FOREST-LINE)",
        { 400, 500, 630, 800, 1000, 1250, 1600, 2000, 2500, 3150, 4000, 5000, 6300, 6700, 8000,
            10000, 12500, 16000, 20000, 25000 },
        { 3, 3.3, 4, 5, 6, 7, 10, 12, 15, 19, 23, 30, 38 }, { 53.2, 42, 33.6, 26.6, 21, 16.8 } },
    { 18000, 12000, 25, 1300, 5500, true, "ВС-5ВС",
        { 400, 500, 630, 800, 1000, 1250, 1600, 2000, 2500, 3150, 4000, 5000, 6300, 6700, 8000,
            10000, 12500, 16000, 17000, 18000 },
        { 3, 3.3, 4, 5, 6, 7, 10, 12, 15, 19, 22, 23, 24 }, { 1000.2, 900, 800, 700, 500, 300 } },
    { 18000, 20000, 25, 87, 2800, false, "DMF-500L",
        { 20, 25, 35, 63, 87, 125, 245, 315, 630, 850, 1100, 1600, 2000, 2800, 4000, 6300, 8000,
            10000, 15000, 18000 },
        { 0.6, 0.8, 1, 1.6, 2, 2.5, 4, 5, 8, 10, 12.5, 16, 20 }, { 63, 40, 31.5, 25, 15.9, 13.3 } },
    { 12000, 10000, 19, 82, 2200, false, "DMU-125PA",
        { 20, 25, 50, 63, 100, 160, 200, 315, 630, 800, 1000, 1600, 2000, 2200, 4000, 5000, 6300,
            8000, 10000, 12000 },
        { 0.4, 0.6, 1, 1.25, 1.8, 2.5, 3.15, 4.25, 7, 9, 10, 15, 18 },
        { 50, 38, 31.5, 25, 20, 15 } },
    { 12000, 50000, 20, 30, 2800, false, "Variaxis 630-5X",
        { 20, 25, 50, 63, 100, 160, 200, 315, 630, 800, 1000, 1600, 2000, 2800, 4000, 5000, 6300,
            8000, 10000, 12000 },
        { 0.4, 0.6, 1, 1.25, 1.8, 2.5, 3.15, 4.25, 7, 9, 10, 15, 18 },
        { 28, 26, 21.5, 15, 10, 5 } },
};

} // namespace

MachineTable fillMachineTable()
{
    MachineTable table;
    for (int row = 0; row < kMachineCount; ++row) {
        const StoredMachine& stored = kMachines[row];
        MachineRecord& m = table[static_cast<std::size_t>(row)];
        m.MaxSpindleSpeed = stored.maxSpindleSpeed;
        m.MaxFeed = stored.maxFeed;
        m.MaxPower = stored.maxPower;
        m.MaxTorque = stored.maxTorque;
        m.CriticalSpindleSpeed = stored.criticalSpindleSpeed;
        m.HasSpindleLoadTable = stored.hasSpindleLoadTable;
        m.MachineName = stored.name;
        m.PowerCurveSpeeds = stored.speeds;
        m.TorqueCurveSpeeds = stored.speeds;
        for (int i = 0; i < kCurvePoints; ++i) {
            const auto at = static_cast<std::size_t>(i);
            m.PowerCurveValues[at] = i < kKnee ? stored.risingPower[at] : m.MaxPower;
            m.TorqueCurveValues[at] = i <= kKnee
                ? m.MaxTorque
                : stored.fallingTorque[static_cast<std::size_t>(i - kKnee - 1)];
        }
    }
    return table;
}

const MachineTable& machineTable()
{
    static const MachineTable table = fillMachineTable();
    return table;
}

int selectedMachineIndex(const FieldStore& store)
{
    const int row = store.index("TabMach");
    return row >= 0 && row < kMachineCount ? row : 0;
}

const MachineRecord& selectedMachine(const FieldStore& store)
{
    return machineTable()[static_cast<std::size_t>(selectedMachineIndex(store))];
}

std::string machineLimitsText(const MachineRecord& m)
{
    return "n=" + formatFixed(m.MaxSpindleSpeed, 0)
        + " (об/мин)[n(крит)=" + formatFixed(m.CriticalSpindleSpeed, 0)
        + "(об/мин)] F=" + formatFixed(m.MaxFeed, 0) + " (мм/мин) Nct=" + formatFixed(m.MaxPower, 0)
        + " (кВт) Mz=" + formatFixed(m.MaxTorque, 0) + " (Hm)";
}

std::string machineCaption(const MachineRecord& m)
{
    return "Расчет режимов резания: " + m.MachineName + " ";
}

} // namespace millcalc
