#include "materials/MaterialCatalogue.h"

#include "app/Main.h"

namespace millcalc {

void createMaterials(FormMain& form)
{
    FieldStore& store = form.store();
    for (int row = 0; row < 9; ++row) {
        for (int column = 0; column < 4; ++column)
            store.setCell("StringGridTab", column, row, "");
    }
    const bool checks[] = {false, false, false, true, false};
    for (int i = 0; i < 5; ++i)
        store.setChecked("RadioButton" + std::to_string(i + 1), checks[i]);
    store.setCell("StringGridTab", 0, 0, "Материал");
    store.setCell("StringGridTab", 1, 0, "Rm (H/(mm*mm)");
    store.setCell("StringGridTab", 2, 0, "kc1.1 (H/(mm*mm)");
    store.setCell("StringGridTab", 3, 0, "Mc");
    // Group N fills the grid here once the catalogue lands.
    store.setText("StaticTextStMaterial", store.field("RadioButton4").text);
}

void installMaterials(FormMain&)
{
}

} // namespace millcalc
