#include "ui/bind/GroupBoxBinding.h"

#include "app/Form.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QSignalBlocker>

#include <algorithm>

namespace millcalc {

GroupBoxBinding::GroupBoxBinding(const BindingHost& host, const Field& field, QGroupBox* box)
    : Binding(host, field, box)
    , box_(box)
{
    if (field.kind != FieldKind::RadioGroup)
        return;
    buttons_ = new QButtonGroup(box);
    buttons_->setObjectName(box->objectName() + QStringLiteral("Buttons"));
    // Only a new choice runs the group's handler, as a click on the item that
    // is already chosen changes nothing.
    QObject::connect(buttons_, &QButtonGroup::idClicked, host_.context, [this](int index) {
        if (host_.form.store().index(name_) != index)
            host_.guarded([&] { host_.form.pick(name_, index); });
    });
}

void GroupBoxBinding::text(const Field& field)
{
    box_->setTitle(display(field.text));
}

void GroupBoxBinding::items(const Field& field)
{
    auto* layout = qobject_cast<QGridLayout*>(box_->layout());
    if (!buttons_ || !layout)
        return;
    for (QAbstractButton* old : buttons_->buttons()) {
        buttons_->removeButton(old);
        delete old;
    }
    const int count = static_cast<int>(field.items.size());
    const int columns = std::max(1, intProperty(box_, kColumnsProperty, 1));
    const int rows = std::max(1, (count + columns - 1) / columns);
    for (int i = 0; i < count; ++i) {
        auto* button = new QRadioButton(display(field.items[static_cast<std::size_t>(i)]));
        buttons_->addButton(button, i);
        layout->addWidget(button, i % rows, i / rows);
    }
    index(field);
}

void GroupBoxBinding::index(const Field& field)
{
    if (!buttons_)
        return;
    const QSignalBlocker blocker(buttons_);
    buttons_->setExclusive(false);
    for (QAbstractButton* button : buttons_->buttons())
        button->setChecked(buttons_->id(button) == field.index);
    buttons_->setExclusive(true);
}

} // namespace millcalc
