#include "machines/MachineTable.h"
#include "scenario/ScenarioRunner.h"
#include "shell/FormMain.h"

#include <gtest/gtest.h>

#include <sstream>

namespace millcalc {
namespace {

struct MachineCase {
    int row;
    const char* caption;
    const char* limits;
};

// What the window caption and the results window's status line read for each row.
constexpr MachineCase kMachineCases[] = {
    { 0, "Расчет режимов резания: V-STAR (FOREST-LINE) ",
        "n=18000 (об/мин)[n(крит)=6700(об/мин)] F=60000 (мм/мин) Nct=40 (кВт) Mz=57 (Hm)" },
    { 1, "Расчет режимов резания: ВС-5ВС ",
        "n=18000 (об/мин)[n(крит)=5500(об/мин)] F=12000 (мм/мин) Nct=25 (кВт) Mz=1300 (Hm)" },
    { 2, "Расчет режимов резания: DMF-500L ",
        "n=18000 (об/мин)[n(крит)=2800(об/мин)] F=20000 (мм/мин) Nct=25 (кВт) Mz=87 (Hm)" },
    { 3, "Расчет режимов резания: DMU-125PA ",
        "n=12000 (об/мин)[n(крит)=2200(об/мин)] F=10000 (мм/мин) Nct=19 (кВт) Mz=82 (Hm)" },
    { 4, "Расчет режимов резания: Variaxis 630-5X ",
        "n=12000 (об/мин)[n(крит)=2800(об/мин)] F=50000 (мм/мин) Nct=20 (кВт) Mz=30 (Hm)" },
};

TEST(MachineSelection, WritesCaptionAndStatusLineForEveryRow)
{
    std::ostringstream out;
    ScenarioRunner runner(out);
    ASSERT_TRUE(runner.start());
    const FieldStore& store = runner.form().store();
    for (const MachineCase& c : kMachineCases) {
        runner.form().pick("TabMach", c.row);
        EXPECT_EQ(store.text("FormMain"), c.caption);
        EXPECT_EQ(store.text("StatusBarMes"), c.limits);
        EXPECT_EQ(runner.form().machineIndex(), c.row);
    }
    EXPECT_EQ(out.str(), "") << "selecting a machine writes no log line and shows no box";
}

TEST(MachineSelection, LeavesResultsAndTheirColoursAlone)
{
    std::ostringstream out;
    ScenarioRunner runner(out);
    ASSERT_TRUE(runner.start());
    FieldStore& store = runner.form().store();
    store.setText("EditStn", "13496.339");
    store.setColour("EditStn", colours::Green);
    runner.form().pick("TabMach", 3);
    EXPECT_EQ(store.text("EditStn"), "13496.339");
    EXPECT_EQ(store.colour("EditStn"), colours::Green);
}

TEST(MachineTable, TheBuiltInCurvesKeepTheirFlatPartsAndKnees)
{
    const MachineTable& table = builtInMachines();
    ASSERT_EQ(table.size(), 5u);
    for (const MachineRecord& m : table) {
        ASSERT_EQ(m.Curve.size(), 20u) << m.MachineName;
        for (std::size_t i = 0; i < m.Curve.size(); ++i) {
            if (i >= 13) {
                EXPECT_EQ(m.Curve[i].powerKw, m.MaxPower) << m.MachineName << " point " << i;
            }
            if (i <= 13) {
                EXPECT_EQ(m.Curve[i].torqueNm, m.MaxTorque) << m.MachineName << " point " << i;
            }
            if (i > 0) {
                EXPECT_LT(m.Curve[i - 1].speedRpm, m.Curve[i].speedRpm) << m.MachineName;
            }
        }
        EXPECT_EQ(m.MinSpindleSpeed, 0) << m.MachineName;
        EXPECT_FALSE(m.CurveFromDatasheet) << m.MachineName;
    }
    // The knee of row 1 stands at 6700 although its critical speed is 5500.
    EXPECT_EQ(table[1].Curve[13].speedRpm, 6700);
    EXPECT_EQ(table[1].CriticalSpindleSpeed, 5500);
    EXPECT_EQ(table[0].Curve[12].powerKw, 38);
    EXPECT_EQ(table[0].Curve[14].torqueNm, 53.2);
    EXPECT_EQ(table[1].Curve[14].torqueNm, 1000.2);
    EXPECT_EQ(table[4].Curve[19].torqueNm, 5);
    // V-STAR's curve runs past its greatest speed.
    EXPECT_EQ(table[0].Curve.back().speedRpm, 25000);
    const char* const ids[] = { "v-star", "vs-5vs", "dmf-500l", "dmu-125pa", "variaxis-630-5x" };
    for (std::size_t row = 0; row < 5; ++row) {
        EXPECT_EQ(table[row].Id, ids[row]);
        // The spindle-load table is the first two machines'.
        EXPECT_EQ(table[row].HasSpindleLoadTable(), row < 2) << ids[row];
    }
}

} // namespace
} // namespace millcalc
