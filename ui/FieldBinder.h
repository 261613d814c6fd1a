// Binds every control of the field store to the widget of the same object name:
// store changes reach the widgets through the store's one notification path,
// applied without echo; what the user does goes back to the window logic as
// typing, picks, checks, clicks, cell selections and closes.
#pragma once

#include "app/FieldStore.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <string>
#include <unordered_map>

class QWidget;

namespace millcalc {

class FormMain;

class FieldBinder : public QObject {
    Q_OBJECT
public:
    // root is the main window; every other window and panel is a child of it.
    FieldBinder(FormMain& form, QWidget* root);

    // Brings every widget to the state of its field, windows and focus included.
    void refresh();

    // The controls of the store that have no widget.
    QStringList missingControls() const;
    QObject* control(const std::string& name) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void bind(const Field& field, QObject* object);
    void bindWindow(const Field& field, QWidget* widget);
    void bindPageControl(const Field& field, QObject* object);
    void bindList(const Field& field, QObject* object);
    void bindRadioGroup(const Field& field, QObject* object);
    void bindGrid(const Field& field, QObject* object);

    void refreshContents();
    void apply(const std::string& name, Change change);
    void applyText(const Field& field, QObject* object);
    void applyItems(const Field& field, QObject* object);
    void applyIndex(const Field& field, QObject* object);
    void applyColour(const Field& field, QObject* object);
    void applyVisible(const Field& field, QObject* object);
    void applyCells(const Field& field, QObject* object);
    void applyFocus(const std::string& name);
    void applySelection(const Field& field, QObject* object, bool collapse);

    // Runs a user's action on the window logic; an error that escapes it goes
    // to the error box, as from any command.
    void guarded(const std::function<void()>& action);

    FormMain& form_;
    QWidget* root_;
    std::unordered_map<std::string, QObject*> controls_;
    std::unordered_map<const QObject*, std::string> windows_;
    QStringList missing_;
};

} // namespace millcalc
