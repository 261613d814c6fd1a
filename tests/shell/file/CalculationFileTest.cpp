#include "shell/file/CalculationFile.h"
#include "app/FieldCaptions.h"
#include "scenario/ScenarioRunner.h"
#include "shell/FormMain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace millcalc {
namespace {

// A started window driven by the runner, whose output is the window's output.
struct Started {
    Started() { EXPECT_TRUE(runner.start()); }
    std::string run(const std::string& scenario)
    {
        out.str("");
        std::istringstream in(scenario);
        runner.run(in);
        return out.str();
    }
    FieldStore& store() { return runner.form().store(); }
    FormMain& form() { return runner.form(); }

    std::ostringstream out;
    ScenarioRunner runner { out };
};

// Every input the caption table declares, so that an input declared there
// later is checked here too.
std::vector<std::string> declaredInputs()
{
    std::vector<std::string> names;
    for (const Method& method : methods()) {
        for (const FieldCaption& input : method.inputs)
            names.emplace_back(input.field);
    }
    for (const Method& method : methods()) {
        for (const CoefficientGroup& group : method.coefficients) {
            for (const FieldCaption& coefficient : group.coefficients)
                names.emplace_back(coefficient.field);
        }
    }
    return names;
}

// Gives every saved control a value other than its start-up one, with the
// randomness of a seed: items, texts (with blanks, a comma, Cyrillic) and
// checks; the texts after the picks, whose handlers overwrite some.
void scramble(Form& form, unsigned seed)
{
    std::mt19937 random(seed);
    const auto pickOther = [&](const std::string& name) {
        const Field& f = form.store().field(name);
        const int count = static_cast<int>(f.items.size());
        if (count > 1)
            form.pick(name, (f.index + 1 + static_cast<int>(random() % (count - 1))) % count);
    };
    const std::vector<std::string> fields = calculationFields();
    std::vector<std::string> texts;
    for (const std::string& name : fields) {
        const Field& f = form.store().field(name);
        switch (f.kind) {
        case FieldKind::DropDownList:
        case FieldKind::RadioGroup:
        case FieldKind::EditableList:
        case FieldKind::PageControl:
            if (name != "PageControlMethods")
                pickOther(name);
            break;
        case FieldKind::CheckBox:
            form.check(name, !f.checked);
            break;
        case FieldKind::RadioButton:
            break;
        default:
            break;
        }
        if (f.kind == FieldKind::TextField || f.kind == FieldKind::EditableList
            || f.kind == FieldKind::StaticText)
            texts.push_back(name);
    }
    // Group P checked in the material panel.
    form.check("RadioButton1", true);
    for (const std::string& name : texts) {
        const std::string words[] = { " 12,5", "0.0", "сталь 45 ", "", "7", "1e3", "x  y" };
        form.typeText(name, words[random() % std::size(words)] + std::to_string(random() % 100));
    }
    form.pick("PageControlMethods", static_cast<int>(random() % 3));
}

struct Snapshot {
    std::string text;
    int index;
    bool checked;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const FieldStore& store, const std::string& name)
{
    const Field& f = store.field(name);
    return { store.text(name), f.index, f.checked };
}

TEST(CalculationFile, HoldsEveryDeclaredInputTheMachineTheMaterialAndTheMethod)
{
    const std::vector<std::string> fields = calculationFields();
    for (const std::string& input : declaredInputs())
        EXPECT_NE(std::find(fields.begin(), fields.end(), input), fields.end()) << input;
    for (const char* name : { "TabMach", "RadioButton1", "RadioButton5", "EditStKc11", "EditTsm2",
             "PageControlMethods" })
        EXPECT_NE(std::find(fields.begin(), fields.end(), name), fields.end()) << name;
    EXPECT_EQ(fields.back(), "PageControlMethods");
}

TEST(CalculationFile, EveryInputSurvivesSaveAndOpenExactly)
{
    for (unsigned seed = 1; seed <= 12; ++seed) {
        Started saved;
        scramble(saved.runner.form(), seed);
        const std::string file = calculationText(saved.form(), "1.0", "08.12.2026 10:15");

        Started opened;
        std::vector<CalculationLine> lines;
        CalculationError error;
        ASSERT_TRUE(readCalculation(file, opened.store(), lines, error))
            << error.line << ": " << error.reason << "\n"
            << file;
        applyCalculation(opened.runner.form(), lines);
        for (const std::string& name : calculationFields()) {
            const Field& f = saved.store().field(name);
            EXPECT_EQ(snapshot(opened.store(), name), snapshot(saved.store(), name))
                << "seed " << seed << ", " << name << " text '" << f.text << "'";
        }
        EXPECT_EQ(calculationBody(opened.form()), calculationBody(saved.form()));
    }
}

TEST(CalculationFile, TheRunnerReplaysASavedFileToTheSameResults)
{
    const std::string query = "click BitCalcs\n";
    for (unsigned seed = 21; seed <= 26; ++seed) {
        Started saved;
        scramble(saved.runner.form(), seed);
        const std::string file = calculationText(saved.form(), "1.0", "08.12.2026 10:15");
        std::string gets;
        const int page = saved.store().index("PageControlMethods");
        for (const FieldCaption& result : methodAt(page)->results)
            gets += "get " + std::string(result.field) + '\n';
        const std::string expected = saved.run(query + gets + "log\n");

        Started replayed;
        const std::string out = replayed.run(file + query + gets + "log\n");
        EXPECT_FALSE(replayed.runner.failed()) << out;
        // The replay's own lines (handlers log nothing) come before the same results.
        EXPECT_EQ(out, expected) << "seed " << seed;
    }
}

TEST(CalculationFile, WritesPicksBeforeTheTextsTheirHandlersOverwrite)
{
    Started s;
    s.runner.form().pick("ComboBoxMaterial", 1);
    s.runner.form().typeText("EditTkoef1", "99.5");
    const std::string body = calculationBody(s.form());
    EXPECT_LT(body.find("pick ComboBoxMaterial 1\n"), body.find("set EditTkoef1 99.5\n"));
    EXPECT_EQ(body.rfind("pick PageControlMethods 0\n"), body.size() - 26);
}

struct BadFile {
    const char* what;
    std::string bytes;
    int line;
    const char* reason; // the start of the reason
};

std::string good()
{
    Started s;
    return calculationText(s.form(), "1.0", "08.12.2026 10:15");
}

TEST(CalculationFile, RefusesWhatIsNoCalculationNamingTheLineAndChangingNothing)
{
    const std::string file = good();
    const std::string cut = file.substr(0, file.rfind("pick PageControlMethods"));
    const std::vector<BadFile> cases = {
        { "binary", std::string("# x\nset BaseD 1\0\x01\x02", 17), 2, "двоичный файл" },
        { "truncated", cut, static_cast<int>(std::count(cut.begin(), cut.end(), '\n')),
            "файл оборван" },
        { "cut in a line", "pick TabMach 0\npick PageControlMethods", 2, "пункт «» вне списка" },
        { "unknown field", "set BaseQ 5\npick PageControlMethods 0\n", 1,
            "неизвестное поле «BaseQ»" },
        { "a result", "set EditStn 5\npick PageControlMethods 0\n", 1,
            "неизвестное поле «EditStn»" },
        { "item out of range", "pick TabMach 9999\npick PageControlMethods 0\n", 1,
            "пункт «9999» вне списка поля «TabMach»" },
        { "negative item", "pick ComboBoxRa -1\npick PageControlMethods 0\n", 1, "пункт «-1»" },
        { "method out of range", "pick PageControlMethods 4\n", 1, "пункт «4»" },
        { "oversize", "# " + std::string(kCalculationFileLimit, 'x') + "\n", 0,
            "файл больше 1 МБ" },
        { "not UTF-8", "# millcalc\nset BaseD \xd0\n", 2, "текст не в кодировке UTF-8" },
        { "overlong UTF-8", "set BaseD \xc0\xb1\n", 1, "текст не в кодировке UTF-8" },
        { "click", "pick TabMach 1\nclick BitCalcs\npick PageControlMethods 0\n", 2,
            "команда «click» не задает ввод" },
        { "set of a list", "set ComboBoxMaterial x\npick PageControlMethods 0\n", 1,
            "поле «ComboBoxMaterial» не вводится текстом" },
        { "check of a text", "check BaseD 1\npick PageControlMethods 0\n", 1,
            "поле «BaseD» не флажок" },
        { "check 2", "check CheckBoxhm2 2\npick PageControlMethods 0\n", 1,
            "флажок «CheckBoxhm2»" },
        { "empty", "", 0, "файл оборван" },
    };
    for (const BadFile& c : cases) {
        Started s;
        s.runner.form().typeText("BaseD", "33");
        const std::string before = calculationBody(s.form());
        std::vector<CalculationLine> lines;
        CalculationError error;
        EXPECT_FALSE(readCalculation(c.bytes, s.store(), lines, error)) << c.what;
        EXPECT_TRUE(lines.empty()) << c.what;
        EXPECT_EQ(error.line, c.line) << c.what;
        EXPECT_EQ(error.reason.rfind(c.reason, 0), 0u) << c.what << ": " << error.reason;
        EXPECT_EQ(calculationBody(s.form()), before) << c.what;
    }
}

TEST(CalculationFile, ReadsTheLineEndsAndCommentsTheRunnerReads)
{
    Started s;
    std::vector<CalculationLine> lines;
    CalculationError error;
    ASSERT_TRUE(readCalculation("# a\r\nset BaseD  7,5 \rpick TabMach 2\n\ncheck CheckBoxhm2 "
                                "1\r\npick PageControlMethods 2",
        s.store(), lines, error))
        << error.reason;
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].text, " 7,5 ");
    EXPECT_EQ(lines[1].value, 2);
    applyCalculation(s.runner.form(), lines);
    EXPECT_EQ(s.store().text("BaseD"), " 7,5 ");
    EXPECT_EQ(s.store().index("TabMach"), 2);
    EXPECT_TRUE(s.store().checked("CheckBoxhm2"));
    EXPECT_EQ(s.store().index("PageControlParam"), 2);
}

TEST(CalculationFile, TheHeaderNamesTheProgramVersionDateMachineAndMethod)
{
    Started s;
    const std::string text = calculationText(s.form(), "1.0", "08.12.2026 10:15");
    EXPECT_EQ(
        text.rfind(
            "# millcalc 1.0: расчет режимов резания\n# Сохранен: 08.12.2026 10:15\n# Станок: ", 0),
        0u);
    EXPECT_NE(
        text.find("# Метод: " + s.store().text("PageControlMethods") + "\n"), std::string::npos);
}

struct SameCase {
    const char* body;
    const char* other;
    bool same;
};

// Whether the inputs differ from the file: a number written back in another
// form is the same input; any other difference is a change.
const SameCase kSameCases[] = {
    { "set EditStk 90.0\n", "set EditStk 90.00000\n", true },
    { "set EditStk 90.0\n", "set EditStk 90\n", true },
    { "set Basefz 0,1\n", "set Basefz 0.1\n", true },
    { "set BaseD +25\n", "set BaseD 25.0\n", true },
    { "set BaseD 25.0\r\npick PageControlMethods 0", "set BaseD 25.0\npick PageControlMethods 0\n",
        true },
    { "set EditStk 90.0\n", "set EditStk 90.00001\n", false },
    { "set BaseD 25.0\n", "set BaseZ 25.0\n", false },
    { "set BaseD 25 мм\n", "set BaseD 25\n", false },
    { "set BaseD \n", "set BaseD 0\n", false },
    { "set BaseD abc\n", "set BaseD abc\n", true },
    { "set BaseD 1e3\n", "set BaseD 1000\n", true },
    { "set BaseD 25\n", "set BaseD 25\nset BaseZ 3\n", false },
    { "pick TabMach 1\n", "pick TabMach 01\n", false },
    { "check CheckBoxhm2 1\n", "check CheckBoxhm2 0\n", false },
};

TEST(CalculationFile, NumbersWrittenBackInAnotherFormAreTheSameInputs)
{
    for (const SameCase& c : kSameCases) {
        EXPECT_EQ(sameCalculation(c.body, c.other), c.same) << c.body << "|" << c.other;
        EXPECT_EQ(sameCalculation(c.other, c.body), c.same) << c.other << "|" << c.body;
    }
}

TEST(CalculationFile, AFileOpensToTheSameInputsAfterItsCalculation)
{
    // Saved before any calculation, opened, calculated: the calculation
    // writes inputs back in its own form, and they are still the file's.
    for (const int method : { 0, 1, 2 }) {
        SCOPED_TRACE(method);
        Started saving;
        saving.run("pick PageControlMethods " + std::to_string(method) + "\n");
        const std::string body = calculationBody(saving.runner.form());
        Started opening;
        opening.run(body + "click BitCalcs\n");
        EXPECT_TRUE(sameCalculation(calculationBody(opening.runner.form()), body));
    }
}

TEST(CalculationFile, TheSheetsHeaderAndTheFittedWidthsPassesComeBackFromTheFile)
{
    Started saved;
    // A titanium cut fitted to V-STAR: the width narrowed, passes across it.
    saved.run("pick PageControlParam 2\nclick BitCalcs\nclick BitBtnTiFit\n"
              "set EditSheetPart Кронштейн 8А-1234, вар. 2\n"
              "set EditSheetOperation 020 Фрезерная ЧПУ\nset EditSheetAuthor \n");
    const std::string passes = saved.store().text("EditTiWidthPasses");
    ASSERT_NE(passes, "1");
    const std::string file = calculationText(saved.form(), "1.0", "09.12.2026 12:00");

    Started opened;
    EXPECT_EQ(opened.run(file + "click BitCalcs\n").find("ERROR"), std::string::npos);
    EXPECT_EQ(opened.store().text("EditSheetPart"), "Кронштейн 8А-1234, вар. 2");
    EXPECT_EQ(opened.store().text("EditSheetOperation"), "020 Фрезерная ЧПУ");
    EXPECT_EQ(opened.store().text("EditSheetAuthor"), "");
    EXPECT_EQ(opened.store().text("BaseTiB"), saved.store().text("BaseTiB"));
    EXPECT_EQ(opened.store().text("EditTiWidthPasses"), passes);
    EXPECT_EQ(opened.store().text("EditTiMz"), saved.store().text("EditTiMz"));

    // Another width typed is the part's own: one pass across it; the same
    // width written in another form is none.
    opened.run("set BaseTiB " + saved.store().text("BaseTiB") + "0\n");
    EXPECT_EQ(opened.store().text("EditTiWidthPasses"), passes);
    opened.run("set BaseTiB 15.0\n");
    EXPECT_EQ(opened.store().text("EditTiWidthPasses"), "1");
}

struct FileNameCase {
    const char* machine;
    const char* name;
};

TEST(CalculationFile, ProposesTheMachinesNameAsItIsButWhatAFileNameCannotHold)
{
    const FileNameCase cases[] = {
        { "V-STAR (FOREST-LINE)", "расчет-V-STAR (FOREST-LINE).millcalc" },
        { "ВС-5ВС", "расчет-ВС-5ВС.millcalc" },
        { "DMU 125/PA", "расчет-DMU 125-PA.millcalc" },
        { "a/b//c", "расчет-a-b--c.millcalc" },
        { "tab\there", "расчет-tab-here.millcalc" },
        { "line\nbreak\x7f", "расчет-line-break-.millcalc" },
        { "  Variaxis 630-5X  ", "расчет-Variaxis 630-5X.millcalc" },
        { "", "расчет-станок.millcalc" },
        { "   ", "расчет-станок.millcalc" },
    };
    for (const FileNameCase& c : cases) {
        SCOPED_TRACE(c.machine);
        EXPECT_EQ(calculationFileName(c.machine), c.name);
    }
}

} // namespace
} // namespace millcalc
