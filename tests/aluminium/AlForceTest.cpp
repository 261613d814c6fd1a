#include "AluminiumWindow.h"

#include "aluminium/AlForce.h"

#include <string>
#include <vector>

namespace millcalc::altest {
namespace {

using Rows = std::vector<std::string>;

const std::string kOverload = "Превышение допустимой силовой нагрузки на шпиндель (Расчет Pz)....";
const std::string kFeedZero = "Ошибка вычисления-> Sz=fz=0.";

class SpindleLoad : public AluminiumWindow {
protected:
    // D, B, t and Sz of 1 and m2 so small that n^m2 is 1: the force equals k4.
    void forceOf(const char* k4, const char* spindleSpeed)
    {
        type({ { "BaseAlD", "1" }, { "BaseAlB", "1" }, { "BaseAlT", "1" }, { "EditSz", "1" },
            { "EditTsm2", "1e-300" }, { "EditTkoef4", k4 }, { "Editn", spindleSpeed } });
    }
};

TEST_F(AluminiumWindow, LoadGridAtStartShowsTheBandsForTheFirstEfficiency)
{
    EXPECT_EQ(gridRows("StringGridP"),
        (Rows {
            " n (об/мин) |  P (кН)",
            ".... | ....",
            "6000 | 2.00 • 0.70  =1.40",
            "8000 | 1.70 • 0.70  =1.19",
            "10000 | 1.50 • 0.70  =1.05",
            "12000 | 1.35 • 0.70  =0.94",
            "15000 | 1.25 • 0.70  =0.88",
            "18000 | 1.20 • 0.70  =0.84",
        }));
    EXPECT_TRUE(store().visible("PanelForestP"));
}

TEST_F(SpindleLoad, SpeedRowStandsAboveTheFirstBandThatHoldsTheSpeed)
{
    forceOf("100", "7000");
    EXPECT_EQ(CalcAlPz(form()), 0);
    EXPECT_EQ(text("EditPz"), "100.00");
    EXPECT_EQ(gridRows("StringGridP"),
        (Rows {
            " n (об/мин) |  P (кН)",
            "6000 | 2.00 • 0.70  =1.40",
            "n=7000 | P=0.100 • 0.70=0.070",
            "8000 | 1.70 • 0.70  =1.19",
            "10000 | 1.50 • 0.70  =1.05",
            "12000 | 1.35 • 0.70  =0.94",
            "15000 | 1.25 • 0.70  =0.88",
            "18000 | 1.20 • 0.70  =0.84",
        }));
    EXPECT_TRUE(store().visible("PanelForestP"));
}

TEST_F(SpindleLoad, SpeedOnABandsTopBelongsToThatBand)
{
    forceOf("100", "6000");
    CalcAlPz(form());
    EXPECT_EQ(store().cell("StringGridP", 0, 1), "n=6000");
    EXPECT_EQ(store().cell("StringGridP", 0, 2), "6000");

    forceOf("100", "6000.5");
    CalcAlPz(form());
    EXPECT_EQ(store().cell("StringGridP", 0, 1), "6000");
    EXPECT_EQ(store().cell("StringGridP", 1, 2), "P=0.100 • 0.70=0.070");
    EXPECT_EQ(store().cell("StringGridP", 0, 3), "8000");
}

TEST_F(SpindleLoad, SpeedAboveTheTopBandComesLastAndUsesItsFactor)
{
    forceOf("850", "20000");
    CalcAlPz(form());
    EXPECT_EQ(store().cell("StringGridP", 0, 6), "18000");
    EXPECT_EQ(store().cell("StringGridP", 0, 7), "n=20000");
    EXPECT_EQ(store().cell("StringGridP", 1, 7), "P=0.850 • 0.70=0.595");
    // 0.85 kN is above 1.20 * 0.70 = 0.84 kN.
    EXPECT_EQ(countLog(kOverload), 1);
    EXPECT_EQ(store().colour("EditPz"), kRed);
}

struct OverloadCase {
    const char* force;
    const char* spindleSpeed;
    int efficiency; // item of ComboBoxTkpd
    bool overload;
};

constexpr OverloadCase kOverloadCases[] = {
    { "1500", "6000", 0, true }, // 1.5 kN against 2.00 * 0.70 = 1.40
    { "1300", "6000", 0, false }, { "1300", "7000", 0, true }, // against 1.70 * 0.70 = 1.19
    { "1500", "6000", 1, false }, // exactly 2.00 * 0.75 = 1.50 passes
    { "1500.01", "6000", 1, true }, { "800", "17000", 0, false }, // against 1.20 * 0.70 = 0.84
};

TEST_F(SpindleLoad, OverloadIsAForceAboveFactorTimesEfficiency)
{
    for (const OverloadCase& c : kOverloadCases) {
        store().clearLines("ElFlatMemoMes");
        form().pick("ComboBoxTkpd", c.efficiency);
        forceOf(c.force, c.spindleSpeed);
        EXPECT_EQ(CalcAlPz(form()), 0);
        EXPECT_EQ(countLog(kOverload), c.overload ? 1 : 0) << c.force << " at " << c.spindleSpeed;
        EXPECT_EQ(store().colour("EditPz"), c.overload ? kRed : kGreen) << c.force;
    }
}

TEST_F(SpindleLoad, OtherMachinesHaveNoLoadCheckAndHideThePanel)
{
    forceOf("1500", "6000");
    run({ "pick TabMach 2" });
    EXPECT_EQ(CalcAlPz(form()), 0);
    EXPECT_EQ(events(), "");
    EXPECT_EQ(text("EditPz"), "1500.00");
    EXPECT_EQ(store().colour("EditPz"), kGreen);
    EXPECT_FALSE(store().visible("PanelForestP"));
}

TEST_F(SpindleLoad, SecondMachineHasTheLoadCheck)
{
    forceOf("1500", "6000");
    run({ "pick TabMach 1" });
    CalcAlPz(form());
    EXPECT_EQ(countLog(kOverload), 1);
    EXPECT_TRUE(store().visible("PanelForestP"));
}

TEST_F(SpindleLoad, MissingFeedPerToothStopsTheForceStep)
{
    forceOf("100", "6000");
    type({ { "EditSz", "0" }, { "EditPz", "5.00" } });
    EXPECT_EQ(CalcAlPz(form()), -1);
    EXPECT_EQ(events(),
        logEvent("Ошибка задания Sz<=0 (Расчет Pz)....") + logEvent(kFeedZero)
            + boxEvent(kFeedZero, "Предупреждение..(Расчет Pz)."));
    EXPECT_EQ(text("EditSz"), "0.000");
    EXPECT_EQ(text("EditPz"), "5.00");
}

TEST_F(SpindleLoad, MissingSpindleSpeedStopsTheForceStepWithABox)
{
    const std::string message = "Ошибка задания n<=0 (Расчет Pz)....";
    forceOf("100", "abc");
    type({ { "EditPz", "5.00" } });
    const Rows before = gridRows("StringGridP");
    EXPECT_EQ(CalcAlPz(form()), -1);
    EXPECT_EQ(events(), logEvent(message) + boxEvent(message));
    EXPECT_EQ(text("Editn"), "0.000");
    EXPECT_EQ(text("EditPz"), "5.00");
    EXPECT_EQ(gridRows("StringGridP"), before);
}

TEST_F(SpindleLoad, SpindleSpeedAtTheMachinesMaximumIsMarkedWithOneBlank)
{
    forceOf("100", "18000");
    EXPECT_EQ(CalcAlPz(form()), 0);
    EXPECT_EQ(events(), logEvent("Превышение числа оборотов (Расчет Pz)"));
    EXPECT_EQ(store().colour("Editn"), kRed);
}

TEST_F(SpindleLoad, EmptyForceCoefficientIsReplacedAndUsed)
{
    forceOf("", "6000");
    EXPECT_EQ(CalcAlPz(form()), 0);
    EXPECT_EQ(text("EditTkoef4"), "246.00");
    EXPECT_EQ(text("EditPz"), "246.00");
    EXPECT_EQ(countLog("Ошибка задания k4<=0 (Расчет P)-> исправлено...."), 1);
}

TEST_F(AluminiumWindow, ForceStepCorrectsTheDiameterWithABoxAndDerivesWidthAndDepth)
{
    type({ { "BaseAlD", "0" }, { "BaseAlB", "" }, { "BaseAlT", "" }, { "EditSz", "0.123" },
        { "Editn", "9574.354" } });
    run({ "click BitBtnAlPz1" });
    EXPECT_EQ(text("BaseAlD"), "30.000");
    EXPECT_EQ(text("BaseAlB"), "15.000");
    EXPECT_EQ(text("BaseAlT"), "7.500");
    EXPECT_NE(text("EditPz"), "0.0");
}

} // namespace
} // namespace millcalc::altest
