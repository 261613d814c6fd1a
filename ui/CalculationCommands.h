// The menu "Файл": a new calculation, one opened from and saved to a file (the format
// is the core's, shell/CalculationFile), the last files, the window's title
// naming the file with "*" while the inputs differ from it, the question
// about unsaved changes before the program ends, and a file dropped on the
// window or named on the command line.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>

class QAction;
class QMainWindow;
class QMenu;
class QWidget;

namespace millcalc {

class FormMain;

class CalculationCommands : public QObject {
public:
    // Asks for a file name, proposing one; empty when the user cancels. The
    // desktop's dialogs unless a test replaces them.
    using AskFileName = std::function<QString(QWidget* parent, const QString& proposed)>;
    // Asks whether to save the changes: QMessageBox::Save, Discard or Cancel.
    using AskSave = std::function<int(QWidget* parent, const QString& fileName)>;

    static constexpr int kRecentFiles = 8;
    static constexpr const char* kOpenErrorCaption = "Ошибка открытия";
    static constexpr const char* kSaveErrorCaption = "Ошибка сохранения";

    // Puts the menu first on the main window's menu bar. The recent files
    // and the last folder are kept in settingsFile (an INI file of Qt's
    // settings); an empty name keeps them for this run only.
    CalculationCommands(FormMain& form, QMainWindow* mainWindow, QString settingsFile = QString());

    QAction* newAction() const { return new_; }
    QAction* openAction() const { return open_; }
    QAction* saveAction() const { return save_; }
    QAction* saveAsAction() const { return saveAs_; }
    QMenu* recentMenu() const { return recent_; }

    void setAskOpenName(AskFileName ask) { askOpenName_ = std::move(ask); }
    void setAskSaveName(AskFileName ask) { askSaveName_ = std::move(ask); }
    void setAskSave(AskSave ask) { askSave_ = std::move(ask); }

    // The file of the calculation, empty while it has none.
    const QString& currentFile() const { return currentFile_; }
    // Whether the inputs differ from the file (never without a file).
    bool isModified() const;
    QStringList recentFiles() const { return recentFiles_; }

    // Reads the file whole and applies it, then runs its method's
    // calculation; a file that is no calculation changes nothing and brings
    // the box naming the file, the line and the reason.
    bool openFile(const QString& path);
    // "Новый расчет": asks about unsaved changes as opening does, then the
    // start-up inputs and results of every method, and no file.
    bool newCalculation();
    bool save();
    bool saveAs();
    // Writes to a temporary file in the same folder, then renames it over
    // the file; on failure the box names the file and the reason, and the
    // old file stays as it was.
    bool saveTo(const QString& path);
    // Before the calculation is closed: true to go on. A calculation with a
    // file and unsaved changes asks first.
    bool mayClose();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void askAndOpen();
    void inputsChanged();
    void updateTitle();
    void rememberFile(const QString& path);
    void fillRecentMenu();
    void saveSettings() const;
    QWidget* dialogParent() const;
    QString proposedPath() const;

    FormMain& form_;
    QPointer<QMainWindow> mainWindow_;
    QString settingsFile_;
    QAction* new_;
    QAction* open_;
    QAction* save_;
    QAction* saveAs_;
    QMenu* recent_;
    AskFileName askOpenName_;
    AskFileName askSaveName_;
    AskSave askSave_;
    QString currentFile_;
    std::string savedBody_;
    bool modified_ = false;
    bool checkPending_ = false;
    QStringList recentFiles_;
    QString lastFolder_;
};

} // namespace millcalc
