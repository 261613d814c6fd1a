// Look-up of the titanium method's correction factors from its tables: by the
// selected item of a radio group, by teeth, by overhang, by tool life and by
// width ratio, and the constant rows by alloy and milling direction.
#pragma once

#include "titanium/TitaniumTables.h"

#include <span>

namespace millcalc::titanium {

// The factor of the selected item; 1.0 when the index names no item.
double factorOfItem(std::span<const double> factors, int index);

// The value of the first band whose upper end holds the ratio.
double bandValue(std::span<const Band> bands, double ratio);

// Kf3 from D and the tooth count z.
double teethFactor(double diameterMm, double teeth);

struct OverhangFactor {
    double kf4 = 1.0;
    // L/D lies above the last threshold of its column; kf4 is then the last
    // row's factor, since a longer overhang must never allow a larger feed.
    bool beyondTable = false;
};
int overhangColumn(double diameterMm);
OverhangFactor overhangFactor(double diameterMm, double overhangMm);

// Kv2 from the tool life T in minutes.
double toolLifeFactor(double toolLifeMin);

// Kv3 from the width ratio B/D.
double widthFactor(double widthRatio);

// The speed constants of the selected alloy: "ВТ20" for item 0, "ВТ 6ч" for
// item 2, "ВТ22" for item 1 and for any other index.
const AlloySpeed& alloySpeed(int alloyIndex);

// The low-rigidity speed constants: climb for item 0, conventional otherwise.
const LowRigiditySpeed& lowRigiditySpeed(int directionIndex);

// The force coefficient texts: items 0 and 1 share one pair, any other index
// takes the "ВТ 6ч" pair.
const ForceCoefficientTexts& forceCoefficients(int alloyIndex);

} // namespace millcalc::titanium
