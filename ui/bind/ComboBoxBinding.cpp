#include "ui/bind/ComboBoxBinding.h"

#include "app/Form.h"
#include "ui/bind/LineEditBinding.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPalette>
#include <QScopedValueRollback>
#include <QStringList>

namespace millcalc {

ComboBoxBinding::ComboBoxBinding(const BindingHost& host, const Field& field, QComboBox* box)
    : Binding(host, field, box)
    , box_(box)
{
    QObject::connect(box, &QComboBox::activated, host_.context,
        [this](int index) { host_.guarded([&] { host_.form.pick(name_, index); }); });
    if (field.kind == FieldKind::EditableList && box->lineEdit()) {
        QObject::connect(
            box->lineEdit(), &QLineEdit::textChanged, host_.context, [this](const QString& text) {
                // As in a text field, every change but the store's own is the
                // user's; the store's comes through this binding, which the
                // blocked signals of the list do not cover for its line edit.
                if (!applying_)
                    host_.guarded([&] { host_.form.typeText(name_, text.toStdString()); });
            });
    }
}

void ComboBoxBinding::text(const Field& field)
{
    const QScopedValueRollback applying(applying_, true);
    if (field.kind == FieldKind::DropDownList) {
        index(field);
        return;
    }
    // Only a real change is written, so the caret stays where the user types.
    const QString text = display(field.text);
    if (box_->currentText() != text)
        box_->setEditText(text);
}

void ComboBoxBinding::items(const Field& field)
{
    const QScopedValueRollback applying(applying_, true);
    QStringList items;
    for (const std::string& item : field.items)
        items << display(item);
    box_->clear();
    box_->addItems(items);
    index(field);
}

void ComboBoxBinding::index(const Field& field)
{
    const QScopedValueRollback applying(applying_, true);
    box_->setCurrentIndex(field.index);
    if (field.kind == FieldKind::EditableList && box_->currentText() != display(field.text))
        box_->setEditText(display(field.text));
}

void ComboBoxBinding::colour(const Field& field)
{
    setPaletteColour(box_, { QPalette::Text, QPalette::ButtonText }, field.colour);
}

void ComboBoxBinding::selection(const Field& field, bool collapse)
{
    if (QLineEdit* edit = box_->lineEdit())
        selectLine(edit, field.selectedAll, collapse);
}

} // namespace millcalc
