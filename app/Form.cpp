#include "app/Form.h"

#include "app/Controls.h"
#include "app/Toolkit.h"

#include <exception>
#include <utility>

namespace millcalc {

Form::Form(Toolkit& toolkit, std::span<const Method> methods)
    : toolkit_(toolkit)
{
    declareControls(store_, methods);
}

Form::Form(Toolkit& toolkit, const Form& original)
    : toolkit_(toolkit)
    , store_(original.store_.detachedCopy())
    , machinePark_(original.machinePark_)
    , cutterSpeedLimits_(original.cutterSpeedLimits_)
{
}

void Form::resetToCopyOf(const Form& original)
{
    store_.resetToCopyOf(original.store_);
    machinePark_ = original.machinePark_;
    if (cutterSpeedLimits_ != original.cutterSpeedLimits_)
        cutterSpeedLimits_ = original.cutterSpeedLimits_;
}

void Form::runGuarded(const Handler& command)
{
    ++commandDepth_;
    try {
        command();
    } catch (const std::exception& error) {
        toolkit_.errorBox(error.what());
    }
    if (--commandDepth_ > 0)
        return;
    for (const Handler& handler : commandEndHandlers_)
        handler();
}

void Form::onCommandEnd(Handler handler)
{
    commandEndHandlers_.push_back(std::move(handler));
}

void Form::onCalculation(CalculationListener listener)
{
    calculationListeners_.push_back(std::move(listener));
}

void Form::tellCalculation(const CalculationNotice& notice)
{
    for (const CalculationListener& listener : calculationListeners_)
        listener(notice);
}

void Form::typeText(const std::string& name, const std::string& text)
{
    store_.setText(name, text);
}

void Form::click(const std::string& name)
{
    const auto it = clickHandlers_.find(name);
    if (it == clickHandlers_.end())
        return;
    const Handler handler = it->second;
    runGuarded(handler);
}

void Form::pick(const std::string& name, int index)
{
    runGuarded([&] {
        store_.setIndex(name, index);
        const auto it = changeHandlers_.find(name);
        if (it != changeHandlers_.end())
            it->second();
    });
}

void Form::check(const std::string& name, bool checked)
{
    runGuarded([&] {
        store_.setChecked(name, checked);
        const auto it = changeHandlers_.find(name);
        if (it != changeHandlers_.end())
            it->second();
    });
}

void Form::selectCell(const std::string& name, int column, int row)
{
    runGuarded([&] {
        const auto it = cellHandlers_.find(name);
        if (it != cellHandlers_.end())
            it->second(column, row);
        store_.setCurrentCell(name, column, row);
    });
}

void Form::doubleClickCell(const std::string& name, int column, int row)
{
    runGuarded([&] {
        const auto it = doubleClickHandlers_.find(name);
        if (it != doubleClickHandlers_.end())
            it->second(column, row);
    });
}

void Form::close(const std::string& name)
{
    if (name == "FormMain") {
        toolkit_.quit();
        return;
    }
    store_.setVisible(name, false);
}

void Form::LogMessage(std::string_view text)
{
    store_.appendLine("ElFlatMemoMes", text);
    if (store_.checked("NMesWin"))
        store_.setVisible("FormMessage", true);
}

void Form::WarningBox(const std::string& text, const std::string& caption)
{
    toolkit_.warningBox(text, caption);
}

void Form::CorrectField(std::string_view name, const std::string& text)
{
    ++corrections_;
    store_.setText(name, text);
    focusField(name);
    store_.setSelectedAll(name, true);
}

void Form::ResultColour(std::string_view name, Rgb colour)
{
    store_.setColour(name, colour);
}

void Form::markAgainstLimit(
    std::string_view name, double value, double limit, std::string_view message, Rgb within)
{
    ResultColour(name, within);
    if (value >= limit) {
        ResultColour(name, colours::Red);
        LogMessage(message);
    }
}

double Form::cutterSpeedLimit(std::string_view chooser) const
{
    const auto it = cutterSpeedLimits_.find(chooser);
    return it != cutterSpeedLimits_.end() ? it->second : 0;
}

void Form::setCutterSpeedLimit(std::string_view chooser, double rpm)
{
    if (rpm > 0)
        cutterSpeedLimits_[std::string(chooser)] = rpm;
    else if (const auto it = cutterSpeedLimits_.find(chooser); it != cutterSpeedLimits_.end())
        cutterSpeedLimits_.erase(it);
}

void Form::markAgainstCutterSpeed(
    std::string_view name, double value, std::string_view chooser, std::string_view message)
{
    const double limit = cutterSpeedLimit(chooser);
    if (limit > 0 && value >= limit) {
        ResultColour(name, colours::Red);
        LogMessage(message);
    }
}

void Form::focusField(std::string_view name)
{
    if (store_.canFocus(name))
        store_.setFocused(name);
}

void Form::collapseSelection(std::string_view name)
{
    store_.setSelectedAll(name, false);
}

void Form::ShowPanel(std::string_view name)
{
    store_.setVisible(name, true);
}

void Form::onClick(const std::string& name, Handler handler)
{
    clickHandlers_[name] = std::move(handler);
}

void Form::onChange(const std::string& name, Handler handler)
{
    changeHandlers_[name] = std::move(handler);
}

void Form::onSelectCell(const std::string& name, CellHandler handler)
{
    cellHandlers_[name] = std::move(handler);
}

void Form::onDoubleClickCell(const std::string& name, CellHandler handler)
{
    doubleClickHandlers_[name] = std::move(handler);
}

bool Form::hasClickHandler(const std::string& name) const
{
    return clickHandlers_.count(name) != 0;
}

} // namespace millcalc
