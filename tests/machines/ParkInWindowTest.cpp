#include "StartedWindow.h"
#include "machines/MachinePark.h"
#include "shell/compare/MachineComparison.h"
#include "shell/file/CalculationFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace millcalc {
namespace {

// A shop's machine with a least speed; its curve comes from its figures.
MachineRecord cell(const std::string& id, double least = 0)
{
    MachineRecord m;
    m.Id = id;
    m.MachineName = "Центр " + id;
    m.MaxSpindleSpeed = 12000;
    m.MinSpindleSpeed = least;
    m.MaxFeed = 10000;
    m.MaxPower = 19;
    m.MaxTorque = 82;
    m.CriticalSpindleSpeed = 2200;
    m.CurveFromDatasheet = true;
    m.Curve = datasheetCurve(m);
    return m;
}

class ParkInWindow : public StartedWindow { };

TEST_F(ParkInWindow, ANewParkKeepsTheSelectedMachineByItsId)
{
    form().pick("TabMach", 2); // DMF-500L
    MachineTable park = builtInMachines();
    park.insert(park.begin(), cell("cell-1"));
    form().setMachines(park);
    EXPECT_EQ(store().items("TabMach").size(), 6u);
    EXPECT_EQ(store().items("TabMach").front(), "Центр cell-1");
    EXPECT_EQ(form().machine().Id, "dmf-500l");
    EXPECT_EQ(store().index("TabMach"), 3);
    EXPECT_EQ(text("FormMain"), "Расчет режимов резания: DMF-500L ");
    // Without it the first machine is selected, and shown.
    form().setMachines({ cell("cell-1"), cell("cell-2") });
    EXPECT_EQ(store().index("TabMach"), 0);
    EXPECT_EQ(text("FormMain"), "Расчет режимов резания: Центр cell-1 ");
    EXPECT_EQ(store().field("StringGridMachines").rows, 3);
}

TEST_F(ParkInWindow, TheStatusLineShowsALeastSpeedAndAnEmptyParkIsTheBuiltInOne)
{
    form().setMachines({ cell("cell-1", 20) });
    EXPECT_EQ(text("StatusBarMes"),
        "n=20..12000 (об/мин)[n(крит)=2200(об/мин)] F=10000 (мм/мин) Nct=19 (кВт) Mz=82 (Hm)");
    form().setMachines({});
    EXPECT_EQ(store().items("TabMach").size(), 5u);
    EXPECT_EQ(text("StatusBarMes"),
        "n=18000 (об/мин)[n(крит)=6700(об/мин)] F=60000 (мм/мин) Nct=40 (кВт) Mz=57 (Hm)");
}

// A least speed above the Walter example's spindle speed turns it red; one
// below it does not, nor does none.
TEST_F(ParkInWindow, ASpindleSpeedBelowTheLeastIsRedWithItsLogLine)
{
    run({ "click BitCalcs" });
    const double n = store().real("EditStn");
    ASSERT_GT(n, 100);
    struct Case {
        double least;
        Rgb colour;
    };
    for (const Case c : { Case { n + 1, colours::Red }, Case { 0, colours::Green },
             Case { n - 1, colours::Green } }) {
        MachineRecord fast = cell("cell-1", c.least);
        fast.MaxSpindleSpeed = 3 * n;
        form().setMachines({ fast });
        const std::string out = run({ "click BitCalcs" });
        EXPECT_EQ(store().colour("EditStn"), c.colour) << c.least;
        EXPECT_EQ(out.find("LOG\tЧисло оборотов ниже наименьшего n=") != std::string::npos,
            c.colour == colours::Red)
            << out;
    }
}

TEST_F(ParkInWindow, TheComparisonListsEveryMachineOfThePark)
{
    MachineTable park;
    for (int i = 0; i < 7; ++i)
        park.push_back(cell("cell-" + std::to_string(i)));
    // The sixth feeds slower than the cut asks: only it is red for the feed.
    park[5].MaxFeed = 100;
    form().setMachines(park);
    run({ "click BitCalcs" });
    const MachineComparison comparison = compareMachines(form());
    ASSERT_EQ(comparison.machines.size(), 7u);
    EXPECT_EQ(comparison.machines[6].name, "Центр cell-6");
    const std::size_t feed = 1; // n, F, ...
    ASSERT_GT(comparison.machines[0].shares.size(), feed);
    for (std::size_t row = 0; row < 7; ++row) {
        const MachineOutcome& m = comparison.machines[row];
        EXPECT_EQ(m.shares.at(feed).red, row == 5) << row;
        if (row != 5) {
            EXPECT_EQ(m.fit, comparison.machines[0].fit) << row;
            EXPECT_EQ(m.shares.at(feed).percent, comparison.machines[0].shares.at(feed).percent);
        }
    }
    EXPECT_NE(comparison.machines[5].fit, comparison.machines[0].fit);
}

// A large park computes on several threads: each row as its machine alone.
TEST_F(ParkInWindow, ALargeParkComparesEachMachineAsAlone)
{
    MachineTable park;
    for (int i = 0; i < 12; ++i) {
        park.push_back(cell("cell-" + std::to_string(i)));
        park.back().MaxFeed = 300 + 400 * i;
        park.back().MaxSpindleSpeed = 9000 + 1000 * i;
    }
    form().setMachines(park);
    run({ "click BitCalcs" });
    const MachineComparison all = compareMachines(form());
    ASSERT_EQ(all.machines.size(), 12u);
    for (std::size_t i = 0; i < park.size(); ++i) {
        form().setMachines({ park[i] });
        const MachineComparison alone = compareMachines(form());
        const MachineOutcome& a = all.machines[i];
        const MachineOutcome& b = alone.machines.at(0);
        EXPECT_EQ(a.name, b.name);
        EXPECT_EQ(a.stopped, b.stopped) << i;
        EXPECT_EQ(a.fit, b.fit) << i;
        ASSERT_EQ(a.shares.size(), b.shares.size());
        for (std::size_t k = 0; k < a.shares.size(); ++k) {
            EXPECT_EQ(a.shares[k].percent, b.shares[k].percent) << i << ' ' << k;
            EXPECT_EQ(a.shares[k].red, b.shares[k].red) << i << ' ' << k;
        }
    }
    // The feeds differ: so do the rows.
    EXPECT_NE(all.machines[0].shares.at(1).percent, all.machines[11].shares.at(1).percent);
}

TEST_F(ParkInWindow, TheRunnerPicksAMachineByItsId)
{
    const std::string shown = run({ "machine dmu-125pa", "window FormMain" });
    EXPECT_EQ(shown, "WINDOW\tFormMain\t1\tРасчет режимов резания: DMU-125PA \n");
    EXPECT_EQ(form().machineIndex(), 3);
    EXPECT_EQ(run({ "machine cell-x" }), "ERROR\t3\tunknown machine cell-x\n");
    EXPECT_EQ(form().machineIndex(), 3);
}

TEST_F(ParkInWindow, TheFileNamesTheMachineByIdAndOpensAMissingOneOnTheFirst)
{
    form().pick("TabMach", 1);
    const std::string body = calculationBody(form());
    EXPECT_EQ(body.rfind("machine vs-5vs\n# ВС-5ВС\n", 0), 0u) << body;
    form().setMachines({ cell("cell-1"), cell("cell-2") });
    form().pick("TabMach", 1);
    std::vector<CalculationLine> lines;
    CalculationError error;
    ASSERT_TRUE(readCalculation(body, store(), lines, error)) << error.reason;
    applyCalculation(form(), lines);
    EXPECT_EQ(form().machine().Id, "cell-1");
    ASSERT_FALSE(logLines().empty());
    EXPECT_EQ(
        logLines().back(), "Станка «vs-5vs» нет в парке: расчет открыт на станке «Центр cell-1»");
    // A file of the earlier kind still names the row of the park as it stands.
    ASSERT_TRUE(
        readCalculation("pick TabMach 1\npick PageControlMethods 0\n", store(), lines, error));
    applyCalculation(form(), lines);
    EXPECT_EQ(form().machine().Id, "cell-2");
    EXPECT_FALSE(
        readCalculation("machine Bad Id\npick PageControlMethods 0\n", store(), lines, error));
    EXPECT_EQ(error.line, 1);
}

} // namespace
} // namespace millcalc
