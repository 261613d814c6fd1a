#include "ui/windows/NomogramViewBinding.h"

#include "ui/windows/GraphicWindow.h"

namespace millcalc {

NomogramViewBinding::NomogramViewBinding(
    const BindingHost& host, const Field& field, NomogramView* view)
    : Binding(host, field, view)
    , view_(view)
{
}

void NomogramViewBinding::picture(const Field&)
{
    view_->drawingChanged();
}

} // namespace millcalc
