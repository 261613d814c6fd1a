// The machine comparison's grid as the user reads it: the machine column
// frozen at the left, what limits each machine and what a fit would change
// next to it, the shares of the limits after them scrolling inside the grid;
// every heading with a tooltip of what it is, and a selected row that keeps
// its colours.
#pragma once

class QTableWidget;

namespace millcalc {

void arrangeComparisonGrid(QTableWidget* table);

} // namespace millcalc
