#include "ui/bind/NamedAction.h"

#include <QAction>

namespace millcalc {

QAction* namedAction(
    QObject* owner, const char* name, const QString& caption, const QKeySequence& keys)
{
    auto* action = new QAction(caption, owner);
    action->setObjectName(QString::fromUtf8(name));
    if (!keys.isEmpty())
        action->setShortcut(keys);
    return action;
}

} // namespace millcalc
