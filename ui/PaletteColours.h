// The store's logical colours on the desktop's palette: black is the palette's
// text colour; under a light palette every other colour is exactly itself;
// under a dark one it turns lighter in its own hue until it reads at 4.5:1
// against the background it is drawn on.
#pragma once

#include "app/FieldStore.h"

#include <QColor>
#include <QPalette>

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

// Draws the widget's text of role `role` in the logical colour on whatever
// palette the desktop gives, now and after every change of it.
void keepTextColour(QWidget* widget, Rgb logical, QPalette::ColorRole role = QPalette::WindowText);

} // namespace millcalc
