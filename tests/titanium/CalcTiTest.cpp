#include "app/NumberText.h"
#include "app/Pi.h"
#include "scenario/ScenarioRunner.h"
#include "shell/FormMain.h"
#include "titanium/Titanium.h"
#include "titanium/TitaniumFormulas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace millcalc {
namespace {

constexpr const char* kOverhangRule
    = "Разность (L-B)=(длины реж части - ширины фрезерования)не должна превышать 10мм - по "
      "рекомендации";
constexpr const char* kBeyondTable
    = "Вылет инструмента L/D больше табличного - принят коэффициент Kf4=0.6";
constexpr const char* kTorqueOver = "Превышение максимального момента резания (Расчет Mz)";
// The start-up cutter bends under P = 4266.42 N by 4266.42 · 70³ / (3 · 210000 ·
// π · 20⁴ / 64) mm.
constexpr const char* kStartUpDeflection = "Отжим фрезы δ=0.2958 мм не ниже допустимого 0.0500 мм";

constexpr const char* kResultFields[] = {
    "EditTifz",
    "EditTiVc",
    "EditTin",
    "EditTiF",
    "EditTiPx",
    "EditTiPy",
    "EditTiP",
    "EditTiMz",
    "EditTiNct",
    "EditTiVsmall",
    "EditTinsmall",
    "EditTiFsmall",
    "EditTiNctsmall",
};

class CalcTiTest : public ::testing::Test {
protected:
    void SetUp() override { restart(); }

    // A fresh program on the titanium page.
    void restart()
    {
        out.str(std::string());
        runner_ = std::make_unique<ScenarioRunner>(out);
        ASSERT_TRUE(runner_->start());
        run("pick PageControlParam 2");
    }

    std::string run(const std::string& line)
    {
        out.str(std::string());
        runner_->runLine(line);
        return out.str();
    }

    FormMain& form() { return runner_->form(); }

    // "Расчет"; returns what the user saw (log lines and boxes).
    std::string calculate() { return run("click BitCalcs"); }

    FieldStore& store() { return form().store(); }
    std::string text(const char* name) { return store().text(name); }
    Rgb colour(const char* name) { return store().colour(name); }

    std::vector<std::string> resultTexts()
    {
        std::vector<std::string> texts;
        for (const char* name : kResultFields)
            texts.push_back(text(name));
        return texts;
    }
    std::vector<Rgb> resultColours()
    {
        std::vector<Rgb> colours;
        for (const char* name : kResultFields)
            colours.push_back(colour(name));
        return colours;
    }

    std::ostringstream out;

private:
    std::unique_ptr<ScenarioRunner> runner_;
};

std::string logLines(std::initializer_list<const char*> lines)
{
    std::string events;
    for (const char* line : lines)
        events += std::string("LOG\t") + line + "\n";
    return events;
}

// The start-up job: D 25, z 3, B 15, t 5, L 70, hz 0.3, T 60, "ВТ20", climb
// milling, Pz taken as Py, Cx 3850 and Cy 1040.
titanium::TitaniumInputs startupJob()
{
    titanium::TitaniumInputs in;
    in.diameterMm = 25;
    in.teeth = 3;
    in.widthMm = 15;
    in.depthMm = 5;
    in.overhangMm = 70;
    in.wearMm = 0.3;
    in.toolLifeMin = 60;
    in.cx = 3850;
    in.cy = 1040;
    return in;
}

struct Shown {
    const char* field;
    const char* text;
    Rgb colour;
};

// The start-up job on machine row 0.
constexpr Shown kWorkedExample[] = {
    { "EditTifz", "0.06938", colours::Green },
    { "EditTiVc", "32.693", colours::Black },
    { "EditTin", "416.264", colours::Green },
    { "EditTiF", "86.64", colours::Green },
    { "EditTiPx", "4225.13", colours::Black },
    { "EditTiPy", "592.13", colours::Green },
    { "EditTiP", "4266.42", colours::Black },
    { "EditTiMz", "7.40", colours::Green }, // 592.13 · 25 / 2000
    { "EditTiNct", "0.32", colours::Green },
    { "EditTiVsmall", "46.357", colours::Black },
    { "EditTinsmall", "590.235", colours::Black },
    { "EditTiFsmall", "122.85", colours::Black },
    { "EditTiNctsmall", "0.45", colours::Black },
};

TEST_F(CalcTiTest, WorkedExampleShowsEveryResultAndLogsTheDeflectionLast)
{
    EXPECT_EQ(calculate(), logLines({ kOverhangRule, kStartUpDeflection }));
    EXPECT_EQ(colour("EditTiDefl"), colours::Red);
    for (const Shown& s : kWorkedExample) {
        EXPECT_EQ(text(s.field), s.text) << s.field;
        EXPECT_EQ(colour(s.field), s.colour) << s.field;
    }
    EXPECT_TRUE(store().visible("PanelCalc"));
    EXPECT_EQ(CalcTi(form()), 0);
}

TEST_F(CalcTiTest, WorkedExampleFactors)
{
    titanium::TitaniumInputs in = startupJob();
    const titanium::TitaniumFactors k = titanium::titaniumFactors(in);
    EXPECT_EQ(k.Kf3, 1.0);
    EXPECT_EQ(k.Kf4, 0.9);
    EXPECT_EQ(k.Kf5, 0.92);
    EXPECT_EQ(k.Kv2, 1.1);
    EXPECT_EQ(k.Kv3, 1.2);
    EXPECT_FALSE(k.overhangBeyondTable);
}

TEST_F(CalcTiTest, ResultsOfTheLastRunDoNotDependOnTheirOwnTexts)
{
    // Every value goes on at full precision; a text typed into a result field
    // is display only and never read back.
    run("set EditTifz 1.0");
    run("set EditTiVc 999");
    run("set EditTin 5");
    calculate();
    for (const Shown& s : kWorkedExample)
        EXPECT_EQ(text(s.field), s.text) << s.field;
}

TEST_F(CalcTiTest, OtherMachineRowsHaveOtherLimits)
{
    // "ВТ 6ч" takes Py 4879.39 N: 60.99 N·m is beyond V-STAR's 57 N·m, but
    // row 1 allows 1300 N·m. Its P, 13510.46 N, bends the cutter by 0.9366 mm.
    run("pick ComboBoxTiMaterial 2");
    const std::string deflection = "Отжим фрезы δ=0.9366 мм не ниже допустимого 0.0500 мм";
    EXPECT_EQ(calculate(), logLines({ kOverhangRule, kTorqueOver, deflection.c_str() }));
    EXPECT_EQ(text("EditTiMz"), "60.99");
    EXPECT_EQ(colour("EditTiMz"), colours::Red);
    run("pick TabMach 1");
    EXPECT_EQ(calculate(), logLines({ kOverhangRule, deflection.c_str() }));
    EXPECT_EQ(text("EditTiMz"), "60.99");
    EXPECT_EQ(colour("EditTiMz"), colours::Green);
}

struct TorqueCase {
    int alloy;
    int force; // RadioGroupTiPz
    int machine;
    const char* Mz; // the chosen force, as shown, times 25 / 2000
    Rgb colour;
};

constexpr TorqueCase kTorqueCases[] = {
    { 0, 1, 0, "7.40", colours::Green }, // Py 592.13
    { 0, 0, 0, "52.81", colours::Green }, // Px 4225.13: 52.814
    { 0, 2, 4, "53.33", colours::Red }, // P 4266.42 against Variaxis's 30 N·m
    { 2, 1, 0, "60.99", colours::Red }, // Py 4879.39 against V-STAR's 57 N·m
    { 2, 0, 1, "157.48", colours::Green }, // Px 12598.58 against ВС-5ВС's 1300 N·m
};

TEST_F(CalcTiTest, TorqueIsTheChosenForceTimesDiameterOver2000)
{
    for (const TorqueCase& c : kTorqueCases) {
        restart();
        run("pick ComboBoxTiMaterial " + std::to_string(c.alloy));
        run("pick RadioGroupTiPz " + std::to_string(c.force));
        run("pick TabMach " + std::to_string(c.machine));
        const std::string seen = calculate();
        EXPECT_EQ(text("EditTiMz"), c.Mz) << c.alloy << " " << c.force;
        EXPECT_EQ(colour("EditTiMz"), c.colour) << c.alloy << " " << c.force;
        EXPECT_EQ(seen.find(kTorqueOver) != std::string::npos, c.colour == colours::Red) << seen;
    }
}

TEST_F(CalcTiTest, TorqueTimesAngularSpeedIsThePowerOfTheCut)
{
    // Mz · ω = Pz · D/2000 · 2π · n/60 with n = V · 1000/(π · D) is Pz · V/60 W;
    // the power Pz · V/61200 kW takes 1020 for 1000, 2 % less.
    for (int alloy : { 0, 1, 2 }) {
        titanium::TitaniumInputs in = startupJob();
        in.alloy = alloy;
        const titanium::TitaniumResults r = titanium::computeTitanium(in);
        const double omega = 2 * kPi * r.n / 60;
        EXPECT_NEAR(r.Mz * omega / 1000, 1.02 * r.Nct, 1e-12 * r.Nct) << alloy;
        const double omegaSmall = 2 * kPi * r.ns / 60;
        EXPECT_NEAR(r.Mz * omegaSmall / 1000, 1.02 * r.Ncts, 1e-12 * r.Ncts) << alloy;
    }
}

struct AlloyCase {
    int alloy;
    const char* cx;
    const char* cy;
    const char* V;
    const char* n;
    const char* Px;
    const char* Py;
    const char* Mz;
    const char* Nct;
};

constexpr AlloyCase kAlloys[] = {
    { 0, "3850.", "1040.", "32.693", "416.264", "4225.13", "592.13", "7.40", "0.32" },
    { 1, "3850.", "1040.", "25.607", "326.037", "4225.13", "592.13", "7.40", "0.25" },
    { 2, "11480.", "8570.", "26.155", "333.011", "12598.58", "4879.39", "60.99", "2.09" },
};

TEST_F(CalcTiTest, AlloyPicksSpeedConstantsAndForceCoefficients)
{
    for (const AlloyCase& c : kAlloys) {
        run("pick ComboBoxTiMaterial " + std::to_string(c.alloy));
        EXPECT_EQ(text("EditTiPxcoeff"), c.cx);
        EXPECT_EQ(text("EditTiPycoeff"), c.cy);
        calculate();
        EXPECT_EQ(text("EditTifz"), "0.06938") << c.alloy;
        EXPECT_EQ(text("EditTiVc"), c.V) << c.alloy;
        EXPECT_EQ(text("EditTin"), c.n) << c.alloy;
        EXPECT_EQ(text("EditTiPx"), c.Px) << c.alloy;
        EXPECT_EQ(text("EditTiPy"), c.Py) << c.alloy;
        EXPECT_EQ(text("EditTiMz"), c.Mz) << c.alloy;
        EXPECT_EQ(text("EditTiNct"), c.Nct) << c.alloy;
        // The low-rigidity speed does not depend on the alloy.
        EXPECT_EQ(text("EditTiVsmall"), "46.357") << c.alloy;
    }
}

TEST_F(CalcTiTest, SkinAndCoolantActOnVT22Only)
{
    for (int alloy : { 0, 2 }) {
        run("pick ComboBoxTiMaterial " + std::to_string(alloy));
        run("pick RadioGroupTiSkin 0");
        run("pick RadioGroupTiCoolnt 0");
        calculate();
        const std::vector<std::string> plain = resultTexts();
        run("pick RadioGroupTiSkin 1");
        run("pick RadioGroupTiCoolnt 1");
        calculate();
        EXPECT_EQ(resultTexts(), plain) << alloy;
    }
    run("pick ComboBoxTiMaterial 1");
    calculate();
    EXPECT_EQ(text("EditTiVc"), "14.340"); // 25.607 · 0.7 · 0.8
}

TEST_F(CalcTiTest, SpeedFactorsMultiplyTheVT22SpeedExactlyOnce)
{
    titanium::TitaniumInputs in = startupJob();
    in.alloy = 1;
    const double plain = titanium::computeTitanium(in).V;
    in.skin = 1;
    in.coolant = 1;
    EXPECT_NEAR(titanium::computeTitanium(in).V, plain * 0.7 * 0.8, 1e-12);
    in.alloy = 0;
    const double vt20 = titanium::computeTitanium(in).V;
    in.alloy = 2;
    EXPECT_NEAR(titanium::computeTitanium(in).V, vt20 * 0.8, 1e-12);
}

struct BadInput {
    const char* field;
    const char* suggestion;
    const char* message;
};

constexpr BadInput kBadInputs[] = {
    { "BaseTiD", "25.000", "Ошибка задания 'диаметра инструмента' - D" },
    { "BaseTiZ", "3", "Ошибка задания 'Числа зубьев' - z" },
    { "BaseTiB", "5.00", "Ошибка задания 'Ширины реза' - B" },
    { "BaseTiT", "2.500", "Ошибка задания 'Глубина реза' - t" },
    { "BaseTiL", "10.00", "Ошибка задания 'Вылет инструмента - длина' - L" },
    { "BaseTihz", "0.30", "Ошибка задания - Критерий затупления, hz" },
};

TEST_F(CalcTiTest, BadInputIsCorrectedFocusedAndStopsTheRun)
{
    calculate();
    const std::vector<std::string> before = resultTexts();
    const std::vector<Rgb> coloursBefore = resultColours();
    for (const BadInput& bad : kBadInputs) {
        for (const char* typed : { "0", "abc", "-1", "", "0.0" }) {
            restart();
            calculate();
            run(std::string("set ") + bad.field + " " + typed);
            EXPECT_EQ(calculate(), std::string("BOX\tПредупреждение...\t") + bad.message + "\n")
                << bad.field << " \"" << typed << "\"";
            EXPECT_EQ(text(bad.field), bad.suggestion) << bad.field;
            EXPECT_EQ(store().focused(), bad.field);
            EXPECT_TRUE(store().selectedAll(bad.field)) << bad.field;
            EXPECT_EQ(resultTexts(), before) << bad.field;
            EXPECT_EQ(resultColours(), coloursBefore) << bad.field;
            EXPECT_EQ(CalcTi(form()), 0) << "the suggestion is a valid input";
        }
    }
}

TEST_F(CalcTiTest, OnlyTheFirstBadInputIsCorrected)
{
    run("set BaseTiB 0");
    run("set BaseTiZ abc");
    run("set BaseTihz -3");
    EXPECT_EQ(calculate(), "BOX\tПредупреждение...\tОшибка задания 'Числа зубьев' - z\n");
    EXPECT_EQ(text("BaseTiZ"), "3");
    EXPECT_EQ(text("BaseTiB"), "0");
    EXPECT_EQ(text("BaseTihz"), "-3");
    EXPECT_EQ(CalcTi(form()), -1);
    EXPECT_EQ(text("BaseTiB"), "5.00");
    EXPECT_EQ(text("BaseTihz"), "-3");
}

TEST_F(CalcTiTest, ToothCountReadsItsWholePart)
{
    run("set BaseTiZ 2.9");
    // fz 1.3 times the start-up one: P 5190.4 N bends the cutter by 0.3598 mm.
    EXPECT_EQ(calculate(),
        logLines({ kOverhangRule, "Отжим фрезы δ=0.3598 мм не ниже допустимого 0.0500 мм" }));
    EXPECT_EQ(text("BaseTiZ"), "2.9");
    EXPECT_EQ(text("EditTifz"), "0.09019"); // Kf3 1.3 for two teeth
    EXPECT_EQ(text("EditTiF"), "66.73");

    run("set BaseTiZ 0.5");
    EXPECT_EQ(calculate(), "BOX\tПредупреждение...\tОшибка задания 'Числа зубьев' - z\n");
    EXPECT_EQ(text("BaseTiZ"), "3");
    EXPECT_EQ(text("EditTifz"), "0.09019");
}

struct OverhangRuleCase {
    const char* L;
    const char* B;
    bool logged;
};

constexpr OverhangRuleCase kOverhangRuleCases[] = {
    { "25", "15", false },
    { "15", "30", true },
    { "5", "15", false },
    { "26", "15", true },
    { "4.9", "15", true },
    { "70", "15", true },
};

TEST_F(CalcTiTest, OverhangRuleLogsAnAbsoluteDifferenceAboveTenOnly)
{
    for (const OverhangRuleCase& c : kOverhangRuleCases) {
        run(std::string("set BaseTiL ") + c.L);
        run(std::string("set BaseTiB ") + c.B);
        const std::string seen = calculate();
        EXPECT_EQ(seen.rfind(std::string("LOG\t") + kOverhangRule + "\n", 0) == 0, c.logged)
            << "L " << c.L << ", B " << c.B << ": " << seen;
        EXPECT_NE(text("EditTifz"), "0.00000") << "the run goes on";
    }
}

TEST_F(CalcTiTest, OverhangBeyondTheTableFeedsNoFasterThanTheLastRow)
{
    run("set BaseTiD 10");
    run("set BaseTiL 35"); // L/D 3.5, the last row of the first column
    EXPECT_EQ(calculate(),
        logLines({ kOverhangRule, "Отжим фрезы δ=0.6432 мм не ниже допустимого 0.0500 мм" }));
    const std::vector<std::string> lastRow = resultTexts();
    EXPECT_EQ(text("EditTifz"), "0.02326");

    // The same force on a longer cutter: δ as L³, 0.6432 · (36 / 35)³.
    run("set BaseTiL 36");
    EXPECT_EQ(calculate(),
        logLines({ kOverhangRule, kBeyondTable,
            "Отжим фрезы δ=0.6999 мм не ниже допустимого 0.0500 мм" }));
    EXPECT_EQ(resultTexts(), lastRow);

    run("set BaseTiL 15"); // L/D 1.5, row 1: the short overhang feeds faster
    calculate();
    EXPECT_GT(store().real("EditTifz"), 0.02326);
}

TEST_F(CalcTiTest, AResultEqualToItsLimitCountsAsReachingIt)
{
    FormMain& window = form();
    titanium::writeMarked(window, "EditTin", "18000.000", 18000.0, 18000.0, colours::Green,
        "Превышение числа оборотов");
    EXPECT_EQ(colour("EditTin"), colours::Red);
    EXPECT_EQ(text("EditTin"), "18000.000");
    titanium::writeMarked(window, "EditTinsmall", "17999.999", std::nextafter(18000.0, 0.0),
        18000.0, colours::Black, "ДЕТАЛЬ МАЛОЙ ЖЕСТКОСТИ-Превышение числа оборотов");
    EXPECT_EQ(colour("EditTinsmall"), colours::Black);
    titanium::writeMarked(window, "EditTiF", "1.00", 1.0, 2.0, colours::Green, "unused");
    EXPECT_EQ(colour("EditTiF"), colours::Green);
    std::vector<std::string> lines = store().items("ElFlatMemoMes");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "Превышение числа оборотов");
}

TEST_F(CalcTiTest, ForceCoefficientsAreReadFromTheirFieldsAsWholeNumbers)
{
    run("set EditTiPxcoeff abc");
    run("set EditTiPycoeff 1040.9");
    run("pick RadioGroupTiPz 0");
    EXPECT_EQ(calculate(), logLines({ kOverhangRule }));
    EXPECT_EQ(text("EditTiPx"), "0.00");
    EXPECT_EQ(text("EditTiPy"), "592.13");
    EXPECT_EQ(text("EditTiP"), "592.13");
    EXPECT_EQ(text("EditTiMz"), "0.00");
    EXPECT_EQ(colour("EditTiPx"), colours::Green);
}

TEST_F(CalcTiTest, NoToolLifeSelectedIsReportedInsteadOfAnInfiniteSpeed)
{
    calculate();
    const std::vector<std::string> before = resultTexts();
    // A user can only pick an item; the program may leave the list empty.
    store().setIndex("ComboBoxTiTime", -1);
    const std::string message = "Ошибка расчета - скорость резания V не вычисляется (бесконечное "
                                "или неопределенное значение): проверьте исходные данные";
    EXPECT_EQ(calculate(),
        logLines({ kOverhangRule }) + "LOG\t" + message + "\n" + "BOX\tПредупреждение...\t"
            + message + "\n");
    EXPECT_EQ(resultTexts(), before);
    EXPECT_EQ(CalcTi(form()), -1);
}

TEST_F(CalcTiTest, OverflowingForceIsReportedAndNothingIsWritten)
{
    run("set BaseTiD 1e300");
    run("set BaseTiL 1e300");
    const std::string seen = calculate();
    EXPECT_NE(seen.find("Ошибка расчета - сила резания P не вычисляется"), std::string::npos)
        << seen;
    for (const char* name : kResultFields) {
        EXPECT_EQ(text(name), "0.00000") << name;
        EXPECT_EQ(text(name).find("inf"), std::string::npos) << name;
        EXPECT_EQ(text(name).find("nan"), std::string::npos) << name;
    }
}

TEST_F(CalcTiTest, ExtremeButFiniteInputsNeverShowInfOrNan)
{
    for (const char* d : { "1e-300", "1e-5", "1e5", "1e150" }) {
        for (const char* b : { "1e-300", "0.001", "1e100" }) {
            restart();
            run(std::string("set BaseTiD ") + d);
            run(std::string("set BaseTiB ") + b);
            run("set BaseTiT 1e-200");
            run("set BaseTihz 1e200");
            calculate();
            for (const char* name : kResultFields) {
                const std::string shown = text(name);
                EXPECT_EQ(shown.find("inf"), std::string::npos) << name << " D " << d << " B " << b;
                EXPECT_EQ(shown.find("nan"), std::string::npos) << name << " D " << d << " B " << b;
            }
        }
    }
}

} // namespace
} // namespace millcalc
