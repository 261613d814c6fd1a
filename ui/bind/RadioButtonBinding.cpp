#include "ui/bind/RadioButtonBinding.h"

#include "app/Form.h"

#include <QRadioButton>
#include <QSignalBlocker>

namespace millcalc {

RadioButtonBinding::RadioButtonBinding(
    const BindingHost& host, const Field& field, QRadioButton* button)
    : ButtonBinding(host, field, button, Checkable {})
{
    // A click checks a radio button, never unchecks it, and a click on the
    // checked one changes nothing, so its handler does not run.
    QObject::connect(button, &QRadioButton::clicked, host_.context, [this, button](bool) {
        if (host_.form.store().checked(name_)) {
            const QSignalBlocker blocker(button);
            button->setChecked(true);
            return;
        }
        host_.guarded([&] { host_.form.check(name_, true); });
    });
}

} // namespace millcalc
