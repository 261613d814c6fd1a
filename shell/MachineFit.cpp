#include "shell/MachineFit.h"

#include "app/NumberText.h"
#include "shell/FormMain.h"
#include "shell/MachineComparison.h"
#include "shell/Methods.h"

namespace millcalc {

void fitToMachine(FormMain& form)
{
    const Method* method = methodAt(form.store().index("PageControlMethods"));
    if (method == nullptr || method->fit == nullptr)
        return;
    const FitOutcome outcome = planFit(form, *method);
    for (const std::string& line : outcome.lines)
        form.LogMessage(line);
    std::vector<FitValue> overrides;
    FieldStore& store = form.store();
    for (const FitChange& change : outcome.changes) {
        const FitInput& input = *change.input;
        if (input.overridesResult) {
            overrides.push_back({ input.field, change.after });
            continue;
        }
        store.setText(input.field, change.after);
        if (input.passes != nullptr)
            store.setText(input.passes, formatWhole(change.passesAfter));
    }
    // Every value shown is the method's own, on the new inputs.
    if (method->fit->calculate != nullptr)
        method->fit->calculate(form, overrides);
    else
        method->calculate(form);
    refreshMachineComparison(form);
}

namespace {

void fitPage(FormMain& form, int page)
{
    if (form.store().index("PageControlMethods") != page) {
        form.store().setIndex("PageControlMethods", page);
        form.resultPageChange();
    }
    fitToMachine(form);
}

} // namespace

void BitBtnStFitClick(FormMain& form)
{
    fitPage(form, 0);
}

void BitBtnAlFitClick(FormMain& form)
{
    fitPage(form, 1);
}

void BitBtnTiFitClick(FormMain& form)
{
    fitPage(form, 2);
}

void installMachineFit(FormMain& form)
{
    form.onClick("BitBtnStFit", [&form] { BitBtnStFitClick(form); });
    form.onClick("BitBtnAlFit", [&form] { BitBtnAlFitClick(form); });
    form.onClick("BitBtnTiFit", [&form] { BitBtnTiFitClick(form); });
    // The results' context menu fits the cut of the page shown.
    form.onClick("N29", [&form] { fitToMachine(form); });
}

} // namespace millcalc
