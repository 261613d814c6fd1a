// The message log as a dock of the main window, sizeable, with its own title
// bar that carries the title over a gradient, the "Очистить" button, the
// float button and the close box.
#pragma once

#include <QDockWidget>

class QLabel;

namespace millcalc {

class MessageWindow : public QDockWidget {
    Q_OBJECT
public:
    explicit MessageWindow(QWidget* owner);

protected:
    void changeEvent(QEvent* event) override;

private:
    QLabel* title_;
};

} // namespace millcalc
