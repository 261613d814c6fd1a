// The desktop program's windows over one window logic: the main window with
// its docks (the results, the log and the panels), the nomogram, designations
// and splash windows, all bound to the field store. Only the main window with
// its shown input page and the splash exist at start; every other input page,
// dock and window is built when it is first shown (or first asked for), or
// in the idle time after the main window's first paint.
#pragma once

#include <memory>

class QDockWidget;
class QWidget;

namespace millcalc {

class FieldBinder;
class FormMain;
class MainWindow;
class SheetCommands;

class Desktop {
public:
    explicit Desktop(FormMain& form);
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    MainWindow& mainWindow() { return *main_; }
    FieldBinder& binder() { return *binder_; }
    SheetCommands& sheetCommands() { return *sheet_; }
    // A window, dock or panel of the program by its control name, built if it
    // was not yet; null for no window of that name.
    QWidget* window(const char* name) const;

    // Shows what the store holds: the main window and every dock and window
    // as visible as its field says.
    void show();

private:
    QDockWidget* buildDock(std::size_t row);
    // Gives the main window the room its shown docks ask for, as far as the
    // screen allows, and a dock opened for the first time its width.
    void makeRoom(QDockWidget* opened);

    FormMain& form_;
    std::unique_ptr<MainWindow> main_;
    FieldBinder* binder_ = nullptr;
    SheetCommands* sheet_ = nullptr;
};

} // namespace millcalc
