#include "app/NumberText.h"

#include <bit>
#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <string>
#include <system_error>

namespace millcalc {

namespace {

bool isBlank(char c)
{
    // isspace in the "C" locale
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Every power of ten up to 10^22 is a double exactly; so is every whole number
// of at most 15 decimal digits (below 2^53).
constexpr double kPowersOfTen[] = { 1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22 };
constexpr std::size_t kExactDigits = 15;
// The quotient of two exact doubles is the nearest double to the exact one
// only where the processor divides in double precision itself (not the x87's
// extended one, which rounds twice).
constexpr bool kDividesExactly = FLT_EVAL_METHOD == 0;

std::size_t skipBlanks(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    return i;
}

// Appends the decimal digits from `from` on to the whole number (past 19 of
// them it wraps, and is not used); returns where they end.
std::size_t readDigits(std::string_view text, std::size_t from, std::uint64_t& whole)
{
    const char* const start = text.data();
    const char* const end = start + text.size();
    const char* at = start + from;
    while (at != end && isDigit(*at)) {
        whole = whole * 10 + static_cast<std::uint64_t>(*at - '0');
        ++at;
    }
    return static_cast<std::size_t>(at - start);
}

} // namespace

double readReal(std::string_view text)
{
    std::size_t i = skipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t numberStart = i;
    // The digits as one whole number, as long as it stays exact in a double.
    std::uint64_t mantissa = 0;
    i = readDigits(text, i, mantissa);
    std::size_t digits = i - numberStart;
    // A decimal comma is a decimal point: "12,5" is how twelve and a half is
    // written on a Russian desktop, and its keypad types "," for the decimal key.
    std::size_t separator = std::string_view::npos;
    std::size_t decimals = 0;
    if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
        separator = i;
        const std::size_t end = readDigits(text, i + 1, mantissa);
        decimals = end - (i + 1);
        digits += decimals;
        i = end;
    }
    if (digits == 0)
        return 0.0;
    // An exponent counts only when at least one digit follows it ("1e" reads 1).
    bool exponent = false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j]))
                ++j;
            i = j;
            exponent = true;
        }
    }
    // What a field holds as a rule ("0.2501", "1060"): a whole number of at
    // most 15 digits and a power of ten up to 10^22 are both exact in a double,
    // so their quotient is the double nearest to the text, as from_chars
    // gives it, at a fraction of its cost.
    if (kDividesExactly && !exponent && digits <= kExactDigits
        && decimals < std::size(kPowersOfTen)) {
        const double value = static_cast<double>(mantissa) / kPowersOfTen[decimals];
        return negative ? -value : value;
    }
    double value = 0.0;
    const char* first = text.data() + numberStart;
    const char* last = text.data() + i;
    std::string withPoint;
    if (separator != std::string_view::npos && text[separator] == ',') {
        withPoint.assign(first, last);
        withPoint[separator - numberStart] = '.';
        first = withPoint.data();
        last = withPoint.data() + withPoint.size();
    }
    const auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Overflow is not finite and reads as 0; underflow is as good as 0.
        return 0.0;
    }
    if (result.ec != std::errc() || !std::isfinite(value))
        return 0.0;
    return negative ? -value : value;
}

int readWhole(std::string_view text)
{
    std::size_t i = skipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Held at one past the int range, so that no length of digits overflows.
    constexpr long long kBeyond = static_cast<long long>(INT_MAX) + 2;
    long long value = 0;
    while (i < text.size() && isDigit(text[i])) {
        value = value * 10 + (text[i] - '0');
        if (value > kBeyond)
            value = kBeyond;
        ++i;
    }
    if (negative)
        value = -value;
    // Beyond the range of int reads as 0, as a real that is not finite does:
    // the field is then corrected like any other unusable count, rather than
    // calculating with the largest int.
    if (value > INT_MAX || value < INT_MIN)
        return 0;
    return static_cast<int>(value);
}

namespace {

#if defined(__SIZEOF_INT128__)
constexpr std::uint64_t kWholePowersOfTen[]
    = { 1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000 };

// A double as it is written in fixed notation, found with whole numbers: the
// double is m·2^e exactly, so value·10^decimals is m·10^decimals shifted right
// by -e bits, and the bits shifted out tell the rounding, half to even, as
// printf rounds the exact binary value. False where the value is no normal
// double below 2^52, the decimals are not 0 to 9, or the digits do not fit
// 64 bits: the standard writer takes those.
bool writeFixedExactly(double value, int decimals, std::string& text)
{
    constexpr int kMostDecimals = static_cast<int>(std::size(kWholePowersOfTen)) - 1;
    constexpr int kMantissaBits = 52;
    constexpr int kExponentBias = 1075; // 1023 and the mantissa's 52 bits
    if (decimals < 0 || decimals > kMostDecimals)
        return false;
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const int biased = static_cast<int>((bits >> kMantissaBits) & 0x7ff);
    if (biased == 0 || biased == 0x7ff)
        return false; // zero, subnormal, infinite or not a number
    const int shift = kExponentBias - biased; // value = m · 2^-shift
    if (shift <= 0)
        return false;
    using Wide = unsigned __int128;
    const std::uint64_t mantissa = (bits & ((std::uint64_t { 1 } << kMantissaBits) - 1))
        | (std::uint64_t { 1 } << kMantissaBits);
    const Wide scaled = static_cast<Wide>(mantissa) * kWholePowersOfTen[decimals]; // below 2^83
    Wide units = 0;
    // Shifted by 84 bits or more, the value is below half a unit: 0.
    if (shift < 84) {
        units = scaled >> shift;
        const Wide rest = scaled & ((Wide { 1 } << shift) - 1);
        const Wide half = Wide { 1 } << (shift - 1);
        if (rest > half || (rest == half && (units & 1) != 0))
            ++units;
    }
    if ((units >> 64) != 0)
        return false;
    auto whole = static_cast<std::uint64_t>(units);
    char digits[32];
    char* end = digits + sizeof digits;
    char* first = end;
    // At least one digit before the point.
    for (int written = 0; whole != 0 || written <= decimals; ++written) {
        if (written == decimals && decimals > 0)
            *--first = '.';
        *--first = static_cast<char>('0' + whole % 10);
        whole /= 10;
    }
    text.clear();
    if ((bits >> 63) != 0)
        text += '-';
    text.append(first, end);
    return true;
}
#else
bool writeFixedExactly(double, int, std::string&)
{
    return false;
}
#endif

} // namespace

std::string formatFixed(double value, int decimals)
{
    std::string text;
    if (writeFixedExactly(value, decimals, text))
        return text;
    // Enough room for the largest double written in full with its decimals.
    char buffer[400];
    const auto result
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return std::string();
    return std::string(buffer, result.ptr);
}

std::string formatGeneral(double value, int digits)
{
    char buffer[64];
    const auto result
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    if (result.ec != std::errc())
        return std::string();
    return std::string(buffer, result.ptr);
}

std::string formatWhole(int value)
{
    return std::to_string(value);
}

} // namespace millcalc
