// A panel of the main window that floats as a tool window of its own: titled by
// the panel's caption, hidden until a command shows it, never docked back. It
// keeps the size of its contents, also when they grow; on a screen too small
// for them it takes the room it is given and scrolls. Esc closes it, as its
// close box does.
#pragma once

#include <QSize>
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
    // Takes the client size, at most the natural one, and never grows beyond
    // room later; smaller than the contents, it scrolls.
    void fitClient(QSize client, QSize room);

    QScrollArea* scrollArea() const { return scroll_; }
    // Keeps a line of the contents (the status line) under the scrolling
    // part, always in view.
    void keepInView(QWidget* line);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitContents(QSize client);

    QWidget* contents_;
    QScrollArea* scroll_;
    QWidget* footer_ = nullptr;
    QSize room_;
    QSize fitted_;
};

// Esc closes the window as its close box does.
void closeOnEscape(QWidget* window);

} // namespace millcalc
