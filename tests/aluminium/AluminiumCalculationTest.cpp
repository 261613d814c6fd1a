#include "AluminiumWindow.h"

#include "aluminium/AlStepSupport.h"
#include "aluminium/Aluminium.h"

#include <string>
#include <vector>

namespace millcalc::altest {
namespace {

using Items = std::vector<std::string>;

const std::string kFeedZero = "Ошибка вычисления-> Sz=fz=0.";
const std::string kDBelowB = "Диаметр фрезы меньше чем ширина фрезерования 'D<B' !";

// Whether any text, item or cell of any control shows an infinity or a NaN.
bool showsNotFinite(const FieldStore& store)
{
    const auto bad = [](const std::string& text) {
        return text.find("inf") != std::string::npos || text.find("nan") != std::string::npos;
    };
    for (const auto& [name, field] : store.fields()) {
        if (bad(field.text))
            return true;
        for (const std::string& item : field.items)
            if (bad(item))
                return true;
        for (const std::string& cell : field.cells)
            if (bad(cell))
                return true;
    }
    return false;
}

TEST_F(AluminiumWindow, FullCalculationOfTheWorkedExample)
{
    EXPECT_EQ(run({ "click BitCalcs" }), "");
    EXPECT_EQ(text("EditSz"), "0.123");
    EXPECT_EQ(text("EditV1"), "2296.103");
    EXPECT_EQ(text("EditV2"), "751.968");
    EXPECT_EQ(store().items("EditV"), (Items { "751.968", "2296.103", "751.968" }));
    EXPECT_EQ(text("EditV"), "751.968");
    EXPECT_EQ(text("Editn"), "9574.354");
    EXPECT_EQ(store().colour("Editn"), kGreen);
    EXPECT_EQ(text("EditF"), "3532.937");
    EXPECT_EQ(store().colour("EditF"), kGreen);
    EXPECT_EQ(text("EditTm"), "108");
    EXPECT_EQ(store().colour("EditTm"), colours::Blue);
    EXPECT_EQ(text("EditPz"), "137.15");
    EXPECT_EQ(store().colour("EditPz"), kGreen);
    EXPECT_EQ(text("EditMz"), "1.71"); // 137.15 · 25 / 2000
    EXPECT_EQ(store().colour("EditMz"), kGreen);
    EXPECT_EQ(text("EditNp"), "1.69");
    EXPECT_EQ(store().colour("EditNp"), kGreen);
    EXPECT_EQ(store().cell("StringGridP", 0, 3), "n=9574");
    EXPECT_EQ(store().cell("StringGridP", 1, 3), "P=0.137 • 0.70=0.096");
    EXPECT_TRUE(logLines().empty());
}

TEST_F(AluminiumWindow, PickOfTheOtherSpeedRerunsTheStepsAfterTheSpeed)
{
    run({ "click BitCalcs" });
    const std::string printed = run({ "pick EditV 1" });
    EXPECT_EQ(printed,
        logEvent("Превышение числа оборотов   (Расчет n)")
            + logEvent("Превышение числа оборотов  (Расчет F)")
            + logEvent("Превышение числа оборотов (Расчет Pz)"));
    EXPECT_EQ(text("Editn"), "29234.892");
    EXPECT_EQ(store().colour("Editn"), kRed);
    EXPECT_EQ(text("EditF"), "10787.675");
    EXPECT_EQ(text("EditTm"), "75");
    EXPECT_EQ(text("EditPz"), "120.23");
    EXPECT_EQ(store().cell("StringGridP", 0, 7), "n=29235");
    // What the speed depends on stays.
    EXPECT_EQ(text("EditSz"), "0.123");
    EXPECT_EQ(text("EditV1"), "2296.103");
    EXPECT_EQ(text("EditV2"), "751.968");
    EXPECT_EQ(store().items("EditV"), (Items { "751.968", "2296.103", "751.968" }));
}

TEST_F(AluminiumWindow, AcceptedSpeedRerunsOnlyOnAUsersPick)
{
    run({ "click BitCalcs" });
    store().setIndex("EditV", 1);
    EXPECT_EQ(text("Editn"), "9574.354");
    form().pick("EditV", 1);
    EXPECT_EQ(text("Editn"), "29234.892");
}

TEST_F(AluminiumWindow, WidthAboveDiameterIsLoggedBySixStepsOfAFullRun)
{
    type({ { "BaseAlD", "10" }, { "BaseAlB", "12" } });
    run({ "click BitCalcs" });
    // Feed per tooth, V1, V2, spindle speed, force and torque: the program's own
    // selection of the accepted speed reruns nothing.
    EXPECT_EQ(countLog(kDBelowB), 6);
    EXPECT_EQ(text("EditK"), "1.20");
}

TEST_F(AluminiumWindow, UntouchedPageIsCorrectedOnceAndTheRunGoesOn)
{
    type({ { "BaseAlD", "0.0" }, { "BaseAlZ", "0" }, { "BaseAlB", "0.000000" },
        { "BaseAlT", "0.000000" } });
    const std::string printed = run({ "click BitCalcs" });
    const std::string d = "Ошибка задания 'диаметра инструмента' - D -> исправлено....";
    const std::string b = "Ошибка задания 'Ширины реза' - B -> исправлено....";
    const std::string t = "Ошибка задания 'Глубина реза' - t -> исправлено....";
    const std::string z = "Ошибка задания 'Числа зубьев' - z -> исправлено....";
    EXPECT_EQ(printed,
        logEvent(d) + boxEvent(d) + logEvent(b) + boxEvent(b) + logEvent(t) + boxEvent(t)
            + logEvent(z) + boxEvent(z)
            + logEvent("Превышение температурного режима: T>=140°C -> деталь плавиться....... :)"));
    EXPECT_EQ(text("BaseAlD"), "30.000");
    EXPECT_EQ(text("BaseAlB"), "15.000");
    EXPECT_EQ(text("BaseAlT"), "7.500");
    EXPECT_EQ(text("BaseAlZ"), "4");
    EXPECT_NE(text("EditNp"), "0.0");
}

TEST_F(AluminiumWindow, FailedFeedPerToothKeepsTheCandidatesAndEveryResult)
{
    run({ "click BitCalcs" });
    type({ { "EditTkoef1", "0.000001" } });
    EXPECT_EQ(run({ "click BitCalcs" }), logEvent(kFeedZero) + boxEvent(kFeedZero));
    EXPECT_EQ(store().items("EditV"), (Items { "751.968", "2296.103", "751.968" }));
    EXPECT_EQ(text("EditSz"), "0.123");
    EXPECT_EQ(text("EditV1"), "2296.103");
    EXPECT_EQ(text("EditNp"), "1.69");
}

TEST_F(AluminiumWindow, FeedPerToothThatPrintsAsZeroStopsTheRunAtV1)
{
    run({ "click BitCalcs" });
    // Sz of about 0.0003 passes its own step but is written 0.000.
    type({ { "EditTkoef1", "0.0001" } });
    const std::string printed = run({ "click BitCalcs" });
    EXPECT_EQ(printed,
        logEvent("Ошибка задания Sz<=0 (Расчет V1)....") + logEvent(kFeedZero)
            + boxEvent(kFeedZero));
    EXPECT_EQ(text("EditSz"), "0.000");
    EXPECT_TRUE(store().items("EditV").empty());
    EXPECT_EQ(text("EditV"), "");
    EXPECT_EQ(text("EditV2"), "751.968");
    EXPECT_EQ(text("Editn"), "9574.354");
}

TEST_F(AluminiumWindow, ZeroAcceptedSpeedStopsTheRunAtTheForce)
{
    type({ { "EditTkoef3", "1e-12" } });
    const std::string n = "Ошибка задания n<=0 (Расчет Pz)....";
    EXPECT_EQ(run({ "click BitCalcs" }),
        logEvent("Ошибка преобразования V<=0 (Расчет V)....")
            + logEvent("Ошибка задания скорости реза (м/мин) V=0   .... (Расчет n)")
            + logEvent("Ошибка задания n<=0 (Расчет F)....")
            + logEvent("Превышение температурного режима: T>=140°C -> деталь "
                       "плавиться....... :)")
            + logEvent(n) + boxEvent(n));
    EXPECT_EQ(text("EditV"), "0.000");
    EXPECT_EQ(text("EditPz"), "0.0");
    EXPECT_EQ(text("EditMz"), "0.0");
    EXPECT_EQ(text("EditNp"), "0.0");
}

TEST_F(AluminiumWindow, CalculateOnTheAluminiumPageReturnsTheLastStepsResult)
{
    EXPECT_EQ(CalcAluminium(form()), 0);
    type({ { "EditTkoef1", "0.000001" } });
    EXPECT_EQ(CalcAluminium(form()), -1);
}

struct OverflowCase {
    const char* field;
    const char* value;
    const char* quantity; // named in the report
    const char* keeps; // the result field that must keep its text
};

// Extreme coefficients typed into the formula panel overflow the power laws.
constexpr OverflowCase kOverflowCases[] = {
    { "EditTX1", "1e6", "Sz=fz", "EditSz" }, // 25^1e6
    { "EditTkoef2", "1e308", "V1", "EditV1" }, // k2 beyond the largest double over 0.48
    { "EditTX2", "1e6", "V1", "EditV1" }, // 0.123^1e6 is 0: division by 0
    { "EditTsm1", "1e6", "V2", "EditV2" }, // q^1e6 with q about 340
    { "EditTX4", "1e6", "Pz", "EditPz" }, // 5^1e6
};

TEST_F(AluminiumWindow, OverflowingFormulaIsReportedAndNeverShown)
{
    for (const OverflowCase& c : kOverflowCases) {
        form().pick("ComboBoxMaterial", 0);
        store().clearLines("ElFlatMemoMes");
        type({ { c.field, c.value } });
        const std::string before = text(c.keeps);
        const std::string printed = run({ "click BitCalcs" });
        const std::string message = notFiniteMessage(c.quantity);
        EXPECT_NE(printed.find(logEvent(message) + boxEvent(message)), std::string::npos)
            << c.field;
        EXPECT_EQ(countLog(message), 1) << c.field;
        EXPECT_EQ(logLines().back(), message) << c.field << ": the run must stop";
        EXPECT_EQ(text(c.keeps), before) << c.field;
        EXPECT_FALSE(showsNotFinite(store())) << c.field;
    }
}

struct StepOverflowCase {
    const char* button;
    const char* speed; // the candidate shown in EditV
    std::initializer_list<std::pair<const char*, const char*>> typed;
    const char* quantity;
    const char* keeps;
};

TEST_F(AluminiumWindow, OverflowingSingleStepIsReportedAndNeverShown)
{
    const StepOverflowCase cases[] = {
        { "BitBtnAln1", "1e308", {}, "n", "Editn" },
        { "BitBtnAlF1", "751.968", { { "Editn", "1e300" }, { "EditSz", "1e10" } }, "F", "EditF" },
        { "BitBtnAlMz1", "751.968", { { "EditPz", "1e308" } }, "Mz", "EditMz" },
        { "BitBtnAlNp1", "1e306", { { "EditPz", "1e10" } }, "Nct", "EditNp" },
    };
    for (const StepOverflowCase& c : cases) {
        offerSpeeds({ c.speed });
        type(c.typed);
        const std::string before = text(c.keeps);
        const std::string tmBefore = text("EditTm");
        const std::string message = notFiniteMessage(c.quantity);
        const std::string printed = run({ (std::string("click ") + c.button).c_str() });
        EXPECT_NE(printed.find(logEvent(message) + boxEvent(message)), std::string::npos)
            << c.button << "\n"
            << printed;
        EXPECT_EQ(text(c.keeps), before) << c.button;
        EXPECT_EQ(text("EditTm"), tmBefore) << c.button << ": the look-up must not follow";
        EXPECT_FALSE(showsNotFinite(store())) << c.button;
    }
}

} // namespace
} // namespace millcalc::altest
