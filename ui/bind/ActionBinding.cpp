#include "ui/bind/ActionBinding.h"

#include "app/Form.h"

#include <QAction>

namespace millcalc {

ActionBinding::ActionBinding(const BindingHost& host, const Field& field, QAction* action)
    : Binding(host, field, action)
    , action_(action)
{
    QObject::connect(action, &QAction::triggered, host_.context,
        [this] { host_.guarded([&] { host_.form.click(name_); }); });
}

void ActionBinding::checked(const Field& field)
{
    action_->setChecked(field.checked);
}

void ActionBinding::enabled(const Field& field)
{
    action_->setEnabled(field.enabled);
}

void ActionBinding::visible(const Field& field)
{
    action_->setVisible(field.visible);
}

} // namespace millcalc
