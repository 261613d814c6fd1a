#include "ui/windows/SplashWindow.h"

#include "ui/pictures/JpegPicture.h"

#include <QTimer>
#include <QVBoxLayout>

namespace millcalc {

SplashWindow::SplashWindow(QWidget* owner)
    : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
    , picture_(new JpegPicture(QStringLiteral(":/pictures/Splash.jpg"), QSize(200, 200)))
    , timer_(new QTimer(this))
{
    setObjectName(QStringLiteral("FormMiniature"));
    // The main window keeps the focus, on "Расчет", while the splash is up.
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(picture_);
    setFixedSize(200, 200);

    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(kIntervalMs);
    // A tick closes the splash as its close box would, so the window logic
    // learns that it is hidden; the timer rests while there is nothing to close.
    connect(timer_, &QTimer::timeout, this, &QWidget::close);
}

void SplashWindow::showEvent(QShowEvent* event)
{
    if (QWidget* owner = parentWidget())
        move(owner->frameGeometry().center() - rect().center());
    // Counted from when the event loop takes up the showing, so that a slow
    // start-up does not eat the second.
    QTimer::singleShot(0, timer_, [this] {
        if (isVisible())
            timer_->start();
    });
    QWidget::showEvent(event);
}

void SplashWindow::hideEvent(QHideEvent* event)
{
    timer_->stop();
    QWidget::hideEvent(event);
}

} // namespace millcalc
