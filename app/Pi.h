// π as the formulas of every method take it.
#pragma once

namespace millcalc {

// The decimal literal of the speed and angle formulas of all three methods.
// The results are printed rounded, and a longer π moves some of them in their
// last place, so the literal is part of what the program prints.
inline constexpr double kPi = 3.1415926;

} // namespace millcalc
