// The program on a real X server under a window manager (run by
// run-desktop-geometry.sh on screens of several sizes): started as main()
// starts it, driven by real key presses, its windows checked where the window
// manager put them. No window covers the main window's menu bar, its three
// buttons or an input of its active page; every window lies on the screen; the
// results window shows every field and its status line without scrolling; the
// log covers no field; a box opens over the log; panels open beside, not over.
#include "shell/FormMain.h"
#include "ui/Desktop.h"
#include "ui/FieldBinder.h"
#include "ui/MainWindow.h"
#include "ui/PanelWindow.h"
#include "ui/QtToolkit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace millcalc;

namespace {

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(10000) || process.exitCode() != 0)
        qFatal("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// The client windows from the bottom of the stack to its top, as the window
// manager keeps them.
QList<WId> stackingOrder()
{
    const QString line = run(QStringLiteral("xprop"),
        { QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING") });
    QList<WId> ids;
    const QRegularExpression id(QStringLiteral("0x[0-9a-fA-F]+"));
    for (auto it = id.globalMatch(line); it.hasNext();)
        ids << it.next().captured().toULongLong(nullptr, 16);
    return ids;
}

int number(const QString& text, const char* label)
{
    const QRegularExpression pattern(QString::fromLatin1(label) + QStringLiteral(":\\s*(-?\\d+)"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        qFatal("xwininfo gave no %s", label);
    return match.captured(1).toInt();
}

// The frame of a client window on the screen, from the X server and the window
// manager's frame extents, in the program's (scaled) coordinates.
QRect realFrame(WId window)
{
    const QString info = run(QStringLiteral("xwininfo"), { QStringLiteral("-id"), QString::number(window) });
    QRect client(number(info, "Absolute upper-left X"), number(info, "Absolute upper-left Y"),
        number(info, "Width"), number(info, "Height"));
    const QString extents = run(QStringLiteral("xprop"),
        { QStringLiteral("-id"), QString::number(window), QStringLiteral("_NET_FRAME_EXTENTS") });
    const QRegularExpressionMatch m
        = QRegularExpression(QStringLiteral("= (\\d+), (\\d+), (\\d+), (\\d+)")).match(extents);
    if (m.hasMatch())
        client.adjust(-m.captured(1).toInt(), -m.captured(3).toInt(), m.captured(2).toInt(),
            m.captured(4).toInt());
    const qreal scale = qApp->devicePixelRatio();
    return QRect(qRound(client.x() / scale), qRound(client.y() / scale),
        qRound(client.width() / scale), qRound(client.height() / scale));
}

QRect globalRect(const QWidget* widget)
{
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

QString describe(const QWidget* widget)
{
    QString name = widget->objectName();
    if (name.isEmpty())
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            name = button->text();
    return name.isEmpty() ? QString::fromLatin1(widget->metaObject()->className()) : name;
}

QString rectText(const QRect& r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// What a user types into or presses on the active input page.
QList<QWidget*> inputsOf(QWidget* page)
{
    QList<QWidget*> inputs;
    for (QWidget* child : page->findChildren<QWidget*>()) {
        if (!child->isVisible())
            continue;
        if (qobject_cast<QLineEdit*>(child) && qobject_cast<QComboBox*>(child->parentWidget()))
            continue; // the line of an editable list: the list counts
        if (qobject_cast<QLineEdit*>(child) || qobject_cast<QComboBox*>(child)
            || qobject_cast<QAbstractButton*>(child))
            inputs << child;
    }
    return inputs;
}

} // namespace

class DesktopGeometryTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void startUpLeavesTheMainWindowAtTheTopLeft();
    void enterCalculatesAndEveryWindowFits_data();
    void enterCalculatesAndEveryWindowFits();
    void panelsOpenBesideNotOver();
    void warningBoxOpensOverTheLog();
    void escapeClosesTheWindows();

private:
    template <typename T> T* find(const char* name) const
    {
        T* typed = qobject_cast<T*>(desktop_->binder().control(name));
        if (!typed)
            qFatal("no widget %s", name);
        return typed;
    }
    QWidget* window(const char* name) const { return desktop_->window(name); }

    void settle();
    void pressKey(const char* key);
    void checkOnScreen();
    void checkMainWindowFree();
    void checkResultsShowEverything();
    void checkLogCoversNoField();
    QList<QWidget*> shownWindows() const;

    QtToolkit toolkit_;
    std::unique_ptr<FormMain> form_;
    std::unique_ptr<Desktop> desktop_;
    QRect screen_;
};

void DesktopGeometryTest::initTestCase()
{
    QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"),
        "the test needs an X server with a window manager: run it through run-desktop-geometry.sh");
    form_ = std::make_unique<FormMain>(toolkit_);
    form_->start();
    desktop_ = std::make_unique<Desktop>(*form_);
    toolkit_.setMainWindow(&desktop_->mainWindow());
    desktop_->show();
    QVERIFY(QTest::qWaitForWindowExposed(&desktop_->mainWindow()));
    screen_ = desktop_->mainWindow().screen()->availableGeometry();
    // The splash closes itself after a second.
    QTRY_VERIFY_WITH_TIMEOUT(!window("FormMiniature")->isVisible(), 5000);
    settle();
}

void DesktopGeometryTest::cleanupTestCase()
{
    desktop_.reset();
    form_.reset();
}

void DesktopGeometryTest::settle()
{
    // The window manager maps, frames and stacks in its own time.
    QTest::qWait(400);
    QApplication::processEvents();
}

void DesktopGeometryTest::pressKey(const char* key)
{
    run(QStringLiteral("xdotool"), { QStringLiteral("key"), QString::fromLatin1(key) });
    settle();
}

QList<QWidget*> DesktopGeometryTest::shownWindows() const
{
    QList<QWidget*> shown;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->winId())
            shown << w;
    }
    return shown;
}

void DesktopGeometryTest::checkOnScreen()
{
    const QList<WId> stack = stackingOrder();
    for (QWidget* w : shownWindows()) {
        QVERIFY2(stack.contains(w->winId()), qPrintable(describe(w) + " is not managed"));
        // A window that the window manager framed larger than was asked for
        // moves back onto the screen once it is drawn.
        const bool onScreen
            = QTest::qWaitFor([&] { return screen_.contains(realFrame(w->winId())); }, 3000);
        const QRect frame = realFrame(w->winId());
        QVERIFY2(onScreen && screen_.contains(frame),
            qPrintable(QStringLiteral("%1 at %2,%3 %4x%5 leaves the screen (asked for %6,%7 %8x%9)")
                           .arg(describe(w))
                           .arg(frame.x())
                           .arg(frame.y())
                           .arg(frame.width())
                           .arg(frame.height())
                           .arg(w->geometry().x())
                           .arg(w->geometry().y())
                           .arg(w->geometry().width())
                           .arg(w->geometry().height())));
    }
}

void DesktopGeometryTest::checkMainWindowFree()
{
    MainWindow& main = desktop_->mainWindow();
    QList<QWidget*> guarded { main.menuBar(), find<QWidget>("BitBtnGraphic"),
        find<QWidget>("BitBtnHelp"), find<QWidget>("BitCalcs") };
    auto* pages = find<QTabWidget>("PageControlParam");
    if (QWidget* page = pages->currentWidget())
        guarded << inputsOf(page);
    const QList<WId> stack = stackingOrder();
    const qsizetype mainAt = stack.indexOf(main.winId());
    QVERIFY(mainAt >= 0);
    for (QWidget* w : shownWindows()) {
        if (w == &main || stack.indexOf(w->winId()) < mainAt)
            continue; // below the main window, it covers nothing of it
        const QRect frame = realFrame(w->winId());
        for (const QWidget* control : guarded) {
            QVERIFY2(!frame.intersects(globalRect(control)),
                qPrintable(describe(w) + " covers " + describe(control)));
        }
    }
}

void DesktopGeometryTest::checkResultsShowEverything()
{
    auto* results = qobject_cast<PanelWindow*>(window("PanelCalc"));
    QVERIFY(results && results->isVisible());
    const QRect frame = realFrame(results->winId());
    // Nothing to scroll to, on any screen from 1366 x 768 up.
    if (screen_.width() >= 1366 && screen_.height() >= 768) {
        QCOMPARE(results->scrollArea()->horizontalScrollBar()->maximum(), 0);
        QCOMPARE(results->scrollArea()->verticalScrollBar()->maximum(), 0);
    }
    const QRect view = globalRect(results->scrollArea()->viewport());
    auto* pages = find<QTabWidget>("PageControlMethods");
    for (QWidget* field : inputsOf(pages->currentWidget())) {
        if (!qobject_cast<QLineEdit*>(field) && !qobject_cast<QComboBox*>(field))
            continue;
        if (screen_.width() >= 1366)
            QVERIFY2(view.contains(globalRect(field)), qPrintable(describe(field) + " is cut"));
        QVERIFY(frame.intersects(globalRect(field)));
    }
    auto* status = find<QLabel>("StatusBarMes");
    QVERIFY(status->isVisible());
    QVERIFY2(frame.contains(globalRect(status)), "the status line is cut");
    QVERIFY(status->text().contains(QStringLiteral("об/мин")));
}

void DesktopGeometryTest::checkLogCoversNoField()
{
    QWidget* log = window("FormMessage");
    if (!log->isVisible())
        return;
    const QRect frame = realFrame(log->winId());
    QList<QWidget*> fields = inputsOf(find<QTabWidget>("PageControlParam")->currentWidget());
    if (window("PanelCalc")->isVisible())
        fields << inputsOf(find<QTabWidget>("PageControlMethods")->currentWidget());
    for (const QWidget* field : fields)
        QVERIFY2(!frame.intersects(globalRect(field)), qPrintable("the log covers " + describe(field)));
}

void DesktopGeometryTest::startUpLeavesTheMainWindowAtTheTopLeft()
{
    const QRect frame = realFrame(desktop_->mainWindow().winId());
    QCOMPARE(frame.topLeft(), screen_.topLeft());
    QVERIFY(find<QWidget>("BitCalcs")->hasFocus());
    checkOnScreen();
    checkMainWindowFree();
}

void DesktopGeometryTest::enterCalculatesAndEveryWindowFits_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<QString>("result");
    QTest::newRow("Walter") << 0 << QStringLiteral("EditStn");
    QTest::newRow("aluminium") << 1 << QStringLiteral("Editn");
    QTest::newRow("titanium") << 2 << QStringLiteral("EditTin");
}

void DesktopGeometryTest::enterCalculatesAndEveryWindowFits()
{
    QFETCH(int, method);
    QFETCH(QString, result);
    form_->pick("PageControlParam", method);
    MainWindow& main = desktop_->mainWindow();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    find<QWidget>("BitCalcs")->setFocus();
    const std::string before = form_->store().text(result.toStdString());
    pressKey("Return");
    QTRY_VERIFY(window("PanelCalc")->isVisible());
    settle();
    QCOMPARE(form_->store().index("PageControlMethods"), method);
    QVERIFY(form_->store().text(result.toStdString()) != before);
    checkOnScreen();
    checkMainWindowFree();
    checkResultsShowEverything();
    checkLogCoversNoField();

    // "Расчет" can be pressed again without moving a window: Enter in a field.
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QWidget* field = inputsOf(find<QTabWidget>("PageControlParam")->currentWidget()).first();
    field->setFocus();
    form_->store().setText(result.toStdString(), "0");
    pressKey("Return");
    QVERIFY(form_->store().text(result.toStdString()) != "0");
}

void DesktopGeometryTest::panelsOpenBesideNotOver()
{
    QList<QWidget*> opened;
    for (const char* command : { "N22", "N21", "N23" }) {
        desktop_->mainWindow().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&desktop_->mainWindow()));
        form_->click(command);
        settle();
        checkOnScreen();
        checkMainWindowFree();
        checkLogCoversNoField();
        for (QWidget* panel :
            { window("PanelStMaterial"), window("PanelFormulaAl"), window("PanelTemp") }) {
            if (panel->isVisible() && !opened.contains(panel))
                opened << panel;
        }
        // Beside the main window, never over any of it.
        const QRect main = realFrame(desktop_->mainWindow().winId());
        for (const QWidget* panel : opened)
            QVERIFY2(!realFrame(panel->winId()).intersects(main),
                qPrintable(describe(panel) + " at " + rectText(realFrame(panel->winId()))
                    + " over the main window at " + rectText(main)));
    }
    QCOMPARE(opened.size(), 3);
    // On a large screen there is room for all three side by side.
    if (screen_.width() >= 1920 && screen_.height() >= 1080) {
        for (qsizetype i = 0; i < opened.size(); ++i)
            for (qsizetype j = i + 1; j < opened.size(); ++j)
                QVERIFY2(!realFrame(opened[i]->winId()).intersects(realFrame(opened[j]->winId())),
                    qPrintable(describe(opened[i]) + " at " + rectText(realFrame(opened[i]->winId()))
                        + " over " + describe(opened[j]) + " at "
                        + rectText(realFrame(opened[j]->winId()))));
    }
}

void DesktopGeometryTest::warningBoxOpensOverTheLog()
{
    form_->click("N13"); // the log window in view
    settle();
    QWidget* log = window("FormMessage");
    QVERIFY(log->isVisible());
    form_->pick("PageControlParam", 0);
    form_->store().setText("BaseD", "0");
    MainWindow& main = desktop_->mainWindow();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    find<QWidget>("BitCalcs")->setFocus();
    bool seen = false;
    QString failure;
    QTimer::singleShot(800, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            failure = QStringLiteral("no warning box");
            return;
        }
        seen = true;
        const QList<WId> stack = stackingOrder();
        if (stack.indexOf(box->winId()) < stack.indexOf(log->winId()))
            failure = QStringLiteral("the box lies under the log window");
        if (!screen_.contains(realFrame(box->winId())))
            failure = QStringLiteral("the box leaves the screen");
        box->accept();
    });
    // Enter runs the Walter calculation, which stops at the diameter's box.
    run(QStringLiteral("xdotool"), { QStringLiteral("key"), QStringLiteral("Return") });
    QTRY_VERIFY_WITH_TIMEOUT(seen || !failure.isEmpty(), 5000);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    form_->store().setText("BaseD", "25.0");
}

void DesktopGeometryTest::escapeClosesTheWindows()
{
    form_->click("BitBtnHelp");
    settle();
    checkOnScreen();
    checkMainWindowFree();
    form_->click("BitBtnGraphic");
    settle();
    checkOnScreen();
    checkMainWindowFree();
    for (const char* name : { "FormGraphic", "FormHelp", "PanelTemp", "PanelFormulaAl",
             "PanelStMaterial", "PanelCalc" }) {
        QWidget* w = window(name);
        QVERIFY2(w->isVisible(), name);
        w->raise();
        w->activateWindow();
        // A tool window counts as active while its owner is: wait for the
        // application to say it has the keys.
        QTRY_VERIFY2(QApplication::activeWindow() == w, name);
        pressKey("Escape");
        QVERIFY2(!w->isVisible(), name);
        QVERIFY2(!form_->store().visible(name), name);
    }
}

QTEST_MAIN(DesktopGeometryTest)
#include "DesktopGeometryTest.moc"
