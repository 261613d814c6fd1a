// The comparison computes a large park on threads, each thread on one copy of
// the window brought back to the window's state before each machine, each fit
// on the copy its machine was computed on, and a shop's identical machines
// once. Every row must be the row that machine gives alone, computed on a
// fresh copy of the window and fitted on a copy of that copy.
#include "shell/compare/MachineComparison.h"

#include "app/DetachedForm.h"
#include "machines/MachineTable.h"
#include "scenario/ScenarioRunner.h"
#include "shell/CutterChoice.h"
#include "shell/FormMain.h"
#include "shell/fit/FitPlanner.h"
#include "shell/table/Methods.h"

#include "support/FiftyMachines.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace millcalc {
namespace {

// One machine of the window's park on a copy of its own, as the sheet and
// the window take its results: the share of each limit, red as the result's
// colour says (a speed the cutter alone made red not counting against the
// machine), and the fit where anything is red.
MachineOutcome alone(const Form& form, int row, int page)
{
    const Method& method = *methodAt(page);
    MachineOutcome outcome;
    outcome.name = machinesOf(form)[static_cast<std::size_t>(row)].MachineName;
    DetachedForm copy(form);
    copy.store().setIndex("TabMach", row);
    if (method.calculate(copy.form()) < 0) {
        outcome.stopped = true;
        return outcome;
    }
    outcome.cutterBinds = cutterSpeedBinds(copy.form(), method);
    bool red = outcome.cutterBinds;
    for (const LimitCheck& check : method.checks) {
        LimitShare share;
        const double limit = limitOf(copy.form(), method, check.limit);
        if (limit > 0) {
            const double value = copy.store().real(check.field);
            share.checked = true;
            share.red = copy.store().colour(check.field) == colours::Red;
            if (share.red && outcome.cutterBinds && check.limit == LimitKind::SpindleSpeed)
                share.red = reachesLimit(check.limit, value, limit);
            share.percent = limitPercent(value, limit, share.red);
        }
        red = red || share.red;
        outcome.shares.push_back(share);
    }
    outcome.fit = red ? fitSummary(planFit(copy.form(), method)) : "—";
    return outcome;
}

enum class Park { BuiltIn, FiftyOfTheirOwn, Twins, AllWeak };

// The built-in five (one thread); fifty of a feed each (four threads);
// twenty with twins of each built-in machine among ones of half its power;
// twelve too weak for any cut, every one red and fitted.
MachineTable parkOf(Park kind)
{
    const MachineTable& builtIn = builtInMachines();
    MachineTable park;
    const auto add = [&park](MachineRecord m, const std::string& tag) {
        m.Id = "cell-" + std::to_string(park.size() + 1);
        m.MachineName += " " + tag + std::to_string(park.size() + 1);
        park.push_back(std::move(m));
    };
    switch (kind) {
    case Park::BuiltIn:
        return builtIn;
    case Park::FiftyOfTheirOwn:
        return bench::fiftyMachinesOfTheirOwn();
    case Park::Twins:
        for (int i = 0; i < 20; ++i) {
            MachineRecord m = builtIn[static_cast<std::size_t>(i % 5)];
            if (i % 2 == 1)
                m.MaxPower *= 0.5;
            add(std::move(m), "двойник ");
        }
        break;
    case Park::AllWeak:
        for (int i = 0; i < 12; ++i) {
            MachineRecord m = builtIn[static_cast<std::size_t>(i % 5)];
            m.MaxSpindleSpeed = 2000 + 100 * i;
            m.MaxFeed = 300 + 10 * i;
            m.MaxPower *= 0.2;
            m.MaxTorque *= 0.2;
            add(std::move(m), "слабый ");
        }
        break;
    }
    return park;
}

struct Inputs {
    const char* name;
    std::vector<std::pair<const char*, const char*>> texts;
    // The chosen cutter's maximum speed, as a share of n on the window's
    // machine; 0 for none.
    double cutterShare = 0;
};

// Per method page: the start-up job, a heavy cut, the start-up job with a
// cutter slower than it, and inputs that stop the calculation.
const std::vector<Inputs> kInputs[] = {
    { { "start-up", {} },
        { "heavy", { { "BaseVc", "1600" }, { "BaseZ", "6" }, { "Basefz", "0.3" } } },
        { "slow cutter", {}, 0.8 }, { "stopped", { { "BaseZ", "0" } } } },
    { { "start-up", {} }, { "heavy", { { "BaseAlT", "30" }, { "BaseAlB", "30" } } },
        { "slow cutter", {}, 0.8 }, { "stopped", { { "EditTkoef1", "0.000000001" } } } },
    { { "start-up", {} },
        { "heavy", { { "BaseTiD", "60" }, { "BaseTiB", "30" }, { "BaseTiT", "10" } } },
        { "slow cutter", {}, 0.8 }, { "stopped", { { "BaseTiD", "abc" } } } },
};

struct PathCase {
    int page;
    Park park;
};

void PrintTo(const PathCase& c, std::ostream* out)
{
    *out << "page " << c.page << ", park " << static_cast<int>(c.park);
}

class MachineComparisonPaths : public ::testing::TestWithParam<PathCase> {
protected:
    // A window started afresh for each set of inputs.
    FormMain& start()
    {
        runner_ = std::make_unique<ScenarioRunner>(out_);
        EXPECT_TRUE(runner_->start());
        return runner_->form();
    }
    void run(const std::string& line) { runner_->runLine(line); }

private:
    std::ostringstream out_;
    std::unique_ptr<ScenarioRunner> runner_;
};

TEST_P(MachineComparisonPaths, EveryRowIsTheRowOfItsMachineComputedAlone)
{
    const PathCase& c = GetParam();
    int fitted = 0;
    int stopped = 0;
    int bound = 0;
    for (const Inputs& inputs : kInputs[c.page]) {
        SCOPED_TRACE(inputs.name);
        FormMain& form = start();
        FieldStore& store = form.store();
        form.setMachines(parkOf(c.park));
        run("pick PageControlParam " + std::to_string(c.page));
        run("pick TabMach 1");
        for (const auto& [name, text] : inputs.texts)
            store.setText(name, text);
        const Method& method = *methodAt(c.page);
        if (inputs.cutterShare > 0) {
            run("click BitCalcs");
            for (const LimitCheck& check : method.checks) {
                if (check.limit == LimitKind::SpindleSpeed) {
                    form.setCutterSpeedLimit(methodAt(c.page)->cutter.chooser,
                        inputs.cutterShare * store.real(check.field));
                    break;
                }
            }
        }
        const MachineComparison comparison = compareMachines(form);
        ASSERT_EQ(comparison.method, methodAt(c.page));
        ASSERT_EQ(comparison.machines.size(), form.machines().size());
        for (std::size_t row = 0; row < comparison.machines.size(); ++row) {
            SCOPED_TRACE("machine row " + std::to_string(row));
            const MachineOutcome expected = alone(form, static_cast<int>(row), c.page);
            const MachineOutcome& shown = comparison.machines[row];
            EXPECT_EQ(shown.name, expected.name);
            EXPECT_EQ(shown.stopped, expected.stopped);
            EXPECT_EQ(shown.cutterBinds, expected.cutterBinds);
            EXPECT_EQ(shown.fit, expected.fit);
            ASSERT_EQ(shown.shares.size(), expected.shares.size());
            for (std::size_t i = 0; i < shown.shares.size(); ++i) {
                SCOPED_TRACE(method.checks[i].symbol);
                EXPECT_EQ(shown.shares[i].checked, expected.shares[i].checked);
                EXPECT_EQ(shown.shares[i].percent, expected.shares[i].percent);
                EXPECT_EQ(shown.shares[i].red, expected.shares[i].red);
            }
            fitted += expected.fit != "—" ? 1 : 0;
            stopped += expected.stopped ? 1 : 0;
            bound += expected.cutterBinds ? 1 : 0;
        }
    }
    // The inputs are only worth their names if they reach every path.
    EXPECT_GT(fitted, 0);
    EXPECT_GT(stopped, 0);
    EXPECT_GT(bound, 0);
}

INSTANTIATE_TEST_SUITE_P(Parks, MachineComparisonPaths,
    ::testing::Values(PathCase { 0, Park::BuiltIn }, PathCase { 1, Park::BuiltIn },
        PathCase { 2, Park::BuiltIn }, PathCase { 0, Park::FiftyOfTheirOwn },
        PathCase { 1, Park::FiftyOfTheirOwn }, PathCase { 2, Park::FiftyOfTheirOwn },
        PathCase { 0, Park::Twins }, PathCase { 1, Park::Twins }, PathCase { 2, Park::Twins },
        PathCase { 0, Park::AllWeak }, PathCase { 1, Park::AllWeak },
        PathCase { 2, Park::AllWeak }));

} // namespace
} // namespace millcalc
