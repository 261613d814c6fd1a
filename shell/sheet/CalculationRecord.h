// What the sheet and the calculation file tell of each method's last
// calculation: the log lines its last "Расчет" wrote, and the inputs its
// results were calculated on, to tell whether they still follow from those on
// screen. It follows the form's calculation notice.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace millcalc {

class Form;
struct CalculationNotice;
struct Method;

// The results of a method page as they stand against its inputs.
enum class ResultsState {
    None, // not calculated since the start or the last "Новый расчет"
    Fresh, // calculated on the inputs as they stand
    Stale, // an input, or the machine, changed since
};

class CalculationRecord {
public:
    // Follows the form's calculation notice from now on; the form outlives it.
    explicit CalculationRecord(Form& form);
    CalculationRecord(const CalculationRecord&) = delete;
    CalculationRecord& operator=(const CalculationRecord&) = delete;

    // The log lines that the method's last "Расчет" wrote; empty before the
    // first and after "Новый расчет".
    const std::vector<std::string>& log(const Method& method) const;
    // The same of the method whose results the window shows; empty on the
    // blank page.
    const std::vector<std::string>& shownLog() const;
    ResultsState resultsState(const Method& method) const;

private:
    void follow(const CalculationNotice& notice);
    // The machine and the method's inputs in one text, to tell a change.
    std::string inputsOf(const Method& method) const;

    const Form& form_;
    std::vector<std::vector<std::string>> logs_;
    // The inputs each method's results were calculated on; none before.
    std::vector<std::optional<std::string>> calculatedOn_;
};

} // namespace millcalc
