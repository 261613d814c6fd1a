#include "shell/CutterChoice.h"

#include "StartedWindow.h"
#include "support/ScratchFolder.h"

#include "app/Controls.h"
#include "app/Pi.h"
#include "machines/MachineTable.h"
#include "shell/compare/MachineComparison.h"
#include "shell/file/CalculationFile.h"
#include "shell/fit/FitPlanner.h"
#include "shell/table/MethodTable.h"
#include "shell/table/Methods.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace millcalc {
namespace {

Cutter cutter(const char* id, const char* name, double d, int teeth, double stickout,
    ToolMaterial material, double maxRpm = 0)
{
    Cutter c;
    c.id = id;
    c.name = name;
    c.dMm = d;
    c.teeth = teeth;
    c.stickoutMm = stickout;
    c.material = material;
    if (maxRpm > 0)
        c.maxRpm = maxRpm;
    return c;
}

class CutterChoiceTest : public StartedWindow {
protected:
    void SetUp() override
    {
        StartedWindow::SetUp();
        std::filesystem::create_directories(folder_ / "millcalc");
        CutterFile shop;
        shop.cutters = {
            cutter("hss-16", "Фреза 16 Z3 HSS", 16, 3, 48, ToolMaterial::Hss, 6000),
            cutter("vhm-10", "Фреза 10 Z4 VHM", 10, 4, 30.5, ToolMaterial::Carbide),
        };
        library(shop);
    }

    void library(CutterFile shop)
    {
        form().cutters().library() = CutterLibrary(
            std::move(shop), CutterFile {}, (folder_ / "millcalc" / "cutters.json").string());
        form().cutters().refresh();
    }
    int machineOfHighestSpeed()
    {
        const MachineTable& table = form().machines();
        return static_cast<int>(std::max_element(table.begin(), table.end(),
                                    [](const MachineRecord& a, const MachineRecord& b) {
                                        return a.MaxSpindleSpeed < b.MaxSpindleSpeed;
                                    })
            - table.begin());
    }

    support::ScratchFolder scratch_ { "choice" };
    const std::filesystem::path folder_ = scratch_.root();
};

struct PickCase {
    int method;
    const char* diameter;
    const char* teeth;
    const char* stickout;
};

const PickCase kPickCases[] = {
    { 0, "BaseD", "BaseZ", "BaseStL" },
    { 1, "BaseAlD", "BaseAlZ", "BaseAlL" },
    { 2, "BaseTiD", "BaseTiZ", "BaseTiL" },
};

TEST_F(CutterChoiceTest, TheChoosersListTheLibraryAfterTheDash)
{
    for (const char* chooser : { kWalterCutter, kAluminiumCutter, kTitaniumCutter }) {
        EXPECT_EQ(store().items(chooser),
            (std::vector<std::string> { "—", "Фреза 16 Z3 HSS", "Фреза 10 Z4 VHM" }));
        EXPECT_EQ(store().index(chooser), 0);
    }
}

TEST_F(CutterChoiceTest, PickingACutterFillsThePageAndChangingDResetsTheChooser)
{
    for (const PickCase& c : kPickCases) {
        SCOPED_TRACE(c.method);
        const char* chooser = methods()[c.method].cutter.chooser;
        form().pick(chooser, 2);
        EXPECT_EQ(text(c.diameter), "10");
        EXPECT_EQ(text(c.teeth), "4");
        EXPECT_EQ(text(c.stickout), "30.5");
        EXPECT_EQ(store().index(chooser), 2);
        EXPECT_EQ(form().cutters().chosenIds()[static_cast<std::size_t>(c.method)], "vhm-10");
        // The same number written otherwise still states the cutter.
        form().typeText(c.diameter, "10.000");
        EXPECT_EQ(store().index(chooser), 2);
        form().typeText(c.diameter, "12");
        EXPECT_EQ(store().index(chooser), 0);
        EXPECT_EQ(form().cutters().chosenIds()[static_cast<std::size_t>(c.method)], "");
        // The user's value stays.
        EXPECT_EQ(text(c.diameter), "12");
    }
}

TEST_F(CutterChoiceTest, TitaniumTakesTheCuttingMaterialAndLosesTheCutterWhenItChanges)
{
    form().pick(kTitaniumCutter, 2);
    EXPECT_EQ(store().index("RadioGroupTiMaterial"), 1);
    form().pick(kTitaniumCutter, 1);
    EXPECT_EQ(store().index("RadioGroupTiMaterial"), 0);
    EXPECT_EQ(store().index(kTitaniumCutter), 1);
    form().pick("RadioGroupTiMaterial", 1);
    EXPECT_EQ(store().index(kTitaniumCutter), 0);
    EXPECT_EQ(form().cutterSpeedLimit(kTitaniumCutter), 0);
}

TEST_F(CutterChoiceTest, TheCutterSpeedLimitFollowsTheChoice)
{
    form().pick(kWalterCutter, 1);
    EXPECT_EQ(form().cutterSpeedLimit(kWalterCutter), 6000);
    EXPECT_EQ(form().cutterSpeedLimit(kAluminiumCutter), 0);
    form().pick(kWalterCutter, 2); // no maximum speed
    EXPECT_EQ(form().cutterSpeedLimit(kWalterCutter), 0);
    form().pick(kWalterCutter, 1);
    form().typeText("BaseZ", "2");
    EXPECT_EQ(form().cutterSpeedLimit(kWalterCutter), 0);
}

TEST_F(CutterChoiceTest, ACutterNotInTheLibraryKeepsTheValuesWithALogLine)
{
    type({ { "BaseD", "33" }, { "BaseZ", "5" } });
    EXPECT_FALSE(form().cutters().chooseById(methods()[0], "gone"));
    EXPECT_EQ(text("BaseD"), "33");
    EXPECT_EQ(text("BaseZ"), "5");
    EXPECT_EQ(store().index(kWalterCutter), 0);
    ASSERT_FALSE(logLines().empty());
    EXPECT_EQ(logLines().back(),
        "Фреза \"gone\" не найдена в библиотеке фрез: введенные значения оставлены");
}

TEST_F(CutterChoiceTest, TheCalculationFileKeepsEachPagesCutterById)
{
    form().pick(kAluminiumCutter, 1);
    form().pick(kTitaniumCutter, 2);
    const std::string body = calculationBody(form(), form().cutters().chosenIds());
    EXPECT_NE(body.find("pick PageControlMethods 1\ncutter hss-16\n"
                        "pick PageControlMethods 2\ncutter vhm-10\npick PageControlMethods 0\n"),
        std::string::npos)
        << body;

    // Opened in a window whose library holds only the first: the second page
    // keeps its typed values and logs the missing cutter.
    std::ostringstream printed;
    ScenarioRunner other { printed };
    ASSERT_TRUE(other.start());
    FormMain& opened = other.form();
    CutterFile shop;
    shop.cutters = { cutter("hss-16", "Фреза 16 Z3 HSS", 16, 3, 48, ToolMaterial::Hss, 6000) };
    opened.cutters().library() = CutterLibrary(shop, CutterFile {}, "");
    opened.cutters().refresh();
    std::vector<CalculationLine> lines;
    CalculationError error;
    ASSERT_TRUE(readCalculation(body, opened.store(), lines, error)) << error.reason;
    applyCalculation(opened, lines, [&](const Method& method, const std::string& id) {
        opened.cutters().chooseById(method, id);
    });
    EXPECT_EQ(opened.store().index(kAluminiumCutter), 1);
    EXPECT_EQ(opened.store().index(kTitaniumCutter), 0);
    EXPECT_EQ(opened.store().text("BaseTiD"), "10");
    EXPECT_EQ(opened.store().index("PageControlMethods"), 0);
    EXPECT_EQ(opened.store().items("ElFlatMemoMes").back(),
        "Фреза \"vhm-10\" не найдена в библиотеке фрез: введенные значения оставлены");
    // The body without cutters is as it always was.
    EXPECT_EQ(calculationBody(form()).find("cutter"), std::string::npos);
}

TEST_F(CutterChoiceTest, ACutterLineWithoutAnIdIsRefused)
{
    std::vector<CalculationLine> lines;
    CalculationError error;
    EXPECT_FALSE(readCalculation("cutter\npick PageControlMethods 0\n", store(), lines, error));
    EXPECT_EQ(error.line, 1);
}

// The chosen cutter's maximum speed against n: reached is red and logged,
// just below leaves the machine's verdict.
struct SpeedCase {
    const char* name;
    int method;
    const char* speedField;
    double offset; // the cutter's limit: n plus this
    bool red;
    const char* line; // how its log line starts
};

const SpeedCase kSpeedCases[] = {
    { "Walter, limit just below n", 0, "EditStn", -0.01, true, kCutterSpeedExceeded },
    { "Walter, limit just above n", 0, "EditStn", 0.01, false, kCutterSpeedExceeded },
    { "aluminium, limit just below n", 1, "Editn", -0.01, true, kCutterSpeedExceeded },
    { "aluminium, limit just above n", 1, "Editn", 0.01, false, kCutterSpeedExceeded },
    { "titanium, limit just below n", 2, "EditTin", -0.01, true, kCutterSpeedExceeded },
    { "titanium, limit just above n", 2, "EditTin", 0.01, false, kCutterSpeedExceeded },
    { "titanium small part, limit just below its n", 2, "EditTinsmall", -0.01, true,
        "ДЕТАЛЬ МАЛОЙ ЖЕСТКОСТИ-Превышение максимальных оборотов фрезы" },
    { "titanium small part, limit just above its n", 2, "EditTinsmall", 0.01, false,
        "ДЕТАЛЬ МАЛОЙ ЖЕСТКОСТИ-Превышение максимальных оборотов фрезы" },
};

class CutterSpeedTest : public CutterChoiceTest, public testing::WithParamInterface<SpeedCase> { };

TEST_P(CutterSpeedTest, NAtOrAboveTheCuttersMaximumIsRedAndLogged)
{
    const SpeedCase& c = GetParam();
    form().pick("TabMach", machineOfHighestSpeed());
    type({ { "BaseVc", "200" } });
    form().pick("PageControlMethods", c.method);
    form().click("BitCalcs");
    const double n = store().real(c.speedField);
    ASSERT_GT(n, 0);
    ASSERT_NE(store().colour(c.speedField), colours::Red);

    // n shows three decimals: 0.01 from it is safely on its side.
    form().setCutterSpeedLimit(methods()[c.method].cutter.chooser, n + c.offset);
    store().clearLines("ElFlatMemoMes");
    form().click("BitCalcs");
    EXPECT_EQ(store().colour(c.speedField) == colours::Red, c.red);
    const auto& log = logLines();
    const bool logged = std::any_of(log.begin(), log.end(),
        [&](const std::string& line) { return std::string_view(line).starts_with(c.line); });
    EXPECT_EQ(logged, c.red);
}

INSTANTIATE_TEST_SUITE_P(Methods, CutterSpeedTest, testing::ValuesIn(kSpeedCases),
    [](const testing::TestParamInfo<SpeedCase>& info) { return std::to_string(info.index); });

TEST_F(CutterChoiceTest, WalterNExactlyAtTheCuttersMaximumIsRed)
{
    form().pick("TabMach", machineOfHighestSpeed());
    type({ { "BaseD", "25.0" }, { "BaseVc", "200" } });
    // The step's own n, unrounded.
    const double n = 200 * 1000 / (25.0 * kPi);
    for (const auto& [limit, red] :
        { std::pair { n, true }, std::pair { std::nextafter(n, 1e9), false } }) {
        form().setCutterSpeedLimit(kWalterCutter, limit);
        form().click("BitCalcs");
        EXPECT_EQ(store().colour("EditStn") == colours::Red, red) << limit;
    }
}

TEST_F(CutterChoiceTest, TheComparisonNamesTheCuttersSpeedWhereItBinds)
{
    type({ { "BaseD", "25" }, { "BaseVc", "700" } }); // n = 8912.676
    form().setCutterSpeedLimit(kWalterCutter, 6000);
    form().click("BitCalcs");
    const MachineComparison comparison = compareMachines(form());
    for (const MachineOutcome& outcome : comparison.machines) {
        SCOPED_TRACE(outcome.name);
        EXPECT_TRUE(outcome.cutterBinds);
        EXPECT_NE(outcome.fit, "—");
    }
    form().click("N27");
    const int columns = store().field("StringGridMachines").columns;
    for (int row = 1; row <= static_cast<int>(form().machines().size()); ++row) {
        const std::string limiting = store().cell("StringGridMachines", columns - 2, row);
        EXPECT_NE(limiting.find(kCutterSpeedSymbol), std::string::npos) << limiting;
    }
    // Above the cutter's maximum, nothing of it is named.
    form().setCutterSpeedLimit(kWalterCutter, 9000);
    for (const MachineOutcome& outcome : compareMachines(form()).machines)
        EXPECT_FALSE(outcome.cutterBinds) << outcome.name;
}

TEST_F(CutterChoiceTest, TheFitBringsNBelowTheCuttersMaximum)
{
    form().pick("TabMach", machineOfHighestSpeed());
    type({ { "BaseD", "25" }, { "BaseVc", "700" } });
    form().setCutterSpeedLimit(kWalterCutter, 6000);
    form().click("BitCalcs");
    ASSERT_EQ(store().colour("EditStn"), colours::Red);
    const FitOutcome outcome = planFit(form(), methods()[0]);
    ASSERT_FALSE(outcome.changes.empty());
    for (const FitChange& change : outcome.changes)
        form().typeText(change.input->field, change.after);
    form().click("BitCalcs");
    EXPECT_LT(store().real("EditStn"), 6000);
    EXPECT_NE(store().colour("EditStn"), colours::Red);
}

TEST_F(CutterChoiceTest, ASavedCutIsKeptWithTheCutterAndRestored)
{
    form().pick(kWalterCutter, 2);
    type({ { "BaseVc", "321" }, { "Basefz", "0.07" }, { "BaseB", "9" } });
    ASSERT_EQ(form().cutters().saveCut(&methods()[0]), "");
    const Cutter* kept = form().cutters().library().find("vhm-10");
    ASSERT_NE(kept, nullptr);
    ASSERT_EQ(kept->cuts.size(), 1U);
    EXPECT_EQ(*kept->cuts[0].method, "walter");
    EXPECT_TRUE(std::filesystem::exists(folder_ / "millcalc" / "cutters.json"));

    type({ { "BaseVc", "100" }, { "Basefz", "0.2" }, { "BaseB", "1" }, { "BaseD", "50" } });
    form().pick("PageControlParam", 1);
    form().cutters().restoreCut(&methods()[1], "vhm-10", kept->cuts[0]);
    EXPECT_EQ(text("BaseVc"), "321");
    EXPECT_EQ(text("Basefz"), "0.07");
    EXPECT_EQ(text("BaseB"), "9");
    EXPECT_EQ(text("BaseD"), "10");
    EXPECT_EQ(store().index(kWalterCutter), 2);
    EXPECT_EQ(store().index("PageControlParam"), 0);
}

TEST_F(CutterChoiceTest, APresetWithoutAMethodFillsWhatThePageShownHasOfIt)
{
    SavedCut preset;
    preset.source = "tools.json";
    preset.inputs
        = { { "v_c", "250" }, { "f_z", "0.05" }, { "stepdown", "12" }, { "stepover", "3" } };
    form().cutters().restoreCut(&methods()[0], "hss-16", preset);
    EXPECT_EQ(text("BaseVc"), "250");
    EXPECT_EQ(text("Basefz"), "0.05");
    EXPECT_EQ(text("BaseB"), "12");
    EXPECT_EQ(text("BaseT"), "3");
    EXPECT_EQ(text("BaseD"), "16");
    form().cutters().restoreCut(&methods()[1], "hss-16", preset);
    EXPECT_EQ(text("BaseAlB"), "12");
    EXPECT_EQ(text("BaseAlT"), "3");
    EXPECT_EQ(store().index(kAluminiumCutter), 1);
}

TEST_F(CutterChoiceTest, SavingACutNeedsAChosenCutter)
{
    EXPECT_NE(form().cutters().saveCut(&methods()[0]), "");
    EXPECT_FALSE(std::filesystem::exists(folder_ / "millcalc" / "cutters.json"));
}

} // namespace
} // namespace millcalc
