#include "AluminiumWindow.h"

#include "aluminium/AlSpindleAndFeed.h"
#include "app/NumberText.h"

#include <string>

namespace millcalc::altest {
namespace {

const std::string kFeedZero = "Ошибка вычисления-> Sz=fz=0.";

TEST_F(AluminiumWindow, SpindleSpeedOfTheWorkedExample)
{
    offerSpeeds({ "751.968" });
    EXPECT_EQ(run({ "click BitBtnAln1" }), "");
    EXPECT_EQ(text("Editn"), "9574.354");
    EXPECT_EQ(store().colour("Editn"), kGreen);
}

TEST_F(AluminiumWindow, SpindleSpeedOverTheMachineIsRedAndLoggedWithThreeBlanks)
{
    offerSpeeds({ "1000" });
    const std::string printed = run({ "pick TabMach 3", "click BitBtnAln1" });
    EXPECT_EQ(printed, logEvent("Превышение числа оборотов   (Расчет n)"));
    EXPECT_EQ(text("Editn"), "12732.396");
    EXPECT_EQ(store().colour("Editn"), kRed);
}

TEST_F(AluminiumWindow, SpindleSpeedUsesPiAs3Point1415926)
{
    offerSpeeds({ "3141.5926" });
    type({ { "BaseAlD", "100" } });
    run({ "click BitBtnAln1" });
    EXPECT_EQ(text("Editn"), "10000.000");
}

TEST_F(AluminiumWindow, NoSpeedGivesZeroSpindleSpeedAndZeroFeed)
{
    offerSpeeds({ "0.000" });
    type({ { "EditSz", "0.123" } });
    EXPECT_EQ(CalcAlSpindleSpeed(form()), 0);
    EXPECT_EQ(CalcAlTableFeed(form()), 0);
    EXPECT_EQ(events(),
        logEvent("Ошибка задания скорости реза (м/мин) V=0   .... (Расчет n)")
            + logEvent("Ошибка задания n<=0 (Расчет F)...."));
    EXPECT_EQ(text("Editn"), "0.000");
    EXPECT_EQ(text("EditF"), "0.000");
}

TEST_F(AluminiumWindow, TableFeedOfTheWorkedExample)
{
    type({ { "EditSz", "0.123" }, { "Editn", "9574.354" } });
    EXPECT_EQ(CalcAlTableFeed(form()), 0);
    EXPECT_EQ(events(), "");
    EXPECT_EQ(text("EditF"), "3532.937");
    EXPECT_EQ(store().colour("EditF"), kGreen);
    EXPECT_EQ(store().colour("Editn"), kGreen);
}

TEST_F(AluminiumWindow, TableFeedAtTheMachinesMaximumIsRedWithTwoBlanks)
{
    // Machine row 3 allows 10000 mm/min: 2 * 1000 * 5 reaches it exactly.
    type({ { "EditSz", "2" }, { "Editn", "1000" }, { "BaseAlZ", "5" } });
    const std::string printed = run({ "pick TabMach 3", "click BitBtnAlF1" });
    EXPECT_EQ(
        printed.substr(0, logEvent("Превышение максимальной подачи резания  (Расчет F)").size()),
        logEvent("Превышение максимальной подачи резания  (Расчет F)"));
    EXPECT_EQ(text("EditF"), "10000.000");
    EXPECT_EQ(store().colour("EditF"), kRed);
}

TEST_F(AluminiumWindow, SpindleSpeedAtTheMachinesMaximumIsRedInTheFeedStep)
{
    type({ { "EditSz", "0.123" }, { "Editn", "18000" } });
    EXPECT_EQ(run({ "click BitBtnAlF1" }), logEvent("Превышение числа оборотов  (Расчет F)"));
    EXPECT_EQ(store().colour("Editn"), kRed);
    EXPECT_EQ(text("EditF"), "6642.000");
}

TEST_F(AluminiumWindow, MissingTeethBecomeFourWithALineAndABox)
{
    const std::string message = "Ошибка задания 'Числа зубьев' - z -> исправлено....";
    type({ { "EditSz", "0.123" }, { "Editn", "9574.354" }, { "BaseAlZ", "0" } });
    EXPECT_EQ(CalcAlTableFeed(form()), 0);
    EXPECT_EQ(events(), logEvent(message) + boxEvent(message));
    EXPECT_EQ(text("BaseAlZ"), "4");
    EXPECT_EQ(text("EditF"), formatFixed(0.123 * 9574.354 * 4, 3));
}

TEST_F(AluminiumWindow, TeethTypedWithAFractionAreReadWhole)
{
    type({ { "EditSz", "0.123" }, { "Editn", "9574.354" }, { "BaseAlZ", "3.9" } });
    CalcAlTableFeed(form());
    EXPECT_EQ(text("EditF"), "3532.937");
    EXPECT_EQ(text("BaseAlZ"), "3.9");
}

TEST_F(AluminiumWindow, TinyFeedPerToothIsReportedButTheFeedIsStillWritten)
{
    type({ { "EditSz", "0.0001" }, { "Editn", "9574.354" } });
    EXPECT_EQ(CalcAlTableFeed(form()), 0);
    EXPECT_EQ(events(), logEvent(kFeedZero) + boxEvent(kFeedZero));
    EXPECT_EQ(text("EditF"), formatFixed(0.0001 * 9574.354 * 3, 3));
}

TEST_F(AluminiumWindow, MissingFeedPerToothIsCorrectedToZeroInTheFeedStep)
{
    type({ { "EditSz", "x" }, { "Editn", "9574.354" } });
    CalcAlTableFeed(form());
    EXPECT_EQ(events(),
        logEvent("Ошибка задания Sz<=0 (Расчет F)....") + logEvent(kFeedZero)
            + boxEvent(kFeedZero));
    EXPECT_EQ(text("EditSz"), "0.000");
    EXPECT_EQ(text("EditF"), "0.000");
}

TEST_F(AluminiumWindow, FeedButtonAlsoLooksUpTheTemperature)
{
    offerSpeeds({ "751.968" });
    type({ { "EditSz", "0.123" }, { "Editn", "9574.354" } });
    run({ "click BitBtnAlF1" });
    EXPECT_EQ(text("EditTm"), "108");
    EXPECT_EQ(store().colour("EditTm"), colours::Blue);
}

} // namespace
} // namespace millcalc::altest
