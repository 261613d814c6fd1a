#include "titanium/TitaniumCoefficients.h"

#include <gtest/gtest.h>

namespace millcalc::titanium {
namespace {

struct TeethCase {
    double diameterMm;
    int teeth;
    double kf3;
};

// Below 30 mm the ratio is z/3, from 30 mm on z/5; 30 itself takes z/5.
constexpr TeethCase kTeethCases[] = {
    { 25, 1, 1.5 },
    { 25, 2, 1.3 },
    { 25, 3, 1.0 },
    { 25, 16, 1.0 },
    { 29.99, 2, 1.3 },
    { 30, 2, 0.7 },
    { 30, 3, 0.7 },
    { 30, 8, 0.7 },
    { 30, 9, 0.6 },
    { 100, 16, 0.6 },
};

TEST(TeethFactor, FollowsTheRatioOfTeethByDiameter)
{
    for (const TeethCase& c : kTeethCases)
        EXPECT_EQ(teethFactor(c.diameterMm, c.teeth), c.kf3)
            << "D " << c.diameterMm << ", z " << c.teeth;
}

TEST(TeethFactor, RatioOnABandEndBelongsToThatBand)
{
    // z/3 = 0.6 and 0.85, z/5 = 1.75 exactly, with fractional tooth counts.
    EXPECT_EQ(teethFactor(25, 1.8), 1.5);
    EXPECT_EQ(teethFactor(25, 1.81), 1.3);
    EXPECT_EQ(teethFactor(25, 2.55), 1.3);
    EXPECT_EQ(teethFactor(25, 2.56), 1.0);
    EXPECT_EQ(teethFactor(30, 8.75), 0.7);
    EXPECT_EQ(teethFactor(30, 8.76), 0.6);
}

TEST(OverhangFactor, PicksTheColumnByDiameter)
{
    EXPECT_EQ(overhangColumn(2), 0);
    EXPECT_EQ(overhangColumn(13), 0);
    EXPECT_EQ(overhangColumn(13.01), 1);
    EXPECT_EQ(overhangColumn(20), 1);
    EXPECT_EQ(overhangColumn(20.5), 2);
    EXPECT_EQ(overhangColumn(32), 2);
    EXPECT_EQ(overhangColumn(32.5), 3);
    EXPECT_EQ(overhangColumn(45), 3);
    EXPECT_EQ(overhangColumn(45.5), 4);
    EXPECT_EQ(overhangColumn(100), 4);
}

struct OverhangCase {
    double diameterMm;
    double overhangMm;
    double kf4;
    bool beyondTable;
};

// Ratios chosen so that L/D is exact in binary; a ratio equal to a threshold
// belongs to that row.
constexpr OverhangCase kOverhangCases[] = {
    { 25, 70, 0.9, false }, // 2.8 in the third column
    { 25, 62.5, 1.0, false }, // 2.5 exactly, row 1
    { 25, 10, 1.0, false }, // below the first threshold
    { 10, 15, 1.0, false },
    { 10, 15.5, 0.9, false },
    { 10, 20, 0.9, false },
    { 10, 25, 0.8, false },
    { 10, 30, 0.7, false },
    { 10, 35, 0.6, false },
    { 13, 45.5, 0.6, false }, // 3.5, last row of the first column
    { 16, 64, 0.6, false }, // 4.0, last row of the second column
    { 16, 40, 0.9, false }, // 2.5 in the second column, 0.8 in the first
    { 40, 180, 0.7, false }, // 4.5 in the fourth column
    { 100, 350, 1.0, false },
    { 100, 600, 0.6, false },
};

TEST(OverhangFactor, TakesTheFirstRowWhoseThresholdHoldsTheRatio)
{
    for (const OverhangCase& c : kOverhangCases) {
        const OverhangFactor f = overhangFactor(c.diameterMm, c.overhangMm);
        EXPECT_EQ(f.kf4, c.kf4) << "D " << c.diameterMm << ", L " << c.overhangMm;
        EXPECT_EQ(f.beyondTable, c.beyondTable) << "D " << c.diameterMm << ", L " << c.overhangMm;
    }
}

TEST(OverhangFactor, BeyondTheTableTakesTheLastRowNotOne)
{
    // A longer overhang than the table knows must not feed faster than the
    // longest one it knows.
    constexpr OverhangCase kBeyond[] = {
        { 10, 36, 0.6, true },
        { 13, 46, 0.6, true },
        { 16, 65, 0.6, true },
        { 25, 113, 0.6, true },
        { 40, 201, 0.6, true },
        { 100, 601, 0.6, true },
        { 2, 150, 0.6, true },
    };
    for (const OverhangCase& c : kBeyond) {
        const OverhangFactor f = overhangFactor(c.diameterMm, c.overhangMm);
        EXPECT_EQ(f.kf4, c.kf4) << "D " << c.diameterMm << ", L " << c.overhangMm;
        EXPECT_EQ(f.beyondTable, c.beyondTable) << "D " << c.diameterMm << ", L " << c.overhangMm;
    }
}

TEST(ToolLifeFactor, OnlySixtyAndTwoHundredFortyMinutesDiffer)
{
    EXPECT_EQ(toolLifeFactor(30), 1.0);
    EXPECT_EQ(toolLifeFactor(60), 1.1);
    EXPECT_EQ(toolLifeFactor(90), 1.0);
    EXPECT_EQ(toolLifeFactor(120), 1.0);
    EXPECT_EQ(toolLifeFactor(180), 1.0);
    EXPECT_EQ(toolLifeFactor(240), 0.9);
    EXPECT_EQ(toolLifeFactor(60.5), 1.0);
}

TEST(WidthFactor, RatioOnABandEndBelongsToThatBand)
{
    EXPECT_EQ(widthFactor(15.0 / 25.0), 1.2);
    EXPECT_EQ(widthFactor(15.0 / 20.0), 1.2); // 0.75 exactly
    EXPECT_EQ(widthFactor(0.7501), 1.0);
    EXPECT_EQ(widthFactor(30.0 / 20.0), 1.0); // 1.5 exactly
    EXPECT_EQ(widthFactor(1.5001), 0.8);
    EXPECT_EQ(widthFactor(5.0), 0.8);
}

TEST(FactorOfItem, NoSelectionLeavesTheFactorAtOne)
{
    EXPECT_EQ(factorOfItem(kKf1, 1), 0.8);
    EXPECT_EQ(factorOfItem(kKf5, 0), 0.92);
    EXPECT_EQ(factorOfItem(kKf5, 2), 0.7);
    EXPECT_EQ(factorOfItem(kKv7, 1), 0.7);
    EXPECT_EQ(factorOfItem(kKf1, -1), 1.0);
    EXPECT_EQ(factorOfItem(kKf5, 3), 1.0);
    EXPECT_EQ(factorOfItem(kKv8, 2), 1.0);
}

TEST(AlloyConstants, AnUnknownAlloyTakesTheVT22SpeedAndTheVT6Forces)
{
    EXPECT_EQ(alloySpeed(0).Cv, 17.9);
    EXPECT_EQ(alloySpeed(0).M, 1.0);
    EXPECT_EQ(alloySpeed(2).M, 0.8);
    EXPECT_TRUE(alloySpeed(1).speedFactors);
    EXPECT_FALSE(alloySpeed(0).speedFactors);
    EXPECT_FALSE(alloySpeed(2).speedFactors);
    EXPECT_EQ(&alloySpeed(-1), &alloySpeed(1));
    EXPECT_EQ(&alloySpeed(3), &alloySpeed(1));

    EXPECT_STREQ(forceCoefficients(0).cx, "3850.");
    EXPECT_STREQ(forceCoefficients(1).cy, "1040.");
    EXPECT_STREQ(forceCoefficients(2).cx, "11480.");
    EXPECT_STREQ(forceCoefficients(-1).cx, "11480.");
    EXPECT_STREQ(forceCoefficients(-1).cy, "8570.");
}

TEST(LowRigidityConstants, AnyDirectionButClimbIsConventional)
{
    EXPECT_EQ(lowRigiditySpeed(0).Cs, 33.55);
    EXPECT_EQ(lowRigiditySpeed(1).Cs, 13.0);
    EXPECT_EQ(lowRigiditySpeed(-1).Cs, 13.0);
    EXPECT_EQ(lowRigiditySpeed(2).d, 0.92);
}

} // namespace
} // namespace millcalc::titanium
