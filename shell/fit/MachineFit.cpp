#include "shell/fit/MachineFit.h"

#include "app/Form.h"
#include "app/NumberText.h"
#include "shell/fit/FitPlanner.h"
#include "shell/table/Methods.h"

#include <memory>
#include <string>
#include <vector>

namespace millcalc {

void fitToMachine(Form& form)
{
    const Method* method = activeMethod(form.store());
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
        // After the width: a width written anew counts one pass across it.
        if (input.widthPasses != nullptr)
            store.setText(input.widthPasses, formatWhole(change.widthPassesAfter));
    }
    // Every value shown is the method's own, on the new inputs.
    const int result = method->fit->calculate != nullptr ? method->fit->calculate(form, overrides)
                                                         : method->calculate(form);
    form.tellCalculation({ .cause = CalculationNotice::Cause::Fit,
        .method = method,
        .completed = result >= 0,
        .logStart = 0 });
}

namespace {

void fitPage(Form& form, const Method& method)
{
    // As the user's pick of the result page: the input page follows it.
    const int page = pageOf(method);
    if (form.store().index("PageControlMethods") != page)
        form.pick("PageControlMethods", page);
    fitToMachine(form);
}

void installWidthPasses(Form& form)
{
    // For each width a fit may narrow: its passes' field and the width at
    // which they were counted.
    struct Counted {
        const char* width;
        const char* passes;
        std::string at;
    };
    auto counted = std::make_shared<std::vector<Counted>>();
    for (const Method& method : methods()) {
        if (method.fit == nullptr)
            continue;
        for (const FitInput& input : method.fit->inputs) {
            if (input.widthPasses != nullptr)
                counted->push_back({ input.field, input.widthPasses, std::string() });
        }
    }
    form.store().listen([&form, counted](const std::string& name, Change change) {
        if (change != Change::Text)
            return;
        FieldStore& store = form.store();
        for (Counted& c : *counted) {
            if (name == c.passes) {
                c.at = store.text(c.width);
            } else if (name == c.width && store.text(c.passes) != "1"
                && readReal(store.text(c.width)) != readReal(c.at)) {
                // Another width is the part's own again: one pass across it.
                store.setText(c.passes, "1");
            }
        }
    });
}

} // namespace

void installMachineFit(Form& form)
{
    installWidthPasses(form);
    for (const Method& method : methods()) {
        if (method.fit == nullptr)
            continue;
        form.onClick(method.fit->button, [&form, &method] { fitPage(form, method); });
    }
    // The results' context menu fits the cut of the page shown.
    form.onClick("N29", [&form] { fitToMachine(form); });
}

} // namespace millcalc
