#include "ui/CalculationCommands.h"

#include "shell/FormMain.h"
#include "shell/file/CalculationFile.h"
#include "shell/file/CalculationResults.h"
#include "shell/table/Methods.h"
#include "ui/SettingsFile.h"
#include "ui/bind/NamedAction.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#ifndef MILLCALC_VERSION
#define MILLCALC_VERSION "1.0"
#endif

namespace millcalc {

namespace {

// The keys of the settings file that the file commands keep.
const QString kRecentKey = QStringLiteral("files/recent");
const QString kFolderKey = QStringLiteral("files/lastFolder");

QString filter()
{
    return QStringLiteral("Расчет millcalc (*.%1)").arg(QLatin1String(kCalculationExtension));
}

// The local calculation file among dropped addresses, empty when none is.
QString droppedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return QString();
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return QString();
}

void showError(QWidget* parent, const char* caption, const QString& text)
{
    QMessageBox box(
        QMessageBox::Critical, QString::fromUtf8(caption), text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("CalculationErrorBox"));
    box.exec();
}

// The file whole, complete or not at all: written beside it under another
// name and renamed at the end. Empty when written, else why not, in Russian.
QString writeWhole(const QString& path, const QByteArray& bytes)
{
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    if (!folder.exists())
        return QStringLiteral("папка «%1» не существует").arg(folder.filePath());
    if (!folder.isDir())
        return QStringLiteral("«%1» не папка").arg(folder.filePath());
    if (target.isDir())
        return QStringLiteral("это папка, а не файл");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (!folder.isWritable())
            return QStringLiteral("нет права записи в папку «%1»").arg(folder.filePath());
        return QStringLiteral("файл не удалось создать (%1)").arg(file.errorString());
    }
    if (file.write(bytes) != bytes.size()) {
        const QString detail = file.errorString();
        file.cancelWriting();
        file.commit();
        return QStringLiteral("ошибка записи — возможно, диск заполнен (%1)").arg(detail);
    }
    // A failed flush (a full disk) makes the commit fail and drop the file.
    if (!file.commit())
        return QStringLiteral("ошибка записи — возможно, диск заполнен (%1)")
            .arg(file.errorString());
    return QString();
}

} // namespace

CalculationCommands::CalculationCommands(
    FormMain& form, QMainWindow* mainWindow, QString settingsFile)
    : QObject(mainWindow)
    , form_(form)
    , mainWindow_(mainWindow)
    , settingsFile_(std::move(settingsFile))
    // The same name as the window logic's menu item, which the scenario
    // runner clicks; here the question about unsaved changes comes first.
    , new_(namedAction(mainWindow, "NNew", QStringLiteral("&Новый расчет"), QKeySequence::New))
    , open_(namedAction(
          mainWindow, "FileOpen", QStringLiteral("&Открыть расчет..."), QKeySequence::Open))
    , save_(namedAction(
          mainWindow, "FileSave", QStringLiteral("&Сохранить расчет"), QKeySequence::Save))
    , saveAs_(namedAction(mainWindow, "FileSaveAs", QStringLiteral("Сохранить расчет &как..."),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)))
    , askOpenName_([](QWidget* parent, const QString& proposed) {
        return QFileDialog::getOpenFileName(
            parent, QStringLiteral("Открыть расчет"), proposed, filter());
    })
    , askSaveName_([](QWidget* parent, const QString& proposed) {
        return QFileDialog::getSaveFileName(
            parent, QStringLiteral("Сохранить расчет"), proposed, filter());
    })
    , askSave_([](QWidget* parent, const QString& fileName) {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Расчет режимов резания"),
            QStringLiteral("Сохранить изменения в %1?").arg(fileName), QMessageBox::NoButton,
            parent);
        box.setObjectName(QStringLiteral("SaveChangesBox"));
        box.addButton(QStringLiteral("Сохранить"), QMessageBox::AcceptRole)
            ->setObjectName(QStringLiteral("Save"));
        box.addButton(QStringLiteral("Не сохранять"), QMessageBox::DestructiveRole)
            ->setObjectName(QStringLiteral("Discard"));
        QPushButton* cancel = box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
        cancel->setObjectName(QStringLiteral("Cancel"));
        box.setDefaultButton(cancel);
        box.setEscapeButton(cancel);
        box.exec();
        const QString chosen = box.clickedButton() ? box.clickedButton()->objectName() : QString();
        return chosen == QLatin1String("Save")   ? int(QMessageBox::Save)
            : chosen == QLatin1String("Discard") ? int(QMessageBox::Discard)
                                                 : int(QMessageBox::Cancel);
    })
{
    // A settings file that cannot be read is as none.
    const QVariantMap settings = readSettings(settingsFile_, { kRecentKey, kFolderKey });
    recentFiles_ = settings.value(kRecentKey).toStringList();
    lastFolder_ = settings.value(kFolderKey).toString();
    while (recentFiles_.size() > kRecentFiles)
        recentFiles_.removeLast();

    auto* menu = new QMenu(QStringLiteral("&Файл"), mainWindow);
    menu->setObjectName(QStringLiteral("FileMenu"));
    recent_ = new QMenu(QStringLiteral("&Последние расчеты"), menu);
    recent_->setObjectName(QStringLiteral("RecentMenu"));
    menu->addActions({ new_, open_, save_, saveAs_ });
    menu->addSeparator();
    menu->addMenu(recent_);
    QMenuBar* bar = mainWindow->menuBar();
    bar->insertMenu(bar->actions().value(0), menu);
    fillRecentMenu();

    connect(new_, &QAction::triggered, this, &CalculationCommands::newCalculation);
    connect(open_, &QAction::triggered, this, &CalculationCommands::askAndOpen);
    connect(save_, &QAction::triggered, this, &CalculationCommands::save);
    connect(saveAs_, &QAction::triggered, this, &CalculationCommands::saveAs);

    // Whether the inputs differ from the file is found once the command that
    // changed them has run to its end: a calculation changes hundreds of fields.
    QPointer<CalculationCommands> self(this);
    form_.store().listen([self](const std::string& name, Change change) {
        if (!self)
            return;
        if (name == "FormMain" && change == Change::Text)
            self->updateTitle();
        else if (change == Change::Text || change == Change::Index || change == Change::Checked)
            self->inputsChanged();
    });

    mainWindow->setAcceptDrops(true);
    mainWindow->installEventFilter(this);
}

bool CalculationCommands::isModified() const
{
    return !currentFile_.isEmpty()
        && (checkPending_
                ? !sameCalculation(calculationBody(form_, form_.cutters().chosenIds()), savedBody_)
                : modified_);
}

void CalculationCommands::inputsChanged()
{
    if (currentFile_.isEmpty() || checkPending_)
        return;
    checkPending_ = true;
    QTimer::singleShot(0, this, [this] {
        checkPending_ = false;
        const bool modified
            = !sameCalculation(calculationBody(form_, form_.cutters().chosenIds()), savedBody_);
        if (modified != modified_) {
            modified_ = modified;
            updateTitle();
        }
    });
}

void CalculationCommands::updateTitle()
{
    if (!mainWindow_)
        return;
    // The store's title names the machine; the file follows it.
    QString title = QString::fromStdString(form_.store().text("FormMain")).trimmed();
    if (!currentFile_.isEmpty()) {
        title += QStringLiteral(" — %1[*]").arg(QFileInfo(currentFile_).fileName());
        mainWindow_->setWindowTitle(title);
        mainWindow_->setWindowModified(modified_);
    } else {
        mainWindow_->setWindowModified(false);
        mainWindow_->setWindowTitle(QString::fromStdString(form_.store().text("FormMain")));
    }
}

QWidget* CalculationCommands::dialogParent() const
{
    QWidget* active = QApplication::activeWindow();
    return active ? active : mainWindow_.data();
}

QString CalculationCommands::proposedPath() const
{
    if (!currentFile_.isEmpty())
        return currentFile_;
    QString folder = lastFolder_;
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    return QDir(folder).filePath(
        QString::fromStdString(calculationFileName(form_.store().text("TabMach"))));
}

void CalculationCommands::askAndOpen()
{
    if (!mayClose())
        return;
    QString proposed = lastFolder_;
    if (proposed.isEmpty())
        proposed = QFileInfo(proposedPath()).absolutePath();
    const QString path = askOpenName_(dialogParent(), proposed);
    if (!path.isEmpty())
        openFile(path);
}

bool CalculationCommands::openFile(const QString& path)
{
    const QString shown = QDir::toNativeSeparators(path);
    const auto refuse = [&](int line, const QString& reason) {
        const QString where
            = line > 0 ? QStringLiteral("Строка %1: ").arg(line) : QStringLiteral("Причина: ");
        showError(dialogParent(), kOpenErrorCaption,
            QStringLiteral("Файл не открыт как расчет:\n%1\n\n%2%3.").arg(shown, where, reason));
        return false;
    };
    if (QFileInfo(path).isDir())
        return refuse(0, QStringLiteral("это папка, а не файл"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(0, QStringLiteral("файл не читается (%1)").arg(file.errorString()));
    // One byte over the limit tells that the file is too long.
    const QByteArray bytes = file.read(static_cast<qint64>(kCalculationFileLimit) + 1);
    if (file.error() != QFileDevice::NoError)
        return refuse(0, QStringLiteral("файл не читается (%1)").arg(file.errorString()));
    std::vector<CalculationLine> lines;
    CalculationError error;
    const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (!readCalculation(view, form_.store(), lines, error))
        return refuse(error.line, QString::fromStdString(error.reason));

    applyCalculation(form_, lines, [this](const Method& method, const std::string& id) {
        form_.cutters().chooseById(method, id);
    });
    // Taken before the calculation: a correction it makes to an input is a
    // change to the file's inputs; the same number written back in its own
    // form is none.
    savedBody_ = calculationBody(form_, form_.cutters().chosenIds());
    currentFile_ = QFileInfo(path).absoluteFilePath();
    if (activeMethod(form_.store()) != nullptr)
        form_.click("BitCalcs");
    modified_ = !sameCalculation(calculationBody(form_, form_.cutters().chosenIds()), savedBody_);
    checkPending_ = false;
    rememberFile(currentFile_);
    updateTitle();
    return true;
}

bool CalculationCommands::newCalculation()
{
    if (!mayClose())
        return false;
    form_.click("NNew");
    currentFile_.clear();
    savedBody_.clear();
    modified_ = false;
    checkPending_ = false;
    updateTitle();
    return true;
}

bool CalculationCommands::save()
{
    return currentFile_.isEmpty() ? saveAs() : saveTo(currentFile_);
}

bool CalculationCommands::saveAs()
{
    QString path = askSaveName_(dialogParent(), proposedPath());
    if (path.isEmpty())
        return false;
    const QString ending = QLatin1Char('.') + QLatin1String(kCalculationExtension);
    if (!path.endsWith(ending, Qt::CaseInsensitive))
        path += ending;
    return saveTo(path);
}

bool CalculationCommands::saveTo(const QString& path)
{
    const std::string body = calculationBody(form_, form_.cutters().chosenIds());
    const std::string text = calculationText(form_, MILLCALC_VERSION,
        QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy HH:mm")).toStdString(),
        calculationResults(form_, form_.record()), form_.cutters().chosenIds());
    const QString why = writeWhole(path, QByteArray::fromStdString(text));
    if (!why.isEmpty()) {
        showError(dialogParent(), kSaveErrorCaption,
            QStringLiteral("Расчет не сохранен в файл\n%1\n\nПричина: %2.")
                .arg(QDir::toNativeSeparators(path), why));
        return false;
    }
    currentFile_ = QFileInfo(path).absoluteFilePath();
    savedBody_ = body;
    modified_ = false;
    checkPending_ = false;
    rememberFile(currentFile_);
    updateTitle();
    return true;
}

bool CalculationCommands::mayClose()
{
    if (!isModified())
        return true;
    switch (askSave_(dialogParent(), QFileInfo(currentFile_).fileName())) {
    case QMessageBox::Save:
        return save();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void CalculationCommands::rememberFile(const QString& path)
{
    recentFiles_.removeAll(path);
    recentFiles_.prepend(path);
    while (recentFiles_.size() > kRecentFiles)
        recentFiles_.removeLast();
    lastFolder_ = QFileInfo(path).absolutePath();
    fillRecentMenu();
    saveSettings();
}

void CalculationCommands::fillRecentMenu()
{
    recent_->clear();
    for (int i = 0; i < recentFiles_.size(); ++i) {
        const QString path = recentFiles_[i];
        QAction* item = recent_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(
            QDir::toNativeSeparators(path).replace(QLatin1Char('&'), QStringLiteral("&&"))));
        connect(item, &QAction::triggered, this, [this, path] {
            if (mayClose())
                openFile(path);
        });
    }
    recent_->setEnabled(!recentFiles_.isEmpty());
}

void CalculationCommands::saveSettings() const
{
    writeSettings(settingsFile_, { { kRecentKey, recentFiles_ }, { kFolderKey, lastFolder_ } });
}

bool CalculationCommands::eventFilter(QObject* watched, QEvent* event)
{
    // The event's type first: the window's own events run on while it is
    // destroyed, when it may no longer be taken for a main window.
    if (event->type() == QEvent::DragEnter && watched == mainWindow_) {
        auto* drag = static_cast<QDragEnterEvent*>(event);
        if (!droppedFile(drag->mimeData()).isEmpty()) {
            drag->acceptProposedAction();
            return true;
        }
    } else if (event->type() == QEvent::Drop && watched == mainWindow_) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = droppedFile(drop->mimeData());
        if (!path.isEmpty()) {
            drop->acceptProposedAction();
            // Opened after the drop has ended: the box of a bad file is modal.
            QTimer::singleShot(0, this, [this, path] {
                if (mayClose())
                    openFile(path);
            });
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace millcalc
