#include "app/CutterDeflection.h"

#include "StartedWindow.h"
#include "shell/compare/MachineComparison.h"
#include "shell/sheet/CalculationSheet.h"
#include "shell/table/Methods.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace millcalc {
namespace {

struct FormulaCase {
    const char* name;
    double forceN;
    double lengthMm;
    double diameterMm;
    double modulus;
    double deflectionMm;
};

// δ = F·L³/(3·E·I), I = π·(0.8·D)⁴/64 with the program's π 3.1415926, worked by
// hand to five significant digits.
const FormulaCase kFormulaCases[] = {
    // I = π·8⁴/64 = 201.06 mm⁴; 200·40³/(3·600000·201.06)
    { "carbide D10 L40 under 200 N", 200, 40, 10, kCarbideModulus, 0.035368 },
    // I = π·20⁴/64 = 7853.98 mm⁴; 4266.42·70³/(3·210000·7853.98)
    { "HSS D25 L70 under 4266.42 N", 4266.42, 70, 25, kHighSpeedSteelModulus, 0.29575 },
    { "carbide D25 L70 under 4266.42 N", 4266.42, 70, 25, kCarbideModulus, 0.10351 },
    // Twice the stick-out, eight times the deflection.
    { "carbide D10 L80 under 200 N", 200, 80, 10, kCarbideModulus, 0.28294 },
    { "no force", 0, 40, 10, kCarbideModulus, 0 },
};

TEST(CutterDeflection, CantileverClampedAtTheHolderAndLoadedAtItsTip)
{
    for (const FormulaCase& c : kFormulaCases) {
        EXPECT_NEAR(cutterDeflectionMm(c.forceN, c.lengthMm, c.diameterMm, c.modulus),
            c.deflectionMm, 5e-6 * std::max(c.deflectionMm, 1.0))
            << c.name;
    }
}

struct StepCase {
    const char* name;
    std::vector<const char*> setUp; // scenario lines before the step button
    const char* button;
    const char* result;
    const char* text;
    Rgb colour;
    const char* printed; // what the step prints: its log lines
};

// Each method's step on its own fields, force and cutter; the limit is the
// start-up 0.05 mm unless a case sets it.
const StepCase kStepCases[] = {
    { "aluminium: the worked example, carbide D10 L40 under Pz 200 N",
        { "set BaseAlD 10", "set BaseAlL 40", "set EditPz 200" }, "click BitBtnAlDefl1",
        "EditAlDefl", "0.0354", colours::Green, "" },
    { "aluminium: a limit exactly reached is red",
        { "set BaseAlD 10", "set BaseAlL 40", "set EditPz 200", "set BaseAlDeflMax 0.0354" },
        "click BitBtnAlDefl1", "EditAlDefl", "0.0354", colours::Red,
        "LOG\tОтжим фрезы δ=0.0354 мм не ниже допустимого 0.0354 мм\n" },
    { "aluminium: a decimal comma in the limit, just above δ",
        { "set BaseAlD 10", "set BaseAlL 40", "set EditPz 200", "set BaseAlDeflMax 0,0355" },
        "click BitBtnAlDefl1", "EditAlDefl", "0.0354", colours::Green, "" },
    // Ft = 60000·7·0.70/1000 = 294 N; I = π·16⁴/64 = 3216.99 mm⁴;
    // δ = 294·60³/(3·600000·3216.99) = 0.010967
    { "Walter: the tangential force of the computed power, carbide",
        { "set BaseD 20", "set BaseStL 60", "set EditStP 7.0", "pick ComboBoxStkpd 0",
            "set EditStVc 1000" },
        "click BitBtnStDefl", "EditStDefl", "0.0110", colours::Green, "" },
    { "Walter: the efficiency 0.95 pushes harder than 0.70",
        { "set BaseD 20", "set BaseStL 60", "set EditStP 7.0", "pick ComboBoxStkpd 4",
            "set EditStVc 1000" },
        // 294·0.95/0.70 = 399 N: 0.010967·0.95/0.70
        "click BitBtnStDefl", "EditStDefl", "0.0149", colours::Green, "" },
    { "Walter: no cutting speed yet, no force",
        { "set BaseD 20", "set BaseStL 60", "set EditStP 7.0", "set EditStVc 0.0" },
        "click BitBtnStDefl", "EditStDefl", "0.0000", colours::Green, "" },
    // I = π·12.8⁴/64 = 1317.68 mm⁴; δ = 1000·50³/(3·E·1317.68)
    { "titanium: a high-speed-steel cutter, E 210000",
        { "set BaseTiD 16", "set BaseTiL 50", "set EditTiP 1000", "pick RadioGroupTiMaterial 0" },
        "click BitBtnTiDefl", "EditTiDefl", "0.1506", colours::Red,
        "LOG\tОтжим фрезы δ=0.1506 мм не ниже допустимого 0.0500 мм\n" },
    { "titanium: a carbide cutter, E 600000",
        { "set BaseTiD 16", "set BaseTiL 50", "set EditTiP 1000", "pick RadioGroupTiMaterial 1",
            "set BaseTiDeflMax 0.06" },
        "click BitBtnTiDefl", "EditTiDefl", "0.0527", colours::Green, "" },
    { "L of 0: not computed, one line names it",
        { "set BaseAlD 10", "set BaseAlL 0", "set EditPz 200" }, "click BitBtnAlDefl1",
        "EditAlDefl", "0.0000", colours::Black, "LOG\tОшибка задания L<=0 (Расчет отжима)….\n" },
    { "a negative L", { "set BaseStL -40" }, "click BitBtnStDefl", "EditStDefl", "0.0000",
        colours::Black, "LOG\tОшибка задания L<=0 (Расчет отжима)….\n" },
    { "an L that is no number", { "set BaseTiL abc", "set EditTiP 1000" }, "click BitBtnTiDefl",
        "EditTiDefl", "0.0000", colours::Black, "LOG\tОшибка задания L<=0 (Расчет отжима)….\n" },
    { "a limit of 0", { "set BaseAlD 10", "set BaseAlL 40", "set BaseAlDeflMax 0" },
        "click BitBtnAlDefl1", "EditAlDefl", "0.0000", colours::Black,
        "LOG\tОшибка задания [δ]<=0 (Расчет отжима)….\n" },
    { "an empty limit and an empty L: a line each", { "set BaseTiDeflMax ", "set BaseTiL " },
        "click BitBtnTiDefl", "EditTiDefl", "0.0000", colours::Black,
        "LOG\tОшибка задания L<=0 (Расчет отжима)….\n"
        "LOG\tОшибка задания [δ]<=0 (Расчет отжима)….\n" },
    { "a D of 0", { "set BaseD 0" }, "click BitBtnStDefl", "EditStDefl", "0.0000", colours::Black,
        "LOG\tОшибка задания D<=0 (Расчет отжима)….\n" },
    { "a force beyond any number", { "set BaseAlD 10", "set BaseAlL 1e100", "set EditPz 1e100" },
        "click BitBtnAlDefl1", "EditAlDefl", "0.0000", colours::Black,
        "LOG\tПереполнение при расчете отжима фрезы δ - значение вне диапазона чисел. Проверьте "
        "исходные данные.\n" },
};

class DeflectionStep : public StartedWindow { };

TEST_F(DeflectionStep, EachMethodBendsItsCutterUnderItsOwnForce)
{
    for (const StepCase& c : kStepCases) {
        SCOPED_TRACE(c.name);
        ScenarioRunner fresh { out };
        ASSERT_TRUE(fresh.start());
        for (const char* line : c.setUp)
            fresh.runLine(line);
        out.str(std::string());
        fresh.runLine(c.button);
        EXPECT_EQ(out.str(), c.printed);
        const FieldStore& s = fresh.form().store();
        EXPECT_EQ(s.text(c.result), c.text);
        EXPECT_EQ(s.colour(c.result), c.colour);
    }
}

TEST_F(DeflectionStep, StartsWithTheShopsStickOutAndLimit)
{
    for (const auto& [field, start] : { std::pair { "BaseStL", "75.0" },
             std::pair { "BaseAlL", "75.0" }, std::pair { "BaseTiL", "70.0" },
             std::pair { "BaseStDeflMax", "0.05" }, std::pair { "BaseAlDeflMax", "0.05" },
             std::pair { "BaseTiDeflMax", "0.05" }, std::pair { "EditStDefl", "0.0000" },
             std::pair { "EditAlDefl", "0.0000" }, std::pair { "EditTiDefl", "0.0000" } })
        EXPECT_EQ(text(field), start) << field;
}

// The full calculations end with the deflection: Walter's 8.83510 kW at 0.70
// and 1060 m/min push with 350.07 N, 0.010447 mm on D25 L75; the aluminium Pz
// 137.15 N gives 0.0040928 mm.
TEST_F(DeflectionStep, RunsAtTheEndOfEveryFullCalculation)
{
    run({ "click BitCalcs" });
    EXPECT_EQ(text("EditStDefl"), "0.0104");
    EXPECT_EQ(store().colour("EditStDefl"), colours::Green);
    run({ "pick PageControlMethods 1", "click BitCalcs" });
    EXPECT_EQ(text("EditAlDefl"), "0.0041");
    EXPECT_EQ(store().colour("EditAlDefl"), colours::Green);
    // A pick of the other speed reruns the force, and the deflection with it.
    run({ "set EditAlDefl x", "pick EditV 1" });
    EXPECT_EQ(text("EditAlDefl"), "0.0036");
}

// The titanium run holds the shop's start-up cut, 0.2958 mm on a D25 HSS
// cutter at L70 under P 4266.42 N, against 0.05 mm: red, named by the
// comparison and the sheet, and logged last, as every method logs it.
TEST_F(DeflectionStep, TitaniumStartUpCutBendsBeyondItsLimit)
{
    const std::string printed = run({ "pick PageControlMethods 2", "click BitCalcs" });
    EXPECT_EQ(text("EditTiDefl"), "0.2958");
    EXPECT_EQ(store().colour("EditTiDefl"), colours::Red);
    const std::string line = "LOG\tОтжим фрезы δ=0.2958 мм не ниже допустимого 0.0500 мм\n";
    ASSERT_GE(printed.size(), line.size()) << printed;
    EXPECT_EQ(printed.substr(printed.size() - line.size()), line) << printed;

    const MachineComparison comparison = compareMachines(form());
    const auto column = std::find(comparison.symbols.begin(), comparison.symbols.end(), "δ");
    ASSERT_NE(column, comparison.symbols.end());
    const std::size_t i = static_cast<std::size_t>(column - comparison.symbols.begin());
    for (const MachineOutcome& machine : comparison.machines) {
        EXPECT_TRUE(machine.shares.at(i).red) << machine.name;
        EXPECT_DOUBLE_EQ(machine.shares.at(i).percent, 591) << machine.name;
    }

    const CalculationSheet sheet = buildCalculationSheet(form(), {}, "");
    const auto lineOf = [](const std::vector<SheetLine>& lines, const std::string& caption) {
        for (const SheetLine& line : lines) {
            if (line.caption == caption)
                return line;
        }
        return SheetLine {};
    };
    EXPECT_EQ(lineOf(sheet.inputs, "Вылет инструмента (длина режущ. части), L").value, "70.0");
    EXPECT_EQ(lineOf(sheet.inputs, "Допустимый отжим фрезы").value, "0.05");
    const SheetLine deflection = lineOf(sheet.results, "Отжим фрезы, δ");
    EXPECT_EQ(deflection.value, "0.2958");
    EXPECT_EQ(deflection.unit, "мм");
    // 591.6 %, down to the whole per cent as the comparison shows it.
    EXPECT_EQ(deflection.status, "превышение 591 %");
    EXPECT_NE(sheet.deflectionModel.find("δ = F·L³/(3·E·I)"), std::string::npos);
    EXPECT_NE(sheet.deflectionModel.find("F = P"), std::string::npos);

    EXPECT_EQ(run({ "click BitBtnTiDefl" }),
        "LOG\tОтжим фрезы δ=0.2958 мм не ниже допустимого 0.0500 мм\n");
}

// A deflection that is not computed is checked against nothing: the comparison
// leaves its cell empty and the sheet gives it no status.
TEST_F(DeflectionStep, NotComputedIsNoShareAndNoStatus)
{
    run({ "set BaseStDeflMax 0", "click BitCalcs" });
    const Method& walter = *methodAt(0);
    EXPECT_DOUBLE_EQ(limitOf(form(), walter, LimitKind::Deflection), 0);
    const MachineComparison comparison = compareMachines(form());
    ASSERT_EQ(comparison.symbols.back(), "δ");
    EXPECT_FALSE(comparison.machines[0].shares.back().checked);
    const CalculationSheet sheet = buildCalculationSheet(form(), {}, "");
    EXPECT_EQ(sheet.results.back().status, "");

    run({ "set BaseStDeflMax 0.08" });
    EXPECT_DOUBLE_EQ(limitOf(form(), walter, LimitKind::Deflection), 0.08);
    run({ "set BaseStL -1" });
    EXPECT_DOUBLE_EQ(limitOf(form(), walter, LimitKind::Deflection), 0);
}

} // namespace
} // namespace millcalc
