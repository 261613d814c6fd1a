#include "scenario/ScenarioRunner.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace millcalc {
namespace {

std::string runScenario(const std::string& text, int* status = nullptr)
{
    std::ostringstream out;
    ScenarioRunner runner(out);
    EXPECT_TRUE(runner.start());
    std::istringstream in(text);
    const int result = runner.run(in);
    if (status != nullptr)
        *status = result;
    return out.str();
}

struct ErrorCase {
    const char* line;
    const char* reason;
};

// Every line here is in error; the runner says so and goes on.
constexpr ErrorCase kErrorCases[] = {
    { "frobnicate BaseD", "unknown command frobnicate" },
    { "get NoSuchControl", "unknown control NoSuchControl" },
    { "set ComboBoxMaterial x",
        "set needs a text field, an editable list or a static text: ComboBoxMaterial" },
    { "pick ComboBoxMaterial 3", "index out of range: 3" },
    { "pick ComboBoxMaterial -1", "index out of range: -1" },
    { "pick TabMach x", "index out of range: x" },
    { "check BaseD 1", "check needs a check box or radio button: BaseD" },
    { "check CheckBoxhm2 2", "check takes 0 or 1" },
    { "click BaseD", "click needs a button, picture or menu item: BaseD" },
    { "select-cell StringGridTab 4 0", "cell out of range" },
    { "get BitCalcs", "get needs a control that shows a text: BitCalcs" },
    { "window BaseD", "window needs a window or panel: BaseD" },
    { "series Series5", "unknown series Series5" },
    { "get", "missing control name" },
};

TEST(ScenarioRunner, ReportsEachFaultyLineAndEndsWithStatusOne)
{
    for (const ErrorCase& c : kErrorCases) {
        int status = 0;
        const std::string out = runScenario(std::string("# comment\n\n") + c.line + "\n", &status);
        EXPECT_EQ(out, std::string("ERROR\t3\t") + c.reason + "\n") << c.line;
        EXPECT_EQ(status, 1) << c.line;
    }
}

TEST(ScenarioRunner, GoesOnAfterAnError)
{
    int status = 0;
    const std::string out = runScenario("get Nope\nget BaseD\n", &status);
    EXPECT_EQ(out, "ERROR\t1\tunknown control Nope\nFIELD\tBaseD\t25.0\t#000000\t1\n");
    EXPECT_EQ(status, 1);
}

TEST(ScenarioRunner, SetTakesTheRestOfTheLineBlanksIncluded)
{
    EXPECT_EQ(runScenario("set BaseD  12 5 \nget BaseD\nset BaseD \nget BaseD\n"),
        "FIELD\tBaseD\t 12 5 \t#000000\t1\nFIELD\tBaseD\t\t#000000\t1\n");
}

struct EscapeCase {
    std::string text;
    const char* escaped;
};

// Whatever bytes a user typed, the output stays valid UTF-8 with no raw
// control character.
const EscapeCase kEscapeCases[] = {
    { "a\\b\tc\nd\re", "a\\\\b\\tc\\nd\\re" },
    { std::string("a\0b", 3), "a\\x00b" },
    { "\x1b[31m\x7f\x1f", "\\x1b[31m\\x7f\\x1f" },
    // Well-formed UTF-8 of one to four bytes, a C1 control (U+0085) included.
    { "Д \xe2\x82\xac \xf0\x9f\x94\xa7 \xc2\x85", "Д \xe2\x82\xac \xf0\x9f\x94\xa7 \xc2\x85" },
    { "\xff\xfe\x80", "\\xff\\xfe\\x80" },
    // Overlong forms of "/", a surrogate, beyond U+10FFFF, cut-off sequences.
    { "\xc0\xaf \xe0\x80\xaf", "\\xc0\\xaf \\xe0\\x80\\xaf" },
    { "\xed\xa0\x80", "\\xed\\xa0\\x80" },
    { "\xf4\x90\x80\x80", "\\xf4\\x90\\x80\\x80" },
    { "\xe2\x82z\xd0", "\\xe2\\x82z\\xd0" },
};

TEST(ScenarioRunner, EscapesControlCharactersAndBytesThatAreNotUtf8)
{
    for (const EscapeCase& c : kEscapeCases)
        EXPECT_EQ(escapeText(c.text), c.escaped) << c.escaped;
    EXPECT_EQ(runScenario("get StaticText1\n"),
        "FIELD\tStaticText1\tЗависимость температуры поверхности детали\\r\\n(в градусах "
        "Цельсия) от скорости резания и подачи.\t#000000\t1\n");
}

TEST(ScenarioRunner, EndsLinesAtLineFeedCarriageReturnOrBoth)
{
    int status = 0;
    // Lines 1 to 5; the fourth, between the lone carriage return and the
    // carriage return and line feed, is empty.
    EXPECT_EQ(runScenario("get BaseD\rget Nope\r\nget Nope\r\r\nget Nope", &status),
        "FIELD\tBaseD\t25.0\t#000000\t1\nERROR\t2\tunknown control Nope\n"
        "ERROR\t3\tunknown control Nope\nERROR\t5\tunknown control Nope\n");
    EXPECT_EQ(status, 1);
    EXPECT_EQ(runScenario("set BaseD 1\r\rget BaseD\r"), "FIELD\tBaseD\t1\t#000000\t1\n");
}

TEST(ScenarioRunner, StopsAtAFailedWrite)
{
    std::ostringstream out;
    ScenarioRunner runner(out);
    ASSERT_TRUE(runner.start());
    out.setstate(std::ios::badbit);
    std::istringstream in("get BaseD\nget BaseD\n");
    EXPECT_EQ(runner.run(in), ScenarioRunner::kCannotReadOrWrite);
    EXPECT_EQ(runner.lineNumber(), 0);
}

TEST(ScenarioRunner, AnswersItemsWindowsAndPageControls)
{
    EXPECT_EQ(runScenario("items PageControlMethods\nwindow FormGraphic\nchecked NMesWin\n"),
        "ITEMS\tPageControlMethods\t0\tФрезерование (Walter)\tТР (Сплавы Алюминия)...\t"
        "ТР (Сплавы Титана)...\t\n"
        "WINDOW\tFormGraphic\t0\tНомограмма \n"
        "CHECKED\tNMesWin\t1\n");
}

TEST(ScenarioRunner, StopsReadingAfterTheProgramEnds)
{
    int status = 1;
    EXPECT_EQ(runScenario("click N4\nget BaseD\n", &status), "BEEP\nQUIT\n");
    EXPECT_EQ(status, 0);
}

TEST(ScenarioRunner, ShowsTheNomogramOfTheSelectedMachine)
{
    const std::string out = runScenario("pick TabMach 1\nclick BitBtnGraphic\nseries Series3\n"
                                        "window FormGraphic\nclick ToolButton2\nseries Series4\n");
    EXPECT_EQ(out, "SERIES\tSeries3\t0,0\nWINDOW\tFormGraphic\t1\tНомограмма \nSERIES\tSeries4\n");
}

} // namespace
} // namespace millcalc
