#include "app/Controls.h"

#include "app/Designer.h"
#include "app/FieldCaptions.h"
#include "app/FieldStore.h"
#include "app/Method.h"

namespace millcalc {

const std::vector<std::string>& diameterItems()
{
    static const std::vector<std::string> items { "2", "3", "4", "5", "6", "7", "8", "9", "10",
        "12", "14", "16", "20", "25", "30", "40", "50", "60", "70", "80", "90", "100" };
    return items;
}

const std::vector<std::string>& teethItems()
{
    static const std::vector<std::string> items { "2", "3", "4", "6", "8", "10", "12", "14", "16" };
    return items;
}

namespace {

void declareMainWindow(Designer& d, std::span<const Method> methods)
{
    d.window(FieldKind::Window, "FormMain", "Расчет режимов резания", true);
    d.dropDown("TabMach", "FormMain", {});
    d.buttons("FormMain", { "BitBtnGraphic", "BitBtnHelp", "BitCalcs" });

    Field& param = d.add(FieldKind::PageControl, "PageControlParam", "FormMain");
    param.index = 0;
    for (const Method& method : methods) {
        param.items.emplace_back(method.caption);
        d.page(method.inputPage, "PageControlParam", static_cast<int>(param.items.size()) - 1,
            method.caption);
    }

    // Menu items with a command; the separators carry no name of interest.
    for (const char* name : { "NClose", "N7", "N8", "N22", "N21", "N23", "N25", "N10", "N14", "N16",
             "N2", "N19", "N18", "N24", "N13", "N1", "N4", "N27", "N28", "NMachines" })
        d.add(FieldKind::MenuItem, name, "FormMain");
    Field& showLog = d.add(FieldKind::MenuItem, "NMesWin", "FormMain");
    showLog.checked = true;
    // "Новый расчет" of the menu "Файл": the start-up inputs and results back.
    d.add(FieldKind::MenuItem, "NNew", "FormMain");
    // The sheet's header, a part of the calculation the user fills in.
    for (const FieldCaption& entry : sheetHeaderCaptions())
        d.text(entry.field, "FormMain", "");
}

void declareResultPages(Designer& d, std::span<const Method> methods)
{
    d.window(FieldKind::Panel, "PanelCalc", "Параметры", true);
    Field& pages = d.add(FieldKind::PageControl, "PageControlMethods", "PanelCalc");
    pages.index = 0;
    for (const Method& method : methods) {
        pages.items.emplace_back(method.caption);
        d.page(method.resultPage, "PageControlMethods", static_cast<int>(pages.items.size()) - 1,
            method.caption);
    }
    // The blank page stays last, after the methods'.
    pages.items.emplace_back();
    d.page("TabSheet4", "PageControlMethods", static_cast<int>(pages.items.size()) - 1, "");
    d.add(FieldKind::StatusLine, "StatusBarMes", "PanelCalc");
    d.buttons("PanelCalc", { "BitBtnMachines" });
    // The results' context menu: the fit of the active method's cut to the machine.
    d.add(FieldKind::MenuItem, "N29", "PanelCalc");
}

void declareMachinesPanel(Designer& d)
{
    d.window(FieldKind::Panel, "PanelMachines", kMachinesPanelCaption, true);
    // One heading row; the columns follow the checks of the active method.
    d.grid("StringGridMachines", "PanelMachines", 2, 6, 0, 1);
}

void declareOtherWindows(Designer& d)
{
    d.window(FieldKind::Window, "FormMessage", "Сообщения....", false);
    Field& log = d.add(FieldKind::Memo, "ElFlatMemoMes", "FormMessage");
    log.readOnly = true;
    d.buttons("FormMessage", { "ClearLog" });

    d.window(FieldKind::Window, "FormGraphic", "Номограмма ", false);
    d.buttons("FormGraphic", { "ToolButton1", "ToolButton2" });
    d.pictures("FormGraphic", { "ChartNom" });

    d.window(FieldKind::Window, "FormHelp", "Обозначения", false);
    d.window(FieldKind::Window, "FormMiniature", "", false);
}

} // namespace

void declareControls(FieldStore& store, std::span<const Method> methods)
{
    Designer d(store);
    declareMainWindow(d, methods);
    declareResultPages(d, methods);
    for (const Method& method : methods)
        method.declare(d);
    declareMachinesPanel(d);
    declareOtherWindows(d);
}

} // namespace millcalc
