#include "shell/fit/FitOutcome.h"

#include "app/FitPlan.h"
#include "app/NumberText.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

namespace millcalc {

namespace {

constexpr const char* kShortArrow = "→";

// Two significant digits each, more where the two would read alike.
std::pair<std::string, std::string> shortPair(const FitChange& change)
{
    const int most = change.input->decimals;
    const auto digits = [most](double value) {
        const int wanted
            = value > 0 ? std::max(0, 1 - static_cast<int>(std::floor(std::log10(value)))) : 0;
        return std::min(most, wanted);
    };
    const double before = readReal(change.before);
    const double after = readReal(change.after);
    int beforeDecimals = digits(before);
    int afterDecimals = digits(after);
    while (
        readReal(formatFixed(before, beforeDecimals)) == readReal(formatFixed(after, afterDecimals))
        && std::max(beforeDecimals, afterDecimals) < most) {
        beforeDecimals = std::min(most, beforeDecimals + 1);
        afterDecimals = std::min(most, afterDecimals + 1);
    }
    return { formatFixed(before, beforeDecimals), formatFixed(after, afterDecimals) };
}

} // namespace

std::string fitSummary(const FitOutcome& outcome)
{
    if (outcome.stopped || outcome.within)
        return "—";
    if (!outcome.shortfalls.empty()) {
        std::string text = "не подобрать: уменьшите ";
        for (std::size_t i = 0; i < outcome.shortfalls.size(); ++i) {
            const FitShortfall& s = outcome.shortfalls[i];
            text += i == 0 ? "" : ", ";
            text += s.advice.empty() ? s.symbol + " на " + formatWhole(s.percent) + " %" : s.advice;
        }
        return text;
    }
    std::string text;
    for (const FitChange& change : outcome.changes) {
        text += text.empty() ? "" : "; ";
        text += change.input->symbol + std::string(" ");
        if (change.input->step == FitStep::LaterItem) {
            text += change.before + kShortArrow + change.after;
        } else {
            const auto [before, after] = shortPair(change);
            text += before + kShortArrow + after;
        }
        if (change.passesAfter != change.passesBefore)
            text += ", i=" + formatWhole(change.passesAfter);
        if (change.widthPassesAfter != change.widthPassesBefore)
            text += ", по ширине i=" + formatWhole(change.widthPassesAfter);
    }
    return text.empty() ? "—" : text;
}

} // namespace millcalc
