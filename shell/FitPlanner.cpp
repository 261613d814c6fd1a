#include "shell/FitPlanner.h"

#include "app/DetachedForm.h"
#include "app/NumberText.h"
#include "app/Passes.h"
#include "shell/FitReds.h"
#include "shell/Methods.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string_view>

namespace millcalc {

namespace {

constexpr const char* kArrow = " → ";
// Inputs beyond this many units of their last decimal are not stepped.
constexpr double kMostUnits = 1e15;

// The largest k in [low, high] for which holds(k), for holds true up to some
// k and false above it; low - 1 when it holds for none.
long long largestHolding(long long low, long long high, const std::function<bool(long long)>& holds)
{
    long long found = low - 1;
    while (low <= high) {
        const long long middle = low + (high - low) / 2;
        if (holds(middle)) {
            found = middle;
            low = middle + 1;
        } else {
            high = middle - 1;
        }
    }
    return found;
}

double scaleOf(int decimals)
{
    return std::pow(10.0, decimals);
}

// The text's value in units of the given decimal, rounded down; a text written
// with that many decimals gives its own digits back.
long long unitsOf(const std::string& text, int decimals)
{
    const double units = std::floor(readReal(text) * scaleOf(decimals) + 1e-6);
    if (!(units > 0))
        return 0;
    return static_cast<long long>(std::min(units, kMostUnits));
}

std::string textOf(long long units, int decimals)
{
    return formatFixed(static_cast<double>(units) / scaleOf(decimals), decimals);
}

struct InputState {
    const FitInput* input;
    std::string original;
    std::string text;
    int originalPasses = 1;
    int passes = 1;
    double wholeDepth = 0;
};

class Fitter {
public:
    Fitter(const Form& form, const Method& method)
        : method_(method)
        , plan_(*method.fit)
        , copy_(form)
    {
    }

    FitOutcome run()
    {
        FitOutcome outcome;
        if (!calculate()) {
            outcome.stopped = true;
            return outcome;
        }
        readStates();
        if (reds(LimitKind::None).empty()) {
            outcome.within = true;
            outcome.lines.push_back(std::string(kFitPrefix) + "режим в пределах станка");
            return outcome;
        }
        for (std::size_t k = 0; k < states_.size(); ++k) {
            if (!trial() || reds(LimitKind::None).empty())
                break;
            switch (states_[k].input->step) {
            case FitStep::Lower:
                lower(k);
                break;
            case FitStep::Passes:
                splitIntoPasses(k);
                break;
            case FitStep::LaterItem:
                laterItem(k);
                break;
            }
        }
        trial();
        for (const Red& red : reds(LimitKind::None)) {
            if (red.check->limit == LimitKind::Deflection && method_.deflection != nullptr) {
                // The free inputs are spent: only a shorter or thicker cutter
                // bends less. δ grows as L³.
                const std::string advice
                    = "вылет L до " + shorterStickOut(red) + " мм или увеличьте D";
                outcome.shortfalls.push_back({ red.check->symbol, 0, advice });
                lines_.push_back(std::string(kFitPrefix) + "уменьшите " + advice);
                continue;
            }
            const double percent
                = std::ceil((1 - plan_.margin * red.limit / red.value) * 100 - 1e-9);
            const int whole = static_cast<int>(std::clamp(percent, 1.0, 100.0));
            outcome.shortfalls.push_back({ red.check->symbol, whole, {} });
            lines_.push_back(std::string(kFitPrefix) + "уменьшите " + red.check->symbol + " на "
                + formatWhole(whole) + " %: " + describe(red, plan_.margin));
        }
        for (const InputState& state : states_) {
            if (state.text != state.original || state.passes != state.originalPasses)
                outcome.changes.push_back({ state.input, state.original, state.text,
                    state.originalPasses, state.passes });
        }
        outcome.lines = std::move(lines_);
        return outcome;
    }

private:
    FieldStore& store() { return copy_.store(); }

    // The longest stick-out, in tenths of a millimetre, at which the cutter
    // bends less than its limit (the fit's share of it) under the force the
    // cut leaves it.
    std::string shorterStickOut(const Red& red)
    {
        const double length = store().real(method_.deflection->length);
        const double wanted = plan_.margin * red.limit;
        double shorter = length * std::cbrt(wanted / red.value);
        if (!std::isfinite(shorter) || shorter < 0)
            shorter = 0;
        // Rounded down, and a tenth shorter where the rounding lands on the
        // limit itself.
        double tenths = std::floor(shorter * 10 + 1e-9);
        if (tenths > 0 && tenths / 10 >= shorter)
            tenths -= 1;
        return formatFixed(tenths / 10, 1);
    }

    bool calculate(std::span<const FitValue> overrides = {})
    {
        const int result = plan_.calculate != nullptr ? plan_.calculate(copy_.form(), overrides)
                                                      : method_.calculate(copy_.form());
        return result >= 0;
    }

    // The inputs as the calculation on the copy left them (corrected where it
    // corrects), the results a fit may override as it computed them.
    void readStates()
    {
        for (const FitInput& input : plan_.inputs) {
            InputState state { &input, store().text(input.field), store().text(input.field) };
            if (input.passes != nullptr) {
                state.passes = parsePasses(store().text(input.passes)).value_or(1);
                state.originalPasses = state.passes;
                state.wholeDepth = store().real(input.field) * state.passes;
            }
            states_.push_back(std::move(state));
        }
    }

    // Every trial runs on the same copy: a run writes each result before a
    // later step of it reads one, so nothing of an earlier trial leaks in.
    bool trial()
    {
        std::vector<FitValue> overrides;
        for (const InputState& state : states_) {
            const FitInput& input = *state.input;
            if (input.overridesResult) {
                if (state.text != state.original)
                    overrides.push_back({ input.field, state.text });
                continue;
            }
            store().setText(input.field, state.text);
            if (input.passes != nullptr)
                store().setText(input.passes, formatWhole(state.passes));
        }
        return calculate(overrides);
    }

    std::vector<Red> reds(LimitKind only)
    {
        std::vector<Red> found;
        for (const LimitCheck& check : method_.checks) {
            if (only != LimitKind::None && check.limit != only)
                continue;
            double limit = plan_.limit != nullptr ? plan_.limit(store(), check.limit) : 0;
            if (!(limit > 0))
                limit = heldLimit(copy_.form(), method_, check.limit);
            const double value = store().real(check.field);
            const bool beyond = store().colour(check.field) == colours::Red;
            if (beyond || (limit > 0 && plan_.margin < 1 && value >= plan_.margin * limit))
                found.push_back({ &check, value, limit, beyond, store().text(check.field) });
        }
        return found;
    }

    void logChange(const InputState& state, const std::string& before, const std::string& reason)
    {
        std::string after = state.text;
        if (state.input->passes != nullptr)
            after += ", i=" + formatWhole(state.passes);
        lines_.push_back(std::string(kFitPrefix) + state.input->symbol + " " + before + kArrow
            + after + ": " + reason);
    }

    // The reds that moving the input as far as it goes brings nearer their
    // limits: those it is changed for.
    std::vector<Red> relievable(InputState& state, const std::string& farthest)
    {
        if (!trial())
            return {};
        const std::vector<Red> now = reds(state.input->only);
        const std::string kept = state.text;
        state.text = farthest;
        std::vector<Red> relieved;
        if (trial()) {
            const std::vector<Red> there = reds(state.input->only);
            for (const Red& red : now) {
                const auto at = std::find_if(
                    there.begin(), there.end(), [&](const Red& r) { return r.check == red.check; });
                if (at == there.end() || shareOf(*at) < shareOf(red))
                    relieved.push_back(red);
            }
        }
        state.text = kept;
        return relieved;
    }

    bool clears(const std::vector<Red>& targets, LimitKind only)
    {
        if (!trial())
            return false;
        const std::vector<Red> left = reds(only);
        return std::none_of(targets.begin(), targets.end(),
            [&](const Red& red) { return hasField(left, red.check->field); });
    }

    // The checks that the inputs as they stand keep within their limits.
    std::vector<const LimitCheck*> greens()
    {
        std::vector<const LimitCheck*> found;
        if (!trial())
            return found;
        const std::vector<Red> now = reds(LimitKind::None);
        for (const LimitCheck& check : method_.checks) {
            if (!hasField(now, check.field))
                found.push_back(&check);
        }
        return found;
    }

    // Whether the inputs as they stand take one of those checks beyond its
    // limit: a step that trades one red for another is no fit.
    bool turnsRed(const std::vector<const LimitCheck*>& greens)
    {
        if (!trial())
            return true;
        const std::vector<Red> now = reds(LimitKind::None);
        return std::any_of(greens.begin(), greens.end(),
            [&](const LimitCheck* check) { return hasField(now, check->field); });
    }

    // The least units of the input that keep its floor result at its least
    // value, the other inputs as they stand.
    long long floorUnits(InputState& state, long long high)
    {
        const FitInput& input = *state.input;
        const std::string kept = state.text;
        const long long below = largestHolding(1, high, [&](long long units) {
            state.text = textOf(units, input.decimals);
            return trial() && store().real(input.floorResult) < input.floorValue;
        });
        state.text = kept;
        return below + 1;
    }

    void lower(std::size_t k)
    {
        InputState& state = states_[k];
        const FitInput& input = *state.input;
        const long long current = unitsOf(state.text, input.decimals);
        long long least = input.floorResult != nullptr ? floorUnits(state, current) : 1;
        if (least >= current)
            return;
        const std::vector<Red> targets = relievable(state, textOf(least, input.decimals));
        if (targets.empty())
            return;
        const std::string before = state.text;
        const std::vector<const LimitCheck*> green = greens();
        const long long best = largestHolding(least, current - 1, [&](long long units) {
            state.text = textOf(units, input.decimals);
            return clears(targets, input.only);
        });
        if (best >= least)
            state.text = textOf(best, input.decimals);
        else if (input.floorResult != nullptr)
            state.text = textOf(least, input.decimals); // as far as the floor lets it
        else
            state.text = before;
        // A later input (the passes) may relieve the same reds without it.
        if (state.text != before && turnsRed(green))
            state.text = before;
        if (state.text != before)
            logChange(state, before, describe(targets, plan_.margin));
    }

    void setPasses(InputState& state, int passes)
    {
        state.passes = passes;
        state.text = formatFixed(state.wholeDepth / passes, state.input->decimals);
    }

    // An earlier input held at a floor (the chip) that the thinner pass raises.
    void raiseFloored(std::size_t k)
    {
        for (std::size_t j = 0; j < k; ++j) {
            InputState& earlier = states_[j];
            const FitInput& input = *earlier.input;
            if (input.floorResult == nullptr || earlier.text == earlier.original)
                continue;
            const long long units = unitsOf(earlier.text, input.decimals);
            const long long least = floorUnits(earlier, unitsOf(earlier.original, input.decimals));
            if (least > units)
                earlier.text = textOf(least, input.decimals);
        }
    }

    // Earlier inputs lowered before the passes take back what the passes leave.
    void giveBack(std::size_t k, const std::vector<std::string>& before)
    {
        for (std::size_t j = 0; j < k; ++j) {
            InputState& earlier = states_[j];
            const FitInput& input = *earlier.input;
            if (input.step != FitStep::Lower || earlier.text == earlier.original)
                continue;
            const long long units = unitsOf(earlier.text, input.decimals);
            const long long best = largestHolding(
                units + 1, unitsOf(earlier.original, input.decimals), [&](long long u) {
                    earlier.text = textOf(u, input.decimals);
                    return trial() && reds(input.only).empty();
                });
            earlier.text = textOf(std::max(best, units), input.decimals);
            if (earlier.text != before[j])
                logChange(earlier, before[j], "после деления глубины на проходы");
        }
    }

    double worst(const std::vector<Red>& reds)
    {
        double share = 0;
        for (const Red& red : reds)
            share = std::max(share, shareOf(red));
        return share;
    }

    void splitIntoPasses(std::size_t k)
    {
        InputState& state = states_[k];
        const std::vector<Red> now = reds(LimitKind::None);
        const std::vector<const LimitCheck*> green = greens();
        std::vector<std::string> before;
        for (const InputState& s : states_)
            before.push_back(s.text);
        const int passesBefore = state.passes;
        const auto tryPasses = [&](int passes) {
            setPasses(state, passes);
            raiseFloored(k);
            return trial();
        };
        bool chosen = false;
        for (int passes = passesBefore + 1; passes <= kMostPasses && !chosen; ++passes)
            chosen = tryPasses(passes) && reds(LimitKind::None).empty();
        // The passes that do not suffice alone still go as far as they help,
        // before the width is narrowed.
        if (!chosen && passesBefore < kMostPasses)
            chosen = tryPasses(kMostPasses) && worst(reds(LimitKind::None)) < worst(now)
                && !turnsRed(green);
        if (!chosen) {
            for (std::size_t j = 0; j < states_.size(); ++j)
                states_[j].text = before[j];
            state.passes = passesBefore;
            return;
        }
        std::string from = before[k];
        if (passesBefore != 1)
            from += ", i=" + formatWhole(passesBefore);
        logChange(state, from, describe(now, plan_.margin));
        giveBack(k, before);
    }

    void laterItem(std::size_t k)
    {
        InputState& state = states_[k];
        const std::vector<std::string>& items = store().items(state.input->field);
        const auto at = std::find(items.begin(), items.end(), state.text);
        if (at == items.end() || at + 1 == items.end())
            return;
        const std::vector<Red> targets = relievable(state, items.back());
        if (targets.empty())
            return;
        const std::string before = state.text;
        const std::vector<const LimitCheck*> green = greens();
        for (auto item = at + 1; item != items.end(); ++item) {
            state.text = *item;
            if (clears(targets, state.input->only) && !turnsRed(green)) {
                logChange(state, before, describe(targets, plan_.margin));
                return;
            }
        }
        state.text = before;
    }

    const Method& method_;
    const FitPlan& plan_;
    DetachedForm copy_;
    std::vector<InputState> states_;
    std::vector<std::string> lines_;
};

} // namespace

FitOutcome planFit(const Form& form, const Method& method)
{
    if (method.fit == nullptr)
        return {};
    Fitter fitter(form, method);
    return fitter.run();
}

} // namespace millcalc
