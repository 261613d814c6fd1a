// The message log window: stays on top, sizeable, with its own title bar that
// carries the title over a gradient, the "Очистить" button and the close box.
#pragma once

#include <QWidget>

class QLabel;

namespace millcalc {

class MessageWindow : public QWidget {
    Q_OBJECT
public:
    explicit MessageWindow(QWidget* owner);

protected:
    void changeEvent(QEvent* event) override;

private:
    QLabel* title_;
};

} // namespace millcalc
