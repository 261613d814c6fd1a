// The Walter milling method's row: its pages and their controls, its captions
// and checks, its card line, nomogram point, fit, deflection and panels.
#pragma once

#include "app/Method.h"
#include "walter/SpeedSteps.h"

namespace millcalc {

const Method& walterMethod();

} // namespace millcalc
