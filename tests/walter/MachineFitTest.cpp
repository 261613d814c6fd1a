#include "shell/MachineFit.h"

#include "StartedWindow.h"

#include "app/NumberText.h"
#include "shell/Methods.h"

#include <algorithm>
#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace millcalc {
namespace {

// The result that a fit step bound to its limit.
enum class Bound { SpindleSpeed, Feed, Power };

struct FitCase {
    const char* name;
    int machine;
    std::vector<std::pair<const char*, const char*>> inputs;
    std::vector<const char*> lines; // the fit's own log lines, in order
    std::vector<Bound> bound;
    bool floor = false; // the chip-thickness floor leaves the cut beyond the machine
    const char* stillRed = "EditStP"; // what stays beyond it then
    bool approximate = false; // the approximate chip thickness (ae/Dc < 30 %)
};

void PrintTo(const FitCase& c, std::ostream* out)
{
    *out << c.name;
}

const FitCase kFitCases[] = {
    { "spindle speed: Vc down", 3, { { "BaseVc", "1600" } },
        { "Подбор по станку: Vc 1600 -> 923.628 м/мин: n=20371.833 об/мин не ниже предела станка "
          "12000 об/мин" },
        { Bound::SpindleSpeed } },
    { "table feed: fz down", 1, { { "BaseZ", "6" }, { "Basefz", "0.15" }, { "BaseB", "5" } },
        { "Подбор по станку: fz 0.15 -> 0.14522 мм/зуб: F=12146.71 мм/мин не ниже предела станка "
          "12000 мм/мин" },
        { Bound::Feed } },
    { "speed, then the feed at the new speed", 3,
        { { "BaseZ", "8" }, { "Basefz", "0.2" }, { "BaseB", "2" } },
        { "Подбор по станку: Vc 1060.0 -> 923.628 м/мин: n=13496.339 об/мин не ниже предела станка "
          "12000 об/мин",
            "Подбор по станку: fz 0.2 -> 0.10416 мм/зуб: F=18816.00 мм/мин не ниже предела станка "
            "10000 мм/мин" },
        { Bound::SpindleSpeed, Bound::Feed } },
    { "power above the critical speed", 2, { { "Basefz", "0.4" } },
        { "Подбор по станку: fz 0.4 -> 0.38965 мм/зуб: P=24.98599 кВт не ниже 98 % мощности станка "
          "при n (25.00000 кВт)" },
        { Bound::Power } },
    // Green against the drive's power, but more than the machine gives at
    // 1989 rpm: only fz comes down, Vc stays.
    { "power below the critical speed", 3,
        { { "BaseD", "80" }, { "BaseZ", "6" }, { "BaseVc", "500" }, { "BaseT", "20" },
            { "Basefz", "0.2" } },
        { "Подбор по станку: fz 0.2 -> 0.18798 мм/зуб: P=17.53803 кВт не ниже 98 % мощности станка "
          "при n (17.08333 кВт)" },
        { Bound::Power } },
    // The torque table of this machine promises 270 kW at 1989 rpm; its drive
    // gives 25.
    { "power below the critical speed, drive weaker than the torque", 1,
        { { "BaseD", "80" }, { "BaseZ", "6" }, { "BaseVc", "500" }, { "BaseT", "20" },
            { "BaseB", "30" }, { "Basefz", "0.2" } },
        { "Подбор по станку: fz 0.2 -> 0.12393 мм/зуб: P=35.07607 кВт не ниже 98 % мощности станка "
          "при n (25.00000 кВт)" },
        { Bound::Power } },
    { "already within the machine", 0, {}, { "Подбор по станку: режим в пределах станка" }, {} },
    { "chip thickness floor", 0, { { "BaseT", "25" }, { "BaseB", "60" } },
        { "Подбор по станку: fz 0.1 -> 0.03139 мм/зуб: P=197.49504 кВт не ниже 98 % мощности "
          "станка при n (40.00000 кВт)",
            "Подбор по станку: уменьшите ширину ap или глубину ae резания на 53 %: fz=0.03139 "
            "мм/зуб "
            "дает hm на пределе 0.02 мм, а P=82.83237 кВт не ниже 98 % мощности станка при n "
            "(40.00000 кВт)" },
        {}, true },
    // A narrow cut in approximate mode: the chip is a tenth of fz, and the
    // floor holds fz at 0.2 mm, still too fast a feed for 16 teeth.
    { "chip thickness floor on the feed", 3,
        { { "BaseZ", "16" }, { "BaseT", "0.25" }, { "BaseB", "2" }, { "BaseVc", "860" },
            { "Basefz", "0.3" } },
        { "Подбор по станку: fz 0.3 -> 0.20000 мм/зуб: F=52559.33 мм/мин не ниже предела станка "
          "10000 мм/мин",
            "Подбор по станку: уменьшите скорость резания Vc на 73 %: fz=0.20000 мм/зуб дает hm на "
            "пределе 0.02 мм, а F=35039.55 мм/мин не ниже 98 % предела станка 10000 мм/мин" },
        {}, true, "EditStVf", true },
};

class MachineFitCases : public StartedWindow, public ::testing::WithParamInterface<FitCase> {
protected:
    // The share of its limit that a bound result uses now.
    double share(Bound bound)
    {
        const MachineRecord& machine = form().machine();
        switch (bound) {
        case Bound::SpindleSpeed:
            return store().real("EditStn") / machine.MaxSpindleSpeed;
        case Bound::Feed:
            return store().real("EditStVf") / machine.MaxFeed;
        case Bound::Power:
            return store().real("EditStP") / std::min(store().real("EditStPn"), machine.MaxPower);
        }
        return 0;
    }

    std::map<std::string, std::string> walterInputs()
    {
        std::map<std::string, std::string> inputs;
        for (const auto& [name, field] : store().fields()) {
            if (field.parent == "TabSheet1")
                inputs[name] = store().text(name) + '#' + std::to_string(field.index);
        }
        inputs["TabMach"] = std::to_string(store().index("TabMach"));
        return inputs;
    }

    std::vector<std::string> fitLines(std::size_t from)
    {
        std::vector<std::string> lines;
        for (std::size_t i = from; i < logLines().size(); ++i) {
            if (logLines()[i].rfind("Подбор по станку: ", 0) == 0)
                lines.push_back(logLines()[i]);
        }
        return lines;
    }
};

TEST_P(MachineFitCases, ChangesOnlyVcAndFzJustEnoughAndSaysWhy)
{
    const FitCase& c = GetParam();
    run({ ("pick TabMach " + std::to_string(c.machine)).c_str() });
    for (const auto& [name, value] : c.inputs)
        store().setText(name, value);
    if (c.approximate)
        run({ "check CheckBoxhm2 1" });
    run({ "click BitCalcs" });
    auto before = walterInputs();
    const std::size_t logged = logLines().size();

    EXPECT_EQ(run({ "click BitBtnStFit" }).find("BOX"), std::string::npos);

    EXPECT_EQ(fitLines(logged), std::vector<std::string>(c.lines.begin(), c.lines.end()));
    auto after = walterInputs();
    const bool speedChanged = after["BaseVc"] != before["BaseVc"];
    const bool feedChanged = after["Basefz"] != before["Basefz"];
    const auto changes = [&](const char* symbol) {
        return std::any_of(c.lines.begin(), c.lines.end(), [&](const std::string& line) {
            return line.find(std::string(": ") + symbol + " ") != std::string::npos;
        });
    };
    EXPECT_EQ(speedChanged, changes("Vc"));
    EXPECT_EQ(feedChanged, changes("fz"));
    before.erase("BaseVc");
    before.erase("Basefz");
    after.erase("BaseVc");
    after.erase("Basefz");
    EXPECT_EQ(after, before);

    // The results shown are those of the full calculation on the new inputs.
    const std::string n = text("EditStn");
    const std::string P = text("EditStP");
    run({ "click BitCalcs" });
    EXPECT_EQ(text("EditStn"), n);
    EXPECT_EQ(text("EditStP"), P);

    if (!c.floor) {
        for (const LimitCheck& check : methodAt(0)->checks)
            EXPECT_EQ(store().colour(check.field), colours::Green) << check.field;
    } else {
        EXPECT_EQ(store().colour(c.stillRed), colours::Red);
        EXPECT_GE(store().real("EditSthm2"), kLeastChipThickness);
    }

    const std::string fittedVc = text("BaseVc");
    const std::string fittedFz = text("Basefz");
    for (const Bound bound : c.bound) {
        SCOPED_TRACE(static_cast<int>(bound));
        EXPECT_GE(share(bound), 0.90);
        EXPECT_LT(share(bound), kFitMargin);
        // One step more of the changed input in its last decimal reaches the margin.
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

INSTANTIATE_TEST_SUITE_P(Walter, MachineFitCases, ::testing::ValuesIn(kFitCases));

using MachineFitTest = StartedWindow;

TEST_F(MachineFitTest, TheShareAtTheFloorIsWhatTheWidthMustLose)
{
    type({ { "BaseT", "25" }, { "BaseB", "60" } });
    run({ "click BitBtnStFit" });
    ASSERT_EQ(text("Basefz"), "0.03139");
    // 53 % less width takes the cut below 98 % of 40 kW; 52 % does not.
    store().setText("BaseB", formatFixed(60 * 0.47, 3));
    run({ "click BitCalcs" });
    EXPECT_LT(store().real("EditStP"), 0.98 * 40);
    store().setText("BaseB", formatFixed(60 * 0.48, 3));
    run({ "click BitCalcs" });
    EXPECT_GE(store().real("EditStP"), 0.98 * 40);
}

TEST_F(MachineFitTest, ACutterTooThinForAnySpeedIsNotCalledWithin)
{
    type({ { "BaseD", "0.00001" }, { "BaseT", "0.000005" } });
    run({ "click BitBtnStFit" });
    EXPECT_EQ(text("BaseVc"), "1060.0");
    EXPECT_EQ(logLines().front(),
        "Подбор по станку: увеличьте диаметр фрезы D: n=33740848511.039 об/мин не ниже предела "
        "станка "
        "18000 об/мин и при Vc=0.001 м/мин");
    EXPECT_EQ(store().colour("EditStn"), colours::Red);
}

TEST_F(MachineFitTest, AnInputThatStopsTheCalculationIsReportedByIt)
{
    type({ { "BaseZ", "0" } });
    EXPECT_EQ(run({ "click BitBtnStFit" }),
        "BOX\tПредупреждение...\tОшибка задания 'Числа зубьев' - z\n");
    EXPECT_EQ(text("BaseVc"), "1060.0");
}

TEST_F(MachineFitTest, TheResultsMenuItemFitsTheWalterCutAndShowsItsPage)
{
    type({ { "BaseVc", "1600" } });
    run({ "pick TabMach 4", "pick PageControlMethods 1", "click N29" });
    EXPECT_EQ(store().index("PageControlMethods"), 0);
    EXPECT_EQ(store().index("PageControlParam"), 0);
    EXPECT_EQ(text("BaseVc"), "923.628");
    EXPECT_EQ(store().colour("EditStn"), colours::Green);
}

} // namespace
} // namespace millcalc
