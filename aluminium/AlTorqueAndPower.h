// The aluminium torque and cutting power from the force in EditPz, marked
// against the machine's torque and power.
#pragma once

namespace millcalc {

class Form;

// Mz = Pz * D / 2000, N·m, into EditMz, green, red from MaxTorque on.
int CalcAlMz(Form& form);
// Nct = Pz * V / (1020 * 60) into EditNp, green, red from MaxPower on.
int CalcAlNp(Form& form);

} // namespace millcalc
