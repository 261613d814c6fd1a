#include "walter/Walter.h"

#include "app/Main.h"

namespace millcalc {

void createWalter(FormMain& form)
{
    FieldStore& store = form.store();
    for (const char* name : {"EditStn", "EditStVc", "EditStP", "EditStPn", "EditStM", "EditSthm2",
                             "EditStQ", "EditStVf", "EditStfz"})
        store.setText(name, "0.0");
    store.setIndex("ComboBoxStContact", 0);
    store.setPicture("Imagevs", 0);
    store.setPicture("Imagehm", 0);
    store.setText("EditStk", "90.0");
    store.setIndex("ComboBoxStkpd", 0);
    store.setChecked("CheckBoxhm2", false);
    store.setText("EditaeDc", "");
    store.setText("EditStKc11", "700.01");
    store.setText("EditStMc", "0.2501");
    store.setText("EditStGamma0", "2.0");
    store.setText("EditStKc", "0.0");
    // The CheckBoxhm2 click step runs here once the chip-thickness step lands.
}

void installWalter(FormMain&)
{
    // The step buttons and option handlers come with the Walter method.
}

void WalterCalculate(FormMain&)
{
    // Computes nothing until the Walter method lands.
}

} // namespace millcalc
