#include "ui/FieldBinder.h"

#include "app/Form.h"
#include "ui/bind/ActionBinding.h"
#include "ui/bind/ButtonBinding.h"
#include "ui/bind/CheckBoxBinding.h"
#include "ui/bind/ComboBoxBinding.h"
#include "ui/bind/GroupBoxBinding.h"
#include "ui/bind/LabelBinding.h"
#include "ui/bind/LineEditBinding.h"
#include "ui/bind/PaletteColours.h"
#include "ui/bind/PlainTextEditBinding.h"
#include "ui/bind/RadioButtonBinding.h"
#include "ui/bind/TabWidgetBinding.h"
#include "ui/bind/TableWidgetBinding.h"
#include "ui/bind/WindowBinding.h"
#include "ui/pages/WidgetKit.h"
#include "ui/pictures/PictureLabel.h"
#include "ui/pictures/PictureLabelBinding.h"
#include "ui/windows/GraphicWindow.h"
#include "ui/windows/LaterWindows.h"
#include "ui/windows/NomogramViewBinding.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QEvent>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace millcalc {

namespace {

bool isWindowKind(FieldKind kind)
{
    return kind == FieldKind::Window || kind == FieldKind::Panel;
}

// The binding of the widget's kind for a field of that kind; a widget of
// another kind gets what every widget has.
std::unique_ptr<Binding> makeBinding(const BindingHost& host, const Field& field, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    switch (field.kind) {
    case FieldKind::Window:
    case FieldKind::Panel:
        if (widget && (widget->isWindow() || qobject_cast<QDockWidget*>(widget)))
            return std::make_unique<WindowBinding>(host, field, widget);
        [[fallthrough]];
    case FieldKind::RadioGroup:
        if (auto* box = qobject_cast<QGroupBox*>(object))
            return std::make_unique<GroupBoxBinding>(host, field, box);
        break;
    case FieldKind::PageControl:
        if (auto* pages = qobject_cast<QTabWidget*>(object))
            return std::make_unique<TabWidgetBinding>(host, field, pages);
        break;
    case FieldKind::TextField:
        if (auto* edit = qobject_cast<QLineEdit*>(object))
            return std::make_unique<LineEditBinding>(host, field, edit);
        break;
    case FieldKind::EditableList:
    case FieldKind::DropDownList:
        if (auto* box = qobject_cast<QComboBox*>(object))
            return std::make_unique<ComboBoxBinding>(host, field, box);
        break;
    case FieldKind::CheckBox:
        if (auto* box = qobject_cast<QCheckBox*>(object))
            return std::make_unique<CheckBoxBinding>(host, field, box);
        break;
    case FieldKind::RadioButton:
        if (auto* button = qobject_cast<QRadioButton*>(object))
            return std::make_unique<RadioButtonBinding>(host, field, button);
        break;
    case FieldKind::Grid:
        if (auto* table = qobject_cast<QTableWidget*>(object))
            return std::make_unique<TableWidgetBinding>(host, field, table);
        break;
    case FieldKind::Memo:
        if (auto* memo = qobject_cast<QPlainTextEdit*>(object))
            return std::make_unique<PlainTextEditBinding>(host, field, memo);
        break;
    case FieldKind::StaticText:
    case FieldKind::StatusLine:
        if (auto* label = qobject_cast<QLabel*>(object))
            return std::make_unique<LabelBinding>(host, field, label);
        break;
    case FieldKind::Button:
        if (auto* button = qobject_cast<QAbstractButton*>(object))
            return std::make_unique<ButtonBinding>(host, field, button);
        break;
    case FieldKind::Picture:
        if (auto* picture = qobject_cast<PictureLabel*>(object))
            return std::make_unique<PictureLabelBinding>(host, field, picture);
        if (auto* chart = qobject_cast<NomogramView*>(object))
            return std::make_unique<NomogramViewBinding>(host, field, chart);
        break;
    case FieldKind::MenuItem:
        if (auto* action = qobject_cast<QAction*>(object))
            return std::make_unique<ActionBinding>(host, field, action);
        break;
    case FieldKind::Page:
        break;
    }
    return std::make_unique<Binding>(host, field, object);
}

} // namespace

FieldBinder::FieldBinder(Form& form, QWidget* root, LaterWindows& windows)
    : QObject(root)
    , form_(form)
    , root_(root)
    , host_ { form, this, root }
    , windows_(windows)
{
    for (const auto& [name, field] : form_.store().fields())
        unbound_.push_back(name);
    bindAll(root_);
    windows_.whenBuilt([this](QWidget* built) { bindBuilt(built); });
    root_->installEventFilter(this);
    // Any window that turns active ends the wait for the one asked for.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* focused) {
        if (focused && activating_ && focused != activating_->windowHandle())
            activating_ = nullptr;
    });
    QPointer<FieldBinder> self(this);
    form_.store().listen([self](const std::string& name, Change change) {
        if (self)
            self->apply(name, change);
    });
}

FieldBinder::~FieldBinder() = default;

bool FieldBinder::eventFilter(QObject* watched, QEvent* event)
{
    // Every window hears of the new palette and hands it down to its widgets;
    // once they all have it, the logical colours are mapped to it again.
    if (watched == root_ && event->type() == QEvent::ApplicationPaletteChange)
        QTimer::singleShot(0, this, &FieldBinder::recolour);
    return QObject::eventFilter(watched, event);
}

QWidget* FieldBinder::activatingWindow() const
{
    return activating_ && activating_->isVisible() && !activating_->isActiveWindow()
        ? activating_.data()
        : nullptr;
}

void FieldBinder::recolour()
{
    for (const auto& [name, binding] : bindings_) {
        const Field& field = form_.store().field(name);
        binding->apply(field, field.kind == FieldKind::Grid ? Change::Cells : Change::Colour);
    }
    // Then what the windows draw in colours of their own: fixed captions, the
    // log, the pictures and the buttons' pictures.
    followPalette(root_);
}

void FieldBinder::bindAll(QObject* tree)
{
    // One walk over the tree names its objects; the first of a name counts.
    QHash<QString, QObject*> named;
    named.insert(tree->objectName(), tree);
    for (QObject* object : tree->findChildren<QObject*>()) {
        const QString name = object->objectName();
        if (!name.isEmpty() && !named.contains(name))
            named.insert(name, object);
    }
    std::vector<const Field*> bound;
    std::erase_if(unbound_, [&](const std::string& name) {
        QObject* object = named.value(QString::fromStdString(name));
        if (!object)
            return false;
        const Field& field = form_.store().field(name);
        bindings_[name] = makeBinding(host_, field, object);
        bound.push_back(&field);
        return true;
    });
    // Filled once all are bound, as a control's contents may be another's.
    for (const Field* field : bound)
        bindings_[field->name]->fill(*field);
}

void FieldBinder::bindBuilt(QWidget* built)
{
    bindAll(built);
    // A control of the window that took the focus while the window did not
    // exist gets it now, to have it when the window is shown; so does one of
    // a page built as it is shown. A dock shares the main window's one focus,
    // which stays where the user is.
    const std::string& focused = form_.store().focused();
    if (Binding* target = binding(focused); (built->isWindow() || built->isVisible()) && target
        && target->object()->isWidgetType()
        && built->isAncestorOf(static_cast<QWidget*>(target->object())))
        applyFocus(focused);
}

Binding* FieldBinder::binding(const std::string& name) const
{
    const auto it = bindings_.find(name);
    return it == bindings_.end() ? nullptr : it->second.get();
}

void FieldBinder::apply(const std::string& name, Change change)
{
    if (change == Change::Focus) {
        applyFocus(name);
        return;
    }
    if (change == Change::Visible && !binding(name) && form_.store().visible(name))
        windows_.build(name);
    if (Binding* bound = binding(name))
        bound->apply(form_.store().field(name), change);
}

void FieldBinder::applyFocus(const std::string& name)
{
    Binding* bound = binding(name);
    auto* widget = bound ? qobject_cast<QWidget*>(bound->object()) : nullptr;
    if (!widget)
        return;
    QWidget* window = widget->window();
    if (window->isVisible() && !window->isActiveWindow()) {
        window->activateWindow();
        // The platform activates the window later; a warning box that follows
        // the correction at once must still open over it and return to it.
        activating_ = window;
    }
    widget->setFocus(Qt::OtherFocusReason);
    const Field& field = form_.store().field(name);
    if (field.selectedAll)
        bound->selection(field, false);
}

void FieldBinder::showWindows()
{
    const FieldStore& store = form_.store();
    // The main window first, so that the others open over it.
    if (Binding* main = binding("FormMain"))
        main->visible(store.field("FormMain"));
    for (const auto& [name, field] : store.fields()) {
        if (!isWindowKind(field.kind) || name == "FormMain")
            continue;
        if (!binding(name) && field.visible)
            windows_.build(name);
        if (Binding* bound = binding(name))
            bound->visible(field);
    }
    applyFocus(store.focused());
}

} // namespace millcalc
