// millcalc: the desktop calculator of cutting conditions for end milling.
#include "shell/FormMain.h"
#include "ui/Desktop.h"
#include "ui/MainWindow.h"
#include "ui/QtToolkit.h"
#include "ui/StartUp.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("millcalc"));
    // The desktop finds the menu entry and its icon by this name (the
    // Wayland app id); the window icon comes from the installed icon theme.
    QGuiApplication::setDesktopFileName(QStringLiteral("millcalc"));
    // Looked up once the event loop runs: the look-up reads the theme's index
    // and would hold up the main window by a quarter of its start-up; the
    // windows, by then shown, take the icon as it comes (an error box at start
    // too, which runs the loop).
    QTimer::singleShot(0, [] {
        QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("millcalc")));
    });
    millcalc::QtToolkit toolkit;
    std::unique_ptr<millcalc::FormMain> form;
    std::unique_ptr<millcalc::Desktop> desktop;
    const bool started = millcalc::startOrReport(toolkit, [&] {
        form = std::make_unique<millcalc::FormMain>(toolkit);
        form->start();
        desktop = std::make_unique<millcalc::Desktop>(*form);
        toolkit.setMainWindow(&desktop->mainWindow());
        desktop->show();
    });
    if (!started)
        return 1;
    const int status = QApplication::exec();
    desktop.reset();
    return status;
}
