// The aluminium cutting force and the spindle-load check of the first two
// machines, with the permissible load by spindle-speed band in StringGridP.
#pragma once

namespace millcalc {

class FormMain;

// Pz = k4 * t^x4 * Sz^y4 * D^z4 / n^m2 into EditPz; on machine rows 0 and 1 also
// the spindle-load grid. 0, or -1 when n is not above 0, Sz not above 0.0001 or
// Pz not finite.
int CalcAlPz(FormMain& form);

// The permissible spindle load, kN, at that spindle speed and efficiency on
// machine row machineRow; 0 on the machines that carry no spindle-load table.
double permissibleSpindleLoadKn(int machineRow, double spindleSpeedRpm, double efficiency);

} // namespace millcalc
