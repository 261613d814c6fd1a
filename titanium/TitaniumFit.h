// How a titanium cut is fitted to the machine: the depth split into passes,
// then a narrower width, then a longer tool life (a lower speed).
#pragma once

#include "app/FitPlan.h"

namespace millcalc {

const FitPlan& titaniumFitPlan();

} // namespace millcalc
