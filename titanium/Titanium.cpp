#include "titanium/Titanium.h"

#include "app/Main.h"

namespace millcalc {

void createTitanium(FormMain& form)
{
    FieldStore& store = form.store();
    store.setIndex("BaseTiD", 0);
    store.setIndex("BaseTiZ", 0);
    store.setIndex("BaseTiL", 0);
    store.setText("BaseTiB", "0.00000");
    store.setText("BaseTiT", "0.00000");
    store.setIndex("ComboBoxTiTime", 1);
    for (const char* name : {"EditTifz", "EditTin", "EditTiF", "EditTiVc", "EditTiMz", "EditTiNct"})
        store.setText(name, "0.00000");
    store.setIndex("ComboBoxTiMaterial", 0);
    // ComboBoxTiMaterialChange, RadioGroupTiSurfaceClick and
    // RadioGroupTiDirectionClick run here once the titanium method lands.
    for (const char* name : {"EditTiVsmall", "EditTinsmall", "EditTiFsmall", "EditTiNctsmall"})
        store.setText(name, "0.00000");
    store.setIndex("BaseTihz", 2);
    for (const char* name : {"EditTiPx", "EditTiPy", "EditTiP"})
        store.setText(name, "0.00000");
    // RadioGroupTiPzClick runs here once the titanium method lands.
}

void installTitanium(FormMain&)
{
}

void CalcTi(FormMain&)
{
    // Computes nothing until the titanium method lands.
}

} // namespace millcalc
