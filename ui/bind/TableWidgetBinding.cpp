#include "ui/bind/TableWidgetBinding.h"

#include "app/Form.h"
#include "ui/bind/PaletteColours.h"

#include <QBrush>
#include <QColor>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QTableWidget>

#include <algorithm>

namespace millcalc {

TableWidgetBinding::TableWidgetBinding(
    const BindingHost& host, const Field& field, QTableWidget* table)
    : Binding(host, field, table)
    , table_(table)
    , fixedRows_(field.fixedRows)
    , fixedColumns_(field.fixedColumns)
{
    // The heading rows and columns of the field are the table's headers.
    table->horizontalHeader()->setVisible(fixedRows_ > 0);
    table->verticalHeader()->setVisible(fixedColumns_ > 0);
    table->setColumnCount(field.columns - fixedColumns_);
    table->setRowCount(field.rows - fixedRows_);
    QObject::connect(table, &QTableWidget::currentCellChanged, host_.context,
        [this](int row, int column, int, int) {
            if (row < 0 || column < 0)
                return;
            host_.guarded(
                [&] { host_.form.selectCell(name_, column + fixedColumns_, row + fixedRows_); });
        });
    QObject::connect(
        table, &QTableWidget::cellDoubleClicked, host_.context, [this](int row, int column) {
            host_.guarded([&] {
                host_.form.doubleClickCell(name_, column + fixedColumns_, row + fixedRows_);
            });
        });
}

void TableWidgetBinding::cells(const Field& field)
{
    // A grid whose columns follow the window logic (the machine comparison's
    // follow the method) takes its size from its field.
    bool headingsChanged = false;
    if (table_->columnCount() != field.columns - fixedColumns_) {
        table_->setColumnCount(field.columns - fixedColumns_);
        headingsChanged = true;
    }
    if (table_->rowCount() != field.rows - fixedRows_) {
        table_->setRowCount(field.rows - fixedRows_);
        headingsChanged = true;
    }
    for (int row = 0; row < field.rows; ++row) {
        for (int column = 0; column < field.columns; ++column) {
            if (row < fixedRows_ && column < fixedColumns_)
                continue; // the corner cell has no place in the table
            const auto at = static_cast<std::size_t>(row * field.columns + column);
            const QString text = display(field.cells[at]);
            // Black is the palette's own text colour, which follows the desktop.
            const Rgb logical
                = at < field.cellColours.size() ? field.cellColours[at] : field.colour;
            const QVariant colour = logical == colours::Black
                ? QVariant()
                : QVariant(QBrush(textColour(logical, table_->palette())));
            QTableWidgetItem* item = nullptr;
            if (row < fixedRows_) {
                item = table_->horizontalHeaderItem(column - fixedColumns_);
                if (!item) {
                    item = new QTableWidgetItem;
                    table_->setHorizontalHeaderItem(column - fixedColumns_, item);
                }
            } else if (column < fixedColumns_) {
                item = table_->verticalHeaderItem(row - fixedRows_);
                if (!item) {
                    item = new QTableWidgetItem;
                    table_->setVerticalHeaderItem(row - fixedRows_, item);
                }
            } else {
                item = table_->item(row - fixedRows_, column - fixedColumns_);
                if (!item) {
                    // The grid's prototype carries how its cells are aligned.
                    item = table_->itemPrototype() ? table_->itemPrototype()->clone()
                                                   : new QTableWidgetItem;
                    table_->setItem(row - fixedRows_, column - fixedColumns_, item);
                }
                if (item->data(Qt::ForegroundRole) != colour)
                    item->setData(Qt::ForegroundRole, colour);
                // A description wider than its column can be read in full.
                const bool clipped
                    = advance(text) > table_->columnWidth(column - fixedColumns_) - 6;
                item->setToolTip(clipped ? text : QString());
            }
            if (item->text() != text) {
                item->setText(text);
                headingsChanged = headingsChanged || row < fixedRows_ || column < fixedColumns_;
            }
        }
    }
    if (headingsChanged)
        fitGrid(table_);
    const int row = field.currentRow - fixedRows_;
    const int column = field.currentColumn - fixedColumns_;
    if (row >= 0 && column >= 0 && row < table_->rowCount() && column < table_->columnCount()
        && (table_->currentRow() != row || table_->currentColumn() != column))
        table_->setCurrentCell(row, column);
    QEvent written(gridWrittenEvent());
    QCoreApplication::sendEvent(table_, &written);
}

QEvent::Type gridWrittenEvent()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

int TableWidgetBinding::advance(const QString& text)
{
    // Beyond this many texts the grid shows no longer repeats its texts.
    constexpr qsizetype kMostTexts = 4096;
    if (table_->font() != measuredFont_ || table_->logicalDpiX() != measuredDpi_
        || advances_.size() > kMostTexts) {
        advances_.clear();
        measuredFont_ = table_->font();
        measuredDpi_ = table_->logicalDpiX();
    }
    const auto known = advances_.constFind(text);
    if (known != advances_.constEnd())
        return *known;
    const int width = table_->fontMetrics().horizontalAdvance(text);
    advances_.insert(text, width);
    return width;
}

void fitGrid(QTableWidget* table)
{
    QHeaderView* header = table->horizontalHeader();
    const QFontMetrics metrics = header->fontMetrics();
    const int padding
        = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) + 6;
    int headingHeight = metrics.height();
    for (int column = 0; column < table->columnCount(); ++column) {
        const QTableWidgetItem* item = table->horizontalHeaderItem(column);
        if (!item)
            continue;
        const QString heading = item->text();
        int widest = 0;
        for (const QString& word : heading.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            widest = std::max(widest, metrics.horizontalAdvance(word));
        if (table->columnWidth(column) < widest + padding)
            table->setColumnWidth(column, widest + padding);
        const QRect wrapped
            = metrics.boundingRect(QRect(0, 0, table->columnWidth(column) - padding, 1000),
                Qt::AlignCenter | Qt::TextWordWrap, heading);
        headingHeight = std::max(headingHeight, wrapped.height());
    }
    if (!header->isHidden())
        header->setFixedHeight(headingHeight + padding);

    int width = 2 * table->frameWidth();
    for (int column = 0; column < table->columnCount(); ++column)
        width += table->columnWidth(column);
    QHeaderView* rows = table->verticalHeader();
    if (!rows->isHidden())
        width += std::max(rows->minimumWidth(), rows->sizeHint().width());
    // Lines as high as the text needs, as in a spreadsheet.
    rows->setMinimumSectionSize(0);
    rows->setDefaultSectionSize(table->fontMetrics().height() + 6);
    int height = 2 * table->frameWidth() + (header->isHidden() ? 0 : header->height());
    for (int row = 0; row < table->rowCount(); ++row)
        height += table->rowHeight(row);
    if (!table->property(kScrollsSideways).toBool()) {
        table->setFixedSize(width, height);
        return;
    }
    // The first column and a little of the next at the least.
    const int first = table->columnCount() > 0 ? table->columnWidth(0) : 0;
    table->setMinimumWidth(std::min(width, 2 * table->frameWidth() + first + metrics.height() * 4));
    const int bar = table->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, table);
    table->setMaximumHeight(height + bar);
    table->setMinimumHeight(
        std::min(height + bar, header->height() + 4 * rows->defaultSectionSize()));
}

} // namespace millcalc
