#include "AluminiumWindow.h"

#include "aluminium/AlTemperature.h"

#include <string>

namespace millcalc::altest {
namespace {

const std::string kOverheat
    = "Превышение температурного режима: T>=140°C -> деталь плавиться....... :)";

struct TemperatureCase {
    const char* speed; // the accepted speed shown in EditV
    const char* feed; // EditF
    const char* shown; // EditTm
    Rgb colour;
};

constexpr TemperatureCase kTemperatureCases[] = {
    { "751.968", "3532.937", "108", colours::Blue }, // the worked example
    { "4500", "1000", "237", colours::Red }, // beyond both ends: last column, first row
    { "1500", "3600", "112", colours::Blue }, // a heading counts from itself upwards
    { "1499.9", "3599.9", "125", colours::Blue }, // just below both headings
    { "2000", "8400", "87", colours::Blue }, // no 8400 row: the 7200 row
    { "400", "100", "150", colours::Red }, // below the first headings
    { "4000", "3600", "139", colours::Blue }, // the hottest cell below 140
    { "2000", "2400", "146", colours::Red },
    { "4000", "12000", "76", colours::Blue },
    { "3999.999", "11999.999", "79", colours::Blue },
};

TEST_F(AluminiumWindow, TemperatureIsLookedUpByAcceptedSpeedAndFeed)
{
    for (const TemperatureCase& c : kTemperatureCases) {
        offerSpeeds({ c.speed });
        type({ { "EditF", c.feed } });
        store().clearLines("ElFlatMemoMes");
        CalcAlWorkpieceTemperature(form());
        EXPECT_EQ(text("EditTm"), c.shown) << c.speed << " " << c.feed;
        EXPECT_EQ(store().colour("EditTm"), c.colour) << c.speed << " " << c.feed;
        EXPECT_EQ(countLog(kOverheat), c.colour == colours::Red ? 1 : 0) << c.speed;
        EXPECT_EQ(text("EditF"), c.feed);
    }
}

TEST_F(AluminiumWindow, OverheatIsOnlyLoggedWithoutABox)
{
    offerSpeeds({ "4500" });
    type({ { "EditF", "1000" } });
    EXPECT_EQ(run({ "click BitBtnAlTm1" }), logEvent(kOverheat));
}

TEST_F(AluminiumWindow, EmptyFeedBecomes20AndUsesTheFirstRow)
{
    offerSpeeds({ "751.968" });
    type({ { "EditF", "" } });
    CalcAlWorkpieceTemperature(form());
    EXPECT_EQ(text("EditF"), "20.000");
    EXPECT_EQ(text("EditTm"), "150");
    EXPECT_EQ(store().focused(), "BitCalcs");
}

TEST_F(AluminiumWindow, NoAcceptedSpeedUsesTheFirstColumn)
{
    store().setItems("EditV", {});
    type({ { "EditF", "12000" } });
    CalcAlWorkpieceTemperature(form());
    EXPECT_EQ(text("EditTm"), "49");
}

TEST(TemperatureTable, LookUpTakesTheLastHeadingNotAboveTheValue)
{
    EXPECT_EQ(lookUpTemperature(500, 1200), 150);
    EXPECT_EQ(lookUpTemperature(999.999, 2399.999), 150);
    EXPECT_EQ(lookUpTemperature(1000, 2400), 125);
    EXPECT_EQ(lookUpTemperature(-5, -5), 150);
    EXPECT_EQ(lookUpTemperature(1e9, 1e9), 76);
    EXPECT_EQ(lookUpTemperature(3500, 9599), 99);
    EXPECT_EQ(lookUpTemperature(3500, 9600), 85);
}

TEST_F(AluminiumWindow, TemperatureGridShowsTheTableWithAnEmptyCorner)
{
    EXPECT_EQ(store().cell("StringGridT", 0, 0), "");
    for (int row = 0; row < kTemperatureRows; ++row) {
        for (int column = 0; column < kTemperatureColumns; ++column) {
            if (row == 0 && column == 0)
                continue;
            EXPECT_EQ(store().cell("StringGridT", column, row),
                std::to_string(TemperatureTable[static_cast<std::size_t>(row)]
                                               [static_cast<std::size_t>(column)]));
        }
    }
    EXPECT_EQ(store().cell("StringGridT", 1, 0), "500");
    EXPECT_EQ(store().cell("StringGridT", 0, 7), "9600");
    EXPECT_EQ(store().cell("StringGridT", 8, 9), "76");
}

TEST_F(AluminiumWindow, TemperatureButtonAndMenusShowThePanelAndLookUp)
{
    for (const char* command : { "click BitBtnAlTm1", "click N23", "click N24" }) {
        run({ "close PanelTemp" });
        offerSpeeds({ "751.968" });
        type({ { "EditF", "3532.937" }, { "EditTm", "20.0" } });
        run({ command });
        EXPECT_TRUE(store().visible("PanelTemp")) << command;
        EXPECT_EQ(text("EditTm"), "108") << command;
    }
}

} // namespace
} // namespace millcalc::altest
