// libFuzzer target over the reading and writing of field numbers: a text reads
// as strtod and atol read it in the "C" locale (without hex, inf and nan, with
// a value beyond the doubles read as 0, and with a decimal comma read as the
// decimal point for reals), never as a value that is not finite, and every
// finite value written with a field's decimals reads back within half a unit
// of its last decimal.
#include "app/NumberText.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

using namespace millcalc;

[[noreturn]] void fail(const std::string& what, std::string_view text)
{
    std::fprintf(stderr, "number fuzzer: %s for \"%.*s\"\n", what.c_str(),
        static_cast<int>(text.size() > 200 ? 200 : text.size()), text.data());
    std::abort();
}

bool showsNotFinite(const std::string& text)
{
    std::string lower = text;
    for (char& c : lower)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return lower.find("nan") != std::string::npos || lower.find("inf") != std::string::npos;
}

// Whether strtod would read the text by rules the field reading leaves out on
// purpose: hexadecimal numbers and the words inf and nan.
bool outsideFieldRules(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    if (i == text.size())
        return false;
    const char c = text[i];
    if (c == 'i' || c == 'I' || c == 'n' || c == 'N')
        return true;
    return c == '0' && i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X');
}

// The text with the comma that stands where strtod expects the decimal point
// (after blanks, a sign and the integer digits) turned into a point; any other
// comma stays and ends the number as before.
std::string withDecimalPoint(std::string text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    if (i < text.size() && text[i] == ',')
        text[i] = '.';
    return text;
}

void checkWritten(double value, std::string_view origin)
{
    for (int decimals : { 0, 1, 2, 3, 5, 8 }) {
        const std::string text = formatFixed(value, decimals);
        if (text.empty() || showsNotFinite(text) || text.find(',') != std::string::npos)
            fail("formatFixed wrote \"" + text + "\"", origin);
        const double back = readReal(text);
        const double tolerance = 0.5 * std::pow(10.0, -decimals) + std::fabs(value) * 4e-16;
        if (!std::isfinite(back) || std::fabs(back - value) > tolerance)
            fail("\"" + text + "\" read back as " + formatGeneral(back, 17), origin);
    }
    const std::string exact = formatGeneral(value, 17);
    const double back = readReal(exact);
    // The smallest doubles may read as 0: they are as good as 0 in a field.
    if (back != value && !(std::fabs(value) < 2.3e-308 && back == 0.0))
        fail("\"" + exact + "\" read back as " + formatGeneral(back, 17), origin);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string terminated(text);

    const double real = readReal(text);
    if (!std::isfinite(real))
        fail("readReal gave a value that is not finite", text);
    if (!outsideFieldRules(text) && std::strlen(terminated.c_str()) == terminated.size()) {
        errno = 0;
        const double reference = std::strtod(withDecimalPoint(terminated).c_str(), nullptr);
        // Beyond the doubles strtod gives an infinity (read as 0 here) or a
        // value too small to keep its precision.
        if (errno != ERANGE && reference != real)
            fail("readReal gave " + formatGeneral(real, 17) + ", strtod "
                    + formatGeneral(reference, 17),
                text);
    }
    checkWritten(real, text);

    const int whole = readWhole(text);
    if (std::strlen(terminated.c_str()) == terminated.size()) {
        const long reference = std::strtol(terminated.c_str(), nullptr, 10);
        // Beyond the range of int (strtol itself may have held it at its ends).
        const long expected = reference > INT_MAX || reference < INT_MIN ? 0 : reference;
        if (whole != expected)
            fail("readWhole gave " + formatWhole(whole) + ", strtol " + std::to_string(reference),
                text);
    }
    if (readWhole(formatWhole(whole)) != whole)
        fail("formatWhole did not read back", text);

    // The first eight bytes as the bits of a double: every finite value.
    if (size >= sizeof(double)) {
        double bits = 0;
        std::memcpy(&bits, data, sizeof bits);
        if (std::isfinite(bits))
            checkWritten(bits, text);
    }
    return 0;
}
