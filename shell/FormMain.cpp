#include "shell/FormMain.h"

#include "app/Toolkit.h"
#include "shell/AutoFill.h"
#include "shell/WindowPanels.h"
#include "shell/compare/MachineComparison.h"
#include "shell/fit/MachineFit.h"
#include "shell/table/Methods.h"

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace millcalc {

namespace {

// Where the calculation's fields stand: the pages of the methods' inputs and
// results, and their panels, whose fields are inputs too.
bool calculationPlace(std::string_view name)
{
    for (const Method& method : methods()) {
        if (name == method.inputPage || name == method.resultPage)
            return true;
    }
    const PanelRow* panel = panelRow(name);
    return panel != nullptr && panel->owner != nullptr;
}

bool holdsValue(FieldKind kind)
{
    using K = FieldKind;
    return kind == K::TextField || kind == K::EditableList || kind == K::DropDownList
        || kind == K::RadioGroup || kind == K::CheckBox || kind == K::RadioButton
        || kind == K::StaticText || kind == K::Picture || kind == K::Grid;
}

bool ofCalculation(const FieldStore& store, const Field& field)
{
    // Of the tables only the materials of the group the inputs name; the
    // others follow the machine, the temperature or the comparison.
    if (field.kind == FieldKind::Grid)
        return field.parent == "PanelStMaterial";
    for (const FieldCaption& entry : sheetHeaderCaptions()) {
        if (field.name == entry.field)
            return true;
    }
    const Field* place = &field;
    // A control stands a few levels deep at most: page, group, field.
    for (int depth = 0; depth < 8 && !place->parent.empty() && store.has(place->parent); ++depth) {
        if (calculationPlace(place->parent))
            return true;
        place = &store.field(place->parent);
    }
    return false;
}

// Puts back the field's value, colour and state as the copy holds them.
void restore(FieldStore& store, const Field& f)
{
    if (store.items(f.name) != f.items)
        store.setItems(f.name, f.items);
    switch (f.kind) {
    case FieldKind::DropDownList:
    case FieldKind::RadioGroup:
        store.setIndex(f.name, f.index);
        break;
    case FieldKind::CheckBox:
    case FieldKind::RadioButton:
        store.setChecked(f.name, f.checked);
        break;
    case FieldKind::Picture:
        store.setPicture(f.name, f.picture);
        break;
    case FieldKind::Grid:
        store.setGrid(f.name, f.columns, f.rows, f.cells,
            f.cellColours.empty() ? std::vector<Rgb>(f.cells.size(), f.colour) : f.cellColours);
        store.setCurrentCell(f.name, f.currentColumn, f.currentRow);
        break;
    default:
        store.setText(f.name, f.text);
        break;
    }
    store.setColour(f.name, f.colour);
    store.setEnabled(f.name, f.enabled);
}

} // namespace

FormMain::FormMain(Toolkit& toolkit)
    : Form(toolkit, methods())
    , record_(*this)
    , cutters_(*this)
{
    installCommands();
    installMethods();
}

void FormMain::installMethods()
{
    for (const Method& method : methods())
        method.install(*this);
    installMachineComparison(*this);
    installMachineFit(*this);
}

void FormMain::start()
{
    create();
    cutters_.load(userFolders());
    store().setVisible("FormMain", true);
    store().setVisible("FormMessage", false);
    // The splash shows itself while it is created; its timer closes it.
    store().setVisible("FormMiniature", true);
    store().setVisible("FormGraphic", false);
    store().setVisible("FormHelp", false);
    store().setFocused("BitCalcs");
}

void FormMain::create()
{
    listMachines(0);

    store().setIndex("PageControlParam", 0);
    inputPageChange();

    for (const Method& method : methods())
        method.create(*this);
    for (const PanelRow& row : windowPanels())
        store().setVisible(row.panel->name, false);
    parkListed();

    autoFill(*this);

    startUp_.clear();
    for (const auto& [name, field] : store().fields()) {
        if (holdsValue(field.kind) && ofCalculation(store(), field))
            startUp_.push_back(field);
    }
}

void FormMain::newCalculation()
{
    for (const Field& field : startUp_)
        restore(store(), field);
    tellCalculation({ .cause = CalculationNotice::Cause::Renew });
}

void FormMain::parkListed()
{
    tellCalculation({ .cause = CalculationNotice::Cause::Park });
}

void FormMain::listMachines(int row)
{
    std::vector<std::string> names;
    for (const MachineRecord& m : machines())
        names.push_back(m.MachineName);
    store().setItems("TabMach", std::move(names));
    store().setIndex("TabMach", row);
    machineSelection();
}

void FormMain::setMachines(MachineTable machines)
{
    const bool created = !store().items("TabMach").empty();
    const std::string selected = created ? machine().Id : std::string();
    auto park = std::make_shared<MachinePark>();
    park->machines = std::move(machines);
    setMachinePark(std::move(park));
    if (!created)
        return;
    listMachines(std::max(machineIndexById(this->machines(), selected), 0));
    parkListed();
}

std::vector<std::string> FormMain::keptPanels() const
{
    std::vector<std::string> shown;
    for (const PanelRow& row : windowPanels()) {
        if (row.panel->kept && store().visible(row.panel->name))
            shown.emplace_back(row.panel->name);
    }
    return shown;
}

void FormMain::showKeptPanels(const std::vector<std::string>& names)
{
    for (const PanelRow& row : windowPanels()) {
        const std::string_view panel = row.panel->name;
        if (row.panel->kept && std::find(names.begin(), names.end(), panel) != names.end())
            ShowPanel(panel);
    }
}

void FormMain::calculationDispatch()
{
    const int inputPage = store().index("PageControlParam");
    const int resultPage = store().index("PageControlMethods");
    // The result page decides; the input pages follow it.
    if (inputPage != resultPage)
        resultPageChange();
    ShowPanel(kResultsPanel);
    // Shown already, it may lie under another panel: what the calculation
    // writes must come into view.
    toolkit().raise(kResultsPanel);
    // Those who follow the calculation are told where its log lines begin.
    CalculationNotice run { .cause = CalculationNotice::Cause::Run,
        .method = activeMethod(store()),
        .completed = false,
        .logStart = store().items("ElFlatMemoMes").size() };
    if (run.method != nullptr)
        run.completed = run.method->calculate(*this) >= 0;
    else
        toolkit().informationBox("Nothing");
    tellCalculation(run);
    // A log that opened during the run, sharing the results' place, leaves
    // them in front.
    toolkit().raise(kResultsPanel);
}

void FormMain::inputPageChange()
{
    store().setIndex("PageControlMethods", store().index("PageControlParam"));
    store().setText(kResultsPanel, store().text("PageControlMethods"));
}

void FormMain::resultPageChange()
{
    const int page = store().index("PageControlMethods");
    store().setIndex("PageControlParam", methodAt(page) != nullptr ? page : -1);
    store().setText(kResultsPanel, store().text("PageControlMethods"));
}

void FormMain::machineSelection()
{
    const MachineRecord& m = machine();
    store().setText("StatusBarMes", machineLimitsText(m));
    store().setText("FormMain", machineCaption(m));
}

void FormMain::copyBack(const std::string& from, const std::string& to)
{
    store().setText(to, store().text(from));
    store().setSelectedAll(to, true);
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
    store().clearLines("ElFlatMemoMes");
    for (const char* line : kLines)
        LogMessage(line);
}

void FormMain::endProgram()
{
    toolkit().beep();
    toolkit().quit();
}

void FormMain::installShow(const Panel& panel)
{
    const Handler show = [this, &panel] {
        const bool already = store().visible(panel.name);
        ShowPanel(panel.name);
        if (panel.shown != nullptr)
            panel.shown(*this, already);
    };
    for (const char* button : panel.buttons)
        onClick(button, show);
    for (const PanelMenuItem& item : { panel.helpItem, panel.contextItem }) {
        if (item.name != nullptr)
            onClick(item.name, show);
    }
}

void FormMain::installCommands()
{
    const auto on = [this](std::initializer_list<const char*> names, const Handler& handler) {
        for (const char* name : names)
            onClick(name, handler);
    };
    on({ "BitCalcs", "N14" }, [this] { calculationDispatch(); });
    // The context menu's "Номограмма" does what "Номограмма>>" does.
    on({ "BitBtnGraphic", "N16" }, [this] { BitBtnGraphicClick(*this, nomogram_); });
    on({ "ToolButton1" }, [this] { store().setVisible("FormGraphic", false); });
    on({ "ToolButton2" }, [this] { ToolButton2Click(*this, nomogram_); });
    on({ "N2" }, [this] { autoFill(*this); });
    on({ "NNew" }, [this] { newCalculation(); });
    for (const PanelRow& row : windowPanels())
        installShow(*row.panel);
    on({ "N13" }, [this] { store().setVisible("FormMessage", true); });
    on({ "NMesWin" }, [this] { store().setChecked("NMesWin", !store().checked("NMesWin")); });
    on({ "ClearLog" }, [this] { store().clearLines("ElFlatMemoMes"); });
    on({ "BitBtnHelp", "N8" }, [this] {
        store().setVisible("FormHelp", true);
        toolkit().raise("FormHelp");
    });
    on({ "N25" }, [this] { literature(); });
    on({ "N1", "N10" }, [this] { toolkit().showModal("FormAbout", "Об авторе ..."); });
    on({ "NMachines" }, [this] { toolkit().showModal("FormMachines", "Станки"); });
    on({ "N4", "NClose" }, [this] { endProgram(); });
    on({ "Image9" }, [this] { copyBack("EditStVc", "BaseVc"); });
    on({ "Image10" }, [this] { copyBack("EditStfz", "Basefz"); });

    onChange("TabMach", [this] { machineSelection(); });
    onChange("PageControlParam", [this] { inputPageChange(); });
    onChange("PageControlMethods", [this] { resultPageChange(); });
}

} // namespace millcalc
