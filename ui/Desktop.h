// The desktop program's windows over one window logic: the main window with
// its docks (the results, the log and the panels), the nomogram, designations
// and splash windows, all bound to the field store. Only the main window with
// its shown input page and the splash exist at start; every other input page,
// dock and window is built when it is first shown (or first asked for), or
// in the idle time after the main window's first paint.
#pragma once

#include "ui/PaintedMemory.h"

#include <QList>
#include <QString>

#include <memory>

class QDockWidget;
class QWidget;

namespace millcalc {

class DockRelayout;
struct DockRow;
class FieldBinder;
class FormMain;
class IdleBuild;
class LaterWindows;
class MainWindow;
class SheetCommands;
class StaleMarks;
class CalculationCommands;
class WindowMemory;

class Desktop {
public:
    // The window's size, the docks' arrangement, the recent files and the
    // last folder are kept in settingsFile (Qt's settings, an INI file);
    // none are kept without one.
    explicit Desktop(FormMain& form, const QString& settingsFile = QString());
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    MainWindow& mainWindow() { return *main_; }
    FieldBinder& binder() { return *binder_; }
    // The windows, docks and pages built at first open or in the idle time.
    LaterWindows& laterWindows() { return *windows_; }
    IdleBuild& idleBuild() { return *idle_; }
    SheetCommands& sheetCommands() { return *sheet_; }
    CalculationCommands& calculationCommands() { return *calculation_; }
    // A window, dock or panel of the program by its control name, built if it
    // was not yet; null for no window of that name.
    QWidget* window(const char* name) const;

    // Shows what the store holds: the main window and every dock and window
    // as visible as its field says.
    void show();
    // The docks where they go at a first start, and the window at the size
    // it asks for within the screen.
    void resetArrangement();
    // Keeps the window's arrangement and the panels shown in the settings
    // file now, as the program does when it ends; nothing without a file.
    void saveArrangement() const;

private:
    // The dock of that row, or null while it is not built.
    QDockWidget* dock(const DockRow& row) const;
    QDockWidget* buildDock(const DockRow& row);
    // Puts those docks where they go at a first start, in the order of the
    // table; the other docks stay where they are.
    void placeDocks(const QList<QDockWidget*>& toPlace);
    // Gives the main window the room its shown docks ask for, as far as the
    // screen allows; with fit, the docks their sizes too (fitDocks).
    void makeRoom(bool fit);
    // Every dock in view beside the inputs gets the width it asks for, the
    // results their height over the log, as far as the inputs leave room.
    void fitDocks();
    // The width the results' dock asks for with its widest page; 0 while
    // it is not in view.
    int resultsWidth() const;

    FormMain& form_;
    std::unique_ptr<LaterWindows> windows_;
    // Recalled before the main window is made, which paints coloured texts.
    PaintedMemory painted_;
    std::unique_ptr<MainWindow> main_;
    FieldBinder* binder_ = nullptr;
    IdleBuild* idle_ = nullptr;
    SheetCommands* sheet_ = nullptr;
    CalculationCommands* calculation_ = nullptr;
    WindowMemory* memory_ = nullptr;
    // The one relayout that answers every dock, page and size shown.
    DockRelayout* relayout_ = nullptr;
    // The results shown in italics while the inputs changed after them.
    StaleMarks* staleMarks_ = nullptr;
};

} // namespace millcalc
