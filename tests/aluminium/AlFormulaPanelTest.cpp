#include "AluminiumWindow.h"

#include "aluminium/AlFormulaPanel.h"
#include "app/NumberText.h"

#include <cmath>
#include <string>
#include <vector>

namespace millcalc::altest {
namespace {

constexpr const char* kFormulaFields[] = {
    "EditTkoef1",
    "EditTX1",
    "EditTY1",
    "EditTZ1",
    "EditTkoef2",
    "EditTX2",
    "EditTY2",
    "EditTZ2",
    "EditTkoef3",
    "EditTX3",
    "EditTY3",
    "EditTZ3",
    "EditTsm1",
    "EditTkoef4",
    "EditTX4",
    "EditTY4",
    "EditTZ4",
    "EditTsm2",
};

struct RoughnessCase {
    int alloy;
    int range;
    const char* ks;
};

// Alloy В95пчТ2, 1163Т2, Д16чТ by range "...<=1.25", "1.25<...<=2.5", "2.5<...<=20.".
constexpr RoughnessCase kRoughnessCases[] = {
    { 0, 0, "0.584" },
    { 0, 1, "0.885" },
    { 0, 2, "0.885" },
    { 1, 0, "1.000" },
    { 1, 1, "1.000" },
    { 1, 2, "1.328" },
    { 2, 0, "0.660" },
    { 2, 1, "0.660" },
    { 2, 2, "1.500" },
};

TEST_F(AluminiumWindow, StartsWithTheFactorAndCoefficientsOfTheFirstAlloy)
{
    EXPECT_EQ(text("EditTKs"), "0.584");
    EXPECT_EQ(text("EditTkoef1"), "0.04");
    EXPECT_EQ(text("EditTkoef2"), "1097.0");
    EXPECT_EQ(text("EditTX3"), "0.684");
    EXPECT_EQ(text("EditTkoef4"), "246");
    EXPECT_EQ(text("EditTsm2"), "0.118");
}

TEST_F(AluminiumWindow, RoughnessPickWritesTheFactorAsTheRecommendationsStateIt)
{
    for (const RoughnessCase& c : kRoughnessCases) {
        form().pick("ComboBoxMaterial", c.alloy);
        form().pick("ComboBoxRa", c.range);
        EXPECT_EQ(text("EditTKs"), c.ks) << "alloy " << c.alloy << " range " << c.range;
    }
}

TEST_F(AluminiumWindow, AlloyPickRecomputesTheFactorForTheCurrentRange)
{
    form().pick("ComboBoxMaterial", 1);
    form().pick("ComboBoxRa", 2);
    EXPECT_EQ(text("EditTKs"), "1.328");
    form().pick("ComboBoxMaterial", 2);
    EXPECT_EQ(text("EditTKs"), "1.500");
    form().pick("ComboBoxRa", 0);
    EXPECT_EQ(text("EditTKs"), "0.660");
}

TEST(RoughnessFactor, Keeps1328WhereRoundingTheDoubleWouldGive1327)
{
    // The risk the stored texts guard against.
    EXPECT_EQ(formatFixed(1.3275, 3), "1.327");
    EXPECT_STREQ(roughnessFactorText(1, 2), "1.328");
    EXPECT_STREQ(roughnessFactorText(0, 0), "0.584");
}

TEST(RoughnessFactor, WithoutAnAlloyIsOneAndWithoutARangeIsTheOtherRangesFactor)
{
    EXPECT_STREQ(roughnessFactorText(-1, 0), "1.000");
    EXPECT_STREQ(roughnessFactorText(0, -1), "0.885");
    EXPECT_STREQ(roughnessFactorText(1, -1), "1.000");
    EXPECT_STREQ(roughnessFactorText(2, -1), "0.660");
}

TEST_F(AluminiumWindow, FeedPerToothUsesTheFactorText1328)
{
    form().pick("ComboBoxMaterial", 1);
    form().pick("ComboBoxRa", 2);
    // A large k1 makes the third decimal tell 1.328 from 1.327.
    type({ { "EditTkoef1", "1.5" } });
    run({ "click BitBtn1fz" });
    const auto sz = [](double ks) {
        return formatFixed(
            1.5 * std::pow(25.0, 0.75) * ks / (std::pow(5.0, 0.1) * std::pow(15.0, 0.22)), 3);
    };
    ASSERT_NE(sz(1.328), sz(1.327));
    EXPECT_EQ(text("EditSz"), sz(1.328));
}

TEST_F(AluminiumWindow, LastTwoAlloysShareOneSetOfFormulaTexts)
{
    form().pick("ComboBoxMaterial", 1);
    std::vector<std::string> second;
    for (const char* name : kFormulaFields)
        second.push_back(text(name));
    form().pick("ComboBoxMaterial", 2);
    for (std::size_t i = 0; i < second.size(); ++i)
        EXPECT_EQ(text(kFormulaFields[i]), second[i]) << kFormulaFields[i];
    EXPECT_EQ(text("EditTkoef2"), "2070.0");
    EXPECT_EQ(text("EditTsm2"), "0.112");
}

TEST_F(AluminiumWindow, AlloyPickDiscardsTheUsersEdits)
{
    type({ { "EditTX2", "0.5" } });
    form().pick("ComboBoxMaterial", 1);
    EXPECT_EQ(text("EditTX2"), "0.88");
    form().pick("ComboBoxMaterial", 0);
    EXPECT_EQ(text("EditTX2"), "0.86");
}

TEST_F(AluminiumWindow, RoughnessPickRewritesOnlyTheFactor)
{
    type({ { "EditTX2", "0.5" } });
    form().pick("ComboBoxRa", 1);
    EXPECT_EQ(text("EditTX2"), "0.5");
    EXPECT_EQ(text("EditTKs"), "0.885");
}

TEST_F(AluminiumWindow, AlloyAndRoughnessPicksRunNoCalculation)
{
    const std::string printed = run({ "pick ComboBoxMaterial 2", "pick ComboBoxRa 2" });
    EXPECT_EQ(printed, "");
    EXPECT_EQ(text("EditSz"), "0.0");
    EXPECT_TRUE(logLines().empty());
}

TEST_F(AluminiumWindow, AutoFillSelectsTheFirstAlloyAndItsPanel)
{
    run({ "pick ComboBoxMaterial 2", "pick ComboBoxRa 2", "click N2" });
    EXPECT_EQ(store().index("ComboBoxMaterial"), 0);
    EXPECT_EQ(store().index("ComboBoxRa"), 0);
    EXPECT_EQ(text("EditTkoef2"), "1097.0");
    EXPECT_EQ(text("EditTKs"), "0.584");
}

TEST_F(AluminiumWindow, FormulaButtonShowsThePanel)
{
    EXPECT_FALSE(store().visible("PanelFormulaAl"));
    run({ "click BitBtnPanelAl" });
    EXPECT_TRUE(store().visible("PanelFormulaAl"));
}

} // namespace
} // namespace millcalc::altest
