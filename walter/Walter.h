// The Walter milling method: spindle and cutting speed, feeds, chip thickness,
// removal rate, power and torque, and the full calculation.
#pragma once

namespace millcalc {

class FormMain;

// The Walter sub-steps of the main window's creation: start texts of the
// results, the contact and chip-thickness pictures, the angle and material
// inputs.
void createWalter(FormMain& form);
// Attaches the step buttons and option handlers of the Walter pages.
void installWalter(FormMain& form);

// "Расчет" on the Walter page.
void WalterCalculate(FormMain& form);

} // namespace millcalc
