// The park's editor over folders of its own: a machine added, given its
// figures and its curve from the datasheet, saved to the user's file and
// listed by TabMach; a faulty figure refused beside its field with the file
// unchanged; a built-in machine deleted recorded as hidden; a shop's machine
// edited saved as the user's override with the shop's file untouched; and the
// park read again as the program does at its next start.
#include "RecordingToolkit.h"
#include "support/ScratchFolder.h"

#include "app/UserFiles.h"
#include "machines/MachinePark.h"
#include "shell/FormMain.h"
#include "ui/Desktop.h"
#include "ui/MainWindow.h"
#include "ui/addons/Addons.h"
#include "ui/windows/MachineEditor.h"

#include <QAction>
#include <QChart>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QXYSeries>
#include <QtTest>

#include <cmath>
#include <memory>
#include <string>

using namespace millcalc;

namespace {

const char kShopPark[] = R"({"format": "millcalc-machines", "version": 1, "machines": [
  {"id": "cell-3", "name": "Обрабатывающий центр №3", "max_rpm": 12000, "min_rpm": 20,
   "max_feed_mm_min": 10000, "power_kw": 19, "torque_nm": 82, "knee_rpm": 2200,
   "curve": [[20, 0.4, 82], [12000, 19, 15]]}]}
)";

QByteArray fileBytes(const QString& path)
{
    return QByteArray::fromStdString(support::readFile(path.toStdString()));
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace

class MachineEditorTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void figuresWrittenWithAPointAndReadWithAComma_data();
    void figuresWrittenWithAPointAndReadWithAComma();
    void addedMachineWithDatasheetCurveIsSavedAndListed();
    void faultyFigureIsRefusedBesideItsField_data();
    void faultyFigureIsRefusedBesideItsField();
    void addedAndCopiedMachinesTakeFreeIds();
    void deletedBuiltInMachineIsRecordedHidden();
    void shopMachineEditedBecomesOverrideAndShopFileStays();
    void unreadUserFileIsKeptBesideTheNewOne();
    void curveEditedRedrawsTheNomogram();
    void escapeClosesWithoutChange();
    void savedMachineIsThereAfterRestart();
    void menuItemOpensTheEditorOnce();

private:
    QString userFile() const
    {
        return QString::fromStdString(dir_->path("config/millcalc/machines.json"));
    }
    QString shopFile() const
    {
        return QString::fromStdString(dir_->path("shop-config/millcalc/machines.json"));
    }
    // The program's start over the folders: the park read, then the form.
    void start();
    std::unique_ptr<MachineEditor> openEditor();
    void type(MachineEditor& editor, const char* key, const QString& text);
    static void click(MachineEditor& editor, const char* name);
    static ParkFile savedFile(const QString& path);
    QStringList listedMachines() const;

    std::unique_ptr<support::ScratchFolder> dir_;
    std::unique_ptr<RecordingToolkit> toolkit_;
    std::unique_ptr<FormMain> form_;
};

void MachineEditorTest::init()
{
    dir_ = std::make_unique<support::ScratchFolder>("machine-editor");
    dir_->exportXdg();
    start();
}

void MachineEditorTest::cleanup()
{
    form_.reset();
    toolkit_.reset();
    dir_.reset();
}

void MachineEditorTest::start()
{
    form_.reset();
    toolkit_ = std::make_unique<RecordingToolkit>();
    form_ = std::make_unique<FormMain>(*toolkit_);
    form_->setMachines(loadMachinePark(userFolders()).machines);
    form_->start();
}

std::unique_ptr<MachineEditor> MachineEditorTest::openEditor()
{
    auto editor = std::make_unique<MachineEditor>(*form_, userFolders());
    editor->show();
    return editor;
}

void MachineEditorTest::type(MachineEditor& editor, const char* key, const QString& text)
{
    auto* field = editor.findChild<QLineEdit*>(QStringLiteral("Edit_") + QString::fromUtf8(key));
    QVERIFY2(field, key);
    // As typed over the whole text (keyClicks takes Latin-1 alone).
    field->selectAll();
    field->del();
    field->insert(text);
}

void MachineEditorTest::click(MachineEditor& editor, const char* name)
{
    auto* button = editor.findChild<QPushButton*>(QString::fromUtf8(name));
    QVERIFY2(button, name);
    button->click();
}

ParkFile MachineEditorTest::savedFile(const QString& path)
{
    ParkRead read = readParkText(fileBytes(path).toStdString(), path.toStdString());
    if (!read.error.empty())
        qWarning("%s", read.error.c_str());
    return read.file;
}

QStringList MachineEditorTest::listedMachines() const
{
    QStringList names;
    for (const std::string& name : form_->store().items("TabMach"))
        names << QString::fromStdString(name);
    return names;
}

void MachineEditorTest::figuresWrittenWithAPointAndReadWithAComma_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("read");
    QTest::addColumn<QString>("written");
    QTest::newRow("comma") << "82,5" << 82.5 << "82.5";
    QTest::newRow("point") << " 0.1 " << 0.1 << "0.1";
    QTest::newRow("whole") << "12000" << 12000.0 << "12000";
    QTest::newRow("leading comma") << ",25" << 0.25 << "0.25";
    QTest::newRow("exponent") << "1,5e3" << 1500.0 << "1500";
    QTest::newRow("empty is none") << "" << 0.0 << "0";
    QTest::newRow("negative") << "-3" << -3.0 << "-3";
    QTest::newRow("a third") << "0.3333333333333333" << 1.0 / 3 << "0.3333333333333333";
    QTest::newRow("tiny") << "1e-7" << 1e-7 << "1e-07";
}

void MachineEditorTest::figuresWrittenWithAPointAndReadWithAComma()
{
    QFETCH(QString, typed);
    QFETCH(double, read);
    QFETCH(QString, written);
    QCOMPARE(readFigure(typed), read);
    QCOMPARE(figureText(read), written);
    // Text that is no number whole reads as no number, which no check passes.
    for (const char* junk : { "12abc", "abc", "1.2.3", "1,2,3", "e5" })
        QVERIFY2(std::isnan(readFigure(QString::fromUtf8(junk))), junk);
    QCOMPARE(figureText(std::nan("")), QString());
}

void MachineEditorTest::addedMachineWithDatasheetCurveIsSavedAndListed()
{
    auto editor = openEditor();
    const int before = static_cast<int>(editor->machines().size());
    click(*editor, "BtnMachineAdd");
    QCOMPARE(static_cast<int>(editor->machines().size()), before + 1);
    QCOMPARE(editor->selectedRow(), before);
    auto* curve = editor->findChild<QTableWidget*>(QStringLiteral("GridCurve"));
    QCOMPARE(curve->rowCount(), 0);
    type(*editor, "name", QStringLiteral("Центр №7"));
    type(*editor, "id", QStringLiteral("cell-7"));
    type(*editor, "max_rpm", QStringLiteral("12000"));
    type(*editor, "min_rpm", QStringLiteral("20"));
    type(*editor, "max_feed_mm_min", QStringLiteral("10000"));
    type(*editor, "power_kw", QStringLiteral("19"));
    type(*editor, "torque_nm", QStringLiteral("82,5"));
    type(*editor, "knee_rpm", QStringLiteral("2200"));
    QCOMPARE(editor->findChild<QListWidget*>(QStringLiteral("ListMachines"))->item(before)->text(),
        QStringLiteral("Центр №7"));
    // A new machine's curve follows its figures from the datasheet.
    QCOMPARE(curve->rowCount(), 20);
    click(*editor, "BtnDatasheet");
    QCOMPARE(curve->rowCount(), 20);
    // The knee's row: full torque, and the power torque · ω gives there.
    QCOMPARE(curve->item(13, 0)->text(), QStringLiteral("2200"));
    QCOMPARE(curve->item(13, 2)->text(), QStringLiteral("82.5"));
    QCOMPARE(curve->item(19, 0)->text(), QStringLiteral("12000"));
    QCOMPARE(curve->item(19, 1)->text(), QStringLiteral("19"));
    // The speeds between are shown to a thousandth, and kept whole.
    const double between = editor->machines()[static_cast<std::size_t>(before)].Curve[1].speedRpm;
    QVERIFY(between != std::round(between * 1000) / 1000);
    QCOMPARE(readFigure(curve->item(1, 0)->text()), std::round(between * 1000) / 1000);
    QVERIFY(!QFile::exists(userFile()));
    QVERIFY(editor->save());
    QCOMPARE(editor->result(), int(QDialog::Accepted));

    const ParkFile saved = savedFile(userFile());
    QCOMPARE(saved.machines.size(), std::size_t(1));
    QVERIFY(saved.hidden.empty());
    const MachineRecord& m = saved.machines.front();
    QCOMPARE(m.Id, std::string("cell-7"));
    QCOMPARE(m.MaxTorque, 82.5);
    QCOMPARE(m.MinSpindleSpeed, 20.0);
    // A curve from the datasheet is written as the figures it comes from.
    QVERIFY(m.CurveFromDatasheet);
    QCOMPARE(m.Curve.size(), std::size_t(20));
    QVERIFY(!fileBytes(userFile()).contains("\"curve\""));
    QCOMPARE(listedMachines().size(), before + 1);
    QCOMPARE(listedMachines().last(), QStringLiteral("Центр №7"));
}

void MachineEditorTest::faultyFigureIsRefusedBesideItsField_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("no speed") << "max_rpm" << "0" << "нужно конечное число больше 0";
    QTest::newRow("no number") << "power_kw" << "19 кВт" << "нужно конечное число больше 0";
    QTest::newRow("no feed") << "max_feed_mm_min" << "" << "нужно конечное число больше 0";
    QTest::newRow("least over greatest") << "min_rpm" << "20000" << "нужно меньше max_rpm";
    QTest::newRow("id of capitals")
        << "id" << "Cell 7" << "допустимы от 1 до 64 знаков из a-z, 0-9, «.», «_» и «-»";
    QTest::newRow("id of another machine") << "id" << "v-star" << "такое обозначение уже есть";
    QTest::newRow("no name") << "name" << "" << "название пусто";
}

void MachineEditorTest::faultyFigureIsRefusedBesideItsField()
{
    QFETCH(QString, key);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    // The user's file as it stood before: one machine hidden.
    const QByteArray before
        = R"({"format": "millcalc-machines", "version": 1, "machines": [{"id": "dmu-125pa", "hidden": true}]})";
    writeBytes(userFile(), before);
    start();
    auto editor = openEditor();
    auto* list = editor->findChild<QListWidget*>(QStringLiteral("ListMachines"));
    list->setCurrentRow(2);
    type(*editor, key.toUtf8().constData(), typed);
    // The faulty machine is not the one shown when "OK" is pressed.
    list->setCurrentRow(0);
    QVERIFY(!editor->save());
    QCOMPARE(editor->result(), int(QDialog::Rejected));
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->selectedRow(), 2);
    auto* fault = editor->findChild<QLabel*>(QStringLiteral("Fault_") + key);
    QVERIFY(fault);
    QVERIFY(fault->isVisible());
    QVERIFY2(fault->text().startsWith(message), qPrintable(fault->text()));
    // No other field is named.
    const QList<QLabel*> labels = editor->findChildren<QLabel*>();
    for (const QLabel* other : labels) {
        if (other != fault && other->objectName().startsWith(QLatin1String("Fault_")))
            QVERIFY2(!other->isVisible(), qPrintable(other->objectName()));
    }
    QCOMPARE(fileBytes(userFile()), before);
    QCOMPARE(listedMachines().size(), 4);
    // Put right, the fault leaves as it is typed, and the park saves.
    type(*editor, key.toUtf8().constData(),
        QString::fromStdString(key == QLatin1String("id") ? "cell-9"
                : key == QLatin1String("name")            ? "Центр"
                : key == QLatin1String("min_rpm")         ? "10"
                                                          : "1000"));
    QVERIFY(!fault->isVisible());
    QVERIFY(editor->save());
    QVERIFY(fileBytes(userFile()) != before);
}

void MachineEditorTest::addedAndCopiedMachinesTakeFreeIds()
{
    auto editor = openEditor();
    click(*editor, "BtnMachineAdd");
    click(*editor, "BtnMachineAdd");
    editor->findChild<QListWidget*>(QStringLiteral("ListMachines"))->setCurrentRow(0);
    click(*editor, "BtnMachineCopy");
    editor->findChild<QListWidget*>(QStringLiteral("ListMachines"))->setCurrentRow(0);
    click(*editor, "BtnMachineCopy");
    QStringList ids;
    for (std::size_t i = 5; i < editor->machines().size(); ++i)
        ids << QString::fromStdString(editor->machines()[i].Id);
    QCOMPARE(ids, QStringList({ "machine", "machine-2", "v-star-copy", "v-star-copy-2" }));
    // Deleting down to one machine is not offered: a park is never empty.
    for (int left = 9; left > 1; --left)
        click(*editor, "BtnMachineDelete");
    QCOMPARE(editor->machines().size(), std::size_t(1));
    QVERIFY(!editor->findChild<QPushButton*>(QStringLiteral("BtnMachineDelete"))->isEnabled());
}

void MachineEditorTest::deletedBuiltInMachineIsRecordedHidden()
{
    auto editor = openEditor();
    editor->findChild<QListWidget*>(QStringLiteral("ListMachines"))->setCurrentRow(2);
    QCOMPARE(editor->machines()[2].Id, std::string("dmf-500l"));
    const QString name = QString::fromStdString(editor->machines()[2].MachineName);
    click(*editor, "BtnMachineDelete");
    QCOMPARE(editor->machines().size(), std::size_t(4));
    QVERIFY(editor->save());
    const ParkFile saved = savedFile(userFile());
    QVERIFY(saved.machines.empty());
    QCOMPARE(saved.hidden, std::vector<std::string> { "dmf-500l" });
    QCOMPARE(listedMachines().size(), 4);
    QVERIFY(!listedMachines().contains(name));
}

void MachineEditorTest::shopMachineEditedBecomesOverrideAndShopFileStays()
{
    writeBytes(shopFile(), kShopPark);
    start();
    QCOMPARE(listedMachines(), QStringList { QStringLiteral("Обрабатывающий центр №3") });
    auto editor = openEditor();
    type(*editor, "power_kw", QStringLiteral("22,5"));
    click(*editor, "BtnMachineCopy");
    QCOMPARE(editor->selectedRow(), 1);
    auto* curve = editor->findChild<QTableWidget*>(QStringLiteral("GridCurve"));
    QCOMPARE(curve->rowCount(), 2);
    // A knee over the greatest speed builds no curve, and says why.
    type(*editor, "knee_rpm", QStringLiteral("13000"));
    click(*editor, "BtnDatasheet");
    QCOMPARE(curve->rowCount(), 2);
    QVERIFY(editor->findChild<QLabel*>(QStringLiteral("Fault_knee_rpm"))->isVisible());
    type(*editor, "knee_rpm", QStringLiteral("2200"));
    click(*editor, "BtnDatasheet");
    QCOMPARE(curve->rowCount(), 20);
    QVERIFY(!editor->findChild<QLabel*>(QStringLiteral("Fault_knee_rpm"))->isVisible());
    QVERIFY(editor->save());
    QCOMPARE(fileBytes(shopFile()), QByteArray(kShopPark));
    const ParkFile saved = savedFile(userFile());
    QCOMPARE(saved.machines.size(), std::size_t(2));
    QCOMPARE(saved.machines[0].Id, std::string("cell-3"));
    QCOMPARE(saved.machines[0].MaxPower, 22.5);
    // The curve stated in the shop's file goes with the override as it was.
    QCOMPARE(saved.machines[0].Curve.size(), std::size_t(2));
    QCOMPARE(saved.machines[1].Id, std::string("cell-3-copy"));
    QCOMPARE(saved.machines[1].MachineName, std::string("Обрабатывающий центр №3 (копия)"));
    QVERIFY(saved.machines[1].CurveFromDatasheet);
    QCOMPARE(saved.machines[1].MaxPower, 22.5);
    QCOMPARE(listedMachines().size(), 2);
    QCOMPARE(machinesOf(*form_)[0].MaxPower, 22.5);
}

void MachineEditorTest::unreadUserFileIsKeptBesideTheNewOne()
{
    const QByteArray bad = R"({"format": "millcalc-machines", "version": 1, "machines": [
  {"id": "cell-3", "name": "Ц3", "max_rpm": 0, "max_feed_mm_min": 1, "power_kw": 1,
   "torque_nm": 1, "knee_rpm": 1}]})";
    writeBytes(userFile(), bad);
    start();
    auto editor = openEditor();
    const QString note = editor->findChild<QLabel*>(QStringLiteral("LabelParkFile"))->text();
    QVERIFY2(note.contains(userFile() + QStringLiteral(", станок «cell-3», поле max_rpm")),
        qPrintable(note));
    // Nothing changed: the file is left as it is, for the user to mend.
    QVERIFY(editor->save());
    QCOMPARE(fileBytes(userFile()), bad);
    QVERIFY(!QFile::exists(userFile() + QStringLiteral(".bak")));
    editor = openEditor();
    click(*editor, "BtnMachineDelete");
    QVERIFY(editor->save());
    QCOMPARE(fileBytes(userFile() + QStringLiteral(".bak")), bad);
    QCOMPARE(savedFile(userFile()).hidden, std::vector<std::string> { "v-star" });
}

void MachineEditorTest::curveEditedRedrawsTheNomogram()
{
    auto editor = openEditor();
    if (!editor->chart())
        QSKIP("the module with the chart is not built");
    QXYSeries* power = editor->chart()->series(0);
    const qsizetype points = power->count();
    QVERIFY(points >= 2);
    // The curves alone in the legend: no operating point, whose entries
    // would leave the curves' names elided in the editor's narrower chart.
    QStringList shown;
    for (const QLegendMarker* marker : editor->chart()->chart()->legend()->markers())
        if (marker->isVisible())
            shown << marker->label();
    QCOMPARE(shown,
        (QStringList { QStringLiteral("Кривая Мощности"), QStringLiteral("Кривая Момента") }));
    auto* curve = editor->findChild<QTableWidget*>(QStringLiteral("GridCurve"));
    curve->item(1, 1)->setText(QStringLiteral("7,25"));
    QCOMPARE(power->at(1).y(), 7.25);
    QCOMPARE(editor->machines()[0].Curve[1].powerKw, 7.25);
    QVERIFY(!editor->machines()[0].CurveFromDatasheet);
    curve->setCurrentCell(1, 0);
    click(*editor, "BtnCurveRemove");
    QCOMPARE(power->count(), points - 1);
    click(*editor, "BtnCurveAdd");
    QCOMPARE(curve->rowCount(), static_cast<int>(points));
    // A point typed as no number is left out of the drawing, not drawn at 0.
    curve->item(0, 1)->setText(QStringLiteral("x"));
    QCOMPARE(power->count(), points - 1);
}

void MachineEditorTest::escapeClosesWithoutChange()
{
    const MachineTable park = machinesOf(*form_);
    auto editor = openEditor();
    type(*editor, "power_kw", QStringLiteral("99"));
    click(*editor, "BtnMachineDelete");
    QTest::keyClick(editor.get(), Qt::Key_Escape);
    QVERIFY(!editor->isVisible());
    QCOMPARE(editor->result(), int(QDialog::Rejected));
    QVERIFY(!QFile::exists(userFile()));
    QVERIFY(machinesOf(*form_) == park);
}

void MachineEditorTest::savedMachineIsThereAfterRestart()
{
    {
        auto editor = openEditor();
        click(*editor, "BtnMachineAdd");
        type(*editor, "name", QStringLiteral("Станок после перезапуска"));
        type(*editor, "max_rpm", QStringLiteral("8000"));
        type(*editor, "max_feed_mm_min", QStringLiteral("6000"));
        type(*editor, "power_kw", QStringLiteral("11"));
        type(*editor, "torque_nm", QStringLiteral("70"));
        type(*editor, "knee_rpm", QStringLiteral("1500"));
        click(*editor, "BtnDatasheet");
        QVERIFY(editor->save());
    }
    start();
    QCOMPARE(listedMachines().last(), QStringLiteral("Станок после перезапуска"));
    auto editor = openEditor();
    QCOMPARE(editor->machines().size(), std::size_t(6));
    QCOMPARE(editor->machines().back().MaxSpindleSpeed, 8000.0);
    // Saved again unchanged, the file stays as it was.
    const QByteArray saved = fileBytes(userFile());
    QVERIFY(editor->save());
    QCOMPARE(fileBytes(userFile()), saved);
}

void MachineEditorTest::menuItemOpensTheEditorOnce()
{
    Desktop desktop(*form_);
    desktop.show();
    auto* item = desktop.mainWindow().findChild<QAction*>(QStringLiteral("NMachines"));
    QVERIFY(item);
    QCOMPARE(item->text(), QStringLiteral("&Станки..."));
    item->trigger();
    QCOMPARE(toolkit_->modals, std::vector<std::string> { MachineEditor::kWindowName });
    MachineEditor* editor = openMachineEditor(*form_, &desktop.mainWindow());
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->windowModality(), Qt::WindowModal);
    QCOMPARE(openMachineEditor(*form_, &desktop.mainWindow()), editor);
    QPointer<MachineEditor> closed(editor);
    QTest::keyClick(editor, Qt::Key_Escape);
    QTRY_VERIFY(!closed);
}

QTEST_MAIN(MachineEditorTest)
#include "MachineEditorTest.moc"
