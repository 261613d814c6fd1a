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

TEST(MachineTable, CompletesTheFlatPartsOfBothCurves)
{
    const MachineTable table = fillMachineTable();
    for (const MachineRecord& m : table) {
        for (int i = 0; i < kCurvePoints; ++i) {
            const auto at = static_cast<std::size_t>(i);
            EXPECT_EQ(m.PowerCurveSpeeds[at], m.TorqueCurveSpeeds[at]) << m.MachineName;
            if (i >= 13) {
                EXPECT_EQ(m.PowerCurveValues[at], m.MaxPower) << m.MachineName << " point " << i;
            }
            if (i <= 13) {
                EXPECT_EQ(m.TorqueCurveValues[at], m.MaxTorque) << m.MachineName << " point " << i;
            }
            if (i > 0) {
                EXPECT_LT(m.PowerCurveSpeeds[at - 1], m.PowerCurveSpeeds[at]) << m.MachineName;
            }
        }
    }
    // The knee of row 1 stands at 6700 although its critical speed is 5500.
    EXPECT_EQ(table[1].PowerCurveSpeeds[13], 6700);
    EXPECT_EQ(table[1].CriticalSpindleSpeed, 5500);
    EXPECT_EQ(table[0].PowerCurveValues[12], 38);
    EXPECT_EQ(table[0].TorqueCurveValues[14], 53.2);
    EXPECT_EQ(table[1].TorqueCurveValues[14], 1000.2);
    EXPECT_EQ(table[4].TorqueCurveValues[19], 5);
}

} // namespace
} // namespace millcalc
