#include "shell/fit/FitTrials.h"

#include "app/NumberText.h"
#include "app/Passes.h"

#include <algorithm>

namespace millcalc {

FitTrials::FitTrials(Form& copy, const Method& method)
    : method_(method)
    , plan_(*method.fit)
    , copy_(copy)
{
}

bool FitTrials::calculate(std::span<const FitValue> overrides)
{
    const int result
        = plan_.calculate != nullptr ? plan_.calculate(copy_, overrides) : method_.calculate(copy_);
    return result >= 0;
}

void FitTrials::readStates()
{
    for (const FitInput& input : plan_.inputs) {
        InputState state { &input, store().text(input.field), store().text(input.field) };
        if (input.passes != nullptr) {
            state.passes = parsePasses(store().text(input.passes)).value_or(1);
            state.originalPasses = state.passes;
            state.wholeDepth = store().real(input.field) * state.passes;
        }
        if (input.widthPasses != nullptr) {
            state.originalWidthPasses = parsePasses(store().text(input.widthPasses)).value_or(1);
            state.wholeWidth = store().real(input.field) * state.originalWidthPasses;
        }
        states_.push_back(std::move(state));
    }
}

bool FitTrials::trial()
{
    if (lastTrial_.size() == states_.size()
        && std::equal(states_.begin(), states_.end(), lastTrial_.begin(),
            [](const InputState& state, const TriedInput& tried) {
                return state.passes == tried.passes && state.text == tried.text;
            }))
        return lastResult_;
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
    const int corrections = copy_.corrections();
    lastResult_ = calculate(overrides);
    lastTrial_.clear();
    // A run that corrected an input might go another way on its correction:
    // only one that corrected nothing stands for a run on the same inputs.
    if (copy_.corrections() == corrections) {
        for (const InputState& state : states_)
            lastTrial_.push_back({ state.text, state.passes });
    }
    return lastResult_;
}

std::vector<Red> FitTrials::reds(LimitKind only)
{
    std::vector<Red> found;
    for (const LimitCheck& check : method_.checks) {
        if (only != LimitKind::None && check.limit != only)
            continue;
        double limit = plan_.limit != nullptr ? plan_.limit(copy_, check.limit) : 0;
        if (!(limit > 0))
            limit = heldLimit(copy_, method_, check.limit);
        const double value = store().real(check.field);
        const bool beyond = store().colour(check.field) == colours::Red;
        if (beyond || (limit > 0 && plan_.margin < 1 && value >= plan_.margin * limit))
            found.push_back({ &check, value, limit, beyond, store().text(check.field) });
    }
    return found;
}

std::vector<Red> FitTrials::relievable(InputState& state, const std::string& farthest)
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

bool FitTrials::clears(const std::vector<Red>& targets, LimitKind only)
{
    if (!trial())
        return false;
    const std::vector<Red> left = reds(only);
    return std::none_of(targets.begin(), targets.end(),
        [&](const Red& red) { return hasField(left, red.check->field); });
}

std::vector<const LimitCheck*> FitTrials::greens()
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

bool FitTrials::turnsRed(const std::vector<const LimitCheck*>& greens)
{
    if (!trial())
        return true;
    const std::vector<Red> now = reds(LimitKind::None);
    return std::any_of(greens.begin(), greens.end(),
        [&](const LimitCheck* check) { return hasField(now, check->field); });
}

} // namespace millcalc
