#include "titanium/TitaniumFit.h"

namespace millcalc {

namespace {

// The force falls with the depth and the width, the speed with a longer life.
// Another pass keeps the path of the tool, a narrower width adds paths; a
// longer life only helps a speed, feed or power beyond the machine.
constexpr FitInput kInputs[] = {
    { "BaseTiT", "t", FitStep::Passes, 3, "BaseTiPasses" },
    { .field = "BaseTiB",
        .symbol = "B",
        .step = FitStep::Lower,
        .decimals = 2,
        .widthPasses = "EditTiWidthPasses" },
    { "ComboBoxTiTime", "T", FitStep::LaterItem, 0 },
};

} // namespace

const FitPlan& titaniumFitPlan()
{
    static const FitPlan plan { "BitBtnTiFit", kInputs, 1.0, nullptr, nullptr };
    return plan;
}

} // namespace millcalc
