#include "AluminiumWindow.h"

#include "aluminium/AlStepSupport.h"

#include <string>

namespace millcalc::altest {
namespace {

const std::string kD = "Ошибка задания 'диаметра инструмента' - D -> исправлено....";
const std::string kB = "Ошибка задания 'Ширины реза' - B -> исправлено....";
const std::string kT = "Ошибка задания 'Глубина реза' - t -> исправлено....";
const std::string kDBelowB = "Диаметр фрезы меньше чем ширина фрезерования 'D<B' !";

TEST_F(AluminiumWindow, UntouchedGeometryIsCorrectedWithThreeLinesAndThreeBoxes)
{
    type({ { "BaseAlD", "0.0" }, { "BaseAlB", "0.000000" }, { "BaseAlT", "0.000000" } });
    const std::string printed = run({ "click BitBtn1fz" });
    EXPECT_EQ(printed,
        logEvent(kD) + boxEvent(kD) + logEvent(kB) + boxEvent(kB) + logEvent(kT) + boxEvent(kT));
    EXPECT_EQ(text("BaseAlD"), "30.000");
    EXPECT_EQ(text("BaseAlB"), "15.000");
    EXPECT_EQ(text("BaseAlT"), "7.500");
    EXPECT_EQ(text("EditK"), "0.50");
    EXPECT_EQ(text("EdittD"), "0.25");
}

TEST_F(AluminiumWindow, LastCorrectedFieldHasTheFocusWithItsTextSelected)
{
    type({ { "BaseAlB", "" }, { "BaseAlT", "abc" } });
    run({ "click BitBtn1fz" });
    EXPECT_EQ(store().focused(), "BaseAlT");
    EXPECT_TRUE(store().selectedAll("BaseAlT"));
}

struct BoxCase {
    const char* button;
    bool boxOnWidthAndDepth;
};

// Which steps show a box for the width and depth corrections.
constexpr BoxCase kBoxCases[] = {
    { "BitBtn1fz", true },
    { "BitBtn2V1", true },
    { "BitBtn3V2", true },
    { "BitBtn4P", true },
    { "BitBtnAlPz1", true },
    { "BitBtnAln1", false },
    { "BitBtnAlMz1", false },
};

TEST_F(AluminiumWindow, WidthAndDepthCorrectionsShowABoxOnlyWhereTheStepAsks)
{
    for (const BoxCase& c : kBoxCases) {
        type({ { "BaseAlD", "0" }, { "BaseAlB", "-2" }, { "BaseAlT", "" }, { "EditSz", "0.123" },
            { "Editn", "9574.354" } });
        const std::string printed = run({ (std::string("click ") + c.button).c_str() });
        const auto box = [&](const std::string& line) {
            return c.boxOnWidthAndDepth ? boxEvent(line) : std::string();
        };
        const std::string expected
            = logEvent(kD) + boxEvent(kD) + logEvent(kB) + box(kB) + logEvent(kT) + box(kT);
        EXPECT_EQ(printed.substr(0, expected.size()), expected) << c.button;
        EXPECT_EQ(text("BaseAlD"), "30.000") << c.button;
        EXPECT_EQ(text("BaseAlB"), "15.000") << c.button;
        EXPECT_EQ(text("BaseAlT"), "7.500") << c.button;
    }
}

TEST_F(AluminiumWindow, NegativeWidthIsCorrectedToHalfTheDiameter)
{
    type({ { "BaseAlD", "20" }, { "BaseAlB", "-3" } });
    run({ "click BitBtn1fz" });
    EXPECT_EQ(text("BaseAlB"), "10.000");
    EXPECT_EQ(countLog(kB), 1);
}

TEST_F(AluminiumWindow, WidthAboveDiameterIsOnlyReported)
{
    type({ { "BaseAlD", "10" }, { "BaseAlB", "12" } });
    const std::string printed = run({ "click BitBtn1fz" });
    EXPECT_EQ(printed, logEvent(kDBelowB));
    EXPECT_EQ(text("BaseAlB"), "12");
    EXPECT_EQ(text("EditK"), "1.20");
}

TEST_F(AluminiumWindow, WidthEqualToDiameterIsNotReported)
{
    type({ { "BaseAlD", "15" }, { "BaseAlB", "15" } });
    EXPECT_EQ(run({ "click BitBtn1fz" }), "");
    EXPECT_EQ(text("EditK"), "1.00");
}

TEST_F(AluminiumWindow, RatioBeyondTheRangeOfNumbersStopsTheStepUnwritten)
{
    const std::string ratioBefore = text("EditK");
    type({ { "BaseAlD", "1e-300" }, { "BaseAlB", "1e10" } });
    const std::string printed = run({ "click BitBtn1fz" });
    const std::string message = notFiniteMessage("K=B/D");
    EXPECT_EQ(printed, logEvent(kDBelowB) + logEvent(message) + boxEvent(message));
    EXPECT_EQ(text("EditK"), ratioBefore);
    EXPECT_EQ(text("EditSz"), "0.0");
}

} // namespace
} // namespace millcalc::altest
