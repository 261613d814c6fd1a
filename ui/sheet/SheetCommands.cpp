#include "ui/sheet/SheetCommands.h"

#include "shell/FormMain.h"
#include "shell/file/CalculationFile.h"
#include "shell/sheet/CalculationSheet.h"
#include "shell/table/Methods.h"
#include "ui/addons/AddonLoader.h"
#include "ui/addons/Addons.h"
#include "ui/bind/NamedAction.h"
#include "ui/sheet/SheetHeaderDialog.h"
#include "ui/sheet/SheetPage.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QLocale>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QStandardPaths>

namespace millcalc {

namespace {

// The short name of a method in a file name.
const char* methodWord(const Method* method)
{
    return method != nullptr ? method->fileWord : "расчет";
}

QString sheetTime(const QDateTime& when)
{
    return when.toString(QStringLiteral("dd.MM.yyyy HH:mm"));
}

} // namespace

SheetCommands::SheetCommands(FormMain& form, QMainWindow* mainWindow)
    : QObject(mainWindow)
    , form_(form)
    , mainWindow_(mainWindow)
    , preview_(namedAction(
          mainWindow, "SheetPreview", QStringLiteral("&Просмотр и печать..."), QKeySequence::Print))
    // Ctrl+S saves the calculation itself (ui/CalculationCommands); the PDF,
    // an export, takes Ctrl+Shift+E.
    , pdf_(namedAction(mainWindow, "SheetPdf", QStringLiteral("&Сохранить в PDF..."),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E)))
    , copy_(namedAction(mainWindow, "SheetCopy", QStringLiteral("&Копировать таблицу"),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)))
    , header_(namedAction(mainWindow, "SheetHeader", QStringLiteral("&Шапка листа...")))
    , askFileName_([](QWidget* parent, const QString& proposed) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Сохранить лист расчета в PDF"),
            proposed, QStringLiteral("Документ PDF (*.pdf)"));
    })
{
    auto* menu = new QMenu(QStringLiteral("&Лист расчета"), mainWindow);
    menu->setObjectName(QStringLiteral("SheetMenu"));
    menu->addActions({ preview_, pdf_, copy_ });
    menu->addSeparator();
    menu->addAction(header_);
    // Between "Закрыть" and "Помощь..".
    QAction* before = nullptr;
    for (QAction* item : mainWindow->menuBar()->actions()) {
        if (item->objectName() == QLatin1String("N7")) {
            before = item;
            break;
        }
    }
    mainWindow->menuBar()->insertMenu(before, menu);
    connect(preview_, &QAction::triggered, this, &SheetCommands::showPreview);
    connect(pdf_, &QAction::triggered, this, &SheetCommands::saveAsPdf);
    connect(copy_, &QAction::triggered, this, &SheetCommands::copyTable);
    connect(header_, &QAction::triggered, this, &SheetCommands::editHeader);

    // The blank result page has no sheet.
    QPointer<SheetCommands> self(this);
    form_.store().listen([self](const std::string& name, Change change) {
        if (self && name == "PageControlMethods" && change == Change::Index)
            self->followPage();
    });
    followPage();
}

void SheetCommands::attachResults(QWidget* results)
{
    results_ = results;
    // The results' contents hold their context menu; the sheet's commands
    // follow the commands already there.
    QWidget* owner = results->findChild<QWidget*>(QStringLiteral("PanelCalcContents"));
    if (!owner)
        owner = results;
    if (!owner->actions().isEmpty()) {
        auto* separator = new QAction(owner);
        separator->setSeparator(true);
        owner->addAction(separator);
    }
    owner->addActions({ preview_, pdf_, copy_ });
    owner->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void SheetCommands::followPage()
{
    const bool sheet = activeMethod(form_.store()) != nullptr;
    for (QAction* a : { preview_, pdf_, copy_ })
        a->setEnabled(sheet);
}

QWidget* SheetCommands::dialogParent() const
{
    QWidget* active = QApplication::activeWindow();
    if (active && (active == results_ || active == mainWindow_))
        return active;
    return mainWindow_;
}

CalculationSheet SheetCommands::sheet() const
{
    return buildCalculationSheet(
        form_, form_.record().shownLog(), sheetTime(QDateTime::currentDateTime()).toStdString());
}

QDialog* SheetCommands::headerDialog()
{
    // Made at its first open, not with the window: its standard buttons load
    // the style's icons, a tenth of what the start-up runs before the map.
    if (!headerDialog_)
        headerDialog_ = new SheetHeaderDialog(form_, mainWindow_);
    return headerDialog_;
}

void SheetCommands::editHeader()
{
    headerDialog()->exec();
}

void SheetCommands::showPreview()
{
    const CalculationSheet content = sheet();
    if (content.row == nullptr)
        return;
    Addons* module = addons();
    if (!module) {
        missingAddonsBox(dialogParent(), QStringLiteral("Просмотр и печать недоступны"))->open();
        return;
    }
    module->previewAndPrint(dialogParent(),
        { QStringLiteral("Лист расчета — просмотр и печать"), QStringLiteral("SheetPreviewDialog"),
            QString::fromUtf8(kSheetTitle), [](QPagedPaintDevice& device) { setSheetPage(device); },
            [&content](
                QPainter& painter, const QRectF& rect) { paintSheet(painter, rect, content); } });
}

void SheetCommands::saveAsPdf()
{
    const CalculationSheet content = sheet();
    if (content.row == nullptr)
        return;
    QWidget* parent = dialogParent();
    QString path = askFileName_(parent, proposedPdfPath(content, QDateTime::currentDateTime()));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    savePdf(parent, content, path);
}

void SheetCommands::copyTable()
{
    const CalculationSheet content = sheet();
    if (content.row == nullptr)
        return;
    QApplication::clipboard()->setMimeData(tableData(content));
}

QString SheetCommands::proposedPdfPath(const CalculationSheet& sheet, const QDateTime& when)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    const QString name = QStringLiteral("расчет-%1-%2-%3.pdf")
                             .arg(QString::fromStdString(fileNameWord(sheet.machine)),
                                 QString::fromUtf8(methodWord(sheet.row)),
                                 when.toString(QStringLiteral("yyyy-MM-dd")));
    return QDir(folder).filePath(name);
}

bool SheetCommands::savePdf(QWidget* parent, const CalculationSheet& sheet, const QString& path)
{
    QString reason;
    if (writeSheetPdf(sheet, path, &reason))
        return true;
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kErrorCaption),
        QStringLiteral("Лист расчета не сохранен в файл\n%1\n\nПричина: %2.")
            .arg(QDir::toNativeSeparators(path), reason),
        QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("SheetErrorBox"));
    box.exec();
    return false;
}

QMimeData* SheetCommands::tableData(const CalculationSheet& sheet)
{
    const std::string separator = QLocale().decimalPoint().toStdString();
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(sheetTableText(sheet, separator)));
    data->setHtml(QString::fromStdString(sheetTableHtml(sheet, separator)));
    return data;
}

} // namespace millcalc
