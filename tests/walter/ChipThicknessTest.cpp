#include "walter/Walter.h"

#include "WalterFixture.h"

#include "app/NumberText.h"

#include <cmath>

namespace millcalc {
namespace {

class WalterChipThicknessTest : public WalterFixture {
protected:
    // The worked example: D 25, ae 5, fz 0.10000, κ 90.
    void typeWorkedExample()
    {
        type({ { "BaseD", "25" }, { "BaseT", "5" }, { "EditStfz", "0.10000" },
            { "EditStk", "90.0" } });
    }

    void setMode(int contact, bool approximate)
    {
        run({ ("pick ComboBoxStContact " + std::to_string(contact)).c_str(),
            approximate ? "check CheckBoxhm2 1" : "check CheckBoxhm2 0" });
    }
};

struct ModeCase {
    int contact;
    bool approximate;
    const char* hm;
    const char* kappaShown;
};

constexpr ModeCase kModes[] = {
    { 0, false, "0.09941961", "90.00000" },
    { 1, false, "0.04317703", "90.00000" },
    { 0, true, "0.04472136", "90.0" },
    { 1, true, "0.04472136", "90.0" },
};

TEST_F(WalterChipThicknessTest, ComputesTheWorkedExampleInEveryMode)
{
    for (const ModeCase& c : kModes) {
        typeWorkedExample();
        setMode(c.contact, c.approximate);
        EXPECT_EQ(WalterChipThickness(form()), 0);
        EXPECT_EQ(text("EditaeDc"), "0.20");
        EXPECT_EQ(text("EditSthm2"), c.hm) << c.contact << c.approximate;
        // The approximate formula neither reads nor rewrites the angle.
        EXPECT_EQ(text("EditStk"), c.kappaShown) << c.contact << c.approximate;
        EXPECT_EQ(events(), "");
    }
}

TEST_F(WalterChipThicknessTest, LeavesTheFocusOnTheChipThicknessWithNothingSelected)
{
    typeWorkedExample();
    EXPECT_EQ(WalterChipThickness(form()), 0);
    EXPECT_EQ(store().focused(), "EditSthm2");
    EXPECT_FALSE(store().selectedAll("EditSthm2"));
}

struct AngleCase {
    const char* typed;
    const char* shown;
    double usedDegrees;
};

// κ must lie strictly between -180 and 180; outside it is silently 90.
constexpr AngleCase kAngles[] = {
    { "180", "90.00000", 90 },
    { "-200", "90.00000", 90 },
    { "-180", "90.00000", 90 },
    { "179.9", "179.90000", 179.9 },
    { "-30", "-30.00000", -30 },
    { "30", "30.00000", 30 },
    { "abc", "0.00000", 0 },
};

TEST_F(WalterChipThicknessTest, TakesAnAngleOutOfRangeAsNinetyDegrees)
{
    const double phi = std::asin(0.2) * 114.59156098088593;
    for (const AngleCase& c : kAngles) {
        typeWorkedExample();
        type({ { "EditStk", c.typed } });
        EXPECT_EQ(WalterChipThickness(form()), 0);
        EXPECT_EQ(text("EditStk"), c.shown) << c.typed;
        const double hm
            = std::fabs(114.7 * 0.1 * std::sin(c.usedDegrees * 3.1415926 / 180) * 0.2) / phi;
        EXPECT_EQ(text("EditSthm2"), formatFixed(hm, 8)) << c.typed;
        EXPECT_EQ(events(), "") << c.typed;
    }
}

TEST_F(WalterChipThicknessTest, GivesTheSameThicknessForOppositeAngles)
{
    typeWorkedExample();
    type({ { "EditStk", "-30" } });
    WalterChipThickness(form());
    const std::string negative = text("EditSthm2");
    type({ { "EditStk", "30" } });
    WalterChipThickness(form());
    EXPECT_EQ(text("EditSthm2"), negative);
    EXPECT_EQ(negative, "0.04970980");
}

TEST_F(WalterChipThicknessTest, IgnoresTheDisabledAngleInApproximateMode)
{
    typeWorkedExample();
    setMode(0, true);
    type({ { "EditStk", "abc" } });
    EXPECT_EQ(WalterChipThickness(form()), 0);
    EXPECT_EQ(text("EditStk"), "abc");
    EXPECT_EQ(text("EditSthm2"), "0.04472136");
}

TEST_F(WalterChipThicknessTest, GoesOnWithZeroFeedAfterItsWarningBox)
{
    typeWorkedExample();
    type({ { "EditStfz", "0.0" } });
    EXPECT_EQ(WalterChipThickness(form()), 0);
    EXPECT_EQ(text("EditStfz"), "0.00000");
    EXPECT_EQ(text("EditSthm2"), "0.00000000");
    EXPECT_EQ(events(), boxEvent("Ошибка задания 'Подача на зуб' - fz"));
    EXPECT_EQ(store().focused(), "EditSthm2");
}

struct StopCase {
    const char* field;
    const char* typed;
    const char* corrected;
    const char* message;
};

constexpr StopCase kStops[] = {
    { "BaseD", "0", "0.000", "Ошибка задания 'диаметра инструмента' - D" },
    { "BaseD", "abc", "0.000", "Ошибка задания 'диаметра инструмента' - D" },
    { "BaseT", "-1", "0.000", "Ошибка задания 'Глубина реза' - ae" },
    { "BaseT", "", "0.000", "Ошибка задания 'Глубина реза' - ae" },
};

TEST_F(WalterChipThicknessTest, StopsOnABadDiameterOrDepthWithABoxOnly)
{
    for (const StopCase& c : kStops) {
        typeWorkedExample();
        type({ { c.field, c.typed }, { "EditSthm2", "old" }, { "EditaeDc", "old" } });
        EXPECT_EQ(WalterChipThickness(form()), -1) << c.field << c.typed;
        EXPECT_EQ(text(c.field), c.corrected);
        EXPECT_EQ(text("EditSthm2"), "old");
        EXPECT_EQ(text("EditaeDc"), "old");
        EXPECT_EQ(events(), boxEvent(c.message)) << c.field << c.typed;
        EXPECT_EQ(store().focused(), c.field);
    }
}

TEST_F(WalterChipThicknessTest, ReachesNearlyHalfATurnWhenTheCutIsAsWideAsTheCutter)
{
    // With π = 3.1415926 the contact angle is 180.000003°, not 180°.
    const double central = std::asin(1.0) * 114.59156098088593;
    const double offset = 90 + std::asin(1.0) * 57.295780490442965;
    EXPECT_NEAR(central, 180.000003, 5e-7);
    EXPECT_NEAR(offset, 180.0000015, 5e-7);
    for (int contact : { 0, 1 }) {
        type({ { "BaseD", "25" }, { "BaseT", "25" }, { "EditStfz", "0.1" }, { "EditStk", "90" } });
        setMode(contact, false);
        EXPECT_EQ(WalterChipThickness(form()), 0);
        EXPECT_EQ(text("EditaeDc"), "1.00");
        const double phi = contact == 0 ? central : offset;
        EXPECT_EQ(text("EditSthm2"), formatFixed(114.7 * 0.1 * 1.0 * 1.0 / phi, 8));
    }
}

TEST_F(WalterChipThicknessTest, RefusesACutWiderThanTheCutterInEveryMode)
{
    const std::string message = "Глубина резания ae больше диаметра фрезы D (ae/D>1) - угол "
                                "контакта не определен. Расчет средней толщины стружки прерван.";
    for (const ModeCase& c : kModes) {
        type({ { "BaseD", "25" }, { "BaseT", "25.001" }, { "EditStfz", "0.1" },
            { "EditStk", "90.0" }, { "EditSthm2", "old" }, { "EditaeDc", "old" } });
        setMode(c.contact, c.approximate);
        EXPECT_EQ(WalterChipThickness(form()), -1);
        EXPECT_EQ(text("EditSthm2"), "old");
        EXPECT_EQ(text("EditaeDc"), "old");
        EXPECT_EQ(text("EditStk"), "90.0");
        EXPECT_EQ(events(), logEvent(message) + boxEvent(message));
    }
}

TEST_F(WalterChipThicknessTest, ReportsAnOverflowInsteadOfWritingInfinity)
{
    type({ { "BaseD", "25" }, { "BaseT", "5" }, { "EditStfz", "1e307" }, { "EditSthm2", "old" } });
    EXPECT_EQ(WalterChipThickness(form()), -1);
    EXPECT_EQ(text("EditSthm2"), "old");
    EXPECT_NE(events().find("LOG\tПереполнение при расчете средней толщины стружки hm"),
        std::string::npos);
}

TEST_F(WalterChipThicknessTest, RunsFromItsStepButton)
{
    typeWorkedExample();
    EXPECT_EQ(run({ "click BitBtnSt3" }), "");
    EXPECT_EQ(text("EditSthm2"), "0.09941961");
}

using WalterOptionsTest = WalterFixture;

TEST_F(WalterOptionsTest, StartsInExactModeWithCentralContact)
{
    EXPECT_EQ(store().index("ComboBoxStContact"), 0);
    EXPECT_FALSE(store().checked("CheckBoxhm2"));
    EXPECT_TRUE(store().enabled("EditStk"));
    EXPECT_EQ(store().picture("Imagevs"), 0);
    EXPECT_EQ(store().picture("Imagehm"), 0);
}

TEST_F(WalterOptionsTest, ContactPositionSwitchesItsFormulaPicture)
{
    run({ "pick ComboBoxStContact 1" });
    EXPECT_EQ(store().picture("Imagevs"), 1);
    run({ "pick ComboBoxStContact 0" });
    EXPECT_EQ(store().picture("Imagevs"), 0);
}

TEST_F(WalterOptionsTest, ApproximateModeDisablesTheAngleAndSwitchesItsPicture)
{
    run({ "check CheckBoxhm2 1" });
    EXPECT_FALSE(store().enabled("EditStk"));
    EXPECT_EQ(store().picture("Imagehm"), 1);
    run({ "check CheckBoxhm2 0" });
    EXPECT_TRUE(store().enabled("EditStk"));
    EXPECT_EQ(store().picture("Imagehm"), 0);
}

} // namespace
} // namespace millcalc
