#include "StartedWindow.h"
#include "scenario/ScenarioRunner.h"
#include "shell/FormMain.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace millcalc {
namespace {

class WindowLogic : public StartedWindow {
protected:
};

struct StartText {
    const char* field;
    const char* text;
};

// What the user sees after start: the auto-fill's inputs, not the design texts.
constexpr StartText kStartTexts[] = {
    { "BaseD", "25.0" },
    { "BaseZ", "3" },
    { "BaseB", "15.0" },
    { "BaseT", "5.0" },
    { "BaseVc", "1060.0" },
    { "Basefz", "0.1" },
    { "BaseAlD", "25.0" },
    { "BaseAlZ", "3" },
    { "BaseAlB", "15.0" },
    { "BaseAlT", "5.0" },
    { "BaseTiD", "25.0" },
    { "BaseTiZ", "3" },
    { "BaseTiB", "15.0" },
    { "BaseTiT", "5.0" },
    { "BaseTiL", "70.0" },
    { "BaseTihz", "0.3" },
    { "ComboBoxTiTime", "60" },
    { "ComboBoxTkpd", "0.70" },
    { "ComboBoxStkpd", "0.70" },
    { "EditStk", "90.0" },
    { "EditStGamma0", "2.0" },
    { "EditStKc11", "700.01" },
    { "EditStMc", "0.2501" },
    { "EditTm", "20.0" },
    { "EditSz", "0.0" },
    { "EditNp", "0.0" },
    { "EditStn", "0.0" },
    { "EditStfz", "0.0" },
    { "EditaeDc", "" },
    { "EditTin", "0.00000" },
    { "EditTiNctsmall", "0.00000" },
    { "StaticTextStMaterial", "Цветные металлы (N)" },
};

TEST_F(WindowLogic, StartsWithTheAutoFilledInputs)
{
    for (const StartText& s : kStartTexts)
        EXPECT_EQ(store().text(s.field), s.text) << s.field;
    EXPECT_EQ(store().index("ComboBoxMaterial"), 0);
    EXPECT_EQ(store().index("ComboBoxRa"), 0);
    EXPECT_EQ(store().index("BaseTihz"), 2);
}

TEST_F(WindowLogic, StartsWithPanelsHiddenAndCalculateFocused)
{
    for (const char* hidden : { "PanelCalc", "PanelFormulaAl", "PanelStMaterial", "PanelTemp",
             "FormMessage", "FormGraphic", "FormHelp" })
        EXPECT_FALSE(store().visible(hidden)) << hidden;
    EXPECT_TRUE(store().visible("FormMain"));
    EXPECT_EQ(store().focused(), "BitCalcs");
    EXPECT_TRUE(store().checked("NMesWin"));
    EXPECT_EQ(store().index("PageControlParam"), 0);
    EXPECT_EQ(store().index("PageControlMethods"), 0);
    EXPECT_EQ(store().text("PanelCalc"), "Фрезерование (Walter)");
    EXPECT_TRUE(store().items("ElFlatMemoMes").empty()) << "start-up writes no log line";
}

TEST_F(WindowLogic, InputPageChangeMovesTheResultPageAndTitle)
{
    run("pick PageControlParam 2");
    EXPECT_EQ(store().index("PageControlMethods"), 2);
    EXPECT_EQ(store().text("PanelCalc"), "ТР (Сплавы Титана)...");
    run("pick PageControlParam 1");
    EXPECT_EQ(store().text("PanelCalc"), "ТР (Сплавы Алюминия)...");
}

TEST_F(WindowLogic, TheResultPageDecidesTheDispatch)
{
    run("pick PageControlParam 1");
    // Only the result page moves back, as when the user picks it on the results window.
    store().setIndex("PageControlMethods", 0);
    run("click BitCalcs");
    EXPECT_EQ(store().index("PageControlParam"), 0);
    EXPECT_EQ(store().text("PanelCalc"), "Фрезерование (Walter)");
    EXPECT_TRUE(store().visible("PanelCalc"));
}

TEST_F(WindowLogic, BlankResultPageLeavesNoInputPageAndSaysNothing)
{
    run("pick PageControlMethods 3");
    EXPECT_EQ(store().index("PageControlParam"), -1);
    EXPECT_EQ(store().text("PanelCalc"), "");
    EXPECT_EQ(run("click BitCalcs"), "BOX\tmillcalc\tNothing\n");
    EXPECT_TRUE(store().visible("PanelCalc"));
    run("pick PageControlMethods 0");
    EXPECT_EQ(store().index("PageControlParam"), 0);
}

TEST_F(WindowLogic, ContextMenuRunsTheSameDispatch)
{
    run("pick PageControlMethods 3");
    EXPECT_EQ(run("click N14"), "BOX\tmillcalc\tNothing\n");
}

TEST_F(WindowLogic, ShowingAPanelTwiceLeavesItShownAndClosingHidesIt)
{
    for (const char* command : { "click BitBtnStMaterial", "click N19", "click N22" })
        run(command);
    EXPECT_TRUE(store().visible("PanelStMaterial"));
    run("close PanelStMaterial");
    EXPECT_FALSE(store().visible("PanelStMaterial"));
    run("click N21");
    EXPECT_TRUE(store().visible("PanelFormulaAl"));
    run("click N23");
    EXPECT_TRUE(store().visible("PanelTemp"));
}

TEST_F(WindowLogic, CopyBackPicturesCopyTheTextUnchangedAndSelectIt)
{
    store().setText("EditStVc", "12,5 abc");
    store().setText("EditStfz", "0.12349");
    run("click Image9");
    run("click Image10");
    EXPECT_EQ(store().text("BaseVc"), "12,5 abc");
    EXPECT_EQ(store().text("Basefz"), "0.12349");
    EXPECT_TRUE(store().selectedAll("BaseVc"));
    EXPECT_TRUE(store().selectedAll("Basefz"));
    EXPECT_EQ(store().focused(), "BitCalcs") << "the copy-back pictures do not move the focus";
}

TEST_F(WindowLogic, CloseBeepsThenEnds)
{
    EXPECT_EQ(run("click NClose"), "BEEP\nQUIT\n");
    EXPECT_TRUE(runner.ended());
    EXPECT_FALSE(runner.runLine("click BitCalcs"));
}

TEST_F(WindowLogic, ClosingTheMainWindowEndsWithoutBeep)
{
    EXPECT_EQ(run("close FormMain"), "QUIT\n");
}

TEST_F(WindowLogic, AutoFillPutsTypedInputsBackQuietly)
{
    run("set BaseD 11");
    run("set BaseTiL abc");
    store().setText("EditTkoef2", "2070.0"); // as after choosing another alloy
    store().setIndex("ComboBoxMaterial", 2);
    run("click N2");
    EXPECT_EQ(store().text("BaseD"), "25.0");
    EXPECT_EQ(store().text("BaseTiL"), "70.0");
    EXPECT_EQ(store().index("ComboBoxMaterial"), 0);
    EXPECT_EQ(store().text("EditTkoef2"), "1097.0") << "the panel must follow the alloy shown";
    EXPECT_EQ(store().focused(), "BitCalcs");
    EXPECT_EQ(out.str(), "");
}

TEST_F(WindowLogic, EditableListsAcceptTextsThatAreNotItems)
{
    run("set BaseD 11");
    EXPECT_EQ(store().text("BaseD"), "11");
    EXPECT_EQ(store().real("BaseD"), 11.0);
    run("set BaseD 12,5");
    EXPECT_EQ(store().real("BaseD"), 12.5);
    EXPECT_EQ(store().text("BaseD"), "12,5");
    run("set BaseZ 3.5");
    EXPECT_EQ(store().whole("BaseZ"), 3);
}

struct CommaCase {
    int page; // the input page
    const char* field; // where the comma is typed
    const char* comma; // the text typed with a decimal comma
    const char* point; // the same number typed with a point
    const char* command;
    const char* result; // a result that tells the comma's number from its whole part
    const char* shown;
};

// A decimal comma, typed on a Russian keypad, wherever a real number is read:
// inputs of each method, an editable result a step reads, a material and a
// formula coefficient.
constexpr CommaCase kCommaCases[] = {
    { 0, "BaseD", "12,5", "12.5", "click BitCalcs", "EditStn", "26992.679" },
    { 1, "BaseAlB", "12,5", "12.5", "click BitCalcs", "EditK", "0.50" },
    { 2, "BaseTiT", "2,5", "2.5", "click BitCalcs", "EditTiPx", "3352.17" },
    { 0, "EditStn", "13496,339", "13496.339", "click BitBtnSt1", "EditStVc", "1060.000" },
    { 0, "EditStKc11", "700,01", "700.01", "click BitCalcs", "EditStKc", "1221.97567" },
    { 1, "EditTX1", "0,75", "0.75", "click BitCalcs", "EditSz", "0.123" },
};

struct Played {
    std::string typed; // the typed field's text afterwards
    std::string result; // the case's result text
    std::string rest; // what the commands printed, and every other text, colour and item
};

Played playOnAFreshWindow(const CommaCase& c, const char* text)
{
    std::ostringstream out;
    ScenarioRunner runner(out);
    if (!runner.start())
        return { "start-up failed", "", "" };
    runner.runLine("pick PageControlParam " + std::to_string(c.page));
    runner.runLine(std::string("set ") + c.field + " " + text);
    runner.runLine(c.command);
    const FieldStore& store = runner.form().store();
    Played played { store.text(c.field), store.text(c.result), out.str() };
    for (const auto& [name, f] : store.fields()) {
        if (name == c.field)
            continue;
        played.rest += name + "\t" + f.text + "\t" + std::to_string(f.colour);
        for (const std::string& item : f.items)
            played.rest += "\t" + item;
        played.rest += "\n";
    }
    return played;
}

TEST(DecimalComma, ReadsAsThePointAndStaysAsTyped)
{
    for (const CommaCase& c : kCommaCases) {
        const Played comma = playOnAFreshWindow(c, c.comma);
        EXPECT_EQ(comma.result, c.shown) << c.field << " " << c.comma;
        EXPECT_EQ(comma.typed, c.comma);
        EXPECT_EQ(comma.rest, playOnAFreshWindow(c, c.point).rest) << c.field << " " << c.comma;
    }
}

TEST_F(WindowLogic, AboutIsAFreshModalWindowEachTime)
{
    EXPECT_EQ(run("click N1"), "MODAL\tFormAbout\tОб авторе ...\n");
    EXPECT_EQ(run("click N10"), "MODAL\tFormAbout\tОб авторе ...\n");
}

TEST_F(WindowLogic, DesignationsWindowShowsOnBothCommands)
{
    run("click BitBtnHelp");
    EXPECT_TRUE(store().visible("FormHelp"));
    run("close FormHelp");
    run("click N8");
    EXPECT_TRUE(store().visible("FormHelp"));
}

} // namespace
} // namespace millcalc
