// The Walter pages and the material panel in the desktop program: the step
// buttons, the switching formula pictures, the copy-back pictures and the
// catalogue reach the window logic from the real widgets and show what it wrote.
#include "DesktopHarness.h"
#include "RecordingToolkit.h"

#include "ui/MainWindow.h"
#include "ui/pictures/PictureLabel.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>

#include <memory>

using namespace millcalc;

namespace {

QString qs(const std::string& text)
{
    return QString::fromStdString(text);
}

QColor textColour(const QWidget* widget)
{
    return widget->palette().color(QPalette::Text);
}

// Clicks a check box or radio button on its indicator: the widget may be wider
// than its caption, and a click beyond the caption is no click.
void clickIndicator(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

void clickCell(QTableWidget* table, int row, int column)
{
    const QRect cell = table->visualItemRect(table->item(row, column));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
}

constexpr const char* kWalterResults[] = { "EditStn", "EditStVc", "EditStVf", "EditStfz", "EditStQ",
    "EditaeDc", "EditSthm2", "EditStKc", "EditStP", "EditStPn", "EditStM" };

struct GroupLook {
    const char* button;
    const char* caption;
    QColor captionColour;
    QColor gridColour;
};

const GroupLook kGroups[] = {
    { "RadioButton1", "Сталь (P)", QColor(0, 0, 128), QColor(0, 0, 255) },
    { "RadioButton2", "Нержавеющая сталь (M)", QColor(255, 0, 255), QColor(128, 0, 128) },
    { "RadioButton3", "Литейный чугун (K)", QColor(255, 0, 0), QColor(255, 0, 0) },
    { "RadioButton4", "Цветные металлы (N)", QColor(0, 128, 0), QColor(0, 128, 0) },
    { "RadioButton5", "Жаропрочные сплавы и титановые сплавы (S)", QColor(128, 128, 0),
        QColor(128, 128, 0) },
};

} // namespace

class WalterDesktopTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void fullRunShowsTheWorkedExampleInItsColours();
    void stepButtonsRunTheirStepsFromTheResultsWindow();
    void contactPickSwitchesTheContactPicture();
    void approximateModeSwitchesTheChipPictureAndLocksTheAngle();
    void copyBackPicturesShowAHandAndCopyTheirResult();
    void materialGroupsShowInTheirColours();
    void clickedRowIsDescribedAndTransferredAndThePanelCloses();
    void refillingTheGridKeepsTheSelectedRowForTheTransfer();

private:
    template <typename T> T* find(const char* name) const { return app_->find<T>(name); }
    void openMaterialPanel();

    std::unique_ptr<RecordingToolkit> toolkit_;
    std::unique_ptr<DesktopHarness> app_;
};

void WalterDesktopTest::init()
{
    toolkit_ = std::make_unique<RecordingToolkit>();
    app_ = std::make_unique<DesktopHarness>(*toolkit_);
}

void WalterDesktopTest::cleanup()
{
    app_.reset();
    toolkit_.reset();
}

void WalterDesktopTest::openMaterialPanel()
{
    find<QAction>("N19")->trigger(); // "Панель: Материалы" of the context menu
    QVERIFY(app_->window("PanelStMaterial")->isVisible());
}

void WalterDesktopTest::fullRunShowsTheWorkedExampleInItsColours()
{
    QTest::mouseClick(find<QPushButton>("BitCalcs"), Qt::LeftButton);
    const struct {
        const char* name;
        const char* text;
        QColor colour;
    } shown[] = {
        { "EditStn", "13496.339", QColor(0, 128, 0) },
        { "EditStVf", "4048.90", QColor(0, 128, 0) },
        { "EditStQ", "303.66750", QColor(0, 0, 0) },
        { "EditSthm2", "0.09941961", QColor(0, 0, 0) },
        { "EditStKc", "1221.97567", QColor(0, 0, 0) },
        { "EditStP", "8.83510", QColor(0, 128, 0) },
        { "EditStPn", "40.00000", QColor(255, 0, 0) },
        { "EditStM", "28.30189", QColor(0, 128, 0) },
    };
    for (const auto& field : shown) {
        const QLineEdit* edit = find<QLineEdit>(field.name);
        QCOMPARE(edit->text(), QString::fromUtf8(field.text));
        QVERIFY2(textColour(edit) == field.colour, field.name);
        QVERIFY2(edit->isVisible(), field.name);
    }
}

void WalterDesktopTest::stepButtonsRunTheirStepsFromTheResultsWindow()
{
    // The same gestures on a window logic without widgets give the texts and
    // colours each step must show.
    RecordingToolkit twinToolkit;
    FormMain twin(twinToolkit);
    twin.start();
    QTest::mouseClick(find<QPushButton>("BitCalcs"), Qt::LeftButton);
    twin.click("BitCalcs");
    QWidget* results = app_->window("PanelCalc");
    QVERIFY(results->isVisible());

    const struct {
        const char* typedInto; // an editable result the user overwrites first
        const char* text;
        const char* button;
        const char* result; // the field the step must change
    } steps[] = {
        { "EditStn", "10000", "BitBtnSt1", "EditStVc" },
        { "EditStVf", "2000", "BitBtnSt4", "EditStfz" },
        { nullptr, nullptr, "BitBtnSt2", "EditStQ" },
        { nullptr, nullptr, "BitBtnSt3", "EditSthm2" },
        { nullptr, nullptr, "BitBtnSt5", "EditStP" },
    };
    for (const auto& step : steps) {
        if (step.typedInto) {
            auto* edit = find<QLineEdit>(step.typedInto);
            edit->selectAll();
            QTest::keyClicks(edit, QString::fromUtf8(step.text));
            twin.typeText(step.typedInto, step.text);
        }
        const QString before = find<QLineEdit>(step.result)->text();
        QTest::mouseClick(find<QPushButton>(step.button), Qt::LeftButton);
        twin.click(step.button);
        QVERIFY2(find<QLineEdit>(step.result)->text() != before, step.button);
        for (const char* name : kWalterResults) {
            const QLineEdit* edit = find<QLineEdit>(name);
            const QString where = QStringLiteral("%1 after %2").arg(name, step.button);
            QVERIFY2(edit->text() == qs(twin.store().text(name)), qPrintable(where));
            QVERIFY2(textColour(edit).rgb() == (0xff000000 | twin.store().colour(name)),
                qPrintable(where));
        }
    }
    QCOMPARE(toolkit_->boxes, twinToolkit.boxes);
    QCOMPARE(app_->store().items("ElFlatMemoMes"), twin.store().items("ElFlatMemoMes"));
}

void WalterDesktopTest::contactPickSwitchesTheContactPicture()
{
    if (PictureLabel::pictureFile(QStringLiteral("Imagevs"), 1).isEmpty())
        QSKIP("the pictures are not built into this test");
    auto* contact = find<QComboBox>("ComboBoxStContact");
    auto* picture = find<PictureLabel>("Imagevs");
    QVERIFY(picture->isVisible());
    const QImage central = drawnWhole(picture);

    pickWithKeys(contact, 1);
    QCOMPARE(contact->currentText(), QStringLiteral("Смещение от центра"));
    QCOMPARE(app_->store().index("ComboBoxStContact"), 1);
    QCOMPARE(picture->source(), QStringLiteral(":/pictures/Imagevs_1.svg"));
    QVERIFY(drawnWhole(picture) != central);

    pickWithKeys(contact, 0);
    QCOMPARE(picture->source(), QStringLiteral(":/pictures/Imagevs_0.svg"));
    QCOMPARE(drawnWhole(picture), central);
}

void WalterDesktopTest::approximateModeSwitchesTheChipPictureAndLocksTheAngle()
{
    find<QAction>("N14")->trigger(); // "Выполнить Расчет" shows the results window
    auto* approximate = find<QCheckBox>("CheckBoxhm2");
    auto* angle = find<QLineEdit>("EditStk");
    auto* picture = find<PictureLabel>("Imagehm");
    QVERIFY(approximate->isVisible());
    QCOMPARE(approximate->text(), QStringLiteral("Приближенный расчет (ae/Dc<30%)"));
    QVERIFY(angle->isEnabled());
    const QImage exact = drawnWhole(picture);

    clickIndicator(approximate);
    QVERIFY(app_->store().checked("CheckBoxhm2"));
    QVERIFY(approximate->isChecked());
    QVERIFY(!angle->isEnabled());
    QCOMPARE(picture->pictureIndex(), 1);
    if (!picture->source().isEmpty())
        QVERIFY(drawnWhole(picture) != exact);

    clickIndicator(approximate);
    QVERIFY(!app_->store().checked("CheckBoxhm2"));
    QVERIFY(angle->isEnabled());
    QCOMPARE(picture->pictureIndex(), 0);
}

void WalterDesktopTest::copyBackPicturesShowAHandAndCopyTheirResult()
{
    find<QAction>("N14")->trigger();
    QWidget& main = app_->desktop->mainWindow();
    QWidget* focused = main.focusWidget();
    const struct {
        const char* picture;
        const char* from;
        const char* to;
    } copies[] = { { "Image9", "EditStVc", "BaseVc" }, { "Image10", "EditStfz", "Basefz" } };
    for (const auto& copy : copies) {
        auto* picture = find<PictureLabel>(copy.picture);
        QCOMPARE(picture->cursor().shape(), Qt::PointingHandCursor);
        auto* target = find<QLineEdit>(copy.to);
        const QString result = find<QLineEdit>(copy.from)->text();
        QVERIFY2(target->text() != result, copy.to); // "1060.0" against "1060.000"
        QTest::mouseClick(picture, Qt::LeftButton);
        QCOMPARE(target->text(), result);
        QCOMPARE(target->selectedText(), result);
        QCOMPARE(qs(app_->store().text(copy.to)), result);
        // The copy selects the text where it lands but leaves the focus alone.
        QCOMPARE(main.focusWidget(), focused);
    }
    // A picture without a command shows no hand.
    QVERIFY(find<PictureLabel>("Imagehm")->cursor().shape() != Qt::PointingHandCursor);
}

void WalterDesktopTest::materialGroupsShowInTheirColours()
{
    openMaterialPanel();
    auto* table = find<QTableWidget>("StringGridTab");
    const char* headings[] = { "Материал", "Rm (H/(mm*mm)", "kc1.1 (H/(mm*mm)", "Mc" };
    for (int column = 0; column < 4; ++column)
        QCOMPARE(table->horizontalHeaderItem(column)->text(), QString::fromUtf8(headings[column]));
    QCOMPARE(table->columnWidth(0), 379);

    for (const GroupLook& group : kGroups) {
        auto* button = find<QRadioButton>(group.button);
        QCOMPARE(button->text(), QString::fromUtf8(group.caption));
        QVERIFY2(
            button->palette().color(QPalette::WindowText) == group.captionColour, group.button);
    }
    // Group N is shown from the start; every other group replaces it.
    for (const int i : { 0, 1, 2, 4, 3 }) {
        const GroupLook& group = kGroups[i];
        clickIndicator(find<QRadioButton>(group.button));
        QVERIFY2(app_->store().checked(group.button), group.button);
        for (const GroupLook& other : kGroups)
            QCOMPARE(find<QRadioButton>(other.button)->isChecked(), &other == &group);
        compareGridWithStore(table, app_->store());
        for (int row = 0; row < table->rowCount(); ++row) {
            const QTableWidgetItem* material = table->item(row, 0);
            if (!material->text().isEmpty())
                QVERIFY2(material->foreground().color() == group.gridColour, group.button);
        }
        QCOMPARE(find<QLabel>("StaticTextMaterial")->text(), table->item(0, 0)->text());
    }
}

void WalterDesktopTest::clickedRowIsDescribedAndTransferredAndThePanelCloses()
{
    openMaterialPanel();
    clickIndicator(find<QRadioButton>("RadioButton1"));
    auto* table = find<QTableWidget>("StringGridTab");
    auto* description = find<QLabel>("StaticTextMaterial");

    clickCell(table, 2, 1); // row 3, in the Rm column
    QCOMPARE(description->text(), table->item(2, 0)->text());
    QVERIFY(!description->text().isEmpty());
    clickCell(table, 7, 3); // a row that group P leaves empty
    QCOMPARE(description->text(), QString());

    clickCell(table, 4, 0); // row 5
    QTest::mouseClick(find<QPushButton>("BitBtnStMaterialOut"), Qt::LeftButton);
    QCOMPARE(find<QLineEdit>("EditStKc11")->text(), QStringLiteral("1900"));
    QCOMPARE(find<QLineEdit>("EditStMc")->text(), QStringLiteral("0.24"));
    QCOMPARE(find<QLabel>("StaticTextStMaterial")->text(), QStringLiteral("Сталь (P)"));
    QVERIFY(!app_->window("PanelStMaterial")->isVisible());
    QVERIFY(!app_->store().visible("PanelStMaterial"));
}

void WalterDesktopTest::refillingTheGridKeepsTheSelectedRowForTheTransfer()
{
    openMaterialPanel();
    clickIndicator(find<QRadioButton>("RadioButton1"));
    auto* table = find<QTableWidget>("StringGridTab");
    clickCell(table, 5, 2); // row 6 of group P
    clickIndicator(find<QRadioButton>("RadioButton4"));
    // The new group is described from its first row, but the grid's current
    // row stays where the user left it, empty in group N.
    QCOMPARE(find<QLabel>("StaticTextMaterial")->text(), table->item(0, 0)->text());
    QCOMPARE(table->currentRow(), 5);
    QTest::mouseClick(find<QPushButton>("BitBtnStMaterialOut"), Qt::LeftButton);
    QCOMPARE(find<QLineEdit>("EditStKc11")->text(), QString());
    QCOMPARE(find<QLineEdit>("EditStMc")->text(), QString());
    QCOMPARE(find<QLabel>("StaticTextStMaterial")->text(), QStringLiteral("Цветные металлы (N)"));
}

QTEST_MAIN(WalterDesktopTest)
#include "WalterDesktopTest.moc"
