// One control of the field store bound to its widget: a change of the field
// reaches the widget through the function of its kind, and what the user does
// with the widget goes back to the window logic. Each kind of widget has a
// binding of its own, in the file named after the widget; this base binds
// what every widget shares: enabled and visible.
#pragma once

#include "app/FieldStore.h"

#include <QString>

#include <functional>
#include <string>

class QColor;
class QObject;

namespace millcalc {

class Form;

// What a binding needs of its binder: the window logic, the object its
// connections live on (they end with the binder) and the main window.
struct BindingHost {
    Form& form;
    QObject* context;
    QObject* root;
    // Runs a user's action on the window logic; an error that escapes it goes
    // to the error box, as from any command.
    void guarded(const std::function<void()>& action) const;
};

class Binding {
public:
    Binding(const BindingHost& host, const Field& field, QObject* object);
    virtual ~Binding() = default;
    Binding(const Binding&) = delete;
    Binding& operator=(const Binding&) = delete;

    QObject* object() const { return object_; }

    // Applies one change of the field, without echo to the window logic.
    void apply(const Field& field, Change change);
    // Brings the widget to everything its field holds but visibility and focus.
    void fill(const Field& field);

    virtual void text(const Field&) { }
    virtual void items(const Field&) { }
    virtual void index(const Field&) { }
    virtual void checked(const Field&) { }
    virtual void colour(const Field&) { }
    virtual void enabled(const Field& field);
    virtual void visible(const Field& field);
    virtual void cells(const Field&) { }
    virtual void picture(const Field&) { }
    virtual void lineAppended(const Field&) { }
    virtual void cleared() { }
    // The whole text selected, or (collapse) the selection dropped.
    virtual void selection(const Field&, bool /*collapse*/) { }

protected:
    const BindingHost& host_;
    const std::string name_;
    QObject* const object_;
};

// The store keeps the system's "\r\n" line breaks; Qt breaks lines at "\n".
QString display(const std::string& text);
QColor qtColour(Rgb colour);
// A dynamic property of the layout, or fallback where it is not set.
int intProperty(const QObject* object, const char* name, int fallback);
// Gives the widget's palette role the colour, the line edit of a combo box too.
void setPaletteColour(QObject* object, std::initializer_list<int> roles, Rgb colour);

} // namespace millcalc
