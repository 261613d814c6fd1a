#include "shell/file/CalculationResults.h"

#include "app/Form.h"
#include "shell/sheet/CalculationRecord.h"
#include "shell/sheet/CalculationSheet.h"
#include "shell/table/Methods.h"

#include <algorithm>

namespace millcalc {

namespace {

// A comment holds one line.
std::string oneLine(std::string text)
{
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return text;
}

} // namespace

std::string calculationResults(const Form& form, const CalculationRecord& record)
{
    const Method* method = activeMethod(form.store());
    if (method == nullptr)
        return std::string();
    const CalculationSheet sheet = buildCalculationSheet(form, record.log(*method), "");
    std::string text = std::string(kResultsHeading) + " (" + oneLine(sheet.method)
        + "); при открытии файла расчет выполняется заново\n";
    switch (record.resultsState(*method)) {
    case ResultsState::None:
        return text + kResultsNone + '\n';
    case ResultsState::Stale:
        text += std::string(kResultsStale) + '\n';
        break;
    case ResultsState::Fresh:
        break;
    }
    for (const SheetLine& line : sheet.results) {
        text += "# " + oneLine(line.caption) + " = " + oneLine(line.value);
        if (!line.unit.empty())
            text += ' ' + line.unit;
        if (!line.status.empty())
            text += " — " + line.status;
        text += '\n';
    }
    text += "# Режим: " + oneLine(sheet.operationCard) + '\n';
    return text;
}

} // namespace millcalc
