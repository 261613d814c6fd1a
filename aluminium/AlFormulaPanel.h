// The aluminium formula panel: the coefficient texts of each alloy and the
// roughness factor Ks that the alloy and the roughness range decide.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace millcalc {

class Form;

// A user's pick of the alloy (and the window's creation and auto-fill): the
// roughness factor for the current range, then every coefficient text of the
// alloy, discarding the user's edits. Runs no calculation.
void ComboBoxMaterialChange(Form& form);
// A user's pick of the roughness range: rewrites EditTKs only.
void ComboBoxRaChange(Form& form);

// The text of Ks for an alloy and a roughness range (item indexes, -1 for none).
const char* roughnessFactorText(int alloy, int range);

// The coefficient of the first alloy, В95пчТ2, as the formula panel shows it
// (EditTkoef1 ... EditTsm2): what a calculation puts in place of a coefficient
// that is not above 0. Throws std::out_of_range for another field.
double defaultCoefficient(std::string_view field);

// The items of ComboBoxMaterial and of ComboBoxRa.
std::vector<std::string> alloyNames();
std::vector<std::string> roughnessRanges();

} // namespace millcalc
