// The titanium method's constants: the feed and speed correction factors keyed
// by the item index of their selections, the teeth, overhang, tool-life and
// width tables, and the speed and force constants by alloy and milling direction.
#pragma once

#include <array>
#include <limits>

namespace millcalc::titanium {

// fz = 0.014 · D^0.75 · Kf1 · ... · Kf5 / (t^0.22 · B^0.1)
struct FeedConstants {
    double C;
    double diameterExponent;
    double depthExponent;
    double widthExponent;
};
inline constexpr FeedConstants kFeed = { 0.014, 0.75, 0.22, 0.1 };

// Factors picked by the item index of a radio group; an index outside the
// list (no selection) leaves the factor at 1.0.
inline constexpr std::array<double, 2> kKf1 = { 1.0, 0.8 }; // RadioGroupTiMaterial
inline constexpr std::array<double, 3> kKf2 = { 1.0, 1.0, 0.7 }; // RadioGroupTiSurface
inline constexpr std::array<double, 3> kKf5 = { 0.92, 0.9, 0.7 }; // RadioGroupTiTypeDetal
inline constexpr std::array<double, 2> kKv1 = { 1.0, 1.2 }; // RadioGroupTiMaterial
inline constexpr std::array<double, 3> kKv5 = { 1.0, 0.93, 0.85 }; // RadioGroupTiTypeDetal
inline constexpr std::array<double, 3> kKv6 = { 1.0, 0.9, 0.85 }; // RadioGroupTiSurface
inline constexpr std::array<double, 2> kKv7 = { 1.0, 0.7 }; // RadioGroupTiSkin
inline constexpr std::array<double, 2> kKv8 = { 1.0, 0.8 }; // RadioGroupTiCoolnt

// A step of a banded look-up: a ratio up to and including upTo takes value.
// The last band of each table is open upwards.
struct Band {
    double upTo;
    double value;
};
inline constexpr double kOpen = std::numeric_limits<double>::infinity();

// Kf3, teeth: below this diameter the ratio is z/3, from it on z/5.
inline constexpr double kTeethLargeDiameterMm = 30.0;
inline constexpr double kTeethSmallDivisor = 3.0;
inline constexpr double kTeethLargeDivisor = 5.0;
inline constexpr std::array<Band, 3> kKf3Small
    = { { { 0.6, 1.5 }, { 0.85, 1.3 }, { kOpen, 1.0 } } };
inline constexpr std::array<Band, 2> kKf3Large = { { { 1.75, 0.7 }, { kOpen, 0.6 } } };

// Kv3, width ratio B/D.
inline constexpr std::array<Band, 3> kKv3 = { { { 0.75, 1.2 }, { 1.5, 1.0 }, { kOpen, 0.8 } } };

// Kv2, tool life T in minutes: only these lives differ from 1.0.
struct ToolLifeFactor {
    double toolLifeMin;
    double value;
};
inline constexpr std::array<ToolLifeFactor, 2> kKv2 = { { { 60.0, 1.1 }, { 240.0, 0.9 } } };

// Kf4, overhang. A column is chosen by D (up to and including each limit; the
// last column takes every larger D); in it, the first row whose L/D threshold
// holds the ratio gives the factor.
inline constexpr int kOverhangColumns = 5;
inline constexpr std::array<double, kOverhangColumns - 1> kOverhangColumnDiameterMm
    = { 13.0, 20.0, 32.0, 45.0 };
struct OverhangRow {
    std::array<double, kOverhangColumns> ratioUpTo;
    double kf4;
};
inline constexpr std::array<OverhangRow, 5> kOverhangRows = { {
    { { 1.5, 2.0, 2.5, 3.0, 3.5 }, 1.0 },
    { { 2.0, 2.5, 3.0, 3.5, 4.0 }, 0.9 },
    { { 2.5, 3.0, 3.5, 4.0, 4.5 }, 0.8 },
    { { 3.0, 3.5, 4.0, 4.5, 5.0 }, 0.7 },
    { { 3.5, 4.0, 4.5, 5.0, 6.0 }, 0.6 },
} };

// V = Cv · D^a · K · M / (T^b · t^c · fz^d · B^e · z^g); only "ВТ22" applies
// the speed factors, K = Kv1 · Kv2 · Kv3 · Kf4 · Kv5 · Kv6 · Kv7 · Kv8.
struct AlloySpeed {
    double Cv;
    double a; // D
    double b; // T
    double c; // t
    double d; // fz
    double e; // B
    double g; // z
    bool speedFactors;
    double M;
};
inline constexpr int kAlloyVT20 = 0;
inline constexpr int kAlloyVT22 = 1;
inline constexpr int kAlloyVT6 = 2;
inline constexpr std::array<AlloySpeed, 3> kAlloySpeeds = { {
    { 17.9, 0.15, 0.11, 0.19, 0.45, 0.12, 0.0, false, 1.0 }, // "ВТ20"
    { 27.0, 0.18, 0.12, 0.6, 0.58, 0.29, 0.1, true, 1.0 }, // "ВТ22"
    { 17.9, 0.15, 0.11, 0.19, 0.45, 0.12, 0.0, false, 0.8 }, // "ВТ 6ч"
} };

// Vs = Cs · D^0.26 / (T^b · t^c · fz^d), by milling direction: item 0 climb,
// item 1 (and no selection) conventional.
inline constexpr double kLowRigidityDiameterExponent = 0.26;
struct LowRigiditySpeed {
    double Cs;
    double b; // T
    double c; // t
    double d; // fz
};
inline constexpr std::array<LowRigiditySpeed, 2> kLowRigiditySpeeds = { {
    { 33.55, 0.29, 0.46, 0.53 }, // "попутное"
    { 13.0, 0.45, 0.77, 0.92 }, // "встречное"
} };

// The force coefficients are shown as these texts and read back from them as
// whole numbers, so the text is what the force formulas use.
struct ForceCoefficientTexts {
    const char* cx;
    const char* cy;
};
inline constexpr std::array<ForceCoefficientTexts, 3> kForceCoefficients = { {
    { "3850.", "1040." }, // "ВТ20"
    { "3850.", "1040." }, // "ВТ22"
    { "11480.", "8570." }, // "ВТ 6ч", and no selection
} };

// Px = Cx · fz^0.755 · t^0.5 · B^0.65 · hz^0.38; Py = Cy · fz^0.3 · t^0.17 ·
// B^0.32 · hz^0.75, as the method computes; the formula pictures beside Px and
// Py show these exponents (the recommendations print fz^0.75 · t^0.85 and
// fz^0.8).
struct ForceExponents {
    double fz;
    double t;
    double B;
    double hz;
};
inline constexpr ForceExponents kPxExponents = { 0.755, 0.5, 0.65, 0.38 };
inline constexpr ForceExponents kPyExponents = { 0.3, 0.17, 0.32, 0.75 };

// Nct = Pz · V / (1020 · 60); the torque is cuttingTorqueNm (app/CuttingTorque.h).
inline constexpr double kPowerDivisor = 1020.0 * 60.0;

// Pictures in each image list, one per item of the selection it follows.
inline constexpr int kTiMaterialPictures = 3; // ImageListTiMaterial -> ImageTiVbase
inline constexpr int kSurfacePictures = 3; // ImageListSurface -> ImageSurface
inline constexpr int kDirectionPictures = 2; // ImageListDirection -> ImageDirection
inline constexpr int kTiVsmallPictures = 2; // ImageListTiVsmall -> ImageTiVsmall

} // namespace millcalc::titanium
