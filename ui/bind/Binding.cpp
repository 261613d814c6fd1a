#include "ui/bind/Binding.h"

#include "app/Form.h"
#include "app/Toolkit.h"
#include "ui/bind/PaletteColours.h"

#include <QColor>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVariant>
#include <QWidget>

#include <exception>

namespace millcalc {

void BindingHost::guarded(const std::function<void()>& action) const
{
    try {
        action();
    } catch (const std::exception& error) {
        form.toolkit().errorBox(error.what());
    }
}

QString display(const std::string& text)
{
    QString result = QString::fromStdString(text);
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return result;
}

QColor qtColour(Rgb colour)
{
    return QColor(static_cast<int>((colour >> 16) & 0xff), static_cast<int>((colour >> 8) & 0xff),
        static_cast<int>(colour & 0xff));
}

int intProperty(const QObject* object, const char* name, int fallback)
{
    const QVariant value = object->property(name);
    return value.isValid() ? value.toInt() : fallback;
}

void setPaletteColour(QObject* object, std::initializer_list<int> roles, Rgb colour)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return;
    // Computed against the palette the widget inherits now, so that a changed
    // desktop palette takes effect when the colour is set again.
    QPalette palette = inheritedPalette(widget);
    for (const int role : roles) {
        const auto colourRole = static_cast<QPalette::ColorRole>(role);
        palette.setColor(colourRole, textColour(colour, palette, colourRole));
    }
    widget->setPalette(palette);
    if (auto* box = qobject_cast<QComboBox*>(object); box && box->lineEdit())
        box->lineEdit()->setPalette(palette);
}

Binding::Binding(const BindingHost& host, const Field& field, QObject* object)
    : host_(host)
    , name_(field.name)
    , object_(object)
{
}

void Binding::apply(const Field& field, Change change)
{
    const QSignalBlocker blocker(object_);
    switch (change) {
    case Change::Text:
        text(field);
        break;
    case Change::Items:
        items(field);
        break;
    case Change::Index:
        index(field);
        break;
    case Change::Checked:
        checked(field);
        break;
    case Change::Colour:
        colour(field);
        break;
    case Change::Enabled:
        enabled(field);
        break;
    case Change::Visible:
        visible(field);
        break;
    case Change::Cells:
        cells(field);
        break;
    case Change::Picture:
        picture(field);
        break;
    case Change::LineAppended:
        lineAppended(field);
        break;
    case Change::Cleared:
        cleared();
        break;
    case Change::Selection:
        selection(field, !field.selectedAll);
        break;
    case Change::Focus:
        break;
    }
}

void Binding::fill(const Field& field)
{
    const QSignalBlocker blocker(object_);
    items(field);
    text(field);
    index(field);
    checked(field);
    colour(field);
    enabled(field);
    cells(field);
    picture(field);
}

void Binding::enabled(const Field& field)
{
    if (auto* widget = qobject_cast<QWidget*>(object_))
        widget->setEnabled(field.enabled);
}

void Binding::visible(const Field& field)
{
    // A page's visibility belongs to its page control.
    if (field.kind == FieldKind::Page)
        return;
    if (auto* widget = qobject_cast<QWidget*>(object_))
        widget->setVisible(field.visible);
}

} // namespace millcalc
