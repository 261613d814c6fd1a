// The results that each method colours against a limit of the selected
// machine, with the symbol that names each of them in a heading.
#pragma once

#include "machines/MachineTable.h"

#include <span>

namespace millcalc {

enum class MachineLimit {
    SpindleSpeed, // MaxSpindleSpeed, rev/min
    Feed, // MaxFeed, mm/min
    Power, // MaxPower, kW
    Torque, // MaxTorque, N·m
    SpindleLoad, // the aluminium spindle-load table of the first machines, kN
};

struct LimitCheck {
    const char* field;
    const char* symbol;
    MachineLimit limit;
};

// The checks of method page 0 (Walter), 1 (aluminium) or 2 (titanium); none for
// any other page. Walter's Pn and M tell what the machine delivers at n, not
// what the cut needs, and are no checks of the cut.
std::span<const LimitCheck> limitChecks(int method);

// The limit of a machine that a check compares with, in the result's unit;
// the spindle load is not a field of the machine and gives a negative value.
double machineLimit(const MachineRecord& machine, MachineLimit limit);

} // namespace millcalc
