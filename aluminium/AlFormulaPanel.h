// The aluminium formula panel: the coefficient texts of each alloy and the
// roughness factor Ks that the alloy and the roughness range decide.
#pragma once

#include <string>
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

// The items of ComboBoxMaterial and of ComboBoxRa.
std::vector<std::string> alloyNames();
std::vector<std::string> roughnessRanges();

} // namespace millcalc
