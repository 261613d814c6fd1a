// Binds every control of the field store to the widget of the same object name,
// one binding a widget, named after it (in ui/bind/ for Qt's own widgets, beside
// the widget for the program's): store changes reach the widgets through the
// store's one notification path, applied without echo; what the user does goes
// back to the window logic as typing, picks, checks, clicks, cell selections and
// closes.
//
// A window that is not shown at start need not exist: it is built when its
// field first turns visible, its controls are bound then and filled from the
// store, which holds all state meanwhile; changes to the controls of a window
// not yet built are not applied anywhere else. A page of the main window that
// is not shown at start is built the same way, when it is about to be shown.
// The windows built later are the registry's (LaterWindows): the binder binds
// each as it is built and asks for one whose field turns visible.
#pragma once

#include "app/FieldStore.h"
#include "ui/bind/Binding.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class QWidget;

namespace millcalc {

class Form;
class LaterWindows;

class FieldBinder : public QObject {
    Q_OBJECT
public:
    // root is the main window; its controls are bound and filled at once,
    // those of a window of windows as it is built.
    FieldBinder(Form& form, QWidget* root, LaterWindows& windows);
    ~FieldBinder() override;

    // Shows every window as visible as its field says (the main window first)
    // and gives the focus to the focused control.
    void showWindows();

    // The window of the control the store last gave the focus to, while the
    // platform has not yet made it the active window: a box opened meanwhile
    // belongs over it. Null when it is active, or another window became so.
    QWidget* activatingWindow() const;

    // Draws every coloured control, and everything else that follows the
    // palette, again in the desktop's current palette: after a change of it,
    // or of what the style paints under it.
    void recolour();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void bindAll(QObject* tree);
    // Binds a window just built; gives the focus to its control that took it
    // meanwhile.
    void bindBuilt(QWidget* built);
    void apply(const std::string& name, Change change);
    void applyFocus(const std::string& name);
    Binding* binding(const std::string& name) const;

    Form& form_;
    QWidget* root_;
    BindingHost host_;
    std::unordered_map<std::string, std::unique_ptr<Binding>> bindings_;
    // The controls not yet bound, waiting for their window.
    std::vector<std::string> unbound_;
    LaterWindows& windows_;
    QPointer<QWidget> activating_;
};

} // namespace millcalc
