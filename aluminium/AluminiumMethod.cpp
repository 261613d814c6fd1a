#include "aluminium/AluminiumMethod.h"

#include "aluminium/AlForce.h"
#include "aluminium/AlTemperature.h"
#include "aluminium/Aluminium.h"
#include "aluminium/AluminiumFit.h"
#include "app/Controls.h"
#include "app/Designer.h"
#include "app/Form.h"
#include "machines/MachineTable.h"

#include <string>

namespace millcalc {

namespace {

using L = LimitKind;

constexpr FieldCaption kAluminiumInputs[] = {
    { "BaseAlD", "Диаметр фрезы, D", "мм", "Диаметр фрезы, D (мм) =" },
    { "BaseAlZ", "Число зубьев, z", "", "Число зубьев, (z) =" },
    { "BaseAlB", "Ширина резания, B", "мм", "Ширина резания, B (мм) =" },
    { "BaseAlT", "Глубина резания, t", "мм", "Глубина резания, t (мм) =" },
    { "BaseAlPasses", "Число проходов, i", "", "Число проходов, i =" },
    { "ComboBoxMaterial", "Материал заготовки", "", "Материал заготовки:" },
    { "ComboBoxTkpd", "КПД станка", "", "КПД станка (%) =" },
    { "ComboBoxRa", "Требуемая шероховатость, Ra", "мкм",
        "Требуемая\r\nшероховатость, Ra (мкм) =" },
    { "BaseAlL", "Вылет фрезы, L", "мм", "Вылет фрезы, L (мм) =" },
    { "BaseAlDeflMax", "Допустимый отжим фрезы", "мм", "Допустимый отжим фрезы, (мм) =" },
};

constexpr FieldCaption kAluminiumResults[] = {
    { "EditSz", "Подача на зуб Sz=fz", "мм/зуб", "Подача на зуб Sz=fz, (мм/зуб) =" },
    { "EditV1", "Скорость резания V1 (темпер. заготовки)", "м/мин",
        "Скорость резания V1 (темпер. заготовки), (м/мин) =" },
    { "EditV2", "Скорость резания V2 (по мощн. гл. дв.)", "м/мин",
        "Скорость резания V2 (по мощн. гл. дв.) , (м/мин) =" },
    { "EditV", "Принимаемая скорость резания, V", "м/мин",
        "Принимаемая скорость резания, V (м/мин) =" },
    { "Editn", "Обороты шпинделя, n", "об/мин", "Обороты шпинделя, n (об/мин) =" },
    { "EditF", "Подача резания, F", "мм/мин", "Подача резания, F (мм/мин) =" },
    { "EditTm", "Температура заготовки, C", "град Цельсия",
        "Температура заготовки, C (град Цельсия) =" },
    { "EditPz", "Сила резания Pz", "Н", "Сила резания Pz,(Н) =" },
    { "EditMz", "Момент Mz", "Нм", "Момент Mz, (Hm) =" },
    { "EditNp", "Мощность резания Nct", "кВт", "Мощность резания Nct, (кВт) =" },
    { "EditAlDefl", "Отжим фрезы, δ", "мм", "Отжим фрезы, δ (мм) =" },
    { "EditAlWidthPasses", "Проходов по ширине", "", "Проходов по B =" },
    { "EditK", "K=B/D", "", "K=B/D=" },
    { "EdittD", "t/D", "", "t/D=" },
};

constexpr FieldCaption kSzCoefficients[] = {
    { "EditTkoef1", "k1", "", "k1=" },
    { "EditTX1", "X1", "", "X1=" },
    { "EditTY1", "Y1", "", "Y1=" },
    { "EditTZ1", "Z1", "", "Z1=" },
    { "EditTKs", "Ks", "", "Ks=" },
};
constexpr FieldCaption kV1Coefficients[] = {
    { "EditTkoef2", "k2", "", "k2=" },
    { "EditTX2", "X2", "", "X2=" },
    { "EditTY2", "Y2", "", "Y2=" },
    { "EditTZ2", "Z2", "", "Z2=" },
};
constexpr FieldCaption kV2Coefficients[] = {
    { "EditTkoef3", "k3", "", "k3=" },
    { "EditTX3", "X3", "", "X3=" },
    { "EditTY3", "Y3", "", "Y3=" },
    { "EditTZ3", "Z3", "", "Z3=" },
    { "EditTsm1", "m1", "", "m1=" },
};
constexpr FieldCaption kForceCoefficients[] = {
    { "EditTkoef4", "k4", "", "k4=" },
    { "EditTX4", "X4", "", "X4=" },
    { "EditTY4", "Y4", "", "Y4=" },
    { "EditTZ4", "Z4", "", "Z4=" },
    { "EditTsm2", "m2", "", "m2=" },
};

constexpr CoefficientGroup kCoefficientGroups[] = {
    { "Sz", kSzCoefficients },
    { "V1", kV1Coefficients },
    { "V2", kV2Coefficients },
    { "Pz", kForceCoefficients },
};

constexpr LimitCheck kChecks[] = {
    { "Editn", "n", L::SpindleSpeed },
    { "EditF", "F", L::Feed },
    // A weaker drive lowers the accepted speed, and the part runs hotter.
    { "EditTm", "T", L::Temperature },
    { "EditPz", "Pz", L::SpindleLoad },
    { "EditMz", "Mz", L::Torque },
    { "EditNp", "Nct", L::Power },
    { "EditAlDefl", "δ", L::Deflection },
};

// The temperature table shows the temperature of the inputs as it comes.
void temperatureShown(Form& form, bool)
{
    CalcAlWorkpieceTemperature(form);
}

// The formula panel and the temperature table, each shown by its button on
// the results and its menu lines.
constexpr const char* kFormulaButtons[] = { "BitBtnPanelAl" };
constexpr const char* kTemperatureButtons[] = { "BitBtnAlTm1" };
constexpr Panel kPanels[] = {
    { .name = "PanelFormulaAl",
        .caption = "Панель: Формулы расчета для сплавов Al",
        .buttons = kFormulaButtons,
        .helpItem = { "N21", "Панель: &Формулы (Алюминий)" },
        .contextItem = { "N18", "Панель: &Формулы (Алюминий)" },
        .kept = true },
    { .name = "PanelTemp",
        .caption = "Температура Материала",
        .buttons = kTemperatureButtons,
        .helpItem = { "N23", "Панель: &Температуры (Алюминий)" },
        .contextItem = { "N24", "Панель: &Температуры (Алюминий)" },
        .kept = true,
        .shown = temperatureShown },
};

constexpr PageLine kPageLines[] = {
    { "ComboBoxMaterial" },
    { "ComboBoxTkpd" },
    { "ComboBoxRa" },
    { "BaseAlL" },
    { "BaseAlDeflMax" },
};
constexpr MethodPage kInputPage { .lines = kPageLines };

// Ten lines of results with their steps and formulas; under them the ratios,
// the deflection, the formulas' panel and the fit, the spindle load table
// beside them and the method's source beside it, where the page has room to
// spare: under it, it would make the page taller than a laptop's screen.
constexpr ResultLine kResultLines[] = {
    { .field = "EditSz" },
    { .field = "EditV1" },
    { .field = "EditV2" },
    { .field = "EditV", .picture = "ImageAlV" },
    { .field = "Editn", .step = "BitBtnAln1", .picture = "ImageAln" },
    { .field = "EditF", .step = "BitBtnAlF1", .picture = "ImageAlF" },
    { .field = "EditTm", .step = "BitBtnAlTm1", .stepText = ">>" },
    { .field = "EditPz", .step = "BitBtnAlPz1" },
    { .field = "EditMz", .step = "BitBtnAlMz1", .picture = "Image18" },
    { .field = "EditNp", .step = "BitBtnAlNp1", .picture = "Image19" },
};
// Low margins over and under the ten lines: on a laptop at large fonts the
// table under them takes the rest of the height.
constexpr ResultGroup kOverColumns[] = {
    { .title = "Рассчитываемые значения....",
        .lines = kResultLines,
        .steps = true,
        .spacing = 2,
        .lowMargins = true },
};
constexpr ResultLine kRatioLines[] = {
    { .field = "EditK", .width = 70 },
    { .field = "EdittD", .width = 70 },
};
// The deflection beside the load table, where the column has height to
// spare: a line more over the table would make the page taller than a
// laptop's screen.
constexpr ResultLine kDeflectionLines[] = {
    { .field = "EditAlDefl", .step = "BitBtnAlDefl1", .deflection = true },
};
// The passes across the part on the line of the fit that counts them: a line
// more would take the column past a laptop's height.
constexpr ResultPasses kPasses { .fit = "BitBtnAlFit", .fitFirst = true };
constexpr ResultGroup kSideGroups[] = {
    { .title = "Коэффициенты....", .lines = kRatioLines },
    { .lines = kDeflectionLines, .wrap = true, .stacked = true },
    { .button = "BitBtnPanelAl",
        .buttonText = "Показать формулы",
        .buttonTip = "Расчетные формулы" },
    { .passes = &kPasses },
};
constexpr ResultGroup kLoadGroups[] = { { .part = "SpindleLoad" } };
constexpr ResultGroup kSourceGroups[] = {
    { .note = "Метод расчета ТР 1.4.2104-2002 \"Технологические рекомендации. Выбор параметров "
              "концевых фрез и режимов резания высокоскоростного фрезерования алюминиевых и "
              "титановых сплавов.\"" },
};
constexpr ResultColumn kResultColumns[] = {
    { .groups = kSideGroups },
    { .groups = kLoadGroups, .top = true },
    { .groups = kSourceGroups, .stretch = 1 },
};
constexpr ResultPage kResultPage { .over = kOverColumns, .columns = kResultColumns };

void declareAluminium(Designer& d)
{
    std::string page = "TabSheet2";
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

    d.window(FieldKind::Panel, kPanels[0].name, kPanels[0].caption, true);
    for (const char* name : { "EditTkoef1", "EditTX1", "EditTY1", "EditTZ1", "EditTKs",
             "EditTkoef2", "EditTX2", "EditTY2", "EditTZ2", "EditTkoef3", "EditTX3", "EditTY3",
             "EditTZ3", "EditTsm1", "EditTkoef4", "EditTX4", "EditTY4", "EditTZ4", "EditTsm2" })
        d.text(name, "PanelFormulaAl", name);
    d.buttons("PanelFormulaAl", { "BitBtn1fz", "BitBtn2V1", "BitBtn3V2", "BitBtn4P" });
    // Formula pictures of the four groups: Sz, V1, V2 and the force.
    d.pictures("PanelFormulaAl", { "ImageAlSz", "ImageAlV1", "ImageAlV2", "Image17" });

    d.window(FieldKind::Panel, kPanels[1].name, kPanels[1].caption, true);
    d.grid("StringGridT", "PanelTemp", 9, 10, 1, 1);
    d.add(FieldKind::StaticText, "StaticText1", "PanelTemp",
        "Зависимость температуры поверхности детали\r\n(в градусах Цельсия) от скорости "
        "резания и подачи.");
}

// The formula panel, the temperature table and the spindle-load table are the
// aluminium method's.
void createAluminiumMethod(Form& form)
{
    createAluminiumInputs(form);
    createTemperatureGrid(form);
    createLoadGrid(form);
}

double aluminiumLimit(const Form& form, LimitKind kind)
{
    switch (kind) {
    case L::SpindleLoad: {
        // The force is in N, the permissible load in kN; none (negative) on
        // a machine without the spindle-load table.
        const FieldStore& store = form.store();
        const double load = permissibleSpindleLoadKn(
            selectedMachine(form), store.real("Editn"), store.real("ComboBoxTkpd"));
        return load > 0 ? 1000 * load : 0;
    }
    case L::Temperature:
        return kOverheatTemperature;
    default:
        return -1;
    }
}

} // namespace

const Method& aluminiumMethod()
{
    static const Method row {
        .caption = "ТР (Сплавы Алюминия)...",
        .fileWord = "алюминий",
        .inputPage = "TabSheet2",
        .resultPage = "TabSheetTechAl",
        .declare = declareAluminium,
        .install = installAluminium,
        .create = createAluminiumMethod,
        .fill = fillAluminium,
        .calculate = CalcAluminium,
        .inputs = kAluminiumInputs,
        .coefficients = kCoefficientGroups,
        .results = kAluminiumResults,
        .checks = kChecks,
        .card = { .diameter = "BaseAlD",
            .width = "BaseAlB",
            .depth = "BaseAlT",
            .feed = "EditF",
            .feedPerTooth = "EditSz",
            .spindleSpeed = "Editn",
            .cuttingSpeed = "EditV",
            .passes = "BaseAlPasses",
            .widthPasses = "EditAlWidthPasses" },
        .point = { .speed = "Editn", .power = "EditNp", .torque = "EditMz" },
        .fit = &aluminiumFitPlan(),
        .deflection = &aluminiumDeflection(),
        .cutter = { .chooser = kAluminiumCutter,
            .diameter = "BaseAlD",
            .teeth = "BaseAlZ",
            .stickout = "BaseAlL",
            .axialDepth = "BaseAlB",
            .radialDepth = "BaseAlT",
            .cutWord = "aluminium",
            .workMaterial = "ComboBoxMaterial" },
        .ownLimit = aluminiumLimit,
        .panels = kPanels,
        .inputLayout = &kInputPage,
        .resultLayout = &kResultPage,
    };
    return row;
}

} // namespace millcalc
