#include "robust/RandomSession.h"
#include "support/BareFormulas.h"

#include "StartedWindow.h"
#include "app/NumberText.h"
#include "scenario/ScenarioRunner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace millcalc::robust {
namespace {

using bench::InputTexts;

// The oracle itself first: on the start-up inputs it gives the worked
// examples' figures.
TEST(BareFormulas, GiveTheWorkedExamplesFigures)
{
    const bench::MachineLimits row0 { 18000, 60000, 40, 57, 6700 };
    InputTexts walter { "25.0", "3", "15.0", "5.0", "1060.0", "0.1", "90.0", "2.0", "700.01",
        "0.2501", "0.70" };
    bench::WalterTexts w;
    bench::walterWithTexts(walter, row0, w);
    EXPECT_EQ(w,
        (bench::WalterTexts { "13496.339", "1060.000", "4048.90", "0.10000", "303.66750", "0.20",
            "90.00000", "0.09941961", "1221.97567", "8.83510", "40.00000", "28.30189" }));

    InputTexts aluminium { "25.0", "3", "15.0", "5.0", "0.70", "0.04", "0.75", "0.1", "0.22",
        "0.584", "1097.0", "0.86", "0.81", "0.47", "49.0", "0.684", "0.548", "0.286", "1.134",
        "246", "0.684", "0.546", "0.168", "0.118" };
    bench::AluminiumTexts a;
    bench::aluminiumWithTexts(aluminium, row0, a);
    EXPECT_EQ(std::vector<std::string>(a.begin() + 2, a.begin() + 9),
        (std::vector<std::string> {
            "0.123", "2296.103", "751.968", "751.968", "9574.354", "3532.937", "108" }));

    InputTexts titanium { "25.0", "3", "15.0", "5.0", "70.0", "0.3", "60", "3850.", "1040." };
    bench::TitaniumTexts t;
    bench::titaniumWithTexts(titanium, row0, t);
    EXPECT_EQ(t,
        (bench::TitaniumTexts { "0.06938", "32.693", "416.264", "86.64", "4225.13", "592.13",
            "4266.42", "7.40", "0.32", "46.357", "590.235", "122.85", "0.45" }));
}

double between(SessionRandom& random, double low, double high)
{
    return low + (high - low) * static_cast<double>(random.below(1000001)) / 1e6;
}

std::string number(SessionRandom& random, double low, double high, int decimals)
{
    return formatFixed(between(random, low, high), decimals);
}

// Whether two texts of a result agree to one unit of the last decimal shown:
// the program may multiply in another order and round a last digit the other
// way, and nothing more.
bool agree(const std::string& shown, const std::string& expected)
{
    if (shown == expected)
        return true;
    const std::size_t point = expected.find('.');
    const int decimals
        = point == std::string::npos ? 0 : static_cast<int>(expected.size() - point - 1);
    const double a = readReal(shown);
    const double b = readReal(expected);
    return std::fabs(a - b) <= std::pow(10.0, -decimals) * 1.001 + std::fabs(b) * 1e-12;
}

class Differential : public StartedWindow {
protected:
    void run(const std::vector<std::string>& lines)
    {
        for (const std::string& line : lines)
            runner.runLine(line);
    }

    template <std::size_t N> InputTexts inputs(const std::array<const char*, N>& names)
    {
        InputTexts texts;
        for (std::size_t i = 0; i < N; ++i)
            texts[i] = store().text(names[i]);
        return texts;
    }

    bench::MachineLimits machine()
    {
        const MachineRecord& m = runner.form().machine();
        return { m.MaxSpindleSpeed, m.MaxFeed, m.MaxPower, m.MaxTorque, m.CriticalSpindleSpeed };
    }

    template <std::size_t N, std::size_t M>
    std::string compare(
        const std::array<const char*, N>& fields, const std::array<std::string, M>& expected)
    {
        std::string faults;
        for (std::size_t i = 0; i < N; ++i) {
            if (!agree(store().text(fields[i]), expected[i]))
                faults += std::string(fields[i]) + " shows " + store().text(fields[i])
                    + ", the formulas give " + expected[i] + "; ";
        }
        return faults;
    }
};

constexpr int kCuts = 500;

TEST_F(Differential, WalterCalculateAgreesWithTheFormulasOnRandomCuts)
{
    SessionRandom random(2024);
    for (int cut = 0; cut < kCuts; ++cut) {
        const double D = readReal(number(random, 2, 100, 1));
        const std::vector<std::string> lines {
            "pick TabMach " + formatWhole(random.below(5)),
            "set BaseD " + formatFixed(D, 1),
            "pick BaseZ " + formatWhole(random.below(9)),
            "set BaseB " + number(random, 0.5, 40, 2),
            // A cut no deeper than the cutter: the contact angle exists.
            "set BaseT " + formatFixed(std::floor(between(random, 0.02, 1.0) * D * 100) / 100, 2),
            "set BaseVc " + number(random, 20, 1500, 1),
            "set Basefz " + number(random, 0.01, 0.4, 3),
            "set EditStk " + number(random, 1, 179, 1),
            "set EditStGamma0 " + number(random, -20, 30, 1),
            "set EditStKc11 " + number(random, 500, 3500, 0),
            "set EditStMc " + number(random, 0.15, 0.35, 2),
            "pick ComboBoxStkpd " + formatWhole(random.below(6)),
            "pick ComboBoxStContact " + formatWhole(random.below(2)),
            std::string("check CheckBoxhm2 ") + (random.chance(30) ? "1" : "0"),
        };
        run(lines);
        if (readReal(store().text("BaseT")) <= 0)
            continue;
        const InputTexts in = inputs(bench::kWalterInputs);
        const bench::WalterChoices choices { store().index("ComboBoxStContact"),
            store().checked("CheckBoxhm2") };
        run({ "click BitCalcs" });
        bench::WalterTexts expected;
        bench::walterWithTexts(in, machine(), expected, choices);
        EXPECT_EQ(compare(bench::kWalterFields, expected), "") << "cut " << cut;
    }
}

TEST_F(Differential, CalcAluminiumAgreesWithTheFormulasOnRandomCuts)
{
    SessionRandom random(2025);
    run({ "pick PageControlParam 1" });
    for (int cut = 0; cut < kCuts; ++cut) {
        const int machineRow = random.below(5);
        run({
            "pick TabMach " + formatWhole(machineRow),
            "pick ComboBoxMaterial " + formatWhole(random.below(3)),
            "pick ComboBoxRa " + formatWhole(random.below(3)),
            "pick ComboBoxTkpd " + formatWhole(random.below(7)),
            "set BaseAlD " + number(random, 5, 100, 1),
            "pick BaseAlZ " + formatWhole(random.below(9)),
            "set BaseAlB " + number(random, 0.5, 60, 2),
            "set BaseAlT " + number(random, 0.5, 30, 2),
        });
        const InputTexts in = inputs(bench::kAluminiumInputs);
        run({ "click BitCalcs" });
        bench::AluminiumTexts expected;
        bench::aluminiumWithTexts(in, machine(), expected);
        std::string faults = compare(bench::kAluminiumFields, expected);
        // The spindle-load table belongs to the first two machines.
        for (std::size_t i = 12; machineRow < 2 && i < expected.size(); ++i) {
            const int column = static_cast<int>((i - 12) % 2);
            const int row = 1 + static_cast<int>((i - 12) / 2);
            if (store().cell("StringGridP", column, row) != expected[i])
                faults += "StringGridP " + formatWhole(column) + "," + formatWhole(row) + " shows "
                    + store().cell("StringGridP", column, row) + ", the formulas give "
                    + expected[i] + "; ";
        }
        EXPECT_EQ(faults, "") << "cut " << cut;
    }
}

TEST_F(Differential, CalcTiAgreesWithTheFormulasOnRandomCuts)
{
    SessionRandom random(2026);
    run({ "pick PageControlParam 2" });
    for (int cut = 0; cut < kCuts; ++cut) {
        run({
            "pick TabMach " + formatWhole(random.below(5)),
            "set BaseTiD " + number(random, 3, 100, 1),
            "pick BaseTiZ " + formatWhole(random.below(9)),
            "set BaseTiB " + number(random, 1, 60, 2),
            "set BaseTiT " + number(random, 0.5, 30, 2),
            "set BaseTiL " + number(random, 10, 150, 1),
            "set BaseTihz " + number(random, 0.05, 0.6, 2),
            "pick ComboBoxTiTime " + formatWhole(random.below(6)),
            "pick ComboBoxTiMaterial " + formatWhole(random.below(3)),
            "pick RadioGroupTiMaterial " + formatWhole(random.below(2)),
            "pick RadioGroupTiSurface " + formatWhole(random.below(3)),
            "pick RadioGroupTiSkin " + formatWhole(random.below(2)),
            "pick RadioGroupTiCoolnt " + formatWhole(random.below(2)),
            "pick RadioGroupTiDirection " + formatWhole(random.below(2)),
            "pick RadioGroupTiTypeDetal " + formatWhole(random.below(3)),
            "pick RadioGroupTiPz " + formatWhole(random.below(3)),
        });
        const InputTexts in = inputs(bench::kTitaniumInputs);
        bench::TitaniumChoices choices;
        choices.alloy = store().index("ComboBoxTiMaterial");
        choices.toolMaterial = store().index("RadioGroupTiMaterial");
        choices.surface = store().index("RadioGroupTiSurface");
        choices.skin = store().index("RadioGroupTiSkin");
        choices.coolant = store().index("RadioGroupTiCoolnt");
        choices.direction = store().index("RadioGroupTiDirection");
        choices.partType = store().index("RadioGroupTiTypeDetal");
        choices.force = store().index("RadioGroupTiPz");
        run({ "click BitCalcs" });
        bench::TitaniumTexts expected;
        bench::titaniumWithTexts(in, machine(), expected, choices);
        EXPECT_EQ(compare(bench::kTitaniumFields, expected), "") << "cut " << cut;
    }
}

} // namespace
} // namespace millcalc::robust
