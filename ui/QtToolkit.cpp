#include "ui/QtToolkit.h"

#include "ui/FieldBinder.h"
#include "ui/pages/WidgetKit.h"
#include "ui/windows/AboutWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>

namespace millcalc {

namespace {

// The focused field of the window when its whole text is selected, as a
// correction leaves it for the user to type over.
QLineEdit* wholeSelection(QWidget* window)
{
    QWidget* focused = window ? window->focusWidget() : nullptr;
    auto* edit = qobject_cast<QLineEdit*>(focused);
    if (auto* list = qobject_cast<QComboBox*>(focused))
        edit = list->lineEdit();
    if (edit && !edit->text().isEmpty() && edit->selectedText() == edit->text())
        return edit;
    return nullptr;
}

// A line edit drops its selection when its window turns active while another
// window (the box) has the focus. This gives a corrected field its selection
// back when the focus returns to it.
class SelectionKeeper : public QObject {
public:
    SelectionKeeper(QWidget* focusTarget, QLineEdit* edit)
        : QObject(focusTarget)
        , edit_(edit)
    {
        focusTarget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn) {
            if (edit_ && static_cast<QFocusEvent*>(event)->reason() == Qt::ActiveWindowFocusReason)
                edit_->selectAll();
            deleteLater();
        }
        return false;
    }

private:
    QPointer<QLineEdit> edit_;
};

void showBox(
    QWidget* parent, QMessageBox::Icon icon, const std::string& caption, const std::string& text)
{
    const QPointer<QLineEdit> corrected = wholeSelection(parent);
    const QPointer<QWidget> focusTarget = corrected ? parent->focusWidget() : nullptr;
    QMessageBox box(icon, QString::fromStdString(caption), QString::fromStdString(text),
        QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    // Over the log window, which stays on top of the program's windows.
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
    // Back to the window the box came from, whose focused control (the field
    // just corrected) takes the keys again: not every platform does this when
    // a box closes.
    if (parent && parent->isVisible())
        parent->activateWindow();
    if (corrected && focusTarget) {
        corrected->selectAll();
        if (!focusTarget->hasFocus())
            new SelectionKeeper(focusTarget, corrected);
    }
}

} // namespace

QWidget* QtToolkit::boxParent() const
{
    // The box sits over the window the user works in, a floating panel included;
    // a field corrected just before the box has made its window that one.
    if (const FieldBinder* binder
        = mainWindow_ ? mainWindow_->findChild<FieldBinder*>() : nullptr) {
        if (QWidget* asked = binder->activatingWindow())
            return asked;
    }
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return mainWindow_;
}

void QtToolkit::warningBox(const std::string& text, const std::string& caption)
{
    showBox(boxParent(), QMessageBox::NoIcon, caption, text);
}

void QtToolkit::informationBox(const std::string& text)
{
    showBox(boxParent(), QMessageBox::NoIcon, kInformationCaption, text);
}

void QtToolkit::errorBox(const std::string& text)
{
    showBox(boxParent(), QMessageBox::Critical, kErrorCaption, text);
}

void QtToolkit::beep()
{
    QApplication::beep();
}

void QtToolkit::quit()
{
    // Queued, so that the command that ends the program runs to its end first.
    // exit() rather than quit(): quit() would first ask every window to close,
    // and the main window answers a close by asking the window logic to quit.
    QMetaObject::invokeMethod(
        qApp,
        [this] {
            if (!quitCheck_ || quitCheck_())
                QCoreApplication::exit(0);
        },
        Qt::QueuedConnection);
}

void QtToolkit::showModal(const std::string& window, const std::string& title)
{
    // The windows have their own titles.
    Q_UNUSED(title);
    if (window == "FormAbout")
        showAboutWindow(mainWindow_);
    else if (open_)
        open_(window);
}

void QtToolkit::raise(const std::string& window)
{
    if (!mainWindow_)
        return;
    const QString name = QString::fromStdString(window);
    QWidget* target = mainWindow_->objectName() == name ? mainWindow_.data()
                                                        : mainWindow_->findChild<QWidget*>(name);
    if (target && target->isVisible()) {
        target->raise();
        target->activateWindow();
    }
}

} // namespace millcalc
