// The desktop program's start-up guard: an error that escapes start-up is shown
// and the program ends with a failure status instead of looking as if it ran.
#pragma once

#include <QString>

#include <functional>

class QCoreApplication;
class QGuiApplication;
class QLocale;

namespace millcalc {

class Toolkit;

// Runs startUp; returns false, after the error box, when it throws.
bool startOrReport(Toolkit& toolkit, const std::function<void()>& startUp);

// Loads Qt's own translations (context menus, standard buttons, dialogs) for
// the locale's languages; where Qt has none of them (the C locale, say), the
// Russian ones, the language of the program. Returns the language loaded,
// empty when none.
QString installQtTranslations(QCoreApplication& app, const QLocale& locale);

// What the program sets up before its first window: the desktop's style
// (with the few pictures it reads from files at once read when first
// painted), the name the desktop knows it by and Qt's own translations for
// the user's locale.
void prepareApplication(QGuiApplication& app);

// True where the desktop names a session bus: the address in
// DBUS_SESSION_BUS_ADDRESS (`address`), or the socket "bus" in the runtime
// folder (`runtimeFolder`, XDG_RUNTIME_DIR), where the bus library looks
// without one. Either may be null. Without one, asking the bus anything first
// tries to start a bus (dbus-launch).
bool sessionBusNamed(const char* address, const char* runtimeFolder);

// The program's settings (Qt's settings, an INI file) in the user's
// configuration folder: ~/.config/millcalc/millcalc.ini.
QString settingsFile();

} // namespace millcalc
