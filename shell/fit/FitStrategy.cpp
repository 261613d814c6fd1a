#include "shell/fit/FitStrategy.h"

#include "app/CutterDeflection.h"
#include "app/NumberText.h"

#include <algorithm>
#include <cmath>
#include <functional>

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

FitStrategy::FitStrategy(Form& copy, const Method& method)
    : trials_(copy, method)
    , method_(method)
    , plan_(*method.fit)
    , states_(trials_.states())
{
}

FitOutcome FitStrategy::run()
{
    FitOutcome outcome;
    if (!trials_.calculate()) {
        outcome.stopped = true;
        return outcome;
    }
    trials_.readStates();
    if (trials_.reds(LimitKind::None).empty()) {
        outcome.within = true;
        outcome.lines.push_back(std::string(kFitPrefix) + "режим в пределах станка");
        return outcome;
    }
    runSteps(0);
    trials_.trial();
    const std::vector<Red> left = trials_.reds(LimitKind::None);
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

void FitStrategy::runSteps(std::size_t from)
{
    for (std::size_t k = from; k < states_.size(); ++k) {
        if (!trials_.trial() || trials_.reds(LimitKind::None).empty())
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

bool FitStrategy::narrowsLater(std::size_t k) const
{
    return std::any_of(states_.begin() + static_cast<std::ptrdiff_t>(k) + 1, states_.end(),
        [](const InputState& s) { return s.input->widthPasses != nullptr; });
}

int FitStrategy::widthPassesOf(const InputState& state) const
{
    if (state.input->widthPasses == nullptr || state.text == state.original)
        return state.originalWidthPasses;
    const double width = readReal(state.text);
    if (!(width > 0))
        return state.originalWidthPasses;
    const double passes = std::ceil(state.wholeWidth / width - 1e-9);
    return static_cast<int>(std::clamp(passes, 1.0, kMostWidthPasses));
}

int FitStrategy::totalPasses(bool original) const
{
    double total = 1;
    for (const InputState& state : states_) {
        total *= original ? state.originalPasses : state.passes;
        total *= original ? state.originalWidthPasses : widthPassesOf(state);
    }
    return static_cast<int>(std::min(total, kMostWidthPasses));
}

bool FitStrategy::fewestPasses(std::size_t k)
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
        if (!trials_.trial() || !trials_.reds(LimitKind::None).empty())
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
    trials_.trial();
    return best > 0;
}

std::string FitStrategy::shorterStickOut(const Red& red)
{
    const double length = trials_.store().real(method_.deflection->length);
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

std::string FitStrategy::changeWords(const InputState& state, const std::string& before) const
{
    std::string text = state.input->symbol + std::string(" ") + before + kFitArrow + state.text;
    if (state.input->passes != nullptr)
        text += ", i=" + formatWhole(state.passes);
    if (state.input->widthPasses != nullptr && widthPassesOf(state) > 1)
        text += ", проходов по ширине " + formatWhole(widthPassesOf(state));
    return text;
}

void FitStrategy::logChange(
    const InputState& state, const std::string& before, const std::vector<Red>& targets)
{
    std::string line = std::string(kFitPrefix) + changeWords(state, before);
    trials_.trial();
    for (std::size_t i = 0; i < targets.size(); ++i)
        line += (i == 0 ? kFitDash : std::string(", "))
            + stepWords(targets[i], trials_.store().text(targets[i].check->field), plan_.margin);
    lines_.push_back(std::move(line));
}

void FitStrategy::logChange(const InputState& state, const std::string& before, const char* reason)
{
    lines_.push_back(std::string(kFitPrefix) + changeWords(state, before) + kFitDash + reason);
}

} // namespace millcalc
