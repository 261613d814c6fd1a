// The fit's working state, shared by the planner and its steps: the inputs
// of a method's fit plan as a fit moves them on a detached copy of the
// window, and the log lines it writes. Seen only by the fit's own files.
#pragma once

#include "app/Form.h"
#include "shell/FitPlanner.h"
#include "shell/FitReds.h"

#include <functional>
#include <span>
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

struct InputState {
    const FitInput* input;
    std::string original;
    std::string text;
    int originalPasses = 1;
    int passes = 1;
    double wholeDepth = 0;
    int originalWidthPasses = 1;
    double wholeWidth = 0; // the width the passes across the part covered
};

class Fitter {
public:
    // Works on the detached copy given: every trial changes it.
    Fitter(Form& copy, const Method& method);

    FitOutcome run();

private:
    FieldStore& store() { return copy_.store(); }

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

    bool calculate(std::span<const FitValue> overrides = {});

    // The inputs as the calculation on the copy left them (corrected where it
    // corrects), the results a fit may override as it computed them.
    void readStates();

    // Every trial runs on the same copy: a run writes each result before a
    // later step of it reads one, so nothing of an earlier trial leaks in.
    // Nor does it change anything the next run on the same inputs would read,
    // unless it corrected an input: a trial of the inputs the last one tried
    // finds the copy as that one left it and takes its answer.
    bool trial();

    std::vector<Red> reds(LimitKind only);

    std::string changeWords(const InputState& state, const std::string& before) const;

    // The step's line: what it changed, then each check it was taken
    // against, before and after.
    void logChange(
        const InputState& state, const std::string& before, const std::vector<Red>& targets);

    void logChange(const InputState& state, const std::string& before, const char* reason);

    // The reds that moving the input as far as it goes brings nearer their
    // limits: those it is changed for.
    std::vector<Red> relievable(InputState& state, const std::string& farthest);

    bool clears(const std::vector<Red>& targets, LimitKind only);

    // The checks that the inputs as they stand keep within their limits.
    std::vector<const LimitCheck*> greens();

    // Whether the inputs as they stand take one of those checks beyond its
    // limit: a step that trades one red for another is no fit.
    bool turnsRed(const std::vector<const LimitCheck*>& greens);

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

    // The inputs of the last trial and its answer; none after a trial that
    // corrected an input.
    struct TriedInput {
        std::string text;
        int passes;
    };

    const Method& method_;
    const FitPlan& plan_;
    Form& copy_;
    std::vector<InputState> states_;
    std::vector<std::string> lines_;
    std::vector<TriedInput> lastTrial_;
    bool lastResult_ = false;
};

} // namespace millcalc
