#include "ui/ResultsCopy.h"

#include "ui/sheet/SheetCommands.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>

namespace millcalc {

namespace {

// The field that takes Ctrl+C itself: one with selected text.
bool copiesItsSelection(QWidget* focused)
{
    auto* edit = qobject_cast<QLineEdit*>(focused);
    if (auto* list = qobject_cast<QComboBox*>(focused))
        edit = list->lineEdit();
    return edit && edit->hasSelectedText();
}

class ResultsCopy : public QObject {
public:
    ResultsCopy(SheetCommands& commands, QWidget* window)
        : QObject(window)
        , commands_(&commands)
        , window_(window)
    {
        // Key events go to the focused control, which may take Ctrl+C for
        // itself: the application's filter sees them first.
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || !window_ || (widget != window_ && !window_->isAncestorOf(widget)))
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (!key->matches(QKeySequence::Copy) || copiesItsSelection(QApplication::focusWidget()))
            return false;
        if (event->type() == QEvent::ShortcutOverride) {
            // The key press itself comes here next, not to a shortcut.
            event->accept();
            return true;
        }
        if (commands_)
            commands_->copyTable();
        return true;
    }

private:
    QPointer<SheetCommands> commands_;
    QPointer<QWidget> window_;
};

} // namespace

void installResultsCopy(SheetCommands& commands, QWidget* resultsWindow)
{
    if (resultsWindow)
        new ResultsCopy(commands, resultsWindow);
}

} // namespace millcalc
