// LinuxCNC's tool table (tool.tbl) of the library, in millimetres.
#pragma once

#include "cutters/Cutter.h"

#include <string>
#include <vector>

namespace millcalc {

// One line a cutter, "T<n> P<n> D<diameter> Z0 ;<name>": T and P from its
// tool number, the cutters without one numbered on after the highest in the
// library's order; Z is 0, since length offsets are measured on the machine.
std::string linuxCncToolTable(const std::vector<Cutter>& cutters);

} // namespace millcalc
