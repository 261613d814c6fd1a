#include "aluminium/Aluminium.h"

#include "app/Main.h"

namespace millcalc {

void createAluminiumInputs(FormMain& form)
{
    FieldStore& store = form.store();
    store.setItems("ComboBoxMaterial", {"В95пчТ2", "1163Т2", "Д16чТ"});
    store.setIndex("ComboBoxMaterial", 0);
    store.setItems("ComboBoxRa", {"...<=1.25", "1.25<...<=2.5", "2.5<...<=20."});
    store.setIndex("ComboBoxRa", 0);
    store.setIndex("ComboBoxTkpd", 0);
    for (const char* name : {"EditSz", "EditV", "EditV1", "EditV2"})
        store.setText(name, "0.0");
    store.setText("EditTm", "20.0");
    for (const char* name : {"Editn", "EditF", "EditPz", "EditMz", "EditNp"})
        store.setText(name, "0.0");
}

void createTemperatureGrid(FormMain&)
{
}

void createLoadGrid(FormMain&)
{
}

void installAluminium(FormMain&)
{
}

void CalcAluminium(FormMain&)
{
    // Computes nothing until the aluminium method lands.
}

void BitBtnAlTm1Click(FormMain& form)
{
    form.ShowPanel("PanelTemp");
}

} // namespace millcalc
