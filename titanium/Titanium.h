// The titanium-alloy method: inputs, coefficient tables and the one-pass
// calculation with its low-rigidity variant.
#pragma once

namespace millcalc {

class FormMain;

// The titanium sub-step of the main window's creation.
void createTitanium(FormMain& form);
void installTitanium(FormMain& form);

// "Расчет" on the titanium page.
void CalcTi(FormMain& form);

} // namespace millcalc
