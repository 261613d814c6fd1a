// The catalogue of the five ISO workpiece groups and the material panel's logic:
// filling the grid by group, describing the selected row and transferring
// kc1.1, mc and the group name into the Walter inputs.
#pragma once

#include "app/FieldStore.h"

#include <array>
#include <span>
#include <string_view>

namespace millcalc {

class Designer;

class Form;

struct MaterialRow {
    std::string_view material;
    std::string_view tensileStrength; // Rm range in N/mm², given for group P only
    std::string_view kc11; // N/mm²
    std::string_view mc;
};

struct MaterialGroup {
    std::string_view radioButton;
    Rgb captionColour; // of the radio button's caption
    Rgb gridColour;
    std::span<const MaterialRow> rows;
};

namespace catalogue {

inline constexpr MaterialRow kSteel[] = {
    { "Низкоуглеродистая мягкая сталь; ферритная сталь с низкой прочностью на растяжение", "<450",
        "1350", "0.21" },
    { "Низкоуглеродистая автоматная сталь", "400<700", "1500", "0.22" },
    { "Нормальная конструкционная сталь, содержание углерода от низкого до среднего (<0.5%C)",
        "450<550", "1500", "0.25" },
    { "Нормальная, низколегированнная сталь и стальные отливки; отпущенная сталь; углеродистая "
      "сталь (>0.5%С);ферритная и мартенситная нержавеющая сталь",
        "550<700", "1700", "0.24" },
    { "Нормальная инструментальная сталь; закаленная отпуском сталь;мартенситная, нержавеющая "
      "сталь",
        "700<900", "1900", "0.24" },
    { "Инструментальная сталь с тяжелыми свойствами резания; твердая, высоколегированная сталь и "
      "стальные отливки; мартенситная, нержавеющая сталь",
        "900<1200", "2000", "0.24" },
    { "Высокопрочная сталь с тяжелыми свойствами резания; закаленная сталь групп 3-6; "
      "мартенситная, нержавеющая сталь",
        ">1200", "2900", "0.22" },
};

inline constexpr MaterialRow kStainlessSteel[] = {
    { "Нержавеющая сталь с менее тяжелыми свойствами резания", "", "1750", "0.22" },
    { "Молибденовая нержавеющая сталь; аустенитная и дуплексная, с тяжелыми свойствами резания", "",
        "1900", "0.20" },
    { "Аустенитная и дуплексная, с тяжелыми свойствами резания", "", "2050", "0.20" },
    { "Аустенитная и дуплексная, с исключительно тяжелыми свойствами резания", "", "2150", "0.20" },
};

inline constexpr MaterialRow kCastIron[] = {
    { "Литейный чугун средней твердости, серый литейный чугун", "", "1150", "0.22" },
    { "Низколегированный литейный чугун, ковкий литейный чугун, литейный чугун с шаровидным "
      "графитом",
        "", "1225", "0.25" },
    { "Легированный чугун средней твердости, ковкий литейный чугун,GGG, средние свойства резания",
        "", "1350", "0.28" },
    { "Высоколегированный литейный чугун с тяжелыми свойствами резания; ковкий литейный чугун,GGG, "
      "тяжелые свойства резания",
        "", "1450", "0.30" },
};

inline constexpr MaterialRow kNonFerrous[] = {
    { "Сплавы цветных металлов, легкие для обработки; алюминий с содержанием<16%Si, латуни, цинка "
      "и магния",
        "", "700", "0.25" },
    { "Сплавы цветных металлов, трудные для обработки; алюминий с содержанием>16%Si, бронзы, меди, "
      "алюминиевые сплавы (никель, медь, магния)",
        "", "700", "0.27" },
};

inline constexpr MaterialRow kHeatResistant[] = {
    { "Жаропрочные сплавы, содержащие никель, кобальт, железо, твердость<30HRc, инколой 800 и "
      "инконель 601, 617 и 625,монель 400",
        "", "2600", "0.24" },
    { "Жаропрочные сплавы, содержащие никель, кобальт, железо, твердость>30HRc, инколой 718 и "
      "инконель 750-Х, и инконол 925, монель К-5008",
        "", "3300", "0.24" },
    { "Титановые сплавы, Ti-6Al-4V", "", "1450", "0.23" },
};

} // namespace catalogue

// The groups P, M, K, N and S in the order of their radio buttons.
inline constexpr std::array<MaterialGroup, 5> MaterialGroupCatalogue { {
    { "RadioButton1", colours::Navy, colours::Blue, catalogue::kSteel },
    { "RadioButton2", colours::Fuchsia, colours::Purple, catalogue::kStainlessSteel },
    { "RadioButton3", colours::Red, colours::Red, catalogue::kCastIron },
    { "RadioButton4", colours::Green, colours::Green, catalogue::kNonFerrous },
    { "RadioButton5", colours::Olive, colours::Olive, catalogue::kHeatResistant },
} };

// The material panel's controls, as the window designer leaves them.
void declareMaterialsPanel(Designer& designer);
// The material sub-step of the main window's creation: empty grid, headings,
// group N shown and its name on the Walter input page.
void createMaterials(Form& form);
// Attaches the radio buttons, the grid's cell selection and the transfer button.
void installMaterials(Form& form);

// A group's radio button checked: the grid shows that group (nothing happens
// when the button was unchecked). The grid's current cell stays where it was.
void RadioButton1Click(Form& form);
void RadioButton2Click(Form& form);
void RadioButton3Click(Form& form);
void RadioButton4Click(Form& form);
void RadioButton5Click(Form& form);

// A grid cell selected: StaticTextMaterial shows the material of its row. The
// selection is always allowed.
void StringGridTabSelectCell(Form& form, int column, int row);

// "Выбранный материал>>": the group name, kc1.1 and mc of the grid's current row
// into the Walter inputs, as texts; then the panel hides.
void BitBtnStMaterialOutClick(Form& form);

} // namespace millcalc
