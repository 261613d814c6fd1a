// The fit's trials: the inputs of a method's fit plan as a fit moves them, run
// on a detached copy of the window, and the results that come out at or
// beyond what the fit holds them to. The strategy decides what to try; the
// trials only try it. Seen only by the fit's own files.
#pragma once

#include "app/Form.h"
#include "shell/fit/FitReds.h"

#include <span>
#include <string>
#include <vector>

namespace millcalc {

// One input of the plan as the fit moves it.
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

class FitTrials {
public:
    // Works on the detached copy given: every trial changes it.
    FitTrials(Form& copy, const Method& method);
    FitTrials(const FitTrials&) = delete;
    FitTrials& operator=(const FitTrials&) = delete;

    const Method& method() const { return method_; }
    const FitPlan& plan() const { return plan_; }
    FieldStore& store() { return copy_.store(); }
    // The inputs as the strategy has moved them; the next trial writes them.
    std::vector<InputState>& states() { return states_; }

    // The method's calculation on the copy as it stands; false where it stops.
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

    // The results the copy shows at or beyond what the fit holds them to, of
    // one kind of limit or (LimitKind::None) of all.
    std::vector<Red> reds(LimitKind only);

    // The reds that moving the input as far as it goes brings nearer their
    // limits: those it is changed for.
    std::vector<Red> relievable(InputState& state, const std::string& farthest);

    // Whether the inputs as they stand bring every target within its limit.
    bool clears(const std::vector<Red>& targets, LimitKind only);

    // The checks that the inputs as they stand keep within their limits.
    std::vector<const LimitCheck*> greens();

    // Whether the inputs as they stand take one of those checks beyond its
    // limit: a step that trades one red for another is no fit.
    bool turnsRed(const std::vector<const LimitCheck*>& greens);

private:
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
    std::vector<TriedInput> lastTrial_;
    bool lastResult_ = false;
};

} // namespace millcalc
