#include "shell/sheet/CalculationSheet.h"
#include "StartedWindow.h"
#include "app/FieldCaptions.h"
#include "scenario/ScenarioRunner.h"
#include "shell/FormMain.h"
#include "shell/compare/MachineComparison.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <string_view>

namespace millcalc {
namespace {

class Sheet : public StartedWindow {
protected:
    CalculationSheet sheet()
    {
        FormMain& form = runner.form();
        return buildCalculationSheet(form, form.record().shownLog(), "08.12.2026 10:15");
    }

    // By value: a reference kept from a call whose caption is a temporary is
    // what GCC 14's -Wdangling-reference refuses.
    static SheetLine line(const std::vector<SheetLine>& lines, std::string_view caption)
    {
        const auto it = std::find_if(
            lines.begin(), lines.end(), [&](const SheetLine& l) { return l.caption == caption; });
        if (it == lines.end())
            throw std::runtime_error("no line " + std::string(caption));
        return *it;
    }
};

struct LocalNumberCase {
    const char* text;
    const char* separator;
    const char* expected;
};

// What the program writes, and what a field may hold that is no number.
constexpr LocalNumberCase kLocalNumbers[] = {
    { "0.10000", ",", "0,10000" },
    { "13496.339", ",", "13496,339" },
    { "13496.339", ".", "13496.339" },
    { "-5.5", ",", "-5,5" },
    { "3850.", ",", "3850" }, // the force coefficients' text
    { "108", ",", "108" },
    { "...<=1.25", ",", "...<=1.25" },
    { "1.2.3", ",", "1.2.3" },
    { "12,5", ",", "12,5" }, // a typed comma stays as typed
    { ".5", ",", ".5" },
    { "", ",", "" },
    { "-", ",", "-" },
    { "n=18000 (об/мин)", ",", "n=18000 (об/мин)" },
};

TEST(LocalNumber, WritesOnlyPlainNumbersWithTheLocaleSeparator)
{
    for (const LocalNumberCase& c : kLocalNumbers)
        EXPECT_EQ(localNumber(c.text, c.separator), c.expected) << c.text;
}

TEST(FieldCaptions, DeclareEveryFieldOnceAndOnlyFieldsOfTheWindow)
{
    ScenarioRunner runner { std::cout };
    ASSERT_TRUE(runner.start());
    std::vector<std::string> seen;
    const auto take = [&](std::span<const FieldCaption> table) {
        for (const FieldCaption& entry : table) {
            EXPECT_TRUE(runner.form().store().has(entry.field)) << entry.field;
            EXPECT_EQ(std::count(seen.begin(), seen.end(), entry.field), 0) << entry.field;
            seen.push_back(entry.field);
            EXPECT_EQ(&fieldCaption(entry.field), &entry) << entry.field;
        }
    };
    for (const Method& method : methods()) {
        take(method.inputs);
        take(method.results);
        for (const CoefficientGroup& group : method.coefficients)
            take(group.coefficients);
    }
    EXPECT_THROW(fieldCaption("BitCalcs"), std::out_of_range);
}

// The input pages take every input's caption from the table: an input typed
// or picked has one; a check box or a radio group carries its own, and the
// Walter material stands under its group's title. A formula coefficient
// reads as its name and "=".
TEST(FieldCaptions, GiveEveryInputItsCaptionOnItsPage)
{
    for (const Method& method : methods()) {
        for (const FieldCaption& entry : method.inputs) {
            const bool ownCaption = entry.value != ValueKind::Text
                || std::string_view(entry.field) == "StaticTextStMaterial";
            EXPECT_EQ(entry.pageLabel == nullptr, ownCaption) << entry.field;
            if (entry.pageLabel) {
                EXPECT_NE(std::string_view(entry.pageLabel), "") << entry.field;
            }
        }
    }
    for (const CoefficientGroup& group : methodAt(1)->coefficients) {
        for (const FieldCaption& entry : group.coefficients) {
            ASSERT_NE(entry.pageLabel, nullptr) << entry.field;
            EXPECT_EQ(std::string(entry.pageLabel), std::string(entry.caption) + "=");
        }
    }
    // The passes stand beside the Walter depth per pass, on a line of their
    // own on the other pages.
    EXPECT_STREQ(fieldCaption("BaseStPasses").pageLabel, "i=");
    EXPECT_STREQ(fieldCaption("BaseAlPasses").pageLabel, "Число проходов, i =");
}

TEST_F(Sheet, WalterWorkedExampleMarksTheMachinePowerAtItsLimit)
{
    run("click BitCalcs");
    const CalculationSheet s = sheet();
    EXPECT_EQ(s.row, methodAt(0));
    EXPECT_EQ(s.method, "Фрезерование (Walter)");
    EXPECT_EQ(s.machine, "V-STAR (FOREST-LINE)");
    EXPECT_EQ(s.limits, runner.form().store().text("StatusBarMes"));
    EXPECT_EQ(line(s.results, "Обороты шпинделя, n").value, "13496.339");
    EXPECT_EQ(line(s.results, "Обороты шпинделя, n").status, "в норме");
    // Pn is what the machine delivers at n, here its whole power: a figure
    // of the machine, shown without a status, never an excess of the cut.
    const SheetLine power = line(s.results, "Мощность (принимаемая)");
    EXPECT_EQ(power.value, "40.00000");
    EXPECT_FALSE(power.exceeded);
    EXPECT_EQ(power.status, "");
    EXPECT_EQ(line(s.results, "Момент, M").status, "");
    EXPECT_EQ(line(s.results, "Мощность (рассчитанная)").status, "в норме");
    EXPECT_EQ(line(s.results, "Скорость резания, Vc").status, "");
    EXPECT_EQ(line(s.inputs, "Обрабатываемый материал").value, "Цветные металлы (N)");
    EXPECT_EQ(line(s.inputs, "Приближенный расчет (ae/Dc<30%)").value, "нет");
    EXPECT_EQ(
        s.log, std::vector<std::string> { "Работа на пределе (или Превышение) - мощности станка" });
    EXPECT_EQ(s.operationCard,
        "D=25.0 мм (B=15.0 мм); t=5.0 мм; i=1; S=4048.90 мм/мин (fz=0.10000 мм/зуб); "
        "n=13496.339 об/мин; V=1060.000 м/мин");
    EXPECT_DOUBLE_EQ(s.operatingPoint.spindleSpeedRpm, 13496.339);
    EXPECT_DOUBLE_EQ(s.operatingPoint.powerKw, 40);
    EXPECT_EQ(s.powerCurve.size(), 20u);
}

TEST_F(Sheet, AluminiumForceIsSharedAgainstTheSpindleLoadOfItsBand)
{
    // k4 ten times its table value: 1371.52 N against 1.50 kN * 0.70 at n 9574;
    // its torque, 1371.52 * 25 / 2000 = 17.14 N*m, is within V-STAR's 57.
    run("pick PageControlMethods 1\nset EditTkoef4 2460\nclick BitCalcs");
    CalculationSheet s = sheet();
    EXPECT_EQ(line(s.results, "Сила резания Pz").value, "1371.52");
    // 130.6 %, down to the whole per cent.
    EXPECT_EQ(line(s.results, "Сила резания Pz").status, "превышение 130 %");
    EXPECT_EQ(line(s.results, "Момент Mz").value, "17.14");
    EXPECT_EQ(line(s.results, "Момент Mz").status, "в норме");
    EXPECT_EQ(line(s.results, "Мощность резания Nct").status, "в норме");
    EXPECT_EQ(line(s.results, "Температура заготовки, C").status, "в норме");
    ASSERT_EQ(s.coefficients.size(), 4u);
    EXPECT_EQ(s.coefficients[3].title, "Pz");
    EXPECT_EQ(s.coefficients[3].values[0].caption, "k4");
    EXPECT_EQ(s.coefficients[3].values[0].value, "2460");
    EXPECT_EQ(line(s.inputs, "Материал заготовки").value, "В95пчТ2");
    EXPECT_EQ(s.log.size(), 1u); // the force's line

    // A machine without a spindle-load table checks no force.
    run("pick TabMach 2\nclick BitCalcs");
    s = sheet();
    EXPECT_EQ(line(s.results, "Сила резания Pz").status, "");
    EXPECT_FALSE(line(s.results, "Сила резания Pz").exceeded);
}

TEST_F(Sheet, TitaniumShowsChoicesWithTheirGroupCaptions)
{
    run("pick PageControlMethods 2\nclick BitCalcs");
    const CalculationSheet s = sheet();
    EXPECT_EQ(line(s.inputs, "Материал режущ. части фрезы").value, "Быстрорежущая сталь");
    EXPECT_EQ(line(s.inputs, "Сила Резания Pz, H").value, "(против направ подачи)");
    EXPECT_EQ(line(s.inputs, "Коэффициент силы Cx").value, "3850.");
    // Mz 592.13 * 25 / 2000 = 7.40 within 57 N*m.
    EXPECT_EQ(line(s.results, "Момент Mz").status, "в норме");
    // δ 0.2958 against 0.05 mm: 591.6 %, down to the whole per cent, as the
    // machine comparison shows the same machine.
    EXPECT_EQ(line(s.results, "Отжим фрезы, δ").status, "превышение 591 %");
    const MachineComparison comparison = compareMachines(runner.form());
    const MachineOutcome& selected
        = comparison.machines.at(static_cast<std::size_t>(selectedMachineIndex(runner.form())));
    ASSERT_EQ(comparison.symbols.at(4), "δ");
    EXPECT_EQ(selected.shares.at(4).percent, 591);
    // Black within the limit in the low-rigidity group is still within it.
    EXPECT_EQ(line(s.results, "Обороты шпинделя, n (деталь малой жесткости)").status, "в норме");
    EXPECT_EQ(line(s.results, "Сила резания Px").status, "");
    EXPECT_EQ(s.log.size(), 2u); // the overhang rule and the deflection
    EXPECT_EQ(s.operationCard,
        "D=25.0 мм (B=15.0 мм); t=5.0 мм; i=1; S=86.64 мм/мин (fz=0.06938 мм/зуб); "
        "n=416.264 об/мин; V=32.693 м/мин");
    // A fit that narrows the width: the card names the passes across the part.
    run("click BitBtnTiFit");
    const CalculationSheet fitted = sheet();
    EXPECT_EQ(fitted.operationCard.substr(0, fitted.operationCard.find(" S=")),
        "D=25.0 мм (B=0.62 мм); t=5.0 мм; i=1, по ширине i=25;");
    EXPECT_EQ(line(fitted.results, "Проходов по ширине").value, "25");

    // "ВТ 6ч" takes Py 4879.39 N over the whole width: Mz 60.99 is 107 % of
    // 57 N*m.
    run("set BaseTiB 15.0\npick ComboBoxTiMaterial 2\nclick BitCalcs");
    EXPECT_EQ(line(sheet().results, "Момент Mz").value, "60.99");
    EXPECT_EQ(line(sheet().results, "Момент Mz").status, "превышение 107 %");
}

TEST_F(Sheet, KeepsTheLogOfEachMethodsLastCalculation)
{
    run("click BitCalcs\npick PageControlMethods 2\nclick BitCalcs\nclick ClearLog");
    EXPECT_EQ(sheet().log.size(), 2u);
    run("pick PageControlMethods 0");
    EXPECT_EQ(sheet().log,
        std::vector<std::string> { "Работа на пределе (или Превышение) - мощности станка" });
    // A run stopped by a bad input logs nothing: its sheet says so.
    run("set BaseD 0\nclick BitCalcs");
    EXPECT_TRUE(sheet().log.empty());
    run("pick PageControlMethods 3");
    EXPECT_EQ(sheet().row, nullptr);
    EXPECT_EQ(sheetTableText(sheet(), ","), "");
}

TEST_F(Sheet, CopiedTableHoldsHeadingInputsAndResultsInTheLocaleNotation)
{
    run("set EditSheetPart Кронштейн <8А>\nclick BitCalcs");
    const std::string text = sheetTableText(sheet(), ",");
    // The header's lines left empty are cells to fill in by hand.
    const std::string expected = "Расчет режимов резания\t08.12.2026 10:15\n"
                                 "Деталь\tКронштейн <8А>\n"
                                 "Операция\t\n"
                                 "Разработал\t\n"
                                 "Станок\tV-STAR (FOREST-LINE)\n"
                                 "Пределы станка\t"
        + runner.form().store().text("StatusBarMes")
        + "\n"
          "Метод\tФрезерование (Walter)\n"
          "\n"
          "Исходные данные\n"
          "Диаметр фрезы, D\t25,0\tмм\n"
          "Число зубьев, z\t3\t\n"
          "Ширина резания, ap\t15,0\tмм\n"
          "Глубина резания, ae\t5,0\tмм\n"
          "Число проходов, i\t1\t\n"
          "Скорость резания, Vc\t1060,0\tм/мин\n"
          "Подача на зуб, fz\t0,1\tмм/зуб\n"
          "КПД станка\t0,70\t\n"
          "Угол контакта фрезы\tЦентральное\t\n"
          "Главный угол, k\t90,00000\t°\n"
          "Главный передний угол\t2,0\t°\n"
          "Обрабатываемый материал\tЦветные металлы (N)\t\n"
          "Kс1.1\t700,01\tН/(мм*мм)\n"
          "Mc\t0,2501\t\n"
          "Вылет фрезы, L\t75,0\tмм\n"
          "Допустимый отжим фрезы\t0,05\tмм\n"
          "Приближенный расчет (ae/Dc<30%)\tнет\t\n"
          "\n"
          "Результаты\n"
          "Обороты шпинделя, n\t13496,339\tоб/мин\tв норме\n"
          "Скорость резания, Vc\t1060,000\tм/мин\t\n"
          "Подача, Vf\t4048,90\tмм/мин\tв норме\n"
          "Подача на зуб, fz\t0,10000\tмм/зуб\t\n"
          "Скорость сьема материала, Q\t303,66750\t(см*см*см)/мин\t\n"
          "Средняя толщина стружки, hm\t0,09941961\tмм\t\n"
          "ae/Dc\t0,20\t\t\n"
          "Удельная сила резания, kc\t1221,97567\tН/(мм*мм)\t\n"
          "Мощность (рассчитанная)\t8,83510\tкВт\tв норме\n"
          "Мощность (принимаемая)\t40,00000\tкВт\t\n"
          "Момент, M\t28,30189\tНм\t\n"
          "Отжим фрезы, δ\t0,0104\tмм\tв норме\n";
    EXPECT_EQ(text, expected);

    const std::string html = sheetTableHtml(sheet(), ",");
    EXPECT_NE(html.find("<tr><td>Обороты шпинделя, n</td><td>13496,339</td><td>об/мин</td>"
                        "<td>в норме</td></tr>"),
        std::string::npos);
    EXPECT_NE(
        html.find("<tr><th colspan=\"4\" align=\"left\">Результаты</th></tr>"), std::string::npos);
    EXPECT_NE(html.find("<td>Kс1.1</td><td>700,01</td><td>Н/(мм*мм)</td>"), std::string::npos);
    EXPECT_NE(html.find("<tr><td>Деталь</td><td colspan=\"3\">Кронштейн &lt;8А&gt;</td></tr>"),
        std::string::npos);
    EXPECT_NE(html.find("<tr><td>Операция</td><td colspan=\"3\"></td></tr>"), std::string::npos);
    // A caption with markup characters stays text.
    EXPECT_NE(html.find("(ae/Dc&lt;30%)"), std::string::npos);
}

} // namespace
} // namespace millcalc
