// Ctrl+C in the results window: the results of the method shown go to the
// clipboard as a table that a spreadsheet or a route card takes, one result a
// line, its caption, value and unit separated by tabs. A field with selected
// text copies that text instead, as any field does. Nothing is written to disk.
#pragma once

#include <QString>

class QWidget;

namespace millcalc {

class FieldStore;
class FormMain;

// The table of the results of result page `page` (0 Walter, 1 aluminium,
// 2 titanium); empty for any other page.
QString resultsTable(const FieldStore& store, int page);

// Makes Ctrl+C in the results window copy the table of its active page.
void installResultsCopy(FormMain& form, QWidget* resultsWindow);

} // namespace millcalc
