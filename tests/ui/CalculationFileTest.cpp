// A calculation kept in a file from the desktop program: saved and opened
// again with the same inputs and results, a bad file refused with its box and
// nothing changed, a save into a read-only folder, the title and the question
// before closing; the window's arrangement restored only where it fits; text
// set through the accessibility interface reaching the store.
#include "BoxWatch.h"
#include "DesktopHarness.h"
#include "OrdinaryUser.h"
#include "RecordingToolkit.h"

#include "shell/file/CalculationFile.h"
#include "ui/CalculationCommands.h"
#include "ui/MainWindow.h"
#include "ui/WindowMemory.h"
#include "ui/bind/PaletteColours.h"
#include "ui/windows/IdleBuild.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleEditableTextInterface>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QDockWidget>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QRegularExpression>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <memory>

using namespace millcalc;

namespace {

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

} // namespace

class CalculationFileTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void savedCalculationOpensWithItsInputsAndResults();
    void titleNamesTheFileAndMarksChanges();
    void badFileBringsTheBoxAndChangesNothing_data();
    void badFileBringsTheBoxAndChangesNothing();
    void failedSaveKeepsTheOldFileAndLeavesNoTemporaryOne();
    void closingAsksOnlyForAFileWithChanges();
    void newCalculationAsksFirstThenForgetsTheFile();
    void savedFileEndsWithTheResultsACalculationAloneChangesNothing();
    void droppedFileOpens();
    void recentFilesAndFolderAreKept();
    void arrangementFitsOnlyWithinTheScreen_data();
    void arrangementFitsOnlyWithinTheScreen();
    void arrangementSavedOnALargerScreenIsNotRestored();
    void panelsLeftOpenComeBackComputed();
    void unreadableSettingsAreIgnored();
    void whatTheStylePaintsIsKeptAndDrawnAgainOnceUp();
    void resetArrangementBringsTheDocksBack();
    void accessibleTextReachesTheStore();

private:
    CalculationCommands& commands() { return app_->desktop->calculationCommands(); }

    RecordingToolkit toolkit_;
    std::unique_ptr<DesktopHarness> app_;
    QTemporaryDir dir_;
};

void CalculationFileTest::init()
{
    toolkit_ = RecordingToolkit();
    app_ = std::make_unique<DesktopHarness>(toolkit_);
}

void CalculationFileTest::cleanup()
{
    app_.reset();
}

void CalculationFileTest::savedCalculationOpensWithItsInputsAndResults()
{
    FormMain& form = app_->form;
    form.pick("TabMach", 2);
    form.pick("PageControlMethods", 2);
    form.pick("ComboBoxTiMaterial", 1);
    form.pick("RadioGroupTiCoolnt", 1);
    form.typeText("BaseTiD", "32");
    form.typeText("EditTiPxcoeff", "4000");
    form.click("BitCalcs");
    const QString path = dir_.filePath(QStringLiteral("титан.millcalc"));
    QVERIFY(commands().saveTo(path));
    const std::string body = calculationBody(app_->form);
    const std::string speed = app_->store().text("EditTin");

    // A fresh program opens it: the same inputs, and the method's results.
    RecordingToolkit otherToolkit;
    DesktopHarness other(otherToolkit);
    QVERIFY(other.desktop->calculationCommands().openFile(path));
    QCOMPARE(calculationBody(other.form), body);
    QCOMPARE(other.store().text("EditTin"), speed);
    QCOMPARE(other.find<QComboBox>("BaseTiD")->currentText(), QStringLiteral("32"));
    QCOMPARE(other.find<QLineEdit>("EditTiPxcoeff")->text(), QStringLiteral("4000"));
    QCOMPARE(other.store().index("PageControlParam"), 2);
    QCOMPARE(
        other.desktop->calculationCommands().currentFile(), QFileInfo(path).absoluteFilePath());
    QVERIFY(!other.desktop->calculationCommands().isModified());
}

void CalculationFileTest::titleNamesTheFileAndMarksChanges()
{
    QMainWindow& main = app_->desktop->mainWindow();
    const QString before = main.windowTitle();
    QVERIFY(before.startsWith(QStringLiteral("Расчет режимов резания: ")));
    const QString path = dir_.filePath(QStringLiteral("деталь.millcalc"));
    QVERIFY(commands().saveTo(path));
    const QString machine = QString::fromStdString(app_->store().text("TabMach"));
    QCOMPARE(main.windowTitle(),
        QStringLiteral("Расчет режимов резания: %1 — деталь.millcalc[*]").arg(machine));
    QVERIFY(!main.isWindowModified());

    app_->find<QLineEdit>("BaseB")->setText(QStringLiteral("12"));
    QTRY_VERIFY(main.isWindowModified());
    QVERIFY(commands().isModified());
    // Back to what the file holds: no longer changed.
    app_->form.typeText("BaseB", "15.0");
    QTRY_VERIFY(!main.isWindowModified());

    // Another machine: the title follows it and keeps the file.
    app_->form.pick("TabMach", 1);
    const QString other = QString::fromStdString(app_->store().text("TabMach"));
    QCOMPARE(main.windowTitle(),
        QStringLiteral("Расчет режимов резания: %1 — деталь.millcalc[*]").arg(other));
    QTRY_VERIFY(main.isWindowModified());

    // Opened again, its calculation writes inputs back in its own form
    // ("90.0" as "90.00000"): they are still the file's, and closing asks
    // nothing.
    QVERIFY(commands().openFile(path));
    QVERIFY(app_->store().text("EditStk") != "90.0");
    QVERIFY(!main.isWindowModified());
    QVERIFY(!commands().isModified());
    QCoreApplication::processEvents();
    QVERIFY(!main.isWindowModified());
}

void CalculationFileTest::badFileBringsTheBoxAndChangesNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("where"); // in the box's text
    QByteArray binary("pick TabMach 1\n", 15);
    binary.append(QByteArray::fromHex("00ff10897f"));
    QTest::newRow("binary") << binary << QStringLiteral("Строка 2: двоичный файл");
    QTest::newRow("truncated") << QByteArray("# millcalc 1.0\npick TabMach 1\nset BaseD 40\n")
                               << QStringLiteral("Строка 3: файл оборван");
    QTest::newRow("unknown field") << QByteArray("set BaseQ 1\npick PageControlMethods 0\n")
                                   << QStringLiteral("Строка 1: неизвестное поле «BaseQ»");
    QTest::newRow("item out of range")
        << QByteArray("pick TabMach 0\npick ComboBoxRa 77\npick PageControlMethods 0\n")
        << QStringLiteral("Строка 2: пункт «77» вне списка поля «ComboBoxRa»");
    QTest::newRow("oversize") << QByteArray(static_cast<qsizetype>(kCalculationFileLimit) + 1, '#')
                              << QStringLiteral("Причина: файл больше 1 МБ");
    QTest::newRow("not UTF-8") << QByteArray("pick TabMach 1\nset BaseD \xe9t\xe9\n")
                               << QStringLiteral("Строка 2: текст не в кодировке UTF-8");
    QTest::newRow("click") << QByteArray(
        "pick TabMach 1\nclick BitCalcs\npick PageControlMethods 0\n")
                           << QStringLiteral("Строка 2: команда «click» не задает ввод");
}

void CalculationFileTest::badFileBringsTheBoxAndChangesNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, where);
    app_->form.typeText("BaseD", "33");
    const std::string before = calculationBody(app_->form);
    const QString title = app_->desktop->mainWindow().windowTitle();
    const QString path = dir_.filePath(QStringLiteral("плохой.millcalc"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
    file.close();

    BoxWatch box;
    box.arm();
    QVERIFY(!commands().openFile(path));
    QVERIFY(box.seen);
    QCOMPARE(box.caption, QString::fromUtf8(CalculationCommands::kOpenErrorCaption));
    QVERIFY2(box.text.contains(QDir::toNativeSeparators(path)), qPrintable(box.text));
    QVERIFY2(box.text.contains(where), qPrintable(box.text));
    QCOMPARE(calculationBody(app_->form), before);
    QCOMPARE(app_->store().text("BaseD"), std::string("33"));
    QVERIFY(commands().currentFile().isEmpty());
    QVERIFY(commands().recentFiles().isEmpty());
    QCOMPARE(app_->desktop->mainWindow().windowTitle(), title);
    QCOMPARE(toolkit_.boxes, std::vector<std::string>());
}

void CalculationFileTest::failedSaveKeepsTheOldFileAndLeavesNoTemporaryOne()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString folder = dir.filePath(QStringLiteral("read-only"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("read-only")));
    const QString path = folder + QStringLiteral("/старый.millcalc");
    QVERIFY(commands().saveTo(path));
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray old = saved.readAll();
    saved.close();
    QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    OrdinaryUser user;
    if (OrdinaryUser::isRoot()) {
        for (const QString& own : { dir.path(), folder, path })
            QVERIFY(chown(QFile::encodeName(own).constData(), OrdinaryUser::kNobody,
                        OrdinaryUser::kNobody)
                == 0);
        const QString why = user.become();
        QVERIFY2(why.isEmpty(), qPrintable(why));
        QVERIFY2(QFileInfo(dir.path()).isWritable(),
            qPrintable(dir.path() + QStringLiteral(" is beyond the ordinary user's reach")));
    }

    app_->form.typeText("BaseD", "63");
    BoxWatch box;
    box.arm();
    QVERIFY(!commands().saveTo(path));
    QVERIFY(box.seen);
    QCOMPARE(box.caption, QString::fromUtf8(CalculationCommands::kSaveErrorCaption));
    QVERIFY2(box.text.contains(QDir::toNativeSeparators(path)), qPrintable(box.text));
    QVERIFY2(box.text.contains(QStringLiteral("нет права записи")), qPrintable(box.text));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), old);
    QCOMPARE(entries(folder), QStringList { QStringLiteral("старый.millcalc") });
    QVERIFY(commands().isModified());
}

void CalculationFileTest::closingAsksOnlyForAFileWithChanges()
{
    // Never saved: closes without a question, as always.
    app_->form.typeText("BaseD", "40");
    QVERIFY(commands().mayClose());

    const QString path = dir_.filePath(QStringLiteral("вопрос.millcalc"));
    QVERIFY(commands().saveTo(path));
    QVERIFY(commands().mayClose());
    app_->form.typeText("BaseD", "50");

    BoxWatch box;
    box.arm(QStringLiteral("Cancel"));
    QVERIFY(!commands().mayClose());
    QVERIFY(box.seen);
    QCOMPARE(box.text, QStringLiteral("Сохранить изменения в вопрос.millcalc?"));
    auto buttonsOf = [] {
        QStringList texts;
        if (auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            for (QAbstractButton* button : shown->buttons())
                texts << button->text();
        }
        return texts;
    };
    QStringList texts;
    QTimer::singleShot(0, [&] {
        texts = buttonsOf();
        box.answer();
    });
    box.press = QStringLiteral("Discard");
    QVERIFY(commands().mayClose());
    texts.sort();
    QCOMPARE(texts,
        (QStringList { QStringLiteral("Не сохранять"), QStringLiteral("Отмена"),
            QStringLiteral("Сохранить") }));

    box.arm(QStringLiteral("Save"));
    QVERIFY(commands().mayClose());
    QVERIFY(!commands().isModified());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("\nset BaseD 50\n"));
}

void CalculationFileTest::newCalculationAsksFirstThenForgetsTheFile()
{
    FormMain& form = app_->form;
    QMainWindow* main = &app_->desktop->mainWindow();
    const std::string startUp = calculationBody(app_->form);
    const std::string startUpDiameter = app_->store().text("BaseD");
    form.pick("TabMach", 3);
    form.typeText("BaseD", "40");
    form.click("BitCalcs");
    const QString path = dir_.filePath(QStringLiteral("новый.millcalc"));
    QVERIFY(commands().saveTo(path));
    form.typeText("BaseD", "50");
    QCOMPARE(commands().newAction()->shortcut(), QKeySequence(QKeySequence::New));
    QVERIFY(main->findChild<QMenu*>(QStringLiteral("FileMenu"))
            ->actions()
            .contains(commands().newAction()));

    // Cancelled: nothing changes.
    BoxWatch box;
    box.arm(QStringLiteral("Cancel"));
    commands().newAction()->trigger();
    QVERIFY(box.seen);
    QCOMPARE(box.text, QStringLiteral("Сохранить изменения в новый.millcalc?"));
    QCOMPARE(app_->store().text("BaseD"), std::string("50"));
    QCOMPARE(commands().currentFile(), QFileInfo(path).absoluteFilePath());

    // Not saved: the start-up inputs, no file, the machine kept.
    box.arm(QStringLiteral("Discard"));
    commands().newAction()->trigger();
    QVERIFY(box.seen);
    app_->store().setIndex("TabMach", 0);
    QCOMPARE(calculationBody(app_->form), startUp);
    app_->store().setIndex("TabMach", 3);
    QVERIFY(commands().currentFile().isEmpty());
    QVERIFY(!commands().isModified());
    QVERIFY(!main->windowTitle().contains(QStringLiteral("новый")));

    // Without a file nothing is asked, as before opening one.
    form.typeText("BaseD", "60");
    box.arm(QStringLiteral("Cancel"));
    commands().newAction()->trigger();
    QVERIFY(!box.seen);
    QCOMPARE(app_->store().text("BaseD"), startUpDiameter);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("\nset BaseD 40\n"));
}

void CalculationFileTest::savedFileEndsWithTheResultsACalculationAloneChangesNothing()
{
    FormMain& form = app_->form;
    form.pick("PageControlMethods", 2);
    form.click("BitCalcs");
    const QString path = dir_.filePath(QStringLiteral("результаты.millcalc"));
    QVERIFY(commands().saveTo(path));
    QVERIFY(QFileInfo(path).fileName() == QStringLiteral("результаты.millcalc"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    QVERIFY(text.contains(QStringLiteral("\n# Результаты последнего расчета (")));
    QVERIFY(text.contains(QStringLiteral("\n# Обороты шпинделя, n = %1 об/мин")
            .arg(QString::fromStdString(app_->store().text("EditTin")))));
    QVERIFY(!text.contains(QStringLiteral("устарели")));

    // A calculation again, a fit: the inputs the file holds are the same
    // or the fit's own; a calculation alone marks nothing.
    form.click("BitCalcs");
    QCoreApplication::processEvents();
    QVERIFY(!commands().isModified());
    QVERIFY(!app_->desktop->mainWindow().isWindowModified());

    // The default name keeps the machine's as it is.
    QVERIFY(commands().newCalculation());
    QString proposed;
    commands().setAskSaveName([&](QWidget*, const QString& offer) {
        proposed = offer;
        return QString();
    });
    QVERIFY(!commands().saveAs());
    QCOMPARE(QFileInfo(proposed).fileName(),
        QStringLiteral("расчет-%1.millcalc")
            .arg(QString::fromStdString(app_->store().text("TabMach"))));
}

void CalculationFileTest::droppedFileOpens()
{
    RecordingToolkit otherToolkit;
    DesktopHarness other(otherToolkit);
    other.form.typeText("BaseAlD", "14");
    other.form.pick("PageControlMethods", 1);
    const QString path = dir_.filePath(QStringLiteral("брошенный.millcalc"));
    QVERIFY(other.desktop->calculationCommands().saveTo(path));

    QMainWindow& main = app_->desktop->mainWindow();
    QMimeData data;
    data.setUrls({ QUrl::fromLocalFile(path) });
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&main, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&main, &drop);
    QTRY_COMPARE(commands().currentFile(), QFileInfo(path).absoluteFilePath());
    QCOMPARE(app_->store().text("BaseAlD"), std::string("14"));
    QCOMPARE(app_->store().index("PageControlMethods"), 1);
}

void CalculationFileTest::recentFilesAndFolderAreKept()
{
    const QString settings = dir_.filePath(QStringLiteral("recent.ini"));
    {
        RecordingToolkit toolkit;
        FormMain form(toolkit);
        form.start();
        Desktop desktop(form, settings);
        CalculationCommands& files = desktop.calculationCommands();
        for (int i = 0; i < CalculationCommands::kRecentFiles + 2; ++i)
            QVERIFY(files.saveTo(dir_.filePath(QStringLiteral("r%1.millcalc").arg(i))));
        QVERIFY(files.saveTo(dir_.filePath(QStringLiteral("r3.millcalc"))));
        QCOMPARE(files.recentFiles().size(), qsizetype { CalculationCommands::kRecentFiles });
        QCOMPARE(files.recentFiles().first(), dir_.filePath(QStringLiteral("r3.millcalc")));
        QCOMPARE(
            files.recentMenu()->actions().size(), qsizetype { CalculationCommands::kRecentFiles });
    }
    RecordingToolkit toolkit;
    FormMain form(toolkit);
    form.start();
    Desktop desktop(form, settings);
    const QStringList recent = desktop.calculationCommands().recentFiles();
    QCOMPARE(recent.size(), qsizetype { CalculationCommands::kRecentFiles });
    QCOMPARE(recent[0], dir_.filePath(QStringLiteral("r3.millcalc")));
    QCOMPARE(recent[1], dir_.filePath(QStringLiteral("r9.millcalc")));
    QVERIFY(!recent.contains(dir_.filePath(QStringLiteral("r0.millcalc"))));
}

void CalculationFileTest::arrangementFitsOnlyWithinTheScreen_data()
{
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<bool>("fits");
    const QRect laptop(0, 0, 1366, 740);
    QTest::newRow("full HD window on a laptop") << QSize(1920, 1050) << laptop << false;
    QTest::newRow("too wide by a pixel") << QSize(1367, 700) << laptop << false;
    QTest::newRow("too high by a pixel") << QSize(1000, 741) << laptop << false;
    QTest::newRow("exactly the screen") << QSize(1366, 740) << laptop << true;
    QTest::newRow("small window") << QSize(900, 600) << laptop << true;
    QTest::newRow("nothing saved") << QSize() << laptop << false;
    QTest::newRow("no screen") << QSize(900, 600) << QRect() << false;
}

void CalculationFileTest::arrangementFitsOnlyWithinTheScreen()
{
    QFETCH(QSize, frame);
    QFETCH(QRect, screen);
    QFETCH(bool, fits);
    QCOMPARE(arrangementFits(frame, screen), fits);
}

void CalculationFileTest::arrangementSavedOnALargerScreenIsNotRestored()
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QString settings = dir_.filePath(QStringLiteral("arrangement.ini"));
    const auto saveFrame = [&](const QRect& frame) {
        QMainWindow window;
        window.resize(300, 200);
        QSettings file(settings, QSettings::IniFormat);
        file.setValue(QStringLiteral("window/geometry"), window.saveGeometry());
        file.setValue(QStringLiteral("window/state"), window.saveState(1));
        file.setValue(QStringLiteral("window/frame"), frame);
    };
    // Saved on a screen larger than this one: the default arrangement.
    saveFrame(QRect(QPoint(0, 0), screen.size() + QSize(554, 312)));
    {
        QMainWindow window;
        WindowMemory memory(window, settings);
        QVERIFY(!memory.restored());
    }
    // Saved on this screen, or a larger one with a window that fits it.
    saveFrame(QRect(screen.topLeft(), screen.size() / 2));
    QMainWindow window;
    WindowMemory memory(window, settings);
    QVERIFY(memory.restored());
    QCOMPARE(window.size(), QSize(300, 200));

    // The program's own: the results dock where the user left it, floating.
    {
        RecordingToolkit toolkit;
        FormMain form(toolkit);
        form.start();
        Desktop desktop(form, settings);
        desktop.show();
        form.click("BitCalcs");
        auto* results = qobject_cast<QDockWidget*>(desktop.window("PanelCalc"));
        QVERIFY(results);
        results->setFloating(true);
        desktop.mainWindow().resize(screen.size() / 2);
        QSettings(settings, QSettings::IniFormat).clear();
        WindowMemory(desktop.mainWindow(), settings).save();
    }
    RecordingToolkit toolkit;
    FormMain form(toolkit);
    form.start();
    Desktop desktop(form, settings);
    desktop.show();
    form.click("BitCalcs");
    auto* results = qobject_cast<QDockWidget*>(desktop.window("PanelCalc"));
    QVERIFY(results->isFloating());
    QVERIFY(results->isVisible());
    desktop.resetArrangement();
    QVERIFY(!results->isFloating());
    QCOMPARE(desktop.mainWindow().dockWidgetArea(results), Qt::RightDockWidgetArea);
    QVERIFY(results->isVisible());
}

void CalculationFileTest::panelsLeftOpenComeBackComputed()
{
    const QString settings = dir_.filePath(QStringLiteral("panels.ini"));
    {
        RecordingToolkit toolkit;
        FormMain form(toolkit);
        form.start();
        Desktop desktop(form, settings);
        desktop.show();
        form.click("BitCalcs");
        form.click("N27");
        form.click("BitBtnStMaterial");
        desktop.saveArrangement();
    }
    RecordingToolkit toolkit;
    FormMain form(toolkit);
    form.start();
    Desktop desktop(form, settings);
    desktop.show();
    // The panels come back shown, the results (which come with a calculation)
    // do not; the comparison holds what the inputs give, computed without
    // anyone asking for it.
    QVERIFY(form.store().visible("PanelMachines"));
    QVERIFY(form.store().visible("PanelStMaterial"));
    QVERIFY(!form.store().visible("PanelCalc"));
    QVERIFY(desktop.window("PanelMachines")->isVisible());
    auto* grid = desktop.window("PanelMachines")
                     ->findChild<QTableWidget*>(QStringLiteral("StringGridMachines"));
    QVERIFY(grid);
    QCOMPARE(form.store().cell("StringGridMachines", 1, 4), std::string("112 %"));
    QVERIFY(grid->item(4, 1));
    QCOMPARE(grid->item(4, 1)->text(), QStringLiteral("112 %"));
}

void CalculationFileTest::unreadableSettingsAreIgnored()
{
    const QString settings = dir_.filePath(QStringLiteral("junk.ini"));
    QFile junk(settings);
    QVERIFY(junk.open(QIODevice::WriteOnly));
    QByteArray bytes("[window]\ngeometry=@ByteArray(\\xff\\x00junk)\nframe=@Rect(0 0 10 10)\n");
    bytes.append(QByteArray::fromHex("00ff00fe7f80c0"));
    junk.write(bytes);
    junk.close();
    RecordingToolkit toolkit;
    FormMain form(toolkit);
    form.start();
    Desktop desktop(form, settings);
    desktop.show();
    form.click("BitCalcs");
    QVERIFY(desktop.window("PanelCalc")->isVisible());
    QVERIFY(desktop.calculationCommands().recentFiles().isEmpty());
}

void CalculationFileTest::whatTheStylePaintsIsKeptAndDrawnAgainOnceUp()
{
    // A dark desktop no window of this run has been drawn on.
    const QPalette before = QApplication::palette();
    QPalette dark = before;
    dark.setColor(QPalette::Window, QColor(0x2b, 0x2c, 0x2d));
    dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Button, QColor(0x2b, 0x2c, 0x2d));
    dark.setColor(QPalette::Base, QColor(0x1a, 0x1b, 0x1c));
    dark.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
    QApplication::setPalette(dark);
    const QString settings = dir_.filePath(QStringLiteral("painted.ini"));
    const QString key = QStringLiteral("style/painted");
    const auto start = [&settings](const std::function<void(Desktop&)>& check) {
        RecordingToolkit toolkit;
        FormMain form(toolkit);
        form.start();
        Desktop desktop(form, settings);
        desktop.show();
        check(desktop);
        QTRY_VERIFY(desktop.idleBuild().done());
    };
    // The first start finds what the style paints under the captions, the
    // fields and the buttons, and keeps it.
    start([](Desktop&) { });
    const QStringList kept = QSettings(settings, QSettings::IniFormat).value(key).toStringList();
    for (const char* role : { "0_", "6_", "8_" }) {
        QVERIFY2(std::any_of(kept.begin(), kept.end(),
                     [role](const QString& line) { return line.startsWith(QLatin1String(role)); }),
            role);
    }
    for (const QString& line : kept)
        QVERIFY2(QRegularExpression(QStringLiteral("^\\S+=#[0-9a-f]{6}$")).match(line).hasMatch(),
            qPrintable(line));

    // The same desktop again: what it recalls is what it finds, and the file
    // is left as it is.
    const QDateTime written = QFileInfo(settings).lastModified();
    QTest::qWait(20);
    start([](Desktop&) { });
    QCOMPARE(QFileInfo(settings).lastModified(), written);

    // What an earlier run kept for another dark desktop, wrong: white under
    // every text. The captions are drawn as on white at start (the blue of
    // "Оборудование=" as it is), and as the style really paints once the
    // window is up.
    const QString darkWindow = QString::number(dark.color(QPalette::Window).rgba(), 16);
    QPalette other = dark;
    other.setColor(QPalette::Window, QColor(0x2b, 0x2c, 0x2e));
    other.setColor(QPalette::Button, QColor(0x2b, 0x2c, 0x2e));
    const QString otherWindow = QString::number(other.color(QPalette::Window).rgba(), 16);
    QStringList wrong;
    for (QString line : kept)
        wrong << line.left(line.lastIndexOf(QLatin1Char('='))).replace(darkWindow, otherWindow)
                + QStringLiteral("=#ffffff");
    QSettings(settings, QSettings::IniFormat).setValue(key, wrong);
    QApplication::setPalette(other);
    const auto caption = [](Desktop& desktop) {
        for (const QLabel* label : desktop.mainWindow().findChildren<QLabel*>()) {
            if (label->text() == QStringLiteral("Оборудование="))
                return label->palette().color(QPalette::WindowText);
        }
        return QColor();
    };
    start([&caption](Desktop& desktop) {
        QCOMPARE(caption(desktop), QColor(Qt::blue));
        QTRY_VERIFY(desktop.idleBuild().done());
        QVERIFY(caption(desktop) != QColor(Qt::blue));
        QVERIFY(contrastRatio(caption(desktop), QColor(0x2b, 0x2c, 0x2e)) >= 4.5);
    });
    // Every line is drawn again, those of the windows built after the window
    // was up too, and kept as drawn.
    const QStringList corrected
        = QSettings(settings, QSettings::IniFormat).value(key).toStringList();
    int drawnAgain = 0;
    for (const QString& line : corrected) {
        if (!line.contains(otherWindow))
            continue;
        QVERIFY2(!line.endsWith(QStringLiteral("=#ffffff")), qPrintable(line));
        ++drawnAgain;
    }
    QVERIFY(drawnAgain >= 3);
    QApplication::setPalette(before);
}

void CalculationFileTest::resetArrangementBringsTheDocksBack()
{
    app_->form.click("BitCalcs");
    auto* results = qobject_cast<QDockWidget*>(app_->window("PanelCalc"));
    QVERIFY(results && results->isVisible());
    results->setFloating(true);
    auto* reset = app_->desktop->mainWindow().findChild<QAction*>(QStringLiteral("NResetLayout"));
    QVERIFY(reset);
    reset->trigger();
    QVERIFY(!results->isFloating());
    QVERIFY(results->isVisible());
    QCOMPARE(app_->desktop->mainWindow().dockWidgetArea(results), Qt::RightDockWidgetArea);
}

void CalculationFileTest::accessibleTextReachesTheStore()
{
    // Each text change of the field counted: an echo would count twice.
    int texts = 0;
    app_->store().listen([&texts](const std::string& name, Change change) {
        if (name == "BaseB" && change == Change::Text)
            ++texts;
    });
    auto* field = app_->find<QLineEdit>("BaseB");
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(field);
    QVERIFY(accessible);
    accessible->setText(QAccessible::Value, QStringLiteral("21"));
    QCOMPARE(field->text(), QStringLiteral("21"));
    QCOMPARE(app_->store().text("BaseB"), std::string("21"));
    QCOMPARE(texts, 1);

    QAccessibleEditableTextInterface* editable = accessible->editableTextInterface();
    QVERIFY(editable);
    editable->replaceText(0, 2, QStringLiteral("17.5"));
    QCOMPARE(app_->store().text("BaseB"), std::string("17.5"));
    editable->insertText(4, QStringLiteral("5"));
    QCOMPARE(app_->store().text("BaseB"), std::string("17.55"));
    editable->deleteText(0, 1);
    QCOMPARE(app_->store().text("BaseB"), std::string("7.55"));
    QCOMPARE(texts, 4);

    // The store's own change reaches the field once, without an echo.
    app_->store().setText("BaseB", "9");
    QCOMPARE(field->text(), QStringLiteral("9"));
    QCOMPARE(texts, 5);

    // "Расчет" computes with the shown text.
    app_->form.click("BitCalcs");
    QCOMPARE(app_->store().text("BaseB"), std::string("9"));

    // The typed text of an editable list, through its line edit.
    auto* diameter = app_->find<QComboBox>("BaseD");
    QAccessibleInterface* line = QAccessible::queryAccessibleInterface(diameter->lineEdit());
    QVERIFY(line);
    line->setText(QAccessible::Value, QStringLiteral("37"));
    QCOMPARE(app_->store().text("BaseD"), std::string("37"));
    // A pick from the list's items still is a pick.
    app_->store().setIndex("BaseD", 3);
    QCOMPARE(diameter->currentText(), QStringLiteral("5"));
    QCOMPARE(app_->store().text("BaseD"), std::string("5"));
}

QTEST_MAIN(CalculationFileTest)
#include "CalculationFileTest.moc"
