// The reading and correction of the cutter diameter, width and depth of cut with
// which the aluminium steps begin.
#pragma once

#include <optional>

namespace millcalc {

class Form;

struct AlGeometry {
    double D; // cutter diameter, mm
    double B; // width of cut, mm
    double t; // depth of cut, mm
};

// Replaces a D, B or t not greater than 0 (D by 30, B by D/2, t by D/4), logs
// each correction, shows a box for D always and for B and t when `box` is on,
// reports a width above the diameter, and writes B/D and t/D. Yields nothing,
// after its report, only when B/D or t/D is not a finite number.
std::optional<AlGeometry> CheckAlGeometry(Form& form, bool box);

} // namespace millcalc
