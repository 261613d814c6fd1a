#include "ui/bind/TabWidgetBinding.h"

#include "app/Form.h"

#include <QTabWidget>

namespace millcalc {

TabWidgetBinding::TabWidgetBinding(const BindingHost& host, const Field& field, QTabWidget* pages)
    : Binding(host, field, pages)
    , pages_(pages)
{
    QObject::connect(pages, &QTabWidget::currentChanged, host_.context, [this](int index) {
        const int count = static_cast<int>(host_.form.store().items(name_).size());
        if (index >= 0 && index < count)
            host_.guarded([&] { host_.form.pick(name_, index); });
    });
}

void TabWidgetBinding::items(const Field& field)
{
    const int count = static_cast<int>(field.items.size());
    for (int i = 0; i < count && i < pages_->count(); ++i)
        pages_->setTabText(i, display(field.items[static_cast<std::size_t>(i)]));
}

void TabWidgetBinding::index(const Field& field)
{
    const int count = static_cast<int>(field.items.size());
    if (field.index >= 0 && field.index < count)
        pages_->setCurrentIndex(field.index);
    else if (pages_->count() > count)
        pages_->setCurrentIndex(pages_->count() - 1); // the hidden "none" page
}

} // namespace millcalc
