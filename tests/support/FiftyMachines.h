// The park the benchmarks time the machine comparison over, and its tests run
// it over: fifty machines, ten of each built-in kind, each with a feed of its own, so that none
// shares another's calculation (a shop's identical machines would share one).
#pragma once

#include "machines/MachineTable.h"

namespace millcalc::bench {

MachineTable fiftyMachinesOfTheirOwn();

} // namespace millcalc::bench
