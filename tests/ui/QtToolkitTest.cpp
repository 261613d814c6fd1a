// The toolkit operations on Qt: the boxes the window logic asks for, the About
// window and the end of the program.
#include "ui/QtToolkit.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace millcalc;

namespace {

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    qsizetype buttons = 0;
};

} // namespace

class QtToolkitTest : public QObject {
    Q_OBJECT

private slots:
    void warningBoxHasTheCaptionOneButtonAndNoIcon();
    void informationBoxIsPlain();
    void errorBoxShowsTheErrorIcon();
    void aboutWindowIsModalAndTitled();
    void quitEndsTheEventLoopAfterTheCommand();

private:
    SeenBox show(const std::function<void()>& open);

    QtToolkit toolkit_;
};

SeenBox QtToolkitTest::show(const std::function<void()>& open)
{
    SeenBox seen;
    QTimer::singleShot(0, this, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->buttons().size();
        box->button(QMessageBox::Ok)->click();
    });
    open();
    return seen;
}

void QtToolkitTest::warningBoxHasTheCaptionOneButtonAndNoIcon()
{
    const SeenBox seen = show([this] {
        toolkit_.warningBox("Ошибка задания 'диаметра инструмента' - D", "Предупреждение...");
    });
    QCOMPARE(seen.title, QStringLiteral("Предупреждение..."));
    QCOMPARE(seen.text, QStringLiteral("Ошибка задания 'диаметра инструмента' - D"));
    QCOMPARE(seen.icon, QMessageBox::NoIcon);
    QCOMPARE(seen.buttons, 1);
}

void QtToolkitTest::informationBoxIsPlain()
{
    const SeenBox seen = show([this] { toolkit_.informationBox("Nothing"); });
    QCOMPARE(seen.text, QStringLiteral("Nothing"));
    QCOMPARE(seen.icon, QMessageBox::NoIcon);
    QCOMPARE(seen.buttons, 1);
}

void QtToolkitTest::errorBoxShowsTheErrorIcon()
{
    const SeenBox seen = show([this] { toolkit_.errorBox("unknown control X"); });
    QCOMPARE(seen.text, QStringLiteral("unknown control X"));
    QCOMPARE(seen.icon, QMessageBox::Critical);
    QCOMPARE(seen.buttons, 1);
}

void QtToolkitTest::aboutWindowIsModalAndTitled()
{
    QString title;
    bool modal = false;
    QTimer::singleShot(0, this, [&] {
        QWidget* window = QApplication::activeModalWidget();
        if (!window)
            return;
        title = window->windowTitle();
        modal = window->isModal();
        window->close();
    });
    toolkit_.showModal("FormAbout", "Об авторе ...");
    QCOMPARE(title, QStringLiteral("Об авторе ..."));
    QVERIFY(modal);
}

void QtToolkitTest::quitEndsTheEventLoopAfterTheCommand()
{
    QEventLoop loop;
    bool commandFinished = false;
    QTimer::singleShot(0, this, [&] {
        toolkit_.quit();
        commandFinished = true; // the command runs on after asking to quit
    });
    QTimer::singleShot(5000, &loop, [&loop] { loop.exit(1); });
    QCOMPARE(loop.exec(), 0);
    QVERIFY(commandFinished);
}

QTEST_MAIN(QtToolkitTest)
#include "QtToolkitTest.moc"
