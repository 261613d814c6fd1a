#include "walter/Walter.h"

#include "WalterFixture.h"

namespace millcalc {
namespace {

constexpr const char* kSpeedLine = "Превышение числа оборотов";
constexpr const char* kFeedLine = "Превышение максимального лимита рабочей подачи";
constexpr const char* kFeedStopped = "Расчет подачи на зуб \n n=0. \n Расчет прерван.";

using WalterSpindleSpeedTest = WalterFixture;

TEST_F(WalterSpindleSpeedTest, TurnsTheWantedCuttingSpeedIntoSpindleSpeedAndBack)
{
    const double n = WalterSpindleSpeed(form(), 25, 1060);
    EXPECT_NEAR(n, 13496.339, 0.0005);
    EXPECT_EQ(text("EditStn"), "13496.339");
    EXPECT_EQ(text("EditStVc"), "1060.000");
    EXPECT_EQ(store().colour("EditStn"), colours::Green);
    EXPECT_EQ(events(), "");
    // A plain write: the focus stays where it was.
    EXPECT_EQ(store().focused(), "BitCalcs");
}

TEST_F(WalterSpindleSpeedTest, MarksSpeedsBeyondTheMachineRed)
{
    // D 2 and 120 m/min ask for 19098.6 rev/min on an 18000 rev/min spindle.
    WalterSpindleSpeed(form(), 2, 120);
    EXPECT_EQ(text("EditStn"), "19098.593");
    EXPECT_EQ(store().colour("EditStn"), colours::Red);
    EXPECT_EQ(events(), logEvent(kSpeedLine));
}

TEST_F(WalterSpindleSpeedTest, StopsWithoutWritingWhenSpeedOverflows)
{
    const double n = WalterSpindleSpeed(form(), 1e-300, 1e300);
    EXPECT_LT(n, 0);
    EXPECT_EQ(text("EditStn"), "0.0");
    EXPECT_EQ(text("EditStVc"), "0.0");
    const std::string printed = events();
    EXPECT_NE(printed.find("LOG\tПереполнение при расчете оборотов шпинделя n"), std::string::npos)
        << printed;
    EXPECT_NE(printed.find("BOX\tПредупреждение...\tПереполнение"), std::string::npos) << printed;
}

using WalterCuttingSpeedTest = WalterFixture;

TEST_F(WalterCuttingSpeedTest, TurnsATypedSpindleSpeedIntoCuttingSpeed)
{
    type({ { "EditStn", "13496.339" } });
    EXPECT_EQ(WalterCuttingSpeed(form()), 0);
    EXPECT_EQ(text("EditStVc"), "1060.000");
    EXPECT_EQ(store().colour("EditStn"), colours::Green);
    EXPECT_EQ(events(), "");
    EXPECT_EQ(store().focused(), "EditStVc");
    EXPECT_TRUE(store().selectedAll("EditStVc"));
}

struct SpeedLimitCase {
    int machine;
    const char* n;
    Rgb colour;
    bool logged;
};

// Every limit comparison is >=: a speed equal to the limit counts as exceeding.
constexpr SpeedLimitCase kSpeedLimits[] = {
    { 0, "17999.999", colours::Green, false },
    { 0, "18000", colours::Red, true },
    { 0, "18000.001", colours::Red, true },
    { 3, "11999.999", colours::Green, false },
    { 3, "12000", colours::Red, true },
};

TEST_F(WalterCuttingSpeedTest, CountsASpeedEqualToTheLimitAsExceeding)
{
    for (const SpeedLimitCase& c : kSpeedLimits) {
        run({ ("pick TabMach " + std::to_string(c.machine)).c_str() });
        type({ { "EditStn", c.n } });
        EXPECT_EQ(WalterCuttingSpeed(form()), 0);
        EXPECT_EQ(store().colour("EditStn"), c.colour) << c.machine << " " << c.n;
        EXPECT_EQ(events(), c.logged ? logEvent(kSpeedLine) : "") << c.machine << " " << c.n;
    }
}

TEST_F(WalterCuttingSpeedTest, ReplacesAMissingSpindleSpeedByZeroAndGoesOn)
{
    for (const char* typed : { "", "abc", "-100" }) {
        type({ { "EditStn", typed }, { "EditStVc", "old" } });
        EXPECT_EQ(WalterCuttingSpeed(form()), 0);
        EXPECT_EQ(text("EditStn"), "0.000") << typed;
        EXPECT_EQ(text("EditStVc"), "0.000") << typed;
        EXPECT_EQ(events(), logEvent("Ошибка задания оборотов шпинделя...<=0")) << typed;
        // The cutting speed is written after the correction and takes the focus.
        EXPECT_EQ(store().focused(), "EditStVc");
        EXPECT_EQ(store().colour("EditStn"), colours::Green);
    }
}

TEST_F(WalterCuttingSpeedTest, StopsOnABadDiameterAndSaysSoTwice)
{
    type({ { "BaseD", "-5" }, { "EditStn", "1000" }, { "EditStVc", "old" } });
    EXPECT_EQ(WalterCuttingSpeed(form()), -1);
    EXPECT_EQ(text("BaseD"), "0.00");
    EXPECT_EQ(text("EditStVc"), "old");
    const std::string message = "Ошибка задания 'диаметра инструмента' - D";
    EXPECT_EQ(events(), logEvent(message) + boxEvent(message));
    EXPECT_EQ(store().focused(), "BaseD");
}

TEST_F(WalterCuttingSpeedTest, RunsFromItsStepButton)
{
    type({ { "EditStn", "5000" } });
    EXPECT_EQ(run({ "click BitBtnSt1" }), "");
    EXPECT_EQ(text("EditStVc"), "392.699");
}

TEST_F(WalterCuttingSpeedTest, ReportsAnOverflowInsteadOfWritingInfinity)
{
    type({ { "BaseD", "1e300" }, { "EditStn", "1e300" }, { "EditStVc", "old" } });
    EXPECT_EQ(WalterCuttingSpeed(form()), -1);
    EXPECT_EQ(text("EditStVc"), "old");
    const std::string message = "Переполнение при расчете скорости резания Vc - значение вне "
                                "диапазона чисел. Проверьте исходные данные. Расчет прерван.";
    EXPECT_EQ(events(), logEvent(message) + boxEvent(message));
}

using WalterFeedPerToothTest = WalterFixture;

struct FeedCase {
    const char* Vf;
    const char* fz;
};

constexpr FeedCase kFeeds[] = {
    { "4048.90", "0.10000" },
    { "5000", "0.12349" },
    { "1000", "0.02470" },
};

TEST_F(WalterFeedPerToothTest, TurnsATypedTableFeedIntoFeedPerTooth)
{
    for (const FeedCase& c : kFeeds) {
        type({ { "EditStn", "13496.339" }, { "BaseZ", "3" }, { "EditStVf", c.Vf } });
        EXPECT_EQ(WalterFeedPerTooth(form()), 0);
        EXPECT_EQ(text("EditStfz"), c.fz) << c.Vf;
        EXPECT_EQ(store().colour("EditStVf"), colours::Green);
        EXPECT_EQ(store().focused(), "EditStfz");
        EXPECT_TRUE(store().selectedAll("EditStfz"));
    }
    EXPECT_EQ(events(), "");
}

TEST_F(WalterFeedPerToothTest, ReadsTheToothCountByItsLeadingDigits)
{
    type({ { "EditStn", "1000" }, { "BaseZ", "4.7" }, { "EditStVf", "400" } });
    EXPECT_EQ(WalterFeedPerTooth(form()), 0);
    EXPECT_EQ(text("EditStfz"), "0.10000");
}

struct FeedLimitCase {
    int machine;
    const char* Vf;
    Rgb colour;
    bool logged;
};

constexpr FeedLimitCase kFeedLimits[] = {
    { 0, "59999.99", colours::Green, false },
    { 0, "60000", colours::Red, true },
    { 1, "12000", colours::Red, true },
    { 1, "11999.99", colours::Green, false },
};

TEST_F(WalterFeedPerToothTest, CountsAFeedEqualToTheLimitAsExceeding)
{
    for (const FeedLimitCase& c : kFeedLimits) {
        run({ ("pick TabMach " + std::to_string(c.machine)).c_str() });
        type({ { "EditStn", "10000" }, { "BaseZ", "3" }, { "EditStVf", c.Vf } });
        EXPECT_EQ(WalterFeedPerTooth(form()), 0);
        EXPECT_EQ(store().colour("EditStVf"), c.colour) << c.machine << " " << c.Vf;
        EXPECT_EQ(events(), c.logged ? logEvent(kFeedLine) : "") << c.machine << " " << c.Vf;
    }
}

TEST_F(WalterFeedPerToothTest, ReplacesAMissingTableFeedByZeroWithoutALogLine)
{
    type({ { "EditStn", "1000" }, { "BaseZ", "3" }, { "EditStVf", "abc" } });
    EXPECT_EQ(WalterFeedPerTooth(form()), 0);
    EXPECT_EQ(text("EditStVf"), "0.000");
    EXPECT_EQ(text("EditStfz"), "0.00000");
    EXPECT_EQ(events(), "");
    EXPECT_EQ(store().focused(), "EditStfz");
}

TEST_F(WalterFeedPerToothTest, StopsOnNoTeethAfterTheFeedMark)
{
    for (const char* typed : { "", "0", "-2", "x" }) {
        type({ { "EditStn", "1000" }, { "BaseZ", typed }, { "EditStVf", "60000" },
            { "EditStfz", "old" } });
        EXPECT_EQ(WalterFeedPerTooth(form()), -1);
        EXPECT_EQ(text("BaseZ"), "0") << typed;
        EXPECT_EQ(text("EditStfz"), "old") << typed;
        // The feed mark came first; the tooth count is only boxed, not logged.
        EXPECT_EQ(store().colour("EditStVf"), colours::Red);
        EXPECT_EQ(events(), logEvent(kFeedLine) + boxEvent("Ошибка задания 'Числа зубьев' - z"))
            << typed;
        EXPECT_EQ(store().focused(), "BaseZ");
    }
}

TEST_F(WalterFeedPerToothTest, StopsOnNoSpindleSpeed)
{
    type({ { "EditStn", "0.0" }, { "BaseZ", "3" }, { "EditStVf", "4048.90" },
        { "EditStfz", "old" } });
    EXPECT_EQ(WalterFeedPerTooth(form()), -1);
    EXPECT_EQ(text("EditStn"), "0.000");
    EXPECT_EQ(text("EditStfz"), "old");
    EXPECT_EQ(events(), boxEvent(kFeedStopped));
    EXPECT_EQ(store().focused(), "EditStn");
}

TEST_F(WalterFeedPerToothTest, RunsFromItsStepButton)
{
    type({ { "EditStn", "2000" }, { "BaseZ", "4" }, { "EditStVf", "1600" } });
    EXPECT_EQ(run({ "click BitBtnSt4" }), "");
    EXPECT_EQ(text("EditStfz"), "0.20000");
}

using WalterTableFeedTest = WalterFixture;

TEST_F(WalterTableFeedTest, TurnsTheWantedFeedPerToothIntoTableFeedAndBack)
{
    const double n = 1060 * 1000 / (25 * 3.1415926);
    EXPECT_EQ(WalterTableFeed(form(), 0.1, 3, n), 0);
    EXPECT_EQ(text("EditStVf"), "4048.90");
    EXPECT_EQ(text("EditStfz"), "0.10000");
    EXPECT_EQ(store().colour("EditStVf"), colours::Green);
    EXPECT_EQ(events(), "");
    EXPECT_EQ(store().focused(), "BitCalcs");
}

TEST_F(WalterTableFeedTest, CountsAFeedEqualToTheLimitAsExceeding)
{
    // 0.5 · 4 · 30000 is exactly 60000, the feed limit of machine row 0.
    EXPECT_EQ(WalterTableFeed(form(), 0.5, 4, 30000), 0);
    EXPECT_EQ(text("EditStVf"), "60000.00");
    EXPECT_EQ(store().colour("EditStVf"), colours::Red);
    EXPECT_EQ(events(), logEvent(kFeedLine));
}

TEST_F(WalterTableFeedTest, StopsWhenTheSpindleSpeedUnderflowedToZero)
{
    type({ { "EditStfz", "old" } });
    EXPECT_EQ(WalterTableFeed(form(), 0.1, 3, 0), -1);
    EXPECT_EQ(text("EditStVf"), "0.00");
    EXPECT_EQ(text("EditStfz"), "old");
    EXPECT_EQ(events(), boxEvent(kFeedStopped));
}

TEST_F(WalterTableFeedTest, ReportsAnOverflowInsteadOfWritingInfinity)
{
    type({ { "EditStVf", "old" } });
    EXPECT_EQ(WalterTableFeed(form(), 1e300, 16, 1e300), -1);
    EXPECT_EQ(text("EditStVf"), "old");
    EXPECT_NE(events().find("Переполнение при расчете подачи Vf"), std::string::npos);
}

} // namespace
} // namespace millcalc
