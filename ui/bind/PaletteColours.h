// The store's logical colours on the desktop's palette: black is the palette's
// text colour; under a light palette every other colour is exactly itself;
// under a dark one it turns lighter in its own hue until it reads at 4.5:1
// against the background the style really paints under it (ReadableColour).
#pragma once

#include "app/FieldStore.h"

#include <QColor>
#include <QPalette>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>

class QObject;
class QWidget;

namespace millcalc {

// The contrast ratio of two colours (1 to 21), as accessibility guidelines
// measure it.
double contrastRatio(const QColor& a, const QColor& b);

// True for a palette whose fields are dark.
bool isDarkPalette(const QPalette& palette);

// What the style paints under a text of role `role` (Text, WindowText or
// ButtonText) with the palette. Read at run time, never taken from the
// palette's Base, Window or Button: styles and releases differ in what they
// paint (Qt 6.4's GTK theme on Debian 12 fills a dark desktop's fields with
// its Base, #242424; Qt 6.8's on Debian 13 shows them at #353535, lighter
// than its Base). Widgets of each kind that show such a text (a result, an
// input, the log and a table's cell; a caption on a window and on a tab's
// page; a button and a drop-down list) are drawn off screen by the
// application's style with the palette, in the active and the inactive
// window's look, and the lightest of their middles is taken, the one a
// lightened text reads worst on. Drawn once for each style, palette and role.
// Without a QApplication, the palette's own colour.
QColor paintedBackground(const QPalette& palette, QPalette::ColorRole role = QPalette::Text);

// What the style was found to paint in this run, as lines "key=#rrggbb" (the
// key names the role, the style, Qt's release and the palette's faces), for
// a later run to recall.
QStringList paintedBackgroundsFound();
// One such line: its key and its colour; none for a line that is not one
// (over 1024 characters, without "=", a key that is empty or holds a space,
// a colour other than "#rrggbb").
std::optional<std::pair<QString, QRgb>> readPaintedLine(const QString& line);
// Takes the lines an earlier run found as found, so that a start need not draw
// them before its window shows; lines that are none are left out, and what
// this run drew itself stands. Those asked for are drawn again by
// recheckPaintedBackgrounds().
void recallPaintedBackgrounds(const QStringList& lines);
// Draws afresh what was recalled and asked for since; true when the style
// paints any of it otherwise now (an update of the style, or a theme changed
// under the same palette): the colours computed from it are then stale.
bool recheckPaintedBackgrounds();

// The colour to draw the logical colour in, as a text of role `role` of the
// palette (Text in a field, WindowText on a window, ButtonText on a button):
// readableColour() on what the style paints under it.
QColor textColour(Rgb logical, const QPalette& palette, QPalette::ColorRole role = QPalette::Text);

// The colour a cell's text is drawn in on a selection highlight: `text`, the
// colour it has unselected (a result's red, or the palette's text), as it
// is where it reads at 4.5:1 on `highlight`, else lighter or darker in its
// own hue until it does. A selected red result still reads red.
QColor colourOnHighlight(const QColor& text, const QColor& highlight);

// The highlight of a selected row whose cells keep their own colours: the
// palette's highlight laid thinly over its field colour, light on a light
// desktop and dark on a dark one, so that a coloured text can read on it.
QColor softHighlight(const QPalette& palette);

// The palette the widget inherits: its parent's, or the application's for a
// window or a widget not yet placed. What a widget sets of its own is
// computed from it.
QPalette inheritedPalette(const QWidget* widget);

// Runs `apply` now, and again after every change of the desktop's palette once
// every window has the new one, for as long as the widget lives: for whatever
// the widget draws in colours computed from the palette (a text's colour, a
// picture). The program's one palette-change path (FieldBinder) runs them
// with the field colours through followPalette().
void followPalette(QWidget* widget, std::function<void()> apply);
// Runs every follower of the widgets in the tree, the tree's root included.
void followPalette(QObject* tree);

// Draws the widget's text of role `role` in the logical colour on whatever
// palette the desktop gives, now and after every change of it.
void keepTextColour(QWidget* widget, Rgb logical, QPalette::ColorRole role = QPalette::WindowText);

} // namespace millcalc
