#include "app/Controls.h"

#include "app/FieldCaptions.h"
#include "app/FieldStore.h"

#include <initializer_list>
#include <utility>

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

class Designer {
public:
    explicit Designer(FieldStore& store)
        : store_(store)
    {
    }

    Field& add(FieldKind kind, const std::string& name, const std::string& parent,
        const std::string& text = std::string())
    {
        Field f;
        f.name = name;
        f.kind = kind;
        f.parent = parent;
        f.text = text;
        return store_.add(std::move(f));
    }

    Field& text(const std::string& name, const std::string& parent, const std::string& design,
        bool readOnly = false)
    {
        Field& f = add(FieldKind::TextField, name, parent, design);
        f.readOnly = readOnly;
        return f;
    }

    Field& editableList(const std::string& name, const std::string& parent,
        const std::string& design, std::vector<std::string> items)
    {
        Field& f = add(FieldKind::EditableList, name, parent, design);
        f.items = std::move(items);
        return f;
    }

    Field& dropDown(const std::string& name, const std::string& parent,
        std::vector<std::string> items, int index = -1)
    {
        Field& f = add(FieldKind::DropDownList, name, parent);
        f.items = std::move(items);
        f.index = index;
        return f;
    }

    Field& radioGroup(const std::string& name, const std::string& parent,
        const std::string& caption, std::vector<std::string> items, int index)
    {
        Field& f = add(FieldKind::RadioGroup, name, parent, caption);
        f.items = std::move(items);
        f.index = index;
        return f;
    }

    Field& page(const std::string& name, const std::string& pageControl, int index,
        const std::string& caption)
    {
        Field& f = add(FieldKind::Page, name, pageControl, caption);
        f.pageIndex = index;
        return f;
    }

    Field& grid(const std::string& name, const std::string& parent, int columns, int rows,
        int fixedColumns, int fixedRows)
    {
        Field f;
        f.name = name;
        f.kind = FieldKind::Grid;
        f.parent = parent;
        f.columns = columns;
        f.rows = rows;
        f.fixedColumns = fixedColumns;
        f.fixedRows = fixedRows;
        return store_.add(std::move(f));
    }

    void buttons(const std::string& parent, std::initializer_list<const char*> names)
    {
        for (const char* name : names)
            add(FieldKind::Button, name, parent);
    }

    void pictures(const std::string& parent, std::initializer_list<const char*> names)
    {
        for (const char* name : names)
            add(FieldKind::Picture, name, parent);
    }

    Field& window(FieldKind kind, const std::string& name, const std::string& title, bool visible)
    {
        Field& f = add(kind, name, std::string(), title);
        f.visible = visible;
        return f;
    }

private:
    FieldStore& store_;
};

void declareMainWindow(Designer& d)
{
    d.window(FieldKind::Window, "FormMain", "Расчет режимов резания", true);
    d.dropDown("TabMach", "FormMain", {});
    d.buttons("FormMain", { "BitBtnGraphic", "BitBtnHelp", "BitCalcs" });

    Field& param = d.add(FieldKind::PageControl, "PageControlParam", "FormMain");
    param.items = { kWalterPageCaption, kAluminiumPageCaption, kTitaniumPageCaption };
    param.index = 0;
    d.page("TabSheet1", "PageControlParam", 0, kWalterPageCaption);
    d.page("TabSheet2", "PageControlParam", 1, kAluminiumPageCaption);
    d.page("TabSheet3", "PageControlParam", 2, kTitaniumPageCaption);

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

void declareWalterInputs(Designer& d)
{
    const std::string page = "TabSheet1";
    d.dropDown(kWalterCutter, page, { kNoCutter }, 0);
    d.editableList("BaseD", page, "0.0", diameterItems());
    d.editableList("BaseZ", page, "0", teethItems());
    d.text("BaseB", page, "0.0000000000000");
    d.text("BaseT", page, "0.00000000000000");
    d.text("BaseStPasses", page, "1");
    d.text("BaseVc", page, "0.00000");
    d.text("Basefz", page, "0.00000");
    d.dropDown("ComboBoxStkpd", page, { "0.70", "0.80", "0.85", "0.90", "0.95", "0.99" });
    d.dropDown("ComboBoxStContact", page, { "Центральное", "Смещение от центра" });
    d.pictures(page, { "Imagevs" });
    d.text("EditStk", page, "EditStk");
    d.text("EditStGamma0", page, "EditStGamma0");
    d.text("EditStKc11", page, "EditStKc11");
    d.text("EditStMc", page, "EditStMc");
    d.add(FieldKind::StaticText, "StaticTextStMaterial", page, "StaticTextStMaterial");
    d.buttons(page, { "BitBtnStMaterial" });
    d.text("BaseStL", page, "0.0");
    d.text("BaseStDeflMax", page, "0.0");
}

void declareAluminiumInputs(Designer& d)
{
    const std::string page = "TabSheet2";
    d.dropDown(kAluminiumCutter, page, { kNoCutter }, 0);
    d.editableList("BaseAlD", page, "0.0", diameterItems());
    d.editableList("BaseAlZ", page, "0", teethItems());
    d.text("BaseAlB", page, "0.000000");
    d.text("BaseAlT", page, "0.000000");
    d.text("BaseAlPasses", page, "1");
    // The alloys are the aluminium method's own: its creation step lists them.
    d.dropDown("ComboBoxMaterial", page, {});
    d.dropDown("ComboBoxTkpd", page, { "0.70", "0.75", "0.80", "0.85", "0.90", "0.95", "0.99" });
    d.dropDown("ComboBoxRa", page, {});
    d.text("BaseAlL", page, "0.0");
    d.text("BaseAlDeflMax", page, "0.0");
}

void declareTitaniumInputs(Designer& d)
{
    const std::string page = "TabSheet3";
    d.dropDown(kTitaniumCutter, page, { kNoCutter }, 0);
    d.editableList("BaseTiD", page, "BaseTiD", diameterItems());
    d.editableList("BaseTiZ", page, "BaseTiZ", teethItems());
    d.text("BaseTiB", page, "BaseTiB");
    d.text("BaseTiT", page, "BaseTit");
    d.text("BaseTiPasses", page, "1");
    d.editableList("BaseTiL", page, "BaseTiL",
        { "10", "15", "20", "25", "30", "40", "50", "60", "70", "80", "90", "100", "110", "120",
            "150" });
    d.editableList("BaseTihz", page, "BaseTihz", { "0.1", "0.2", "0.3", "0.4", "0.5" });
    d.dropDown("ComboBoxTiTime", page, { "30", "60", "90", "120", "180", "240" });
    d.dropDown("ComboBoxTiMaterial", page, { "ВТ20", "ВТ22", "ВТ 6ч" });
    d.radioGroup("RadioGroupTiMaterial", page, "Материал режущ. части фрезы",
        { "Быстрорежущая сталь", "Твердый сплав" }, 0);
    d.radioGroup(
        "RadioGroupTiCoolnt", page, "Наличие охлаждения", { "С охлаждением", "Без охлаждения" }, 0);
    d.radioGroup("RadioGroupTiSurface", page, "Обрабатываемая поверхность",
        { "Плоскость,уступ", "Сложный контур", "Паз,колодец,радиус сопряжения" }, 0);
    d.radioGroup("RadioGroupTiSkin", page, "Состояние обрабатываемой поверхности",
        { "Без \"корки\"", "С \"коркой\"" }, 0);
    d.radioGroup(
        "RadioGroupTiDirection", page, "Направление фрезерования", { "попутное", "встречное" }, 0);
    d.radioGroup("RadioGroupTiTypeDetal", page, "Тип Детали",
        { "Корпус каретки,кронштейн обьемный", "Каретка,узел крепл пилона или балки подкоса",
            "Корпус кардана,кронштейн удлиненный" },
        0);
    d.pictures(page, { "ImageSurface", "ImageDirection" });
    d.text("BaseTiDeflMax", page, "BaseTiDeflMax");
}

void declareResultPages(Designer& d)
{
    Field& panel = d.window(FieldKind::Panel, "PanelCalc", "Параметры", true);
    (void)panel;
    Field& methods = d.add(FieldKind::PageControl, "PageControlMethods", "PanelCalc");
    methods.items = { kWalterPageCaption, kAluminiumPageCaption, kTitaniumPageCaption, "" };
    methods.index = 0;
    d.page("TabSheetStandard", "PageControlMethods", 0, kWalterPageCaption);
    d.page("TabSheetTechAl", "PageControlMethods", 1, kAluminiumPageCaption);
    d.page("TabSheetTechTi", "PageControlMethods", 2, kTitaniumPageCaption);
    d.page("TabSheet4", "PageControlMethods", 3, "");
    d.add(FieldKind::StatusLine, "StatusBarMes", "PanelCalc");
    d.buttons("PanelCalc", { "BitBtnMachines" });
    // The results' context menu: the fit of the active method's cut to the machine.
    d.add(FieldKind::MenuItem, "N29", "PanelCalc");

    // Walter results
    std::string page = "TabSheetStandard";
    d.text("EditStn", page, "EditStn");
    d.text("EditStVc", page, "EditStVc", true);
    d.text("EditStQ", page, "EditStQ", true);
    d.text("EditSthm2", page, "EditSthm2");
    d.add(FieldKind::CheckBox, "CheckBoxhm2", page, "Приближенный расчет (ae/Dc<30%)");
    d.text("EditaeDc", page, "EditaeDc", true);
    d.text("EditStVf", page, "EditStVf");
    d.text("EditStfz", page, "EditStfz", true);
    d.text("EditStKc", page, "EditStKc");
    d.text("EditStP", page, "EditStP", true);
    d.text("EditStPn", page, "EditStPn", true);
    d.text("EditStM", page, "EditStM", true);
    d.text("EditStDefl", page, "EditStDefl", true);
    // The passes across the part: one until a fit narrows the width.
    d.text("EditStWidthPasses", page, "1", true);
    d.buttons(page,
        { "BitBtnSt1", "BitBtnSt2", "BitBtnSt3", "BitBtnSt4", "BitBtnSt5", "BitBtnStDefl",
            "BitBtnStFit" });
    d.pictures(
        page, { "Image9", "Image10", "Imagehm", "Image5", "Image6", "Image8", "ImageStDefl" });

    // Aluminium results
    page = "TabSheetTechAl";
    d.text("EditSz", page, "EditSz");
    d.text("EditV1", page, "EditV1", true);
    d.text("EditV2", page, "EditV2", true);
    d.dropDown("EditV", page, {});
    d.text("Editn", page, "Editn");
    d.text("EditF", page, "EditF");
    d.text("EditTm", page, "EditTm", true);
    d.text("EditPz", page, "EditPz");
    d.text("EditMz", page, "EditMz");
    d.text("EditNp", page, "EditNp", true);
    d.text("EditAlDefl", page, "EditAlDefl", true);
    d.text("EditAlWidthPasses", page, "1", true);
    // The ratios stay empty until the first aluminium step computes them.
    d.text("EditK", page, "", true);
    d.text("EdittD", page, "", true);
    d.window(FieldKind::Panel, "PanelForestP", "Допустимая силовая нагрузка [P], кН", true).parent
        = page;
    d.grid("StringGridP", "PanelForestP", 2, 8, 0, 1);
    d.buttons(page,
        { "BitBtnAlTm1", "BitBtnAln1", "BitBtnAlF1", "BitBtnAlPz1", "BitBtnAlMz1", "BitBtnAlNp1",
            "BitBtnAlDefl1", "BitBtnPanelAl", "BitBtnAlFit" });
    // Formula pictures: n, V = min(V1, V2), F, torque, power and deflection.
    d.pictures(page, { "ImageAln", "ImageAlV", "ImageAlF", "Image18", "Image19", "ImageAlDefl" });

    // Titanium results
    page = "TabSheetTechTi";
    for (const char* name : { "EditTiVc", "EditTin", "EditTiF", "EditTiMz", "EditTiNct", "EditTiPx",
             "EditTiPy", "EditTiP", "EditTiVsmall", "EditTinsmall", "EditTiFsmall",
             "EditTiNctsmall", "EditTiPxcoeff", "EditTiPycoeff", "EditTiDefl" })
        d.text(name, page, name, true);
    d.text("EditTiWidthPasses", page, "1", true);
    d.buttons(page, { "BitBtnTiDefl" });
    // The feed per tooth is the one titanium result drawn green from the start.
    d.text("EditTifz", page, "EditTifz", true).colour = colours::Green;
    d.buttons(page, { "BitBtnTiFit" });
    d.radioGroup("RadioGroupTiPz", page, "Сила Резания Pz, H",
        { "(нормально резу)", "(против направ подачи)", "(общая)" }, 1);
    d.pictures(page,
        { "ImageTiVbase", "ImageTiVsmall", "Image20", "Image21", "Image22", "Image23", "Image24",
            "Image25", "Image26", "Image27", "ImageTiDefl" });
}

void declarePanels(Designer& d)
{
    d.window(FieldKind::Panel, "PanelFormulaAl", "Панель: Формулы расчета для сплавов Al", true);
    for (const char* name : { "EditTkoef1", "EditTX1", "EditTY1", "EditTZ1", "EditTKs",
             "EditTkoef2", "EditTX2", "EditTY2", "EditTZ2", "EditTkoef3", "EditTX3", "EditTY3",
             "EditTZ3", "EditTsm1", "EditTkoef4", "EditTX4", "EditTY4", "EditTZ4", "EditTsm2" })
        d.text(name, "PanelFormulaAl", name);
    d.buttons("PanelFormulaAl", { "BitBtn1fz", "BitBtn2V1", "BitBtn3V2", "BitBtn4P" });
    // Formula pictures of the four groups: Sz, V1, V2 and the force.
    d.pictures("PanelFormulaAl", { "ImageAlSz", "ImageAlV1", "ImageAlV2", "Image17" });

    d.window(FieldKind::Panel, "PanelStMaterial", "Панель: Material->", true);
    const std::pair<const char*, const char*> radios[] = {
        { "RadioButton1", "Сталь (P)" },
        { "RadioButton2", "Нержавеющая сталь (M)" },
        { "RadioButton3", "Литейный чугун (K)" },
        { "RadioButton4", "Цветные металлы (N)" },
        { "RadioButton5", "Жаропрочные сплавы и титановые сплавы (S)" },
    };
    for (const auto& [name, caption] : radios)
        d.add(FieldKind::RadioButton, name, "PanelStMaterial", caption);
    d.add(FieldKind::StaticText, "StaticTextMaterial", "PanelStMaterial");
    d.grid("StringGridTab", "PanelStMaterial", 4, 9, 0, 1);
    Field& memo = d.add(FieldKind::Memo, "Memo1", "PanelStMaterial");
    memo.readOnly = true;
    memo.items = {
        "Значение Kc1.1=удельная сила резания с главным передним углом=0 °. ",
        "При других углах значение kc1.1 должно быть увеличено/уменьшено ",
        "соответствующим образом, т.е. 1% на каждый градус главного переднего ",
        "угла. ",
        "Значение Rm (предел прочности на растяжение) - это дополнительные ",
        "данные для определения требуемой группы материала заготовки, ",
        "если материал обрабатывается с учетом более высокой прочности на ",
        "растяжение, например, ковкий тянутый или термически обработанный ",
        "материал.",
    };
    d.buttons("PanelStMaterial", { "BitBtnStMaterialOut" });

    d.window(FieldKind::Panel, "PanelTemp", "Температура Материала", true);
    d.grid("StringGridT", "PanelTemp", 9, 10, 1, 1);
    d.add(FieldKind::StaticText, "StaticText1", "PanelTemp",
        "Зависимость температуры поверхности детали\r\n(в градусах Цельсия) от скорости "
        "резания и подачи.");
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

void declareControls(FieldStore& store)
{
    Designer d(store);
    declareMainWindow(d);
    declareWalterInputs(d);
    declareAluminiumInputs(d);
    declareTitaniumInputs(d);
    declareResultPages(d);
    declarePanels(d);
    declareMachinesPanel(d);
    declareOtherWindows(d);
}

} // namespace millcalc
