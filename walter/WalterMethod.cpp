#include "walter/WalterMethod.h"

#include "app/Controls.h"
#include "app/Designer.h"
#include "materials/MaterialCatalogue.h"
#include "walter/Walter.h"
#include "walter/WalterFit.h"

#include <string>

namespace millcalc {

namespace {

using L = LimitKind;

constexpr FieldCaption kWalterInputs[] = {
    { "BaseD", "Диаметр фрезы, D", "мм", "Диаметр фрезы, D (мм) =" },
    { "BaseZ", "Число зубьев, z", "", "Число зубьев, (z) =" },
    { "BaseB", "Ширина резания, ap", "мм", "Ширина резания, ap (мм) =" },
    { "BaseT", "Глубина резания, ae", "мм", "Глубина резания, ae (мм) =" },
    { "BaseStPasses", "Число проходов, i", "", "i=" },
    { "BaseVc", "Скорость резания, Vc", "м/мин", "Скорость резания, Vc (м/мин) =" },
    { "Basefz", "Подача на зуб, fz", "мм/зуб", "Подача на зуб, fz (мм/зуб) =" },
    { "ComboBoxStkpd", "КПД станка", "", "КПД станка (%) =" },
    { "ComboBoxStContact", "Угол контакта фрезы", "", "Угол контакта фрезы:" },
    { "EditStk", "Главный угол, k", "°", "Главный угол, k (°)=" },
    { "EditStGamma0", "Главный передний угол", "°", "Главный передний угол, (°)" },
    { "StaticTextStMaterial", "Обрабатываемый материал", "" },
    { "EditStKc11", "Kс1.1", "Н/(мм*мм)", "Kс1.1=" },
    { "EditStMc", "Mc", "", "Mc=" },
    { "BaseStL", "Вылет фрезы, L", "мм", "Вылет фрезы, L (мм) =" },
    { "BaseStDeflMax", "Допустимый отжим фрезы", "мм", "Допустимый отжим фрезы, (мм) =" },
    { "CheckBoxhm2", nullptr, "", nullptr, ValueKind::Checked },
};

constexpr FieldCaption kWalterResults[] = {
    { "EditStn", "Обороты шпинделя, n", "об/мин", nullptr },
    { "EditStVc", "Скорость резания, Vc", "м/мин" },
    { "EditStVf", "Подача, Vf", "мм/мин", nullptr },
    { "EditStfz", "Подача на зуб, fz", "мм/зуб" },
    { "EditStQ", "Скорость сьема материала, Q", "(см*см*см)/мин" },
    { "EditSthm2", "Средняя толщина стружки, hm", "мм" },
    { "EditaeDc", "ae/Dc", "", "ae/Dc=" },
    { "EditStKc", "Удельная сила резания, kc", "Н/(мм*мм)", "Удельная сила резания:" },
    { "EditStP", "Мощность (рассчитанная)", "кВт", "Мощность (рассчитанная)=" },
    { "EditStPn", "Мощность (принимаемая)", "кВт", "Мощность (принимаемая)=" },
    { "EditStM", "Момент, M", "Нм", "Момент, M=" },
    { "EditStDefl", "Отжим фрезы, δ", "мм", nullptr },
    { "EditStWidthPasses", "Проходов по ширине", "", "Проходов по ширине=" },
};

// Walter's columns carry the shop's short symbols: F the table feed, N the
// cutting power. Its Pn and M tell what the machine delivers at n, not what
// the cut needs: its step colours them, and they are no checks of the cut.
constexpr LimitCheck kChecks[] = {
    { "EditStn", "n", L::SpindleSpeed },
    { "EditStVf", "F", L::Feed },
    { "EditStP", "N", L::Power },
    { "EditStDefl", "δ", L::Deflection },
};

// The material catalogue is the Walter method's: it gives kc1.1 and mc.
// The material catalogue, shown by its button on the page and its menu lines.
constexpr const char* kMaterialButtons[] = { "BitBtnStMaterial" };
constexpr Panel kPanels[] = {
    { .name = "PanelStMaterial",
        .caption = "Панель: Material->",
        .buttons = kMaterialButtons,
        .helpItem = { "N22", "Панель: &Материалы" },
        .contextItem = { "N19", "Панель: &Материалы" },
        .kept = true },
};

// The longest input page: the cutter's lines compact, the contact scheme
// beside the lines above it, the catalogue's material under them all.
constexpr PageLine kPageLines[] = {
    { "BaseVc" },
    { "Basefz" },
    { "ComboBoxStkpd" },
    { "ComboBoxStContact", 0 },
    { "EditStk" },
    { "EditStGamma0" },
    { "BaseStL" },
    { "BaseStDeflMax" },
};
constexpr PagePart kUnderLines[] = { { "MaterialChoice" } };
constexpr MethodPage kInputPage {
    .compactCutter = true,
    .lines = kPageLines,
    .picture = { .name = "Imagevs", .after = "ComboBoxStContact", .lines = 4 },
    .under = kUnderLines,
};

// The results in framed groups of one step each, its button at the group's
// right edge, in two columns beside the inputs.
constexpr ResultLine kSpeedLines[]
    = { { .field = "EditStn" }, { .field = "EditStVc", .picture = "Image9" } };
constexpr ResultLine kFeedLines[]
    = { { .field = "EditStVf" }, { .field = "EditStfz", .picture = "Image10" } };
constexpr ResultLine kRemovalLines[] = { { .field = "EditStQ" }, { .picture = "Image6" } };
// Its group's title names it, as the speed's and the feed's: a caption
// beside the field would widen the column beyond a laptop's screen.
constexpr ResultLine kDeflectionLines[] = { { .field = "EditStDefl" }, { .deflection = true } };
constexpr ResultLine kChipLines[] = { { .field = "EditSthm2" }, { .check = "CheckBoxhm2" },
    { .field = "EditaeDc" }, { .picture = "Imagehm" } };
constexpr ResultLine kPowerLines[]
    = { { .field = "EditStKc" }, { .picture = "Image8" }, { .field = "EditStP" },
          { .picture = "Image5" }, { .field = "EditStPn" }, { .field = "EditStM" } };
// The passes across the part beside the fit that counts them: the line of
// the button, no line more.
constexpr ResultPasses kPasses { .fit = "BitBtnStFit" };
constexpr ResultGroup kLeftGroups[] = {
    { .title = "Обороты , Скорость резания",
        .step = "BitBtnSt1",
        .lines = kSpeedLines,
        .units = true,
        .spacing = 4 },
    { .title = "Подача", .step = "BitBtnSt4", .lines = kFeedLines, .units = true, .spacing = 4 },
    { .title = "Скорость сьема материала,Q",
        .step = "BitBtnSt2",
        .lines = kRemovalLines,
        .units = true,
        .spacing = 4 },
    { .title = "Отжим фрезы, δ",
        .step = "BitBtnStDefl",
        .lines = kDeflectionLines,
        .units = true,
        .spacing = 4 },
};
constexpr ResultGroup kRightGroups[] = {
    { .title = "Средняя толщина стружки",
        .step = "BitBtnSt3",
        .lines = kChipLines,
        .units = true,
        .spacing = 4 },
    { .title = "Расчет мощности (момента) резания..",
        .step = "BitBtnSt5",
        .lines = kPowerLines,
        .units = true,
        .spacing = 4 },
    { .passes = &kPasses },
};
constexpr ResultColumn kResultColumns[] = {
    { .groups = kLeftGroups, .stretch = 1 },
    { .groups = kRightGroups, .stretch = 1 },
};
constexpr ResultPage kResultPage { .columns = kResultColumns };

void declareWalter(Designer& d)
{
    std::string page = "TabSheet1";
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

    page = "TabSheetStandard";
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

    declareMaterialsPanel(d);
}

void installWalterMethod(Form& form)
{
    installWalter(form);
    installMaterials(form);
}

void createWalterMethod(Form& form)
{
    createWalter(form);
    createMaterials(form);
}

} // namespace

const Method& walterMethod()
{
    static const Method row {
        .caption = "Фрезерование (Walter)",
        .fileWord = "Walter",
        .inputPage = "TabSheet1",
        .resultPage = "TabSheetStandard",
        .declare = declareWalter,
        .install = installWalterMethod,
        .create = createWalterMethod,
        .fill = fillWalter,
        .calculate = WalterCalculate,
        .inputs = kWalterInputs,
        .coefficients = {},
        .results = kWalterResults,
        .checks = kChecks,
        .card = { .diameter = "BaseD",
            .width = "BaseB",
            .depth = "BaseT",
            .feed = "EditStVf",
            .feedPerTooth = "EditStfz",
            .spindleSpeed = "EditStn",
            .cuttingSpeed = "EditStVc",
            .passes = "BaseStPasses",
            .widthPasses = "EditStWidthPasses" },
        .point = { .speed = "EditStn", .power = "EditStPn", .torque = "EditStM" },
        .fit = &walterFitPlan(),
        .deflection = &walterDeflection(),
        .cutter = { .chooser = kWalterCutter,
            .diameter = "BaseD",
            .teeth = "BaseZ",
            .stickout = "BaseStL",
            .cuttingSpeed = "BaseVc",
            .feedPerTooth = "Basefz",
            .axialDepth = "BaseB",
            .radialDepth = "BaseT",
            .cutWord = "walter" },
        .ownLimit = nullptr,
        .panels = kPanels,
        .inputLayout = &kInputPage,
        .resultLayout = &kResultPage,
    };
    return row;
}

} // namespace millcalc
