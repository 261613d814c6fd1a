#include "app/NumberText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <random>
#include <string>

namespace millcalc {
namespace {

struct RealCase {
    const char* text;
    double value;
};

// What a machinist may type into a field, and what the calculation reads. A
// decimal comma is the decimal point of a Russian keyboard's numeric keypad.
constexpr RealCase kRealCases[] = {
    { "12,5", 12.5 },
    { "0,15", 0.15 },
    { ",5", 0.5 },
    { "-,5", -0.5 },
    { " 5,", 5.0 },
    { "1,5e2", 150.0 },
    { "1,5,3", 1.5 },
    { "1.5,3", 1.5 },
    { "1,2.3", 1.2 },
    { ",", 0.0 },
    { "1e2,5", 100.0 },
    { "abc", 0.0 },
    { "", 0.0 },
    { "1e3", 1000.0 },
    { "  25.0", 25.0 },
    { "-5", -5.0 },
    { "+7.5", 7.5 },
    { ".5", 0.5 },
    { "5.", 5.0 },
    { "1e", 1.0 },
    { "1e+", 1.0 },
    { "2E-2", 0.02 },
    { "3.5x", 3.5 },
    { "0x1A", 0.0 },
    { "inf", 0.0 },
    { "nan", 0.0 },
    { "infinity", 0.0 },
    { "1e999", 0.0 },
    { "-1e999", 0.0 },
    { "1e-999", 0.0 },
    { "\t\n 8", 8.0 },
    { "- 5", 0.0 },
    { ".", 0.0 },
    { "1060.0", 1060.0 },
    { "13496.339", 13496.339 },
    { "1e308", 1e308 },
    { "Ø12", 0.0 },
};

TEST(NumberText, ReadsRealsLikeStrtodInTheCLocaleWithADecimalComma)
{
    for (const RealCase& c : kRealCases)
        EXPECT_EQ(readReal(c.text), c.value) << "text \"" << c.text << "\"";
}

// The reference: the standard library's correctly rounded reading of the
// text with a decimal point.
double nearestDouble(std::string text)
{
    std::replace(text.begin(), text.end(), ',', '.');
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// Texts of up to 15 digits without an exponent are read by dividing by a
// power of ten; every other text by the standard library. Both must give the
// same double to the last bit, at the borders between the two ways too.
TEST(NumberText, ReadsEveryDecimalTextAsTheNearestDouble)
{
    const char* const borders[] = { "0.1", "0.3", "2.675", "1.3275", "0.2501", "999999999999999",
        "9999999999999999", "123456789012345", "1234567890123456", "12345678.9012345",
        "1.23456789012345", "1.234567890123456", "0.0000000000000000000001",
        "0.00000000000000000000001", "0.1234567890123456789012", "9007199254740993",
        "9007199254740992.5", "4503599627370497.5", "0,7", "13496,339", "1e-5", "5e+3" };
    for (const char* text : borders)
        EXPECT_EQ(readReal(text), nearestDouble(text)) << "text \"" << text << "\"";
    // Digits spread over the whole range of the division: a fixed sequence.
    std::mt19937_64 random(20240601);
    for (int i = 0; i < 20000; ++i) {
        const int digits = 1 + static_cast<int>(random() % 17);
        std::string text;
        for (int d = 0; d < digits; ++d)
            text += static_cast<char>('0' + random() % 10);
        const auto point = static_cast<std::size_t>(random() % (text.size() + 1));
        text.insert(point, 1, i % 3 == 0 ? ',' : '.');
        ASSERT_EQ(readReal(text), nearestDouble(text)) << "text \"" << text << "\"";
    }
    EXPECT_TRUE(std::signbit(readReal("-0.0")));
    EXPECT_TRUE(std::signbit(readReal("-0")));
}

struct WholeCase {
    const char* text;
    int value;
};

constexpr WholeCase kWholeCases[] = {
    { "3", 3 },
    { "3.5", 3 },
    { "2.9", 2 },
    { "2,9", 2 },
    { "4.7", 4 },
    { "", 0 },
    { "abc", 0 },
    { " -2", -2 },
    { "+6", 6 },
    { "0", 0 },
    { "2147483647", 2147483647 },
    { "-2147483648", -2147483647 - 1 },
    { "2147483648", 0 },
    { "-2147483649", 0 },
    { "3000000000", 0 },
    { "99999999999999999999999", 0 },
    { "-99999999999999", 0 },
};

TEST(NumberText, ReadsWholeNumbersByLeadingDigits)
{
    for (const WholeCase& c : kWholeCases)
        EXPECT_EQ(readWhole(c.text), c.value) << "text \"" << c.text << "\"";
}

TEST(NumberText, WritesFixedDecimalsWithAPoint)
{
    EXPECT_EQ(formatFixed(13496.3389, 3), "13496.339");
    EXPECT_EQ(formatFixed(0.0, 2), "0.00");
    EXPECT_EQ(formatFixed(0.09941961449, 8), "0.09941961");
    EXPECT_EQ(formatFixed(18000, 0), "18000");
    EXPECT_EQ(formatFixed(2.5, 0), "2"); // round half to even, as printf does
    EXPECT_EQ(formatFixed(1.3275, 3), "1.327"); // the nearest double lies below
    EXPECT_EQ(formatGeneral(13496.33899, 10), "13496.33899");
    EXPECT_EQ(formatGeneral(0.0, 10), "0");
    EXPECT_EQ(formatWhole(-3), "-3");
}

std::string standardFixed(double value, int decimals)
{
    char buffer[400];
    const auto result
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

// Most doubles are written with whole-number arithmetic, the rest by the
// standard writer: to the last digit, both as printf writes the exact binary
// value, ties (2.5, 0.125) rounded to even and a negative value rounded to 0
// still negative.
TEST(NumberText, WritesEveryDoubleInFixedNotationAsPrintfDoes)
{
    const double borders[] = { 0.0, -0.0, 2.5, 3.5, -2.5, 0.125, 0.375, 1.3275, 1.0005, 0.0005,
        -0.0004, 13496.3389, 1060.0, 0.1, 0.7, 4503599627370495.5, 4503599627370496.0,
        9007199254740993.0, 1e17, 1.8e10, 1e-300, 5e-324, -1e-7, 123456789.987654321, 1e300 };
    for (const double value : borders) {
        for (int decimals = -1; decimals <= 12; ++decimals)
            EXPECT_EQ(formatFixed(value, decimals), standardFixed(value, decimals))
                << value << " with " << decimals << " decimals";
    }
    // Doubles of every magnitude from 2^-90 to 2^60, and the halves of the
    // last decimal, which only the exact value rounds right.
    std::mt19937_64 random(20240602);
    std::uniform_real_distribution<double> exponent(-90, 60);
    for (int i = 0; i < 20000; ++i) {
        const int decimals = static_cast<int>(random() % 11);
        double value = std::exp2(exponent(random)) * (i % 2 == 0 ? 1 : -1);
        if (i % 5 == 0)
            value = (std::floor(value * 1000) + 0.5) / 1000;
        ASSERT_EQ(formatFixed(value, decimals), standardFixed(value, decimals))
            << value << " with " << decimals << " decimals";
    }
}

// A Russian desktop runs under ru_RU.UTF-8, whose decimal separator is ",".
TEST(NumberText, IgnoresTheProcessLocale)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "ru_RU.UTF-8") == nullptr)
        GTEST_SKIP()
            << "locale ru_RU.UTF-8 is not installed (localedef -i ru_RU -f UTF-8 ru_RU.UTF-8)";
    char probe[32];
    std::snprintf(probe, sizeof probe, "%.1f", 12.5);
    EXPECT_STREQ(probe, "12,5") << "the locale should use a decimal comma";

    EXPECT_EQ(readReal("12.5"), 12.5);
    EXPECT_EQ(readReal("12,5"), 12.5);
    EXPECT_EQ(formatFixed(12.5, 3), "12.500");
    EXPECT_EQ(formatGeneral(0.25, 10), "0.25");
    std::setlocale(LC_ALL, previous.c_str());
}

} // namespace
} // namespace millcalc
