#include "ui/pages/MethodPages.h"

#include "app/Method.h"
#include "ui/pages/InputPages.h"
#include "ui/pages/ResultPages.h"
#include "ui/pages/WidgetKit.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>

#include <span>

#include <string_view>

namespace millcalc {

namespace {

// The pages laid out by hand, by the name of the method's input page.
struct HandBuilt {
    const char* inputPage;
    QWidget* (*inputs)();
    QWidget* (*results)();
};

constexpr HandBuilt kHandBuilt[] = {
    { "TabSheet1", createWalterInputPage, createWalterResultPage },
    { "TabSheet2", createAluminiumInputPage, createAluminiumResultPage },
    { "TabSheet3", createTitaniumInputPage, createTitaniumResultPage },
};

const HandBuilt* handBuilt(const Method& method)
{
    for (const HandBuilt& pages : kHandBuilt) {
        if (std::string_view(pages.inputPage) == method.inputPage)
            return &pages;
    }
    return nullptr;
}

QWidget* declaredPage(const char* name, std::span<const FieldCaption> fields, bool readOnly)
{
    auto* widget = new QWidget;
    widget->setObjectName(QString::fromUtf8(name));
    auto* column = new QVBoxLayout(widget);
    auto* form = new QGridLayout;
    form->setHorizontalSpacing(4);
    form->setVerticalSpacing(3);
    form->setColumnStretch(3, 1);
    for (const FieldCaption& entry : fields) {
        QLineEdit* field = textField(entry.field, 110);
        field->setReadOnly(readOnly);
        const char* text = entry.pageLabel != nullptr ? entry.pageLabel : entry.caption;
        QLabel* label = captionLabel(text != nullptr ? text : entry.field);
        label->setBuddy(field);
        // A page label states its unit; a short caption is followed by it.
        const bool unit = entry.pageLabel == nullptr && *entry.unit != '\0';
        addLabelledRow(form, label, field, unit ? unitLabel(entry.unit) : nullptr);
    }
    column->addLayout(form);
    column->addStretch(1);
    return widget;
}

} // namespace

QWidget* createDeclaredInputPage(const Method& method)
{
    return declaredPage(method.inputPage, method.inputs, false);
}

QWidget* createDeclaredResultPage(const Method& method)
{
    return declaredPage(method.resultPage, method.results, true);
}

QWidget* createInputPage(const Method& method)
{
    const HandBuilt* pages = handBuilt(method);
    return pages != nullptr ? pages->inputs() : createDeclaredInputPage(method);
}

QWidget* createResultPage(const Method& method)
{
    const HandBuilt* pages = handBuilt(method);
    return pages != nullptr ? pages->results() : createDeclaredResultPage(method);
}

} // namespace millcalc
