// A panel of the main window as a dock: titled by the panel's caption, hidden
// until a command shows it; the user moves, tabs, floats and resizes it as any
// dock. It asks for the size of all of its contents; given less, it scrolls.
// Esc closes it while it floats, as its close box does.
#pragma once

#include <QDockWidget>

class QScrollArea;

namespace millcalc {

class PanelDock : public QDockWidget {
    Q_OBJECT
public:
    // name is the panel's control name; the dock takes ownership of contents.
    PanelDock(const char* name, QWidget* contents, QWidget* owner);

    QScrollArea* scrollArea() const { return scroll_; }
    // Keeps a line of the contents (the status line) under the scrolling
    // part, always in view.
    void keepInView(QWidget* line);

private:
    QScrollArea* scroll_;
};

// Esc closes the window as its close box does; a dock only while it floats.
void closeOnEscape(QWidget* window);

// Shrinks and moves a window of its own so that it stays, with the frame the
// window manager puts around it, within the screen's free area.
void keepWithinScreen(QWidget* window);

} // namespace millcalc
