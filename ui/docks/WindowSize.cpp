#include "ui/docks/WindowSize.h"

#include <algorithm>

namespace millcalc {

namespace {

Extent boundedTo(Extent size, Extent bound)
{
    return { std::min(size.width, bound.width), std::min(size.height, bound.height) };
}

Extent expandedTo(Extent size, Extent other)
{
    return { std::max(size.width, other.width), std::max(size.height, other.height) };
}

// The coordinate that keeps a span of that length at start within the
// screen's span: moved back from the far edge first, then from the near one.
int keptOn(int start, int length, int screenStart, int screenLength)
{
    start = std::min(start + length, screenStart + screenLength) - length;
    return std::max(start, screenStart);
}

} // namespace

WindowSizing growWindow(
    Extent now, Extent wanted, Area frame, FrameMargins margins, Area screen, bool placeable)
{
    const Extent room { screen.extent.width - margins.left - margins.right,
        screen.extent.height - margins.top - margins.bottom };
    const Extent grown = expandedTo(now, boundedTo(wanted, room));
    if (grown.width == now.width && grown.height == now.height)
        return { WindowGrowth::Kept, now, frame.x, frame.y };
    if (!placeable || grown.width >= room.width * 9 / 10 || grown.height >= room.height * 9 / 10)
        return { WindowGrowth::Maximized, grown, frame.x, frame.y };
    const int frameWidth = grown.width + margins.left + margins.right;
    const int frameHeight = grown.height + margins.top + margins.bottom;
    return { WindowGrowth::Resized, grown,
        keptOn(frame.x, frameWidth, screen.x, screen.extent.width),
        keptOn(frame.y, frameHeight, screen.y, screen.extent.height) };
}

Extent firstWindowSize(Extent wanted, Extent screen)
{
    return boundedTo(wanted, screen);
}

} // namespace millcalc
