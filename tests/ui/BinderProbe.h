// The tests' way to a control's widget or action: by its control name among
// the desktop's windows, built as the program builds them (Desktop::window),
// as the field binder found it to bind it.
#pragma once

#include <QStringList>

#include <string>

class QObject;

namespace millcalc {

class Desktop;
class FieldStore;

// The widget or action of that control name; the windows not yet built are
// built, one by one in their order, until one holds it. Null if none does.
// It finds any object of the name: ask it for controls of the store only.
QObject* controlOf(Desktop& desktop, const std::string& name);

// The controls of the store that no window holds, every window built.
QStringList missingControls(Desktop& desktop, const FieldStore& store);

} // namespace millcalc
