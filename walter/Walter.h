// The Walter milling method: spindle and cutting speed, feeds, chip thickness,
// removal rate, power and torque, and the full calculation.
#pragma once

#include "app/CutterDeflection.h"
#include "walter/ChipThickness.h"
#include "walter/PowerSteps.h"
#include "walter/SpeedSteps.h"

namespace millcalc {

class Form;

// The Walter sub-steps of the main window's creation: start texts of the
// results, the contact and chip-thickness pictures, the angle and material
// inputs.
void createWalter(Form& form);
// Attaches the step buttons and option handlers of the Walter pages.
void installWalter(Form& form);
// The Walter inputs of the standard example job.
void fillWalter(Form& form);

// "Расчет" on the Walter page: from the wanted Vc and fz to power and torque.
// 0 when it ran to its end, -1 when a step stopped it.
int WalterCalculate(Form& form);

// The Walter cutter: carbide, pushed by the tangential force of the computed
// power.
const DeflectionModel& walterDeflection();

void BitBtnSt1Click(Form& form);
void BitBtnSt2Click(Form& form);
void BitBtnSt3Click(Form& form);
void BitBtnSt4Click(Form& form);
void BitBtnSt5Click(Form& form);

} // namespace millcalc
