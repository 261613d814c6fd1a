// The torque the cut puts on the spindle, as the aluminium and titanium
// methods compute it from their cutting force.
#pragma once

namespace millcalc {

// The tangential force Pz, N, acts at the cutter's radius D/2, mm: the torque
// is Pz · D/2 N·mm, that is Pz · D / 2000 N·m. The handbook's Pz · D / (2 · 100)
// would be ten times that; it disagrees with its own power Pz · V / (1020 · 60)
// and with the torque limits of the machines.
inline double cuttingTorqueNm(double forceN, double diameterMm)
{
    return forceN * diameterMm / 2000.0;
}

} // namespace millcalc
