// The desktop program's windows over one window logic: the main window with its
// floating panels, the log, nomogram, designations and splash windows, all bound
// to the field store. Only the main window and the splash exist at start; every
// other window is built when it is first shown (or first asked for).
#pragma once

#include <memory>

class QWidget;

namespace millcalc {

class FieldBinder;
class FormMain;
class MainWindow;
class SheetCommands;
class WindowPlacer;

class Desktop {
public:
    explicit Desktop(FormMain& form);
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    MainWindow& mainWindow() { return *main_; }
    FieldBinder& binder() { return *binder_; }
    SheetCommands& sheetCommands() { return *sheet_; }
    // A window or panel of the program by its control name, built if it was
    // not yet; null for no window of that name.
    QWidget* window(const char* name) const;

    // Shows what the store holds: the main window at the top left of the
    // screen and every other window as visible as its field says.
    void show();

private:
    void placeBesideResults();

    FormMain& form_;
    std::unique_ptr<MainWindow> main_;
    FieldBinder* binder_ = nullptr;
    WindowPlacer* placer_ = nullptr;
    SheetCommands* sheet_ = nullptr;
};

} // namespace millcalc
