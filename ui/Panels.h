// The contents of the main window's docked panels: the results, and the side
// panels of the window's panel table (shell/WindowPanels.h).
#pragma once

#include <string_view>

class QWidget;

namespace millcalc {

// The results' contents, under the panel's name.
QWidget* createResultsPanel(const char* panel);

// How a side panel's contents are built, given the panel's name; looked up
// by the name the window's panel table gives it, null for a panel that has
// none here.
using PanelContents = QWidget* (*)(const char* panel);
PanelContents sidePanelContents(std::string_view panel);

} // namespace millcalc
