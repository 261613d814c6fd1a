// The docks of the main window as rows: the results, the log, then the side
// panels of the window's panel table (shell/WindowPanels.h), each with the
// contents the front end builds for it (ui/Panels.h).
#pragma once

#include "ui/docks/DockPlacement.h"

#include <vector>

class QDockWidget;
class QMainWindow;
class QWidget;

namespace millcalc {

// A dock of the main window, as its row of the table says: its name, what it
// is to the arrangement, how it is built and what it brings with it.
struct DockRow {
    const char* name;
    DockKind kind;
    // Builds the dock, a child of the main window.
    QDockWidget* (*make)(const DockRow& row, QMainWindow* main);
    // A panel's contents, built under its name; null for a dock of another kind.
    QWidget* (*contents)(const char* panel) = nullptr;
    // The line of the contents kept in view under its scrolling part (the
    // results' status line); null for none.
    const char* keptInView = nullptr;
    // Whether the calculation sheet and the copy of the results read this
    // dock's fields.
    bool carriesResults = false;
    // The page control inside the dock whose pages each ask for their own
    // size, so that a page shown relays the docks out; null for none.
    const char* pages = nullptr;
};

// The docks, one row each, in the order they are placed.
const std::vector<DockRow>& dockRows();
// The first row of that kind: the results, the log.
const DockRow& dockRowOf(DockKind kind);

} // namespace millcalc
