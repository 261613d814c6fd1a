// The aluminium cutting force and the spindle-load check of the machines
// that state a spindle-load table, with the permissible load by spindle-speed band in StringGridP.
#pragma once

namespace millcalc {

class Form;
struct MachineRecord;

// Pz = k4 * t^x4 * Sz^y4 * D^z4 / n^m2 into EditPz; on a machine with a
// spindle-load table also the spindle-load grid. 0, or -1 when n is not above 0, Sz not above
// 0.0001 or Pz not finite.
int CalcAlPz(Form& form);

// The permissible spindle load, kN, that CalcAlPz checks Pz against on the
// machine at the spindle speed (factor of the speed's band · efficiency; above
// the top band, the top band's); a negative value on a machine without the
// spindle-load table.
double permissibleSpindleLoadKn(
    const MachineRecord& machine, double spindleSpeed, double efficiency);

// The creation sub-step: the headings of the spindle-load grid.
void createLoadGrid(Form& form);

} // namespace millcalc
