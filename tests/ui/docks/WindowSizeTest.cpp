// The size the main window takes for its docks, on the screens of the shop's
// machines: a window that grows within the screen, one that grows beyond an
// edge and comes back, one that would fill all but a strip, one under
// Wayland, and one the user made larger than it asks.
#include "ui/docks/WindowSize.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>

namespace millcalc {

void PrintTo(const WindowSizing& sizing, std::ostream* out)
{
    const char* growth = sizing.growth == WindowGrowth::Kept ? "Kept"
        : sizing.growth == WindowGrowth::Resized             ? "Resized"
                                                             : "Maximized";
    *out << growth << ' ' << sizing.size.width << 'x' << sizing.size.height << " at "
         << sizing.frameX << ',' << sizing.frameY;
}

namespace {

// openbox's frame: a title bar of 22 pixels and borders of 1.
constexpr FrameMargins kOpenbox { 1, 22, 1, 1 };
constexpr Area kOffice { 0, 0, { 1920, 1040 } }; // under a 40-pixel taskbar
constexpr Area kLaptop { 0, 0, { 1366, 768 } };
// The second screen, right of the first, with a panel on its top.
constexpr Area kRightScreen { 1920, 30, { 1280, 994 } };

struct GrowCase {
    const char* what;
    Extent now;
    Extent wanted;
    Area frame; // the frame's rectangle now
    Area screen;
    bool placeable;
    WindowSizing expected;
};

const GrowCase kCases[] = {
    { "asks for no more than it has", { 1200, 700 }, { 1200, 700 }, { 40, 30, { 1202, 723 } },
        kOffice, true, { WindowGrowth::Kept, { 1200, 700 }, 40, 30 } },
    { "asks for less: the user's size stays", { 1400, 800 }, { 1200, 700 },
        { 40, 30, { 1402, 823 } }, kOffice, true, { WindowGrowth::Kept, { 1400, 800 }, 40, 30 } },
    { "grows in place", { 700, 600 }, { 1400, 800 }, { 40, 30, { 702, 623 } }, kOffice, true,
        { WindowGrowth::Resized, { 1400, 800 }, 40, 30 } },
    { "grows in width only, keeping a taller size", { 700, 900 }, { 1400, 800 },
        { 40, 30, { 702, 923 } }, kOffice, true, { WindowGrowth::Resized, { 1400, 900 }, 40, 30 } },
    { "grown beyond the right and bottom edges, moved back", { 700, 600 }, { 1400, 800 },
        { 900, 400, { 702, 623 } }, kOffice, true,
        { WindowGrowth::Resized, { 1400, 800 }, 1920 - 1402, 1040 - 823 } },
    { "left of the screen, moved onto it", { 700, 600 }, { 1400, 800 }, { -50, -10, { 702, 623 } },
        kOffice, true, { WindowGrowth::Resized, { 1400, 800 }, 0, 0 } },
    { "on the second screen, kept on it", { 700, 600 }, { 1100, 800 }, { 2500, 200, { 702, 623 } },
        kRightScreen, true, { WindowGrowth::Resized, { 1100, 800 }, 1920 + 1280 - 1102, 200 } },
    // The room is 1918 x 1017: 90 % of its width is 1726.
    { "one pixel short of 90 % of the width: resized", { 700, 600 }, { 1725, 800 },
        { 0, 0, { 702, 623 } }, kOffice, true, { WindowGrowth::Resized, { 1725, 800 }, 0, 0 } },
    { "90 % of the width exactly: maximized", { 700, 600 }, { 1726, 800 }, { 0, 0, { 702, 623 } },
        kOffice, true, { WindowGrowth::Maximized, { 1726, 800 }, 0, 0 } },
    // 90 % of the laptop's room of 745 pixels in height is 670.
    { "90 % of the height exactly: maximized", { 700, 500 }, { 1000, 670 }, { 0, 0, { 702, 523 } },
        kLaptop, true, { WindowGrowth::Maximized, { 1000, 670 }, 0, 0 } },
    { "asks for more than the screen: bounded, maximized", { 700, 500 }, { 2200, 1300 },
        { 0, 0, { 702, 523 } }, kLaptop, true, { WindowGrowth::Maximized, { 1364, 745 }, 0, 0 } },
    { "under Wayland a window that grows is maximized", { 700, 600 }, { 900, 700 },
        { 0, 0, { 700, 600 } }, kOffice, false, { WindowGrowth::Maximized, { 900, 700 }, 0, 0 } },
    { "under Wayland a window that need not grow stays", { 900, 700 }, { 900, 700 },
        { 0, 0, { 900, 700 } }, kOffice, false, { WindowGrowth::Kept, { 900, 700 }, 0, 0 } },
};

// A case is named by what it tries, in the test's name and in its failures.
void PrintTo(const GrowCase& c, std::ostream* out)
{
    *out << c.what;
}

class GrowWindow : public testing::TestWithParam<GrowCase> { };

TEST_P(GrowWindow, TakesTheSizeTheDocksAskForWithinTheScreen)
{
    const GrowCase& c = GetParam();
    EXPECT_EQ(growWindow(c.now, c.wanted, c.frame, kOpenbox, c.screen, c.placeable), c.expected)
        << c.what;
}

INSTANTIATE_TEST_SUITE_P(Screens, GrowWindow, testing::ValuesIn(kCases),
    [](const testing::TestParamInfo<GrowCase>& info) {
        std::string name = std::to_string(info.index) + "_";
        for (const char c : std::string(info.param.what))
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST(FirstWindowSize, IsWhatTheWindowAsksForWithinTheScreen)
{
    struct Case {
        Extent wanted;
        Extent screen;
        Extent expected;
    };
    const Case cases[] = {
        { { 1200, 700 }, { 1920, 1040 }, { 1200, 700 } },
        { { 1500, 800 }, { 1366, 768 }, { 1366, 768 } },
        { { 1000, 800 }, { 1366, 728 }, { 1000, 728 } },
    };
    for (const Case& c : cases) {
        const Extent size = firstWindowSize(c.wanted, c.screen);
        EXPECT_EQ(size.width, c.expected.width);
        EXPECT_EQ(size.height, c.expected.height);
    }
}

} // namespace

} // namespace millcalc
