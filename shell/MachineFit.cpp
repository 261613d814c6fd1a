#include "shell/MachineFit.h"

#include "app/Form.h"
#include "app/NumberText.h"
#include "shell/MachineComparison.h"
#include "shell/Methods.h"

namespace millcalc {

void fitToMachine(Form& form)
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

void fitPage(Form& form, int page)
{
    // As the user's pick of the result page: the input page follows it.
    if (form.store().index("PageControlMethods") != page)
        form.pick("PageControlMethods", page);
    fitToMachine(form);
}

} // namespace

void BitBtnStFitClick(Form& form)
{
    fitPage(form, 0);
}

void BitBtnAlFitClick(Form& form)
{
    fitPage(form, 1);
}

void BitBtnTiFitClick(Form& form)
{
    fitPage(form, 2);
}

void installMachineFit(Form& form)
{
    form.onClick("BitBtnStFit", [&form] { BitBtnStFitClick(form); });
    form.onClick("BitBtnAlFit", [&form] { BitBtnAlFitClick(form); });
    form.onClick("BitBtnTiFit", [&form] { BitBtnTiFitClick(form); });
    // The results' context menu fits the cut of the page shown.
    form.onClick("N29", [&form] { fitToMachine(form); });
}

} // namespace millcalc
