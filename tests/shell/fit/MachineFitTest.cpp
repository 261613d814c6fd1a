#include "shell/fit/MachineFit.h"

#include "shell/fit/FitOutcome.h"
#include "shell/fit/FitReds.h"

#include "StartedWindow.h"

#include "app/NumberText.h"
#include "shell/table/Methods.h"
#include "walter/WalterFit.h"

#include <algorithm>
#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace millcalc {
namespace {

// A Walter result that a fit step bound to its limit.
enum class Bound { SpindleSpeed, Feed, Power };

struct FitCase {
    const char* name;
    int page;
    int machine;
    std::vector<std::pair<const char*, const char*>> inputs;
    // The inputs of the page that the fit changes, as it leaves them.
    std::vector<std::pair<const char*, const char*>> changed;
    std::vector<std::string> lines; // the fit's own log lines, in order
    bool fitted = true; // false: a result stays beyond the machine
    std::vector<Bound> bound = {};
    bool approximate = false; // Walter's approximate chip thickness
    // The passes across the part that the fit counts.
    const char* widthPasses = "1";
};

void PrintTo(const FitCase& c, std::ostream* out)
{
    *out << c.name;
}

const char* const kInputPages[] = { "TabSheet1", "TabSheet2", "TabSheet3" };
const char* const kFitButtons[] = { "BitBtnStFit", "BitBtnAlFit", "BitBtnTiFit" };
const char* const kDepths[] = { "BaseT", "BaseAlT", "BaseTiT" };
const char* const kPasses[] = { "BaseStPasses", "BaseAlPasses", "BaseTiPasses" };
const char* const kWidthPasses[]
    = { "EditStWidthPasses", "EditAlWidthPasses", "EditTiWidthPasses" };

#define FIT "Подбор по станку: "
#define WITHIN FIT "итог — все проверки в пределах станка и фрезы"

const FitCase kWalterCases[] = {
    { "spindle speed: Vc down", 0, 3, { { "BaseVc", "1600" } }, { { "BaseVc", "923.628" } },
        { FIT "Vc 1600 → 923.628 — n 20371.833 → 11759.997 об/мин (предел 12000)", WITHIN }, true,
        { Bound::SpindleSpeed } },
    { "table feed: fz down", 0, 1, { { "BaseZ", "6" }, { "Basefz", "0.15" }, { "BaseB", "5" } },
        { { "Basefz", "0.14522" } },
        { FIT "fz 0.15 → 0.14522 — F 12146.71 → 11759.63 мм/мин (предел 12000)", WITHIN }, true,
        { Bound::Feed } },
    { "speed, then the feed at the new speed", 0, 3,
        { { "BaseZ", "8" }, { "Basefz", "0.2" }, { "BaseB", "2" } },
        { { "BaseVc", "923.628" }, { "Basefz", "0.10416" } },
        { FIT "Vc 1060.0 → 923.628 — n 13496.339 → 11759.997 об/мин (предел 12000)",
            FIT "fz 0.2 → 0.10416 — F 18816.00 → 9799.37 мм/мин (предел 10000)", WITHIN },
        true, { Bound::SpindleSpeed, Bound::Feed } },
    // Green, but past the 98 % of its limit that the fit keeps below.
    { "power above the critical speed", 0, 2, { { "Basefz", "0.4" } }, { { "Basefz", "0.38965" } },
        { FIT "fz 0.4 → 0.38965 — N 24.98599 → 24.49959 кВт (98 % предела 25)", WITHIN }, true,
        { Bound::Power } },
    // Green against the drive's power, but more than the machine gives at
    // 1989 rpm: only fz comes down, Vc stays.
    { "power below the critical speed", 0, 3,
        { { "BaseD", "80" }, { "BaseZ", "6" }, { "BaseVc", "500" }, { "BaseT", "20" },
            { "Basefz", "0.2" } },
        { { "Basefz", "0.18798" } },
        { FIT "fz 0.2 → 0.18798 — N 17.53803 → 16.74158 кВт (98 % предела 17.08333)", WITHIN },
        true, { Bound::Power } },
    { "already within the machine", 0, 0, {}, {}, { FIT "режим в пределах станка" } },
    // At the least chip the power is still beyond the drive: the depth ae
    // goes in two passes, and fz takes back what they leave. The passes in
    // all double: the last line says so.
    { "chip thickness floor: passes", 0, 0, { { "BaseT", "25" }, { "BaseB", "60" } },
        { { "Basefz", "0.03339" }, { "BaseT", "12.5" }, { "BaseStPasses", "2" } },
        { FIT "fz 0.1 → 0.03139 — N 197.49504 → 82.83237 кВт (предел 40)",
            FIT "ae 25 → 12.5, i=2 — N 82.83237 → 37.42223 кВт (предел 40)",
            FIT "fz 0.03139 → 0.03339 — после деления глубины на проходы",
            WITHIN "; проходов: 1 → 2" },
        true, { Bound::Power } },
    // A narrow cut in approximate mode: the chip is a tenth of fz, and the
    // floor holds fz at 0.2 mm, still too fast a feed for 16 teeth; passes
    // do not lower the feed. The fit ends red.
    { "chip thickness floor on the feed", 0, 3,
        { { "BaseZ", "16" }, { "BaseT", "0.25" }, { "BaseB", "2" }, { "BaseVc", "860" },
            { "Basefz", "0.3" } },
        { { "Basefz", "0.2" } },
        { FIT "fz 0.3 → 0.2 — F 52559.33 → 35039.55 мм/мин (предел 10000)",
            FIT "уменьшите F на 73 % — F 35039.55 мм/мин (предел 10000)",
            FIT "итог — остается красным: F 35039.55 мм/мин (предел 10000)" },
        false, {}, true },
};

const FitCase kAluminiumCases[] = {
    // The weaker drive lowers V2, the feed falls under the 2400 row and the
    // part overheats; two passes raise V2 and the feed.
    { "start-up job on ВС-5ВС: part overheated", 1, 1, {},
        { { "BaseAlT", "2.5" }, { "BaseAlPasses", "2" } },
        { FIT "t 5.0 → 2.5, i=2 — T 150 → 89 град Цельсия (предел 140)",
            WITHIN "; проходов: 1 → 2" } },
    { "start-up job on DMU-125PA: part overheated", 1, 3, {},
        { { "BaseAlT", "2.5" }, { "BaseAlPasses", "2" } },
        { FIT "t 5.0 → 2.5, i=2 — T 150 → 108 град Цельсия (предел 140)",
            WITHIN "; проходов: 1 → 2" } },
    // A 10 mm cutter turns too fast: the speed comes down and the cutter
    // bends more. A lower feed per tooth would bring δ down but overheat the
    // part; two passes bring it down and keep the part cool.
    { "small cutter on DMU-125PA: passes, not a feed that overheats", 1, 3,
        { { "BaseAlD", "10" }, { "BaseAlB", "5" }, { "BaseAlT", "2" },
            { "BaseAlDeflMax", "0.05" } },
        { { "BaseAlT", "1" }, { "BaseAlPasses", "2" } },
        { FIT "V 899.662 → 376.991 — n 28637.131 → 11999.996 об/мин (предел 12000)",
            FIT "t 2 → 1, i=2 — δ 0.0587 → 0.0379 мм (предел 0.05)", WITHIN "; проходов: 1 → 2" } },
    { "already within V-STAR", 1, 0, {}, {}, { FIT "режим в пределах станка" } },
    // A deep wide cut on the weakest spindle overheats the part; its torque,
    // 5.59 N·m, is well within 30. Five passes cool it.
    { "deep cut on Variaxis 630-5X: passes", 1, 4, { { "BaseAlT", "30" }, { "BaseAlB", "30" } },
        { { "BaseAlT", "6" }, { "BaseAlPasses", "5" } },
        { FIT "t 30 → 6, i=5 — T 150 → 108 град Цельсия (предел 140)",
            WITHIN "; проходов: 1 → 5" } },
    // k4 twenty times its table value: Pz 3009.63 N, Mz = 3009.63 · 25 / 2000 =
    // 37.62 N·m on the weakest spindle. Pz goes as Sz^0.546 · n^-0.118 and n as
    // V2, Sz^(-0.548 · 1.134): Mz as Sz^0.619, about 29.9 at Sz 0.085. The
    // lower feed overheats the part; two passes cool it and take the torque
    // off, so Sz goes back to where it was.
    { "heavy force on Variaxis 630-5X: two passes", 1, 4, { { "EditTkoef4", "4920" } },
        { { "BaseAlT", "2.5" }, { "BaseAlPasses", "2" } },
        { FIT "Sz 0.123 → 0.085 — Mz 37.62 → 29.92 Нм (предел 30)",
            FIT "t 5.0 → 2.5, i=2 — T 150 → 150 град Цельсия (предел 140)",
            FIT "Sz 0.085 → 0.123 — после деления глубины на проходы",
            WITHIN "; проходов: 1 → 2" } },
};

const FitCase kTitaniumCases[] = {
    // The start-up cut with the Cy of "ВТ 6ч": Py 4879.39 N, Mz 60.99 N·m.
    // With fz as t^-0.22 · B^-0.1 the torque goes as t^0.104 · B^0.29: two
    // passes give 60.99 · 0.5^0.104 = 56.75, within V-STAR's 57. Two passes
    // across the part would do as well; of as few in all, the depth is split.
    { "strong alloy on V-STAR: two passes take the torque", 2, 0, { { "EditTiPycoeff", "8570" } },
        { { "BaseTiT", "2.5" }, { "BaseTiPasses", "2" } },
        { FIT "t 5.0 → 2.5, i=2 — Mz 60.99 → 56.75 Нм (предел 57)", WITHIN "; проходов: 1 → 2" } },
    // Of the fits within Variaxis's 30 N·m, the fewest passes in all: the
    // whole depth, the width narrowed to (30 / 60.99)^(1 / 0.29) · 15 = 1.30 mm,
    // twelve passes across (1.29 gives 29.94); two passes of depth would need ten across (20),
    // five of depth would need more than two across.
    { "strong alloy on Variaxis 630-5X: the width", 2, 4, { { "EditTiPycoeff", "8570" } },
        { { "BaseTiB", "1.29" } },
        { FIT "B 15.0 → 1.29, проходов по ширине 12 — Mz 60.99 → 29.94 Нм (предел 30)",
            WITHIN "; проходов: 1 → 12" },
        true, {}, false, "12" },
    { "already within ВС-5ВС", 2, 1, {}, {}, { FIT "режим в пределах станка" } },
    // The start-up cutter within ВС-5ВС but bending 0.2958 mm: two passes
    // across the part take the force off it, where four of depth would.
    { "deflection: two passes across on ВС-5ВС", 2, 1, { { "BaseTiDeflMax", "0.2" } },
        { { "BaseTiB", "7.52" } },
        { FIT "B 15.0 → 7.52, проходов по ширине 2 — δ 0.2958 → 0.1998 мм (предел 0.2)",
            WITHIN "; проходов: 1 → 2" },
        true, {}, false, "2" },
    // Beyond what passes and width can do: only a shorter or thicker cutter.
    // Five passes leave 0.176 mm; δ grows as L³: 70 * cbrt(0.0001 / 0.176) = 5.8.
    { "deflection: only the tool would do", 2, 1, { { "BaseTiDeflMax", "0.0001" } },
        { { "BaseTiT", "1.0" }, { "BaseTiPasses", "5" } },
        { FIT "t 5.0 → 1.0, i=5 — δ 0.2958 → 0.1746 мм (предел 0.0001)",
            FIT "уменьшите вылет L до 5.8 мм или увеличьте D — δ 0.1746 мм (предел 0.0001)",
            FIT "итог — остается красным: δ 0.1746 мм (предел 0.0001); проходов: 1 → 5" },
        false },
    // A 2 mm cutter turns too fast for any tool life in the list.
    { "tiny cutter: cannot be fitted", 2, 3,
        { { "BaseTiD", "2" }, { "BaseTiB", "1" }, { "BaseTiT", "0.5" }, { "BaseTiL", "10" } }, {},
        { FIT "уменьшите n на 21 % — n 15149.452 об/мин (предел 12000)",
            FIT "уменьшите n мж на 52 % — n мж 24726.082 об/мин (предел 12000)",
            FIT "итог — остается красным: n 15149.452 об/мин (предел 12000), n мж 24726.082 "
                "об/мин (предел 12000)" },
        false },
};

#undef WITHIN
#undef FIT

class MachineFitCases : public StartedWindow, public ::testing::WithParamInterface<FitCase> {
protected:
    // The share of its limit that a bound Walter result uses now.
    double share(Bound bound)
    {
        const MachineRecord& machine = form().machine();
        switch (bound) {
        case Bound::SpindleSpeed:
            return store().real("EditStn") / machine.MaxSpindleSpeed;
        case Bound::Feed:
            return store().real("EditStVf") / machine.MaxFeed;
        case Bound::Power:
            return store().real("EditStP") / walterFitLimit(form(), LimitKind::Power);
        }
        return 0;
    }

    std::map<std::string, std::string> pageInputs(int page)
    {
        std::map<std::string, std::string> inputs;
        for (const auto& [name, field] : store().fields()) {
            if (field.parent == kInputPages[page])
                inputs[name] = store().text(name) + '#' + std::to_string(field.index);
        }
        inputs["TabMach"] = std::to_string(store().index("TabMach"));
        return inputs;
    }

    std::vector<std::string> fitLines(std::size_t from)
    {
        std::vector<std::string> lines;
        for (std::size_t i = from; i < logLines().size(); ++i) {
            if (logLines()[i].rfind(kFitPrefix, 0) == 0)
                lines.push_back(logLines()[i]);
        }
        return lines;
    }

    std::vector<std::string> reds(int page)
    {
        std::vector<std::string> found;
        for (const LimitCheck& check : methodAt(page)->checks) {
            if (store().colour(check.field) == colours::Red)
                found.emplace_back(check.field);
        }
        return found;
    }
};

TEST_P(MachineFitCases, ChangesOnlyTheFreeInputsJustEnoughAndSaysWhy)
{
    const FitCase& c = GetParam();
    run({ ("pick PageControlParam " + std::to_string(c.page)).c_str(),
        ("pick TabMach " + std::to_string(c.machine)).c_str() });
    // The machine's limits are these cases' business: a permissive deflection
    // limit keeps the cutter's bending out of them, unless a case sets its own.
    for (const char* limit : { "BaseStDeflMax", "BaseAlDeflMax", "BaseTiDeflMax" })
        store().setText(limit, "10");
    for (const auto& [name, value] : c.inputs)
        store().setText(name, value);
    if (c.approximate)
        run({ "check CheckBoxhm2 1" });
    run({ "click BitCalcs" });
    auto expected = pageInputs(c.page);
    const std::size_t logged = logLines().size();

    EXPECT_EQ(run({ (std::string("click ") + kFitButtons[c.page]).c_str() }).find("BOX"),
        std::string::npos);

    const auto lines = fitLines(logged);
    if (!c.lines.empty()) {
        EXPECT_EQ(lines, c.lines);
    }
    EXPECT_EQ(lines.size() == 1 && lines[0] == "Подбор по станку: режим в пределах станка",
        c.changed.empty() && c.fitted);
    // Only the free inputs change; "" in the table: changed, its value aside.
    auto after = pageInputs(c.page);
    for (const auto& [name, value] : c.changed) {
        const Field& field = store().field(name);
        if (*value == '\0') {
            EXPECT_NE(after[name], expected[name]) << name;
            expected[name] = after[name];
        } else {
            expected[name] = std::string(value) + '#' + std::to_string(field.index);
        }
    }
    EXPECT_EQ(after, expected);
    EXPECT_EQ(text(kWidthPasses[c.page]), c.widthPasses);

    // Every result shown is the method's own on the new inputs (the aluminium
    // feed and speed that a fit sets are results that "Расчет" computes anew).
    const std::vector<std::string> redAfter = reds(c.page);
    EXPECT_EQ(redAfter.empty(), c.fitted) << (redAfter.empty() ? "" : redAfter.front());
    const bool overridden = std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.rfind(std::string(kFitPrefix) + "V ", 0) == 0
            || line.rfind(std::string(kFitPrefix) + "Sz ", 0) == 0;
    });
    std::vector<std::string> shown;
    for (const FieldCaption& result : methodAt(c.page)->results)
        shown.push_back(text(result.field));
    run({ "click BitCalcs" });
    for (std::size_t i = 0; i < shown.size() && !overridden; ++i)
        EXPECT_EQ(text(methodAt(c.page)->results[i].field), shown[i]);

    // Not one pass more than needed.
    const int passes = store().whole(kPasses[c.page]);
    if (c.fitted && passes > 1) {
        const double whole = store().real(kDepths[c.page]) * passes;
        store().setText(kDepths[c.page], formatFixed(whole / (passes - 1), 3));
        store().setText(kPasses[c.page], std::to_string(passes - 1));
        run({ "click BitCalcs" });
        EXPECT_FALSE(reds(c.page).empty());
        store().setText(kDepths[c.page], formatFixed(whole / passes, 3));
        store().setText(kPasses[c.page], std::to_string(passes));
        run({ "click BitCalcs" });
    }

    // Walter's binding result ends between 90 % and 98 % of its limit, and one
    // step more of the changed input in its last decimal reaches 98 %.
    const std::string fittedVc = text("BaseVc");
    const std::string fittedFz = text("Basefz");
    for (const Bound bound : c.bound) {
        SCOPED_TRACE(static_cast<int>(bound));
        EXPECT_GE(share(bound), 0.90);
        EXPECT_LT(share(bound), kFitMargin);
        if (bound == Bound::SpindleSpeed)
            store().setText("BaseVc", formatFixed(store().real("BaseVc") + 0.001, 3));
        else
            store().setText("Basefz", formatFixed(store().real("Basefz") + 0.00001, 5));
        run({ "click BitCalcs" });
        EXPECT_GE(share(bound), kFitMargin);
        store().setText("BaseVc", fittedVc);
        store().setText("Basefz", fittedFz);
    }
}

INSTANTIATE_TEST_SUITE_P(Walter, MachineFitCases, ::testing::ValuesIn(kWalterCases));
INSTANTIATE_TEST_SUITE_P(Aluminium, MachineFitCases, ::testing::ValuesIn(kAluminiumCases));
INSTANTIATE_TEST_SUITE_P(Titanium, MachineFitCases, ::testing::ValuesIn(kTitaniumCases));

using MachineFitTest = StartedWindow;

TEST_F(MachineFitTest, AnInputThatStopsTheCalculationIsReportedByIt)
{
    type({ { "BaseZ", "0" } });
    EXPECT_EQ(run({ "click BitBtnStFit" }),
        "BOX\tПредупреждение...\tОшибка задания 'Числа зубьев' - z\n");
    EXPECT_EQ(text("BaseVc"), "1060.0");
}

TEST_F(MachineFitTest, TheResultsMenuItemFitsTheMethodShown)
{
    run({ "pick TabMach 1", "pick PageControlParam 1", "click N29" });
    EXPECT_EQ(store().index("PageControlMethods"), 1);
    EXPECT_EQ(text("BaseAlPasses"), "2");
    EXPECT_EQ(store().colour("EditTm"), colours::Blue);
    type({ { "BaseVc", "1600" } });
    run({ "pick TabMach 4", "pick PageControlParam 0", "click N29" });
    EXPECT_EQ(text("BaseVc"), "923.628");
    EXPECT_EQ(store().colour("EditStn"), colours::Green);
}

TEST_F(MachineFitTest, AnAluminiumSpeedByTheMachineIsOfferedAndPicked)
{
    run({ "pick PageControlParam 1", "pick TabMach 3" });
    // A thin cutter bends: a permissive limit leaves the speed the only red.
    type(
        { { "BaseAlD", "10" }, { "BaseAlB", "5" }, { "BaseAlT", "2" }, { "BaseAlDeflMax", "10" } });
    run({ "click BitCalcs", "click BitBtnAlFit" });
    ASSERT_GE(logLines().size(), 2u);
    EXPECT_EQ(logLines()[logLines().size() - 2],
        "Подбор по станку: V 899.662 → 376.991 — n 28637.131 → 11999.996 об/мин (предел 12000)");
    EXPECT_EQ(logLines().back(), "Подбор по станку: итог — все проверки в пределах станка и фрезы");
    EXPECT_EQ(store().items("EditV"),
        (std::vector<std::string> { "899.662", "7148.053", "899.662", "376.991 по станку" }));
    EXPECT_EQ(text("EditV"), "376.991 по станку");
    // n = 376.991 · 1000 / (π · 10) just under 12000; a metre a minute more
    // would reach it.
    EXPECT_EQ(text("Editn"), "11999.996");
    EXPECT_EQ(store().colour("Editn"), colours::Green);
    EXPECT_EQ(store().colour("EditTm"), colours::Blue);
    // "Расчет" goes back to the method's own accepted speed.
    run({ "click BitCalcs" });
    EXPECT_EQ(text("EditV"), "899.662");
}

TEST_F(MachineFitTest, PassesThatAreNoWholeNumberOfAtLeastOneAreCorrected)
{
    for (const char* bad : { "0", "2.5", "-1", "abc", "" }) {
        SCOPED_TRACE(bad);
        for (int page = 0; page < 3; ++page) {
            run({ ("pick PageControlParam " + std::to_string(page)).c_str() });
            store().setText(kPasses[page], bad);
            run({ "click BitCalcs" });
            EXPECT_EQ(text(kPasses[page]), "1");
            EXPECT_NE(std::find(logLines().begin(), logLines().end(),
                          "Ошибка задания 'Числа проходов' - i -> исправлено...."),
                logLines().end());
            run({ "ClearLog" });
        }
    }
    store().setText("BaseAlPasses", " 3 ");
    run({ "pick PageControlParam 1", "click BitCalcs" });
    EXPECT_EQ(text("BaseAlPasses"), " 3 ");
}

struct FormCase {
    const char* written; // as the fit's step writes it
    const char* original; // the field's text before the fit
    const char* shown;
};

TEST(FitLog, ValuesAreWrittenInTheFormOfTheirFieldsText)
{
    const FormCase cases[] = {
        { "1.000", "5.0", "1.0" }, // the depth per pass of "5.0"
        { "2.500", "5.0", "2.5" },
        { "1.000", "2", "1" },
        { "12.500", "25", "12.5" },
        { "1.667", "5.0", "1.667" }, // the decimals the value needs stay
        { "0.10416", "0.2", "0.10416" },
        { "0.20000", "0.3", "0.2" },
        { "1.55", "15.0", "1.55" },
        { "0.62", "15.0", "0.62" },
        { "10.00", "15.0", "10.0" },
        { "376.990", "899.662", "376.990" }, // a result's three decimals
        { "3.000", "1,50", "3.00" }, // a typed comma counts as the point
        { "12", "5.0", "12" },
    };
    for (const FormCase& c : cases) {
        SCOPED_TRACE(std::string(c.written) + " for " + c.original);
        EXPECT_EQ(inFieldForm(c.written, c.original), c.shown);
    }
}

TEST(FitSummary, SaysInShortWhatChanges)
{
    const FitInput vc { "BaseVc", "Vc", FitStep::Lower, 3 };
    const FitInput fz { "Basefz", "fz", FitStep::Lower, 5 };
    const FitInput t { "BaseAlT", "t", FitStep::Passes, 3, "BaseAlPasses" };
    const FitInput life { "ComboBoxTiTime", "T", FitStep::LaterItem, 0 };
    FitOutcome outcome;
    EXPECT_EQ(fitSummary(outcome), "—");
    outcome.changes = { { &vc, "1060.0", "912.345" }, { &fz, "0.1", "0.08123" } };
    EXPECT_EQ(fitSummary(outcome), "Vc 1060→912; fz 0.10→0.081");
    // Decimals enough to tell the two apart.
    outcome.changes = { { &fz, "0.1", "0.09999" } };
    EXPECT_EQ(fitSummary(outcome), "fz 0.1000→0.09999");
    outcome.changes = { { &t, "5.0", "2.500", 1, 2 }, { &life, "60", "120" } };
    EXPECT_EQ(fitSummary(outcome), "t 5.0→2.5, i=2; T 60→120");
    const FitInput width { "BaseTiB", "B", FitStep::Lower, 2 };
    outcome.changes = { { &width, "15.0", "1.18" }, { &t, "30", "6.000", 1, 5 } };
    EXPECT_EQ(fitSummary(outcome), "B 15→1.2; t 30→6.0, i=5");
    // The passes across the part a narrower width takes.
    outcome.changes = { { &width, "15.0", "0.62", 1, 1, 1, 25 } };
    EXPECT_EQ(fitSummary(outcome), "B 15→0.62, по ширине i=25");
    outcome.shortfalls = { { "Mz", 34, {} }, { "T", 7, {} } };
    EXPECT_EQ(fitSummary(outcome), "не подобрать: уменьшите Mz на 34 %, T на 7 %");
    // Where only the tool would do, the summary says what to change of it.
    outcome.shortfalls = { { "Mz", 34, {} }, { "δ", 0, "вылет L до 52.3 мм или увеличьте D" } };
    EXPECT_EQ(fitSummary(outcome),
        "не подобрать: уменьшите Mz на 34 %, вылет L до 52.3 мм или увеличьте D");
    outcome.within = true;
    outcome.shortfalls.clear();
    EXPECT_EQ(fitSummary(outcome), "—");
}

} // namespace
} // namespace millcalc
