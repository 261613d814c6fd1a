#include "shell/FitPlanner.h"

#include "app/CutterDeflection.h"
#include "app/DetachedForm.h"
#include "app/NumberText.h"
#include "app/Passes.h"
#include "shell/FitReds.h"
#include "shell/Fitter.h"
#include "shell/Methods.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string_view>

namespace millcalc {

namespace {

// Inputs beyond this many units of their last decimal are not stepped.
constexpr double kMostUnits = 1e15;
// Passes across a part beyond this many are counted as this many.
constexpr double kMostWidthPasses = 1e6;

double scaleOf(int decimals)
{
    return std::pow(10.0, decimals);
}

} // namespace

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

Fitter::Fitter(Form& copy, const Method& method)
    : method_(method)
    , plan_(*method.fit)
    , copy_(copy)
{
}

FitOutcome Fitter::run()
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
    runSteps(0);
    trial();
    const std::vector<Red> left = reds(LimitKind::None);
    for (const Red& red : left) {
        if (red.check->limit == LimitKind::Deflection && method_.deflection != nullptr) {
            // The free inputs are spent: only a shorter or thicker cutter
            // bends less. δ grows as L³.
            const std::string advice = "вылет L до " + shorterStickOut(red) + " мм или увеличьте D";
            outcome.shortfalls.push_back({ red.check->symbol, 0, advice });
            lines_.push_back(std::string(kFitPrefix) + "уменьшите " + advice + kFitDash
                + standingWords(red, plan_.margin));
            continue;
        }
        const double percent = std::ceil((1 - plan_.margin * red.limit / red.value) * 100 - 1e-9);
        const int whole = static_cast<int>(std::clamp(percent, 1.0, 100.0));
        outcome.shortfalls.push_back({ red.check->symbol, whole, {} });
        lines_.push_back(std::string(kFitPrefix) + "уменьшите " + red.check->symbol + " на "
            + formatWhole(whole) + " %" + kFitDash + standingWords(red, plan_.margin));
    }
    for (const InputState& state : states_) {
        if (state.text != state.original || state.passes != state.originalPasses)
            outcome.changes.push_back(
                { state.input, state.original, state.text, state.originalPasses, state.passes,
                    state.originalWidthPasses, widthPassesOf(state) });
    }
    outcome.passesBefore = totalPasses(true);
    outcome.passesAfter = totalPasses(false);
    std::string last = std::string(kFitPrefix) + "итог — "
        + (left.empty() ? std::string("все проверки в пределах станка и фрезы")
                        : "остается красным: " + standingWords(left, plan_.margin));
    if (outcome.passesAfter >= 2 * outcome.passesBefore)
        last += "; проходов: " + formatWhole(outcome.passesBefore) + kFitArrow
            + formatWhole(outcome.passesAfter);
    lines_.push_back(std::move(last));
    outcome.lines = std::move(lines_);
    return outcome;
}

void Fitter::runSteps(std::size_t from)
{
    for (std::size_t k = from; k < states_.size(); ++k) {
        if (!trial() || reds(LimitKind::None).empty())
            break;
        switch (states_[k].input->step) {
        case FitStep::Lower:
            lower(k);
            break;
        case FitStep::Passes:
            if (narrowsLater(k) && fewestPasses(k))
                return;
            splitIntoPasses(k);
            break;
        case FitStep::LaterItem:
            laterItem(k);
            break;
        }
    }
}

bool Fitter::narrowsLater(std::size_t k) const
{
    return std::any_of(states_.begin() + static_cast<std::ptrdiff_t>(k) + 1, states_.end(),
        [](const InputState& s) { return s.input->widthPasses != nullptr; });
}

int Fitter::widthPassesOf(const InputState& state) const
{
    if (state.input->widthPasses == nullptr || state.text == state.original)
        return state.originalWidthPasses;
    const double width = readReal(state.text);
    if (!(width > 0))
        return state.originalWidthPasses;
    const double passes = std::ceil(state.wholeWidth / width - 1e-9);
    return static_cast<int>(std::clamp(passes, 1.0, kMostWidthPasses));
}

int Fitter::totalPasses(bool original) const
{
    double total = 1;
    for (const InputState& state : states_) {
        total *= original ? state.originalPasses : state.passes;
        total *= original ? state.originalWidthPasses : widthPassesOf(state);
    }
    return static_cast<int>(std::min(total, kMostWidthPasses));
}

bool Fitter::fewestPasses(std::size_t k)
{
    const std::vector<InputState> states = states_;
    const std::vector<std::string> lines = lines_;
    std::vector<InputState> bestStates;
    std::vector<std::string> bestLines;
    int best = 0;
    for (int passes = states[k].passes; passes <= kMostPasses; ++passes) {
        states_ = states;
        lines_ = lines;
        if (passes > states[k].passes && !takePasses(k, passes))
            continue;
        runSteps(k + 1);
        if (!trial() || !reds(LimitKind::None).empty())
            continue;
        // Of as few in all, the more depth passes: another pass keeps the
        // path of the tool, a narrower width adds paths.
        const int total = totalPasses(false);
        if (best == 0 || total <= best) {
            best = total;
            bestStates = states_;
            bestLines = lines_;
        }
    }
    states_ = best > 0 ? std::move(bestStates) : states;
    lines_ = best > 0 ? std::move(bestLines) : lines;
    // The copy shows the inputs kept, not the last tried.
    trial();
    return best > 0;
}

std::string Fitter::shorterStickOut(const Red& red)
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

bool Fitter::calculate(std::span<const FitValue> overrides)
{
    const int result
        = plan_.calculate != nullptr ? plan_.calculate(copy_, overrides) : method_.calculate(copy_);
    return result >= 0;
}

void Fitter::readStates()
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

bool Fitter::trial()
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

std::vector<Red> Fitter::reds(LimitKind only)
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

std::string Fitter::changeWords(const InputState& state, const std::string& before) const
{
    std::string text = state.input->symbol + std::string(" ") + before + kFitArrow + state.text;
    if (state.input->passes != nullptr)
        text += ", i=" + formatWhole(state.passes);
    if (state.input->widthPasses != nullptr && widthPassesOf(state) > 1)
        text += ", проходов по ширине " + formatWhole(widthPassesOf(state));
    return text;
}

void Fitter::logChange(
    const InputState& state, const std::string& before, const std::vector<Red>& targets)
{
    std::string line = std::string(kFitPrefix) + changeWords(state, before);
    trial();
    for (std::size_t i = 0; i < targets.size(); ++i)
        line += (i == 0 ? kFitDash : std::string(", "))
            + stepWords(targets[i], store().text(targets[i].check->field), plan_.margin);
    lines_.push_back(std::move(line));
}

void Fitter::logChange(const InputState& state, const std::string& before, const char* reason)
{
    lines_.push_back(std::string(kFitPrefix) + changeWords(state, before) + kFitDash + reason);
}

FitOutcome planFit(const Form& form, const Method& method)
{
    if (method.fit == nullptr)
        return {};
    DetachedForm copy(form);
    return planFitOnCopy(copy.form(), method);
}

FitOutcome planFitOnCopy(Form& copy, const Method& method)
{
    if (method.fit == nullptr)
        return {};
    Fitter fitter(copy, method);
    return fitter.run();
}

} // namespace millcalc
