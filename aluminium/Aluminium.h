// The aluminium-alloy method: its part of the window's creation, its handlers,
// the full calculation and the rerun after a pick of the accepted speed.
#pragma once

namespace millcalc {

class FormMain;

// The aluminium sub-steps of the main window's creation: alloy and roughness
// lists with the formula panel and the start texts of the results; the
// temperature grid (defined with the temperature look-up) and the spindle-load
// grid (defined with the force step).
void createAluminiumInputs(FormMain& form);
void createTemperatureGrid(FormMain& form);
void createLoadGrid(FormMain& form);
// Attaches the step buttons, the alloy and roughness picks and the pick of the
// accepted speed.
void installAluminium(FormMain& form);

// "Расчет" on the aluminium page: every step in order, up to the first that
// stops. Returns the result of the last step run.
int CalcAluminium(FormMain& form);
// A user's pick in EditV: spindle speed, feed, temperature, force, torque and
// power for the picked speed, up to the first step that stops.
int EditVChange(FormMain& form);
// ">>" beside the workpiece temperature: shows the temperature panel and looks
// the temperature up.
void BitBtnAlTm1Click(FormMain& form);

} // namespace millcalc
