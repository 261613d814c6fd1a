#include "shell/input/InputLine.h"

#include "StartedWindow.h"

#include "shell/file/CalculationFile.h"
#include "shell/table/Methods.h"

#include <sstream>
#include <string>
#include <vector>

namespace millcalc {
namespace {

using Command = InputLine::Command;

class InputLineTest : public StartedWindow { };

struct ReadCase {
    const char* line;
    InputFault fault;
    Command command;
    const char* field;
    const char* text; // the text, the id, or what a faulty line gives as its value
    int value;
};

// Every control of the window may be named.
const ReadCase kReadCases[] = {
    // The text is the rest of the line: blanks kept, a comma kept, empty allowed.
    { "set BaseD  12,5 ", InputFault::None, Command::Set, "BaseD", " 12,5 ", 0 },
    { "set BaseD ", InputFault::None, Command::Set, "BaseD", "", 0 },
    { "set BaseD", InputFault::None, Command::Set, "BaseD", "", 0 },
    { "set EditV 300", InputFault::WrongKind, Command::Set, "EditV", "300", 0 },
    { "set StaticTextStMaterial Сталь (P)", InputFault::None, Command::Set, "StaticTextStMaterial",
        "Сталь (P)", 0 },
    { "set", InputFault::NoName, Command::Set, "", "", 0 },
    { "set  BaseD 1", InputFault::UnknownField, Command::Set, "", "BaseD 1", 0 },
    { "set BaseQ 5", InputFault::UnknownField, Command::Set, "BaseQ", "5", 0 },
    { "set ComboBoxMaterial x", InputFault::WrongKind, Command::Set, "ComboBoxMaterial", "x", 0 },
    { "set BitCalcs x", InputFault::WrongKind, Command::Set, "BitCalcs", "x", 0 },
    // An item: the last one of the list is in, one past it is out.
    { "pick ComboBoxMaterial 2", InputFault::None, Command::Pick, "ComboBoxMaterial", "2", 2 },
    { "pick ComboBoxMaterial 3", InputFault::BadValue, Command::Pick, "ComboBoxMaterial", "3", 0 },
    { "pick TabMach 04", InputFault::None, Command::Pick, "TabMach", "04", 4 },
    { "pick PageControlParam 2", InputFault::None, Command::Pick, "PageControlParam", "2", 2 },
    { "pick ComboBoxRa -0", InputFault::None, Command::Pick, "ComboBoxRa", "-0", 0 },
    { "pick ComboBoxRa -1", InputFault::BadValue, Command::Pick, "ComboBoxRa", "-1", 0 },
    { "pick ComboBoxRa +1", InputFault::BadValue, Command::Pick, "ComboBoxRa", "+1", 0 },
    { "pick ComboBoxRa 1x", InputFault::BadValue, Command::Pick, "ComboBoxRa", "1x", 0 },
    { "pick ComboBoxRa 0000000001", InputFault::BadValue, Command::Pick, "ComboBoxRa", "0000000001",
        0 },
    { "pick ComboBoxRa ", InputFault::BadValue, Command::Pick, "ComboBoxRa", "", 0 },
    // An editable list with no items yet has none to pick.
    { "pick EditV 0", InputFault::BadValue, Command::Pick, "EditV", "0", 0 },
    { "pick", InputFault::NoName, Command::Pick, "", "", 0 },
    { "pick ", InputFault::NoName, Command::Pick, "", "", 0 },
    { "pick TabMach", InputFault::WrongCount, Command::Pick, "TabMach", "", 0 },
    { "pick TabMach 1 2", InputFault::WrongCount, Command::Pick, "TabMach", "1 2", 0 },
    { "pick TabMach  1", InputFault::WrongCount, Command::Pick, "TabMach", " 1", 0 },
    // Too many words is told before the wrong kind, a name unknown before both.
    { "pick EditStKc11 1 2", InputFault::WrongCount, Command::Pick, "EditStKc11", "1 2", 0 },
    { "pick EditStKc11 1", InputFault::WrongKind, Command::Pick, "EditStKc11", "1", 0 },
    // An editable list takes both a text and an item.
    { "pick BaseD 1", InputFault::None, Command::Pick, "BaseD", "1", 1 },
    { "pick Nope 1 2", InputFault::UnknownField, Command::Pick, "Nope", "1 2", 0 },
    { "check CheckBoxhm2 1", InputFault::None, Command::Check, "CheckBoxhm2", "1", 1 },
    { "check RadioButton2 0", InputFault::None, Command::Check, "RadioButton2", "0", 0 },
    { "check CheckBoxhm2 2", InputFault::BadValue, Command::Check, "CheckBoxhm2", "2", 0 },
    { "check CheckBoxhm2 01", InputFault::BadValue, Command::Check, "CheckBoxhm2", "01", 0 },
    { "check CheckBoxhm2 ", InputFault::BadValue, Command::Check, "CheckBoxhm2", "", 0 },
    { "check CheckBoxhm2", InputFault::WrongCount, Command::Check, "CheckBoxhm2", "", 0 },
    { "check BaseD 1", InputFault::WrongKind, Command::Check, "BaseD", "1", 0 },
    // A machine's id is one word of the characters a park allows; whether this
    // park holds it is told when the line is performed.
    { "machine v-star", InputFault::None, Command::Machine, "TabMach", "v-star", 0 },
    { "machine no-such", InputFault::None, Command::Machine, "TabMach", "no-such", 0 },
    { "machine V-STAR", InputFault::BadValue, Command::Machine, "TabMach", "V-STAR", 0 },
    { "machine v star", InputFault::WrongCount, Command::Machine, "TabMach", "v star", 0 },
    { "machine", InputFault::WrongCount, Command::Machine, "TabMach", "", 0 },
    // A cutter's id is the rest of the line: an imported tool's holds its file's name.
    { "cutter freecad:End Mill 6.fctb", InputFault::None, Command::Cutter, "",
        "freecad:End Mill 6.fctb", 0 },
    { "cutter ", InputFault::WrongCount, Command::Cutter, "", "", 0 },
    { "click BitCalcs", InputFault::NotInput, Command::Set, "", "", 0 },
    { "sets BaseD 1", InputFault::NotInput, Command::Set, "", "", 0 },
    { "", InputFault::NotInput, Command::Set, "", "", 0 },
};

TEST_F(InputLineTest, ReadsChecksAndTellsTheFirstFaultOfEachCommand)
{
    const std::string before = calculationBody(form());
    for (const ReadCase& c : kReadCases) {
        SCOPED_TRACE(c.line);
        InputLine input;
        input.text = "left over";
        EXPECT_EQ(readInputLine(c.line, store(), input), c.fault);
        if (c.fault == InputFault::NotInput)
            continue;
        EXPECT_EQ(input.command, c.command);
        EXPECT_EQ(input.field, c.field);
        EXPECT_EQ(input.text, c.text);
        if (c.fault == InputFault::None) {
            EXPECT_EQ(input.value, c.value);
        }
    }
    EXPECT_EQ(calculationBody(form()), before);
}

TEST_F(InputLineTest, NamesOnlyTheFieldsGivenWhereSomeAre)
{
    const std::vector<std::string> fields = calculationFields();
    InputLine input;
    EXPECT_EQ(readInputLine("set BaseD 7", store(), fields, input), InputFault::None);
    EXPECT_EQ(readInputLine("pick PageControlMethods 1", store(), fields, input), InputFault::None);
    // A result, the log's memo and a button are controls, but no file's fields.
    for (const char* line : { "set EditStn 5", "set EditStn 5 6", "set Memo1 x", "check N4 1" }) {
        EXPECT_EQ(readInputLine(line, store(), fields, input), InputFault::UnknownField) << line;
        EXPECT_NE(readInputLine(line, store(), input), InputFault::UnknownField) << line;
    }
}

struct LinesCase {
    std::string bytes;
    std::vector<std::string> lines;
};

const LinesCase kLinesCases[] = {
    { "", {} },
    { "a", { "a" } },
    { "a\n", { "a" } },
    { "a\r\nb\rc\nd", { "a", "b", "c", "d" } },
    // A lone carriage return ends a line; the line feed after the next one ends another.
    { "a\r\rb\r\r\n", { "a", "", "b", "" } },
    { "\n\n", { "", "" } },
    { "\n\r", { "", "" } },
    { std::string("a\0b\tc\n", 6), { std::string("a\0b\tc", 5) } },
};

TEST(InputLines, EndAtALineFeedACarriageReturnAndLineFeedOrALoneCarriageReturn)
{
    for (const LinesCase& c : kLinesCases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        EXPECT_EQ(splitLines(c.bytes), c.lines);
        std::istringstream in(c.bytes);
        std::vector<std::string> read;
        std::string line;
        while (readLine(in, line))
            read.push_back(line);
        EXPECT_EQ(read, c.lines);
        EXPECT_TRUE(in.eof());
        EXPECT_FALSE(in.bad());
    }
}

TEST_F(InputLineTest, PerformsALineAsAUserWould)
{
    InputLine input;
    ASSERT_EQ(readInputLine("set BaseD 12,5 мм", store(), input), InputFault::None);
    EXPECT_TRUE(applyInputLine(form(), input));
    EXPECT_EQ(text("BaseD"), "12,5 мм");

    // The page's handler runs: the input pages follow.
    ASSERT_EQ(readInputLine("pick PageControlMethods 2", store(), input), InputFault::None);
    EXPECT_TRUE(applyInputLine(form(), input));
    EXPECT_EQ(store().index("PageControlParam"), 2);

    ASSERT_EQ(readInputLine("machine no-such", store(), input), InputFault::None);
    const int machine = store().index("TabMach");
    EXPECT_FALSE(applyInputLine(form(), input));
    EXPECT_EQ(store().index("TabMach"), machine);

    ASSERT_EQ(readInputLine("cutter freecad:Mill 6.fctb", store(), input), InputFault::None);
    const Method* chosenOn = nullptr;
    std::string id;
    const auto choose = [&](const Method& method, const std::string& i) {
        chosenOn = &method;
        id = i;
    };
    EXPECT_TRUE(applyInputLine(form(), input, choose));
    EXPECT_EQ(chosenOn, methodAt(2));
    EXPECT_EQ(id, "freecad:Mill 6.fctb");
    // No cutter choice: the line is passed over.
    EXPECT_TRUE(applyInputLine(form(), input));
    // Nor is a cutter chosen with the blank page shown, which has no method.
    form().pick("PageControlMethods", static_cast<int>(methods().size()));
    ASSERT_EQ(methodAt(store().index("PageControlParam")), nullptr);
    chosenOn = nullptr;
    EXPECT_TRUE(applyInputLine(form(), input, choose));
    EXPECT_EQ(chosenOn, nullptr);
}

TEST_F(InputLineTest, ClickingTheCheckedRadioButtonRunsNoHandler)
{
    InputLine input;
    ASSERT_EQ(readInputLine("check RadioButton2 1", store(), input), InputFault::None);
    applyInputLine(form(), input);
    ASSERT_TRUE(store().checked("RadioButton2"));
    // The group's handler describes the grid's first row again; not run, the
    // text stays.
    store().setText("StaticTextMaterial", "мой материал");
    applyInputLine(form(), input);
    EXPECT_EQ(text("StaticTextMaterial"), "мой материал");
    ASSERT_EQ(readInputLine("check RadioButton3 1", store(), input), InputFault::None);
    applyInputLine(form(), input);
    EXPECT_NE(text("StaticTextMaterial"), "мой материал");
}

struct WordingCase {
    const char* line;
    const char* runner; // the runner's error line, "" for none
    const char* file; // the start of the file's reason, "" for none
};

// One fault, each caller's words for it, in each caller's order of telling.
const WordingCase kWordingCases[] = {
    { "pick EditStKc11 1 2", "wrong number of arguments for pick",
        "в поле «EditStKc11» нет пунктов" },
    { "pick TabMach 1 2", "wrong number of arguments for pick",
        "пункт «1 2» вне списка поля «TabMach» (0–4)" },
    { "pick TabMach", "wrong number of arguments for pick", "пункт «» вне списка поля «TabMach»" },
    { "pick TabMach x", "index out of range: x", "пункт «x» вне списка поля «TabMach»" },
    { "pick", "missing control name", "нет имени поля" },
    { "pick  TabMach 1", "unknown control ", "нет имени поля" },
    { "set", "unknown control ", "нет имени поля" },
    { "set BaseD", "", "нет текста поля «BaseD»" },
    { "set BaseD ", "", "" },
    { "check CheckBoxhm2", "wrong number of arguments for check", "флажок «CheckBoxhm2»" },
    { "check EditStKc11 1 0", "wrong number of arguments for check",
        "поле «EditStKc11» не флажок" },
    // A drop-down list: no text to set, and no field of a file.
    { "set EditV 1", "set needs a text field, an editable list or a static text: EditV",
        "неизвестное поле «EditV»" },
    { "machine v star", "wrong number of arguments for machine", "id станка «v star»" },
    { "machine V-STAR", "unknown machine V-STAR", "id станка «V-STAR»" },
    { "machine no-such", "unknown machine no-such", "" },
    { "cutter", "wrong number of arguments for cutter", "нет обозначения фрезы" },
    { "cutter shop 16", "", "" },
};

TEST_F(InputLineTest, TheRunnerAndTheFileTellAFaultEachInItsOwnWords)
{
    for (const WordingCase& c : kWordingCases) {
        SCOPED_TRACE(c.line);
        const std::string printed = run({ c.line });
        const std::string runnerError = *c.runner == '\0'
            ? std::string()
            : "ERROR\t" + std::to_string(runner.lineNumber()) + '\t' + c.runner + '\n';
        EXPECT_EQ(printed.substr(0, printed.find("LOG\t")), runnerError);

        std::vector<CalculationLine> lines;
        CalculationError error;
        const bool read = readCalculation(
            std::string(c.line) + "\npick PageControlMethods 0\n", store(), lines, error);
        EXPECT_EQ(read, *c.file == '\0') << error.reason;
        if (!read) {
            EXPECT_EQ(error.line, 1);
            EXPECT_EQ(error.reason.rfind(c.file, 0), 0u) << error.reason;
        }
    }
}

} // namespace
} // namespace millcalc
