// A fourth method, added as a new method is: its folder and one line of the
// table. Every feature that loops over the rows takes it up with no word
// about it anywhere else.
#include "TestMethod.h"

#include "StartedWindow.h"

#include "app/NumberText.h"
#include "machines/MachineTable.h"
#include "shell/WindowPanels.h"
#include "shell/compare/MachineComparison.h"
#include "shell/file/CalculationFile.h"
#include "shell/sheet/CalculationSheet.h"
#include "shell/table/Methods.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace millcalc {
namespace {

class TestMethodRow : public StartedWindow {
protected:
    // The test method's page, the last of the methods'.
    int page() const { return pageOf(methods().back()); }

    void show() { run({ ("pick PageControlParam " + std::to_string(page())).c_str() }); }

    std::vector<std::string> items(const char* control)
    {
        const std::string line = run({ (std::string("items ") + control).c_str() });
        std::vector<std::string> cells;
        std::size_t start = 0;
        for (std::size_t tab = line.find('\t'); tab != std::string::npos;
            tab = line.find('\t', start)) {
            cells.push_back(line.substr(start, tab - start));
            start = tab + 1;
        }
        cells.push_back(line.substr(start, line.find('\n', start) - start));
        // ITEMS, the name and the index go before the items.
        return { cells.begin() + 3, cells.end() };
    }
};

TEST_F(TestMethodRow, StandsLastInTheTableAndOnThePagesBeforeTheBlankOne)
{
    ASSERT_EQ(methods().size(), 4u);
    EXPECT_STREQ(methods().back().caption, testMethod().caption);
    EXPECT_EQ(page(), 3);
    const std::vector<std::string> inputs = items("PageControlParam");
    const std::vector<std::string> results = items("PageControlMethods");
    ASSERT_EQ(inputs.size(), 4u);
    EXPECT_EQ(inputs.back(), "Проверочный метод");
    ASSERT_EQ(results.size(), 5u);
    EXPECT_EQ(results[3], "Проверочный метод");
    EXPECT_EQ(results[4], "");
    // The runner's window filled its inputs as the others'.
    EXPECT_EQ(text("BaseTestN"), "1000");
}

// Red where n reaches the machine's maximum speed: equal to it counts.
TEST_F(TestMethodRow, CalculatesAgainstTheMachinesMaximumSpeed)
{
    show();
    const double most = form().machine().MaxSpindleSpeed;
    const struct {
        double n;
        bool red;
    } cases[] = {
        { most - 1, false },
        { most, true },
        { most + 1, true },
    };
    for (const auto& c : cases) {
        store().setText("BaseTestN", formatFixed(c.n, 0));
        run({ "click BitCalcs" });
        EXPECT_EQ(text("EditTestN"), formatFixed(c.n, 0));
        EXPECT_EQ(store().colour("EditTestN") == colours::Red, c.red) << c.n;
    }
    EXPECT_EQ(form().record().resultsState(*methodAt(page())), ResultsState::Fresh);
}

TEST_F(TestMethodRow, IsKeptInTheCalculationFile)
{
    show();
    run({ "set BaseTestN 12345" });
    const std::vector<std::string> fields = calculationFields();
    EXPECT_NE(std::find(fields.begin(), fields.end(), "BaseTestN"), fields.end());
    const std::string body = calculationBody(form());
    EXPECT_NE(body.find("set BaseTestN 12345\n"), std::string::npos) << body;
    EXPECT_NE(body.find("pick PageControlMethods 3\n"), std::string::npos) << body;

    std::ostringstream printed;
    ScenarioRunner other { printed };
    ASSERT_TRUE(other.start());
    std::vector<CalculationLine> lines;
    CalculationError error;
    ASSERT_TRUE(readCalculation(body, other.form().store(), lines, error)) << error.reason;
    applyCalculation(other.form(), lines);
    EXPECT_EQ(other.form().store().text("BaseTestN"), "12345");
    EXPECT_EQ(other.form().store().index("PageControlMethods"), 3);
}

TEST_F(TestMethodRow, HasItsRowsInTheSheet)
{
    show();
    store().setText("BaseTestN", formatFixed(form().machine().MaxSpindleSpeed, 0));
    run({ "click BitCalcs" });
    const CalculationSheet sheet = buildCalculationSheet(form(), {}, "08.12.2026 10:15");
    EXPECT_EQ(sheet.row, methodAt(3));
    ASSERT_EQ(sheet.inputs.size(), 1u);
    EXPECT_EQ(sheet.inputs[0].caption, "Обороты шпинделя, n");
    ASSERT_EQ(sheet.results.size(), 1u);
    EXPECT_EQ(sheet.results[0].value, text("EditTestN"));
    EXPECT_TRUE(sheet.results[0].exceeded);
    EXPECT_EQ(sheet.results[0].status, std::string(kBeyondLimit) + " 100 %");
    // No card line: the method has no cutting conditions to write one.
    EXPECT_EQ(sheet.operationCard, "");
}

TEST_F(TestMethodRow, HasItsColumnInTheComparison)
{
    show();
    const double most = form().machine().MaxSpindleSpeed;
    store().setText("BaseTestN", formatFixed(most / 2, 0));
    const MachineComparison comparison = compareMachines(form());
    EXPECT_EQ(comparison.method, methodAt(3));
    EXPECT_EQ(comparison.symbols, std::vector<std::string> { "n" });
    ASSERT_EQ(comparison.machines.size(), form().machines().size());
    for (std::size_t i = 0; i < comparison.machines.size(); ++i) {
        const MachineOutcome& outcome = comparison.machines[i];
        ASSERT_EQ(outcome.shares.size(), 1u) << outcome.name;
        const double n = std::floor(most / 2 + 0.5);
        const double limit = form().machines()[i].MaxSpindleSpeed;
        EXPECT_EQ(outcome.shares[0].red, n >= limit) << outcome.name;
        EXPECT_EQ(outcome.shares[0].percent, limitPercent(n, limit, n >= limit)) << outcome.name;
    }
}

TEST_F(TestMethodRow, ItsPanelIsShownHiddenAndKeptAsTheProgramsPanelsAre)
{
    const PanelRow* row = panelRow("PanelTestNotes");
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->owner, &methods().back());
    EXPECT_FALSE(store().visible("PanelTestNotes"));
    for (const char* command : { "BitBtnTestNotes", "NTestNotes" }) {
        store().setVisible("PanelTestNotes", false);
        run({ (std::string("click ") + command).c_str() });
        EXPECT_TRUE(store().visible("PanelTestNotes")) << command;
        EXPECT_EQ(form().keptPanels(), std::vector<std::string> { "PanelTestNotes" }) << command;
    }
    run({ "click N27" });
    // Kept after the program's methods' panels, before the window's own.
    EXPECT_EQ(
        form().keptPanels(), (std::vector<std::string> { "PanelTestNotes", "PanelMachines" }));

    std::ostringstream printed;
    ScenarioRunner next { printed };
    ASSERT_TRUE(next.start());
    EXPECT_FALSE(next.form().store().visible("PanelTestNotes"));
    next.form().showKeptPanels({ "PanelTestNotes" });
    EXPECT_TRUE(next.form().store().visible("PanelTestNotes"));
    EXPECT_FALSE(next.form().store().visible("PanelMachines"));
}

} // namespace
} // namespace millcalc
