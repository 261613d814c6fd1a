#include "BinderProbe.h"

#include "app/FieldStore.h"
#include "ui/Desktop.h"
#include "ui/MainWindow.h"
#include "ui/windows/LaterWindows.h"

#include <QObject>

#include <vector>

namespace millcalc {

namespace {

// The first object of the name in the main window's tree, the main window
// itself first: the binder binds the first of a name in each tree it walks,
// and every window is a child of the main window.
QObject* firstNamed(QWidget& main, const QString& name)
{
    if (main.objectName() == name)
        return &main;
    const QList<QObject*> named = main.findChildren<QObject*>(name);
    return named.isEmpty() ? nullptr : named.first();
}

} // namespace

QObject* controlOf(Desktop& desktop, const std::string& name)
{
    const QString objectName = QString::fromStdString(name);
    QWidget& main = desktop.mainWindow();
    QObject* found = firstNamed(main, objectName);
    const std::vector<std::string> unbuilt = desktop.laterWindows().unbuilt();
    for (auto window = unbuilt.begin(); !found && window != unbuilt.end(); ++window) {
        desktop.window(window->c_str());
        found = firstNamed(main, objectName);
    }
    return found;
}

QStringList missingControls(Desktop& desktop, const FieldStore& store)
{
    // Every window built later, the sheet header's dialog too.
    for (const std::string& window : desktop.laterWindows().unbuilt())
        desktop.window(window.c_str());
    QStringList missing;
    for (const auto& [name, field] : store.fields()) {
        if (!firstNamed(desktop.mainWindow(), QString::fromStdString(name)))
            missing << QString::fromStdString(name);
    }
    return missing;
}

} // namespace millcalc
