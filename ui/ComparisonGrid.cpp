#include "ui/ComparisonGrid.h"

#include "shell/compare/MachineComparison.h"
#include "ui/bind/PaletteColours.h"
#include "ui/bind/TableWidgetBinding.h"
#include "ui/pages/WidgetKit.h"

#include <QAbstractItemModel>
#include <QBrush>
#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>

#include <algorithm>
#include <iterator>

namespace millcalc {

namespace {

// The columns after the machine's, in the order they are shown; the shares
// follow them in the store's order.
const char* const kShownFirst[] = { "Ограничивает", "Подбор" };

void scheduleSizing(QTableWidget* table);

// A selected cell on the soft highlight, in its own colour made readable
// there.
class KeptColours : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!(option->state & QStyle::State_Selected))
            return;
        const QColor highlight = softHighlight(option->palette);
        const QVariant own = index.data(Qt::ForegroundRole);
        const QColor text
            = own.isValid() ? own.value<QBrush>().color() : option->palette.color(QPalette::Text);
        option->palette.setColor(QPalette::Highlight, highlight);
        option->palette.setColor(QPalette::HighlightedText, colourOnHighlight(text, highlight));
    }
};

// The first column drawn again over the grid's left edge by a view of the
// same cells that does not scroll sideways (as Qt's frozen-column example).
class FrozenColumn : public QTableView {
public:
    explicit FrozenColumn(QTableWidget* table)
        : QTableView(table)
        , table_(table)
    {
        setObjectName(QStringLiteral("StringGridMachinesFrozen"));
        setModel(table->model());
        setSelectionModel(table->selectionModel());
        setSelectionBehavior(table->selectionBehavior());
        setItemDelegate(new KeptColours(this));
        setFocusPolicy(Qt::NoFocus);
        setFrameShape(QFrame::NoFrame);
        verticalHeader()->hide();
        horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollMode(table->verticalScrollMode());
        setToolTip(table->toolTip());
        table->viewport()->stackUnder(this);
        connect(table->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column) {
            if (column == 0)
                place();
        });
        connect(
            table->horizontalHeader(), &QHeaderView::geometriesChanged, this, [this] { place(); });
        connect(table->verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int row, int, int size) { setRowHeight(row, size); });
        connect(verticalScrollBar(), &QScrollBar::valueChanged, table->verticalScrollBar(),
            &QScrollBar::setValue);
        connect(table->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(),
            &QScrollBar::setValue);
        connect(this, &QTableView::doubleClicked, table, [table](const QModelIndex& index) {
            emit table->cellDoubleClicked(index.row(), index.column());
        });
        for (auto signal :
            { &QAbstractItemModel::columnsInserted, &QAbstractItemModel::columnsRemoved })
            connect(model(), signal, this, [this] { place(); });
        connect(model(), &QAbstractItemModel::rowsInserted, this, [this] { place(); });
        table->installEventFilter(this);
        place();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == table_
            && (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest
                || event->type() == QEvent::FontChange || event->type() == QEvent::Show)) {
            place();
            if (event->type() == QEvent::Resize)
                scheduleSizing(table_);
        }
        return QTableView::eventFilter(watched, event);
    }

private:
    // Over the grid's first column and its heading, every other hidden.
    void place()
    {
        for (int column = 0; column < model()->columnCount(); ++column)
            setColumnHidden(column, column != 0);
        setColumnWidth(0, table_->columnWidth(0));
        horizontalHeader()->setFixedHeight(table_->horizontalHeader()->height());
        for (int row = 0; row < model()->rowCount(); ++row)
            setRowHeight(row, table_->rowHeight(row));
        const int frame = table_->frameWidth();
        setGeometry(frame, frame, table_->columnWidth(0),
            table_->viewport()->height() + table_->horizontalHeader()->height());
        verticalScrollBar()->setValue(table_->verticalScrollBar()->value());
        show();
    }

    QTableWidget* table_;
};

// The columns in their shown order and each heading's tooltip, whenever the
// headings change (the columns follow the method).
void arrangeHeadings(QTableWidget* table)
{
    QHeaderView* header = table->horizontalHeader();
    // The store's order first, and the shares at the default width: the
    // columns of the method before keep neither.
    for (int column = 0; column < table->columnCount(); ++column) {
        if (header->visualIndex(column) != column)
            header->moveSection(header->visualIndex(column), column);
        const QTableWidgetItem* item = table->horizontalHeaderItem(column);
        const bool share = column > 0 && item
            && std::none_of(std::begin(kShownFirst), std::end(kShownFirst),
                [item](const char* first) { return item->text() == QString::fromUtf8(first); });
        if (share && header->sectionSize(column) != header->defaultSectionSize())
            header->resizeSection(column, header->defaultSectionSize());
    }
    int shownAt = 1;
    for (const char* heading : kShownFirst) {
        for (int column = 0; column < table->columnCount(); ++column) {
            const QTableWidgetItem* item = table->horizontalHeaderItem(column);
            if (!item || item->text() != QString::fromUtf8(heading))
                continue;
            if (header->visualIndex(column) != shownAt)
                header->moveSection(header->visualIndex(column), shownAt);
            ++shownAt;
        }
    }
    for (int column = 0; column < table->columnCount(); ++column) {
        QTableWidgetItem* item = table->horizontalHeaderItem(column);
        if (!item)
            continue;
        const QString tip
            = QString::fromStdString(comparisonHeadingTip(item->text().toStdString()));
        if (item->toolTip() != tip)
            item->setToolTip(tip);
    }
}

// The columns shown first as wide as their texts, within a bound, and what
// limits a machine and what a fit would change in view beside the machine
// column: a long account of a fit is cut and read whole in its tooltip.
void sizeShownFirst(QTableWidget* table)
{
    table->setProperty("millcalcSizing", false);
    const QAbstractItemView* view = table; // its cells' widths are public there
    QHeaderView* header = table->horizontalHeader();
    int room = table->viewport()->width() - table->columnWidth(0);
    for (std::size_t i = 0; i < std::size(kShownFirst); ++i) {
        int column = 0;
        while (column < table->columnCount()
            && !(table->horizontalHeaderItem(column)
                && table->horizontalHeaderItem(column)->text()
                    == QString::fromUtf8(kShownFirst[i])))
            ++column;
        if (column == table->columnCount())
            continue;
        const int heading = header->sectionSizeHint(column);
        const bool last = i + 1 == std::size(kShownFirst);
        const int bound = last ? std::max(heading, room) : fromFont(120);
        const int width = std::max(heading, std::min(view->sizeHintForColumn(column), bound));
        if (table->columnWidth(column) != width)
            table->setColumnWidth(column, width);
        room -= width;
        for (int row = 0; row < table->rowCount(); ++row) {
            QTableWidgetItem* item = table->item(row, column);
            if (!item)
                continue;
            const bool clipped = table->fontMetrics().horizontalAdvance(item->text()) > width - 6;
            const QString tip = clipped ? item->text() : QString();
            if (item->toolTip() != tip)
                item->setToolTip(tip);
        }
    }
}

// Once the binding has written the whole grid, or its place changed size.
void scheduleSizing(QTableWidget* table)
{
    if (table->property("millcalcSizing").toBool())
        return;
    table->setProperty("millcalcSizing", true);
    QTimer::singleShot(0, table, [table] { sizeShownFirst(table); });
}

} // namespace

void arrangeComparisonGrid(QTableWidget* table)
{
    table->setItemDelegate(new KeptColours(table));
    table->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    table->horizontalHeader()->setStretchLastSection(false);
    table->horizontalHeader()->setSectionsMovable(false);
    // Its width the dock's; as high as its rows, below them the dock's room.
    table->setProperty(kScrollsSideways, true);
    table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    table->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
    QObject::connect(table->model(), &QAbstractItemModel::headerDataChanged, table,
        [table](Qt::Orientation orientation) {
            if (orientation == Qt::Horizontal)
                arrangeHeadings(table);
        });
    // Once the binding has written the whole grid.
    QObject::connect(table->model(), &QAbstractItemModel::dataChanged, table,
        [table] { scheduleSizing(table); });
    new FrozenColumn(table);
    arrangeHeadings(table);
}

} // namespace millcalc
