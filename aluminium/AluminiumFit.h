// How an aluminium cut is fitted to the machine: a lower accepted speed
// offered "по станку", a lower feed per tooth, the depth split into passes,
// then a narrower width; and the calculation that takes the first two.
#pragma once

#include "app/FitPlan.h"

#include <span>

namespace millcalc {

class Form;

// The mark of the accepted-speed candidate that a fit offers.
inline constexpr const char* kMachineSpeedMark = " по станку";

const FitPlan& aluminiumFitPlan();

// The full aluminium calculation with the fit's feed per tooth (EditSz) in
// place of the formula's and its speed (EditV) offered as a candidate
// "по станку" and picked where it is lower than the accepted one.
int CalcAluminiumFitted(Form& form, std::span<const FitValue> overrides);

} // namespace millcalc
