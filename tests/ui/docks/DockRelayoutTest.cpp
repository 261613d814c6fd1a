// The main window makes room for its docks at once, on an office screen
// (1920 x 1080): a dock shown grows the window and gets the width it asks
// for within a few turns of the event loop, with no timer's wait; docks shown
// together share the room; a page shown while the results are
// in view shares the room out anew; a size the user gives the window holds.
// (Qt's offscreen platform maximises no window: the desktops of
// run-desktop-geometry.sh take the whole screen.)
#include "DesktopHarness.h"
#include "RecordingToolkit.h"

#include "ui/MainWindow.h"

#include <QCoreApplication>
#include <QDockWidget>
#include <QMainWindow>
#include <QScreen>
#include <QtTest>

#include <memory>

using namespace millcalc;

class DockRelayoutTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void aDockShownGrowsTheWindowAndGetsItsWidthAtOnce();
    void docksShownTogetherShareTheRoom();
    void aSizeTheUserGivesHolds();
    void aPageShownSharesTheRoomOutWhileTheResultsAreInView();

private:
    QMainWindow* main() const { return &app_->desktop->mainWindow(); }
    QDockWidget* dock(const char* name) const
    {
        return qobject_cast<QDockWidget*>(app_->window(name));
    }
    // What the window may grow to: its hint within the screen's free area.
    QSize roomWanted() const
    {
        return main()->sizeHint().boundedTo(main()->screen()->availableGeometry().size());
    }
    void verifyDocksHaveTheirWidths();

    std::unique_ptr<RecordingToolkit> toolkit_;
    std::unique_ptr<DesktopHarness> app_;
};

// The turns of the event loop a relayout may take: the requests gathered, the
// new size the platform gives, the docks fitted to it. Never a timer's wait:
// the posted events alone.
void turns()
{
    for (int turn = 0; turn < 4; ++turn)
        QCoreApplication::processEvents();
}

void DockRelayoutTest::init()
{
    toolkit_ = std::make_unique<RecordingToolkit>();
    app_ = std::make_unique<DesktopHarness>(*toolkit_);
    QVERIFY(QTest::qWaitForWindowExposed(main()));
    // As small as it goes: every dock has to make room.
    const QSize least = main()->minimumSizeHint();
    main()->resize(least);
    turns();
    QCOMPARE(main()->size(), least);
}

void DockRelayoutTest::cleanup()
{
    app_.reset();
    toolkit_.reset();
}

void DockRelayoutTest::verifyDocksHaveTheirWidths()
{
    for (QDockWidget* shown : main()->findChildren<QDockWidget*>()) {
        if (!shown->isVisible() || main()->dockWidgetArea(shown) != Qt::RightDockWidgetArea)
            continue;
        QVERIFY2(shown->width() >= shown->sizeHint().width(),
            qPrintable(QStringLiteral("%1 is %2 wide of the %3 it asks for")
                    .arg(shown->objectName())
                    .arg(shown->width())
                    .arg(shown->sizeHint().width())));
    }
}

void DockRelayoutTest::aDockShownGrowsTheWindowAndGetsItsWidthAtOnce()
{
    app_->form.click("BitCalcs");
    QDockWidget* results = dock("PanelCalc");
    QVERIFY(results->isVisible());
    turns();
    QVERIFY(!main()->isMaximized());
    QCOMPARE(main()->size(), roomWanted());
    verifyDocksHaveTheirWidths();
    // The results keep the height they ask for.
    QVERIFY(results->height() >= results->sizeHint().height());
}

void DockRelayoutTest::docksShownTogetherShareTheRoom()
{
    // The results and the log, shown in one turn: the log under the results,
    // the window grown for both, the results keeping their height over it.
    for (const char* name : { "PanelCalc", "FormMessage" })
        app_->store().setVisible(name, true);
    turns();
    QDockWidget* results = dock("PanelCalc");
    QDockWidget* log = dock("FormMessage");
    QCOMPARE(main()->dockWidgetArea(log), Qt::RightDockWidgetArea);
    QVERIFY(log->y() >= results->y() + results->height());
    QVERIFY(!main()->isMaximized());
    QCOMPARE(main()->size(), roomWanted());
    verifyDocksHaveTheirWidths();
    QVERIFY(results->height() >= results->sizeHint().height());
    QVERIFY(log->isVisible());
}

void DockRelayoutTest::aSizeTheUserGivesHolds()
{
    app_->form.click("BitCalcs");
    turns();
    QCOMPARE(main()->size(), roomWanted());
    // The user makes the window smaller than it asks for: it stays so.
    const QSize smaller = roomWanted() - QSize(200, 100);
    main()->resize(smaller);
    turns();
    QCOMPARE(main()->size(), smaller);
    // A dock shown again asks for room again.
    app_->store().setVisible("PanelCalc", false);
    turns();
    QCOMPARE(main()->size(), smaller);
    app_->store().setVisible("PanelCalc", true);
    turns();
    QCOMPARE(main()->size(), roomWanted());
}

void DockRelayoutTest::aPageShownSharesTheRoomOutWhileTheResultsAreInView()
{
    app_->form.click("BitCalcs");
    turns();
    const QSize smaller = roomWanted() - QSize(200, 100);
    main()->resize(smaller);
    turns();
    app_->form.pick("PageControlParam", 2);
    turns();
    QCOMPARE(main()->size(), roomWanted());
    verifyDocksHaveTheirWidths();
    // Without the results in view, a page keeps the window's size.
    app_->store().setVisible("PanelCalc", false);
    main()->resize(smaller);
    turns();
    app_->form.pick("PageControlParam", 0);
    turns();
    QCOMPARE(main()->size(), smaller);
}

QTEST_MAIN(DockRelayoutTest)
#include "DockRelayoutTest.moc"
