#include "walter/WalterFit.h"

#include "app/FieldStore.h"
#include "app/Form.h"
#include "machines/MachineTable.h"

#include <algorithm>

namespace millcalc {

namespace {

// Vc only for the spindle speed, as the shop lowers it; fz for the feed and
// the power, never below the chip the edge needs; then the depth in passes.
constexpr FitInput kInputs[] = {
    { "BaseVc", "Vc", FitStep::Lower, 3, nullptr, nullptr, 0, LimitKind::SpindleSpeed },
    { "Basefz", "fz", FitStep::Lower, 5, nullptr, "EditSthm2", kLeastChipThickness },
    { "BaseT", "ae", FitStep::Passes, 3, "BaseStPasses" },
};

} // namespace

double walterFitLimit(const Form& form, LimitKind kind)
{
    if (kind != LimitKind::Power)
        return 0;
    return std::min(form.store().real("EditStPn"), selectedMachine(form).MaxPower);
}

const FitPlan& walterFitPlan()
{
    static const FitPlan plan { "BitBtnStFit", kInputs, kFitMargin, walterFitLimit, nullptr };
    return plan;
}

} // namespace millcalc
