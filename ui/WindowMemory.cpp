#include "ui/WindowMemory.h"

#include "ui/SettingsFile.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>

namespace millcalc {

namespace {

constexpr const char* kGeometry = "window/geometry";
constexpr const char* kState = "window/state";
constexpr const char* kFrame = "window/frame";
constexpr const char* kPanels = "window/panels";
// A version of the docks' arrangement: a new program with other docks starts
// in its default arrangement.
constexpr int kStateVersion = 1;

QRect availableArea(const QPoint& where)
{
    QScreen* screen = QGuiApplication::screenAt(where);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace

bool arrangementFits(const QSize& savedFrame, const QRect& available)
{
    return savedFrame.isValid() && !available.isEmpty() && savedFrame.width() <= available.width()
        && savedFrame.height() <= available.height();
}

WindowMemory::WindowMemory(QMainWindow& window, QString settingsFile)
    : QObject(&window)
    , window_(&window)
    , settingsFile_(std::move(settingsFile))
{
    restore();
    connect(qApp, &QCoreApplication::aboutToQuit, this, &WindowMemory::save);
}

void WindowMemory::restore()
{
    const QVariantMap settings = readSettings(settingsFile_,
        { QLatin1String(kFrame), QLatin1String(kGeometry), QLatin1String(kState),
            QLatin1String(kPanels) });
    const QRect frame = settings.value(QLatin1String(kFrame)).toRect();
    const QByteArray geometry = settings.value(QLatin1String(kGeometry)).toByteArray();
    const QByteArray state = settings.value(QLatin1String(kState)).toByteArray();
    if (geometry.isEmpty() || !arrangementFits(frame.size(), availableArea(frame.center())))
        return;
    // The docks are built later, each put back where it was as it is built
    // (QMainWindow::restoreDockWidget).
    restored_ = window_->restoreGeometry(geometry);
    if (restored_ && !state.isEmpty())
        window_->restoreState(state, kStateVersion);
    if (restored_)
        panels_ = settings.value(QLatin1String(kPanels)).toStringList();
}

void WindowMemory::save() const
{
    if (!window_)
        return;
    QVariantMap values { { QLatin1String(kGeometry), window_->saveGeometry() },
        { QLatin1String(kState), window_->saveState(kStateVersion) },
        { QLatin1String(kFrame), window_->frameGeometry() } };
    if (shownPanels_)
        values.insert(QLatin1String(kPanels), shownPanels_());
    writeSettings(settingsFile_, values);
}

} // namespace millcalc
