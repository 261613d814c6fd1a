#include "shell/FormMain.h"

#include "StartedWindow.h"

#include "shell/file/CalculationFile.h"
#include "shell/file/CalculationResults.h"

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace millcalc {
namespace {

// Every field's text, colour, items, index, check and state: what a user sees.
std::map<std::string, std::string> shown(const FieldStore& store)
{
    std::map<std::string, std::string> all;
    for (const auto& [name, f] : store.fields()) {
        std::string value = store.text(name) + '|' + std::to_string(f.colour) + '|'
            + std::to_string(f.index) + (f.checked ? "|1" : "|0") + (f.enabled ? "|1|" : "|0|")
            + std::to_string(f.picture);
        for (const std::string& item : f.items)
            value += '|' + item;
        all[name] = value;
    }
    return all;
}

class NewCalculationTest : public StartedWindow { };

TEST_F(NewCalculationTest, BringsBackTheStartUpInputsAndResultsOfEveryMethod)
{
    const auto startUp = shown(store());
    // Inputs of every method changed, each calculated and fitted, the header
    // written; then the machine chosen and the log kept are the user's.
    type({ { "BaseD", "20" }, { "BaseAlB", "7" }, { "BaseTiT", "2.0" },
        { "EditSheetPart", "Кронштейн 12" } });
    run({ "check RadioButton2 1", "pick RadioGroupTiSkin 1", "click BitCalcs",
        "pick PageControlParam 1", "pick TabMach 1", "click BitCalcs", "click BitBtnAlFit",
        "pick PageControlParam 2", "click BitCalcs", "click BitBtnTiFit" });
    const std::vector<std::string> log = logLines();
    ASSERT_FALSE(log.empty());

    EXPECT_EQ(run({ "click NNew" }), "");

    auto now = shown(store());
    // The machine, its caption and status line, the pages shown and the log
    // stay as the user left them.
    for (const char* kept :
        { "TabMach", "FormMain", "StatusBarMes", "PageControlParam", "PageControlMethods",
            "PanelCalc", "ElFlatMemoMes", "StringGridMachines", "StringGridP" }) {
        now.erase(kept);
        EXPECT_NE(startUp.find(kept), startUp.end()) << kept;
    }
    auto expected = startUp;
    for (const char* kept :
        { "TabMach", "FormMain", "StatusBarMes", "PageControlParam", "PageControlMethods",
            "PanelCalc", "ElFlatMemoMes", "StringGridMachines", "StringGridP" })
        expected.erase(kept);
    for (const auto& [name, value] : expected)
        EXPECT_EQ(now[name], value) << name;
    EXPECT_EQ(store().index("TabMach"), 1);
    EXPECT_EQ(logLines(), log);
    // The results are none: nothing was calculated since.
    for (std::size_t page = 0; page < methods().size(); ++page) {
        EXPECT_EQ(form().record().resultsState(methods()[page]), ResultsState::None) << page;
        EXPECT_TRUE(form().record().log(methods()[page]).empty()) << page;
    }
}

TEST_F(NewCalculationTest, ResultsAreFreshAfterACalculationAndStaleOnceAnInputChanges)
{
    EXPECT_EQ(form().record().resultsState(methods()[0]), ResultsState::None);
    run({ "click BitCalcs" });
    EXPECT_EQ(form().record().resultsState(methods()[0]), ResultsState::Fresh);
    EXPECT_EQ(form().record().resultsState(methods()[1]), ResultsState::None);
    type({ { "BaseVc", "900" } });
    EXPECT_EQ(form().record().resultsState(methods()[0]), ResultsState::Stale);
    // The same number written otherwise is a change of the text, not kept fresh.
    run({ "click BitCalcs" });
    EXPECT_EQ(form().record().resultsState(methods()[0]), ResultsState::Fresh);
    // Another machine: the limits the results were marked against changed.
    run({ "pick TabMach 2" });
    EXPECT_EQ(form().record().resultsState(methods()[0]), ResultsState::Stale);
    // A fit runs the full calculation on the inputs it leaves.
    run({ "pick PageControlParam 2", "click BitBtnTiFit" });
    EXPECT_EQ(form().record().resultsState(methods()[2]), ResultsState::Fresh);
}

TEST_F(NewCalculationTest, TheFileEndsWithTheResultsAndTheirMarksAsComments)
{
    const auto resultLines = [&] {
        std::vector<std::string> lines;
        const std::string text = calculationText(
            form(), "1.0", "09.12.2026 12:00", calculationResults(form(), form().record()));
        std::size_t start = text.find(kResultsHeading);
        EXPECT_NE(start, std::string::npos);
        while (start < text.size()) {
            const std::size_t end = text.find('\n', start);
            lines.push_back(text.substr(start, end - start));
            start = end + 1;
        }
        return lines;
    };
    run({ "pick PageControlParam 2" });
    EXPECT_EQ(resultLines(),
        (std::vector<std::string> { "# Результаты последнего расчета (ТР (Сплавы Титана)...); "
                                    "при открытии файла расчет выполняется заново",
            kResultsNone }));

    run({ "click BitCalcs" });
    std::vector<std::string> fresh = resultLines();
    ASSERT_GT(fresh.size(), 3u);
    EXPECT_EQ(fresh[1], "# Подача на зуб Sz=fz = " + text("EditTifz") + " мм/зуб");
    EXPECT_NE(std::find(fresh.begin(), fresh.end(),
                  "# Момент Mz = " + text("EditTiMz") + " Нм — в норме"),
        fresh.end());
    // The cutter bends 0.2958 mm against 0.05: 591 % of its limit.
    EXPECT_EQ(std::count_if(fresh.begin(), fresh.end(),
                  [](const std::string& line) {
                      return line == "# Отжим фрезы, δ = 0.2958 мм — превышение 591 %";
                  }),
        1);
    // One pass across the part goes without saying.
    EXPECT_EQ(
        std::find_if(fresh.begin(), fresh.end(),
            [](const std::string& line) { return line.find("по ширине") != std::string::npos; }),
        fresh.end());
    EXPECT_EQ(fresh.back().rfind("# Режим: D=", 0), 0u);

    type({ { "BaseTiB", "10" } });
    std::vector<std::string> stale = resultLines();
    ASSERT_GT(stale.size(), 2u);
    EXPECT_EQ(stale[1], kResultsStale);
    // The results as they were; the cutting conditions' line reads the inputs.
    EXPECT_EQ(std::vector<std::string>(stale.begin() + 2, stale.end() - 1),
        std::vector<std::string>(fresh.begin() + 1, fresh.end() - 1));

    // Every line is a comment: the reader and the runner pass over them.
    const std::string file = calculationText(
        form(), "1.0", "09.12.2026 12:00", calculationResults(form(), form().record()));
    std::vector<CalculationLine> lines;
    CalculationError error;
    EXPECT_TRUE(readCalculation(file, store(), lines, error)) << error.reason;
    const std::string body = calculationBody(form());
    std::ostringstream printed;
    ScenarioRunner other(printed);
    ASSERT_TRUE(other.start());
    std::istringstream in(file);
    EXPECT_EQ(other.run(in), 0) << printed.str();
    EXPECT_TRUE(sameCalculation(calculationBody(other.form()), body));
}

} // namespace
} // namespace millcalc
