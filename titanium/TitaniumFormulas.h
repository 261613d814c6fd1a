// The titanium cutting conditions computed in one pass from the inputs, every
// value at full precision: feed per tooth, speed, spindle speed, table feed,
// forces, torque, power, and the speed, spindle speed, feed and power for a part
// of low rigidity.
#pragma once

namespace millcalc::titanium {

struct TitaniumInputs {
    double diameterMm = 0; // D
    int teeth = 0; // z
    double widthMm = 0; // B
    double depthMm = 0; // t
    double overhangMm = 0; // L
    double wearMm = 0; // hz
    double toolLifeMin = 0; // T
    int alloy = 0; // ComboBoxTiMaterial
    int toolMaterial = 0; // RadioGroupTiMaterial
    int surface = 0; // RadioGroupTiSurface
    int skin = 0; // RadioGroupTiSkin
    int coolant = 0; // RadioGroupTiCoolnt
    int direction = 0; // RadioGroupTiDirection
    int partType = 0; // RadioGroupTiTypeDetal
    int forceChoice = 1; // RadioGroupTiPz: 0 Px, 1 Py, any other P
    int cx = 0; // EditTiPxcoeff
    int cy = 0; // EditTiPycoeff
};

struct TitaniumFactors {
    double Kf1 = 1, Kf2 = 1, Kf3 = 1, Kf4 = 1, Kf5 = 1;
    bool overhangBeyondTable = false;
    double Kv1 = 1, Kv2 = 1, Kv3 = 1, Kv5 = 1, Kv6 = 1, Kv7 = 1, Kv8 = 1;
};

struct TitaniumResults {
    TitaniumFactors factors;
    double fz = 0; // mm per tooth
    double V = 0; // m/min
    double n = 0; // rev/min
    double F = 0; // mm/min
    double Px = 0; // N
    double Py = 0; // N
    double P = 0; // N
    double Pz = 0; // N, the chosen one of Px, Py, P
    double Mz = 0; // N·m
    double Nct = 0; // kW
    double Vs = 0; // low rigidity: m/min
    double ns = 0; // rev/min
    double Fs = 0; // mm/min
    double Ncts = 0; // kW
};

TitaniumFactors titaniumFactors(const TitaniumInputs& in);
TitaniumResults computeTitanium(const TitaniumInputs& in);

} // namespace millcalc::titanium
