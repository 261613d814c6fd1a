#include "ui/bind/ReadableColour.h"

#include <algorithm>
#include <cmath>

namespace millcalc {

namespace {

// The luminance at and above which a background counts as light: a
// light desktop's window (#efefef, 0.86) and a white field are far above it,
// the darkest grey a dark theme paints a field in (#5a5a5a, 0.10) far below.
constexpr double kLightBackground = 0.2;

double channel(Rgb24 colour, int shift)
{
    const double value = static_cast<double>((colour >> shift) & 0xffu) / 255.0;
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

struct Hsl {
    double hue = 0; // degrees
    double saturation = 0;
    double lightness = 0;
};

Hsl toHsl(Rgb24 colour)
{
    const double r = static_cast<double>((colour >> 16) & 0xffu) / 255.0;
    const double g = static_cast<double>((colour >> 8) & 0xffu) / 255.0;
    const double b = static_cast<double>(colour & 0xffu) / 255.0;
    const double high = std::max({ r, g, b });
    const double low = std::min({ r, g, b });
    Hsl hsl;
    hsl.lightness = (high + low) / 2;
    const double chroma = high - low;
    if (chroma <= 0)
        return hsl;
    hsl.saturation = chroma / (1 - std::abs(2 * hsl.lightness - 1));
    double sector = 0;
    if (high == r)
        sector = std::fmod((g - b) / chroma + 6, 6);
    else if (high == g)
        sector = (b - r) / chroma + 2;
    else
        sector = (r - g) / chroma + 4;
    hsl.hue = sector * 60;
    return hsl;
}

Rgb24 fromHsl(const Hsl& hsl)
{
    const double chroma = (1 - std::abs(2 * hsl.lightness - 1)) * hsl.saturation;
    const double sector = hsl.hue / 60;
    const double second = chroma * (1 - std::abs(std::fmod(sector, 2) - 1));
    double r = 0, g = 0, b = 0;
    if (sector < 1)
        r = chroma, g = second;
    else if (sector < 2)
        r = second, g = chroma;
    else if (sector < 3)
        g = chroma, b = second;
    else if (sector < 4)
        g = second, b = chroma;
    else if (sector < 5)
        r = second, b = chroma;
    else
        r = chroma, b = second;
    const double base = hsl.lightness - chroma / 2;
    const auto byte = [base](double value) {
        return static_cast<Rgb24>(std::clamp(std::lround((value + base) * 255), 0L, 255L));
    };
    return (byte(r) << 16) | (byte(g) << 8) | byte(b);
}

} // namespace

double relativeLuminance(Rgb24 colour)
{
    return 0.2126 * channel(colour, 16) + 0.7152 * channel(colour, 8) + 0.0722 * channel(colour, 0);
}

double contrastRatio(Rgb24 a, Rgb24 b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

double hueDegrees(Rgb24 colour)
{
    return toHsl(colour).hue;
}

bool isLightBackground(Rgb24 background)
{
    return relativeLuminance(background) >= kLightBackground;
}

Rgb24 readableColour(Rgb24 exact, Rgb24 background)
{
    exact &= 0xffffffu;
    if (isLightBackground(background) || contrastRatio(exact, background) >= kReadableContrast)
        return exact;
    // Lighter in the same hue and saturation, in steps of 1/512 of the way
    // to white, each rounded to whole channels; the first that reads.
    const Hsl start = toHsl(exact);
    constexpr int kSteps = 512;
    for (int step = 1; step <= kSteps; ++step) {
        Hsl lighter = start;
        lighter.lightness = start.lightness + (1 - start.lightness) * step / kSteps;
        const Rgb24 candidate = fromHsl(lighter);
        if (contrastRatio(candidate, background) >= kReadableContrast)
            return candidate;
    }
    return 0xffffffu;
}

} // namespace millcalc
