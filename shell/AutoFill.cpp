#include "shell/AutoFill.h"

#include "aluminium/AlFormulaPanel.h"
#include "app/Form.h"

namespace millcalc {

namespace {

struct FillText {
    const char* field;
    const char* text;
};

struct FillItem {
    const char* field;
    int index;
};

constexpr FillText kWalterAndAluminium[] = {
    { "BaseD", "25.0" },
    { "BaseZ", "3" },
    { "BaseB", "15.0" },
    { "BaseT", "5.0" },
    { "BaseStPasses", "1" },
    { "BaseVc", "1060.0" },
    { "Basefz", "0.1" },
    { "BaseAlD", "25.0" },
    { "BaseAlZ", "3" },
    { "BaseAlB", "15.0" },
    { "BaseAlT", "5.0" },
    { "BaseAlPasses", "1" },
};

constexpr FillItem kAluminiumLists[] = {
    { "ComboBoxMaterial", 0 },
    { "ComboBoxRa", 0 },
    { "ComboBoxTkpd", 0 },
};

constexpr FillText kTitanium[] = {
    { "BaseTiD", "25.0" },
    { "BaseTiZ", "3" },
    { "BaseTiL", "70.0" },
    { "BaseTiB", "15.0" },
    { "BaseTiT", "5.0" },
    { "BaseTiPasses", "1" },
};

constexpr FillItem kTitaniumLists[] = {
    { "ComboBoxTiTime", 1 },
    { "BaseTihz", 2 },
};

} // namespace

void autoFill(Form& form)
{
    FieldStore& store = form.store();
    for (const FillText& fill : kWalterAndAluminium)
        store.setText(fill.field, fill.text);
    for (const FillItem& fill : kAluminiumLists)
        store.setIndex(fill.field, fill.index);
    // The formula panel and Ks follow the alloy and roughness range now shown,
    // as after a user's pick of them: a panel left with the coefficients of the
    // alloy selected before would calculate another alloy than the page names.
    ComboBoxMaterialChange(form);
    for (const FillText& fill : kTitanium)
        store.setText(fill.field, fill.text);
    for (const FillItem& fill : kTitaniumLists)
        store.setIndex(fill.field, fill.index);
}

} // namespace millcalc
