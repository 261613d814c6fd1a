// The aluminium pages in the desktop program: the accepted-speed list, the
// formula and temperature panels and the spindle-load table, driven through the
// real widgets and compared with what the window logic holds.
#include "DesktopHarness.h"
#include "RecordingToolkit.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

#include <memory>

using namespace millcalc;

namespace {

constexpr const char* kSpeedDependents[]
    = { "Editn", "EditF", "EditTm", "EditPz", "EditMz", "EditNp" };

QString qs(const std::string& text)
{
    return QString::fromStdString(text);
}

QRgb textColour(const QWidget* widget)
{
    return widget->palette().color(QPalette::Text).rgb();
}

QRgb storeColour(const FieldStore& store, const char* name)
{
    return 0xff000000 | store.colour(name);
}

} // namespace

class AluminiumDesktopTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void fullRunShowsTheWorkedExample();
    void pickOfAnotherSpeedRerunsTheDependentSteps();
    void formulaPanelOpensAndItsStepButtonsRun();
    void temperaturePanelShowsTheTableAndTheLookUp();
    void loadTableIsShownOnlyForTheFirstTwoMachines();

private:
    template <typename T> T* find(const char* name) const { return app_->find<T>(name); }

    std::unique_ptr<RecordingToolkit> toolkit_;
    std::unique_ptr<DesktopHarness> app_;
};

void AluminiumDesktopTest::init()
{
    toolkit_ = std::make_unique<RecordingToolkit>();
    app_ = std::make_unique<DesktopHarness>(*toolkit_);
    QTabBar* tabs = find<QTabWidget>("PageControlParam")->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    QCOMPARE(app_->store().index("PageControlMethods"), 1);
    QTest::mouseClick(find<QPushButton>("BitCalcs"), Qt::LeftButton);
    QVERIFY(app_->window("PanelCalc")->isVisible());
}

void AluminiumDesktopTest::cleanup()
{
    app_.reset();
    toolkit_.reset();
}

void AluminiumDesktopTest::fullRunShowsTheWorkedExample()
{
    auto* speed = find<QComboBox>("EditV");
    QVERIFY(!speed->isEditable()); // candidates only, no free text
    QCOMPARE(speed->count(), 3);
    QCOMPARE(speed->itemText(0), QStringLiteral("751.968"));
    QCOMPARE(speed->itemText(1), QStringLiteral("2296.103"));
    QCOMPARE(speed->itemText(2), QStringLiteral("751.968"));
    QCOMPARE(speed->currentIndex(), 0);
    QCOMPARE(find<QLineEdit>("EditSz")->text(), QStringLiteral("0.123"));
    QCOMPARE(find<QLineEdit>("EditV1")->text(), QStringLiteral("2296.103"));
    QCOMPARE(find<QLineEdit>("EditV2")->text(), QStringLiteral("751.968"));
    QCOMPARE(find<QLineEdit>("Editn")->text(), QStringLiteral("9574.354"));
    QCOMPARE(find<QLineEdit>("EditF")->text(), QStringLiteral("3532.937"));
    QCOMPARE(find<QLineEdit>("EditTm")->text(), QStringLiteral("108"));
    QCOMPARE(textColour(find<QLineEdit>("EditTm")), qRgb(0, 0, 255));
    QCOMPARE(textColour(find<QLineEdit>("Editn")), qRgb(0, 128, 0));
}

void AluminiumDesktopTest::pickOfAnotherSpeedRerunsTheDependentSteps()
{
    RecordingToolkit twinToolkit;
    FormMain twin(twinToolkit);
    twin.start();
    twin.pick("PageControlParam", 1);
    twin.click("BitCalcs");
    twin.pick("EditV", 1);

    auto* speed = find<QComboBox>("EditV");
    const QString spindleBefore = find<QLineEdit>("Editn")->text();
    pickWithKeys(speed, 1); // the user's pick of 2296.103
    QCOMPARE(speed->currentText(), QStringLiteral("2296.103"));
    QCOMPARE(app_->store().text("EditV"), std::string("2296.103"));
    QVERIFY(find<QLineEdit>("Editn")->text() != spindleBefore);
    for (const char* name : kSpeedDependents) {
        const QLineEdit* edit = find<QLineEdit>(name);
        QVERIFY2(edit->text() == qs(twin.store().text(name)), name);
        QVERIFY2(textColour(edit) == storeColour(twin.store(), name), name);
    }
    // The pick changes which candidate is shown, not the list.
    QCOMPARE(speed->count(), 3);
    QCOMPARE(speed->itemText(0), QStringLiteral("751.968"));
    compareGridWithStore(find<QTableWidget>("StringGridP"), twin.store());
    QCOMPARE(app_->store().items("ElFlatMemoMes"), twin.store().items("ElFlatMemoMes"));
}

void AluminiumDesktopTest::formulaPanelOpensAndItsStepButtonsRun()
{
    auto* open = find<QPushButton>("BitBtnPanelAl");
    QCOMPARE(open->text(), QStringLiteral("Показать формулы"));
    QCOMPARE(open->toolTip(), QStringLiteral("Расчетные формулы"));
    QWidget* panel = app_->window("PanelFormulaAl");
    QVERIFY(!panel->isVisible());
    QTest::mouseClick(open, Qt::LeftButton);
    QVERIFY(panel->isVisible());
    QCOMPARE(panel->windowTitle(), QStringLiteral("Панель: Формулы расчета для сплавов Al"));
    for (const char* name : { "EditTkoef1", "EditTKs", "EditTkoef2", "EditTsm1", "EditTsm2" })
        QCOMPARE(find<QLineEdit>(name)->text(), qs(app_->store().text(name)));

    // A coefficient typed as 0 is written back by the V1 step of the panel,
    // which then offers its speed as one more candidate.
    auto* k2 = find<QLineEdit>("EditTkoef2");
    k2->selectAll();
    QTest::keyClicks(k2, QStringLiteral("0"));
    QCOMPARE(app_->store().text("EditTkoef2"), std::string("0"));
    QTest::mouseClick(find<QPushButton>("BitBtn2V1"), Qt::LeftButton);
    QCOMPARE(k2->text(), QStringLiteral("1097.00"));
    QCOMPARE(panel->focusWidget(), k2);
    QCOMPARE(k2->selectedText(), QStringLiteral("1097.00"));
    QCOMPARE(find<QComboBox>("EditV")->count(), 4);
    QCOMPARE(find<QComboBox>("EditV")->itemText(3), find<QLineEdit>("EditV1")->text());
}

void AluminiumDesktopTest::temperaturePanelShowsTheTableAndTheLookUp()
{
    QWidget* panel = app_->window("PanelTemp");
    QVERIFY(!panel->isVisible());
    auto* open = find<QPushButton>("BitBtnAlTm1");
    QCOMPARE(open->text(), QStringLiteral(">>"));
    QTest::mouseClick(open, Qt::LeftButton);
    QVERIFY(panel->isVisible());
    QCOMPARE(panel->windowTitle(), QStringLiteral("Температура Материала"));

    auto* table = find<QTableWidget>("StringGridT");
    compareGridWithStore(table, app_->store());
    QCOMPARE(table->columnCount(), 8);
    QCOMPARE(table->rowCount(), 9);
    QCOMPARE(table->horizontalHeaderItem(0)->text(), QStringLiteral("500"));
    QCOMPARE(table->horizontalHeaderItem(7)->text(), QStringLiteral("4000"));
    QCOMPARE(table->verticalHeaderItem(5)->text(), QStringLiteral("7200"));
    QCOMPARE(table->verticalHeaderItem(6)->text(), QStringLiteral("9600"));
    QCOMPARE(table->item(1, 0)->text(), QStringLiteral("108"));

    QStringList captions;
    for (const QLabel* label : panel->findChildren<QLabel*>())
        captions << label->text();
    QVERIFY(captions.contains(QStringLiteral("Скорость резания, м/мин")));
    QVERIFY(captions.contains(QStringLiteral("Подача (мм/мин)")));
    QCOMPARE(find<QLabel>("StaticText1")->text(),
        QStringLiteral("Зависимость температуры поверхности детали\n"
                       "(в градусах Цельсия) от скорости резания и подачи."));
    QCOMPARE(find<QLineEdit>("EditTm")->text(), QStringLiteral("108"));
}

void AluminiumDesktopTest::loadTableIsShownOnlyForTheFirstTwoMachines()
{
    auto* load = find<QGroupBox>("PanelForestP");
    auto* table = find<QTableWidget>("StringGridP");
    QVERIFY(load->isVisible());
    QCOMPARE(load->title(), QStringLiteral("Допустимая силовая нагрузка [P], кН"));
    QCOMPARE(table->horizontalHeaderItem(0)->text(), QStringLiteral(" n (об/мин)"));
    QCOMPARE(table->horizontalHeaderItem(1)->text(), QStringLiteral(" P (кН)"));
    QCOMPARE(table->item(2, 0)->text(), QStringLiteral("n=9574"));
    compareGridWithStore(table, app_->store());

    auto* machine = find<QComboBox>("TabMach");
    auto* force = find<QPushButton>("BitBtnAlPz1");
    pickWithKeys(machine, 2);
    QTest::mouseClick(force, Qt::LeftButton);
    QVERIFY(!app_->store().visible("PanelForestP"));
    QVERIFY(!load->isVisible());

    pickWithKeys(machine, 1);
    QTest::mouseClick(force, Qt::LeftButton);
    QVERIFY(load->isVisible());
    compareGridWithStore(table, app_->store());
}

QTEST_MAIN(AluminiumDesktopTest)
#include "AluminiumDesktopTest.moc"
