#include "ui/QtToolkit.h"

#include "ui/AboutWindow.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

namespace millcalc {

namespace {

void showBox(
    QWidget* parent, QMessageBox::Icon icon, const std::string& caption, const std::string& text)
{
    QMessageBox box(icon, QString::fromStdString(caption), QString::fromStdString(text),
        QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

QWidget* QtToolkit::boxParent() const
{
    // The box sits over the window the user works in, a floating panel included.
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
        qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

void QtToolkit::showModal(const std::string& window, const std::string& title)
{
    if (window == "FormAbout") {
        showAboutWindow(mainWindow_);
        return;
    }
    QDialog dialog(mainWindow_);
    dialog.setObjectName(QString::fromStdString(window));
    dialog.setWindowTitle(QString::fromStdString(title));
    dialog.exec();
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
