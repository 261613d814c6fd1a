// Ctrl+C in the results window: the calculation sheet's table (heading,
// inputs and results) goes to the clipboard for a spreadsheet or a word
// processor. A field with selected text copies that text instead, as any
// field does. Nothing is written to disk.
#pragma once

class QWidget;

namespace millcalc {

class SheetCommands;

// Makes Ctrl+C in the results window copy the sheet's table of its active page.
void installResultsCopy(SheetCommands& commands, QWidget* resultsWindow);

} // namespace millcalc
