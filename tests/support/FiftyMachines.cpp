#include "support/FiftyMachines.h"

#include <cstddef>
#include <string>
#include <utility>

namespace millcalc::bench {

MachineTable fiftyMachinesOfTheirOwn()
{
    MachineTable park;
    for (int i = 0; i < 50; ++i) {
        MachineRecord m = builtInMachines()[static_cast<std::size_t>(i % 5)];
        m.Id = "cell-" + std::to_string(i + 1);
        m.MachineName += " №" + std::to_string(i + 1);
        m.MaxFeed += i;
        park.push_back(std::move(m));
    }
    return park;
}

} // namespace millcalc::bench
