#include "ui/SplashWindow.h"

namespace millcalc {

SplashWindow::SplashWindow(QWidget* owner)
    : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    // Stands in until the splash picture is built.
    setObjectName(QStringLiteral("FormMiniature"));
    // The main window keeps the focus, on "Расчет", while the splash is up.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(200, 200);
}

void SplashWindow::showEvent(QShowEvent* event)
{
    if (QWidget* owner = parentWidget())
        move(owner->frameGeometry().center() - rect().center());
    QWidget::showEvent(event);
}

} // namespace millcalc
