#include "shell/table/Methods.h"

#include "StartedWindow.h"

#include "app/CutterDeflection.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <string_view>

namespace millcalc {
namespace {

const FieldCaption* findIn(std::span<const FieldCaption> table, std::string_view field)
{
    for (const FieldCaption& entry : table) {
        if (field == entry.field)
            return &entry;
    }
    return nullptr;
}

class MethodRows : public StartedWindow { };

// Every row names controls the window has, on its own pages, which stand in
// the page controls at the row's place with the blank result page last; its
// checks are results of its own, and the caption table assembled from the
// rows gives each field the entry of its one row.
TEST_F(MethodRows, AgreeWithTheWindowAndTheCaptionTable)
{
    const std::vector<std::string>& inputPages = store().items("PageControlParam");
    const std::vector<std::string>& pages = store().items("PageControlMethods");
    ASSERT_EQ(inputPages.size(), methods().size());
    ASSERT_EQ(pages.size(), methods().size() + 1);
    EXPECT_EQ(pages.back(), "");
    EXPECT_EQ(store().field("TabSheet4").pageIndex, static_cast<int>(methods().size()));
    for (const Method& method : methods()) {
        SCOPED_TRACE(method.caption);
        const int page = pageOf(method);
        EXPECT_EQ(methodAt(page), &method);
        EXPECT_EQ(pages.at(static_cast<std::size_t>(page)), method.caption);
        EXPECT_EQ(inputPages.at(static_cast<std::size_t>(page)), method.caption);
        EXPECT_EQ(store().field(method.inputPage).parent, "PageControlParam");
        EXPECT_EQ(store().field(method.inputPage).pageIndex, page);
        EXPECT_EQ(store().field(method.resultPage).parent, "PageControlMethods");
        EXPECT_EQ(store().field(method.resultPage).pageIndex, page);
        EXPECT_FALSE(method.inputs.empty());
        for (const auto table : { method.inputs, method.results }) {
            for (const FieldCaption& entry : table) {
                EXPECT_TRUE(store().has(entry.field)) << entry.field;
                EXPECT_EQ(&fieldCaption(entry.field), &entry) << entry.field;
            }
        }
        for (const CoefficientGroup& group : method.coefficients) {
            for (const FieldCaption& entry : group.coefficients)
                EXPECT_EQ(&fieldCaption(entry.field), &entry) << entry.field;
        }
        for (const LimitCheck& check : method.checks) {
            EXPECT_NE(findIn(method.results, check.field), nullptr) << check.field;
            EXPECT_NE(check.limit, LimitKind::None) << check.field;
            EXPECT_EQ(checkOf(method, check.field), &check);
        }
        for (const Panel& panel : method.panels)
            EXPECT_EQ(store().field(panel.name).kind, FieldKind::Panel) << panel.name;
        const CardFields& card = method.card;
        for (const char* field : { card.diameter, card.width, card.depth, card.feed,
                 card.feedPerTooth, card.spindleSpeed, card.cuttingSpeed }) {
            EXPECT_TRUE(findIn(method.inputs, field) || findIn(method.results, field)) << field;
        }
        for (const char* field : { method.point.speed, method.point.power, method.point.torque })
            EXPECT_NE(findIn(method.results, field), nullptr) << field;

        // The deflection reads the method's own inputs, is one of its checked
        // results, and has its step button and formula on its result page.
        ASSERT_NE(method.deflection, nullptr);
        const DeflectionModel& deflection = *method.deflection;
        for (const char* field : { deflection.diameter, deflection.length, deflection.limit })
            EXPECT_NE(findIn(method.inputs, field), nullptr) << field;
        ASSERT_NE(findIn(method.results, deflection.result), nullptr) << deflection.result;
        const LimitCheck* check = checkOf(method, deflection.result);
        ASSERT_NE(check, nullptr) << deflection.result;
        EXPECT_EQ(check->limit, LimitKind::Deflection);
        const std::string& resultPage = store().field(deflection.result).parent;
        for (const char* control : { deflection.stepButton, deflection.picture })
            EXPECT_EQ(store().field(control).parent, resultPage) << control;
        for (const char* field : { deflection.force.field, deflection.force.efficiency,
                 deflection.force.speed, deflection.toolMaterial }) {
            if (field != nullptr) {
                EXPECT_TRUE(store().has(field)) << field;
            }
        }
        EXPECT_FALSE(deflection.moduli.empty());
        if (deflection.toolMaterial != nullptr) {
            EXPECT_EQ(deflection.moduli.size(), store().items(deflection.toolMaterial).size());
        }
        // A fit changes inputs of its page, or results the user may overwrite;
        // the passes are an input of the page and the card's.
        ASSERT_NE(method.fit, nullptr);
        for (const FitInput& input : method.fit->inputs) {
            const auto* entry = input.overridesResult ? findIn(method.results, input.field)
                                                      : findIn(method.inputs, input.field);
            EXPECT_NE(entry, nullptr) << input.field;
            if (input.passes != nullptr) {
                EXPECT_NE(findIn(method.inputs, input.passes), nullptr) << input.passes;
                EXPECT_STREQ(input.passes, method.card.passes);
                EXPECT_STREQ(input.field, method.card.depth);
            }
            if (input.floorResult != nullptr) {
                EXPECT_NE(findIn(method.results, input.floorResult), nullptr);
            }
        }
        EXPECT_TRUE(std::any_of(method.fit->inputs.begin(), method.fit->inputs.end(),
            [](const FitInput& input) { return input.step == FitStep::Passes; }));
    }
    EXPECT_EQ(methodAt(-1), nullptr);
    EXPECT_EQ(methodAt(static_cast<int>(methods().size())), nullptr);
    EXPECT_THROW(fieldCaption("TabMach"), std::out_of_range);
}

// The active method is the one whose results the window shows; the blank
// result page has none.
TEST_F(MethodRows, TheActiveMethodFollowsTheResultPage)
{
    for (const Method& method : methods()) {
        form().pick("PageControlMethods", pageOf(method));
        EXPECT_EQ(activeMethod(store()), &method) << method.caption;
    }
    form().pick("PageControlMethods", static_cast<int>(methods().size()));
    EXPECT_EQ(activeMethod(store()), nullptr);
}

// Walter's Pn and M tell what the machine delivers: shown with a caption,
// coloured by their step, and never a check of the cut.
TEST_F(MethodRows, MachineFiguresAreNoChecks)
{
    for (const char* field : { "EditStPn", "EditStM" }) {
        EXPECT_NO_THROW(fieldCaption(field)) << field;
        EXPECT_EQ(checkOf(*methodAt(0), field), nullptr) << field;
    }
}

struct LimitCase {
    const char* name;
    int machine;
    LimitKind kind;
    const char* spindleSpeed; // Editn, for the spindle load
    int efficiency; // the item of ComboBoxTkpd: 4 is 0.90, 5 is 0.95
    double limit;
};

// The limits of machine rows 0 and 3 as their records give them; the spindle
// load from the permissible-load table times the efficiency, in N, and none
// on a machine without the table.
const LimitCase kLimitCases[] = {
    { "V-STAR speed", 0, LimitKind::SpindleSpeed, "", 5, 18000 },
    { "V-STAR feed", 0, LimitKind::Feed, "", 5, 60000 },
    { "V-STAR power", 0, LimitKind::Power, "", 5, 40 },
    { "V-STAR torque", 0, LimitKind::Torque, "", 5, 57 },
    { "DMU-125PA speed", 3, LimitKind::SpindleSpeed, "", 5, 12000 },
    { "DMU-125PA torque", 3, LimitKind::Torque, "", 5, 82 },
    { "overheating, any machine", 3, LimitKind::Temperature, "", 5, 140 },
    { "nothing checked", 0, LimitKind::None, "", 5, 0 },
    { "spindle load at 9574 rpm: 1.50 kN x 0.95", 0, LimitKind::SpindleLoad, "9574", 5, 1425 },
    { "spindle load above the top band: 1.20 kN x 0.9", 1, LimitKind::SpindleLoad, "18001", 4,
        1080 },
    { "no spindle-load table on DMF-500L", 2, LimitKind::SpindleLoad, "9574", 5, 0 },
};

TEST_F(MethodRows, LimitOfEachKind)
{
    for (const LimitCase& c : kLimitCases) {
        SCOPED_TRACE(c.name);
        store().setIndex("TabMach", c.machine);
        store().setText("Editn", c.spindleSpeed);
        store().setIndex("ComboBoxTkpd", c.efficiency);
        EXPECT_DOUBLE_EQ(limitOf(form(), *methodAt(1), c.kind), c.limit);
    }
}

struct ReachCase {
    LimitKind kind;
    double value;
    double limit;
    bool reaches;
};

// Equal to its limit counts as reaching it, except the spindle load, which
// only a greater force overloads.
const ReachCase kReachCases[] = {
    { LimitKind::SpindleSpeed, 18000, 18000, true },
    { LimitKind::SpindleSpeed, 17999.999, 18000, false },
    { LimitKind::Temperature, 140, 140, true },
    { LimitKind::Temperature, 139.99, 140, false },
    { LimitKind::SpindleLoad, 9500, 9500, false },
    { LimitKind::SpindleLoad, 9500.001, 9500, true },
};

TEST(Limits, ReachedAtEqualityExceptTheSpindleLoad)
{
    for (const ReachCase& c : kReachCases)
        EXPECT_EQ(reachesLimit(c.kind, c.value, c.limit), c.reaches)
            << static_cast<int>(c.kind) << " " << c.value << " / " << c.limit;
}

struct PercentCase {
    double value;
    double limit;
    bool red;
    double percent;
};

// Down to the whole per cent, on the side of 100 % that the colour gives: the
// comparison and the sheet show a red result at 100 % or more, and nothing
// else there.
const PercentCase kPercentCases[] = {
    { 74.02, 57, true, 129 }, // 129.86 %
    { 74.1, 57, true, 130 }, // 130 % exactly, 129.99999999999997 in binary
    { 337.43999, 57, true, 591 }, // 591.99998 %
    { 337.44, 57, true, 592 },
    { 0.057, 0.05, true, 114 }, // a deflection: 113.99999999999999 in binary
    { 99.999, 100, false, 99 },
    { 99.9999, 100, true, 100 }, // red before rounding, though short of 100.0
    { 100, 100, true, 100 },
    { 100, 100, false, 99 }, // the spindle load equal to its limit is no overload
    { 100.0001, 100, true, 100 },
    { 0, 100, false, 0 },
    { -5, 100, false, 0 },
    { 1e300, 1, true, 1e9 },
};

TEST(Limits, SharesAreWholePerCentsDownOnTheSideOfTheColour)
{
    for (const PercentCase& c : kPercentCases)
        EXPECT_EQ(limitPercent(c.value, c.limit, c.red), c.percent)
            << c.value << " / " << c.limit << (c.red ? " red" : "");
}

} // namespace
} // namespace millcalc
