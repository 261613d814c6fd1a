#include "ui/bind/PaletteColours.h"

#include "ui/bind/ReadableColour.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QWidget>

#include <algorithm>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace millcalc {

namespace {

Rgb24 rgbOf(const QColor& colour)
{
    return colour.rgb() & 0xffffffu;
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

// A colour no style paints a background in: what a probe leaves in it was
// not drawn.
constexpr QRgb kUnpainted = 0xffff00ffu;

// The middle of a probe widget as the style draws it with the palette, or
// kUnpainted. Shown as a child of a host that is shown without reaching the
// screen, so that it lays out its parts (a tab widget's pane) as a shown
// widget does; a child has no window of its own, so the probes of a call
// cost the window system one window, not one each. It fills its background
// as a window does.
QRgb paintedMiddle(QWidget& host, QWidget& probe, const QPalette& palette, QSize size)
{
    probe.setParent(&host);
    probe.setAutoFillBackground(true);
    probe.setPalette(palette);
    probe.setGeometry(QRect(QPoint(0, 0), size));
    probe.show();
    QImage image(size, QImage::Format_RGB32);
    image.fill(kUnpainted);
    probe.render(&image);
    probe.hide();
    return image.pixel(probe.rect().center());
}

// The palette with its active colours in the inactive group too: drawn so,
// a probe shows what a field of the active window shows.
QPalette activeLook(QPalette palette)
{
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        const auto colourRole = static_cast<QPalette::ColorRole>(role);
        palette.setBrush(
            QPalette::Inactive, colourRole, palette.brush(QPalette::Active, colourRole));
    }
    return palette;
}

// What the style paints under a text of the role with the palette, each kind
// of widget that shows such a text drawn, in the active and in the inactive
// window's look: the lightest of them, on which a light text reads least.
QRgb lightestPainted(const QPalette& palette, QPalette::ColorRole role)
{
    std::vector<QRgb> painted;
    QWidget host;
    host.setAttribute(Qt::WA_DontShowOnScreen);
    host.resize(160, 160);
    host.show();
    for (const QPalette& look : { activeLook(palette), palette }) {
        switch (role) {
        case QPalette::WindowText: {
            // A caption on a window, a dock or a group, and on a tab's page.
            QWidget window;
            painted.push_back(paintedMiddle(host, window, look, QSize(60, 40)));
            QTabWidget tabs;
            tabs.addTab(new QWidget, QStringLiteral("x"));
            painted.push_back(paintedMiddle(host, tabs, look, QSize(120, 120)));
            break;
        }
        case QPalette::ButtonText: {
            QPushButton button(QStringLiteral(" "));
            painted.push_back(paintedMiddle(host, button, look, QSize(80, 30)));
            QComboBox box;
            painted.push_back(paintedMiddle(host, box, look, QSize(80, 30)));
            break;
        }
        default: {
            // A result (read only), an input, the log and a table's cell.
            QLineEdit result;
            result.setReadOnly(true);
            painted.push_back(paintedMiddle(host, result, look, QSize(80, 30)));
            QLineEdit input;
            painted.push_back(paintedMiddle(host, input, look, QSize(80, 30)));
            QPlainTextEdit log;
            log.setReadOnly(true);
            painted.push_back(paintedMiddle(host, log, look, QSize(80, 60)));
            // The middle of the one cell, clear of the headers and the grid.
            QTableWidget table(1, 1);
            table.horizontalHeader()->setMinimumSectionSize(10);
            table.horizontalHeader()->setStretchLastSection(true);
            table.verticalHeader()->setStretchLastSection(true);
            painted.push_back(paintedMiddle(host, table, look, QSize(120, 90)));
            break;
        }
        }
    }
    painted.erase(std::remove(painted.begin(), painted.end(), kUnpainted), painted.end());
    if (painted.empty())
        return palette.color(backgroundOf(role)).rgb();
    return *std::max_element(painted.begin(), painted.end(), [](QRgb a, QRgb b) {
        return relativeLuminance(a & 0xffffffu) < relativeLuminance(b & 0xffffffu);
    });
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b)
{
    return contrastRatio(rgbOf(a), rgbOf(b));
}

bool isDarkPalette(const QPalette& palette)
{
    return !isLightBackground(rgbOf(palette.color(QPalette::Base)))
        || !isLightBackground(rgbOf(palette.color(QPalette::Window)));
}

namespace {

// The style as it paints: each style of a chain of proxies by its class and
// name, and the release of Qt it runs on.
QString styleKey()
{
    // Worked out again only for another style: asked for at every colour.
    static QPointer<QStyle> known;
    static QString knownKey;
    if (known && known == QApplication::style())
        return knownKey;
    known = QApplication::style();
    QString key = QString::fromLatin1(qVersion());
    for (const QStyle* style = known; style != nullptr;) {
        key += QLatin1Char(' ') + QString::fromLatin1(style->metaObject()->className())
            + QLatin1Char('/') + style->name();
        const auto* proxy = qobject_cast<const QProxyStyle*>(style);
        style = proxy != nullptr && proxy->baseStyle() != style ? proxy->baseStyle() : nullptr;
    }
    // A key is one word of a line "key=colour".
    for (QChar& c : key) {
        if (c.isSpace() || c == QLatin1Char('='))
            c = QLatin1Char('_');
    }
    knownKey = key;
    return key;
}

// What the style paints for a role under a palette: the colours of faces,
// fields and frames; a text's colour paints no background, so widgets whose
// texts alone differ share an entry.
QString paintedKey(const QPalette& palette, QPalette::ColorRole role)
{
    QString key = QString::number(static_cast<int>(role)) + QLatin1Char('_') + styleKey();
    for (const QPalette::ColorGroup group : { QPalette::Active, QPalette::Inactive })
        for (const QPalette::ColorRole face : { QPalette::Window, QPalette::Base,
                 QPalette::AlternateBase, QPalette::Button, QPalette::Light, QPalette::Midlight,
                 QPalette::Mid, QPalette::Dark, QPalette::Shadow, QPalette::Highlight })
            key += QLatin1Char('_') + QString::number(palette.color(group, face).rgba(), 16);
    return key;
}

struct Painted {
    QRgb colour = 0;
    // Recalled from an earlier run and not drawn in this one yet; the
    // palette it was last asked for with, to draw it with.
    bool recalled = false;
    std::optional<QPalette> askedWith;
};

// Drawn once for each style, palette and role; a palette changes seldom.
std::map<QString, Painted>& paintedTable()
{
    static std::map<QString, Painted> table;
    return table;
}

constexpr std::size_t kPaintedKept = 64;
// A recalled line longer than this is none of this program's.
constexpr qsizetype kLongestPaintedLine = 1024;

} // namespace

QColor paintedBackground(const QPalette& palette, QPalette::ColorRole role)
{
    role = role == QPalette::WindowText || role == QPalette::ButtonText ? role : QPalette::Text;
    // Without the widgets' application (a tool, a test of the rule alone)
    // nothing is drawn: the palette's own colour.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return palette.color(backgroundOf(role));
    std::map<QString, Painted>& painted = paintedTable();
    QString key = paintedKey(palette, role);
    auto known = painted.find(key);
    if (known == painted.end()) {
        if (painted.size() >= kPaintedKept)
            painted.clear();
        known = painted
                    .emplace(std::move(key),
                        Painted { lightestPainted(palette, role), false, std::nullopt })
                    .first;
    } else if (known->second.recalled && !known->second.askedWith) {
        known->second.askedWith = palette;
    }
    return QColor(known->second.colour);
}

QStringList paintedBackgroundsFound()
{
    QStringList lines;
    for (const auto& [key, painted] : paintedTable()) {
        // One recalled and never asked for is no longer this desktop's.
        if (painted.recalled && !painted.askedWith)
            continue;
        lines << key + QLatin1Char('=') + QColor(painted.colour).name(QColor::HexRgb);
    }
    return lines;
}

std::optional<std::pair<QString, QRgb>> readPaintedLine(const QString& line)
{
    const qsizetype equals = line.lastIndexOf(QLatin1Char('='));
    if (line.size() > kLongestPaintedLine || equals <= 0)
        return std::nullopt;
    QString key = line.left(equals);
    const QString colour = line.mid(equals + 1);
    if (colour.size() != 7 || !colour.startsWith(QLatin1Char('#'))
        || !QColor::isValidColorName(colour) || key.contains(QLatin1Char(' ')))
        return std::nullopt;
    return std::make_pair(std::move(key), QColor::fromString(colour).rgb());
}

void recallPaintedBackgrounds(const QStringList& lines)
{
    std::map<QString, Painted>& painted = paintedTable();
    for (const QString& line : lines) {
        if (painted.size() >= kPaintedKept)
            break;
        // What this run found itself stands.
        if (auto read = readPaintedLine(line))
            painted.emplace(std::move(read->first), Painted { read->second, true, std::nullopt });
    }
}

bool recheckPaintedBackgrounds()
{
    bool changed = false;
    for (auto& [key, painted] : paintedTable()) {
        if (!painted.recalled || !painted.askedWith)
            continue;
        const QString role = key.left(key.indexOf(QLatin1Char('_')));
        const QRgb drawn
            = lightestPainted(*painted.askedWith, static_cast<QPalette::ColorRole>(role.toInt()));
        changed = changed || drawn != painted.colour;
        painted = Painted { drawn, false, std::nullopt };
    }
    return changed;
}

QColor textColour(Rgb logical, const QPalette& palette, QPalette::ColorRole role)
{
    if (logical == colours::Black)
        return palette.color(role);
    const Rgb24 shown = readableColour(logical, rgbOf(paintedBackground(palette, role)));
    return QColor(QRgb(0xff000000u | shown));
}

QColor colourOnHighlight(const QColor& text, const QColor& highlight)
{
    if (contrastRatio(text, highlight) >= kReadableContrast)
        return text;
    // Away from the highlight's lightness: darker on a light one.
    const bool darker = relativeLuminance(rgbOf(highlight)) > 0.18;
    float hue = 0, saturation = 0, lightness = 0, alpha = 0;
    text.toHsl().getHslF(&hue, &saturation, &lightness, &alpha);
    QColor shifted = text;
    for (int step = 1; step <= 100 && contrastRatio(shifted, highlight) < kReadableContrast;
        ++step) {
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
