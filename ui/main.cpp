// millcalc: the desktop calculator of cutting conditions for end milling.
#include "app/UserFiles.h"
#include "machines/MachinePark.h"
#include "shell/FormMain.h"
#include "ui/CalculationCommands.h"
#include "ui/Desktop.h"
#include "ui/FieldBinder.h"
#include "ui/MainWindow.h"
#include "ui/QtToolkit.h"
#include "ui/StartUp.h"
#include "ui/windows/IdleBuild.h"
#include "ui/windows/MachineEditor.h"

#include <QApplication>
#include <QDBusConnection>
#include <QIcon>
#include <QTimer>

#include <fontconfig/fontconfig.h>

#include <cstdlib>
#include <future>
#include <memory>
#include <string>
#include <utility>
#include <vector>

int main(int argc, char** argv)
{
    // The machine park's folders are looked up before Qt touches the
    // environment.
    millcalc::UserFolders folders = millcalc::userFolders();
    // Fontconfig reads its configuration and font caches at Qt's first
    // look at a font, a quarter of the start-up; begun here, on a thread of
    // its own, it is ready or nearly so by then. Fontconfig's
    // initialisation is thread-safe: should Qt come first, the two
    // configurations race and one is dropped.
    std::future<void> fonts = std::async(std::launch::async, [] { FcInit(); });
    // The menu bar asks the desktop's session bus whether menus are shown
    // in a panel of the desktop's own (a global menu). A desktop that names
    // no bus has no such panel: asking would only try to start a bus, a new
    // process, before the window can show.
    const bool bus = millcalc::sessionBusNamed(
        std::getenv("DBUS_SESSION_BUS_ADDRESS"), std::getenv("XDG_RUNTIME_DIR"));
    if (!bus)
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication app(argc, argv);
    // The machine park is read on a thread of its own while the window logic
    // starts: a shop's park of fifty machines is as much work as a tenth of
    // the start before the window shows. Begun before Qt, it slowed Qt's own
    // start, which shares the processors with the display server and the
    // fonts' thread. A fault in the files reaches the start-up's report
    // through get().
    std::future<millcalc::ParkLoad> parkLoad = std::async(std::launch::async,
        [folders = std::move(folders)] { return millcalc::loadMachinePark(folders); });
    // Connecting to the bus is a handshake with another process:
    // milliseconds in which the window cannot go on. Begun here, on a thread
    // of its own, it is under way while the window logic starts.
    std::future<void> connected;
    if (bus)
        connected = std::async(std::launch::async, [] { QDBusConnection::sessionBus(); });
    millcalc::prepareApplication(app);
    millcalc::QtToolkit toolkit;
    std::unique_ptr<millcalc::FormMain> form;
    std::unique_ptr<millcalc::Desktop> desktop;
    // Looked up in the idle time after the main window's first paint: the
    // look-up reads the theme's index, a quarter of the start-up's work; the
    // windows, by then shown, take the icon as it comes. An error box at
    // start, which runs the loop, has it at once.
    QTimer::singleShot(0, [&desktop] {
        const auto lookUp
            = [] { QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("millcalc"))); };
        if (desktop)
            desktop->idleBuild().later(lookUp);
        else
            lookUp();
    });
    std::vector<std::string> parkMessages;
    const bool started = millcalc::startOrReport(toolkit, [&] {
        form = std::make_unique<millcalc::FormMain>(toolkit);
        millcalc::ParkLoad park = parkLoad.get();
        form->setMachines(std::move(park.machines));
        parkMessages = std::move(park.messages);
        form->start();
        desktop = std::make_unique<millcalc::Desktop>(*form, millcalc::settingsFile());
        toolkit.setMainWindow(&desktop->mainWindow());
        desktop->show();
    });
    if (!started)
        return 1;
    millcalc::CalculationCommands& calculation = desktop->calculationCommands();
    toolkit.setQuitCheck([&calculation] { return calculation.mayClose(); });
    toolkit.setWindowOpener([&form, &desktop](const std::string& window) {
        if (window == millcalc::MachineEditor::kWindowName)
            millcalc::openMachineEditor(*form, &desktop->mainWindow());
    });
    // A faulty park file is told once the window is up, one box a file.
    if (!parkMessages.empty()) {
        QTimer::singleShot(0, &desktop->mainWindow(), [&toolkit, &parkMessages] {
            for (const std::string& message : parkMessages)
                toolkit.warningBox(message, millcalc::kParkCaption);
        });
    }
    // `millcalc FILE` opens the calculation once the window is up; a file that
    // is none brings its box over the window.
    if (const QStringList arguments = QCoreApplication::arguments(); arguments.size() > 1) {
        const QString file = arguments.at(1);
        QTimer::singleShot(
            0, &desktop->mainWindow(), [&calculation, file] { calculation.openFile(file); });
    }
    const int status = QApplication::exec();
    desktop.reset();
    return status;
}
