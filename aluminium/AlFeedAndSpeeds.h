// The aluminium feed per tooth, the two candidate cutting speeds (by workpiece
// heating and by main-drive power) and the accepted speed in the list of EditV.
#pragma once

namespace millcalc {

class Form;

// Sz = k1 * D^X1 * Ks / (t^Y1 * B^Z1) into EditSz. 0, or -1 when Sz is not above
// 0.0001 or not finite.
int CalcAlFeedPerTooth(Form& form);
// V1 = k2 / (Sz^X2 * t^Y2 * (B/D)^Z2) into EditV1 and appended to EditV's list.
int CalcAlSpeedByTemperature(Form& form);
// V2 = (MaxPower * eta * (B/D) * k3 / (t^X3 * Sz^Y3 * D^Z3))^m1 into EditV2 and
// appended to EditV's list.
int CalcAlSpeedByPower(Form& form);
// Inserts the least candidate of EditV's list at its head and selects it.
int CalcAlAcceptedSpeed(Form& form);

} // namespace millcalc
