// The Walter group "Средняя толщина стружки": the mean chip thickness from the
// contact angle and the cutting-edge angle, or approximately for narrow cuts,
// and the two option controls that switch its formulas.
#pragma once

namespace millcalc {

class Form;

// The step of BitBtnSt3, also run by the full calculation. Returns 0, or -1
// when it stopped.
int WalterChipThickness(Form& form);

// ComboBoxStContact picked: Imagevs shows the contact-angle formula of the item.
void ComboBoxStContactChange(Form& form);

// CheckBoxhm2 clicked: the approximate formula needs no angle, so EditStk is
// disabled while it is checked; Imagehm shows the formula in use.
void CheckBoxhm2Click(Form& form);

} // namespace millcalc
