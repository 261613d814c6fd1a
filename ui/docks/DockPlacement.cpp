#include "ui/docks/DockPlacement.h"

#include <cstddef>

namespace millcalc {

namespace {

// The share of the screen's height the log may fill together with the results
// (or the inputs) above it, and of its width the inputs, the results and a
// panel may fill side by side: the rest is left to the window's frame, its
// menu and the desktop's margins.
constexpr int kTallestPercent = 90;
constexpr int kWidestPercent = 95;

bool inRightColumn(DockPlace place)
{
    return place == DockPlace::RightOfInputs || place == DockPlace::UnderResults
        || place == DockPlace::TabbedWithResults || place == DockPlace::BesideResults
        || place == DockPlace::TabbedWithPanel;
}

} // namespace

std::vector<DockPlacing> placeDocks(
    const std::vector<DockRequest>& docks, Extent inputs, Extent screen)
{
    std::vector<DockPlacing> placings(docks.size());
    const DockRequest* results = nullptr;
    for (const DockRequest& dock : docks) {
        if (dock.kind == DockKind::Results && dock.state != DockState::Unbuilt) {
            results = &dock;
            break;
        }
    }
    const int tallest = screen.height * kTallestPercent / 100;
    const int widest = screen.width * kWidestPercent / 100;
    // Whether the dock of that index is in the right column now: it was, or
    // it was placed there by this call already.
    const auto inColumn = [&](std::size_t index) {
        return docks[index].state == DockState::InRightColumn
            || (docks[index].state == DockState::ToPlace && inRightColumn(placings[index].place));
    };
    for (std::size_t index = 0; index < docks.size(); ++index) {
        const DockRequest& dock = docks[index];
        if (dock.state != DockState::ToPlace)
            continue;
        DockPlacing& placing = placings[index];
        switch (dock.kind) {
        case DockKind::Results:
            placing.place = DockPlace::RightOfInputs;
            break;
        case DockKind::Log:
            if (results && results->wanted.height + dock.wanted.height <= tallest) {
                placing = { DockPlace::UnderResults, results->name };
            } else if (inputs.height + dock.wanted.height <= tallest) {
                placing.place = DockPlace::UnderInputs;
            } else if (results) {
                placing = { DockPlace::TabbedWithResults, results->name };
            } else {
                placing.place = DockPlace::RightOfInputs;
            }
            break;
        case DockKind::Panel: {
            // A panel further on in the list, still to be placed, is no
            // neighbour yet.
            const DockRequest* neighbour = nullptr;
            for (std::size_t other = 0; other < docks.size() && !neighbour; ++other) {
                if (other != index && docks[other].kind == DockKind::Panel && inColumn(other))
                    neighbour = &docks[other];
            }
            if (neighbour) {
                placing = { DockPlace::TabbedWithPanel, neighbour->name };
            } else if (!results) {
                placing.place = DockPlace::RightOfInputs;
            } else if (inputs.width + results->wanted.width + dock.wanted.width <= widest) {
                placing = { DockPlace::BesideResults, results->name };
            } else {
                placing = { DockPlace::TabbedWithResults, results->name };
            }
            break;
        }
        }
    }
    return placings;
}

} // namespace millcalc
