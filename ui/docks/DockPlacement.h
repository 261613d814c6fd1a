// Where the main window's docks go at a first start (or when the arrangement
// is reset), decided on sizes alone: what each dock asks for, what the inputs
// ask for and the screen's free area, all in the same (logical) pixels. No
// toolkit here: ui/Desktop.cpp measures the widgets, asks placeDocks and
// applies its answer.
#pragma once

#include <string>
#include <vector>

namespace millcalc {

// What a dock is to the arrangement.
enum class DockKind {
    Results, // right of the inputs
    Log, // under the results, or under the inputs on a low screen
    Panel, // beside the results where the screen is wide enough, else tabbed
};

// Where a dock goes. The other dock it goes with is named beside it.
enum class DockPlace {
    None, // not placed now: not built, or left where it is
    RightOfInputs, // the column right of the inputs
    UnderResults, // split under the results, in their column
    UnderInputs, // the bottom area under the inputs, the right column keeping its corner
    TabbedWithResults, // a tab of the results' place
    BesideResults, // split beside the results, a column of its own
    TabbedWithPanel, // a tab of a panel already beside the results
};

// A width and a height in pixels.
struct Extent {
    int width = 0;
    int height = 0;

    friend bool operator==(const Extent&, const Extent&) = default;
};

// Where a dock is now.
enum class DockState {
    Unbuilt, // not there: neither placed nor a neighbour
    ToPlace, // to be placed by this call
    InRightColumn, // docked right of the inputs (with the results or beside them)
    Elsewhere, // floating or in another area: a dock, but no panel's neighbour
};

struct DockRequest {
    std::string name;
    DockKind kind = DockKind::Panel;
    // The size the dock asks for; the log's height is the least it can show
    // its lines in.
    Extent wanted;
    DockState state = DockState::Unbuilt;
};

struct DockPlacing {
    DockPlace place = DockPlace::None;
    // The dock it is split from or tabbed with; empty for the places that
    // need none.
    std::string with;

    friend bool operator==(const DockPlacing&, const DockPlacing&) = default;
};

// The place of each dock, in the order given. The docks to place are placed
// one after another in that order, each seeing the ones placed before it:
//   - the results go right of the inputs;
//   - the log goes under the results where the results' height and its own
//     take at most 90 % of the screen's height, else under the inputs where
//     the inputs' height and its own do, else it is tabbed with the results:
//     no input or result goes out of view for the log;
//   - a panel is tabbed with the first panel in the right column, if there is
//     one; else it goes beside the results where the inputs', the results' and
//     its own widths take at most 95 % of the screen's width; else it is
//     tabbed with the results.
// Without a results dock in the list, the log goes under the inputs where it
// fits there, and it or a panel with no panel to join goes right of the
// inputs, where the results would be.
std::vector<DockPlacing> placeDocks(
    const std::vector<DockRequest>& docks, Extent inputs, Extent screen);

} // namespace millcalc
