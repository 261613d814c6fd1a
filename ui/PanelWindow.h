// A panel of the main window that floats as a tool window of its own: titled by
// the panel's caption, hidden until a command shows it, never docked back. It
// keeps the size of its contents; on a screen too small for them it takes the
// room it is given and scrolls. Esc closes it, as its close box does.
#pragma once

#include <QWidget>

class QScrollArea;

namespace millcalc {

class PanelWindow : public QWidget {
    Q_OBJECT
public:
    // name is the panel's control name; the window takes ownership of contents.
    PanelWindow(const char* name, QWidget* contents, QWidget* owner);

    // The client size that shows all of the contents.
    QSize naturalSize() const;
    // Takes the client size, at most the natural one; smaller, it scrolls.
    void fitClient(QSize client);

    QWidget* contents() const { return contents_; }
    QScrollArea* scrollArea() const { return scroll_; }

private:
    QWidget* contents_;
    QScrollArea* scroll_;
};

// Esc closes the window as its close box does.
void closeOnEscape(QWidget* window);

} // namespace millcalc
