#include "titanium/TitaniumMethod.h"

#include "app/Controls.h"
#include "app/Designer.h"
#include "titanium/Titanium.h"
#include "titanium/TitaniumFit.h"

#include <string>

namespace millcalc {

namespace {

using L = LimitKind;

constexpr FieldCaption kTitaniumInputs[] = {
    { "BaseTiD", "Диаметр фрезы, D", "мм", "Диаметр фрезы, D (мм) =" },
    { "BaseTiZ", "Число зубьев, z", "", "Число зубьев, (z) =" },
    { "BaseTiB", "Ширина резания, B", "мм", "Ширина резания, B (мм) =" },
    { "BaseTiT", "Глубина резания, t", "мм", "Глубина резания, t (мм) =" },
    { "BaseTiPasses", "Число проходов, i", "", "Число проходов, i =" },
    { "BaseTiL", "Вылет инструмента (длина режущ. части), L", "мм",
        "Вылет инструмента-длина,\r\n длина режущ. части, L(мм) =" },
    { "BaseTiDeflMax", "Допустимый отжим фрезы", "мм", "Допустимый отжим фрезы, (мм) =" },
    { "BaseTihz", "Критерий затупления по задней грани, hz", "мм",
        "Критерий затупления, hz (мм) =\r\n(по задней грани)" },
    { "ComboBoxTiTime", "Стойкость фрезы, T", "мин", "Стойкость\r\nфрезы, (мин):" },
    { "ComboBoxTiMaterial", "Материал", "", "Материал =" },
    { "RadioGroupTiMaterial", nullptr, "", nullptr, ValueKind::Choice },
    { "RadioGroupTiSurface", nullptr, "", nullptr, ValueKind::Choice },
    { "RadioGroupTiSkin", nullptr, "", nullptr, ValueKind::Choice },
    { "RadioGroupTiCoolnt", nullptr, "", nullptr, ValueKind::Choice },
    { "RadioGroupTiDirection", nullptr, "", nullptr, ValueKind::Choice },
    { "RadioGroupTiTypeDetal", nullptr, "", nullptr, ValueKind::Choice },
    { "RadioGroupTiPz", nullptr, "", nullptr, ValueKind::Choice },
    { "EditTiPxcoeff", "Коэффициент силы Cx", "", "Px=" },
    { "EditTiPycoeff", "Коэффициент силы Cy", "", "Py=" },
};

constexpr FieldCaption kTitaniumResults[] = {
    { "EditTifz", "Подача на зуб Sz=fz", "мм/зуб", "Подача на зуб Sz=fz, (мм/зуб) =" },
    { "EditTiVc", "Принимаемая скорость резания, V", "м/мин",
        "Принимаемая скорость резания, V (м/мин) =" },
    { "EditTin", "Обороты шпинделя, n", "об/мин", "Обороты шпинделя, n (об/мин) =" },
    { "EditTiF", "Подача резания, F", "мм/мин", "Подача резания, F (мм/мин) =" },
    { "EditTiPx", "Сила резания Px", "Н" },
    { "EditTiPy", "Сила резания Py", "Н" },
    { "EditTiP", "Сила резания P", "Н" },
    { "EditTiMz", "Момент Mz", "Нм", "Момент Mz, (Hm) =" },
    { "EditTiNct", "Мощность резания Nct", "кВт", "Мощность резания Nct, (кВт) =" },
    { "EditTiDefl", "Отжим фрезы, δ", "мм", "Отжим фрезы, δ (мм) =" },
    { "EditTiWidthPasses", "Проходов по ширине", "", "Проходов по B =" },
    { "EditTiVsmall", "Скорость резания, V (деталь малой жесткости)", "м/мин",
        "Скорость резания, V (м/мин) =" },
    { "EditTinsmall", "Обороты шпинделя, n (деталь малой жесткости)", "об/мин",
        "Обороты шпинделя, n (об/мин) =" },
    { "EditTiFsmall", "Подача резания, F (деталь малой жесткости)", "мм/мин",
        "Подача резания, F (мм/мин) =" },
    { "EditTiNctsmall", "Мощность резания Nct (деталь малой жесткости)", "кВт",
        "Мощность резания Nct, (кВт) =" },
};

// The part of low rigidity is checked against the same limits; "мж" tells its
// columns apart.
constexpr LimitCheck kChecks[] = {
    { "EditTin", "n", L::SpindleSpeed },
    { "EditTiF", "F", L::Feed },
    { "EditTiMz", "Mz", L::Torque },
    { "EditTiNct", "Nct", L::Power },
    { "EditTiDefl", "δ", L::Deflection },
    { "EditTinsmall", "n мж", L::SpindleSpeed },
    { "EditTiFsmall", "F мж", L::Feed },
    { "EditTiNctsmall", "Nct мж", L::Power },
};

// The two-way options in a column beside the fields, the part's type under
// them, the direction and the surface with the pictures of their choices.
constexpr PageLine kPageLines[] = {
    { "BaseTiL" },
    { "BaseTiDeflMax" },
    { "BaseTihz" },
    { "ComboBoxTiTime" },
    { "ComboBoxTiMaterial" },
};
constexpr PagePart kUnderLines[] = { { "RadioGroupTiTypeDetal" } };
constexpr PagePart kBesideLines[] = {
    { "RadioGroupTiMaterial" },
    { "RadioGroupTiCoolnt" },
    { "RadioGroupTiSkin" },
    { "RadioGroupTiDirection", "ImageDirection" },
    { "RadioGroupTiSurface", "ImageSurface" },
};
constexpr MethodPage kInputPage {
    .lines = kPageLines,
    .under = kUnderLines,
    .beside = kBesideLines,
};

// One column of results from the feed down to the power: captions (and the
// force choice) on the left, formulas on the right; under it the speeds of a
// part of low rigidity, their fields under those above.
constexpr ResultLine kResultLines[] = {
    { .field = "EditTifz", .picture = "Image20" },
    { .field = "EditTiVc", .picture = "ImageTiVbase" },
    { .field = "EditTin", .picture = "Image21" },
    { .field = "EditTiF", .picture = "Image22" },
    { .field = "EditTiPx",
        .picture = "Image25",
        .coefficient = "EditTiPxcoeff",
        .choice = "RadioGroupTiPz",
        .choiceLines = 3 },
    { .field = "EditTiPy", .picture = "Image26", .coefficient = "EditTiPycoeff" },
    { .field = "EditTiP", .picture = "Image27" },
    { .field = "EditTiMz", .picture = "Image23" },
    { .field = "EditTiNct", .picture = "Image24" },
    // The one titanium result with a step of its own, and the fit beside the
    // last check of the cut, as a picture: a line of its own would take the
    // page past a laptop's height.
    { .field = "EditTiDefl", .step = "BitBtnTiDefl", .deflection = true, .fit = "BitBtnTiFit" },
    // The passes across the part under the fit that counts them; beside it
    // the line would be wider than a laptop's screen at large fonts.
    { .field = "EditTiWidthPasses" },
};
// The speed's formula beside the fields, not over them: the page stays
// within a laptop screen's height.
constexpr ResultLine kSmallLines[] = {
    { .field = "EditTiVsmall", .picture = "ImageTiVsmall", .pictureLines = 2 },
    { .field = "EditTinsmall" },
    { .field = "EditTiFsmall" },
    { .field = "EditTiNctsmall" },
};
constexpr ResultGroup kResultGroups[] = {
    { .lines = kResultLines, .wrap = true, .spacing = 3 },
    { .title = "если деталь малой жесткости",
        .lines = kSmallLines,
        .spacing = 4,
        .alignUnder = true },
};
constexpr ResultPage kResultPage { .over = kResultGroups };

void declareTitanium(Designer& d)
{
    std::string page = "TabSheet3";
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

} // namespace

const Method& titaniumMethod()
{
    static const Method row {
        .caption = "ТР (Сплавы Титана)...",
        .fileWord = "титан",
        .inputPage = "TabSheet3",
        .resultPage = "TabSheetTechTi",
        .declare = declareTitanium,
        .install = installTitanium,
        .create = createTitanium,
        .fill = fillTitanium,
        .calculate = CalcTi,
        .inputs = kTitaniumInputs,
        .coefficients = {},
        .results = kTitaniumResults,
        .checks = kChecks,
        .card = { .diameter = "BaseTiD",
            .width = "BaseTiB",
            .depth = "BaseTiT",
            .feed = "EditTiF",
            .feedPerTooth = "EditTifz",
            .spindleSpeed = "EditTin",
            .cuttingSpeed = "EditTiVc",
            .passes = "BaseTiPasses",
            .widthPasses = "EditTiWidthPasses" },
        .point = { .speed = "EditTin", .power = "EditTiNct", .torque = "EditTiMz" },
        .fit = &titaniumFitPlan(),
        .deflection = &titaniumDeflection(),
        .cutter = { .chooser = kTitaniumCutter,
            .diameter = "BaseTiD",
            .teeth = "BaseTiZ",
            // The stick-out its deflection reads.
            .stickout = "BaseTiL",
            .material = "RadioGroupTiMaterial",
            .axialDepth = "BaseTiB",
            .radialDepth = "BaseTiT",
            .cutWord = "titanium",
            .workMaterial = "ComboBoxTiMaterial" },
        .ownLimit = nullptr,
        .panels = {},
        .inputLayout = &kInputPage,
        .resultLayout = &kResultPage,
    };
    return row;
}

} // namespace millcalc
