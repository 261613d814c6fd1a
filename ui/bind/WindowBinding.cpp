#include "ui/bind/WindowBinding.h"

#include "app/Form.h"

#include <QEvent>
#include <QVariant>
#include <QWidget>

namespace millcalc {

WindowBinding::WindowBinding(const BindingHost& host, const Field& field, QWidget* window)
    : QObject(host.context)
    , Binding(host, field, window)
    , window_(window)
{
    window_->installEventFilter(this);
}

void WindowBinding::text(const Field& field)
{
    // Qt titles a window without a title by the program's name; a blank keeps
    // the title bar empty.
    const QString title = display(field.text);
    window_->setWindowTitle(title.isEmpty() ? QStringLiteral(" ") : title);
}

void WindowBinding::visible(const Field& field)
{
    if (field.visible) {
        window_->show();
        window_->raise();
    } else {
        window_->hide();
    }
}

bool WindowBinding::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != window_)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::Close) {
        // The close box asks the window logic; the store's visibility then
        // hides the window (or the program ends).
        event->ignore();
        const std::string name = name_;
        host_.guarded([&] { host_.form.close(name); });
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace millcalc
