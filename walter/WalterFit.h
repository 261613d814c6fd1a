// How a Walter cut is fitted to the machine: the wanted cutting speed for the
// spindle speed, then the feed per tooth down to the least chip, then the
// depth ae split into passes; each result kept under 98 % of its limit.
#pragma once

#include "app/FitPlan.h"

namespace millcalc {

// The share of a limit that a fitted result stays below, and the least mean
// chip thickness, mm, below which the edge rubs instead of cutting.
inline constexpr double kFitMargin = 0.98;
inline constexpr double kLeastChipThickness = 0.02;

const FitPlan& walterFitPlan();

// The power the machine delivers at n, and never more than its drive's (a
// torque curve may promise more below the critical speed): what the fit holds
// the cutting power to. 0 for every other limit.
double walterFitLimit(const Form& form, LimitKind kind);

} // namespace millcalc
