// The formulas of the three methods on plain numbers, written out apart from
// the window: an oracle that the tests hold the calculations against, and the
// yardstick by which the benchmarks show what the field store and the text
// hand-over between the steps cost.
#pragma once

#include <array>
#include <string>

namespace millcalc::bench {

struct MachineLimits {
    double maxSpindleSpeed;
    double maxFeed;
    double maxPower;
    double maxTorque;
    double criticalSpindleSpeed;
};

// Walter: the full calculation's steps in their order (speeds, feeds, removal
// rate, chip thickness, power). The choices default to the start-up ones.
struct WalterChoices {
    int contact = 0; // item of ComboBoxStContact: 0 central, else offset
    bool approximate = false; // CheckBoxhm2
};
struct WalterInputs {
    double D;
    int z;
    double ap, ae, Vc, fz, kappa, gamma0, kc11, mc, eta;
    WalterChoices choices {};
};
struct WalterResults {
    double n, Vc, Vf, fz, Q, aeD, hm, kc, P, Pn, M;
    int limitsReached;
};
WalterResults walterFormulas(const WalterInputs& in, const MachineLimits& machine);

// Aluminium: feed per tooth, V1, V2, the accepted speed, spindle speed, feed,
// workpiece temperature, force with the spindle-load band, torque and power.
struct AluminiumInputs {
    double D;
    int z;
    double B, t, eta;
    double k1, X1, Y1, Z1, Ks;
    double k2, X2, Y2, Z2;
    double k3, X3, Y3, Z3, m1;
    double k4, X4, Y4, Z4, m2;
};
struct AluminiumResults {
    double Sz, V1, V2, V, n, F, Pz, Mz, Nct;
    int temperature;
    int limitsReached;
};
AluminiumResults aluminiumFormulas(const AluminiumInputs& in, const MachineLimits& machine);

// Titanium, the one-pass calculation. The choices are item indexes and default
// to the start-up ones: "ВТ20", high-speed steel, plane, without scale, with
// coolant, climb milling, the first part type, Pz = Py.
struct TitaniumChoices {
    int alloy = 0; // ComboBoxTiMaterial
    int toolMaterial = 0; // RadioGroupTiMaterial
    int surface = 0; // RadioGroupTiSurface
    int skin = 0; // RadioGroupTiSkin
    int coolant = 0; // RadioGroupTiCoolnt
    int direction = 0; // RadioGroupTiDirection
    int partType = 0; // RadioGroupTiTypeDetal
    int force = 1; // RadioGroupTiPz: 0 Px, 1 Py, 2 the resultant
};
struct TitaniumInputs {
    double D;
    int z;
    double B, t, L, hz, T;
    int Cx, Cy;
    TitaniumChoices choices {};
};
struct TitaniumResults {
    double fz, V, n, F, Px, Py, P, Mz, Nct, Vs, ns, Fs, Ncts;
    int limitsReached;
};
TitaniumResults titaniumFormulas(const TitaniumInputs& in, const MachineLimits& machine);

// The same three with the work that any program showing these results must
// do besides the formulas: read the inputs from their texts, hand each value
// to the next step as its rounded text, and write every result as its field's
// text. What the full calculations cost beyond this is the field store's.
constexpr int kWalterTexts = 12;
constexpr int kAluminiumTexts = 26; // 12 results and the 14 spindle-load cells
constexpr int kTitaniumTexts = 13;
using WalterTexts = std::array<std::string, kWalterTexts>;
using AluminiumTexts = std::array<std::string, kAluminiumTexts>;
using TitaniumTexts = std::array<std::string, kTitaniumTexts>;

// The texts of the input fields, in the order of the structures above; the
// fields are named in kWalterInputs, kAluminiumInputs and kTitaniumInputs.
using InputTexts = std::array<std::string, 24>;
extern const std::array<const char*, 11> kWalterInputs;
extern const std::array<const char*, 24> kAluminiumInputs;
extern const std::array<const char*, 9> kTitaniumInputs;

void walterWithTexts(const InputTexts& in, const MachineLimits& machine, WalterTexts& out,
    const WalterChoices& choices = {});
void aluminiumWithTexts(const InputTexts& in, const MachineLimits& machine, AluminiumTexts& out);
void titaniumWithTexts(const InputTexts& in, const MachineLimits& machine, TitaniumTexts& out,
    const TitaniumChoices& choices = {});

// Which field each text of the results above goes to, in order.
extern const std::array<const char*, kWalterTexts> kWalterFields;
extern const std::array<const char*, 12> kAluminiumFields;
extern const std::array<const char*, kTitaniumTexts> kTitaniumFields;

} // namespace millcalc::bench
