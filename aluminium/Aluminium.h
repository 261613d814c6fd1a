// The aluminium-alloy method: inputs, formula panel, temperature and spindle-load
// tables, the calculation steps and the full calculation.
#pragma once

namespace millcalc {

class FormMain;

// The aluminium sub-steps of the main window's creation.
void createAluminiumInputs(FormMain& form);
void createTemperatureGrid(FormMain& form);
void createLoadGrid(FormMain& form);
void installAluminium(FormMain& form);

// "Расчет" on the aluminium page.
void CalcAluminium(FormMain& form);
// ">>" beside the workpiece temperature: shows the temperature panel and looks
// the temperature up.
void BitBtnAlTm1Click(FormMain& form);

} // namespace millcalc
