// What the Walter steps share when they hand a result to its field: the guard
// that keeps a value that is not finite out of the field.
#pragma once

#include <string_view>

namespace millcalc {

class Form;

namespace walter {

// How a result reaches its field: a plain write, or in the manner of
// CorrectField (write, focus, select the whole text).
enum class ResultWrite { Plain, Focused };

// Writes the value with the given decimals. A value that is not finite is not
// written: the log and a warning box say which quantity overflowed, and the
// caller stops its step. Returns whether the value was written.
bool writeResult(Form& form, std::string_view field, double value, int decimals,
    std::string_view quantity, ResultWrite how = ResultWrite::Plain);

} // namespace walter
} // namespace millcalc
