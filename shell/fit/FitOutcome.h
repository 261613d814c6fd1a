// What a fit of a method's cut to the selected machine comes to: the inputs
// it changes, what stays beyond the machine and the log lines it writes, and
// the comparison's short account of it.
#pragma once

#include "app/FitPlan.h"

#include <string>
#include <vector>

namespace millcalc {

inline constexpr const char* kFitPrefix = "Подбор по станку: ";

// One input as the fit leaves it.
struct FitChange {
    const FitInput* input;
    std::string before;
    std::string after; // the text of the field (Passes: the depth per pass)
    int passesBefore = 1;
    int passesAfter = 1;
    // The width the part asks for: the passes across it.
    int widthPassesBefore = 1;
    int widthPassesAfter = 1;
};

// A result the fit could not bring within its limit: by how much it must come
// down, in whole per cent.
struct FitShortfall {
    std::string symbol;
    int percent = 0;
    // What to do instead of a share, where only the tool itself would do
    // ("вылет L до 52.3 мм или увеличьте D"); empty otherwise.
    std::string advice;
};

struct FitOutcome {
    bool stopped = false; // the calculation stops on the inputs as they stand
    bool within = false; // nothing was beyond the machine
    std::vector<FitChange> changes; // net, in plan order
    std::vector<FitShortfall> shortfalls;
    std::vector<std::string> lines; // the log lines of the fit, in order
    // The passes in all, depth passes times width passes, before and after.
    int passesBefore = 1;
    int passesAfter = 1;
};

// The comparison's short account: "—" when nothing is beyond the machine,
// "Vc 1060→924; fz 0.10→0.08", "t 5.0→2.5, i=2", or "не подобрать: уменьшите …".
std::string fitSummary(const FitOutcome& outcome);

} // namespace millcalc
