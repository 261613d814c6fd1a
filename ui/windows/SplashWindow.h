// The splash picture shown at start, centred on the main window, until its
// timer closes it about a second after it appeared.
#pragma once

#include <QWidget>

class QTimer;

namespace millcalc {

class JpegPicture;

class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* owner);

    const JpegPicture& picture() const { return *picture_; }
    const QTimer& timer() const { return *timer_; }

    static constexpr int kIntervalMs = 1000;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    JpegPicture* picture_;
    QTimer* timer_;
};

} // namespace millcalc
