#include "StartedWindow.h"
#include "scenario/ScenarioRunner.h"
#include "shell/FormMain.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace millcalc {
namespace {

class MessageLog : public StartedWindow {
protected:
    std::vector<std::string> lines() { return store().items("ElFlatMemoMes"); }
};

TEST_F(MessageLog, ALineBringsTheHiddenLogIntoViewWhileTheSwitchIsOn)
{
    form().LogMessage("Превышение числа оборотов");
    EXPECT_TRUE(store().visible("FormMessage"));
    form().close("FormMessage");
    form().LogMessage("second");
    EXPECT_TRUE(store().visible("FormMessage")) << "a closed log comes back with the next line";
    EXPECT_EQ(lines(), (std::vector<std::string> { "Превышение числа оборотов", "second" }));
}

TEST_F(MessageLog, WithTheSwitchOffLinesCollectWhileTheLogStaysHidden)
{
    form().click("NMesWin");
    EXPECT_FALSE(store().checked("NMesWin"));
    form().LogMessage("one");
    form().LogMessage("two");
    EXPECT_FALSE(store().visible("FormMessage"));
    form().click("N13");
    EXPECT_TRUE(store().visible("FormMessage"));
    EXPECT_EQ(lines(), (std::vector<std::string> { "one", "two" }));
    form().click("NMesWin");
    EXPECT_TRUE(store().checked("NMesWin"));
}

TEST_F(MessageLog, ClearingEmptiesTheLogAndNothingElse)
{
    form().click("ClearLog");
    EXPECT_TRUE(lines().empty());
    EXPECT_FALSE(store().visible("FormMessage"));
    form().LogMessage("line");
    form().click("ClearLog");
    EXPECT_TRUE(lines().empty());
    EXPECT_TRUE(store().visible("FormMessage"));
}

TEST_F(MessageLog, LiteratureReplacesTheLogWithItsElevenLines)
{
    form().LogMessage("old");
    form().click("N25");
    form().click("N25");
    const std::vector<std::string> expected {
        "Литература..",
        "    ",
        "1. ТР 1.4.2104-2002 ",
        "    Технологические рекомендации.",
        "    Выбор параметров концевых фрез и режимов резания высокоскоростного",
        "    фрезерования алюминиевых и титановых сплавов.",
        "2. Общий каталог - WALTER, Т1,Т2",
        "3. Справочник технолога-машиностроителя, Т1,Т2",
        "     /Под. общ. ред. Лумиковой и Ресталова - М. Машиностроение,1985 - 496с.",
        "     ",
        ".......     ",
    };
    EXPECT_EQ(lines(), expected);
}

TEST_F(MessageLog, LiteratureWithTheSwitchOffLeavesTheLogHidden)
{
    form().click("NMesWin");
    form().click("N25");
    EXPECT_FALSE(store().visible("FormMessage"));
    EXPECT_EQ(lines().size(), 11u);
}

TEST_F(MessageLog, WarningBoxUsesTheGivenCaption)
{
    out.str(std::string());
    form().WarningBox("text \n two");
    form().WarningBox("Pz", "Предупреждение..(Расчет Pz).");
    EXPECT_EQ(out.str(),
        "BOX\tПредупреждение...\ttext \\n two\n"
        "BOX\tПредупреждение..(Расчет Pz).\tPz\n");
}

TEST_F(MessageLog, ALimitReachedExactlyCountsAsExceeded)
{
    form().markAgainstLimit("EditStn", 17999.999, 18000, "over");
    EXPECT_EQ(store().colour("EditStn"), colours::Green);
    EXPECT_TRUE(lines().empty());
    form().markAgainstLimit("EditStn", 18000, 18000, "over");
    EXPECT_EQ(store().colour("EditStn"), colours::Red);
    form().markAgainstLimit("EditTiVc", 1, 2, "over", colours::Black);
    EXPECT_EQ(store().colour("EditTiVc"), colours::Black);
    EXPECT_EQ(lines(), std::vector<std::string> { "over" });
}

// A field takes the focus only when it and everything that holds it can.
TEST_F(MessageLog, CorrectFieldFocusesAVisibleFieldAndSelectsItsText)
{
    form().CorrectField("BaseD", "0.00");
    EXPECT_EQ(store().text("BaseD"), "0.00");
    EXPECT_EQ(store().focused(), "BaseD");
    EXPECT_TRUE(store().selectedAll("BaseD"));
}

TEST_F(MessageLog, CorrectFieldOnAHiddenPanelWritesButKeepsTheFocus)
{
    form().CorrectField("EditTkoef1", "0.040");
    EXPECT_EQ(store().text("EditTkoef1"), "0.040");
    EXPECT_EQ(store().focused(), "BitCalcs");
}

TEST_F(MessageLog, CorrectFieldOnAnInactivePageKeepsTheFocus)
{
    form().CorrectField("BaseAlD", "30.000");
    EXPECT_EQ(store().focused(), "BitCalcs");
    form().pick("PageControlParam", 1);
    form().CorrectField("BaseAlD", "30.000");
    EXPECT_EQ(store().focused(), "BaseAlD");
}

TEST_F(MessageLog, CorrectFieldOnAResultNeedsTheResultsWindowAndPage)
{
    form().CorrectField("EditStn", "0.000");
    EXPECT_EQ(store().focused(), "BitCalcs") << "the results window is hidden at start";
    form().ShowPanel("PanelCalc");
    form().CorrectField("EditStn", "0.000");
    EXPECT_EQ(store().focused(), "EditStn");
    form().pick("PageControlMethods", 1);
    form().CorrectField("EditStVf", "0.000");
    EXPECT_EQ(store().focused(), "EditStn") << "the Walter result page is not active";
}

TEST_F(MessageLog, CorrectFieldSkipsADisabledField)
{
    store().setEnabled("EditStk", false);
    form().CorrectField("EditStk", "90.00000");
    EXPECT_EQ(store().focused(), "BitCalcs");
    EXPECT_EQ(store().text("EditStk"), "90.00000");
}

TEST_F(MessageLog, WritingAFocusedFieldDropsItsSelection)
{
    form().CorrectField("BaseD", "0.00");
    store().setText("BaseD", "25");
    EXPECT_FALSE(store().selectedAll("BaseD"));
}

} // namespace
} // namespace millcalc
