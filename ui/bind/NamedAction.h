// A menu line's action, named by its control name so that the binder finds
// it, with its caption ("&" before the letter that chooses it) and its keys.
#pragma once

#include <QKeySequence>
#include <QString>

class QAction;
class QObject;

namespace millcalc {

QAction* namedAction(QObject* owner, const char* name, const QString& caption,
    const QKeySequence& keys = QKeySequence());

} // namespace millcalc
