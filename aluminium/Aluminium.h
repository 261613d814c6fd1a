// The aluminium-alloy method: its part of the window's creation, its handlers,
// the full calculation and the rerun after a pick of the accepted speed.
#pragma once

#include "app/CutterDeflection.h"
#include <string>

namespace millcalc {

class Form;

// The aluminium sub-step of the main window's creation: alloy and roughness
// lists with the formula panel and the start texts of the results. The
// temperature grid and the spindle-load grid are made by their own steps.
void createAluminiumInputs(Form& form);
// Attaches the step buttons, the alloy and roughness picks and the pick of the
// accepted speed.
void installAluminium(Form& form);
// The aluminium inputs of the standard example job, and the formula panel and
// Ks of the alloy and roughness range they select.
void fillAluminium(Form& form);

// "Расчет" on the aluminium page: every step in order, up to the first that
// stops. Returns the result of the last step run.
int CalcAluminium(Form& form);
// The same with a feed per tooth written over the formula's before the speeds,
// and a further candidate speed, marked, picked where it is lower than the
// accepted one; null for none.
int CalcAluminiumWith(
    Form& form, const std::string* feedPerTooth, const std::string* speed, const char* speedMark);
// A user's pick in EditV: spindle speed, feed, temperature, force, torque and
// power for the picked speed, up to the first step that stops.
int EditVChange(Form& form);

// The aluminium cutter: carbide, pushed by the cutting force Pz.
const DeflectionModel& aluminiumDeflection();

} // namespace millcalc
