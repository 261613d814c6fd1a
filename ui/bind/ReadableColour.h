// The rule that keeps a coloured text readable on the desktop's palette,
// without the toolkit: colours as 0xRRGGBB, contrast as accessibility
// guidelines measure it (1 to 21). The toolkit's side (PaletteColours) finds
// the colour the style really paints under the text and asks here.
#pragma once

#include <cstdint>

namespace millcalc {

using Rgb24 = std::uint32_t;

// The least contrast of a coloured text on a dark background.
inline constexpr double kReadableContrast = 4.5;

// The relative luminance of an sRGB colour (0 black to 1 white).
double relativeLuminance(Rgb24 colour);

// The contrast ratio of two colours, (lighter + 0.05) / (darker + 0.05).
double contrastRatio(Rgb24 a, Rgb24 b);

// The hue of a colour in degrees, 0 to 360 (0 for a grey).
double hueDegrees(Rgb24 colour);

// True for a background a coloured text is shown on exactly as it is: a
// light one, as a light desktop's fields are.
bool isLightBackground(Rgb24 background);

// The colour to draw the text colour `exact` in on `background`: on a light
// background `exact` itself; on a dark one `exact` when it reads at
// kReadableContrast, or else `exact` made lighter in its own hue and
// saturation until it does (the least lightening that reaches it). On a
// background too light for even white to reach it, white.
Rgb24 readableColour(Rgb24 exact, Rgb24 background);

} // namespace millcalc
