#include "ui/bind/LineEditBinding.h"

#include "app/Form.h"

#include <QLineEdit>
#include <QPalette>

namespace millcalc {

LineEditBinding::LineEditBinding(const BindingHost& host, const Field& field, QLineEdit* edit)
    : Binding(host, field, edit)
    , edit_(edit)
{
    edit->setReadOnly(field.readOnly);
    // Every change the store did not make is the user's: typing, and a text
    // set through the accessibility interface (an on-screen keyboard, an
    // automation tool), which sets it as a program would and emits no
    // textEdited. The store's own changes arrive with the signals blocked.
    QObject::connect(edit, &QLineEdit::textChanged, host_.context, [this](const QString& text) {
        host_.guarded([&] { host_.form.typeText(name_, text.toStdString()); });
    });
}

void LineEditBinding::text(const Field& field)
{
    // Only a real change is written, so the caret stays where the user types.
    const QString text = display(field.text);
    if (edit_->text() != text)
        edit_->setText(text);
}

void LineEditBinding::colour(const Field& field)
{
    setPaletteColour(edit_, { QPalette::Text, QPalette::ButtonText }, field.colour);
}

void LineEditBinding::selection(const Field& field, bool collapse)
{
    selectLine(edit_, field.selectedAll, collapse);
}

void selectLine(QLineEdit* edit, bool all, bool collapse)
{
    if (all) {
        edit->selectAll();
    } else if (collapse) {
        edit->deselect();
        edit->setCursorPosition(0);
    }
}

} // namespace millcalc
