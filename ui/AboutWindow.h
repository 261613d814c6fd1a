// The About window "Об авторе ...": created on demand, shown modally over the
// main window and destroyed when it closes.
#pragma once

class QWidget;

namespace millcalc {

void showAboutWindow(QWidget* parent);

} // namespace millcalc
