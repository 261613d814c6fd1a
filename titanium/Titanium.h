// The titanium-alloy method: inputs, coefficient tables and the one-pass
// calculation with its low-rigidity variant.
#pragma once

#include "app/CutterDeflection.h"
#include "app/FieldStore.h"

#include <string>
#include <string_view>

namespace millcalc {

// The titanium page's cutter chooser.
inline constexpr const char* kTitaniumCutter = "ComboBoxTiCutter";

class Form;

// The titanium sub-step of the main window's creation.
void createTitanium(Form& form);
// Attaches the selection handlers of the titanium pages.
void installTitanium(Form& form);
// The titanium inputs of the standard example job.
void fillTitanium(Form& form);

// The alloy picks its speed-formula picture and the force coefficients.
void ComboBoxTiMaterialChange(Form& form);
void RadioGroupTiSurfaceClick(Form& form);
// The direction picks its picture and the low-rigidity speed formula.
void RadioGroupTiDirectionClick(Form& form);
// Moves the green mark to the force chosen as Pz; recomputes nothing.
void RadioGroupTiPzClick(Form& form);

// "Расчет" on the titanium page. Returns 0 when it ran to its end, -1 when an
// input stopped it or a result could not be computed.
int CalcTi(Form& form);

// The titanium cutter: of the material RadioGroupTiMaterial names, pushed by
// the resultant force P.
const DeflectionModel& titaniumDeflection();

namespace titanium {

// Writes a result, gives it its neutral colour and, when it reaches the limit
// (equal counts), turns it red and logs the message.
void writeMarked(Form& form, std::string_view field, const std::string& text, double value,
    double limit, Rgb neutral, std::string_view message);

} // namespace titanium

} // namespace millcalc
