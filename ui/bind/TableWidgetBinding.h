// A string grid: its size, its cells (the heading rows and columns in the
// table's headers), their colours, the current cell, and a cell the user
// selects or double-clicks going to the window logic.
#pragma once

#include "ui/bind/Binding.h"

#include <QEvent>
#include <QFont>
#include <QHash>
#include <QString>

class QTableWidget;

namespace millcalc {

class TableWidgetBinding : public Binding {
public:
    TableWidgetBinding(const BindingHost& host, const Field& field, QTableWidget* table);

    void colour(const Field& field) override { cells(field); }
    void cells(const Field& field) override;

private:
    // The width of a cell's text in the table's font. Measuring shapes the
    // text, and a grid's texts repeat from one writing to the next: each is
    // measured once a font and resolution.
    int advance(const QString& text);

    QTableWidget* table_;
    int fixedRows_;
    int fixedColumns_;
    QFont measuredFont_;
    int measuredDpi_ = 0;
    QHash<QString, int> advances_;
};

// Widens the columns of a grid whose heading would not fit even when wrapped at
// its blanks, gives the heading row the height of its wrapped headings and
// sizes the grid to show every cell: at each change of the headings, and by
// the window that fills a grid's headings itself. A grid with the property
// kScrollsSideways set true keeps the width its place gives it, scrolling
// its columns, and no more height than its rows and a scroll bar need.
inline constexpr const char* kScrollsSideways = "millcalcScrollsSideways";
void fitGrid(QTableWidget* table);

// The event the binding sends its table, at once, when it has written the
// whole grid: a grid that sizes its columns by their texts does it then, in
// the same pass as the texts, so that the grid is painted once for both.
QEvent::Type gridWrittenEvent();

} // namespace millcalc
