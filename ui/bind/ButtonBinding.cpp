#include "ui/bind/ButtonBinding.h"

#include "app/Form.h"

#include <QAbstractButton>
#include <QPalette>

namespace millcalc {

ButtonBinding::ButtonBinding(const BindingHost& host, const Field& field, QAbstractButton* button)
    : ButtonBinding(host, field, button, Checkable {})
{
    QObject::connect(button, &QAbstractButton::clicked, host_.context,
        [this] { host_.guarded([&] { host_.form.click(name_); }); });
}

ButtonBinding::ButtonBinding(
    const BindingHost& host, const Field& field, QAbstractButton* button, Checkable)
    : Binding(host, field, button)
    , button_(button)
{
}

void ButtonBinding::checked(const Field& field)
{
    button_->setChecked(field.checked);
}

void ButtonBinding::captionText(const Field& field)
{
    button_->setText(display(field.text));
}

void ButtonBinding::captionColour(const Field& field)
{
    setPaletteColour(button_, { QPalette::WindowText }, field.colour);
}

} // namespace millcalc
