// The results of the last calculation written at the end of its file as
// comments, with the marks the sheet gives them: a colleague who opens the
// file in a text editor sees what was computed. Opening computes again, so
// the reader passes over them.
#pragma once

#include <string>

namespace millcalc {

class CalculationRecord;
class Form;

inline constexpr const char* kResultsHeading = "# Результаты последнего расчета";
inline constexpr const char* kResultsStale
    = "# Результаты устарели: исходные данные изменены после расчета";
inline constexpr const char* kResultsNone = "# Результатов нет: расчет не выполнялся";

// The comment block of the method on the active result page, as the record of
// its last calculation stands; empty for the blank page.
std::string calculationResults(const Form& form, const CalculationRecord& record);

} // namespace millcalc
