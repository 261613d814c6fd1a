// The store's logical colours on the desktop's palette: black is the palette's
// text colour; under a light palette every other colour is exactly itself;
// under a dark one it turns lighter in its own hue until it reads at 4.5:1
// against the background it is drawn on.
#pragma once

#include "app/FieldStore.h"

#include <QColor>
#include <QPalette>

#include <functional>

class QObject;
class QWidget;

namespace millcalc {

// The contrast ratio of two colours (1 to 21), as accessibility guidelines
// measure it.
double contrastRatio(const QColor& a, const QColor& b);

// True for a palette whose fields are dark.
bool isDarkPalette(const QPalette& palette);

// The colour to draw the logical colour in, as a text of role `role` of the
// palette (Text on Base, WindowText on Window, ButtonText on Button).
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
