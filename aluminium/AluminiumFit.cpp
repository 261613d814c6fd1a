#include "aluminium/AluminiumFit.h"

#include "aluminium/Aluminium.h"
#include "app/Form.h"

#include <string_view>

namespace millcalc {

namespace {

// The speed and the feed first: they leave the cut as planned. The passes
// come before the width: another pass keeps the path of the tool, a narrower
// width adds paths.
constexpr FitInput kInputs[] = {
    { "EditV", "V", FitStep::Lower, 3, nullptr, nullptr, 0, LimitKind::None, true },
    { "EditSz", "Sz", FitStep::Lower, 3, nullptr, nullptr, 0, LimitKind::None, true },
    { "BaseAlT", "t", FitStep::Passes, 3, "BaseAlPasses" },
    { .field = "BaseAlB",
        .symbol = "B",
        .step = FitStep::Lower,
        .decimals = 3,
        .widthPasses = "EditAlWidthPasses" },
};

const std::string* overrideOf(std::span<const FitValue> overrides, std::string_view field)
{
    for (const FitValue& value : overrides) {
        if (field == value.field)
            return &value.text;
    }
    return nullptr;
}

} // namespace

const FitPlan& aluminiumFitPlan()
{
    static const FitPlan plan { "BitBtnAlFit", kInputs, 1.0, nullptr, CalcAluminiumFitted };
    return plan;
}

int CalcAluminiumFitted(Form& form, std::span<const FitValue> overrides)
{
    return CalcAluminiumWith(
        form, overrideOf(overrides, "EditSz"), overrideOf(overrides, "EditV"), kMachineSpeedMark);
}

} // namespace millcalc
