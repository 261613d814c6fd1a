#include "shell/fit/FitStrategy.h"

#include "app/NumberText.h"

#include <algorithm>
#include <string>
#include <vector>

namespace millcalc {

long long FitStrategy::floorUnits(InputState& state, long long high)
{
    const FitInput& input = *state.input;
    const std::string kept = state.text;
    const long long below = largestHolding(1, high, [&](long long units) {
        state.text = written(units, state);
        return trials_.trial() && trials_.store().real(input.floorResult) < input.floorValue;
    });
    state.text = kept;
    return below + 1;
}

void FitStrategy::lower(std::size_t k)
{
    InputState& state = states_[k];
    const FitInput& input = *state.input;
    const long long current = unitsOf(state.text, input.decimals);
    long long least = input.floorResult != nullptr ? floorUnits(state, current) : 1;
    if (least >= current)
        return;
    const std::vector<Red> targets = trials_.relievable(state, written(least, state));
    if (targets.empty())
        return;
    const std::string before = state.text;
    const std::vector<const LimitCheck*> green = trials_.greens();
    const long long best = largestHolding(least, current - 1, [&](long long units) {
        state.text = written(units, state);
        return trials_.clears(targets, input.only);
    });
    if (best >= least)
        state.text = written(best, state);
    else if (input.floorResult != nullptr)
        state.text = written(least, state); // as far as the floor lets it
    else
        state.text = before;
    // A later input (the passes) may relieve the same reds without it.
    if (state.text != before && trials_.turnsRed(green))
        state.text = before;
    if (state.text != before)
        logChange(state, before, targets);
}

std::string FitStrategy::written(long long units, const InputState& state)
{
    return inFieldForm(textOf(units, state.input->decimals), state.original);
}

void FitStrategy::setPasses(InputState& state, int passes)
{
    state.passes = passes;
    state.text = inFieldForm(
        formatFixed(state.wholeDepth / passes, state.input->decimals), state.original);
}

bool FitStrategy::takePasses(std::size_t k, int passes)
{
    InputState& state = states_[k];
    // The copy may still show another number of passes tried.
    if (!trials_.trial())
        return false;
    const std::vector<Red> now = trials_.reds(LimitKind::None);
    std::vector<std::string> before;
    for (const InputState& s : states_)
        before.push_back(s.text);
    const int passesBefore = state.passes;
    setPasses(state, passes);
    raiseFloored(k);
    if (!trials_.trial())
        return false;
    std::string from = before[k];
    if (passesBefore != 1)
        from += ", i=" + formatWhole(passesBefore);
    logChange(state, from, now);
    giveBack(k, before);
    return true;
}

void FitStrategy::raiseFloored(std::size_t k)
{
    for (std::size_t j = 0; j < k; ++j) {
        InputState& earlier = states_[j];
        const FitInput& input = *earlier.input;
        if (input.floorResult == nullptr || earlier.text == earlier.original)
            continue;
        const long long units = unitsOf(earlier.text, input.decimals);
        const long long least = floorUnits(earlier, unitsOf(earlier.original, input.decimals));
        if (least > units)
            earlier.text = written(least, earlier);
    }
}

void FitStrategy::giveBack(std::size_t k, const std::vector<std::string>& before)
{
    for (std::size_t j = 0; j < k; ++j) {
        InputState& earlier = states_[j];
        const FitInput& input = *earlier.input;
        if (input.step != FitStep::Lower || earlier.text == earlier.original)
            continue;
        const long long units = unitsOf(earlier.text, input.decimals);
        const long long best = largestHolding(
            units + 1, unitsOf(earlier.original, input.decimals), [&](long long u) {
                earlier.text = written(u, earlier);
                return trials_.trial() && trials_.reds(input.only).empty();
            });
        earlier.text = written(std::max(best, units), earlier);
        if (earlier.text != before[j])
            logChange(earlier, before[j], "после деления глубины на проходы");
    }
}

double FitStrategy::worst(const std::vector<Red>& reds)
{
    double share = 0;
    for (const Red& red : reds)
        share = std::max(share, shareOf(red));
    return share;
}

void FitStrategy::splitIntoPasses(std::size_t k)
{
    InputState& state = states_[k];
    const std::vector<Red> now = trials_.reds(LimitKind::None);
    const std::vector<const LimitCheck*> green = trials_.greens();
    std::vector<std::string> before;
    for (const InputState& s : states_)
        before.push_back(s.text);
    const int passesBefore = state.passes;
    const auto tryPasses = [&](int passes) {
        setPasses(state, passes);
        raiseFloored(k);
        return trials_.trial();
    };
    bool chosen = false;
    for (int passes = passesBefore + 1; passes <= kMostPasses && !chosen; ++passes)
        chosen = tryPasses(passes) && trials_.reds(LimitKind::None).empty();
    // The passes that do not suffice alone still go as far as they help,
    // before the width is narrowed.
    if (!chosen && passesBefore < kMostPasses)
        chosen = tryPasses(kMostPasses) && worst(trials_.reds(LimitKind::None)) < worst(now)
            && !trials_.turnsRed(green);
    if (!chosen) {
        for (std::size_t j = 0; j < states_.size(); ++j)
            states_[j].text = before[j];
        state.passes = passesBefore;
        return;
    }
    std::string from = before[k];
    if (passesBefore != 1)
        from += ", i=" + formatWhole(passesBefore);
    logChange(state, from, now);
    giveBack(k, before);
}

void FitStrategy::laterItem(std::size_t k)
{
    InputState& state = states_[k];
    const std::vector<std::string>& items = trials_.store().items(state.input->field);
    const auto at = std::find(items.begin(), items.end(), state.text);
    if (at == items.end() || at + 1 == items.end())
        return;
    const std::vector<Red> targets = trials_.relievable(state, items.back());
    if (targets.empty())
        return;
    const std::string before = state.text;
    const std::vector<const LimitCheck*> green = trials_.greens();
    for (auto item = at + 1; item != items.end(); ++item) {
        state.text = *item;
        if (trials_.clears(targets, state.input->only) && !trials_.turnsRed(green)) {
            logChange(state, before, targets);
            return;
        }
    }
    state.text = before;
}

} // namespace millcalc
