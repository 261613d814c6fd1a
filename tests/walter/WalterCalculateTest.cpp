#include "walter/Walter.h"

#include "WalterFixture.h"

#include "app/NumberText.h"

#include <cmath>
#include <string>

namespace millcalc {
namespace {

constexpr const char* kPowerLimitLine = "Работа на пределе (или Превышение) - мощности станка";

constexpr const char* kResultFields[] = { "EditStn", "EditStVc", "EditStVf", "EditStfz", "EditStQ",
    "EditaeDc", "EditSthm2", "EditStKc", "EditStP", "EditStPn", "EditStM", "EditStk" };

using WalterCalculateTest = WalterFixture;

struct ResultText {
    const char* field;
    const char* text;
    Rgb colour;
};

// The start-up job on machine row 0: central contact, exact mode, η 0.70.
constexpr ResultText kWorkedExample[] = {
    { "EditStn", "13496.339", colours::Green },
    { "EditStVc", "1060.000", colours::Black },
    { "EditStVf", "4048.90", colours::Green },
    { "EditStfz", "0.10000", colours::Black },
    { "EditStQ", "303.66750", colours::Black },
    { "EditaeDc", "0.20", colours::Black },
    { "EditStk", "90.00000", colours::Black },
    { "EditSthm2", "0.09941961", colours::Black },
    { "EditStKc", "1221.97567", colours::Black },
    { "EditStP", "8.83510", colours::Green },
    { "EditStPn", "40.00000", colours::Red },
    { "EditStM", "28.30189", colours::Green },
};

TEST_F(WalterCalculateTest, ComputesTheStartUpJobFromCuttingSpeedToTorque)
{
    WalterCalculate(form());
    for (const ResultText& r : kWorkedExample) {
        EXPECT_EQ(text(r.field), r.text) << r.field;
        EXPECT_EQ(store().colour(r.field), r.colour) << r.field;
    }
    EXPECT_EQ(events(), logEvent(kPowerLimitLine));
    EXPECT_EQ(store().focused(), "EditSthm2");
    EXPECT_FALSE(store().selectedAll("EditSthm2"));
}

TEST_F(WalterCalculateTest, ComputesTheApproximateThicknessWithoutTouchingTheAngle)
{
    type({ { "EditStk", "45" } });
    run({ "check CheckBoxhm2 1" });
    WalterCalculate(form());
    EXPECT_EQ(text("EditSthm2"), "0.04472136");
    EXPECT_EQ(text("EditStk"), "45");
}

TEST_F(WalterCalculateTest, ComputesTheOffsetContact)
{
    run({ "pick ComboBoxStContact 1" });
    WalterCalculate(form());
    EXPECT_EQ(text("EditSthm2"), "0.04317703");
}

TEST_F(WalterCalculateTest, RunsFromTheCalculateButtonOnTheWalterPage)
{
    EXPECT_EQ(run({ "click BitCalcs" }), logEvent(kPowerLimitLine));
    EXPECT_EQ(text("EditStP"), "8.83510");
}

TEST_F(WalterCalculateTest, StepsReadTheRoundedTextsOfTheStepsBefore)
{
    // fz 0.123456789 is written back as 0.12346; the chip thickness reads that.
    type({ { "Basefz", "0.123456789" } });
    WalterCalculate(form());
    EXPECT_EQ(text("EditStfz"), "0.12346");
    const double phi = std::asin(0.2) * 114.59156098088593;
    EXPECT_EQ(text("EditSthm2"), formatFixed(114.7 * 0.12346 * 1.0 * 0.2 / phi, 8));
    // The power reads Vf with two decimals, hm with eight.
    const double Vf = 0.123456789 * 3 * (1060 * 1000 / (25 * 3.1415926));
    const double hm = readReal(text("EditSthm2"));
    const double kc = 0.98 * 700.01 / std::pow(hm, 0.2501);
    EXPECT_EQ(
        text("EditStP"), formatFixed(5 * 15 * readReal(formatFixed(Vf, 2)) * kc / 42000000, 5));
}

TEST_F(WalterCalculateTest, RewritesTheFeedPerToothOfATypedTableFeed)
{
    type({ { "EditStn", "13496.339" }, { "EditStVf", "5000" } });
    run({ "click BitBtnSt4" });
    EXPECT_EQ(text("EditStfz"), "0.12349");
    WalterCalculate(form());
    EXPECT_EQ(text("EditStfz"), "0.10000");
}

// The results as the creation step leaves them.
constexpr ResultText kStartTexts[] = {
    { "EditStn", "0.0", colours::Black },
    { "EditStVc", "0.0", colours::Black },
    { "EditStVf", "0.0", colours::Black },
    { "EditStfz", "0.0", colours::Black },
    { "EditStQ", "0.0", colours::Black },
    { "EditaeDc", "", colours::Black },
    { "EditStk", "90.0", colours::Black },
    { "EditSthm2", "0.0", colours::Black },
    { "EditStKc", "0.0", colours::Black },
    { "EditStP", "0.0", colours::Black },
    { "EditStPn", "0.0", colours::Black },
    { "EditStM", "0.0", colours::Black },
};

struct StopCase {
    const char* field;
    const char* typed;
    const char* corrected;
    const char* message;
};

constexpr StopCase kStops[] = {
    { "BaseD", "0", "0.000", "Ошибка задания 'диаметра инструмента' - D" },
    { "BaseD", "-25", "0.000", "Ошибка задания 'диаметра инструмента' - D" },
    { "BaseZ", "0", "0", "Ошибка задания 'Числа зубьев' - z" },
    { "BaseZ", "", "0", "Ошибка задания 'Числа зубьев' - z" },
    { "BaseVc", "abc", "0.000", "Ошибка задания 'Скорости резания' - vc" },
    { "BaseVc", "-1060", "0.000", "Ошибка задания 'Скорости резания' - vc" },
    { "Basefz", "0", "0.00000", "Ошибка задания 'Подача на зуб' - fz" },
    { "Basefz", "-0.1", "0.00000", "Ошибка задания 'Подача на зуб' - fz" },
};

TEST_F(WalterCalculateTest, StopsOnABadInputBeforeWritingAnyResult)
{
    for (const StopCase& c : kStops) {
        type({ { c.field, c.typed } });
        WalterCalculate(form());
        EXPECT_EQ(text(c.field), c.corrected) << c.field << " " << c.typed;
        EXPECT_EQ(events(), boxEvent(c.message)) << c.field << " " << c.typed;
        EXPECT_EQ(store().focused(), c.field);
        for (const ResultText& r : kStartTexts)
            EXPECT_EQ(text(r.field), r.text) << r.field << " after " << c.field << " " << c.typed;
        // Put the start-up job back for the next case.
        run({ "click N2" });
    }
}

TEST_F(WalterCalculateTest, StopsAtTheChipThicknessWhenTheCutIsWiderThanTheCutter)
{
    type({ { "BaseT", "30" } });
    WalterCalculate(form());
    EXPECT_EQ(text("EditStQ"), formatFixed(30 * 15 * 4048.90 * 0.001, 5));
    EXPECT_EQ(text("EditSthm2"), "0.0");
    EXPECT_EQ(text("EditStKc"), "0.0");
    EXPECT_EQ(text("EditStP"), "0.0");
    const std::string printed = events();
    EXPECT_NE(printed.find("LOG\tГлубина резания ae больше диаметра фрезы D"), std::string::npos);
    EXPECT_NE(printed.find("BOX\tПредупреждение...\tГлубина резания ae больше"), std::string::npos);
}

struct HugeCase {
    const char* field;
    const char* typed;
};

// Inputs far beyond any real job: no result may show an infinity or "nan".
constexpr HugeCase kHugeInputs[] = {
    { "BaseD", "1e-300" },
    { "BaseVc", "1e300" },
    { "Basefz", "1e300" },
    { "BaseZ", "2000000000" },
    { "BaseB", "1e300" },
    { "BaseT", "1e-300" },
    { "EditStKc11", "1e300" },
    { "EditStGamma0", "-99" },
    { "BaseD", "1e300" },
    { "BaseVc", "1e-300" },
    { "Basefz", "1e-300" },
};

TEST_F(WalterCalculateTest, NeverShowsInfinityOrNotANumber)
{
    // Each huge input alone, then all of them together.
    for (const HugeCase& c : kHugeInputs) {
        run({ "click N2" });
        type({ { c.field, c.typed } });
        WalterCalculate(form());
        for (const char* name : kResultFields) {
            const std::string shown = text(name);
            EXPECT_EQ(shown.find("inf"), std::string::npos) << name << " after " << c.field;
            EXPECT_EQ(shown.find("nan"), std::string::npos) << name << " after " << c.field;
        }
    }
    run({ "click N2" });
    for (const HugeCase& c : kHugeInputs)
        type({ { c.field, c.typed } });
    WalterCalculate(form());
    for (const char* name : kResultFields) {
        EXPECT_EQ(text(name).find("inf"), std::string::npos) << name;
        EXPECT_EQ(text(name).find("nan"), std::string::npos) << name;
    }
}

} // namespace
} // namespace millcalc
