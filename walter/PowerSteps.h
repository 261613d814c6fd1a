// The Walter groups "Скорость сьема материала,Q" and "Расчет мощности
// (момента) резания..": the metal removal rate, and the specific cutting force,
// the cutting power and what the machine gives at the current spindle speed.
#pragma once

namespace millcalc {

class Form;

// The step of BitBtnSt2: Q from ap, ae and Vf. Bad inputs are replaced by 0 and
// logged; returns 0, or -1 only when Q overflowed and was not written.
int WalterRemovalRate(Form& form);

// The step of BitBtnSt5, run last by the full calculation. Returns 0, or -1
// when it stopped.
int WalterPower(Form& form);

} // namespace millcalc
