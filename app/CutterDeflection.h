// How far the cutter bends under the cutting force: the one deflection step
// that every method runs on its own fields, described by a DeflectionModel.
#pragma once

#include <span>
#include <string>

namespace millcalc {

class Form;
class FieldStore;

// Young's moduli of the cutter materials, N/mm².
inline constexpr double kCarbideModulus = 600000.0;
inline constexpr double kHighSpeedSteelModulus = 210000.0;
// The fluted part is taken as a solid round bar of this share of D.
inline constexpr double kFlutedCoreShare = 0.8;

// The force that pushes the cutter off the wall: a force field in N, or, where
// `efficiency` and `speed` are given, a cutting power in kW turned into the
// tangential force Ft = 60000·P·η/Vc (N, with Vc in m/min).
struct CuttingForce {
    const char* field;
    const char* efficiency = nullptr;
    const char* speed = nullptr;
};

// One method's deflection: where its numbers stand and which modulus its
// cutter has.
struct DeflectionModel {
    const char* diameter; // D, mm
    const char* length; // L, the stick-out from the holder, mm
    const char* limit; // the permissible deflection, mm
    const char* result; // δ, mm, written "%.4lf"
    const char* stepButton;
    const char* picture; // the formula picture beside the result
    CuttingForce force;
    // The choice of the cutter's material (a radio group) and the modulus of
    // each of its items; with no choice, the first modulus.
    const char* toolMaterial;
    std::span<const double> moduli;
    // How the force is found, for the model's text.
    const char* forceText;
};

// δ = F·L³/(3·E·I), I = π·(0.8·D)⁴/64: a cantilever clamped at the holder and
// loaded at its tip, in mm for a force in N, lengths in mm and E in N/mm².
double cutterDeflectionMm(double forceN, double lengthMm, double diameterMm, double modulus);

// The force, N, the modulus, N/mm², and the limit, mm, of a method as its
// fields hold them now; the force is 0 while it is not known.
double deflectionForceN(const FieldStore& store, const DeflectionModel& model);
double deflectionModulus(const FieldStore& store, const DeflectionModel& model);
// The limit that δ is held against; 0 where δ is not computed (an L, D or
// limit that is not above 0).
double deflectionLimitMm(const FieldStore& store, const DeflectionModel& model);

// The model in words, for the formula's tooltip and the sheet.
std::string deflectionModelText(const DeflectionModel& model);

// The deflection step: writes δ, green below the limit and red with a log line
// at or above it. An L, a D or a limit that is not above 0 is named in the log
// and δ shows 0; no box. 0 when δ was computed, -1 when not; it never stops a
// calculation, so a full calculation runs it last and keeps its own result.
int CalcDeflection(Form& form, const DeflectionModel& model);

} // namespace millcalc
