// Reading and writing the numbers that live in field texts, independent of the
// process locale: a Russian desktop's C library would write "12,500" and stop
// reading at ".", so nothing here goes through printf or strtod.
#pragma once

#include <string>
#include <string_view>

namespace millcalc {

// A real number by the rules of strtod in the "C" locale: leading white space,
// optional sign, digits with an optional "." or "," (a decimal comma reads as a
// decimal point: "12,5" is 12.5, ",5" is 0.5), optional exponent; reading stops at
// the first character that does not fit and a text with no number in front reads
// as 0. No hex and no inf or nan words. A value that is not finite (such as
// "1e999") reads as 0, so that no field can carry an infinity into a formula.
double readReal(std::string_view text);

// A whole number by the rules of atol: leading white space, optional sign,
// decimal digits up to the first non-digit (a decimal point or comma ends them:
// "2,9" is 2); no digits read as 0, and so do leading digits beyond the range
// of int.
int readWhole(std::string_view text);

// printf "%.<decimals>f" with "." as the decimal separator.
std::string formatFixed(double value, int decimals);

// printf "%.<digits>g" with "." as the decimal separator.
std::string formatGeneral(double value, int digits);

// printf "%d".
std::string formatWhole(int value);

} // namespace millcalc
