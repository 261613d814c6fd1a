// The contents of the main window's docked panels: the results, and the side
// panels of the window's panel table (shell/WindowPanels.h).
#pragma once

#include <span>

class QWidget;

namespace millcalc {

// The results' contents, under the panel's name.
QWidget* createResultsPanel(const char* panel);

// A side panel's contents: the panel's name in the window's panel table and
// how they are built, given that name.
struct PanelContents {
    const char* panel;
    QWidget* (*create)(const char* panel);
};

// Every side panel's contents, in the order their docks are placed: a panel
// earlier in the list is the one a later panel joins as a tab.
std::span<const PanelContents> sidePanelContents();

} // namespace millcalc
