#include "shell/StaleResults.h"

#include "app/Form.h"
#include "shell/table/Methods.h"

#include <utility>

namespace millcalc {

namespace {

constexpr const char* kMachine = "TabMach";
// Every method at once: the machine's limits colour all results.
constexpr int kAllMethods = -1;

bool isInputOf(const Method& method, std::string_view name)
{
    for (const FieldCaption& input : method.inputs)
        if (name == input.field)
            return true;
    for (const CoefficientGroup& group : method.coefficients)
        for (const FieldCaption& coefficient : group.coefficients)
            if (name == coefficient.field)
                return true;
    return false;
}

bool isResult(std::string_view name)
{
    for (const Method& method : methods())
        for (const FieldCaption& result : method.results)
            if (name == result.field)
                return true;
    return name == kComparisonGrid;
}

} // namespace

StaleResults::StaleResults(Form& form)
    : form_(form)
{
    // The store and the form outlive this watcher (a window built anew over
    // the same form): what they call back holds only a weak token of it.
    std::weak_ptr<bool> alive = alive_;
    form_.store().listen([this, alive](const std::string& name, Change change) {
        if (alive.expired())
            return;
        switch (change) {
        case Change::Text:
        case Change::Index:
        case Change::Checked:
        case Change::Colour:
        case Change::Cells:
            seen(name);
            break;
        default:
            return;
        }
        if (!form_.inCommand())
            settle();
    });
    form_.onCommandEnd([this, alive] {
        if (!alive.expired())
            settle();
    });
}

bool StaleResults::stale(std::string_view field) const
{
    return stale_.find(field) != stale_.end();
}

void StaleResults::seen(const std::string& name)
{
    if (name == kMachine) {
        changedMethods_.insert(kAllMethods);
        return;
    }
    if (isResult(name)) {
        written_.insert(name);
        return;
    }
    for (const Method& method : methods())
        if (isInputOf(method, name))
            changedMethods_.insert(pageOf(method));
}

void StaleResults::settle()
{
    if (changedMethods_.empty() && written_.empty())
        return;
    bool changed = false;
    const auto mark = [&](std::string_view field) {
        if (written_.find(field) == written_.end())
            changed = stale_.emplace(field).second || changed;
    };
    for (const Method& method : methods()) {
        if (changedMethods_.count(kAllMethods) == 0 && changedMethods_.count(pageOf(method)) == 0)
            continue;
        for (const FieldCaption& result : method.results) {
            // The passes across the part are the fit's count, which no
            // calculation writes: they follow the width typed, not the run.
            if (method.card.widthPasses == nullptr
                || result.field != std::string_view(method.card.widthPasses))
                mark(result.field);
        }
        mark(kComparisonGrid);
    }
    for (const std::string& field : written_)
        if (stale_.erase(field) > 0)
            changed = true;
    changedMethods_.clear();
    written_.clear();
    if (changed && listener_)
        listener_();
}

} // namespace millcalc
