// The machine tools of the shop's park: their limits, their power and torque
// curves and, for some, the permissible spindle load by speed band; the
// machine that TabMach selects, and its texts.
#pragma once

#include "app/FieldStore.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace millcalc {

class Form;

// One point of a machine's curve: the power and the torque at a spindle speed.
struct CurvePoint {
    double speedRpm = 0;
    double powerKw = 0;
    double torqueNm = 0;
    bool operator==(const CurvePoint&) const = default;
};

// One band of the spindle-load table: up to topSpeedRpm (from the band before
// it) the permissible load is factor · η kN.
struct SpindleLoadBand {
    double topSpeedRpm = 0;
    double factor = 0;
    bool operator==(const SpindleLoadBand&) const = default;
};

struct MachineRecord {
    std::string Id; // [a-z0-9._-]{1,64}, unique in the park
    std::string MachineName;
    double MaxSpindleSpeed = 0; // rev/min
    double MinSpindleSpeed = 0; // rev/min; 0 when the machine states none
    double MaxFeed = 0; // mm/min
    double MaxPower = 0; // kW
    double MaxTorque = 0; // N·m
    double CriticalSpindleSpeed = 0; // rev/min, where the drive reaches full power
    // At least two points, strictly ascending in speed.
    std::vector<CurvePoint> Curve;
    // The file leaves the curve out: it is built from the figures above, and
    // written back without it.
    bool CurveFromDatasheet = false;
    // Ascending in speed; empty when the maker states no permissible load.
    std::vector<SpindleLoadBand> SpindleLoad;

    bool HasSpindleLoadTable() const { return !SpindleLoad.empty(); }
    bool operator==(const MachineRecord&) const = default;
};

// The park in the order TabMach lists it.
using MachineTable = std::vector<MachineRecord>;

// What a window computes with: its own park, shared by the copies it computes
// on and replaced whole when the park is edited.
struct MachinePark {
    MachineTable machines;
};

// The curve of a machine whose file leaves it out, from its figures: 13
// speeds geometrically from MinSpindleSpeed (or a twentieth of the knee when
// that is 0) up to, not including, the knee; the knee; and 6 speeds
// geometrically above it, the last at MaxSpindleSpeed. Up to the knee the
// torque is MaxTorque and the power the lesser of MaxPower and torque · ω;
// above it the power is MaxPower and the torque the lesser of MaxTorque and
// power / ω. Empty unless 0 < start < knee < MaxSpindleSpeed.
std::vector<CurvePoint> datasheetCurve(const MachineRecord& machine);
inline constexpr int kDatasheetPointsBelowKnee = 13;
inline constexpr int kDatasheetPointsAboveKnee = 6;

// The five machines built into the program, as their park file states them.
const MachineTable& builtInMachines();

// The park of the form (the built-in machines until one is given).
const MachineTable& machinesOf(const Form& form);
// The machine that TabMach selects; row 0 while nothing is selected.
int selectedMachineIndex(const Form& form);
const MachineRecord& selectedMachine(const Form& form);
// The row of the machine with this id; -1 when the park has none.
int machineIndexById(const MachineTable& machines, std::string_view id);

// "n=... (об/мин)[n(крит)=...(об/мин)] F=... (мм/мин) Nct=... (кВт) Mz=... (Hm)";
// a machine with a least speed shows it before the greatest: "n=20..12000 (об/мин)".
std::string machineLimitsText(const MachineRecord& machine);

// "Расчет режимов резания: <name> "
std::string machineCaption(const MachineRecord& machine);

// Colours a spindle speed against the machine: red with the log line at or
// above MaxSpindleSpeed (as Form::markAgainstLimit does), and red too below a
// stated MinSpindleSpeed, with the log line "<message> ниже наименьшего".
void markSpindleSpeed(Form& form, std::string_view field, double speed,
    const MachineRecord& machine, std::string_view message, Rgb within = colours::Green);

} // namespace millcalc
