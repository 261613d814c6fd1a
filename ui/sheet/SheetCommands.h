// The menu "Лист расчета" and its three commands, also in the results'
// context menu: the print preview of the calculation sheet, the sheet saved
// as PDF where the user asks, and the sheet's table copied for a spreadsheet.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QAction;
class QDialog;
class QDateTime;
class QMainWindow;
class QMimeData;
class QWidget;

namespace millcalc {

class FormMain;
struct CalculationSheet;

class SheetCommands : public QObject {
public:
    // Asks for the name of the PDF file, proposing one; empty when the user
    // cancels. The desktop's save dialog unless a test replaces it.
    using AskFileName = std::function<QString(QWidget* parent, const QString& proposed)>;

    // Adds the menu to the main window's menu bar, before "Помощь..".
    SheetCommands(FormMain& form, QMainWindow* mainWindow);

    // The results window: its context menu offers the three commands after
    // those it has, and their shortcuts work there too.
    void attachResults(QWidget* results);

    QAction* previewAction() const { return preview_; }
    QAction* pdfAction() const { return pdf_; }
    QAction* copyAction() const { return copy_; }
    QAction* headerAction() const { return header_; }
    // "Шапка листа...", made at the first call.
    QDialog* headerDialog();

    void setAskFileName(AskFileName ask) { askFileName_ = std::move(ask); }

    CalculationSheet sheet() const;
    void showPreview();
    void saveAsPdf();
    void copyTable();
    // "Шапка листа...": the part, the operation and the author, modal.
    void editHeader();

    // `расчет-<machine>-<method>-<date>.pdf` in the user's documents folder.
    static QString proposedPdfPath(const CalculationSheet& sheet, const QDateTime& when);
    // Writes the PDF; on failure shows the error box naming the file and why.
    static bool savePdf(QWidget* parent, const CalculationSheet& sheet, const QString& path);
    // The copied table, text in the default locale's notation and HTML.
    static QMimeData* tableData(const CalculationSheet& sheet);

    static constexpr const char* kErrorCaption = "Ошибка сохранения";

private:
    void followPage();
    QWidget* dialogParent() const;

    FormMain& form_;
    QPointer<QMainWindow> mainWindow_;
    QPointer<QWidget> results_;
    QAction* preview_;
    QAction* pdf_;
    QAction* copy_;
    QAction* header_;
    // Made with the window: its fields are the controls of their names.
    QPointer<QDialog> headerDialog_;
    AskFileName askFileName_;
};

} // namespace millcalc
