// The nomogram window in the desktop program: the chart draws what the window
// logic's nomogram holds, with the series, axes and legend the system gives it,
// and its toolbar and close box reach the window logic.
#include "BinderProbe.h"
#include "DesktopHarness.h"
#include "RecordingToolkit.h"

#include "shell/FormMain.h"
#include "ui/Desktop.h"
#include "ui/addons/AddonLoader.h"
#include "ui/sheet/SheetCommands.h"
#include "ui/windows/GraphicWindow.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMessageBox>
#include <QPushButton>
#include <QScatterSeries>
#include <QTemporaryDir>
#include <QToolButton>
#include <QValueAxis>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace millcalc;

class GraphicWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void windowIsHiddenAtStartWithItsCaptionAndBounds();
    void pressingTwiceDrawsTwentyPointsPerCurveAndOnePerOperatingSeries();
    void curvesAreTheSelectedMachinesAtThePressOnly();
    void operatingPointComesFromTheActiveInputPage_data();
    void operatingPointComesFromTheActiveInputPage();
    void blankPageDrawsTheCurvesAndBothPointsAtZero();
    void clearEmptiesThePointsAndKeepsTheLegend();
    void closeAndCloseBoxHideTheWindowAndKeepTheDrawing();
    void chartHasItsTitleLegendAndAxes();
    void seriesHaveTheirKindsTitlesAxesAndLooks();
    void axesScaleToTheData();
    void hugeResultsKeepTheAxesFinite();
    void withoutItsModuleTheNomogramAndPreviewSayWhatIsMissing_data();
    void withoutItsModuleTheNomogramAndPreviewSayWhatIsMissing();

private:
    template <typename T> T* find(const char* name) const { return app_->find<T>(name); }
    GraphicWindow* graphic() const
    {
        return qobject_cast<GraphicWindow*>(app_->desktop->window("FormGraphic"));
    }
    void pressGraphic() { find<QPushButton>("BitBtnGraphic")->click(); }
    // The points a series shows, as the nomogram holds them.
    QList<QPointF> nomogramPoints(int index) const;

    std::unique_ptr<RecordingToolkit> toolkit_;
    std::unique_ptr<DesktopHarness> app_;
};

void GraphicWindowTest::init()
{
    toolkit_ = std::make_unique<RecordingToolkit>();
    app_ = std::make_unique<DesktopHarness>(*toolkit_);
    QVERIFY(graphic());
}

void GraphicWindowTest::cleanup()
{
    app_.reset();
    toolkit_.reset();
}

QList<QPointF> GraphicWindowTest::nomogramPoints(int index) const
{
    QList<QPointF> points;
    for (const ChartPoint& p : app_->form.nomogram().series[static_cast<std::size_t>(index)])
        points.append(QPointF(p.x, p.y));
    return points;
}

void GraphicWindowTest::windowIsHiddenAtStartWithItsCaptionAndBounds()
{
    GraphicWindow* window = graphic();
    QVERIFY(!window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("Номограмма "));
    QCOMPARE(window->pos(), QPoint(234, 141));
    QCOMPARE(window->size(), QSize(870, 600));
    QVERIFY(window->windowFlags().testFlag(Qt::Window));
    QCOMPARE(find<QToolButton>("ToolButton1")->text(), QStringLiteral("Закрыть"));
    QCOMPARE(find<QToolButton>("ToolButton2")->text(), QStringLiteral("Очистить"));
    QVERIFY(controlOf(*app_->desktop, "ChartNom")->findChild<QChartView*>());
    for (int i = 0; i < 4; ++i)
        QCOMPARE(window->series(i)->count(), 0);
}

void GraphicWindowTest::pressingTwiceDrawsTwentyPointsPerCurveAndOnePerOperatingSeries()
{
    pressGraphic();
    pressGraphic();
    GraphicWindow* window = graphic();
    QVERIFY(window->isVisible());
    QVERIFY(app_->form.store().visible("FormGraphic"));
    QCOMPARE(window->series(0)->count(), 20);
    QCOMPARE(window->series(1)->count(), 20);
    QCOMPARE(window->series(2)->count(), 1);
    QCOMPARE(window->series(3)->count(), 1);
    const MachineRecord& machine = app_->form.machine();
    for (int i = 0; i < 20; ++i) {
        const auto at = static_cast<std::size_t>(i);
        QCOMPARE(window->series(0)->at(i),
            QPointF(machine.Curve.at(at).speedRpm, machine.Curve.at(at).powerKw));
        QCOMPARE(window->series(1)->at(i),
            QPointF(machine.Curve.at(at).speedRpm, machine.Curve.at(at).torqueNm));
    }
    // Before any calculation the result fields hold "0.0".
    QCOMPARE(window->series(2)->at(0), QPointF(0, 0));
    QCOMPARE(window->series(3)->at(0), QPointF(0, 0));
}

void GraphicWindowTest::curvesAreTheSelectedMachinesAtThePressOnly()
{
    pressGraphic();
    app_->form.pick("TabMach", 1);
    // A machine change alone leaves the drawing as it was.
    QCOMPARE(graphic()->series(0)->at(19), QPointF(25000, 40));
    find<QAction>("N16")->trigger();
    QCOMPARE(graphic()->series(0)->points(), nomogramPoints(0));
    QCOMPARE(graphic()->series(1)->points(), nomogramPoints(1));
    // Row 1: the knee of both curves at 6700 rev/min, the torque falling after it.
    QCOMPARE(graphic()->series(0)->at(13), QPointF(6700, 25));
    QCOMPARE(graphic()->series(1)->at(13), QPointF(6700, 1300));
    QCOMPARE(graphic()->series(1)->at(14), QPointF(8000, 1000.2));
}

void GraphicWindowTest::operatingPointComesFromTheActiveInputPage_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("speed");
    QTest::addColumn<QString>("power");
    QTest::addColumn<QString>("torque");
    QTest::addColumn<QPointF>("powerPoint");
    QTest::addColumn<QPointF>("torquePoint");
    QTest::newRow("Walter") << 0 << "13496.339"
                            << "40.00000"
                            << "28.30189" << QPointF(13496.339, 40) << QPointF(13496.339, 28.30189);
    QTest::newRow("aluminium") << 1 << "8000"
                               << "7.25"
                               << "8.5" << QPointF(8000, 7.25) << QPointF(8000, 8.5);
    QTest::newRow("titanium") << 2 << "1200.5"
                              << "3.1"
                              << "24.66" << QPointF(1200.5, 3.1) << QPointF(1200.5, 24.66);
    QTest::newRow("negative power") << 0 << "5000"
                                    << "-3"
                                    << "20" << QPointF(5000, 0) << QPointF(5000, 20);
    QTest::newRow("text torque") << 1 << "5000"
                                 << "12"
                                 << "abc" << QPointF(5000, 12) << QPointF(5000, 0);
    QTest::newRow("negative speed") << 2 << "-100"
                                    << "7"
                                    << "9" << QPointF(0, 7) << QPointF(0, 9);
    QTest::newRow("decimal comma") << 0 << "4500,7"
                                   << "1,5"
                                   << "" << QPointF(4500.7, 1.5) << QPointF(4500.7, 0);
}

void GraphicWindowTest::operatingPointComesFromTheActiveInputPage()
{
    QFETCH(int, page);
    QFETCH(QString, speed);
    QFETCH(QString, power);
    QFETCH(QString, torque);
    QFETCH(QPointF, powerPoint);
    QFETCH(QPointF, torquePoint);
    static const char* const kFields[3][3] = {
        { "EditStn", "EditStPn", "EditStM" },
        { "Editn", "EditNp", "EditMz" },
        { "EditTin", "EditTiNct", "EditTiMz" },
    };
    app_->form.pick("PageControlParam", page);
    FieldStore& store = app_->form.store();
    store.setText(kFields[page][0], speed.toStdString());
    store.setText(kFields[page][1], power.toStdString());
    store.setText(kFields[page][2], torque.toStdString());
    pressGraphic();
    QCOMPARE(graphic()->series(2)->points(), QList<QPointF> { powerPoint });
    QCOMPARE(graphic()->series(3)->points(), QList<QPointF> { torquePoint });
}

void GraphicWindowTest::blankPageDrawsTheCurvesAndBothPointsAtZero()
{
    app_->form.store().setText("EditStn", "5000");
    app_->form.store().setText("EditStPn", "12");
    app_->form.pick("PageControlMethods", 3);
    QCOMPARE(app_->form.store().index("PageControlParam"), -1);
    pressGraphic();
    QCOMPARE(graphic()->series(0)->count(), 20);
    QCOMPARE(graphic()->series(1)->count(), 20);
    QCOMPARE(graphic()->series(2)->points(), QList<QPointF> { QPointF(0, 0) });
    QCOMPARE(graphic()->series(3)->points(), QList<QPointF> { QPointF(0, 0) });
}

void GraphicWindowTest::clearEmptiesThePointsAndKeepsTheLegend()
{
    pressGraphic();
    find<QToolButton>("ToolButton2")->click();
    GraphicWindow* window = graphic();
    QCOMPARE(window->series(0)->count(), 20);
    QCOMPARE(window->series(1)->count(), 20);
    QCOMPARE(window->series(2)->count(), 0);
    QCOMPARE(window->series(3)->count(), 0);
    QVERIFY(window->isVisible());
    const QList<QLegendMarker*> markers = window->chart()->legend()->markers();
    QCOMPARE(markers.size(), 4);
    const QStringList titles { "Кривая Мощности", "Кривая Момента", "Мощность", "Момент" };
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(markers[i]->label(), titles[i]);
        QVERIFY(markers[i]->isVisible());
    }
    QVERIFY(window->chart()->legend()->isVisible());
}

void GraphicWindowTest::closeAndCloseBoxHideTheWindowAndKeepTheDrawing()
{
    pressGraphic();
    find<QToolButton>("ToolButton1")->click();
    QVERIFY(!graphic()->isVisible());
    QVERIFY(!app_->form.store().visible("FormGraphic"));
    QCOMPARE(graphic()->series(0)->count(), 20);

    pressGraphic();
    QVERIFY(graphic()->isVisible());
    // The close box asks the window logic, which hides the window.
    QVERIFY(!graphic()->close());
    QVERIFY(!graphic()->isVisible());
    QVERIFY(!app_->form.store().visible("FormGraphic"));
    QCOMPARE(graphic()->series(1)->count(), 20);
    QCOMPARE(graphic()->series(2)->count(), 1);
}

void GraphicWindowTest::chartHasItsTitleLegendAndAxes()
{
    QChart* chart = graphic()->chart();
    QCOMPARE(chart->title(), QStringLiteral("Номограмма"));
    QVERIFY(chart->titleFont().bold());
    QCOMPARE(chart->titleBrush().color(), QColor(0, 0, 255));
    QCOMPARE(chart->legend()->alignment(), Qt::AlignTop);
    QVERIFY(chart->legend()->isVisible());
    QCOMPARE(chart->chartType(), QChart::ChartTypeCartesian);

    const struct {
        QValueAxis* axis;
        Qt::Alignment side;
        const char* title;
    } axes[] = {
        { graphic()->speedAxis(), Qt::AlignBottom, "Обороты шпинделя" },
        { graphic()->torqueAxis(), Qt::AlignLeft, "Момент" },
        { graphic()->powerAxis(), Qt::AlignRight, "Мощность" },
    };
    for (const auto& expected : axes) {
        QCOMPARE(expected.axis->titleText(), QString::fromUtf8(expected.title));
        QCOMPARE(expected.axis->alignment(), expected.side);
        QVERIFY(chart->axes().contains(expected.axis));
    }
}

void GraphicWindowTest::seriesHaveTheirKindsTitlesAxesAndLooks()
{
    GraphicWindow* window = graphic();
    QCOMPARE(window->chart()->series().size(), 4);
    const struct {
        const char* name;
        const char* title;
        QValueAxis* vertical;
    } expected[] = {
        { "Series1", "Кривая Мощности", window->powerAxis() },
        { "Series2", "Кривая Момента", window->torqueAxis() },
        { "Series3", "Мощность", window->powerAxis() },
        { "Series4", "Момент", window->torqueAxis() },
    };
    for (int i = 0; i < 4; ++i) {
        QXYSeries* series = window->series(i);
        QCOMPARE(window->chart()->series().at(i), series);
        QCOMPARE(series->objectName(), QString::fromUtf8(expected[i].name));
        QCOMPARE(series->name(), QString::fromUtf8(expected[i].title));
        QCOMPARE(series->attachedAxes().size(), 2);
        QVERIFY(series->attachedAxes().contains(window->speedAxis()));
        QVERIFY(series->attachedAxes().contains(expected[i].vertical));
        QVERIFY(!series->pointLabelsVisible());
    }

    const QColor colours[] = { QColor(255, 0, 0), QColor(0, 128, 0) };
    for (int i = 0; i < 2; ++i) {
        auto* line = qobject_cast<QLineSeries*>(window->series(i));
        QVERIFY(line);
        QCOMPARE(line->type(), QAbstractSeries::SeriesTypeLine);
        QCOMPARE(line->pen().color(), colours[i]);
        QCOMPARE(line->pen().width(), 3);
        QVERIFY(line->pointsVisible());
        // The square marks, in the colour of the line.
        QVERIFY(!line->lightMarker().isNull());
        QCOMPARE(line->lightMarker().width(), line->lightMarker().height());
        QCOMPARE(line->lightMarker().pixelColor(8, 8), colours[i]);
        QCOMPARE(line->lightMarker().pixelColor(0, 0), colours[i]);
    }

    const struct {
        QColor fill;
        QColor border;
    } points[]
        = { { QColor(255, 255, 0), QColor(128, 0, 0) }, { QColor(0, 0, 255), QColor(0, 255, 0) } };
    for (int i = 0; i < 2; ++i) {
        auto* scatter = qobject_cast<QScatterSeries*>(window->series(2 + i));
        QVERIFY(scatter);
        QCOMPARE(scatter->markerShape(), QScatterSeries::MarkerShapeRectangle);
        QCOMPARE(scatter->color(), points[i].fill);
        QCOMPARE(scatter->borderColor(), points[i].border);
        QCOMPARE(scatter->pen().width(), 6);
        // The fill still shows inside the wide border.
        QVERIFY(scatter->markerSize() > 2 * scatter->pen().width());
    }
}

void GraphicWindowTest::axesScaleToTheData()
{
    const auto covers = [](const QValueAxis* axis, const QList<QPointF>& points, bool horizontal) {
        for (const QPointF& p : points) {
            const qreal value = horizontal ? p.x() : p.y();
            if (value < axis->min() || value > axis->max())
                return false;
        }
        return true;
    };
    app_->form.store().setText("EditStn", "13496.339");
    app_->form.store().setText("EditStPn", "40.00000");
    app_->form.store().setText("EditStM", "28.30189");
    pressGraphic();
    GraphicWindow* window = graphic();
    for (int i = 0; i < 4; ++i)
        QVERIFY(covers(window->speedAxis(), window->series(i)->points(), true));
    QVERIFY(covers(window->powerAxis(), window->series(0)->points(), false));
    QVERIFY(covers(window->powerAxis(), window->series(2)->points(), false));
    QVERIFY(covers(window->torqueAxis(), window->series(1)->points(), false));
    QVERIFY(covers(window->torqueAxis(), window->series(3)->points(), false));
    // Row 0 reaches 25000 rev/min, 40 kW and 57 N·m: the axes end a little
    // beyond, so that the marks at the full power are not cut at the edge.
    QVERIFY(window->speedAxis()->max() > 25000);
    QVERIFY(window->powerAxis()->max() > 40);
    QVERIFY(window->torqueAxis()->max() > 57);
    QVERIFY(window->speedAxis()->max() < 2 * 25000);
    QVERIFY(window->powerAxis()->max() < 2 * 40);
    QVERIFY(window->torqueAxis()->max() < 2 * 57);
    // Speeds are never negative: the ticks start at zero, and the little room
    // below it keeps a point at zero whole.
    QCOMPARE(window->speedAxis()->tickAnchor(), 0.0);
    QVERIFY(window->speedAxis()->min() < 0);
    QVERIFY(window->speedAxis()->min() > -0.1 * window->speedAxis()->max());

    // Row 1's torque reaches 1300 N·m; row 3's speeds end at 12000 rev/min.
    app_->form.pick("TabMach", 1);
    pressGraphic();
    QVERIFY(covers(window->torqueAxis(), window->series(1)->points(), false));
    app_->form.pick("TabMach", 3);
    pressGraphic();
    QVERIFY(covers(window->speedAxis(), window->series(0)->points(), true));
    QVERIFY(window->speedAxis()->max() < 2 * 12000);
    QVERIFY(window->torqueAxis()->max() < 2 * 82);
}

void GraphicWindowTest::hugeResultsKeepTheAxesFinite()
{
    app_->form.store().setText("EditStn", "1e300");
    app_->form.store().setText("EditStPn", "1.7976931348623157e308");
    app_->form.store().setText("EditStM", "12");
    pressGraphic();
    GraphicWindow* window = graphic();
    QCOMPARE(window->series(2)->at(0).y(), 1.7976931348623157e308);
    for (const QValueAxis* axis :
        { window->speedAxis(), window->powerAxis(), window->torqueAxis() }) {
        QVERIFY(std::isfinite(axis->min()));
        QVERIFY(std::isfinite(axis->max()));
        QVERIFY(axis->max() > axis->min());
        QVERIFY(axis->tickCount() >= 2 && axis->tickCount() <= 12);
    }
    QCOMPARE(window->powerAxis()->max(), 1.7976931348623157e308);
    QVERIFY(window->speedAxis()->max() >= 1e300);
    // The chart draws it.
    QVERIFY(!window->grab().isNull());
}

void GraphicWindowTest::withoutItsModuleTheNomogramAndPreviewSayWhatIsMissing_data()
{
    QTest::addColumn<bool>("broken");
    QTest::newRow("no file") << false;
    QTest::newRow("a file that is no library") << true;
}

// The module that links Qt Charts and Qt Print Support missing or broken: the
// program runs on, and the nomogram and the print preview name the file.
void GraphicWindowTest::withoutItsModuleTheNomogramAndPreviewSayWhatIsMissing()
{
    QFETCH(bool, broken);
    const QStringList folders = addonFolders();
    const QTemporaryDir empty;
    if (broken) {
        QFile file(QDir(empty.path()).filePath(kAddonsFile));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a library");
    }
    app_->desktop.reset();
    setAddonFolders({ empty.path() });
    app_->desktop = std::make_unique<Desktop>(app_->form);
    app_->desktop->show();
    const auto errorBox = [](const char* unavailable) -> QMessageBox* {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(window);
            if (box && box->isVisible() && box->objectName() == QStringLiteral("AddonsErrorBox")
                && box->text().startsWith(QString::fromUtf8(unavailable)))
                return box;
        }
        return nullptr;
    };
    const QString file = QDir::toNativeSeparators(QDir(empty.path()).filePath(kAddonsFile));

    pressGraphic();
    QVERIFY(graphic()->isVisible());
    QVERIFY(!graphic()->chart());
    QTRY_VERIFY(errorBox("Номограмма недоступна"));
    QVERIFY(errorBox("Номограмма недоступна")->text().contains(file));
    errorBox("Номограмма недоступна")->accept();
    // Pressed again, with a drawing to show, it still only says so.
    pressGraphic();
    QVERIFY(
        graphic()->findChild<QLabel*>(QStringLiteral("ChartNomMissing"))->text().contains(file));

    QAction* preview = app_->desktop->sheetCommands().previewAction();
    QVERIFY(preview->isEnabled());
    preview->trigger();
    QTRY_VERIFY(errorBox("Просмотр и печать недоступны"));
    QVERIFY(errorBox("Просмотр и печать недоступны")->text().contains(file));
    errorBox("Просмотр и печать недоступны")->accept();

    app_->desktop.reset();
    setAddonFolders(folders);
}

QTEST_MAIN(GraphicWindowTest)
#include "GraphicWindowTest.moc"
