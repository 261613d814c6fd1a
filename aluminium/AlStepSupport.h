// What the aluminium steps share: their results, the check of a coefficient that
// must be greater than 0, and the report of a value that is not a finite number.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace millcalc {

// The aluminium page's cutter chooser.
inline constexpr const char* kAluminiumCutter = "ComboBoxAlCutter";

class Form;

// A calculation step returns 0 when it ran to its end and -1 when it stopped.
inline constexpr int kStepDone = 0;
inline constexpr int kStepStopped = -1;

// A feed per tooth at or below this counts as not computed.
inline constexpr double kLeastFeedPerTooth = 0.0001;
inline constexpr const char* kFeedZeroMessage = "Ошибка вычисления-> Sz=fz=0.";

// A field read as a number that must be greater than 0, and what replaces it.
struct PositiveCheck {
    const char* field;
    double replacement;
    int decimals; // of the replacement written back into the field
    const char* message;
};

// Reads the field; a value not greater than 0 is replaced in the field (focus and
// whole text selected), its message is logged, and the replacement is returned.
double readPositive(Form& form, const PositiveCheck& check);

// Reads a group of coefficients in the order of the table.
template <std::size_t N>
std::array<double, N> readPositives(Form& form, const PositiveCheck (&checks)[N])
{
    std::array<double, N> values {};
    for (std::size_t i = 0; i < N; ++i)
        values[i] = readPositive(form, checks[i]);
    return values;
}

// Returns true after logging and showing a warning when the value is not a
// finite number: such a value must never reach a field, and the step that
// computed it stops.
bool reportNotFinite(Form& form, double value, std::string_view quantity);

// The text of the report above, for the quantity named.
std::string notFiniteMessage(std::string_view quantity);

} // namespace millcalc
