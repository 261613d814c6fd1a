// The side panels of the main window as one table: the methods' own, in page
// order and in each method's order, then the window's own (the results and
// the machine comparison). The main form takes its show commands, its start
// state and the panels it keeps from it; the docks and menus read it too.
#pragma once

#include "app/Method.h"
#include "app/Panel.h"

#include <span>
#include <string_view>

namespace millcalc {

// The results' panel, which a calculation shows and titles with its page.
inline constexpr const char* kResultsPanel = "PanelCalc";

struct PanelRow {
    const Panel* panel;
    // The method whose row lists the panel; null for the window's own.
    const Method* owner;
};

// Every side panel of the window, in the order of its menus.
std::span<const PanelRow> windowPanels();
// The row of a panel of that name; null for none.
const PanelRow* panelRow(std::string_view name);

} // namespace millcalc
