// The desktop program over a fresh window logic, started as main() starts it,
// and the few gestures of a user that the method tests share.
#pragma once

#include "BinderProbe.h"

#include "app/Toolkit.h"
#include "shell/FormMain.h"
#include "ui/Desktop.h"
#include "ui/FieldBinder.h"
#include "ui/bind/PaletteColours.h"
#include "ui/pages/WidgetKit.h"
#include "ui/pictures/PictureLabel.h"

#include <QColor>
#include <QComboBox>
#include <QHash>
#include <QHeaderView>
#include <QImage>
#include <QTableWidget>
#include <QtTest>

#include <memory>
#include <string>

namespace millcalc {

class DesktopHarness {
public:
    explicit DesktopHarness(Toolkit& toolkit)
        : form(toolkit)
    {
        form.start();
        desktop = std::make_unique<Desktop>(form);
        desktop->show();
    }

    template <typename T> T* find(const char* name) const
    {
        T* typed = qobject_cast<T*>(controlOf(*desktop, name));
        if (!typed)
            qFatal("no widget %s of the expected type", name);
        return typed;
    }

    QWidget* window(const char* name) const { return desktop->window(name); }
    FieldStore& store() { return form.store(); }

    FormMain form;
    std::unique_ptr<Desktop> desktop;
};

// Picks an item of a drop-down list with the arrow keys, as a user does; every
// step is a pick of its own and runs the list's change step.
inline void pickWithKeys(QComboBox* box, int index)
{
    while (box->currentIndex() < index)
        QTest::keyClick(box, Qt::Key_Down);
    while (box->currentIndex() > index)
        QTest::keyClick(box, Qt::Key_Up);
}

// The text a grid shows at the store's column and row: a heading cell lives in
// the table's header, the corner of two headings nowhere.
inline QString shownCell(const QTableWidget* table, const Field& field, int column, int row)
{
    const int fixedRows = field.fixedRows;
    const int fixedColumns = field.fixedColumns;
    const QTableWidgetItem* item = nullptr;
    if (row < fixedRows && column < fixedColumns)
        return QString();
    if (row < fixedRows)
        item = table->horizontalHeaderItem(column - fixedColumns);
    else if (column < fixedColumns)
        item = table->verticalHeaderItem(row - fixedRows);
    else
        item = table->item(row - fixedRows, column - fixedColumns);
    return item ? item->text() : QString();
}

// Every cell of the grid shows the store's text (line breaks as Qt writes them).
inline void compareGridWithStore(const QTableWidget* table, const FieldStore& store)
{
    const std::string name = table->objectName().toStdString();
    const Field& field = store.field(name);
    const int fixedRows = field.fixedRows;
    const int fixedColumns = field.fixedColumns;
    for (int row = 0; row < field.rows; ++row) {
        for (int column = 0; column < field.columns; ++column) {
            if (row < fixedRows && column < fixedColumns)
                continue;
            QString expected = QString::fromStdString(store.cell(name, column, row));
            expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            QVERIFY2(shownCell(table, field, column, row) == expected,
                qPrintable(QStringLiteral("%1 column %2 row %3: \"%4\" instead of \"%5\"")
                        .arg(table->objectName())
                        .arg(column)
                        .arg(row)
                        .arg(shownCell(table, field, column, row), expected)));
        }
    }
}

// The picture as drawn at its own size: the test screen is small, and a
// formula short of room is left out.
inline QImage drawnWhole(PictureLabel* picture)
{
    picture->resize(picture->sizeHint());
    return picture->grab().toImage();
}

// What a text looks like in a screenshot: the commonest colour of its place
// (the field) and the colour that stands out most from that (the cores of
// the glyphs, which anti-aliasing leaves whole). Invalid colours where the
// place lies outside the shot.
struct InkOnField {
    QColor ink;
    QColor field;
};

inline InkOnField inkOnField(const QImage& shot, const QRect& area)
{
    QHash<QRgb, int> counts;
    const QRect inside = area & shot.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[shot.pixel(x, y) | 0xff000000u];
    if (counts.isEmpty())
        return {};
    QRgb commonest = counts.constBegin().key();
    for (auto it = counts.constBegin(); it != counts.constEnd(); ++it)
        if (it.value() > counts.value(commonest))
            commonest = it.key();
    QRgb strongest = commonest;
    for (auto it = counts.constBegin(); it != counts.constEnd(); ++it)
        if (contrastRatio(QColor(it.key()), QColor(commonest))
            > contrastRatio(QColor(strongest), QColor(commonest)))
            strongest = it.key();
    return { QColor(strongest), QColor(commonest) };
}

} // namespace millcalc
