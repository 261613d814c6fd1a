#include "app/Main.h"

#include "aluminium/Aluminium.h"
#include "app/AutoFill.h"
#include "app/Controls.h"
#include "app/MachineComparison.h"
#include "app/Toolkit.h"
#include "materials/MaterialCatalogue.h"
#include "titanium/Titanium.h"
#include "walter/Walter.h"

#include <algorithm>
#include <exception>
#include <utility>

namespace millcalc {

FormMain::FormMain(Toolkit& toolkit) : toolkit_(toolkit)
{
    declareControls(store_);
    installCommands();
    installMethods();
}

FormMain::FormMain(Toolkit& toolkit, const FormMain& original)
    : toolkit_(toolkit)
    , store_(original.store_.detachedCopy())
    , machines_(original.machines_)
{
    installCommands();
    installMethods();
}

void FormMain::installMethods()
{
    installWalter(*this);
    installMaterials(*this);
    installAluminium(*this);
    installTitanium(*this);
    installMachineComparison(*this);
}

int FormMain::machineIndex() const
{
    const int row = store_.index("TabMach");
    return row >= 0 && row < kMachineCount ? row : 0;
}

const MachineRecord& FormMain::machine() const
{
    return machines_[static_cast<std::size_t>(machineIndex())];
}

void FormMain::start()
{
    create();
    store_.setVisible("FormMain", true);
    store_.setVisible("FormMessage", false);
    // The splash shows itself while it is created; its timer closes it.
    store_.setVisible("FormMiniature", true);
    store_.setVisible("FormGraphic", false);
    store_.setVisible("FormHelp", false);
    store_.setFocused("BitCalcs");
}

void FormMain::create()
{
    machines_ = fillMachineTable();
    std::vector<std::string> names;
    for (const MachineRecord& m : machines_)
        names.push_back(m.MachineName);
    store_.setItems("TabMach", std::move(names));
    store_.setIndex("TabMach", 0);
    machineSelection();

    store_.setIndex("PageControlParam", 0);
    inputPageChange();

    createWalter(*this);
    createMaterials(*this);
    createAluminiumInputs(*this);
    store_.setVisible("PanelFormulaAl", false);
    store_.setVisible("PanelStMaterial", false);
    createTemperatureGrid(*this);
    store_.setVisible("PanelTemp", false);
    createLoadGrid(*this);
    createTitanium(*this);
    store_.setVisible("PanelCalc", false);
    createMachineComparison(*this);
    store_.setVisible("PanelMachines", false);

    autoFill(*this);
}

void FormMain::runGuarded(const Handler& command)
{
    try {
        command();
    } catch (const std::exception& error) {
        toolkit_.errorBox(error.what());
    }
}

void FormMain::typeText(const std::string& name, const std::string& text)
{
    store_.setText(name, text);
}

void FormMain::click(const std::string& name)
{
    const auto it = clickHandlers_.find(name);
    if (it == clickHandlers_.end())
        return;
    const Handler handler = it->second;
    runGuarded(handler);
}

void FormMain::pick(const std::string& name, int index)
{
    runGuarded([&] {
        store_.setIndex(name, index);
        const auto it = changeHandlers_.find(name);
        if (it != changeHandlers_.end())
            it->second();
    });
}

void FormMain::check(const std::string& name, bool checked)
{
    runGuarded([&] {
        store_.setChecked(name, checked);
        const auto it = changeHandlers_.find(name);
        if (it != changeHandlers_.end())
            it->second();
    });
}

void FormMain::selectCell(const std::string& name, int column, int row)
{
    runGuarded([&] {
        const auto it = cellHandlers_.find(name);
        if (it != cellHandlers_.end())
            it->second(column, row);
        store_.setCurrentCell(name, column, row);
    });
}

void FormMain::doubleClickCell(const std::string& name, int column, int row)
{
    runGuarded([&] {
        const auto it = doubleClickHandlers_.find(name);
        if (it != doubleClickHandlers_.end())
            it->second(column, row);
    });
}

void FormMain::close(const std::string& name)
{
    if (name == "FormMain") {
        toolkit_.quit();
        return;
    }
    store_.setVisible(name, false);
}

void FormMain::LogMessage(std::string_view text)
{
    store_.appendLine("ElFlatMemoMes", text);
    if (store_.checked("NMesWin"))
        store_.setVisible("FormMessage", true);
}

void FormMain::WarningBox(const std::string& text, const std::string& caption)
{
    toolkit_.warningBox(text, caption);
}

void FormMain::CorrectField(std::string_view name, const std::string& text)
{
    store_.setText(name, text);
    focusField(name);
    store_.setSelectedAll(name, true);
}

void FormMain::ResultColour(std::string_view name, Rgb colour)
{
    store_.setColour(name, colour);
}

void FormMain::markAgainstLimit(std::string_view name, double value, double limit,
                                std::string_view message, Rgb within)
{
    ResultColour(name, within);
    if (value >= limit) {
        ResultColour(name, colours::Red);
        LogMessage(message);
    }
}

void FormMain::focusField(std::string_view name)
{
    if (store_.canFocus(name))
        store_.setFocused(name);
}

void FormMain::collapseSelection(std::string_view name)
{
    store_.setSelectedAll(name, false);
}

void FormMain::ShowPanel(std::string_view name)
{
    store_.setVisible(name, true);
}

void FormMain::calculationDispatch()
{
    const int inputPage = store_.index("PageControlParam");
    const int resultPage = store_.index("PageControlMethods");
    // The result page decides; the input pages follow it.
    if (inputPage != resultPage)
        resultPageChange();
    ShowPanel("PanelCalc");
    // Shown already, it may lie under another panel: what the calculation
    // writes must come into view.
    toolkit_.raise("PanelCalc");
    // The lines this run writes are kept for the calculation sheet, whatever
    // becomes of the log afterwards.
    const std::size_t logStart = store_.items("ElFlatMemoMes").size();
    const auto keepLog = [&] {
        const std::vector<std::string>& lines = store_.items("ElFlatMemoMes");
        calculationLogs_[static_cast<std::size_t>(resultPage)].assign(
            lines.begin() + static_cast<std::ptrdiff_t>(std::min(logStart, lines.size())),
            lines.end());
    };
    switch (resultPage) {
    case 0:
        WalterCalculate(*this);
        keepLog();
        break;
    case 1:
        CalcAluminium(*this);
        keepLog();
        break;
    case 2:
        CalcTi(*this);
        keepLog();
        break;
    default:
        toolkit_.informationBox("Nothing");
        break;
    }
    refreshMachineComparison(*this);
}

const std::vector<std::string>& FormMain::calculationLog(int page) const
{
    static const std::vector<std::string> none;
    return page >= 0 && page < 3 ? calculationLogs_[static_cast<std::size_t>(page)] : none;
}

void FormMain::inputPageChange()
{
    store_.setIndex("PageControlMethods", store_.index("PageControlParam"));
    store_.setText("PanelCalc", store_.text("PageControlMethods"));
}

void FormMain::resultPageChange()
{
    const int page = store_.index("PageControlMethods");
    store_.setIndex("PageControlParam", page >= 0 && page < 3 ? page : -1);
    store_.setText("PanelCalc", store_.text("PageControlMethods"));
}

void FormMain::machineSelection()
{
    const MachineRecord& m = machine();
    store_.setText("StatusBarMes", machineLimitsText(m));
    store_.setText("FormMain", machineCaption(m));
}

void FormMain::onClick(const std::string& name, Handler handler)
{
    clickHandlers_[name] = std::move(handler);
}

void FormMain::onChange(const std::string& name, Handler handler)
{
    changeHandlers_[name] = std::move(handler);
}

void FormMain::onSelectCell(const std::string& name, CellHandler handler)
{
    cellHandlers_[name] = std::move(handler);
}

void FormMain::onDoubleClickCell(const std::string& name, CellHandler handler)
{
    doubleClickHandlers_[name] = std::move(handler);
}

bool FormMain::hasClickHandler(const std::string& name) const
{
    return clickHandlers_.count(name) != 0;
}

void FormMain::copyBack(const std::string& from, const std::string& to)
{
    store_.setText(to, store_.text(from));
    store_.setSelectedAll(to, true);
}

void FormMain::literature()
{
    static const char* const kLines[] = {
        "Литература..",
        "    ",
        "1. ТР 1.4.2104-2002 ",
        "    Технологические рекомендации.",
        "    Выбор параметров концевых фрез и режимов резания высокоскоростного",
        "    фрезерования алюминиевых и титановых сплавов.",
        "2. Общий каталог - WALTER, Т1,Т2",
        "3. Справочник технолога-машиностроителя, Т1,Т2",
        "     /Под. общ. ред. Лумиковой и Ресталова - М. Машиностроение,1985 - 496с.",
        "     ",
        ".......     ",
    };
    store_.clearLines("ElFlatMemoMes");
    for (const char* line : kLines)
        LogMessage(line);
}

void FormMain::endProgram()
{
    toolkit_.beep();
    toolkit_.quit();
}

void FormMain::installCommands()
{
    const auto on = [this](std::initializer_list<const char*> names, const Handler& handler) {
        for (const char* name : names)
            onClick(name, handler);
    };
    on({"BitCalcs", "N14"}, [this] { calculationDispatch(); });
    // The context menu's "Номограмма" does what "Номограмма>>" does.
    on({"BitBtnGraphic", "N16"}, [this] { BitBtnGraphicClick(*this); });
    on({"ToolButton1"}, [this] { store_.setVisible("FormGraphic", false); });
    on({"ToolButton2"}, [this] { ToolButton2Click(*this); });
    on({"N2"}, [this] { autoFill(*this); });
    on({"BitBtnStMaterial", "N19", "N22"}, [this] { ShowPanel("PanelStMaterial"); });
    on({"BitBtnPanelAl", "N18", "N21"}, [this] { ShowPanel("PanelFormulaAl"); });
    on({"BitBtnAlTm1", "N24", "N23"}, [this] { BitBtnAlTm1Click(*this); });
    on({"N13"}, [this] { store_.setVisible("FormMessage", true); });
    on({"NMesWin"}, [this] { store_.setChecked("NMesWin", !store_.checked("NMesWin")); });
    on({"ClearLog"}, [this] { store_.clearLines("ElFlatMemoMes"); });
    on({"BitBtnHelp", "N8"}, [this] {
        store_.setVisible("FormHelp", true);
        toolkit_.raise("FormHelp");
    });
    on({"N25"}, [this] { literature(); });
    on({"N1", "N10"}, [this] { toolkit_.showModal("FormAbout", "Об авторе ..."); });
    on({"N4", "NClose"}, [this] { endProgram(); });
    on({"Image9"}, [this] { copyBack("EditStVc", "BaseVc"); });
    on({"Image10"}, [this] { copyBack("EditStfz", "Basefz"); });

    onChange("TabMach", [this] { machineSelection(); });
    onChange("PageControlParam", [this] { inputPageChange(); });
    onChange("PageControlMethods", [this] { resultPageChange(); });
}

} // namespace millcalc
