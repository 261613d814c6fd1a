#include "AluminiumWindow.h"

#include "aluminium/AlFeedAndSpeeds.h"
#include "app/NumberText.h"

#include <cmath>
#include <string>
#include <vector>

namespace millcalc::altest {
namespace {

const std::string kFeedZero = "Ошибка вычисления-> Sz=fz=0.";
const std::string kSzV1 = "Ошибка задания Sz<=0 (Расчет V1)....";

using Items = std::vector<std::string>;

TEST_F(AluminiumWindow, FeedPerToothOfTheWorkedExample)
{
    EXPECT_EQ(run({ "click BitBtn1fz" }), "");
    EXPECT_EQ(text("EditSz"), "0.123");
    EXPECT_EQ(text("EditK"), "0.60");
    EXPECT_EQ(text("EdittD"), "0.20");
}

TEST_F(AluminiumWindow, EmptyRoughnessFactorBecomesOne)
{
    type({ { "EditTKs", "" } });
    const std::string printed = run({ "click BitBtn1fz" });
    EXPECT_EQ(
        printed, logEvent("Ошибка задания Ks<=0 (дополнительного коэффициента)-> исправлено...."));
    EXPECT_EQ(text("EditTKs"), "1.000");
    EXPECT_EQ(text("EditSz"),
        formatFixed(0.04 * std::pow(25.0, 0.75) / (std::pow(5.0, 0.1) * std::pow(15.0, 0.22)), 3));
}

TEST_F(AluminiumWindow, TinyFeedCoefficientGivesTheFeedErrorAndKeepsTheOldFeed)
{
    type({ { "EditSz", "0.5" }, { "EditTkoef1", "0.000001" } });
    EXPECT_EQ(run({ "click BitBtn1fz" }), logEvent(kFeedZero) + boxEvent(kFeedZero));
    EXPECT_EQ(text("EditSz"), "0.5");
    EXPECT_EQ(text("EditTkoef1"), "0.000001");
}

TEST_F(AluminiumWindow, FeedPerToothOfExactly00001IsAnError)
{
    // With D, B and t of 1 and Ks 1 every power is 1 and Sz equals k1.
    type({ { "BaseAlD", "1" }, { "BaseAlB", "1" }, { "BaseAlT", "1" }, { "EditTKs", "1" },
        { "EditTkoef1", "0.0001" } });
    EXPECT_EQ(CalcAlFeedPerTooth(form()), -1);
    EXPECT_EQ(events(), logEvent(kFeedZero) + boxEvent(kFeedZero));
    EXPECT_EQ(text("EditSz"), "0.0");

    type({ { "EditTkoef1", "0.00011" } });
    EXPECT_EQ(CalcAlFeedPerTooth(form()), 0);
    EXPECT_EQ(events(), "");
    EXPECT_EQ(text("EditSz"), "0.000");
}

struct CoefficientCase {
    const char* button;
    const char* field;
    const char* written;
    const char* message;
};

// Each coefficient emptied: the В95пчТ2 value written back, one log line, no box.
constexpr CoefficientCase kCoefficientCases[] = {
    { "BitBtn1fz", "EditTkoef1", "0.040",
        "Ошибка задания k1<=0 (Расчет подачи на зуб)-> исправлено...." },
    { "BitBtn1fz", "EditTX1", "0.750",
        "Ошибка задания x1<=0 (Расчет подачи на зуб)-> исправлено...." },
    { "BitBtn1fz", "EditTY1", "0.100",
        "Ошибка задания y1<=0 (Расчет подачи на зуб)-> исправлено...." },
    { "BitBtn1fz", "EditTZ1", "0.220",
        "Ошибка задания z1<=0 (Расчет подачи на зуб)-> исправлено...." },
    { "BitBtn2V1", "EditTkoef2", "1097.00", "Ошибка задания k2<=0 (Расчет V1)-> исправлено...." },
    { "BitBtn2V1", "EditTX2", "0.860", "Ошибка задания x2<=0 (Расчет V1)-> исправлено...." },
    { "BitBtn2V1", "EditTY2", "0.810", "Ошибка задания y2<=0 (Расчет V1)-> исправлено...." },
    { "BitBtn2V1", "EditTZ2", "0.470", "Ошибка задания z2<=0 (Расчет V1)-> исправлено...." },
    { "BitBtn3V2", "EditTkoef3", "49.00", "Ошибка задания k3<=0 (Расчет V2)-> исправлено...." },
    { "BitBtn3V2", "EditTX3", "0.684", "Ошибка задания x3<=0 (Расчет V2)-> исправлено...." },
    { "BitBtn3V2", "EditTY3", "0.548", "Ошибка задания y3<=0 (Расчет V2)-> исправлено...." },
    { "BitBtn3V2", "EditTZ3", "0.286", "Ошибка задания z3<=0 (Расчет V2)-> исправлено...." },
    { "BitBtn3V2", "EditTsm1", "1.134", "Ошибка задания m1<=0 (Расчет V2)-> исправлено...." },
    { "BitBtn4P", "EditTkoef4", "246.00", "Ошибка задания k4<=0 (Расчет P)-> исправлено...." },
    { "BitBtn4P", "EditTX4", "0.684", "Ошибка задания x4<=0 (Расчет P)-> исправлено...." },
    { "BitBtn4P", "EditTY4", "0.546", "Ошибка задания y4<=0 (Расчет P)-> исправлено...." },
    { "BitBtn4P", "EditTZ4", "0.168", "Ошибка задания z4<=0 (Расчет P)-> исправлено...." },
    { "BitBtn4P", "EditTsm2", "0.118", "Ошибка задания m2<=0 (Расчет P)-> исправлено...." },
};

TEST_F(AluminiumWindow, CoefficientNotAboveZeroIsReplacedWithOneLogLine)
{
    for (const CoefficientCase& c : kCoefficientCases) {
        form().pick("ComboBoxMaterial", 0);
        type({ { "EditSz", "0.123" }, { "Editn", "9574.354" }, { c.field, "-1" } });
        const std::string printed = run({ (std::string("click ") + c.button).c_str() });
        EXPECT_EQ(printed, logEvent(c.message)) << c.field;
        EXPECT_EQ(text(c.field), c.written) << c.field;
    }
}

TEST_F(AluminiumWindow, CorrectedCoefficientIsUsedAtOnce)
{
    type({ { "EditSz", "0.123" }, { "EditTkoef2", "abc" } });
    run({ "click BitBtn2V1" });
    EXPECT_EQ(text("EditV1"), "2296.103");
}

TEST_F(AluminiumWindow, SpeedByHeatingOfTheWorkedExample)
{
    type({ { "EditSz", "0.123" } });
    EXPECT_EQ(run({ "click BitBtn2V1" }), "");
    EXPECT_EQ(text("EditV1"), "2296.103");
    EXPECT_EQ(store().items("EditV"), Items { "2296.103" });
}

TEST_F(AluminiumWindow, SpeedByHeatingWithoutFeedPerToothFails)
{
    type({ { "EditSz", "0" }, { "EditV1", "1.000" } });
    EXPECT_EQ(CalcAlSpeedByTemperature(form()), -1);
    EXPECT_EQ(events(), logEvent(kSzV1) + logEvent(kFeedZero) + boxEvent(kFeedZero));
    EXPECT_EQ(text("EditSz"), "0.000");
    EXPECT_EQ(text("EditV1"), "1.000");
    EXPECT_TRUE(store().items("EditV").empty());
}

TEST_F(AluminiumWindow, SpeedByPowerOfTheWorkedExample)
{
    type({ { "EditSz", "0.123" } });
    EXPECT_EQ(run({ "click BitBtn3V2" }), "");
    EXPECT_EQ(text("EditV2"), "751.968");
    EXPECT_EQ(store().items("EditV"), Items { "751.968" });
}

TEST_F(AluminiumWindow, SpeedByPowerFollowsTheMachineAndTheEfficiency)
{
    type({ { "EditSz", "0.123" } });
    run({ "pick TabMach 2", "pick ComboBoxTkpd 6", "click BitBtn3V2" });
    const double q = 25 * 0.99 * 0.6 * 49
        / (std::pow(5.0, 0.684) * std::pow(0.123, 0.548) * std::pow(25.0, 0.286));
    EXPECT_EQ(text("EditV2"), formatFixed(std::pow(q, 1.134), 3));
    EXPECT_NE(text("EditV2"), "751.968");
}

TEST_F(AluminiumWindow, SpeedByPowerWithoutFeedPerToothLogsTheV1Line)
{
    type({ { "EditSz", "" } });
    EXPECT_EQ(CalcAlSpeedByPower(form()), -1);
    EXPECT_EQ(events(), logEvent(kSzV1) + logEvent(kFeedZero) + boxEvent(kFeedZero));
    EXPECT_EQ(text("EditV2"), "0.0");
}

TEST_F(AluminiumWindow, AcceptedSpeedIsTheLeastCandidateInsertedAtTheHead)
{
    store().setItems("EditV", { "2296.103", "751.968" });
    EXPECT_EQ(CalcAlAcceptedSpeed(form()), 0);
    EXPECT_EQ(store().items("EditV"), (Items { "751.968", "2296.103", "751.968" }));
    EXPECT_EQ(store().index("EditV"), 0);
    EXPECT_EQ(text("EditV"), "751.968");
    EXPECT_EQ(events(), "");
}

TEST_F(AluminiumWindow, AcceptedSpeedOfZeroIsReportedForEachZeroCandidate)
{
    store().setItems("EditV", { "2296.103", "0.000" });
    CalcAlAcceptedSpeed(form());
    EXPECT_EQ(events(), logEvent("Ошибка преобразования V<=0 (Расчет V)...."));
    EXPECT_EQ(text("EditV"), "0.000");
}

TEST_F(AluminiumWindow, SpeedButtonsAppendWithoutRecomputingTheAcceptedSpeed)
{
    run({ "click BitCalcs", "click BitBtn3V2", "click BitBtn3V2" });
    EXPECT_EQ(
        store().items("EditV"), (Items { "751.968", "2296.103", "751.968", "751.968", "751.968" }));
    EXPECT_EQ(store().index("EditV"), 0);
    run({ "click BitBtn2V1" });
    EXPECT_EQ(store().items("EditV").back(), "2296.103");
    EXPECT_EQ(store().items("EditV").size(), 6u);
}

} // namespace
} // namespace millcalc::altest
