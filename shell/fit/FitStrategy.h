// The fit's strategy: the order in which the plan's inputs are moved, how far
// each goes, the passes a depth is split into, and the log lines that tell
// it. What each move gives, it asks of the trials. Seen only by the fit's own
// files.
#pragma once

#include "shell/fit/FitOutcome.h"
#include "shell/fit/FitTrials.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace millcalc {

inline constexpr const char* kFitArrow = " → ";
inline constexpr const char* kFitDash = " — ";

// The largest k in [low, high] for which holds(k), for holds true up to some
// k and false above it; low - 1 when it holds for none.
long long largestHolding(
    long long low, long long high, const std::function<bool(long long)>& holds);
// The text's value in units of the given decimal, rounded down; a text written
// with that many decimals gives its own digits back.
long long unitsOf(const std::string& text, int decimals);
std::string textOf(long long units, int decimals);

class FitStrategy {
public:
    // Works on the detached copy given: every trial changes it.
    FitStrategy(Form& copy, const Method& method);

    FitOutcome run();

private:
    // The plan's steps from the k-th on, each while something is red.
    void runSteps(std::size_t from);

    bool narrowsLater(std::size_t k) const;

    // The passes across the part that the input's width takes.
    int widthPassesOf(const InputState& state) const;

    int totalPasses(bool original) const;

    // Where a later input narrows the width, each number of depth passes is
    // followed through the rest of the plan; of those that end within every
    // limit, the fewest passes in all win (depth passes times the passes
    // across the part). False where none does.
    bool fewestPasses(std::size_t k);

    // The longest stick-out, in tenths of a millimetre, at which the cutter
    // bends less than its limit (the fit's share of it) under the force the
    // cut leaves it.
    std::string shorterStickOut(const Red& red);

    std::string changeWords(const InputState& state, const std::string& before) const;

    // The step's line: what it changed, then each check it was taken
    // against, before and after.
    void logChange(
        const InputState& state, const std::string& before, const std::vector<Red>& targets);

    void logChange(const InputState& state, const std::string& before, const char* reason);

    // The least units of the input that keep its floor result at its least
    // value, the other inputs as they stand.
    long long floorUnits(InputState& state, long long high);

    void lower(std::size_t k);

    static std::string written(long long units, const InputState& state);

    void setPasses(InputState& state, int passes);

    // The depth in the given passes, as the passes step takes them: the
    // inputs held at a floor raised, the line logged, what the passes leave
    // given back. False where the calculation stops on them.
    bool takePasses(std::size_t k, int passes);

    // An earlier input held at a floor (the chip) that the thinner pass raises.
    void raiseFloored(std::size_t k);

    // Earlier inputs lowered before the passes take back what the passes leave.
    void giveBack(std::size_t k, const std::vector<std::string>& before);

    double worst(const std::vector<Red>& reds);

    void splitIntoPasses(std::size_t k);

    void laterItem(std::size_t k);

    FitTrials trials_;
    const Method& method_;
    const FitPlan& plan_;
    std::vector<InputState>& states_;
    std::vector<std::string> lines_;
};

} // namespace millcalc
