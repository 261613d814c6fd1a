// The machine comparison follows the form's calculation notice: each
// calculation, fit, "Новый расчет" and new park refreshes a shown panel once,
// neither twice nor never, and a hidden one not at all.
#include "shell/compare/MachineComparison.h"

#include "StartedWindow.h"

#include "machines/MachineTable.h"
#include "shell/table/Methods.h"

#include <memory>
#include <string>
#include <vector>

namespace millcalc {
namespace {

constexpr const char* kGrid = "StringGridMachines";
constexpr const char* kPanel = "PanelMachines";
constexpr const char* kPoison = "x";

class ComparisonNoticeTest : public StartedWindow {
protected:
    void SetUp() override
    {
        StartedWindow::SetUp();
        store().listen([this](const std::string& name, Change change) {
            if (name == kGrid && change == Change::Cells)
                ++*gridWrites_;
        });
        form().onCalculation(
            [this](const CalculationNotice& notice) { causes_.push_back(notice.cause); });
    }

    // The grid's writes of one refresh, the panel shown.
    int writesOfOneRefresh()
    {
        form().ShowPanel(kPanel);
        const int before = *gridWrites_;
        refreshMachineComparison(form());
        return *gridWrites_ - before;
    }

    // Every cell of the grid a text no comparison writes.
    void poison()
    {
        const Field& grid = store().field(kGrid);
        store().setGrid(kGrid, grid.columns, grid.rows,
            std::vector<std::string>(grid.cells.size(), kPoison),
            std::vector<Rgb>(grid.cells.size(), colours::Black));
        *gridWrites_ = 0;
        causes_.clear();
    }

    bool poisoned() { return store().field(kGrid).cells.front() == kPoison; }

    // The writes of the grid since the last poison(); shared with the
    // listener, which the store keeps as long as it lives.
    std::shared_ptr<int> gridWrites_ = std::make_shared<int>(0);
    std::vector<CalculationNotice::Cause> causes_;
};

struct NoticeCase {
    const char* what;
    std::vector<const char*> lines; // run after the result page is picked
    int page; // the result page shown; the methods' count for the blank one
    CalculationNotice::Cause cause;
};

using Cause = CalculationNotice::Cause;

const NoticeCase kCases[] = {
    { "Расчет of Walter", { "click BitCalcs" }, 0, Cause::Run },
    { "Расчет of aluminium from the context menu", { "click N14" }, 1, Cause::Run },
    { "Расчет of titanium", { "click BitCalcs" }, 2, Cause::Run },
    { "Расчет that stops at a warning", { "set BaseTiD abc", "click BitCalcs" }, 2, Cause::Run },
    { "Расчет on the blank page, which runs nothing", { "click BitCalcs" }, 3, Cause::Run },
    { "the fit of Walter", { "click BitBtnStFit" }, 0, Cause::Fit },
    { "the fit of aluminium", { "click BitBtnAlFit" }, 1, Cause::Fit },
    { "the fit of titanium from the context menu", { "click N29" }, 2, Cause::Fit },
    { "Новый расчет", { "click NNew" }, 0, Cause::Renew },
};

class ComparisonNoticeCases : public ComparisonNoticeTest,
                              public testing::WithParamInterface<NoticeCase> { };

TEST_P(ComparisonNoticeCases, AShownPanelIsRefreshedOnceAfterEach)
{
    const NoticeCase& c = GetParam();
    ASSERT_EQ(static_cast<int>(methods().size()), 3)
        << "the blank page's case counts three methods";
    form().pick("PageControlMethods", c.page);
    const int once = writesOfOneRefresh();
    ASSERT_GT(once, 0);
    poison();
    for (const char* line : c.lines)
        run({ line });
    EXPECT_EQ(causes_, std::vector<Cause> { c.cause }) << "one notice";
    EXPECT_EQ(*gridWrites_, once) << "refreshed neither twice nor never";
    EXPECT_FALSE(poisoned());
}

TEST_P(ComparisonNoticeCases, AHiddenPanelIsLeftAsItIs)
{
    const NoticeCase& c = GetParam();
    form().pick("PageControlMethods", c.page);
    ASSERT_FALSE(store().visible(kPanel));
    poison();
    for (const char* line : c.lines)
        run({ line });
    EXPECT_EQ(causes_, std::vector<Cause> { c.cause });
    EXPECT_EQ(*gridWrites_, 0);
    EXPECT_TRUE(poisoned());
}

INSTANTIATE_TEST_SUITE_P(Each, ComparisonNoticeCases, testing::ValuesIn(kCases));

TEST_F(ComparisonNoticeTest, TheFitNamesItsMethodAndARunItsLogStart)
{
    std::vector<CalculationNotice> notices;
    form().onCalculation([&](const CalculationNotice& notice) { notices.push_back(notice); });
    form().pick("PageControlMethods", 1);
    const std::size_t logBefore = logLines().size();
    run({ "click BitCalcs", "click BitBtnAlFit" });
    ASSERT_EQ(notices.size(), 2U);
    EXPECT_EQ(notices[0].method, methodAt(1));
    EXPECT_TRUE(notices[0].completed);
    EXPECT_EQ(notices[0].logStart, logBefore);
    EXPECT_EQ(notices[1].cause, Cause::Fit);
    EXPECT_EQ(notices[1].method, methodAt(1));
}

TEST_F(ComparisonNoticeTest, ANewParkIsListedAndRefreshedOnce)
{
    form().ShowPanel(kPanel);
    MachineTable park = builtInMachines();
    park.pop_back();
    poison();
    form().setMachines(park);
    EXPECT_EQ(causes_, std::vector<Cause> { Cause::Park });
    EXPECT_FALSE(poisoned());
    EXPECT_EQ(store().field(kGrid).rows, static_cast<int>(park.size()) + 1);
    // The refresh computed the rows: a share in every machine's first result.
    const int columns = store().field(kGrid).columns;
    for (int row = 1; row <= static_cast<int>(park.size()); ++row)
        EXPECT_NE(store().field(kGrid).cells[static_cast<std::size_t>(row * columns + 1)], "")
            << row;
}

TEST_F(ComparisonNoticeTest, TheSelectedMachineIsMarkedInAListingGrid)
{
    form().ShowPanel(kPanel);
    run({ "pick TabMach 3" });
    EXPECT_EQ(store().field(kGrid).currentRow, 4);
    form().doubleClickCell(kGrid, 0, 2);
    EXPECT_EQ(store().index("TabMach"), 1);
    EXPECT_EQ(store().field(kGrid).currentRow, 2);
}

} // namespace
} // namespace millcalc
