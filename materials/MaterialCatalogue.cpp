#include "materials/MaterialCatalogue.h"

#include "app/Designer.h"
#include "app/Form.h"

#include <string>
#include <utility>

namespace millcalc {

namespace {

constexpr const char* kGrid = "StringGridTab";
constexpr int kGridColumns = 4;
constexpr int kGridRows = 9; // the heading row and room for the largest group

void fillGroup(Form& form, const MaterialGroup& group)
{
    FieldStore& store = form.store();
    if (!store.checked(std::string(group.radioButton)))
        return;
    for (int row = 1; row < kGridRows; ++row) {
        for (int column = 0; column < kGridColumns; ++column)
            store.setCell(kGrid, column, row, "");
    }
    store.setColour(kGrid, group.gridColour);
    int row = 1;
    for (const MaterialRow& material : group.rows) {
        store.setCell(kGrid, 0, row, std::string(material.material));
        store.setCell(kGrid, 1, row, std::string(material.tensileStrength));
        store.setCell(kGrid, 2, row, std::string(material.kc11));
        store.setCell(kGrid, 3, row, std::string(material.mc));
        ++row;
    }
    // Describes row 1 without making it the current cell: a transfer still takes
    // the row the user selected before.
    StringGridTabSelectCell(form, 1, 1);
}

} // namespace

void declareMaterialsPanel(Designer& d)
{
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
}

void createMaterials(Form& form)
{
    FieldStore& store = form.store();
    for (int row = 0; row < kGridRows; ++row) {
        for (int column = 0; column < kGridColumns; ++column)
            store.setCell(kGrid, column, row, "");
    }
    const bool checks[] = { false, false, false, true, false };
    for (int i = 0; i < 5; ++i)
        store.setChecked("RadioButton" + std::to_string(i + 1), checks[i]);
    // Each group's button carries its colour in its caption.
    for (const MaterialGroup& group : MaterialGroupCatalogue)
        store.setColour(std::string(group.radioButton), group.captionColour);
    store.setCell(kGrid, 0, 0, "Материал");
    store.setCell(kGrid, 1, 0, "Rm (H/(mm*mm)");
    store.setCell(kGrid, 2, 0, "kc1.1 (H/(mm*mm)");
    store.setCell(kGrid, 3, 0, "Mc");
    RadioButton4Click(form);
    store.setText("StaticTextStMaterial", store.field("RadioButton4").text);
}

void RadioButton1Click(Form& form)
{
    fillGroup(form, MaterialGroupCatalogue[0]);
}

void RadioButton2Click(Form& form)
{
    fillGroup(form, MaterialGroupCatalogue[1]);
}

void RadioButton3Click(Form& form)
{
    fillGroup(form, MaterialGroupCatalogue[2]);
}

void RadioButton4Click(Form& form)
{
    fillGroup(form, MaterialGroupCatalogue[3]);
}

void RadioButton5Click(Form& form)
{
    fillGroup(form, MaterialGroupCatalogue[4]);
}

void StringGridTabSelectCell(Form& form, int /*column*/, int row)
{
    FieldStore& store = form.store();
    store.setText("StaticTextMaterial", store.cell(kGrid, 0, row));
}

void BitBtnStMaterialOutClick(Form& form)
{
    FieldStore& store = form.store();
    const int row = store.field(kGrid).currentRow;

    std::string groupName;
    for (const MaterialGroup& group : MaterialGroupCatalogue) {
        const std::string button(group.radioButton);
        if (store.checked(button)) {
            groupName = store.field(button).text;
            break;
        }
    }
    store.setText("StaticTextStMaterial", groupName);

    // Copied as they stand: an empty row gives empty texts, which the power step
    // replaces by its defaults.
    store.setText("EditStKc11", store.cell(kGrid, 2, row));
    store.setText("EditStMc", store.cell(kGrid, 3, row));
    store.setVisible("PanelStMaterial", false);
}

void installMaterials(Form& form)
{
    form.onChange("RadioButton1", [&form] { RadioButton1Click(form); });
    form.onChange("RadioButton2", [&form] { RadioButton2Click(form); });
    form.onChange("RadioButton3", [&form] { RadioButton3Click(form); });
    form.onChange("RadioButton4", [&form] { RadioButton4Click(form); });
    form.onChange("RadioButton5", [&form] { RadioButton5Click(form); });
    form.onSelectCell(
        kGrid, [&form](int column, int row) { StringGridTabSelectCell(form, column, row); });
    form.onClick("BitBtnStMaterialOut", [&form] { BitBtnStMaterialOutClick(form); });
}

} // namespace millcalc
