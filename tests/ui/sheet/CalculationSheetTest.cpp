// The calculation sheet from the desktop program: the PDF of each method read
// back as text, one A4 page; a PDF that cannot be written; the copied table
// under a Russian and the C locale; the menu and the results' context menu.
#include "BoxWatch.h"
#include "DesktopHarness.h"
#include "OrdinaryUser.h"
#include "RecordingToolkit.h"

#include "app/FieldCaptions.h"
#include "shell/sheet/CalculationSheet.h"
#include "shell/table/Methods.h"
#include "ui/MainWindow.h"
#include "ui/addons/AddonLoader.h"
#include "ui/sheet/SheetCommands.h"
#include "ui/sheet/SheetLayout.h"
#include "ui/sheet/SheetNomogram.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <sys/prctl.h>
#include <unistd.h>

#include <grp.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

using namespace millcalc;

namespace {

// The output of a poppler tool on the file; fails the test when the tool is
// missing (tools/setup.sh --tests installs poppler-utils).
QString popplerOutput(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        qWarning("%s failed or is missing (Debian package poppler-utils): %s", qPrintable(tool),
            qPrintable(QString::fromLocal8Bit(process.readAllStandardError())));
        return QString();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Runs of white space as one blank: a text wrapped on paper reads as a line.
QString flat(QString text)
{
    // No-break spaces included.
    return text
        .replace(QRegularExpression(
                     QStringLiteral("\\s+"), QRegularExpression::UseUnicodePropertiesOption),
            QStringLiteral(" "))
        .trimmed();
}

// MILLCALC_SHEET_KEEP=<folder> keeps the PDFs there, to be looked at.
void keepForLooking(const QString& path, const QString& tag)
{
    if (const QByteArray keep = qgetenv("MILLCALC_SHEET_KEEP"); !keep.isEmpty()) {
        const QString copy
            = QDir(QString::fromLocal8Bit(keep)).filePath(QStringLiteral("sheet-%1.pdf").arg(tag));
        QFile::remove(copy);
        QFile::copy(path, copy);
    }
}

} // namespace

class CalculationSheetTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void pdfHoldsTheSheetOfEachMethod_data();
    void pdfHoldsTheSheetOfEachMethod();
    void longLogEndsWithACountInsteadOfASecondPage();
    void pdfThatCannotBeWrittenShowsTheBoxAndLeavesNoFile_data();
    void pdfThatCannotBeWrittenShowsTheBoxAndLeavesNoFile();
    void saveCommandProposesANameInTheDocumentsFolder();
    void copiedTableFollowsTheLocale_data();
    void copiedTableFollowsTheLocale();
    void menuStandsBetweenCloseAndHelpAndInTheResults();
    void headerEnteredInItsDialogStandsAtTheHeadOfTheSheet();
    void previewShowsTheOnePageOfTheSheet();
    void nomogramIsDrawnInItsColoursWithinItsBox();
    void withoutItsModuleTheSheetSaysTheNomogramIsMissing();

private:
    void calculate(int page, const QStringList& setUp);

    RecordingToolkit toolkit_;
    std::unique_ptr<DesktopHarness> app_;
};

void CalculationSheetTest::init()
{
    toolkit_ = RecordingToolkit();
    app_ = std::make_unique<DesktopHarness>(toolkit_);
}

void CalculationSheetTest::cleanup()
{
    app_.reset();
    QLocale::setDefault(QLocale::system());
}

void CalculationSheetTest::calculate(int page, const QStringList& setUp)
{
    app_->form.pick("PageControlMethods", page);
    for (const QString& line : setUp) {
        const QStringList words = line.split(QLatin1Char(' '));
        app_->form.typeText(words[0].toStdString(), words[1].toStdString());
    }
    app_->form.click("BitCalcs");
}

void CalculationSheetTest::pdfHoldsTheSheetOfEachMethod_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("setUp");
    QTest::addColumn<int>("red");
    // The start-up job of each method; the aluminium force coefficient ten
    // times its value, so that the force passes its limit (its torque, 17.14
    // N·m, stays within 57). Walter's red Pn is what the machine delivers, no
    // excess of the cut. Titanium with the Cy of "ВТ 6ч": its torque, 60.99
    // N·m, and the deflection of its start-up cutter exceed.
    QTest::newRow("Walter") << 0 << QStringList() << 0;
    QTest::newRow("aluminium") << 1 << QStringList { QStringLiteral("EditTkoef4 2460") } << 1;
    QTest::newRow("titanium") << 2 << QStringList { QStringLiteral("EditTiPycoeff 8570") } << 2;
}

void CalculationSheetTest::pdfHoldsTheSheetOfEachMethod()
{
    QFETCH(int, page);
    QFETCH(QStringList, setUp);
    QFETCH(int, red);
    const FieldStore& store = app_->store();
    const std::size_t logBefore = store.items("ElFlatMemoMes").size();
    calculate(page, setUp);
    const std::vector<std::string>& log = store.items("ElFlatMemoMes");
    QVERIFY(log.size() > logBefore);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("лист расчета.pdf"));
    const CalculationSheet sheet = app_->desktop->sheetCommands().sheet();
    QVERIFY(SheetCommands::savePdf(nullptr, sheet, path));
    keepForLooking(path, QString::fromUtf8(QTest::currentDataTag()));

    const QString info = popplerOutput(QStringLiteral("pdfinfo"), { path });
    QVERIFY(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
    QVERIFY2(info.contains(QRegularExpression(
                 QStringLiteral("Page size:\\s+59[56](\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)"))),
        qPrintable(info));

    const QString text = flat(popplerOutput(
        QStringLiteral("pdftotext"), { QStringLiteral("-raw"), path, QStringLiteral("-") }));
    QVERIFY(!text.isEmpty());
    const auto holds = [&text](const std::string& expected) {
        const QString wanted = flat(QString::fromStdString(expected));
        if (!text.contains(wanted))
            qWarning("missing on the sheet: \"%s\"", qPrintable(wanted));
        return text.contains(wanted);
    };
    QVERIFY(holds(kSheetTitle));
    QVERIFY(holds(app_->form.machine().MachineName));
    QVERIFY(holds(store.text("StatusBarMes")));
    QVERIFY(holds(store.text("PageControlMethods")));
    const Method& method = *methodAt(page);
    for (const FieldCaption& entry : method.inputs)
        QVERIFY(
            holds(entry.value == ValueKind::Checked ? (store.checked(entry.field) ? "да" : "нет")
                                                    : store.text(entry.field)));
    for (const CoefficientGroup& group : method.coefficients) {
        for (const FieldCaption& entry : group.coefficients)
            QVERIFY(holds(std::string(entry.caption) + "=" + store.text(entry.field)));
    }
    // Every result with its caption, and the status word of each red one.
    int exceeded = 0;
    for (const FieldCaption& entry : method.results) {
        if (std::string_view(entry.field) == method.card.widthPasses) {
            // One pass across the part goes without saying.
            QVERIFY(!text.contains(QString::fromUtf8(entry.caption)));
            continue;
        }
        QVERIFY(holds(entry.caption));
        QVERIFY(holds(store.text(entry.field)));
        if (store.colour(entry.field) != colours::Red)
            continue;
        const std::string beyond = store.text(entry.field) + " " + entry.unit + " " + kBeyondLimit;
        // A machine figure is no check: red, never beyond a limit.
        if (checkOf(method, entry.field) == nullptr) {
            QVERIFY(!holds(beyond));
            continue;
        }
        ++exceeded;
        QVERIFY(holds(beyond));
    }
    QCOMPARE(exceeded, red);
    QCOMPARE(text.count(QString::fromUtf8(kBeyondLimit)), red);
    for (std::size_t i = logBefore; i < log.size(); ++i)
        QVERIFY(holds(log[i]));
    QVERIFY(holds(sheet.operationCard));
    QVERIFY(holds("Кривая Мощности"));
    // The nomogram window's chart: its title, every legend entry whole (the
    // legend takes a second line rather than cut them short), the axes'
    // titles with their units.
    for (const char* title : { "Номограмма", "Кривая Момента", "Мощность", "Момент",
             "Обороты шпинделя, об/мин", "Момент, Нм", "Мощность, кВт" })
        QVERIFY(holds(title));
    QVERIFY(!text.contains(QStringLiteral("…")));
    QVERIFY(!text.contains(QStringLiteral("недоступна")));
}

void CalculationSheetTest::longLogEndsWithACountInsteadOfASecondPage()
{
    calculate(2, {});
    CalculationSheet sheet = app_->desktop->sheetCommands().sheet();
    for (int i = 1; i <= 120; ++i)
        sheet.log.push_back("Строка сообщения номер " + std::to_string(i));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.pdf"));
    QVERIFY(SheetCommands::savePdf(nullptr, sheet, path));
    keepForLooking(path, QStringLiteral("long-log"));
    QVERIFY(popplerOutput(QStringLiteral("pdfinfo"), { path })
            .contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
    const QString text = flat(popplerOutput(
        QStringLiteral("pdftotext"), { QStringLiteral("-raw"), path, QStringLiteral("-") }));
    const QRegularExpressionMatch rest
        = QRegularExpression(QStringLiteral("и еще строк: (\\d+)")).match(text);
    QVERIFY2(rest.hasMatch(), qPrintable(text.right(300)));
    // The lines shown and the lines counted are all the lines.
    const int counted = rest.captured(1).toInt();
    const int shown = static_cast<int>(sheet.log.size()) - counted;
    // A titanium run writes at most nine lines (overhang, four limits, three
    // of the part of low rigidity and a permissible deflection not above 0):
    // they all fit.
    QVERIFY2(shown >= 9, qPrintable(QString::number(shown)));
    QVERIFY(text.contains(QString::fromStdString(sheet.log[static_cast<std::size_t>(shown - 1)])));
    QVERIFY(!text.contains(
        QString::fromStdString(sheet.log[static_cast<std::size_t>(shown)]) + QLatin1Char(' ')));
}

void CalculationSheetTest::pdfThatCannotBeWrittenShowsTheBoxAndLeavesNoFile_data()
{
    QTest::addColumn<QString>("folder"); // relative to a fresh temporary folder
    QTest::addColumn<QString>("reason");
    // A folder that is a file, or none at all, fails whoever runs the test.
    QTest::newRow("folder is a file") << QStringLiteral("plain-file") << QStringLiteral("не папка");
    QTest::newRow("no such folder") << QStringLiteral("missing") << QStringLiteral("не существует");
    // Tried as an ordinary user when root runs the test.
    QTest::newRow("read-only folder")
        << QStringLiteral("read-only") << QStringLiteral("нет права записи");
}

void CalculationSheetTest::pdfThatCannotBeWrittenShowsTheBoxAndLeavesNoFile()
{
    QFETCH(QString, folder);
    QFETCH(QString, reason);
    calculate(0, {});
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile plain(dir.filePath(QStringLiteral("plain-file")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("read-only")));
    QVERIFY(QFile::setPermissions(
        dir.filePath(QStringLiteral("read-only")), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const QStringList before
        = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    // The user's own folders, the temporary one writable, the other not.
    OrdinaryUser user;
    if (folder == QStringLiteral("read-only") && OrdinaryUser::isRoot()) {
        for (const QString& own : { dir.path(), dir.filePath(QStringLiteral("read-only")) })
            QVERIFY2(chown(QFile::encodeName(own).constData(), OrdinaryUser::kNobody,
                         OrdinaryUser::kNobody)
                    == 0,
                qPrintable(
                    own + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno))));
        const QString why = user.become();
        QVERIFY2(why.isEmpty(), qPrintable(why));
        // Else the failure would come from the way to the folder, not the folder.
        QVERIFY2(QFileInfo(dir.path()).isWritable(),
            qPrintable(dir.path()
                + QStringLiteral(" is beyond user %1's reach; set TMPDIR")
                    .arg(OrdinaryUser::kNobody)));
    }

    const QString path = dir.filePath(folder + QStringLiteral("/лист.pdf"));
    BoxWatch box;
    box.arm();
    QVERIFY(!SheetCommands::savePdf(nullptr, app_->desktop->sheetCommands().sheet(), path));
    QVERIFY(box.seen);
    QCOMPARE(box.caption, QString::fromUtf8(SheetCommands::kErrorCaption));
    QVERIFY2(box.text.contains(QDir::toNativeSeparators(path)), qPrintable(box.text));
    QVERIFY2(box.text.contains(reason), qPrintable(box.text));
    QVERIFY(!QFile::exists(path));
    QCOMPARE(
        QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
    QCOMPARE(QDir(dir.filePath(QStringLiteral("read-only")))
                 .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
        QStringList());
    QFile::setPermissions(dir.filePath(QStringLiteral("read-only")),
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void CalculationSheetTest::saveCommandProposesANameInTheDocumentsFolder()
{
    calculate(2, {});
    QTemporaryDir dir;
    QString proposed;
    const QString chosen = dir.filePath(QStringLiteral("деталь 12"));
    SheetCommands& commands = app_->desktop->sheetCommands();
    commands.setAskFileName([&](QWidget*, const QString& offer) {
        proposed = offer;
        return chosen;
    });
    commands.pdfAction()->trigger();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QCOMPARE(QFileInfo(proposed).absolutePath(), QFileInfo(documents).absoluteFilePath());
    QCOMPARE(QFileInfo(proposed).fileName(),
        QStringLiteral("расчет-V-STAR (FOREST-LINE)-титан-%1.pdf")
            .arg(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))));
    // The name the user gives gets its extension; nothing else is written.
    QVERIFY(QFile::exists(chosen + QStringLiteral(".pdf")));
    QCOMPARE(
        QDir(dir.path()).entryList(QDir::Files), QStringList { QStringLiteral("деталь 12.pdf") });

    // Cancelling the dialog writes nothing.
    QFile::remove(chosen + QStringLiteral(".pdf"));
    commands.setAskFileName([](QWidget*, const QString&) { return QString(); });
    commands.pdfAction()->trigger();
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
}

void CalculationSheetTest::copiedTableFollowsTheLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("speed");
    QTest::addColumn<QString>("power");
    QTest::addColumn<QString>("diameter");
    QTest::newRow("ru_RU") << QStringLiteral("ru_RU") << QStringLiteral("13496,339")
                           << QStringLiteral("40,00000") << QStringLiteral("25,0");
    QTest::newRow("C") << QStringLiteral("C") << QStringLiteral("13496.339")
                       << QStringLiteral("40.00000") << QStringLiteral("25.0");
}

void CalculationSheetTest::copiedTableFollowsTheLocale()
{
    QFETCH(QString, locale);
    QFETCH(QString, speed);
    QFETCH(QString, power);
    QFETCH(QString, diameter);
    QLocale::setDefault(QLocale(locale));
    calculate(0, {});
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    app_->desktop->sheetCommands().copyAction()->trigger();
    const QMimeData* data = clipboard->mimeData();
    QVERIFY(data && data->hasText() && data->hasHtml());
    const QStringList lines = data->text().split(QLatin1Char('\n'));
    QVERIFY(lines.first().startsWith(QStringLiteral("Расчет режимов резания\t")));
    QVERIFY(lines.contains(QStringLiteral("Метод\tФрезерование (Walter)")));
    QVERIFY(lines.contains(QStringLiteral("Диаметр фрезы, D\t%1\tмм").arg(diameter)));
    QVERIFY(lines.contains(QStringLiteral("Обороты шпинделя, n\t%1\tоб/мин\tв норме").arg(speed)));
    QVERIFY(lines.contains(QStringLiteral("Мощность (принимаемая)\t%1\tкВт\t").arg(power)));
    const QString html = data->html();
    QVERIFY(html.contains(QStringLiteral("<td>%1</td>").arg(speed)));
    QVERIFY(html.contains(QStringLiteral("<td>%1</td><td>кВт</td><td></td>").arg(power)));

    // Ctrl+C in the results, where no text is selected, copies the same table.
    clipboard->clear();
    QWidget* results = app_->window("PanelCalc");
    results->show();
    QVERIFY(QTest::qWaitForWindowExposed(results));
    // Docked, the results live in the main window; floating, in their own.
    results->window()->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), results->window());
    auto* field = app_->find<QLineEdit>("EditStn");
    field->setFocus();
    field->deselect();
    QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
    QVERIFY(clipboard->text()
            .split(QLatin1Char('\n'))
            .contains(QStringLiteral("Обороты шпинделя, n\t%1\tоб/мин\tв норме").arg(speed)));
}

void CalculationSheetTest::headerEnteredInItsDialogStandsAtTheHeadOfTheSheet()
{
    calculate(2, {});
    // The dialog shows the fields as they stand; "OK" writes them back.
    app_->form.typeText("EditSheetAuthor", "Петров");
    QString shownAuthor;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog && dialog->objectName() == QLatin1String("SheetHeaderDialog"));
        shownAuthor = dialog->findChild<QLineEdit*>(QStringLiteral("EditSheetAuthor"))->text();
        dialog->findChild<QLineEdit*>(QStringLiteral("EditSheetPart"))
            ->setText(QStringLiteral("Кронштейн 8А-1234"));
        dialog->findChild<QLineEdit*>(QStringLiteral("EditSheetAuthor"))->clear();
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    app_->desktop->sheetCommands().headerAction()->trigger();
    QCOMPARE(shownAuthor, QStringLiteral("Петров"));
    QCOMPARE(app_->store().text("EditSheetPart"), std::string("Кронштейн 8А-1234"));
    QCOMPARE(app_->store().text("EditSheetAuthor"), std::string());

    // Cancelled, the dialog changes nothing.
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog);
        dialog->findChild<QLineEdit*>(QStringLiteral("EditSheetPart"))->clear();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    app_->desktop->sheetCommands().headerAction()->trigger();
    QCOMPARE(app_->store().text("EditSheetPart"), std::string("Кронштейн 8А-1234"));

    // At the head of the PDF, an empty field a line to fill in by hand.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("шапка.pdf"));
    QVERIFY(SheetCommands::savePdf(nullptr, app_->desktop->sheetCommands().sheet(), path));
    const QString text = popplerOutput(
        QStringLiteral("pdftotext"), { QStringLiteral("-raw"), path, QStringLiteral("-") });
    const QStringList lines = text.split(QLatin1Char('\n'));
    // One line under the title.
    const QRegularExpression header(
        QStringLiteral("^Деталь: Кронштейн 8А-1234 +Операция: _{24} +Разработал: _{24}$"));
    QVERIFY2(!lines.filter(header).isEmpty(), qPrintable(text));
    QVERIFY(text.indexOf(QStringLiteral("Деталь:")) < text.indexOf(QStringLiteral("Станок:")));
}

void CalculationSheetTest::menuStandsBetweenCloseAndHelpAndInTheResults()
{
    QList<QAction*> bar = app_->desktop->mainWindow().menuBar()->actions();
    // "Файл" and the park's editor's "Станки..." come before "Закрыть"; the
    // cutters' menu stands between the sheet's and "Помощь..".
    QCOMPARE(bar.size(), 6);
    QCOMPARE(bar[2]->objectName(), QStringLiteral("NClose"));
    QCOMPARE(bar[3]->text(), QStringLiteral("&Лист расчета"));
    QCOMPARE(bar[5]->objectName(), QStringLiteral("N7"));
    SheetCommands& commands = app_->desktop->sheetCommands();
    const QList<QAction*> all = bar[3]->menu()->actions();
    // The header's dialog last, after a separator; the results' menu keeps
    // the three commands.
    QCOMPARE(all.size(), 5);
    QVERIFY(all[3]->isSeparator());
    QCOMPARE(all[4], commands.headerAction());
    QCOMPARE(all[4]->text(), QStringLiteral("&Шапка листа..."));
    const QList<QAction*> items = all.mid(0, 3);
    QCOMPARE(items,
        (QList<QAction*> {
            commands.previewAction(), commands.pdfAction(), commands.copyAction() }));
    QCOMPARE(items[0]->text(), QStringLiteral("&Просмотр и печать..."));
    QCOMPARE(items[0]->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    QCOMPARE(items[1]->text(), QStringLiteral("&Сохранить в PDF..."));
    // Ctrl+S saves the calculation.
    QCOMPARE(items[1]->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+E")));
    QCOMPARE(items[2]->text(), QStringLiteral("&Копировать таблицу"));
    QCOMPARE(items[2]->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+C")));

    QWidget* results = app_->window("PanelCalc");
    auto* contents = results->findChild<QWidget*>(QStringLiteral("PanelCalcContents"));
    QVERIFY(contents);
    QCOMPARE(contents->contextMenuPolicy(), Qt::ActionsContextMenu);
    QVERIFY(contents->actions().size() > items.size());
    QCOMPARE(contents->actions().mid(contents->actions().size() - items.size()), items);
    QVERIFY(contents->actions()[contents->actions().size() - items.size() - 1]->isSeparator());

    // The shortcuts work in the main window and in the results.
    QLocale::setDefault(QLocale::c());
    QClipboard* clipboard = QApplication::clipboard();
    for (QWidget* window : { static_cast<QWidget*>(&app_->desktop->mainWindow()), results }) {
        clipboard->clear();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        window->window()->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), window->window());
        QTest::keyClick(window, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY2(clipboard->text().startsWith(QStringLiteral("Расчет режимов резания\t")),
            qPrintable(window->objectName()));
        QString offered;
        commands.setAskFileName([&offered](QWidget*, const QString& proposed) {
            offered = proposed;
            return QString();
        });
        QTest::keyClick(window, Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY2(offered.endsWith(QStringLiteral(".pdf")), qPrintable(window->objectName()));
    }

    // The blank page has no sheet.
    app_->form.pick("PageControlMethods", 3);
    for (QAction* item : items)
        QVERIFY(!item->isEnabled());
    app_->form.pick("PageControlMethods", 1);
    for (QAction* item : items)
        QVERIFY(item->isEnabled());
}

void CalculationSheetTest::previewShowsTheOnePageOfTheSheet()
{
    calculate(1, {});
    int pages = -1;
    QString title;
    bool fitsWidth = false;
    qreal zoom = 0;
    QSize size;
    QTimer::singleShot(0, [&] {
        const auto look = [&](const auto& self) -> void {
            auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            if (!dialog) {
                QTimer::singleShot(10, [&, self] { self(self); });
                return;
            }
            size = dialog->size();
            if (auto* preview = dialog->findChild<QPrintPreviewWidget*>()) {
                preview->updatePreview();
                pages = preview->pageCount();
                fitsWidth = preview->zoomMode() == QPrintPreviewWidget::FitToWidth;
                // Its width filled by the page: far more than the 38 % of a
                // small window that shows it whole.
                zoom = preview->zoomFactor();
                if (const QByteArray keep = qgetenv("MILLCALC_SHEET_KEEP"); !keep.isEmpty()) {
                    dialog->resize(700, 900);
                    preview->fitInView();
                    dialog->grab().save(
                        QDir(QString::fromLocal8Bit(keep)).filePath(QStringLiteral("preview.png")));
                }
            }
            title = dialog->windowTitle();
            dialog->reject();
        };
        look(look);
    });
    app_->desktop->sheetCommands().previewAction()->trigger();
    QCOMPARE(pages, 1);
    QVERIFY(title.startsWith(QStringLiteral("Лист расчета")));
    // At the size of the screen's work area, the page's width filling it.
    QCOMPARE(size, app_->desktop->mainWindow().screen()->availableGeometry().size());
    QVERIFY(fitsWidth);
    QVERIFY2(zoom > 0.6, qPrintable(QString::number(zoom)));
}

// The chart drawn into its box of the page: the curves and the operating
// points in their colours, nothing beyond the box.
void CalculationSheetTest::nomogramIsDrawnInItsColoursWithinItsBox()
{
    calculate(0, {});
    const CalculationSheet sheet = app_->desktop->sheetCommands().sheet();
    // A page 210 mm wide at 8 pixels a millimetre; the sheet's box of 68 x 78 mm.
    QImage page(1680, 1000, QImage::Format_RGB32);
    page.fill(Qt::white);
    const QRect box(600, 150, 544, 624);
    {
        QPainter painter(&page);
        SheetLayout layout(painter, QRectF(page.rect()));
        paintNomogram(layout, box, sheet);
    }
    QHash<QRgb, int> inside;
    int outside = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QRgb pixel = page.pixel(x, y);
            if (box.contains(x, y))
                ++inside[pixel];
            else if (pixel != QColor(Qt::white).rgb())
                ++outside;
        }
    }
    QCOMPARE(outside, 0);
    const struct {
        QColor colour;
        const char* what;
    } looks[] = {
        { QColor(255, 0, 0), "the power curve" },
        { QColor(0, 128, 0), "the torque curve" },
        { QColor(255, 255, 0), "the power point" },
        { QColor(128, 0, 0), "the power point's border" },
        { QColor(0, 0, 255), "the torque point and the title" },
        { QColor(0, 255, 0), "the torque point's border" },
    };
    for (const auto& look : looks)
        QVERIFY2(inside.value(look.colour.rgb()) > 20, look.what);
}

// The module that draws the nomogram missing: the sheet is written all the
// same, its box saying what is missing.
void CalculationSheetTest::withoutItsModuleTheSheetSaysTheNomogramIsMissing()
{
    calculate(2, {});
    const CalculationSheet sheet = app_->desktop->sheetCommands().sheet();
    const QStringList folders = addonFolders();
    const QTemporaryDir empty;
    setAddonFolders({ empty.path() });
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("без модуля.pdf"));
    const bool saved = SheetCommands::savePdf(nullptr, sheet, path);
    setAddonFolders(folders);
    QVERIFY(saved);
    keepForLooking(path, QStringLiteral("no-module"));
    const QString text = flat(popplerOutput(
        QStringLiteral("pdftotext"), { QStringLiteral("-raw"), path, QStringLiteral("-") }));
    QVERIFY2(text.contains(QStringLiteral("Номограмма недоступна.")), qPrintable(text));
    // The file looked for, wherever the narrow box broke it.
    const QString file = QDir::toNativeSeparators(QDir(empty.path()).filePath(kAddonsFile));
    QVERIFY2(
        QString(text).remove(QLatin1Char(' ')).contains(QString(file).remove(QLatin1Char(' '))),
        qPrintable(text));
    QVERIFY(!text.contains(QStringLiteral("Кривая Мощности")));
    QVERIFY(text.contains(QString::fromStdString(sheet.operationCard)));
}

QTEST_MAIN(CalculationSheetTest)
#include "CalculationSheetTest.moc"
