// The main window as its calculation steps see it: the field store, the
// toolkit, the reporting operations that every step uses, the handlers that
// the methods attach to their controls, and what the user does to them.
#pragma once

#include "app/FieldStore.h"

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace millcalc {

class Toolkit;
struct Method;
// The machine tools the form computes with; the machines floor defines it.
struct MachinePark;

inline constexpr const char* kWarningCaption = "Предупреждение...";

// What the window tells whoever follows its calculations (the machine
// comparison, the sheet's record of the last calculations), after each.
struct CalculationNotice {
    enum class Cause {
        Run, // "Расчет": the method of the result page shown; none on the blank page
        Fit, // a fit's calculation on the inputs it wrote
        Renew, // "Новый расчет": every method back where the start left it
        Park, // the park listed anew: at the window's creation, or another park
    };
    Cause cause = Cause::Run;
    // The method whose calculation ran; null where none did.
    const Method* method = nullptr;
    // It ran to its end rather than stopping at a warning.
    bool completed = false;
    // Run: the first line of the log ("ElFlatMemoMes") that it wrote.
    std::size_t logStart = 0;
};

class Form {
public:
    using Handler = std::function<void()>;
    using CellHandler = std::function<void(int column, int row)>;
    using CalculationListener = std::function<void(const CalculationNotice& notice)>;

    // The window's controls and those of the methods' pages and panels.
    explicit Form(Toolkit& toolkit, std::span<const Method> methods = {});
    // A detached copy to compute on: the original's fields, no listeners and
    // no handlers, and its own toolkit for the boxes and beeps of its steps.
    // Nothing it does reaches the original or a window.
    Form(Toolkit& toolkit, const Form& original);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    // Makes a detached copy of the original as a fresh copy would be again,
    // copying back only what its calculations changed.
    void resetToCopyOf(const Form& original);

    FieldStore& store() { return store_; }
    const FieldStore& store() const { return store_; }
    Toolkit& toolkit() { return toolkit_; }
    // The park the calculations use: none (the built-in machines) until one
    // is given; a detached copy shares its original's.
    const std::shared_ptr<const MachinePark>& machinePark() const { return machinePark_; }
    void setMachinePark(std::shared_ptr<const MachinePark> park) { machinePark_ = std::move(park); }

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
    // How many corrections the form has taken: a calculation that corrected
    // no input would run the same way again on the same inputs.
    int corrections() const { return corrections_; }
    void ResultColour(std::string_view name, Rgb colour);
    // Colours a result against a machine limit: `within` (as a rule green), or red
    // with the log line when the value reaches the limit; a value equal to its
    // limit counts as exceeding it. The message becomes a text only when logged.
    void markAgainstLimit(std::string_view name, double value, double limit,
        std::string_view message, Rgb within = colours::Green);
    // The maximum spindle speed of the cutter chosen with a page's chooser
    // (ComboBoxStCutter ...), 0 where none is chosen or it has none. Set by
    // the window, which holds the library; a detached copy keeps it.
    double cutterSpeedLimit(std::string_view chooser) const;
    void setCutterSpeedLimit(std::string_view chooser, double rpm);
    // Red with the log line where value reaches the chosen cutter's maximum
    // speed; otherwise the colour the machine's check left stands.
    void markAgainstCutterSpeed(
        std::string_view name, double value, std::string_view chooser, std::string_view message);
    // Gives the field the focus under the same rule, leaving its selection alone.
    void focusField(std::string_view name);
    // Puts the caret at the start of the text with nothing selected.
    void collapseSelection(std::string_view name);
    void ShowPanel(std::string_view name);

    // Handlers that the method modules attach to their controls: a click of a
    // button, picture or menu item; a user's pick or check; a grid cell.
    void onClick(const std::string& name, Handler handler);
    void onChange(const std::string& name, Handler handler);
    void onSelectCell(const std::string& name, CellHandler handler);
    void onDoubleClickCell(const std::string& name, CellHandler handler);
    bool hasClickHandler(const std::string& name) const;

    // Whether a command of the user's (a click, a pick, a check, a cell) is
    // running, and what to run each time one ends: whatever watches the
    // store's changes may take those of a command as one.
    bool inCommand() const { return commandDepth_ > 0; }
    void onCommandEnd(Handler handler);

    // The calculation notice: each listener, in the order they came, is told
    // of every calculation the window runs. A detached copy tells nobody.
    void onCalculation(CalculationListener listener);
    void tellCalculation(const CalculationNotice& notice);

private:
    void runGuarded(const Handler& command);

    Toolkit& toolkit_;
    FieldStore store_;
    std::shared_ptr<const MachinePark> machinePark_;
    std::map<std::string, Handler> clickHandlers_;
    std::map<std::string, Handler> changeHandlers_;
    std::map<std::string, CellHandler> cellHandlers_;
    std::map<std::string, CellHandler> doubleClickHandlers_;
    std::vector<Handler> commandEndHandlers_;
    std::vector<CalculationListener> calculationListeners_;
    int commandDepth_ = 0;
    int corrections_ = 0;
    std::map<std::string, double, std::less<>> cutterSpeedLimits_;
};

} // namespace millcalc
