#include "ui/bind/PaletteColours.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <utility>

namespace millcalc {

namespace {

constexpr double kReadable = 4.5;

double channel(double value)
{
    value /= 255.0;
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& colour)
{
    return 0.2126 * channel(colour.red()) + 0.7152 * channel(colour.green())
        + 0.0722 * channel(colour.blue());
}

QPalette::ColorRole backgroundOf(QPalette::ColorRole role)
{
    switch (role) {
    case QPalette::WindowText:
        return QPalette::Window;
    case QPalette::ButtonText:
        return QPalette::Button;
    default:
        return QPalette::Base;
    }
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool isDarkPalette(const QPalette& palette)
{
    return luminance(palette.color(QPalette::Base)) < 0.2
        || luminance(palette.color(QPalette::Window)) < 0.2;
}

QColor textColour(Rgb logical, const QPalette& palette, QPalette::ColorRole role)
{
    if (logical == colours::Black)
        return palette.color(role);
    const QColor exact(static_cast<int>((logical >> 16) & 0xff),
        static_cast<int>((logical >> 8) & 0xff), static_cast<int>(logical & 0xff));
    const QColor background = palette.color(backgroundOf(role));
    if (luminance(background) >= 0.2)
        return exact;
    // Lighter in the same hue: first towards the full colour, then towards
    // white, until it reads.
    float hue = 0, saturation = 0, lightness = 0, alpha = 0;
    exact.getHslF(&hue, &saturation, &lightness, &alpha);
    QColor lighter = exact;
    for (int step = 0; step <= 100 && contrastRatio(lighter, background) < kReadable; ++step) {
        const float l = lightness + (1.0f - lightness) * static_cast<float>(step) / 100.0f;
        lighter = QColor::fromHslF(hue, saturation, l);
    }
    return lighter.toRgb();
}

QColor colourOnHighlight(const QColor& text, const QColor& highlight)
{
    if (contrastRatio(text, highlight) >= kReadable)
        return text;
    // Away from the highlight's lightness: darker on a light one.
    const bool darker = luminance(highlight) > 0.18;
    float hue = 0, saturation = 0, lightness = 0, alpha = 0;
    text.toHsl().getHslF(&hue, &saturation, &lightness, &alpha);
    QColor shifted = text;
    for (int step = 1; step <= 100 && contrastRatio(shifted, highlight) < kReadable; ++step) {
        const float part = static_cast<float>(step) / 100.0f;
        const float l = darker ? lightness * (1.0f - part) : lightness + (1.0f - lightness) * part;
        shifted = QColor::fromHslF(hue, saturation, l);
    }
    return shifted.toRgb();
}

QColor softHighlight(const QPalette& palette)
{
    // A quarter of the highlight over the field.
    constexpr int kShare = 25;
    const QColor field = palette.color(QPalette::Base);
    const QColor highlight = palette.color(QPalette::Highlight);
    const auto mix
        = [](int over, int under) { return (over * kShare + under * (100 - kShare)) / 100; };
    return QColor(mix(highlight.red(), field.red()), mix(highlight.green(), field.green()),
        mix(highlight.blue(), field.blue()));
}

QPalette inheritedPalette(const QWidget* widget)
{
    QPalette palette = widget->parentWidget() && !widget->isWindow()
        ? widget->parentWidget()->palette()
        : QApplication::palette(widget);
    palette.setResolveMask(0);
    return palette;
}

namespace {

class PaletteFollower : public QObject {
    Q_OBJECT
public:
    PaletteFollower(QWidget* widget, std::function<void()> apply)
        : QObject(widget)
        , apply_(std::move(apply))
    {
        apply_();
    }

    void apply() const { apply_(); }

private:
    std::function<void()> apply_;
};

} // namespace

void followPalette(QWidget* widget, std::function<void()> apply)
{
    new PaletteFollower(widget, std::move(apply));
}

void followPalette(QObject* tree)
{
    for (const PaletteFollower* follower : tree->findChildren<PaletteFollower*>())
        follower->apply();
}

void keepTextColour(QWidget* widget, Rgb logical, QPalette::ColorRole role)
{
    followPalette(widget, [widget, logical, role] {
        QPalette palette = inheritedPalette(widget);
        palette.setColor(role, textColour(logical, palette, role));
        widget->setPalette(palette);
    });
}

} // namespace millcalc

#include "PaletteColours.moc"
