#include "ui/bind/CheckBoxBinding.h"

#include "app/Form.h"

#include <QCheckBox>

namespace millcalc {

CheckBoxBinding::CheckBoxBinding(const BindingHost& host, const Field& field, QCheckBox* box)
    : ButtonBinding(host, field, box, Checkable {})
{
    QObject::connect(box, &QCheckBox::clicked, host_.context,
        [this](bool checked) { host_.guarded([&] { host_.form.check(name_, checked); }); });
}

} // namespace millcalc
