// The catalogue of the five ISO workpiece groups and the material panel's logic.
#pragma once

namespace millcalc {

class FormMain;

// The material sub-step of the main window's creation: empty grid, headings,
// group N shown and its name on the Walter input page.
void createMaterials(FormMain& form);
void installMaterials(FormMain& form);

} // namespace millcalc
