// The message log window: stays on top, sizeable, with its own title bar that
// carries the title over a gradient, the "Очистить" button and the close box.
#pragma once

#include <QSize>
#include <QWidget>

class QLabel;

namespace millcalc {

class MessageWindow : public QWidget {
    Q_OBJECT
public:
    explicit MessageWindow(QWidget* owner);

    // Its own place where that is free, and the least size it shrinks to
    // beside the other windows.
    static constexpr int kLeft = 424;
    static constexpr int kTop = 177;
    static constexpr QSize kLeast { 300, 100 };

protected:
    void changeEvent(QEvent* event) override;

private:
    QLabel* title_;
};

} // namespace millcalc
