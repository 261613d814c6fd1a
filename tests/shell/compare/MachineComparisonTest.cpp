#include "shell/compare/MachineComparison.h"

#include "StartedWindow.h"

#include "aluminium/AlForce.h"
#include "app/CutterDeflection.h"
#include "app/NumberText.h"
#include "shell/table/Methods.h"

#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace millcalc {
namespace {

// The built-in park.
constexpr int kMachineCount = 5;

constexpr const char* kGrid = "StringGridMachines";

struct ComparisonCase {
    const char* name;
    int page;
    std::vector<std::pair<const char*, const char*>> inputs;
    bool stops; // the calculation stops with a warning box on every machine
};

// Cuts that every machine takes, cuts that some machines cannot take for one
// or several limits, and inputs that stop the calculation.
const ComparisonCase kWalterCases[] = {
    { "start-up job: n too high for the 12000 rpm machines", 0, {}, false },
    { "fast and heavy: n, Vf and P", 0,
        { { "BaseVc", "1600" }, { "BaseZ", "6" }, { "Basefz", "0.3" } }, false },
    { "feed only", 0,
        { { "BaseVc", "500" }, { "BaseZ", "16" }, { "Basefz", "0.2" }, { "BaseB", "2" } }, false },
    { "no teeth stops it", 0, { { "BaseZ", "0" } }, true },
    { "no diameter stops it", 0, { { "BaseD", "abc" } }, true },
};

const ComparisonCase kAluminiumCases[] = {
    { "start-up job: the part overheats on the weaker drives", 1, {}, false },
    { "shallow cut: nothing beyond any machine", 1, { { "BaseAlT", "2" } }, false },
    { "deep cut: spindle load and torque", 1, { { "BaseAlT", "30" }, { "BaseAlB", "30" } }, false },
    { "a force coefficient near 0 gives no feed and stops it", 1,
        { { "EditTkoef1", "0.000000001" } }, true },
};

const ComparisonCase kTitaniumCases[] = {
    { "start-up job: torque of the small spindles", 2, {}, false },
    { "large cutter", 2, { { "BaseTiD", "60" }, { "BaseTiB", "30" }, { "BaseTiT", "10" } }, false },
    { "no diameter stops it", 2, { { "BaseTiD", "abc" } }, true },
};

void PrintTo(const ComparisonCase& c, std::ostream* out)
{
    *out << c.name;
}

// Everything a user sees but the comparison's own grid and panel.
std::map<std::string, std::string> visibleState(const FieldStore& store)
{
    std::map<std::string, std::string> state;
    for (const auto& [name, field] : store.fields()) {
        if (name == kGrid || name == "PanelMachines")
            continue;
        std::string cells;
        for (const std::string& cell : field.cells)
            cells += cell + '|';
        std::string items;
        for (const std::string& item : field.items)
            items += item + '|';
        state[name] = store.text(name) + '#' + std::to_string(field.colour) + '#' + items + '#'
            + std::to_string(field.index) + cells + (field.visible ? "v" : "h")
            + (field.checked ? "c" : "u") + (field.selectedAll ? "a" : "n");
    }
    state["focus"] = store.focused();
    return state;
}

using MachineComparisonTest = StartedWindow;

const char* const kFitButtons[] = { "BitBtnStFit", "BitBtnAlFit", "BitBtnTiFit" };
const char* const kInputPages[] = { "TabSheet1", "TabSheet2", "TabSheet3" };

class MachineComparisonCases : public StartedWindow,
                               public ::testing::WithParamInterface<ComparisonCase> {
protected:
    std::map<std::string, std::string> pageInputs(int page)
    {
        std::map<std::string, std::string> inputs;
        for (const auto& [name, field] : store().fields()) {
            if (field.parent == kInputPages[page] && field.kind != FieldKind::DropDownList
                && field.kind != FieldKind::RadioGroup && field.kind != FieldKind::Picture
                && field.kind != FieldKind::Button && field.kind != FieldKind::StaticText)
                inputs[name] = store().text(name);
        }
        return inputs;
    }

    void checkAgainstMachineByMachine(const ComparisonCase& c)
    {
        SCOPED_TRACE(c.name);
        run({ ("pick PageControlParam " + std::to_string(c.page)).c_str() });
        for (const auto& [name, value] : c.inputs)
            store().setText(name, value);
        run({ "pick TabMach 2" });

        const auto before = visibleState(store());
        const std::string printed = run({ "click N27" });
        // No box, no log line, no change of the window: only the grid.
        EXPECT_EQ(printed, "");
        EXPECT_EQ(visibleState(store()), before);
        EXPECT_TRUE(store().visible("PanelMachines"));

        const auto checks = methodAt(c.page)->checks;
        const Field grid = store().field(kGrid);
        ASSERT_EQ(grid.columns, static_cast<int>(checks.size()) + 3);
        ASSERT_EQ(grid.rows, kMachineCount + 1);
        EXPECT_EQ(store().cell(kGrid, 0, 0), "Станок");
        EXPECT_EQ(store().cell(kGrid, grid.columns - 2, 0), "Ограничивает");
        EXPECT_EQ(store().cell(kGrid, grid.columns - 1, 0), "Подбор");
        for (std::size_t i = 0; i < checks.size(); ++i)
            EXPECT_EQ(store().cell(kGrid, static_cast<int>(i) + 1, 0), checks[i].symbol);

        for (int m = 0; m < kMachineCount; ++m) {
            SCOPED_TRACE("machine row " + std::to_string(m));
            const int row = m + 1;
            const std::string name = form().machines()[static_cast<std::size_t>(m)].MachineName;
            EXPECT_EQ(grid.cells[static_cast<std::size_t>(row * grid.columns)], name);

            // The same calculation on this machine with the same inputs (a
            // stopped run corrects them), as the user would run it.
            for (const auto& [field, value] : c.inputs)
                store().setText(field, value);
            run({ ("pick TabMach " + std::to_string(m)).c_str() });
            const std::string shown = run({ "click BitCalcs" });
            const auto cell = [&](int column) {
                return grid.cells[static_cast<std::size_t>(row * grid.columns + column)];
            };
            const auto colour = [&](int column) {
                return grid.cellColours[static_cast<std::size_t>(row * grid.columns + column)];
            };
            if (c.stops) {
                EXPECT_NE(shown.find("BOX\t"), std::string::npos);
                for (int column = 1; column < grid.columns; ++column)
                    EXPECT_EQ(cell(column), "—");
                continue;
            }
            EXPECT_EQ(shown.find("BOX\t"), std::string::npos) << shown;

            std::string limiting;
            for (std::size_t i = 0; i < checks.size(); ++i) {
                const int column = static_cast<int>(i) + 1;
                const MachineRecord& machine = form().machine();
                double value = store().real(checks[i].field);
                double limit = 0;
                switch (checks[i].limit) {
                case LimitKind::SpindleSpeed:
                    limit = machine.MaxSpindleSpeed;
                    break;
                case LimitKind::Feed:
                    limit = machine.MaxFeed;
                    break;
                case LimitKind::Power:
                    limit = machine.MaxPower;
                    break;
                case LimitKind::Torque:
                    limit = machine.MaxTorque;
                    break;
                case LimitKind::SpindleLoad:
                    value /= 1000;
                    limit = permissibleSpindleLoadKn(
                        form().machine(), store().real("Editn"), store().real("ComboBoxTkpd"));
                    break;
                case LimitKind::Temperature:
                    limit = 140;
                    break;
                case LimitKind::Deflection:
                    limit = store().real(methodAt(c.page)->deflection->limit);
                    break;
                case LimitKind::None:
                    ADD_FAILURE() << checks[i].symbol << " is no check of the cut";
                    break;
                }
                const bool red = store().colour(checks[i].field) == colours::Red;
                if (limit <= 0) {
                    EXPECT_EQ(cell(column), "") << checks[i].symbol;
                    continue;
                }
                // The share as the sheet gives it for this machine.
                EXPECT_EQ(cell(column), formatFixed(limitPercent(value, limit, red), 0) + " %")
                    << checks[i].symbol;
                EXPECT_EQ(colour(column), red ? colours::Red : colours::Black) << checks[i].symbol;
                // The program's rule: red at 100 % and above, and only there.
                // A spindle load equal to the permissible one is no overload.
                EXPECT_EQ(
                    red, checks[i].limit == LimitKind::SpindleLoad ? value > limit : value >= limit)
                    << checks[i].symbol;
                if (red)
                    limiting += (limiting.empty() ? "" : ", ") + std::string(checks[i].symbol);
            }
            EXPECT_EQ(cell(grid.columns - 2), limiting.empty() ? "нет" : limiting);
            const std::string fit = cell(grid.columns - 1);
            if (limiting.empty()) {
                EXPECT_EQ(fit, "—");
                continue;
            }
            // The fit on this machine in the window turns the reds green
            // exactly where the comparison says it would.
            const auto inputs = pageInputs(c.page);
            run({ (std::string("click ") + kFitButtons[c.page]).c_str() });
            bool red = false;
            for (const LimitCheck& check : checks)
                red = red || store().colour(check.field) == colours::Red;
            EXPECT_EQ(fit.rfind("не подобрать: уменьшите ", 0) == 0, red) << fit;
            EXPECT_NE(fit, "—");
            for (const auto& [name, value] : inputs)
                store().setText(name, value);
        }
    }
};

TEST_P(MachineComparisonCases, SharesAndRedsEqualTheCalculationOnEachMachine)
{
    checkAgainstMachineByMachine(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Walter, MachineComparisonCases, ::testing::ValuesIn(kWalterCases));
INSTANTIATE_TEST_SUITE_P(Aluminium, MachineComparisonCases, ::testing::ValuesIn(kAluminiumCases));
INSTANTIATE_TEST_SUITE_P(Titanium, MachineComparisonCases, ::testing::ValuesIn(kTitaniumCases));

TEST_F(MachineComparisonTest, EveryCaseTableFindsAMachineThatCannotTakeTheCut)
{
    // The tables above are only worth their name if their cuts reach limits.
    for (const int page : { 0, 1, 2 }) {
        SCOPED_TRACE(page);
        run({ ("pick PageControlParam " + std::to_string(page)).c_str() });
        if (page == 0)
            type({ { "BaseVc", "1600" }, { "BaseZ", "6" }, { "Basefz", "0.3" } });
        if (page == 1)
            type({ { "BaseAlT", "30" }, { "BaseAlB", "30" } });
        const MachineComparison comparison = compareMachines(form());
        int reds = 0;
        for (const MachineOutcome& outcome : comparison.machines)
            for (const LimitShare& share : outcome.shares)
                reds += share.red ? 1 : 0;
        EXPECT_GT(reds, 0);
    }
}

TEST_F(MachineComparisonTest, RefreshedWhileShownAfterEveryCalculationAndWhenOpened)
{
    // Closed, the panel costs no calculation: "Расчет" leaves its grid alone.
    run({ "click BitCalcs" });
    EXPECT_EQ(store().cell(kGrid, 1, 4), "");
    run({ "click BitBtnMachines" });
    EXPECT_EQ(store().cell(kGrid, 1, 4), "112 %"); // 13496.339 of 12000 rpm
    type({ { "BaseVc", "500" } });
    run({ "click BitCalcs" });
    EXPECT_EQ(store().cell(kGrid, 1, 4), "53 %"); // 6366.198 of 12000 rpm
    // The deflection does not follow the speed: the power grows with it.
    EXPECT_EQ(store().cell(kGrid, 4, 4), "20 %"); // 0.0104 of 0.05 mm
    EXPECT_EQ(store().cell(kGrid, 5, 4), "нет");
    EXPECT_EQ(store().cell(kGrid, 6, 4), "—");
    // Closed again, the grid keeps what it showed last.
    run({ "close PanelMachines" });
    type({ { "BaseVc", "1060" } });
    run({ "click BitCalcs" });
    EXPECT_EQ(store().cell(kGrid, 1, 4), "53 %");
    run({ "click N27" });
    EXPECT_EQ(store().cell(kGrid, 1, 4), "112 %");
    run({ "pick PageControlMethods 2", "click N28" });
    EXPECT_EQ(store().cell(kGrid, 4, 0), "Nct");
    run({ "pick PageControlMethods 3" });
    EXPECT_EQ(run({ "click BitCalcs" }), "BOX\tmillcalc\tNothing\n");
    ASSERT_EQ(store().field(kGrid).columns, 3);
    EXPECT_EQ(store().cell(kGrid, 0, 0), "Станок");
    EXPECT_EQ(store().cell(kGrid, 1, 3), "—");
}

TEST_F(MachineComparisonTest, NamesThePartTemperatureAndWhatTheFitWouldChange)
{
    run({ "pick PageControlParam 1", "click N27" });
    const auto row = [this](int machine) {
        std::vector<std::string> cells;
        for (int column = 0; column < store().field(kGrid).columns; ++column)
            cells.push_back(store().cell(kGrid, column, machine + 1));
        return cells;
    };
    EXPECT_EQ(store().cell(kGrid, 3, 0), "T");
    // V-STAR's drive keeps the speed up, and the feed with it: 108 °C.
    EXPECT_EQ(row(0),
        (std::vector<std::string> { "V-STAR (FOREST-LINE)", "53 %", "5 %", "77 %", "13 %", "3 %",
            "4 %", "8 %", "нет", "—" }));
    // The weaker drives lower V2 and the feed, and the part reaches 150 °C.
    for (int machine = 1; machine < kMachineCount; ++machine) {
        SCOPED_TRACE(machine);
        EXPECT_EQ(row(machine)[3], "107 %");
        EXPECT_EQ(store().cellColour(kGrid, 3, machine + 1), colours::Red);
        EXPECT_EQ(row(machine)[8], "T");
        EXPECT_EQ(row(machine)[9], "t 5.0→2.5, i=2");
    }
}

TEST_F(MachineComparisonTest, TheSelectedMachinesRowIsTheCurrentOne)
{
    run({ "click N27" });
    EXPECT_EQ(store().field(kGrid).currentRow, 1);
    run({ "pick TabMach 3" });
    EXPECT_EQ(store().field(kGrid).currentRow, 4);
    run({ "pick PageControlParam 2", "click BitCalcs" });
    EXPECT_EQ(store().field(kGrid).currentRow, 4);
}

TEST_F(MachineComparisonTest, ComputedWhenShownByAnyPath)
{
    // Shown by the store alone, as an arrangement restored at start shows it,
    // the panel holds the comparison of the inputs as they stand.
    EXPECT_EQ(store().cell(kGrid, 1, 4), "");
    store().setVisible("PanelMachines", true);
    EXPECT_EQ(store().cell(kGrid, 1, 4), "112 %"); // 13496.339 of 12000 rpm
    EXPECT_EQ(store().cell(kGrid, 5, 4), "n");
    // Hiding it computes nothing; shown again it follows the inputs.
    store().setVisible("PanelMachines", false);
    type({ { "BaseVc", "500" } });
    EXPECT_EQ(store().cell(kGrid, 1, 4), "112 %");
    form().showKeptPanels({ "PanelMachines" });
    EXPECT_EQ(store().cell(kGrid, 1, 4), "53 %"); // 6366.198 of 12000 rpm
    // Its menu item on a shown panel computes it again.
    type({ { "BaseVc", "1060" } });
    run({ "click N27" });
    EXPECT_EQ(store().cell(kGrid, 1, 4), "112 %");
}

TEST_F(MachineComparisonTest, KeptPanelsAreTheSidePanelsShown)
{
    EXPECT_TRUE(form().keptPanels().empty());
    // The results come with a calculation, windows and unknown names are no
    // panels to keep: passed over, never shown, never an error.
    form().showKeptPanels({ "PanelCalc", "FormHelp", "FormGraphic", "NoSuchPanel", "", "PanelTemp",
        "PanelMachines" });
    EXPECT_FALSE(store().visible("PanelCalc"));
    EXPECT_FALSE(store().visible("FormHelp"));
    EXPECT_FALSE(store().visible("FormGraphic"));
    EXPECT_TRUE(store().visible("PanelTemp"));
    EXPECT_TRUE(store().visible("PanelMachines"));
    EXPECT_FALSE(store().visible("PanelStMaterial"));
    run({ "click BitCalcs", "click BitBtnStMaterial" });
    EXPECT_EQ(form().keptPanels(),
        (std::vector<std::string> { "PanelStMaterial", "PanelTemp", "PanelMachines" }));
}

TEST_F(MachineComparisonTest, DoubleClickOnAMachineRowSelectsThatMachine)
{
    run({ "click N27" });
    form().doubleClickCell(kGrid, 2, 4);
    EXPECT_EQ(store().index("TabMach"), 3);
    EXPECT_EQ(text("FormMain"), "Расчет режимов резания: DMU-125PA ");
    EXPECT_EQ(text("StatusBarMes"),
        "n=12000 (об/мин)[n(крит)=2200(об/мин)] F=10000 (мм/мин) Nct=19 (кВт) Mz=82 (Hm)");
    // The heading row is no machine.
    form().doubleClickCell(kGrid, 0, 0);
    EXPECT_EQ(store().index("TabMach"), 3);
}

} // namespace
} // namespace millcalc
