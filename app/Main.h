// The main window's logic: its field store, the creation step, the commands of
// its buttons and menus, the calculation dispatch and the shared reporting
// operations that every calculation step uses.
#pragma once

#include "app/FieldStore.h"
#include "machines/Graphic.h"
#include "machines/MachineTable.h"

#include <array>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace millcalc {

class Toolkit;

inline constexpr const char* kWarningCaption = "Предупреждение...";

class FormMain {
public:
    using Handler = std::function<void()>;
    using CellHandler = std::function<void(int column, int row)>;

    explicit FormMain(Toolkit& toolkit);
    // A detached copy to compute on: the original's fields and machine table,
    // no listeners, and its own toolkit for the boxes and beeps of its steps.
    // Nothing it does reaches the original or a window.
    FormMain(Toolkit& toolkit, const FormMain& original);
    FormMain(const FormMain&) = delete;
    FormMain& operator=(const FormMain&) = delete;

    FieldStore& store() { return store_; }
    const FieldStore& store() const { return store_; }
    Toolkit& toolkit() { return toolkit_; }
    const MachineTable& machines() const { return machines_; }
    // The machine that TabMach selects; row 0 while nothing is selected.
    int machineIndex() const;
    const MachineRecord& machine() const;
    Nomogram& nomogram() { return nomogram_; }
    const Nomogram& nomogram() const { return nomogram_; }

    // Program start: the creation step of the main window (ending with the
    // auto-fill), then the log window, the splash, the nomogram and the
    // designations window, and the focus on "Расчет". Errors propagate.
    void start();
    void create();

    // What the user does. Each command runs to its end; an error that escapes
    // it goes to the toolkit's error box and the program stays open.
    void typeText(const std::string& name, const std::string& text);
    void click(const std::string& name);
    void pick(const std::string& name, int index);
    void check(const std::string& name, bool checked);
    void selectCell(const std::string& name, int column, int row);
    void doubleClickCell(const std::string& name, int column, int row);
    void close(const std::string& name);

    // The shared reporting operations of the calculation steps.
    void LogMessage(std::string_view text);
    void WarningBox(const std::string& text, const std::string& caption = kWarningCaption);
    // Writes the text, gives the field the focus when it and everything that
    // holds it are visible and enabled, and selects its whole text.
    void CorrectField(std::string_view name, const std::string& text);
    void ResultColour(std::string_view name, Rgb colour);
    // Colours a result against a machine limit: `within` (as a rule green), or red
    // with the log line when the value reaches the limit; a value equal to its
    // limit counts as exceeding it. The message becomes a text only when logged.
    void markAgainstLimit(std::string_view name, double value, double limit,
                          std::string_view message, Rgb within = colours::Green);
    // Gives the field the focus under the same rule, leaving its selection alone.
    void focusField(std::string_view name);
    // Puts the caret at the start of the text with nothing selected.
    void collapseSelection(std::string_view name);
    void ShowPanel(std::string_view name);

    // The log lines that the last "Расчет" of method page 0, 1 or 2 wrote;
    // empty for any other page and before the first.
    const std::vector<std::string>& calculationLog(int page) const;

    // Window logic.
    void calculationDispatch();
    void inputPageChange();
    void resultPageChange();
    void machineSelection();

    // Handlers that the method modules attach to their controls: a click of a
    // button, picture or menu item; a user's pick or check; a grid cell.
    void onClick(const std::string& name, Handler handler);
    void onChange(const std::string& name, Handler handler);
    void onSelectCell(const std::string& name, CellHandler handler);
    void onDoubleClickCell(const std::string& name, CellHandler handler);
    bool hasClickHandler(const std::string& name) const;

private:
    void installCommands();
    void installMethods();
    void runGuarded(const Handler& command);
    void copyBack(const std::string& from, const std::string& to);
    void literature();
    void endProgram();

    Toolkit& toolkit_;
    FieldStore store_;
    MachineTable machines_;
    Nomogram nomogram_;
    std::map<std::string, Handler> clickHandlers_;
    std::map<std::string, Handler> changeHandlers_;
    std::map<std::string, CellHandler> cellHandlers_;
    std::map<std::string, CellHandler> doubleClickHandlers_;
    std::array<std::vector<std::string>, 3> calculationLogs_;
};

} // namespace millcalc
