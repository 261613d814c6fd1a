// The aluminium method's row: its pages and their controls, its captions,
// coefficients and checks (the spindle load and the part's temperature its
// own), its card line, nomogram point, fit, deflection and panels.
#pragma once

#include "aluminium/AlStepSupport.h"
#include "app/Method.h"

namespace millcalc {

const Method& aluminiumMethod();

} // namespace millcalc
