#include "support/SessionChecks.h"
#include "StartedWindow.h"
#include "scenario/ScenarioRunner.h"
#include "support/KnownTexts.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace millcalc::robust {
namespace {

TEST(KnownTexts, MatchTheProgramsMessagesCharacterForCharacter)
{
    EXPECT_TRUE(isKnownLogLine("Превышение числа оборотов"));
    EXPECT_TRUE(isKnownLogLine("Превышение числа оборотов   (Расчет n)"));
    EXPECT_TRUE(isKnownLogLine("Коэф материала kc11-> (kc11<=0) - установлен kc11=700. "));
    EXPECT_TRUE(isKnownLogLine("    "));
    // A blank too many or too few is another text.
    EXPECT_FALSE(isKnownLogLine("Превышение числа оборотов "));
    EXPECT_FALSE(isKnownLogLine("Превышение числа оборотов  (Расчет n)"));
    EXPECT_FALSE(isKnownLogLine("Коэф материала kc11-> (kc11<=0) - установлен kc11=700."));
    EXPECT_FALSE(isKnownLogLine(""));
}

TEST(KnownTexts, TellLogLinesFromBoxTexts)
{
    // Logged only: the Walter spindle-speed correction.
    EXPECT_TRUE(isKnownLogLine("Ошибка задания оборотов шпинделя...<=0"));
    EXPECT_FALSE(isKnownWarning("Предупреждение...", "Ошибка задания оборотов шпинделя...<=0"));
    // Shown only: the tooth count of the Walter and titanium methods.
    EXPECT_TRUE(isKnownWarning("Предупреждение...", "Ошибка задания 'Числа зубьев' - z"));
    EXPECT_FALSE(isKnownLogLine("Ошибка задания 'Числа зубьев' - z"));
    // The two texts of the stopped power step differ.
    EXPECT_TRUE(isKnownLogLine(
        "Расчет мощности резания->Средняя толщина стружки\n hm<=0. \n Расчет прерван."));
    EXPECT_TRUE(isKnownWarning("Предупреждение...",
        "Расчет мощности резания->Средняя толщина стружки \n hm=0. \n Расчет прерван."));
    EXPECT_GT(knownLogLineCount(), 60);
    EXPECT_GT(knownBoxTextCount(), 20);
}

TEST(KnownTexts, AcceptEachBoxOnlyWithItsCaption)
{
    EXPECT_TRUE(isKnownWarning("Предупреждение..(Расчет Pz).", "Ошибка вычисления-> Sz=fz=0."));
    EXPECT_FALSE(
        isKnownWarning("Предупреждение..(Расчет Pz).", "Ошибка задания 'Числа зубьев' - z"));
    EXPECT_TRUE(isKnownWarning("millcalc", "Nothing"));
    EXPECT_FALSE(isKnownWarning("millcalc", "Ошибка задания 'Числа зубьев' - z"));
    // The error box of an escaped error is never a known text.
    EXPECT_FALSE(isKnownWarning("Ошибка", "unknown control EditX"));
}

TEST(KnownTexts, MatchAWildcardOnlyAroundSomething)
{
    EXPECT_TRUE(
        matchesPattern("Ошибка расчета - * не вычисляется", "Ошибка расчета - V не вычисляется"));
    EXPECT_FALSE(
        matchesPattern("Ошибка расчета - * не вычисляется", "Ошибка расчета -  не вычисляется"));
    EXPECT_FALSE(matchesPattern("Ошибка расчета - * не вычисляется", "Ошибка расчета - V"));
    EXPECT_TRUE(matchesPattern("abc", "abc"));
    EXPECT_FALSE(matchesPattern("abc", "abcd"));
}

TEST(SessionChecks, SeeNanAndInfInAnyCase)
{
    EXPECT_TRUE(showsNotFinite("nan"));
    EXPECT_TRUE(showsNotFinite("-INF"));
    EXPECT_TRUE(showsNotFinite("12.5 Inf"));
    EXPECT_TRUE(showsNotFinite("NaN"));
    EXPECT_FALSE(showsNotFinite("13496.339"));
    EXPECT_FALSE(showsNotFinite("В95пчТ2"));
    EXPECT_FALSE(showsNotFinite("n=18000 (об/мин)[n(крит)=6700(об/мин)]"));
}

class SessionChecksOnWindow : public StartedWindow {
protected:
};

TEST_F(SessionChecksOnWindow, FindNothingWrongWithTheStartedWindow)
{
    const SessionChecks checks(store());
    EXPECT_EQ(checks.checkFields(store()), "");
    EXPECT_EQ(checks.checkOutput(out.str()), "");
}

TEST_F(SessionChecksOnWindow, FindANotFiniteNumberInAResultField)
{
    const SessionChecks checks(store());
    store().setText("EditStn", "-nan");
    EXPECT_EQ(checks.checkFields(store()), "EditStn shows a number that is not finite: -nan");
}

TEST_F(SessionChecksOnWindow, FindANotFiniteNumberInAListItemAndAGridCell)
{
    const SessionChecks checks(store());
    store().appendItem("EditV", "inf");
    EXPECT_NE(checks.checkFields(store()), "");
    store().setItems("EditV", {});
    store().setCell("StringGridP", 1, 3, "P=inf");
    EXPECT_NE(checks.checkFields(store()), "");
}

TEST_F(SessionChecksOnWindow, LetTheProgramShowBackWhatTheUserTyped)
{
    SessionChecks checks(store());
    runner.runLine("set EditStVc inf");
    checks.userTyped("inf");
    runner.runLine("click Image9");
    EXPECT_EQ(store().text("BaseVc"), "inf");
    EXPECT_EQ(checks.checkFields(store()), "");
}

TEST_F(SessionChecksOnWindow, FindAColourTheProgramNeverUses)
{
    const SessionChecks checks(store());
    store().setColour("EditStn", colours::Yellow);
    EXPECT_EQ(checks.checkFields(store()),
        "EditStn has a colour the program never uses: " + std::to_string(colours::Yellow));
}

TEST_F(SessionChecksOnWindow, FindInputAndResultPagesThatDisagree)
{
    const SessionChecks checks(store());
    store().setIndex("PageControlParam", 2);
    EXPECT_EQ(checks.checkFields(store()), "input page 2 beside result page 0");
}

TEST(SessionChecks, FindUnknownLogLinesBoxesAndTheEndOfTheProgram)
{
    const SessionChecks checks { FieldStore() };
    EXPECT_EQ(checks.checkOutput("LOG\tПревышение числа оборотов\n"), "");
    EXPECT_EQ(checks.checkOutput("LOG\tПревышение числа оборотов!\n"),
        "unknown log line: Превышение числа оборотов!");
    EXPECT_EQ(checks.checkOutput(
                  "BOX\tПредупреждение...\tРасчет подачи на зуб \\n n=0. \\n Расчет прерван.\n"),
        "");
    EXPECT_EQ(checks.checkOutput("BOX\tОшибка\tunknown control X\n"),
        "unknown box: Ошибка / unknown control X");
    EXPECT_EQ(checks.checkOutput("MODAL\tFormAbout\tОб авторе ...\n"), "");
    EXPECT_EQ(checks.checkOutput("MODAL\tFormMachines\tСтанки\n"), "");
    EXPECT_EQ(checks.checkOutput("MODAL\tFormMachines\tОб авторе ...\n"),
        "unknown modal window: MODAL\tFormMachines\tОб авторе ...");
    EXPECT_EQ(checks.checkOutput("BEEP\nQUIT\n"), "unexpected output: BEEP");
    EXPECT_EQ(checks.checkOutput("ERROR\t1\tunknown command x\n"),
        "unexpected output: ERROR\t1\tunknown command x");
}

} // namespace
} // namespace millcalc::robust
