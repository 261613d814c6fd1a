#include "shell/LimitChecks.h"

namespace millcalc {

namespace {

// Walter's columns carry the shop's short symbols: F the table feed, N the
// cutting power.
constexpr LimitCheck kWalterChecks[] = {
    { "EditStn", "n", MachineLimit::SpindleSpeed },
    { "EditStVf", "F", MachineLimit::Feed },
    { "EditStP", "N", MachineLimit::Power },
};

constexpr LimitCheck kAluminiumChecks[] = {
    { "Editn", "n", MachineLimit::SpindleSpeed },
    { "EditF", "F", MachineLimit::Feed },
    { "EditPz", "Pz", MachineLimit::SpindleLoad },
    { "EditMz", "Mz", MachineLimit::Torque },
    { "EditNp", "Nct", MachineLimit::Power },
};

// The part of low rigidity is checked against the same limits; "мж" tells its
// columns apart.
constexpr LimitCheck kTitaniumChecks[] = {
    { "EditTin", "n", MachineLimit::SpindleSpeed },
    { "EditTiF", "F", MachineLimit::Feed },
    { "EditTiMz", "Mz", MachineLimit::Torque },
    { "EditTiNct", "Nct", MachineLimit::Power },
    { "EditTinsmall", "n мж", MachineLimit::SpindleSpeed },
    { "EditTiFsmall", "F мж", MachineLimit::Feed },
    { "EditTiNctsmall", "Nct мж", MachineLimit::Power },
};

} // namespace

std::span<const LimitCheck> limitChecks(int method)
{
    switch (method) {
    case 0:
        return kWalterChecks;
    case 1:
        return kAluminiumChecks;
    case 2:
        return kTitaniumChecks;
    default:
        return {};
    }
}

double machineLimit(const MachineRecord& machine, MachineLimit limit)
{
    switch (limit) {
    case MachineLimit::SpindleSpeed:
        return machine.MaxSpindleSpeed;
    case MachineLimit::Feed:
        return machine.MaxFeed;
    case MachineLimit::Power:
        return machine.MaxPower;
    case MachineLimit::Torque:
        return machine.MaxTorque;
    case MachineLimit::SpindleLoad:
        break;
    }
    return -1;
}

} // namespace millcalc
