#include "ui/FieldBinder.h"

#include "app/Main.h"
#include "app/Toolkit.h"
#include "ui/PictureLabel.h"
#include "ui/WidgetKit.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTextCursor>
#include <QTableWidget>
#include <QWidget>

#include <exception>

namespace millcalc {

namespace {

// The store keeps the system's "\r\n" line breaks; Qt breaks lines at "\n".
QString display(const std::string& text)
{
    QString result = QString::fromStdString(text);
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return result;
}

QColor qtColour(Rgb colour)
{
    return QColor(static_cast<int>((colour >> 16) & 0xff), static_cast<int>((colour >> 8) & 0xff),
        static_cast<int>(colour & 0xff));
}

QLineEdit* lineEditOf(QObject* object)
{
    if (auto* edit = qobject_cast<QLineEdit*>(object))
        return edit;
    if (auto* box = qobject_cast<QComboBox*>(object))
        return box->lineEdit();
    return nullptr;
}

int intProperty(const QObject* object, const char* name, int fallback)
{
    const QVariant value = object->property(name);
    return value.isValid() ? value.toInt() : fallback;
}

bool isWindowKind(FieldKind kind)
{
    return kind == FieldKind::Window || kind == FieldKind::Panel;
}

} // namespace

FieldBinder::FieldBinder(FormMain& form, QWidget* root)
    : QObject(root)
    , form_(form)
    , root_(root)
{
    for (const auto& [name, field] : form_.store().fields()) {
        const QString objectName = QString::fromStdString(name);
        QObject* object
            = root_->objectName() == objectName ? root_ : root_->findChild<QObject*>(objectName);
        if (!object) {
            missing_ << objectName;
            continue;
        }
        controls_[name] = object;
        bind(field, object);
    }
    refreshContents();
    QPointer<FieldBinder> self(this);
    form_.store().listen([self](const std::string& name, Change change) {
        if (self)
            self->apply(name, change);
    });
}

QStringList FieldBinder::missingControls() const
{
    return missing_;
}

QObject* FieldBinder::control(const std::string& name) const
{
    const auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : it->second;
}

void FieldBinder::guarded(const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::exception& error) {
        form_.toolkit().errorBox(error.what());
    }
}

void FieldBinder::bind(const Field& field, QObject* object)
{
    const std::string name = field.name;
    switch (field.kind) {
    case FieldKind::Window:
    case FieldKind::Panel:
        if (auto* widget = qobject_cast<QWidget*>(object))
            bindWindow(field, widget);
        break;
    case FieldKind::PageControl:
        bindPageControl(field, object);
        break;
    case FieldKind::TextField:
        if (auto* edit = qobject_cast<QLineEdit*>(object)) {
            edit->setReadOnly(field.readOnly);
            connect(edit, &QLineEdit::textEdited, this, [this, name](const QString& text) {
                guarded([&] { form_.typeText(name, text.toStdString()); });
            });
        }
        break;
    case FieldKind::EditableList:
    case FieldKind::DropDownList:
        bindList(field, object);
        break;
    case FieldKind::RadioGroup:
        bindRadioGroup(field, object);
        break;
    case FieldKind::CheckBox:
        if (auto* box = qobject_cast<QCheckBox*>(object)) {
            connect(box, &QCheckBox::clicked, this,
                [this, name](bool checked) { guarded([&] { form_.check(name, checked); }); });
        }
        break;
    case FieldKind::RadioButton:
        if (auto* button = qobject_cast<QRadioButton*>(object)) {
            // A click checks a radio button, never unchecks it, and a click on
            // the checked one changes nothing, so its handler does not run.
            connect(button, &QRadioButton::clicked, this, [this, name, button](bool) {
                if (form_.store().checked(name)) {
                    const QSignalBlocker blocker(button);
                    button->setChecked(true);
                    return;
                }
                guarded([&] { form_.check(name, true); });
            });
        }
        break;
    case FieldKind::Grid:
        bindGrid(field, object);
        break;
    case FieldKind::Memo:
        if (auto* memo = qobject_cast<QPlainTextEdit*>(object))
            memo->setReadOnly(field.readOnly);
        break;
    case FieldKind::Button:
        if (auto* button = qobject_cast<QAbstractButton*>(object)) {
            connect(button, &QAbstractButton::clicked, this,
                [this, name] { guarded([&] { form_.click(name); }); });
        }
        break;
    case FieldKind::Picture:
        if (auto* picture = qobject_cast<PictureLabel*>(object)) {
            picture->setClickable(form_.hasClickHandler(name));
            connect(picture, &PictureLabel::clicked, this,
                [this, name] { guarded([&] { form_.click(name); }); });
        }
        break;
    case FieldKind::MenuItem:
        if (auto* action = qobject_cast<QAction*>(object)) {
            connect(action, &QAction::triggered, this,
                [this, name] { guarded([&] { form_.click(name); }); });
        }
        break;
    case FieldKind::Page:
    case FieldKind::StaticText:
    case FieldKind::StatusLine:
        break;
    }
}

void FieldBinder::bindWindow(const Field& field, QWidget* widget)
{
    if (!widget->isWindow())
        return;
    windows_[widget] = field.name;
    widget->installEventFilter(this);
}

bool FieldBinder::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && windows_.count(watched))
        root_->setProperty(kFocusWindowProperty, QVariant());
    if (event->type() == QEvent::Close) {
        const auto it = windows_.find(watched);
        if (it != windows_.end()) {
            // The close box asks the window logic; the store's visibility then
            // hides the window (or the program ends).
            event->ignore();
            const std::string name = it->second;
            guarded([&] { form_.close(name); });
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void FieldBinder::bindPageControl(const Field& field, QObject* object)
{
    auto* pages = qobject_cast<QTabWidget*>(object);
    if (!pages)
        return;
    const std::string name = field.name;
    connect(pages, &QTabWidget::currentChanged, this, [this, name](int index) {
        const int count = static_cast<int>(form_.store().items(name).size());
        if (index >= 0 && index < count)
            guarded([&] { form_.pick(name, index); });
    });
}

void FieldBinder::bindList(const Field& field, QObject* object)
{
    auto* box = qobject_cast<QComboBox*>(object);
    if (!box)
        return;
    const std::string name = field.name;
    connect(box, &QComboBox::activated, this,
        [this, name](int index) { guarded([&] { form_.pick(name, index); }); });
    if (field.kind == FieldKind::EditableList && box->lineEdit()) {
        connect(box->lineEdit(), &QLineEdit::textEdited, this, [this, name](const QString& text) {
            guarded([&] { form_.typeText(name, text.toStdString()); });
        });
    }
}

void FieldBinder::bindRadioGroup(const Field& field, QObject* object)
{
    auto* box = qobject_cast<QGroupBox*>(object);
    if (!box)
        return;
    auto* buttons = new QButtonGroup(box);
    buttons->setObjectName(box->objectName() + QStringLiteral("Buttons"));
    const std::string name = field.name;
    // Only a new choice runs the group's handler, as a click on the item that
    // is already chosen changes nothing.
    connect(buttons, &QButtonGroup::idClicked, this, [this, name](int index) {
        if (form_.store().index(name) != index)
            guarded([&] { form_.pick(name, index); });
    });
}

void FieldBinder::bindGrid(const Field& field, QObject* object)
{
    auto* table = qobject_cast<QTableWidget*>(object);
    if (!table)
        return;
    const int fixedRows = intProperty(table, kFixedRowsProperty, 0);
    const int fixedColumns = intProperty(table, kFixedColumnsProperty, 0);
    table->setColumnCount(field.columns - fixedColumns);
    table->setRowCount(field.rows - fixedRows);
    const std::string name = field.name;
    connect(table, &QTableWidget::currentCellChanged, this,
        [this, name, fixedRows, fixedColumns](int row, int column, int, int) {
            if (row < 0 || column < 0)
                return;
            guarded([&] { form_.selectCell(name, column + fixedColumns, row + fixedRows); });
        });
}

void FieldBinder::apply(const std::string& name, Change change)
{
    if (change == Change::Focus) {
        applyFocus(name);
        return;
    }
    QObject* object = control(name);
    if (!object)
        return;
    const Field& field = form_.store().field(name);
    const QSignalBlocker blocker(object);
    switch (change) {
    case Change::Text:
        applyText(field, object);
        break;
    case Change::Items:
        applyItems(field, object);
        break;
    case Change::Index:
        applyIndex(field, object);
        break;
    case Change::Checked:
        if (auto* button = qobject_cast<QAbstractButton*>(object))
            button->setChecked(field.checked);
        else if (auto* action = qobject_cast<QAction*>(object))
            action->setChecked(field.checked);
        break;
    case Change::Colour:
        applyColour(field, object);
        break;
    case Change::Enabled:
        if (auto* widget = qobject_cast<QWidget*>(object))
            widget->setEnabled(field.enabled);
        else if (auto* action = qobject_cast<QAction*>(object))
            action->setEnabled(field.enabled);
        break;
    case Change::Visible:
        applyVisible(field, object);
        break;
    case Change::Cells:
        applyCells(field, object);
        break;
    case Change::Picture:
        if (auto* picture = qobject_cast<PictureLabel*>(object))
            picture->setPicture(field.picture);
        break;
    case Change::LineAppended:
        if (auto* memo = qobject_cast<QPlainTextEdit*>(object); memo && !field.items.empty()) {
            memo->appendPlainText(display(field.items.back()));
            // The caret waits at the start of the new line, so that the view, also when
            // the window comes into view, shows the line from the left, not its end.
            QTextCursor caret = memo->textCursor();
            caret.movePosition(QTextCursor::End);
            caret.movePosition(QTextCursor::StartOfBlock);
            memo->setTextCursor(caret);
            memo->horizontalScrollBar()->setValue(0);
        }
        break;
    case Change::Cleared:
        if (auto* memo = qobject_cast<QPlainTextEdit*>(object))
            memo->clear();
        break;
    case Change::Selection:
        applySelection(field, object, !field.selectedAll);
        break;
    default:
        break;
    }
}

void FieldBinder::applyText(const Field& field, QObject* object)
{
    const QString text = display(field.text);
    switch (field.kind) {
    case FieldKind::Window:
    case FieldKind::Panel:
    case FieldKind::RadioGroup:
        if (auto* box = qobject_cast<QGroupBox*>(object))
            box->setTitle(text);
        else if (auto* widget = qobject_cast<QWidget*>(object); widget && widget->isWindow())
            // Qt titles a window without a title by the program's name; a
            // blank keeps the title bar empty.
            widget->setWindowTitle(text.isEmpty() ? QStringLiteral(" ") : text);
        break;
    case FieldKind::TextField:
        if (auto* edit = qobject_cast<QLineEdit*>(object); edit && edit->text() != text)
            edit->setText(text);
        break;
    case FieldKind::EditableList:
        // Only a real change is written, so the caret stays where the user types.
        if (auto* box = qobject_cast<QComboBox*>(object); box && box->currentText() != text)
            box->setEditText(text);
        break;
    case FieldKind::CheckBox:
    case FieldKind::RadioButton:
        if (auto* button = qobject_cast<QAbstractButton*>(object))
            button->setText(text);
        break;
    case FieldKind::StaticText:
    case FieldKind::StatusLine:
        if (auto* label = qobject_cast<QLabel*>(object))
            label->setText(text);
        break;
    case FieldKind::DropDownList:
        applyIndex(field, object);
        break;
    default:
        break;
    }
}

void FieldBinder::applyItems(const Field& field, QObject* object)
{
    QStringList items;
    for (const std::string& item : field.items)
        items << display(item);
    switch (field.kind) {
    case FieldKind::PageControl:
        if (auto* pages = qobject_cast<QTabWidget*>(object)) {
            for (int i = 0; i < items.size() && i < pages->count(); ++i)
                pages->setTabText(i, items[i]);
        }
        break;
    case FieldKind::EditableList:
    case FieldKind::DropDownList:
        if (auto* box = qobject_cast<QComboBox*>(object)) {
            box->clear();
            box->addItems(items);
            applyIndex(field, object);
        }
        break;
    case FieldKind::RadioGroup:
        if (auto* box = qobject_cast<QGroupBox*>(object)) {
            auto* buttons = box->findChild<QButtonGroup*>();
            auto* layout = qobject_cast<QGridLayout*>(box->layout());
            if (!buttons || !layout)
                break;
            for (QAbstractButton* old : buttons->buttons()) {
                buttons->removeButton(old);
                delete old;
            }
            const int columns = std::max(1, intProperty(box, kColumnsProperty, 1));
            const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
            for (int i = 0; i < items.size(); ++i) {
                auto* button = new QRadioButton(items[i]);
                buttons->addButton(button, i);
                layout->addWidget(button, i % std::max(1, rows), i / std::max(1, rows));
            }
            applyIndex(field, object);
        }
        break;
    case FieldKind::Memo:
        if (auto* memo = qobject_cast<QPlainTextEdit*>(object))
            memo->setPlainText(display(form_.store().text(field.name)));
        break;
    default:
        break;
    }
}

void FieldBinder::applyIndex(const Field& field, QObject* object)
{
    switch (field.kind) {
    case FieldKind::PageControl:
        if (auto* pages = qobject_cast<QTabWidget*>(object)) {
            const int count = static_cast<int>(field.items.size());
            if (field.index >= 0 && field.index < count)
                pages->setCurrentIndex(field.index);
            else if (pages->count() > count)
                pages->setCurrentIndex(pages->count() - 1); // the hidden "none" page
        }
        break;
    case FieldKind::DropDownList:
        if (auto* box = qobject_cast<QComboBox*>(object))
            box->setCurrentIndex(field.index);
        break;
    case FieldKind::EditableList:
        if (auto* box = qobject_cast<QComboBox*>(object)) {
            box->setCurrentIndex(field.index);
            if (box->currentText() != display(field.text))
                box->setEditText(display(field.text));
        }
        break;
    case FieldKind::RadioGroup:
        if (auto* box = qobject_cast<QGroupBox*>(object)) {
            auto* buttons = box->findChild<QButtonGroup*>();
            if (!buttons)
                break;
            const QSignalBlocker blocker(buttons);
            buttons->setExclusive(false);
            for (QAbstractButton* button : buttons->buttons())
                button->setChecked(buttons->id(button) == field.index);
            buttons->setExclusive(true);
        }
        break;
    default:
        break;
    }
}

void FieldBinder::applyColour(const Field& field, QObject* object)
{
    const QColor colour = qtColour(field.colour);
    switch (field.kind) {
    case FieldKind::TextField:
    case FieldKind::EditableList:
    case FieldKind::DropDownList:
        if (auto* widget = qobject_cast<QWidget*>(object)) {
            QPalette palette = widget->palette();
            palette.setColor(QPalette::Text, colour);
            palette.setColor(QPalette::ButtonText, colour);
            widget->setPalette(palette);
            if (QLineEdit* edit = lineEditOf(object); edit && edit != widget)
                edit->setPalette(palette);
        }
        break;
    case FieldKind::StaticText:
        if (auto* label = qobject_cast<QLabel*>(object)) {
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, colour);
            label->setPalette(palette);
        }
        break;
    case FieldKind::RadioButton:
    case FieldKind::CheckBox:
        if (auto* widget = qobject_cast<QWidget*>(object)) {
            QPalette palette = widget->palette();
            palette.setColor(QPalette::WindowText, colour);
            widget->setPalette(palette);
        }
        break;
    case FieldKind::Grid:
        applyCells(field, object);
        break;
    default:
        break;
    }
}

void FieldBinder::applyVisible(const Field& field, QObject* object)
{
    if (auto* action = qobject_cast<QAction*>(object)) {
        action->setVisible(field.visible);
        return;
    }
    auto* widget = qobject_cast<QWidget*>(object);
    // A page's visibility belongs to its page control.
    if (!widget || field.kind == FieldKind::Page)
        return;
    if (widget->isWindow() && field.visible) {
        widget->show();
        widget->raise();
    } else {
        widget->setVisible(field.visible);
    }
}

void FieldBinder::applyCells(const Field& field, QObject* object)
{
    auto* table = qobject_cast<QTableWidget*>(object);
    if (!table)
        return;
    const int fixedRows = intProperty(table, kFixedRowsProperty, 0);
    const int fixedColumns = intProperty(table, kFixedColumnsProperty, 0);
    const QColor colour = qtColour(field.colour);
    bool headingsChanged = false;
    for (int row = 0; row < field.rows; ++row) {
        for (int column = 0; column < field.columns; ++column) {
            if (row < fixedRows && column < fixedColumns)
                continue; // the corner cell has no place in the table
            const QString text
                = display(field.cells[static_cast<std::size_t>(row * field.columns + column)]);
            QTableWidgetItem* item = nullptr;
            if (row < fixedRows) {
                item = table->horizontalHeaderItem(column - fixedColumns);
                if (!item) {
                    item = new QTableWidgetItem;
                    table->setHorizontalHeaderItem(column - fixedColumns, item);
                }
            } else if (column < fixedColumns) {
                item = table->verticalHeaderItem(row - fixedRows);
                if (!item) {
                    item = new QTableWidgetItem;
                    table->setVerticalHeaderItem(row - fixedRows, item);
                }
            } else {
                item = table->item(row - fixedRows, column - fixedColumns);
                if (!item) {
                    // The grid's prototype carries how its cells are aligned.
                    item = table->itemPrototype() ? table->itemPrototype()->clone()
                                                  : new QTableWidgetItem;
                    table->setItem(row - fixedRows, column - fixedColumns, item);
                }
                if (item->foreground().color() != colour)
                    item->setForeground(colour);
                // A description wider than its column can be read in full.
                const bool clipped = table->fontMetrics().horizontalAdvance(text)
                    > table->columnWidth(column - fixedColumns) - 6;
                item->setToolTip(clipped ? text : QString());
            }
            if (item->text() != text) {
                item->setText(text);
                headingsChanged = headingsChanged || row < fixedRows || column < fixedColumns;
            }
        }
    }
    if (headingsChanged)
        fitGrid(table);
    const int row = field.currentRow - fixedRows;
    const int column = field.currentColumn - fixedColumns;
    if (row >= 0 && column >= 0 && row < table->rowCount() && column < table->columnCount()
        && (table->currentRow() != row || table->currentColumn() != column))
        table->setCurrentCell(row, column);
}

void FieldBinder::applyFocus(const std::string& name)
{
    auto* widget = qobject_cast<QWidget*>(control(name));
    if (!widget)
        return;
    QWidget* window = widget->window();
    if (window->isVisible() && !window->isActiveWindow()) {
        window->activateWindow();
        // The platform activates the window later; a warning box that follows
        // the correction at once must still open over it and return to it.
        root_->setProperty(kFocusWindowProperty, QVariant::fromValue<QObject*>(window));
    }
    widget->setFocus(Qt::OtherFocusReason);
    const Field& field = form_.store().field(name);
    if (field.selectedAll)
        applySelection(field, widget, false);
}

void FieldBinder::applySelection(const Field& field, QObject* object, bool collapse)
{
    QLineEdit* edit = lineEditOf(object);
    if (!edit)
        return;
    if (field.selectedAll) {
        edit->selectAll();
    } else if (collapse) {
        edit->deselect();
        edit->setCursorPosition(0);
    }
}

void FieldBinder::refresh()
{
    refreshContents();
    // The main window first, so that the others open over it.
    if (QObject* main = control("FormMain"))
        applyVisible(form_.store().field("FormMain"), main);
    for (const auto& [name, object] : controls_) {
        const Field& field = form_.store().field(name);
        if (isWindowKind(field.kind) && name != "FormMain")
            applyVisible(field, object);
    }
    applyFocus(form_.store().focused());
}

void FieldBinder::refreshContents()
{
    for (const auto& [name, object] : controls_) {
        const Field& field = form_.store().field(name);
        const QSignalBlocker blocker(object);
        applyItems(field, object);
        applyText(field, object);
        applyIndex(field, object);
        apply(name, Change::Checked);
        applyColour(field, object);
        apply(name, Change::Enabled);
        if (field.kind == FieldKind::Grid)
            applyCells(field, object);
        if (field.kind == FieldKind::Picture)
            apply(name, Change::Picture);
    }
}

} // namespace millcalc
