// The record of each method's last calculation, as the calculation notice
// leaves it: the lines its last "Расчет" wrote, stopped or not, and the inputs
// of its last run that went to its end or of its last fit.
#include "shell/sheet/CalculationRecord.h"

#include "StartedWindow.h"

#include "machines/MachineTable.h"
#include "shell/table/Methods.h"

#include <string>
#include <vector>

namespace millcalc {
namespace {

class CalculationRecordTest : public StartedWindow {
protected:
    const CalculationRecord& record() { return form().record(); }

    // The log lines from the index on.
    std::vector<std::string> linesFrom(std::size_t start)
    {
        return { logLines().begin() + static_cast<std::ptrdiff_t>(start), logLines().end() };
    }
};

struct RunCase {
    const char* what;
    int page;
    std::vector<const char*> inputs; // scenario lines before "Расчет"
    ResultsState after;
};

const RunCase kRuns[] = {
    { "Walter's start-up job", 0, {}, ResultsState::Fresh },
    { "aluminium's start-up job", 1, {}, ResultsState::Fresh },
    { "titanium's start-up job", 2, {}, ResultsState::Fresh },
    { "Walter without teeth stops", 0, { "set BaseZ 0" }, ResultsState::None },
    { "titanium without a diameter stops", 2, { "set BaseTiD abc" }, ResultsState::None },
};

class RecordedRun : public CalculationRecordTest, public testing::WithParamInterface<RunCase> { };

TEST_P(RecordedRun, KeepsTheLinesOfTheRunAloneAndItsInputsWhereItRanToItsEnd)
{
    const RunCase& c = GetParam();
    const Method& method = methods()[static_cast<std::size_t>(c.page)];
    run({ ("pick PageControlMethods " + std::to_string(c.page)).c_str() });
    for (const char* line : c.inputs)
        run({ line });
    form().LogMessage("a line of before the run");
    const std::size_t start = logLines().size();
    run({ "click BitCalcs" });
    EXPECT_EQ(record().log(method), linesFrom(start));
    EXPECT_EQ(record().shownLog(), linesFrom(start));
    EXPECT_EQ(record().resultsState(method), c.after);
    // The other methods' records are not touched.
    for (const Method& other : methods()) {
        if (&other == &method)
            continue;
        EXPECT_TRUE(record().log(other).empty()) << other.caption;
        EXPECT_EQ(record().resultsState(other), ResultsState::None) << other.caption;
    }
}

INSTANTIATE_TEST_SUITE_P(Each, RecordedRun, testing::ValuesIn(kRuns));

TEST_F(CalculationRecordTest, AStoppedRunLeavesTheLastCompletedOnesInputsAsTheResultsBasis)
{
    const Method& titanium = methods()[2];
    run({ "pick PageControlMethods 2", "click BitCalcs" });
    ASSERT_EQ(record().resultsState(titanium), ResultsState::Fresh);
    run({ "set BaseTiD abc", "click BitCalcs" });
    // The results on screen are those of the run before, on other inputs.
    EXPECT_EQ(record().resultsState(titanium), ResultsState::Stale);
}

TEST_F(CalculationRecordTest, AFitKeepsTheLinesOfTheLastRunAndMakesTheResultsFresh)
{
    const Method& aluminium = methods()[1];
    run({ "pick PageControlMethods 1", "click BitCalcs" });
    const std::vector<std::string> lines = record().log(aluminium);
    run({ "set BaseAlT 30", "set BaseAlB 30" });
    ASSERT_EQ(record().resultsState(aluminium), ResultsState::Stale);
    run({ "click BitBtnAlFit" });
    EXPECT_EQ(record().log(aluminium), lines);
    EXPECT_EQ(record().resultsState(aluminium), ResultsState::Fresh);
}

TEST_F(CalculationRecordTest, TheBlankPageAndANewParkLeaveTheRecordAsItIs)
{
    const Method& walter = methods()[0];
    run({ "click BitCalcs" });
    const std::vector<std::string> lines = record().log(walter);
    run({ ("pick PageControlMethods " + std::to_string(methods().size())).c_str(),
        "click BitCalcs" });
    EXPECT_TRUE(record().shownLog().empty());
    EXPECT_EQ(record().log(walter), lines);
    form().setMachines(builtInMachines());
    EXPECT_EQ(record().log(walter), lines);
    EXPECT_EQ(record().resultsState(walter), ResultsState::Fresh);
}

} // namespace
} // namespace millcalc
