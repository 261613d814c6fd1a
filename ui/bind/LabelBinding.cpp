#include "ui/bind/LabelBinding.h"

#include <QLabel>
#include <QPalette>

namespace millcalc {

LabelBinding::LabelBinding(const BindingHost& host, const Field& field, QLabel* label)
    : Binding(host, field, label)
    , label_(label)
{
}

void LabelBinding::text(const Field& field)
{
    label_->setText(display(field.text));
}

void LabelBinding::colour(const Field& field)
{
    // A status line keeps the colour of its window.
    if (field.kind == FieldKind::StaticText)
        setPaletteColour(label_, { QPalette::WindowText }, field.colour);
}

} // namespace millcalc
