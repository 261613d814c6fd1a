#include "shell/StaleResults.h"

#include "StartedWindow.h"
#include "shell/table/Methods.h"

#include <string>
#include <vector>

namespace millcalc {
namespace {

class StaleResultsTest : public StartedWindow {
protected:
    // The results of a method that are stale now.
    std::vector<std::string> staleOf(int method) const
    {
        std::vector<std::string> fields;
        for (const FieldCaption& result : methodAt(method)->results)
            if (stale.stale(result.field))
                fields.emplace_back(result.field);
        return fields;
    }
    // The results a calculation writes: all but the passes across the part,
    // which follow the width typed, not the run.
    std::size_t resultCount(int method) const { return methodAt(method)->results.size() - 1; }

    StaleResults stale { form() };
    int told = 0;
};

TEST_F(StaleResultsTest, AnInputMarksItsMethodAndTheComparisonUntilTheCalculationWrites)
{
    stale.onChange([this] { ++told; });
    run({ "click BitCalcs", "pick PageControlParam 2", "click BitCalcs", "pick PageControlParam 0",
        "click BitBtnMachines" });
    for (int method : { 0, 2 })
        EXPECT_TRUE(staleOf(method).empty()) << method;
    EXPECT_FALSE(stale.stale(kComparisonGrid));
    const std::string store = text("EditStn");

    run({ "set BaseVc 500" });
    EXPECT_EQ(staleOf(0).size(), resultCount(0));
    EXPECT_TRUE(staleOf(2).empty()) << "another method's input";
    EXPECT_TRUE(stale.stale(kComparisonGrid));
    EXPECT_GT(told, 0);
    // Only the display: the store keeps the last calculation's text.
    EXPECT_EQ(text("EditStn"), store);

    run({ "click BitCalcs" });
    EXPECT_TRUE(staleOf(0).empty());
    EXPECT_FALSE(stale.stale(kComparisonGrid)) << "the shown comparison is refreshed";
}

TEST_F(StaleResultsTest, TheMachineMarksEveryMethod)
{
    run({ "click BitCalcs", "pick PageControlParam 1", "click BitCalcs" });
    // The machine's handler shows its limits and computes nothing.
    run({ "pick TabMach 2" });
    for (int method : { 0, 1, 2 })
        EXPECT_EQ(staleOf(method).size(), resultCount(method)) << method;
    run({ "click BitCalcs" });
    EXPECT_TRUE(staleOf(1).empty());
    EXPECT_EQ(staleOf(0).size(), resultCount(0)) << "the Walter results are of the last machine";
}

TEST_F(StaleResultsTest, AStepButtonFreshensWhatItWroteOnly)
{
    run({ "click BitCalcs", "set BaseVc 500", "click BitBtnSt1" });
    const std::vector<std::string> left = staleOf(0);
    EXPECT_FALSE(stale.stale("EditStn"));
    EXPECT_FALSE(left.empty());
    EXPECT_LT(left.size(), resultCount(0));
    EXPECT_FALSE(stale.stale("EditStWidthPasses"));
}

} // namespace
} // namespace millcalc
