#include "titanium/TitaniumCoefficients.h"

#include <cstddef>

namespace millcalc::titanium {

namespace {

bool holds(std::size_t size, int index)
{
    return index >= 0 && static_cast<std::size_t>(index) < size;
}

} // namespace

double factorOfItem(std::span<const double> factors, int index)
{
    return holds(factors.size(), index) ? factors[static_cast<std::size_t>(index)] : 1.0;
}

double bandValue(std::span<const Band> bands, double ratio)
{
    for (const Band& band : bands) {
        if (ratio <= band.upTo)
            return band.value;
    }
    return bands.back().value;
}

double teethFactor(double diameterMm, double teeth)
{
    if (diameterMm < kTeethLargeDiameterMm)
        return bandValue(kKf3Small, teeth / kTeethSmallDivisor);
    return bandValue(kKf3Large, teeth / kTeethLargeDivisor);
}

int overhangColumn(double diameterMm)
{
    int column = 0;
    while (column < kOverhangColumns - 1
        && diameterMm > kOverhangColumnDiameterMm[static_cast<std::size_t>(column)])
        ++column;
    return column;
}

OverhangFactor overhangFactor(double diameterMm, double overhangMm)
{
    const std::size_t column = static_cast<std::size_t>(overhangColumn(diameterMm));
    const double ratio = overhangMm / diameterMm;
    for (const OverhangRow& row : kOverhangRows) {
        if (row.ratioUpTo[column] >= ratio)
            return { row.kf4, false };
    }
    return { kOverhangRows.back().kf4, true };
}

double toolLifeFactor(double toolLifeMin)
{
    for (const ToolLifeFactor& life : kKv2) {
        if (toolLifeMin == life.toolLifeMin)
            return life.value;
    }
    return 1.0;
}

double widthFactor(double widthRatio)
{
    return bandValue(kKv3, widthRatio);
}

const AlloySpeed& alloySpeed(int alloyIndex)
{
    if (alloyIndex == kAlloyVT20 || alloyIndex == kAlloyVT6)
        return kAlloySpeeds[static_cast<std::size_t>(alloyIndex)];
    return kAlloySpeeds[kAlloyVT22];
}

const LowRigiditySpeed& lowRigiditySpeed(int directionIndex)
{
    return kLowRigiditySpeeds[directionIndex == 0 ? 0 : 1];
}

const ForceCoefficientTexts& forceCoefficients(int alloyIndex)
{
    if (alloyIndex == kAlloyVT20 || alloyIndex == kAlloyVT22)
        return kForceCoefficients[static_cast<std::size_t>(alloyIndex)];
    return kForceCoefficients[kAlloyVT6];
}

} // namespace millcalc::titanium
