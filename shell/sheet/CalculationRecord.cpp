#include "shell/sheet/CalculationRecord.h"

#include "app/Form.h"
#include "shell/table/Methods.h"

#include <algorithm>
#include <cstddef>

namespace millcalc {

CalculationRecord::CalculationRecord(Form& form)
    : form_(form)
    , logs_(methods().size())
    , calculatedOn_(methods().size())
{
    form.onCalculation([this](const CalculationNotice& notice) { follow(notice); });
}

void CalculationRecord::follow(const CalculationNotice& notice)
{
    using Cause = CalculationNotice::Cause;
    switch (notice.cause) {
    case Cause::Renew:
        for (std::size_t page = 0; page < logs_.size(); ++page) {
            logs_[page].clear();
            calculatedOn_[page].reset();
        }
        return;
    case Cause::Park:
        return;
    case Cause::Run:
    case Cause::Fit:
        break;
    }
    if (notice.method == nullptr)
        return;
    const auto page = static_cast<std::size_t>(pageOf(*notice.method));
    // A fit's run counts as calculated on the inputs it wrote however it
    // ended; a "Расчет" that stopped leaves the record of the last one.
    if (notice.completed || notice.cause == Cause::Fit)
        calculatedOn_[page] = inputsOf(*notice.method);
    // The lines a "Расчет" wrote are kept for the sheet, whatever becomes of
    // the log afterwards, even where it stopped; a fit keeps those of the
    // last "Расчет".
    if (notice.cause == Cause::Run) {
        const std::vector<std::string>& lines = form_.store().items("ElFlatMemoMes");
        logs_[page].assign(
            lines.begin() + static_cast<std::ptrdiff_t>(std::min(notice.logStart, lines.size())),
            lines.end());
    }
}

std::string CalculationRecord::inputsOf(const Method& method) const
{
    const FieldStore& store = form_.store();
    std::string text = std::to_string(store.index("TabMach"));
    const auto add = [&](const FieldCaption& entry) {
        const Field& f = store.field(entry.field);
        text += '\n' + f.name + '=' + store.text(f.name) + '|' + std::to_string(f.index)
            + (f.checked ? "|1" : "|0");
    };
    for (const FieldCaption& entry : method.inputs)
        add(entry);
    for (const CoefficientGroup& group : method.coefficients) {
        for (const FieldCaption& entry : group.coefficients)
            add(entry);
    }
    return text;
}

const std::vector<std::string>& CalculationRecord::log(const Method& method) const
{
    return logs_[static_cast<std::size_t>(pageOf(method))];
}

const std::vector<std::string>& CalculationRecord::shownLog() const
{
    static const std::vector<std::string> none;
    const Method* method = activeMethod(form_.store());
    return method != nullptr ? log(*method) : none;
}

ResultsState CalculationRecord::resultsState(const Method& method) const
{
    const std::optional<std::string>& on = calculatedOn_[static_cast<std::size_t>(pageOf(method))];
    if (!on)
        return ResultsState::None;
    return *on == inputsOf(method) ? ResultsState::Fresh : ResultsState::Stale;
}

} // namespace millcalc
