// The rule that keeps a coloured text readable, without the toolkit: every
// colour the program shows in a field or a caption, on every dark grey a
// desktop may paint a field or a window in, reads at 4.5:1 in its own hue;
// on a light background it is exactly itself.
#include "ui/bind/ReadableColour.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace millcalc {
namespace {

struct Coloured {
    const char* what;
    Rgb24 exact;
};

// The results' green, red and blue, the log's navy, the machine label's
// blue, and the groups' maroon, olive and purple.
constexpr Coloured kColoured[] = {
    { "green result", 0x008000 },
    { "red result", 0xff0000 },
    { "blue result and machine label", 0x0000ff },
    { "navy log", 0x000080 },
    { "maroon group", 0x800000 },
    { "olive group", 0x808000 },
    { "purple group", 0x800080 },
};

std::string hex(Rgb24 colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(colour & 0xffffffu));
    return text;
}

double hueDistance(double a, double b)
{
    const double apart = std::fmod(std::abs(a - b), 360.0);
    return std::min(apart, 360.0 - apart);
}

TEST(ReadableColourTest, everyColourReadsInItsHueOnEveryDarkGrey)
{
    // #000000 to #5a5a5a, Debian 12's dark fields (#242424) and Debian 13's
    // (#353535) among them.
    for (Rgb24 level = 0x00; level <= 0x5a; ++level) {
        const Rgb24 base = level << 16 | level << 8 | level;
        for (const Coloured& coloured : kColoured) {
            SCOPED_TRACE(std::string(coloured.what) + " on " + hex(base));
            ASSERT_FALSE(isLightBackground(base));
            const Rgb24 shown = readableColour(coloured.exact, base);
            EXPECT_GE(contrastRatio(shown, base), kReadableContrast) << hex(shown);
            EXPECT_LE(hueDistance(hueDegrees(shown), hueDegrees(coloured.exact)), 15.0)
                << hex(shown);
            // Never darker than the colour itself.
            EXPECT_GE(relativeLuminance(shown), relativeLuminance(coloured.exact));
        }
    }
}

TEST(ReadableColourTest, theDarkFieldsOfBothReleases)
{
    struct Case {
        const char* what;
        Rgb24 exact;
        Rgb24 base;
    };
    // The green once chosen for a dark field of #242424 reads at 4.44:1 on
    // Debian 13's #353535: the colour for that field is lighter still.
    const Case cases[] = {
        { "green on Debian 12's field", 0x008000, 0x242424 },
        { "green on Debian 13's field", 0x008000, 0x353535 },
        { "red on Debian 13's field", 0xff0000, 0x353535 },
        { "navy on Debian 13's field", 0x000080, 0x353535 },
        { "blue on Debian 13's window", 0x0000ff, 0x353535 },
    };
    ASSERT_LT(contrastRatio(0x00b500, 0x353535), kReadableContrast);
    for (const Case& each : cases) {
        SCOPED_TRACE(each.what);
        const Rgb24 shown = readableColour(each.exact, each.base);
        EXPECT_GE(contrastRatio(shown, each.base), kReadableContrast);
        // The least lightening: the grey below reads it too, a lighter
        // colour than needed would lose the hue's strength for nothing.
        EXPECT_LT(contrastRatio(shown, each.base), kReadableContrast + 0.15) << hex(shown);
    }
    EXPECT_GT(relativeLuminance(readableColour(0x008000, 0x353535)), relativeLuminance(0x00b500));
}

TEST(ReadableColourTest, aColourThatReadsAlreadyStaysItself)
{
    // Red on black reads at 5.25:1; lime and yellow on any dark grey.
    EXPECT_EQ(readableColour(0xff0000, 0x000000), 0xff0000u);
    EXPECT_EQ(readableColour(0x00ff00, 0x353535), 0x00ff00u);
    EXPECT_EQ(readableColour(0xffff00, 0x5a5a5a), 0xffff00u);
}

TEST(ReadableColourTest, onALightBackgroundEveryColourIsExactlyItself)
{
    // A light desktop's field and windows (Fusion's, Adwaita's), and the
    // darkest grey taken for light.
    for (const Rgb24 base : { 0xffffffu, 0xefefefu, 0xf6f5f4u, 0xfafafau, 0x7d7d7du })
        for (const Coloured& coloured : kColoured) {
            SCOPED_TRACE(std::string(coloured.what) + " on " + hex(base));
            EXPECT_TRUE(isLightBackground(base));
            EXPECT_EQ(readableColour(coloured.exact, base), coloured.exact);
        }
    // The warning red on white reads at 4.0:1 and is kept as it is.
    EXPECT_LT(contrastRatio(0xff0000, 0xffffff), kReadableContrast);
}

TEST(ReadableColourTest, tintedDarkBackgrounds)
{
    // Dark themes of other desktops tint their fields blue or brown.
    for (const Rgb24 base : { 0x1e1e2eu, 0x2e3440u, 0x3c3836u, 0x23262eu })
        for (const Coloured& coloured : kColoured) {
            SCOPED_TRACE(std::string(coloured.what) + " on " + hex(base));
            const Rgb24 shown = readableColour(coloured.exact, base);
            EXPECT_GE(contrastRatio(shown, base), kReadableContrast);
            EXPECT_LE(hueDistance(hueDegrees(shown), hueDegrees(coloured.exact)), 15.0);
        }
}

TEST(ReadableColourTest, contrastAndHueOfKnownColours)
{
    EXPECT_NEAR(contrastRatio(0x000000, 0xffffff), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio(0xffffff, 0x000000), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio(0xff0000, 0xffffff), 4.0, 0.01);
    EXPECT_NEAR(contrastRatio(0x00b500, 0x353535), 4.44, 0.01);
    EXPECT_DOUBLE_EQ(hueDegrees(0xff0000), 0.0);
    EXPECT_DOUBLE_EQ(hueDegrees(0x008000), 120.0);
    EXPECT_DOUBLE_EQ(hueDegrees(0x000080), 240.0);
    EXPECT_DOUBLE_EQ(hueDegrees(0x800080), 300.0);
    EXPECT_DOUBLE_EQ(hueDegrees(0x808080), 0.0);
}

} // namespace
} // namespace millcalc
