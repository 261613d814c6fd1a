// A panel of the main window that floats as a tool window of its own: titled by
// the panel's caption, hidden until a command shows it, never docked back.
#pragma once

#include <QWidget>

namespace millcalc {

class PanelWindow : public QWidget {
    Q_OBJECT
public:
    // name is the panel's control name; the window takes ownership of contents.
    PanelWindow(const char* name, QWidget* contents, QWidget* owner);
};

} // namespace millcalc
