// The size the main window takes for the docks it shows, decided on sizes
// alone: its size now, the size it asks for, its frame and the screen's free
// area, all in the same (logical) pixels. No toolkit here: ui/Desktop.cpp
// measures the window, asks growWindow and applies its answer.
#pragma once

#include "ui/docks/DockPlacement.h"

namespace millcalc {

// A rectangle of the screen: its top left corner and its extent.
struct Area {
    int x = 0;
    int y = 0;
    Extent extent;

    friend bool operator==(const Area&, const Area&) = default;
};

// What the window manager draws around the window, on each side.
struct FrameMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

enum class WindowGrowth {
    Kept, // the window has the size it asks for, or the most the screen allows
    Resized, // it takes size, its frame moved to frameAt
    Maximized, // it takes the whole screen
};

struct WindowSizing {
    WindowGrowth growth = WindowGrowth::Kept;
    // The new size, inside the frame (Resized only).
    Extent size;
    // Where the frame's top left corner goes, so that the grown window stays
    // on the screen (Resized only); where it is when it need not move.
    int frameX = 0;
    int frameY = 0;

    friend bool operator==(const WindowSizing&, const WindowSizing&) = default;
};

// The main window grows to the size it asks for, as far as the screen (less
// the frame) allows; it never shrinks what the user gave it. Where it would
// fill the screen all but a strip (90 % of its width or height), or where it
// cannot be placed (placeable false: under Wayland only the compositor knows
// where it is), it takes the whole screen, as grown in place it could run off
// the edge. Else its frame moves back onto the screen where it grew beyond
// an edge. frame is the frame's rectangle now.
WindowSizing growWindow(
    Extent now, Extent wanted, Area frame, FrameMargins margins, Area screen, bool placeable);

// The size of the window at a first start, or when the arrangement is reset:
// the size it asks for within the screen's free area.
Extent firstWindowSize(Extent wanted, Extent screen);

} // namespace millcalc
