#include "AluminiumWindow.h"

#include "aluminium/AlTorqueAndPower.h"

#include <string>

namespace millcalc::altest {
namespace {

const std::string kTorqueOver = "Превышение максимального момента резания (Расчет Mz)";
const std::string kPowerOver = "Превышение мощности оборудования";

struct TorqueCase {
    int machine;
    const char* force;
    const char* diameter;
    const char* shown;
    bool over;
};

// Pz in N at the radius D/2 in mm: Mz = Pz · D / 2000 N·m.
constexpr TorqueCase kTorqueCases[] = {
    { 2, "1500.00", "20", "15.00", false }, // DMF-500L allows 87 N·m
    { 2, "8700", "20", "87.00", true }, // exactly DMF-500L's 87 N·m
    { 0, "4560", "25", "57.00", true }, // exactly V-STAR's 57 N·m
    { 0, "4559.99", "25", "57.00", false }, // 56.999875 shows 57.00 but stays green
    { 0, "137.15", "25", "1.71", false }, // the start-up cut: 1.714375
    { 4, "1000", "63", "31.50", true }, // Variaxis 630-5X allows 30 N·m
};

TEST_F(AluminiumWindow, TorqueIsForceTimesDiameterOver2000)
{
    for (const TorqueCase& c : kTorqueCases) {
        store().clearLines("ElFlatMemoMes");
        form().pick("TabMach", c.machine);
        type({ { "EditPz", c.force }, { "BaseAlD", c.diameter }, { "BaseAlB", "15" } });
        EXPECT_EQ(CalcAlMz(form()), 0);
        EXPECT_EQ(text("EditMz"), c.shown) << c.force;
        EXPECT_EQ(store().colour("EditMz"), c.over ? kRed : kGreen) << c.force;
        EXPECT_EQ(countLog(kTorqueOver), c.over ? 1 : 0) << c.force;
    }
}

TEST_F(AluminiumWindow, TorqueTimesAngularSpeedIsThePowerOfTheCut)
{
    // Pz 1224 N, D 25 mm, V 1000 m/min: Mz = 15.3 N·m, ω = 2·V·1000/(60·D)
    // = 1333.33 rad/s, Mz·ω = 20.4 kW; Nct = Pz·V/61200 = 20 kW, 1000/1020 of it.
    offerSpeeds({ "1000" });
    type({ { "EditPz", "1224" }, { "BaseAlD", "25" }, { "BaseAlB", "15" } });
    run({ "click BitBtnAlMz1", "click BitBtnAlNp1" });
    EXPECT_EQ(text("EditMz"), "15.30");
    EXPECT_EQ(text("EditNp"), "20.00");
    const double omega = 2 * 1000.0 * 1000 / (60 * 25);
    EXPECT_NEAR(store().real("EditMz") * omega / 1000, store().real("EditNp") * 1.02, 1e-9);
}

TEST_F(AluminiumWindow, TorqueWithoutForceUsesOneNewtonWithoutABox)
{
    for (const char* force : { "0", "abc" }) {
        type({ { "EditPz", force }, { "BaseAlD", "20" } });
        EXPECT_EQ(CalcAlMz(form()), 0);
        EXPECT_EQ(
            events(), logEvent("Ошибка задания 'Силы реза' - Pz -> исправлено....(Расчет Mz)"));
        EXPECT_EQ(text("EditPz"), "1.000");
        EXPECT_EQ(text("EditMz"), "0.01"); // 1 N · 20 / 2000
    }
}

TEST_F(AluminiumWindow, TorqueStepRunsTheGeometryCheckWithoutWidthBoxes)
{
    type({ { "EditPz", "100" }, { "BaseAlD", "10" }, { "BaseAlB", "12" }, { "BaseAlT", "" } });
    CalcAlMz(form());
    EXPECT_EQ(events(),
        logEvent("Диаметр фрезы меньше чем ширина фрезерования 'D<B' !")
            + logEvent("Ошибка задания 'Глубина реза' - t -> исправлено...."));
    EXPECT_EQ(text("EditK"), "1.20");
    EXPECT_EQ(text("EdittD"), "0.25");
}

struct PowerCase {
    int machine;
    const char* force;
    const char* speed;
    const char* shown;
    bool over;
};

constexpr PowerCase kPowerCases[] = {
    { 1, "1500.00", "1060", "25.98", true }, // ВС-5ВС: 25 kW
    { 0, "1500.00", "1060", "25.98", false }, // V-STAR: 40 kW
    { 0, "2448", "1000.000", "40.00", true }, // exactly 40 kW
};

TEST_F(AluminiumWindow, PowerIsForceTimesSpeedOver61200)
{
    for (const PowerCase& c : kPowerCases) {
        store().clearLines("ElFlatMemoMes");
        form().pick("TabMach", c.machine);
        offerSpeeds({ c.speed });
        type({ { "EditPz", c.force } });
        EXPECT_EQ(CalcAlNp(form()), 0);
        EXPECT_EQ(text("EditNp"), c.shown) << c.force;
        EXPECT_EQ(store().colour("EditNp"), c.over ? kRed : kGreen) << c.force;
        EXPECT_EQ(countLog(kPowerOver), c.over ? 1 : 0) << c.force;
    }
}

TEST_F(AluminiumWindow, PowerWithoutSpeedIsLoggedAndComputedFromZero)
{
    offerSpeeds({ "0.000" });
    type({ { "EditPz", "137.15" } });
    EXPECT_EQ(CalcAlNp(form()), 0);
    EXPECT_EQ(events(), logEvent("Ошибка задания 'Скорости реза' - V (Расчет Мощности) ...."));
    EXPECT_EQ(text("EditNp"), "0.00");
}

TEST_F(AluminiumWindow, PowerWithoutForceUsesOneNewton)
{
    offerSpeeds({ "61200" });
    type({ { "EditPz", "-4" } });
    EXPECT_EQ(CalcAlNp(form()), 0);
    EXPECT_EQ(
        events(), logEvent("Ошибка задания 'Силы реза' - Pz (Расчет Мощности) -> исправлено...."));
    EXPECT_EQ(text("EditPz"), "1.000");
    EXPECT_EQ(text("EditNp"), "1.00");
}

TEST_F(AluminiumWindow, TorqueAndPowerButtonsUseTheForceAsTyped)
{
    offerSpeeds({ "751.968" });
    type({ { "EditPz", "137.15" } });
    run({ "click BitBtnAlMz1", "click BitBtnAlNp1" });
    EXPECT_EQ(text("EditMz"), "1.71"); // 137.15 · 25 / 2000 = 1.714375
    EXPECT_EQ(text("EditNp"), "1.69");
}

} // namespace
} // namespace millcalc::altest
