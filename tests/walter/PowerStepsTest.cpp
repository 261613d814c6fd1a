#include "walter/Walter.h"

#include "WalterFixture.h"

#include "app/NumberText.h"

#include <cmath>

namespace millcalc {
namespace {

constexpr const char* kPowerLimitLine = "Работа на пределе (или Превышение) - мощности станка";
constexpr const char* kTorqueLimitLine = "Работа на пределе (или Превышение) - крутящего момента";

class WalterPowerTest : public WalterFixture {
protected:
    // The inputs of the worked example as the earlier steps leave them.
    void typeWorkedExample(const char* n = "13496.339")
    {
        type({ { "BaseB", "15.0" }, { "BaseT", "5.0" }, { "EditStn", n },
            { "EditSthm2", "0.09941961" }, { "EditStVf", "4048.90" }, { "EditStGamma0", "2.0" },
            { "EditStKc11", "700.01" }, { "EditStMc", "0.2501" } });
    }

    void expectResultsUntouched()
    {
        for (const char* name : { "EditStKc", "EditStP", "EditStPn", "EditStM" })
            EXPECT_EQ(text(name), "0.0") << name;
    }
};

TEST_F(WalterPowerTest, ComputesTheWorkedExampleInThePowerRange)
{
    typeWorkedExample();
    EXPECT_EQ(WalterPower(form()), 0);
    EXPECT_EQ(text("EditStKc"), "1221.97567");
    EXPECT_EQ(text("EditStP"), "8.83510");
    EXPECT_EQ(text("EditStPn"), "40.00000");
    EXPECT_EQ(text("EditStM"), "28.30189");
    EXPECT_EQ(store().colour("EditStP"), colours::Green);
    EXPECT_EQ(store().colour("EditStPn"), colours::Red);
    EXPECT_EQ(store().colour("EditStM"), colours::Green);
    EXPECT_EQ(events(), logEvent(kPowerLimitLine));
}

TEST_F(WalterPowerTest, MarksTorqueRedBelowCriticalSpeed)
{
    typeWorkedExample("5000");
    EXPECT_EQ(WalterPower(form()), 0);
    EXPECT_EQ(text("EditStM"), "57.00000");
    EXPECT_EQ(text("EditStPn"), "29.84513");
    EXPECT_EQ(store().colour("EditStM"), colours::Red);
    EXPECT_EQ(store().colour("EditStPn"), colours::Green);
    EXPECT_EQ(events(), logEvent(kTorqueLimitLine));
}

TEST_F(WalterPowerTest, UsesTheTorqueBranchAtExactlyTheCriticalSpeed)
{
    typeWorkedExample("6700");
    EXPECT_EQ(WalterPower(form()), 0);
    EXPECT_EQ(text("EditStM"), "57.00000");
    EXPECT_EQ(text("EditStPn"), formatFixed(57 * 6.2831852 * 6700 / 60 * 0.001, 5));
    EXPECT_EQ(text("EditStPn"), "39.99247");
    EXPECT_EQ(events(), logEvent(kTorqueLimitLine));

    // Just above it the machine gives its full power, and the torque of that
    // power at the knee (57.01072) still reaches the torque limit.
    typeWorkedExample("6700.001");
    EXPECT_EQ(WalterPower(form()), 0);
    EXPECT_EQ(text("EditStPn"), "40.00000");
    EXPECT_EQ(text("EditStM"), "57.01072");
    EXPECT_EQ(events(), logEvent(kPowerLimitLine) + logEvent(kTorqueLimitLine));
}

TEST_F(WalterPowerTest, TakesTheLimitsOfTheSelectedMachine)
{
    // Row 1: 25 kW, 1300 N·m, n(крит) 5500.
    run({ "pick TabMach 1" });
    typeWorkedExample("5000");
    EXPECT_EQ(WalterPower(form()), 0);
    EXPECT_EQ(text("EditStM"), "1300.00000");
    EXPECT_EQ(text("EditStPn"), formatFixed(1300 * 6.2831852 * 5000 / 60 * 0.001, 5));
    // 680.7 kW is far beyond the 25 kW drive.
    EXPECT_EQ(store().colour("EditStPn"), colours::Red);
    EXPECT_EQ(events(), logEvent(kPowerLimitLine) + logEvent(kTorqueLimitLine));
}

TEST_F(WalterPowerTest, CountsAPowerEqualToTheLimitAsExceeding)
{
    // kc 1000 (γ0 0, hm 1) and ae · ap · Vf = 1680000 give exactly 40 kW at η 0.70.
    type({ { "BaseB", "10" }, { "BaseT", "10" }, { "EditStn", "1000" }, { "EditSthm2", "1" },
        { "EditStVf", "16800" }, { "EditStGamma0", "0" }, { "EditStKc11", "1000" },
        { "EditStMc", "0.25" } });
    EXPECT_EQ(WalterPower(form()), 0);
    EXPECT_EQ(text("EditStKc"), "1000.00000");
    EXPECT_EQ(text("EditStP"), "40.00000");
    EXPECT_EQ(store().colour("EditStP"), colours::Red);
    // The machine's own power mark replaces the red that P gave EditStPn.
    EXPECT_EQ(text("EditStPn"), "5.96903");
    EXPECT_EQ(store().colour("EditStPn"), colours::Green);
    EXPECT_EQ(events(), logEvent("Превышение мощности станка") + logEvent(kTorqueLimitLine));
}

TEST_F(WalterPowerTest, ReadsTheEfficiencyFromItsList)
{
    typeWorkedExample();
    run({ "pick ComboBoxStkpd 5" });
    EXPECT_EQ(WalterPower(form()), 0);
    const double kc = 0.98 * 700.01 / std::pow(0.09941961, 0.2501);
    EXPECT_EQ(text("EditStP"), formatFixed(5 * 15 * 4048.90 * kc / (60000000 * 0.99), 5));
    EXPECT_NE(text("EditStP"), "8.83510");
}

struct CorrectionCase {
    const char* field;
    const char* typed;
    const char* shown; // nullptr: stays as typed
    const char* line; // nullptr: nothing logged
};

constexpr const char* kRakeLine = "Главный передний угол (гамма) - превышает лимит <=-100 || "
                                  ">=+100 -> установлен gamma=2";
constexpr const char* kKcLine = "Коэф материала kc11-> (kc11<=0) - установлен kc11=700. ";
constexpr const char* kMcLine = "Коэф материала mc-> (mc<=0 или mc>1) - установлен mc=0.25 ";

constexpr CorrectionCase kCorrections[] = {
    { "EditStGamma0", "100", "2.00", kRakeLine },
    { "EditStGamma0", "-100", "2.00", kRakeLine },
    { "EditStGamma0", "-99.9", nullptr, nullptr },
    { "EditStGamma0", "99.99", nullptr, nullptr },
    { "EditStKc11", "0", "700.000", kKcLine },
    { "EditStKc11", "-1", "700.000", kKcLine },
    { "EditStMc", "1", nullptr, nullptr },
    { "EditStMc", "1.01", "0.250", kMcLine },
    { "EditStMc", "0", "0.250", kMcLine },
    { "BaseT", "0", "0.00000", "Ошибка задания 'Глубина реза' - ae<=0." },
    { "EditStn", "-1", "0.000", "Число оборотов шпинделя - n<=0." },
    { "EditStVf", "x", "0.00000", "Подача резания - vf<=0." },
};

TEST_F(WalterPowerTest, CorrectsInputsOutOfRangeAndGoesOn)
{
    for (const CorrectionCase& c : kCorrections) {
        typeWorkedExample();
        type({ { c.field, c.typed } });
        EXPECT_EQ(WalterPower(form()), 0) << c.field << " " << c.typed;
        EXPECT_EQ(text(c.field), c.shown ? c.shown : c.typed) << c.field << " " << c.typed;
        const std::string printed = events();
        if (c.line) {
            EXPECT_EQ(printed.rfind(logEvent(c.line), 0), 0u) << printed;
            EXPECT_EQ(store().focused(), c.field);
            EXPECT_TRUE(store().selectedAll(c.field));
        } else {
            EXPECT_EQ(printed.find("установлен"), std::string::npos) << printed;
        }
    }
}

TEST_F(WalterPowerTest, GoesOnWithTheDefaultsOfAnEmptyCatalogueRow)
{
    typeWorkedExample();
    type({ { "EditStKc11", "" }, { "EditStMc", "" } });
    EXPECT_EQ(WalterPower(form()), 0);
    EXPECT_EQ(text("EditStKc11"), "700.000");
    EXPECT_EQ(text("EditStMc"), "0.250");
    EXPECT_EQ(text("EditStKc"), formatFixed(0.98 * 700 / std::pow(0.09941961, 0.25), 5));
    EXPECT_EQ(events(), logEvent(kKcLine) + logEvent(kMcLine) + logEvent(kPowerLimitLine));
    // The last corrected field keeps the focus.
    EXPECT_EQ(store().focused(), "EditStMc");
}

TEST_F(WalterPowerTest, StopsOnNoChipThicknessWithTwoDifferentTexts)
{
    typeWorkedExample();
    type({ { "EditSthm2", "0.0" } });
    EXPECT_EQ(WalterPower(form()), -1);
    EXPECT_EQ(text("EditSthm2"), "0.00000000");
    EXPECT_EQ(events(),
        logEvent("Средняя толщина стружки - hm<=0.")
            + logEvent("Расчет мощности резания->Средняя толщина стружки\n hm<=0. \n Расчет "
                       "прерван.")
            + boxEvent("Расчет мощности резания->Средняя толщина стружки \n hm=0. \n Расчет "
                       "прерван."));
    expectResultsUntouched();
}

TEST_F(WalterPowerTest, StopsOnNoCuttingDepthWithABoxOnly)
{
    typeWorkedExample();
    type({ { "BaseB", "-3" } });
    EXPECT_EQ(WalterPower(form()), -1);
    EXPECT_EQ(text("BaseB"), "0.00000");
    EXPECT_EQ(events(), boxEvent("Ошибка задания 'Ширины реза' - ap"));
    expectResultsUntouched();
}

TEST_F(WalterPowerTest, ReportsAnOverflowInsteadOfWritingInfinity)
{
    typeWorkedExample();
    type({ { "EditStKc11", "1e300" }, { "EditSthm2", "1e-300" }, { "EditStMc", "1" } });
    EXPECT_EQ(WalterPower(form()), -1);
    expectResultsUntouched();
    EXPECT_NE(
        events().find("LOG\tПереполнение при расчете удельной силы резания kc"), std::string::npos);
}

TEST_F(WalterPowerTest, ReportsAPowerThatIsNotANumber)
{
    // No efficiency selected (a list emptied by hand) would divide by zero.
    typeWorkedExample();
    store().setIndex("ComboBoxStkpd", -1);
    EXPECT_EQ(WalterPower(form()), -1);
    EXPECT_EQ(text("EditStKc"), "1221.97567");
    EXPECT_EQ(text("EditStP"), "0.0");
    EXPECT_NE(events().find("Переполнение при расчете мощности резания P"), std::string::npos);
}

TEST_F(WalterPowerTest, RunsFromItsStepButton)
{
    typeWorkedExample();
    EXPECT_EQ(run({ "click BitBtnSt5" }), logEvent(kPowerLimitLine));
    EXPECT_EQ(text("EditStP"), "8.83510");
}

using WalterRemovalRateTest = WalterFixture;

TEST_F(WalterRemovalRateTest, ComputesTheWorkedExample)
{
    type({ { "BaseB", "15.0" }, { "BaseT", "5.0" }, { "EditStVf", "4048.90" } });
    EXPECT_EQ(WalterRemovalRate(form()), 0);
    EXPECT_EQ(text("EditStQ"), "303.66750");
    EXPECT_EQ(events(), "");
}

TEST_F(WalterRemovalRateTest, ReplacesEveryMissingInputByZeroInOrder)
{
    type({ { "BaseB", "" }, { "BaseT", "" }, { "EditStVf", "" } });
    EXPECT_EQ(WalterRemovalRate(form()), 0);
    for (const char* name : { "BaseB", "BaseT", "EditStVf" })
        EXPECT_EQ(text(name), "0.000") << name;
    EXPECT_EQ(text("EditStQ"), "0.00000");
    EXPECT_EQ(events(),
        logEvent("Ошибка задания ширины реза...<=0") + logEvent("Ошибка задания глубины реза...<=0")
            + logEvent("Ошибка задания подачи реза...<=0"));
    EXPECT_EQ(store().focused(), "EditStVf");
}

TEST_F(WalterRemovalRateTest, ReportsAnOverflowInsteadOfWritingInfinity)
{
    type({ { "BaseB", "1e300" }, { "BaseT", "1e300" }, { "EditStVf", "100" },
        { "EditStQ", "old" } });
    EXPECT_EQ(WalterRemovalRate(form()), -1);
    EXPECT_EQ(text("EditStQ"), "old");
    const std::string message = "Переполнение при расчете скорости сьема материала Q - значение "
                                "вне диапазона чисел. Проверьте исходные данные. Расчет прерван.";
    EXPECT_EQ(events(), logEvent(message) + boxEvent(message));
}

TEST_F(WalterRemovalRateTest, RunsFromItsStepButton)
{
    type({ { "BaseB", "10" }, { "BaseT", "2" }, { "EditStVf", "1000" } });
    EXPECT_EQ(run({ "click BitBtnSt2" }), "");
    EXPECT_EQ(text("EditStQ"), "20.00000");
}

} // namespace
} // namespace millcalc
