// The window's side panels as rows: every button and menu line of a panel
// shows that panel and no other, the creation step hides them all, the panels
// the window keeps come back by their names, and a method's panel belongs to
// the one method whose row lists it.
#include "StartedWindow.h"

#include "shell/WindowPanels.h"
#include "shell/table/Methods.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace millcalc {
namespace {

struct ShowCase {
    const char* command;
    const char* panel;
};

// The controls that show a panel, as the window's menus and pages have them.
constexpr ShowCase kShowCases[] = {
    { "BitBtnStMaterial", "PanelStMaterial" },
    { "N22", "PanelStMaterial" },
    { "N19", "PanelStMaterial" },
    { "BitBtnPanelAl", "PanelFormulaAl" },
    { "N21", "PanelFormulaAl" },
    { "N18", "PanelFormulaAl" },
    { "BitBtnAlTm1", "PanelTemp" },
    { "N23", "PanelTemp" },
    { "N24", "PanelTemp" },
    { "BitBtnMachines", "PanelMachines" },
    { "N27", "PanelMachines" },
    { "N28", "PanelMachines" },
};

// The panels the window keeps, by the names its settings file holds, in order.
const std::vector<std::string> kKeptNames
    = { "PanelStMaterial", "PanelFormulaAl", "PanelTemp", "PanelMachines" };

std::vector<std::string> shownPanels(const FieldStore& store)
{
    std::vector<std::string> shown;
    for (const PanelRow& row : windowPanels()) {
        if (store.visible(row.panel->name))
            shown.emplace_back(row.panel->name);
    }
    return shown;
}

std::vector<std::string> showCommands(const Panel& panel)
{
    std::vector<std::string> commands(panel.buttons.begin(), panel.buttons.end());
    for (const PanelMenuItem& item : { panel.helpItem, panel.contextItem }) {
        if (item.name != nullptr)
            commands.emplace_back(item.name);
    }
    return commands;
}

class PanelShowCases : public StartedWindow, public ::testing::WithParamInterface<ShowCase> { };

TEST_P(PanelShowCases, ShowsItsPanelAndNoOther)
{
    const ShowCase& c = GetParam();
    ASSERT_EQ(shownPanels(store()), std::vector<std::string>());
    run({ (std::string("click ") + c.command).c_str() });
    EXPECT_EQ(shownPanels(store()), std::vector<std::string> { c.panel });
    // Again on a panel in view: it stays the only one shown.
    run({ (std::string("click ") + c.command).c_str() });
    EXPECT_EQ(shownPanels(store()), std::vector<std::string> { c.panel });
}

INSTANTIATE_TEST_SUITE_P(Commands, PanelShowCases, ::testing::ValuesIn(kShowCases),
    [](const ::testing::TestParamInfo<ShowCase>& info) { return std::string(info.param.command); });

class PanelTable : public StartedWindow { };

TEST_F(PanelTable, ListsEveryShowCommandOfTheWindowOnceAndNoOther)
{
    std::multiset<std::string> listed;
    for (const PanelRow& row : windowPanels()) {
        for (const std::string& command : showCommands(*row.panel)) {
            listed.insert(command);
            const auto known = std::find_if(std::begin(kShowCases), std::end(kShowCases),
                [&](const ShowCase& c) { return command == c.command; });
            ASSERT_NE(known, std::end(kShowCases)) << command;
            EXPECT_STREQ(known->panel, row.panel->name) << command;
            const FieldKind kind = store().field(command).kind;
            EXPECT_TRUE(kind == FieldKind::MenuItem || kind == FieldKind::Button) << command;
        }
    }
    EXPECT_EQ(listed.size(), std::size(kShowCases));
    for (const ShowCase& c : kShowCases)
        EXPECT_EQ(listed.count(c.command), 1U) << c.command;
}

TEST_F(PanelTable, NamesEachPanelOnceWithTheTitleItIsDeclaredWith)
{
    std::set<std::string> names;
    for (const PanelRow& row : windowPanels()) {
        const Panel& panel = *row.panel;
        EXPECT_TRUE(names.insert(panel.name).second) << panel.name;
        ASSERT_TRUE(store().has(panel.name)) << panel.name;
        EXPECT_EQ(store().field(panel.name).kind, FieldKind::Panel) << panel.name;
        // The results take the caption of the page they show.
        if (std::string(panel.name) != kResultsPanel) {
            EXPECT_EQ(store().text(panel.name), panel.caption) << panel.name;
        }
        EXPECT_EQ(panelRow(panel.name), &row);
    }
    EXPECT_EQ(panelRow("PanelForestP"), nullptr);
    EXPECT_EQ(panelRow(""), nullptr);
}

TEST_F(PanelTable, TheCreationStepHidesEveryPanel)
{
    for (const PanelRow& row : windowPanels())
        store().setVisible(row.panel->name, true);
    form().create();
    EXPECT_EQ(shownPanels(store()), std::vector<std::string>());
}

TEST_F(PanelTable, KeepsThePanelsOfTheArrangementAndNotTheResults)
{
    std::vector<std::string> kept;
    for (const PanelRow& row : windowPanels()) {
        if (row.panel->kept)
            kept.emplace_back(row.panel->name);
    }
    EXPECT_EQ(kept, kKeptNames);
    run({ "click BitCalcs" });
    ASSERT_TRUE(store().visible(kResultsPanel));
    EXPECT_EQ(form().keptPanels(), std::vector<std::string>());
}

TEST_F(PanelTable, AMethodsPanelIsListedInItsRowAndOnlyThere)
{
    for (const PanelRow& row : windowPanels()) {
        int listings = 0;
        for (const Method& method : methods()) {
            const bool lists = std::any_of(method.panels.begin(), method.panels.end(),
                [&](const Panel& panel) { return &panel == row.panel; });
            if (lists) {
                ++listings;
                EXPECT_EQ(&method, row.owner) << row.panel->name;
            }
        }
        EXPECT_EQ(listings, row.owner != nullptr ? 1 : 0) << row.panel->name;
    }
    EXPECT_STREQ(panelRow("PanelStMaterial")->owner->inputPage, "TabSheet1");
    EXPECT_EQ(panelRow("PanelFormulaAl")->owner, panelRow("PanelTemp")->owner);
    EXPECT_EQ(panelRow("PanelMachines")->owner, nullptr);
    EXPECT_EQ(panelRow(kResultsPanel)->owner, nullptr);
}

struct KeptCase {
    const char* name;
    std::vector<std::string> shown; // by their commands
    std::vector<std::string> kept; // in the table's order
};

class KeptPanelCases : public ::testing::TestWithParam<KeptCase> { };

TEST_P(KeptPanelCases, RoundTripThroughANewWindow)
{
    const KeptCase& c = GetParam();
    std::ostringstream out;
    ScenarioRunner first { out };
    ASSERT_TRUE(first.start());
    for (const std::string& command : c.shown)
        first.runLine("click " + command);
    const std::vector<std::string> kept = first.form().keptPanels();
    EXPECT_EQ(kept, c.kept);

    ScenarioRunner second { out };
    ASSERT_TRUE(second.start());
    // Names the window does not keep, and unknown ones, are passed over.
    std::vector<std::string> names = kept;
    names.insert(names.begin(), { kResultsPanel, "PanelForestP", "PanelNone" });
    second.form().showKeptPanels(names);
    EXPECT_EQ(shownPanels(second.form().store()), c.kept);
    EXPECT_EQ(second.form().keptPanels(), c.kept);
}

INSTANTIATE_TEST_SUITE_P(Sets, KeptPanelCases,
    ::testing::Values(KeptCase { "none", {}, {} },
        KeptCase { "materials", { "N22" }, { "PanelStMaterial" } },
        // Shown in another order, kept in the table's.
        KeptCase { "comparisonAndFormulas", { "N28", "BitBtnPanelAl" },
            { "PanelFormulaAl", "PanelMachines" } },
        KeptCase { "calculationAndTemperature", { "BitCalcs", "N24" }, { "PanelTemp" } },
        KeptCase { "all", { "N27", "N23", "N21", "N19" }, kKeptNames }),
    [](const ::testing::TestParamInfo<KeptCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace millcalc
