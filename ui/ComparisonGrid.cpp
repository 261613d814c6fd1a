#include "ui/ComparisonGrid.h"

#include "shell/compare/MachineComparison.h"
#include "ui/bind/PaletteColours.h"
#include "ui/bind/TableWidgetBinding.h"
#include "ui/pages/WidgetKit.h"

#include <QAbstractItemModel>
#include <QBrush>
#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QHelpEvent>
#include <QScrollBar>
#include <QStringList>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QToolTip>

#include <algorithm>
#include <iterator>

namespace millcalc {

namespace {

// The columns after the machine's, in the order they are shown; the shares
// follow them in the store's order.
const char* const kShownFirst[] = { "Ограничивает", "Подбор" };

void scheduleSizing(QTableWidget* table);
void sizeShownFirst(QTableWidget* table);

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

public:
    // A cell too narrow for its text, such as a long account of a fit, reads
    // whole in its tooltip. Asked when the tip is wanted, not kept in the
    // cells: a tip written into a cell would paint the grid again.
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
        const QModelIndex& index) override
    {
        if (event->type() != QEvent::ToolTip || !index.isValid())
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        const QString text = index.data(Qt::DisplayRole).toString();
        const QRect cell = view->visualRect(index);
        if (view->fontMetrics().horizontalAdvance(text) > cell.width() - 6) {
            QToolTip::showText(event->globalPos(), text, view->viewport(), cell);
            return true;
        }
        return QStyledItemDelegate::helpEvent(event, view, option, index);
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
        // The whole grid written: its columns sized by the new texts at once;
        // shown, by its texts in the font it has once polished.
        if (watched == table_
            && (event->type() == gridWrittenEvent() || event->type() == QEvent::Show))
            sizeShownFirst(table_);
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

// The width that texts shown in a font ask for, upright or in the italics
// that mark a stale comparison, whichever is the wider, from the width the
// view asks for them in that font (shownHint, margins included): the mark
// coming or going does not resize a column, which Qt would paint again.
int widthForBothSlants(const QFont& font, const QStringList& texts, int shownHint)
{
    QFont upright = font;
    upright.setItalic(false);
    QFont italic = upright;
    italic.setItalic(true);
    const QFontMetrics shown(font);
    const QFontMetrics a(upright);
    const QFontMetrics b(italic);
    int widestShown = 0;
    int widest = 0;
    for (const QString& text : texts) {
        // As the style measures a text for a cell or a heading.
        widestShown = std::max(widestShown, shown.size(0, text).width());
        widest = std::max({ widest, a.size(0, text).width(), b.size(0, text).width() });
    }
    return shownHint - widestShown + widest;
}

int cellsWidth(QTableWidget* table, int column)
{
    const QAbstractItemView* view = table; // its cells' widths are public there
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (const QTableWidgetItem* item = table->item(row, column))
            texts << item->text();
    }
    return widthForBothSlants(table->font(), texts, view->sizeHintForColumn(column));
}

int headingWidth(QTableWidget* table, int column)
{
    const QHeaderView* header = table->horizontalHeader();
    return widthForBothSlants(header->font(), { table->horizontalHeaderItem(column)->text() },
        header->sectionSizeHint(column));
}

// The columns shown first as wide as their texts, within a bound, and what
// limits a machine and what a fit would change in view beside the machine
// column: a long account of a fit is cut and read whole in its tooltip
// (KeptColours::helpEvent).
void sizeShownFirst(QTableWidget* table)
{
    table->setProperty("millcalcSizing", false);
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
        const int heading = headingWidth(table, column);
        const bool last = i + 1 == std::size(kShownFirst);
        const int bound = last ? std::max(heading, room) : fromFont(120);
        int width = std::max(heading, std::min(cellsWidth(table, column), bound));
        // A pixel or two less than it has is the same texts measured in the
        // other slant, as a style rounds them: the column keeps its width.
        const int shown = table->columnWidth(column);
        if (width < shown && shown - width <= 2)
            width = shown;
        if (shown != width)
            table->setColumnWidth(column, width);
        room -= width;
    }
}

// Once its place changed size.
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
    new FrozenColumn(table);
    arrangeHeadings(table);
}

} // namespace millcalc
