#include "shell/CalculationResults.h"

#include "shell/CalculationSheet.h"
#include "shell/FormMain.h"

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

std::string calculationResults(const FormMain& form)
{
    const int page = form.store().index("PageControlMethods");
    const CalculationSheet sheet = buildCalculationSheet(form, form.calculationLog(page), "");
    if (sheet.page < 0)
        return std::string();
    std::string text = std::string(kResultsHeading) + " (" + oneLine(sheet.method)
        + "); при открытии файла расчет выполняется заново\n";
    switch (form.resultsState(page)) {
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
