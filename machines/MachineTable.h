// The five machine tools with their limits and their power and torque curves.
#pragma once

#include <array>
#include <string>

namespace millcalc {

class FieldStore;

inline constexpr int kCurvePoints = 20;
inline constexpr int kMachineCount = 5;

struct MachineRecord {
    double MaxSpindleSpeed = 0; // rev/min
    double MaxFeed = 0; // mm/min
    double MaxPower = 0; // kW
    double MaxTorque = 0; // N·m
    double CriticalSpindleSpeed = 0; // rev/min, where the drive reaches full power
    bool HasSpindleLoadTable = false; // the maker states the permissible spindle load by speed
    std::string MachineName;
    std::array<double, kCurvePoints> PowerCurveSpeeds {};
    std::array<double, kCurvePoints> PowerCurveValues {};
    std::array<double, kCurvePoints> TorqueCurveSpeeds {};
    std::array<double, kCurvePoints> TorqueCurveValues {};
};

using MachineTable = std::array<MachineRecord, kMachineCount>;

// Builds the table: the stored limits and the stored parts of the curves,
// completed with the flat part of each (MaxPower from the knee on, MaxTorque up
// to it).
MachineTable fillMachineTable();

// The table, built once.
const MachineTable& machineTable();
// The machine that TabMach selects; row 0 while nothing is selected.
int selectedMachineIndex(const FieldStore& store);
const MachineRecord& selectedMachine(const FieldStore& store);

// "n=... (об/мин)[n(крит)=...(об/мин)] F=... (мм/мин) Nct=... (кВт) Mz=... (Hm)"
std::string machineLimitsText(const MachineRecord& machine);

// "Расчет режимов резания: <name> "
std::string machineCaption(const MachineRecord& machine);

} // namespace millcalc
