// The splash picture shown at start, centred on the main window, until the
// window logic closes it.
#pragma once

#include <QWidget>

namespace millcalc {

class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* owner);

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace millcalc
