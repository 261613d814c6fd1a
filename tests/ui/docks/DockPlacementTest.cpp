// Where the main window's docks go at a first start, on the screens of the
// shop's machines and the desktops of the geometry test, from the sizes the
// program measured on them; and the rules one at a time, as the docks are
// built one after another.
#include "ui/docks/DockPlacement.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace millcalc {

// The place's name as written in the code ("UnderResults"), for messages.
std::string_view dockPlaceName(DockPlace place)
{
    switch (place) {
    case DockPlace::None:
        return "None";
    case DockPlace::RightOfInputs:
        return "RightOfInputs";
    case DockPlace::UnderResults:
        return "UnderResults";
    case DockPlace::UnderInputs:
        return "UnderInputs";
    case DockPlace::TabbedWithResults:
        return "TabbedWithResults";
    case DockPlace::BesideResults:
        return "BesideResults";
    case DockPlace::TabbedWithPanel:
        return "TabbedWithPanel";
    }
    return "?";
}

void PrintTo(const DockPlacing& placing, std::ostream* out)
{
    *out << dockPlaceName(placing.place);
    if (!placing.with.empty())
        *out << " with " << placing.with;
}

namespace {

// The sizes the program's widgets ask for, in logical pixels.
struct Hints {
    Extent inputs;
    Extent results;
    Extent log; // its least height with four lines
    Extent formulas;
    Extent material;
    Extent temperature;
    Extent machines;
};

// As measured under openbox with Qt's Fusion style and the desktop's default
// font; a font resolution or a scale factor leaves them as they are and makes
// the screen smaller in these pixels instead.
constexpr Hints kFusion { { 690, 570 }, { 707, 701 }, { 256, 123 }, { 411, 685 }, { 593, 513 },
    { 581, 285 }, { 288, 231 } };
// The GTK theme with Adwaita's dark variant: larger margins.
constexpr Hints kAdwaitaDark { { 736, 599 }, { 755, 741 }, { 256, 132 }, { 438, 717 }, { 640, 533 },
    { 625, 298 }, { 288, 231 } };
// A native Wayland client under weston.
constexpr Hints kWeston { { 693, 574 }, { 735, 721 }, { 256, 123 }, { 430, 705 }, { 639, 513 },
    { 613, 285 }, { 288, 231 } };

// The hints of a desktop whose font is larger by that many percent where
// nothing scales the screen with it.
Hints enlarged(const Hints& hints, int percent)
{
    const auto grow = [percent](Extent extent) {
        return Extent { extent.width * percent / 100, extent.height * percent / 100 };
    };
    return { grow(hints.inputs), grow(hints.results), grow(hints.log), grow(hints.formulas),
        grow(hints.material), grow(hints.temperature), grow(hints.machines) };
}

const std::string kResults = "PanelCalc";
const std::string kLog = "FormMessage";
const std::string kFormulas = "PanelFormulaAl";
const std::string kMaterial = "PanelStMaterial";
const std::string kTemperature = "PanelTemp";
const std::string kMachines = "PanelMachines";

// The docks in the order of the program's table, each in that state.
std::vector<DockRequest> docksOf(const Hints& hints, DockState state)
{
    return {
        { kResults, DockKind::Results, hints.results, state },
        { kLog, DockKind::Log, hints.log, state },
        { kFormulas, DockKind::Panel, hints.formulas, state },
        { kMaterial, DockKind::Panel, hints.material, state },
        { kTemperature, DockKind::Panel, hints.temperature, state },
        { kMachines, DockKind::Panel, hints.machines, state },
    };
}

const DockPlacing kRight { DockPlace::RightOfInputs, "" };
const DockPlacing kUnderResults { DockPlace::UnderResults, kResults };
const DockPlacing kUnderInputs { DockPlace::UnderInputs, "" };
const DockPlacing kTabbedWithResults { DockPlace::TabbedWithResults, kResults };
const DockPlacing kBesideResults { DockPlace::BesideResults, kResults };
const DockPlacing kWithFormulas { DockPlace::TabbedWithPanel, kFormulas };
const DockPlacing kNone { DockPlace::None, "" };

struct ScreenCase {
    const char* desktop;
    Hints hints;
    Extent screen; // its free area, in logical pixels
    DockPlacing log;
    DockPlacing firstPanel; // the formulas; the other panels join it
};

// The log under the results needs 824 pixels of height (90 % of 916), under
// the inputs 693 (of 770); the first panel beside the results 1808 of width
// (95 % of 1904), all at the Fusion sizes.
const ScreenCase kScreens[] = {
    { "laptop 1366x768", kFusion, { 1366, 768 }, kTabbedWithResults, kTabbedWithResults },
    { "laptop 1366x768 under a 40-pixel taskbar", kFusion, { 1366, 728 }, kTabbedWithResults,
        kTabbedWithResults },
    { "laptop 1366x768 at 125 % fonts, 1093x614 to Qt", kFusion, { 1093, 614 }, kTabbedWithResults,
        kTabbedWithResults },
    { "laptop 1366x768 with a font 25 % larger, unscaled", enlarged(kFusion, 125), { 1366, 768 },
        kTabbedWithResults, kTabbedWithResults },
    { "laptop 1366x768, dark Adwaita", kAdwaitaDark, { 1366, 768 }, kTabbedWithResults,
        kTabbedWithResults },
    { "laptop 1366x768 under weston", kWeston, { 1366, 768 }, kTabbedWithResults,
        kTabbedWithResults },
    { "2732x1536 at scale 2, 1366x768 to Qt", kFusion, { 1366, 768 }, kTabbedWithResults,
        kTabbedWithResults },
    { "laptop 1440x900", kFusion, { 1440, 900 }, kUnderInputs, kTabbedWithResults },
    { "office 1920x1080", kFusion, { 1920, 1080 }, kUnderResults, kBesideResults },
    { "office 1920x1080 under a 40-pixel taskbar", kFusion, { 1920, 1040 }, kUnderResults,
        kBesideResults },
    { "office 1920x1080, dark Adwaita", kAdwaitaDark, { 1920, 1080 }, kUnderResults,
        kTabbedWithResults },
    { "office 1920x1080 at 150 % fonts, 1280x720 to Qt", kFusion, { 1280, 720 }, kTabbedWithResults,
        kTabbedWithResults },
    { "3840x2160 at scale 2, 1920x1080 to Qt", kFusion, { 1920, 1080 }, kUnderResults,
        kBesideResults },
    { "low and wide: 2560x900", kFusion, { 2560, 900 }, kUnderInputs, kBesideResults },
    { "ultrawide 3440x1440", kFusion, { 3440, 1440 }, kUnderResults, kBesideResults },
    { "tall and narrow: 1080x1920 upright", kFusion, { 1080, 1920 }, kUnderResults,
        kTabbedWithResults },
    { "tall and narrow: 1200x1920 upright at 125 % fonts, 960x1536 to Qt", kFusion, { 960, 1536 },
        kUnderResults, kTabbedWithResults },
    { "exactly the room for the log under the results and a panel beside them", kFusion,
        { 1904, 916 }, kUnderResults, kBesideResults },
    { "a pixel short of both", kFusion, { 1903, 915 }, kUnderInputs, kTabbedWithResults },
    { "exactly the room for the log under the inputs", kFusion, { 1366, 770 }, kUnderInputs,
        kTabbedWithResults },
    { "a pixel short of it", kFusion, { 1366, 769 }, kTabbedWithResults, kTabbedWithResults },
};

void PrintTo(const ScreenCase& screen, std::ostream* out)
{
    *out << screen.desktop;
}

class DockPlacementScreens : public ::testing::TestWithParam<ScreenCase> { };

std::vector<DockPlacing> expectedOn(const ScreenCase& screen)
{
    return { kRight, screen.log, screen.firstPanel, kWithFormulas, kWithFormulas, kWithFormulas };
}

// All the docks at once, as the arrangement is reset.
TEST_P(DockPlacementScreens, AllAtOnce)
{
    const ScreenCase& screen = GetParam();
    EXPECT_EQ(
        placeDocks(docksOf(screen.hints, DockState::ToPlace), screen.hints.inputs, screen.screen),
        expectedOn(screen));
}

// One after another in the table's order, as they are built, each seeing the
// ones before it where they went: the same places.
TEST_P(DockPlacementScreens, OneAfterAnother)
{
    const ScreenCase& screen = GetParam();
    std::vector<DockRequest> docks = docksOf(screen.hints, DockState::Unbuilt);
    const std::vector<DockPlacing> expected = expectedOn(screen);
    for (std::size_t built = 0; built < docks.size(); ++built) {
        SCOPED_TRACE(docks[built].name);
        docks[built].state = DockState::ToPlace;
        const std::vector<DockPlacing> placings
            = placeDocks(docks, screen.hints.inputs, screen.screen);
        for (std::size_t other = 0; other < docks.size(); ++other)
            EXPECT_EQ(placings[other], other == built ? expected[built] : kNone) << other;
        docks[built].state = placings[built].place == DockPlace::UnderInputs
            ? DockState::Elsewhere
            : DockState::InRightColumn;
    }
}

INSTANTIATE_TEST_SUITE_P(Desktops, DockPlacementScreens, ::testing::ValuesIn(kScreens),
    [](const ::testing::TestParamInfo<ScreenCase>& info) {
        std::string name;
        for (const char c : std::string(info.param.desktop))
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return std::to_string(info.index) + "_" + name;
    });

constexpr Extent kOffice { 1920, 1080 };
constexpr Extent kLaptop { 1366, 768 };

// The one panel to place among the docks built already.
DockPlacing placedPanel(std::vector<DockRequest> docks, const std::string& name, Extent screen)
{
    std::size_t index = 0;
    while (docks[index].name != name)
        ++index;
    docks[index].state = DockState::ToPlace;
    return placeDocks(docks, kFusion.inputs, screen)[index];
}

std::vector<DockRequest> resultsAndLogBuilt()
{
    std::vector<DockRequest> docks = docksOf(kFusion, DockState::Unbuilt);
    docks[0].state = DockState::InRightColumn;
    docks[1].state = DockState::InRightColumn;
    return docks;
}

TEST(DockPlacement, APanelJoinsOneAlreadyBesideTheResultsWhereverTheScreenWouldPutIt)
{
    std::vector<DockRequest> docks = resultsAndLogBuilt();
    docks[2].state = DockState::InRightColumn;
    EXPECT_EQ(placedPanel(docks, kMaterial, kOffice), kWithFormulas);
    EXPECT_EQ(placedPanel(docks, kMaterial, kLaptop), kWithFormulas);
}

TEST(DockPlacement, APanelFurtherOnInTheTableIsANeighbourToo)
{
    std::vector<DockRequest> docks = resultsAndLogBuilt();
    docks[4].state = DockState::InRightColumn;
    docks[5].state = DockState::InRightColumn;
    // The first of them in the table's order.
    EXPECT_EQ(placedPanel(docks, kFormulas, kOffice),
        (DockPlacing { DockPlace::TabbedWithPanel, kTemperature }));
}

TEST(DockPlacement, AFloatingOrUnbuiltPanelIsNoNeighbour)
{
    std::vector<DockRequest> docks = resultsAndLogBuilt();
    docks[2].state = DockState::Elsewhere;
    docks[3].state = DockState::Unbuilt;
    EXPECT_EQ(placedPanel(docks, kMachines, kOffice), kBesideResults);
    EXPECT_EQ(placedPanel(docks, kMachines, kLaptop), kTabbedWithResults);
}

TEST(DockPlacement, TheLogIsNoPanelsNeighbour)
{
    // The log under the results is in their column, yet no panel joins it.
    const std::vector<DockRequest> docks = resultsAndLogBuilt();
    EXPECT_EQ(placedPanel(docks, kMachines, kOffice), kBesideResults);
}

TEST(DockPlacement, APanelIsMeasuredByItsOwnWidth)
{
    // The office screen holds 1824 pixels of width: the inputs and the
    // results take 1397, the machines' 288 fit, a panel of 428 does not.
    std::vector<DockRequest> docks = resultsAndLogBuilt();
    EXPECT_EQ(placedPanel(docks, kMachines, kOffice), kBesideResults);
    docks[5].wanted.width = 427;
    EXPECT_EQ(placedPanel(docks, kMachines, kOffice), kBesideResults);
    docks[5].wanted.width = 428;
    EXPECT_EQ(placedPanel(docks, kMachines, kOffice), kTabbedWithResults);
}

TEST(DockPlacement, TheLogIsMeasuredByItsOwnHeight)
{
    // The office screen holds 972 pixels of height.
    std::vector<DockRequest> docks = docksOf(kFusion, DockState::Unbuilt);
    docks[0].state = DockState::InRightColumn;
    docks[1].state = DockState::ToPlace;
    docks[1].wanted.height = 271;
    EXPECT_EQ(placeDocks(docks, kFusion.inputs, kOffice)[1], kUnderResults);
    docks[1].wanted.height = 272;
    EXPECT_EQ(placeDocks(docks, kFusion.inputs, kOffice)[1], kUnderInputs);
    docks[1].wanted.height = 402;
    EXPECT_EQ(placeDocks(docks, kFusion.inputs, kOffice)[1], kUnderInputs);
    docks[1].wanted.height = 403;
    EXPECT_EQ(placeDocks(docks, kFusion.inputs, kOffice)[1], kTabbedWithResults);
}

TEST(DockPlacement, FloatingResultsStillMeasureTheLogsPlace)
{
    std::vector<DockRequest> docks = docksOf(kFusion, DockState::Unbuilt);
    docks[0].state = DockState::Elsewhere;
    docks[1].state = DockState::ToPlace;
    EXPECT_EQ(placeDocks(docks, kFusion.inputs, kOffice)[1], kUnderResults);
    EXPECT_EQ(placeDocks(docks, kFusion.inputs, kLaptop)[1], kTabbedWithResults);
}

TEST(DockPlacement, OnlyTheDocksToPlaceArePlaced)
{
    std::vector<DockRequest> docks = docksOf(kFusion, DockState::InRightColumn);
    docks[3].state = DockState::ToPlace;
    docks[5].state = DockState::ToPlace;
    EXPECT_EQ(placeDocks(docks, kFusion.inputs, kOffice),
        (std::vector<DockPlacing> { kNone, kNone, kNone, kWithFormulas, kNone, kWithFormulas }));
}

TEST(DockPlacement, WithoutResultsTheDocksTakeTheirPlace)
{
    std::vector<DockRequest> docks = docksOf(kFusion, DockState::ToPlace);
    docks.erase(docks.begin());
    // The log fits under the inputs on the office screen, not on the laptop's.
    EXPECT_EQ(placeDocks(docks, kFusion.inputs, kOffice),
        (std::vector<DockPlacing> {
            kUnderInputs, kRight, kWithFormulas, kWithFormulas, kWithFormulas }));
    EXPECT_EQ(placeDocks(docks, kFusion.inputs, kLaptop),
        (std::vector<DockPlacing> { kRight, kRight, kWithFormulas, kWithFormulas, kWithFormulas }));
    // Unbuilt results are none either.
    std::vector<DockRequest> unbuilt = docksOf(kFusion, DockState::ToPlace);
    unbuilt[0].state = DockState::Unbuilt;
    EXPECT_EQ(placeDocks(unbuilt, kFusion.inputs, kLaptop)[2], kRight);
}

TEST(DockPlacement, NoDocksNoPlaces)
{
    EXPECT_TRUE(placeDocks({}, kFusion.inputs, kOffice).empty());
}

TEST(DockPlacement, EveryPlaceHasANameOfItsOwn)
{
    const DockPlace places[] = { DockPlace::None, DockPlace::RightOfInputs, DockPlace::UnderResults,
        DockPlace::UnderInputs, DockPlace::TabbedWithResults, DockPlace::BesideResults,
        DockPlace::TabbedWithPanel };
    for (const DockPlace place : places) {
        for (const DockPlace other : places) {
            if (place != other) {
                EXPECT_NE(dockPlaceName(place), dockPlaceName(other));
            }
        }
    }
    EXPECT_EQ(dockPlaceName(DockPlace::UnderInputs), "UnderInputs");
}

} // namespace
} // namespace millcalc
