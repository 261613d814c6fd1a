// "Фрезы...": the cutter library listed and edited, cutters added, copied
// (a shop cutter into the user's file) and deleted, tool files imported and
// the library exported, and the cuts kept with a cutter restored. "OK" writes
// the user's file whole; the shop's file is never written.
#pragma once

#include "cutters/CutterLibrary.h"

#include <QDialog>
#include <QString>

#include <array>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMainWindow;
class QPushButton;

namespace millcalc {

class FormMain;

class CuttersWindow : public QDialog {
public:
    // Asks for a file to open or to save to; the tests answer themselves.
    using AskFile = std::function<QString(QWidget* parent, bool save)>;

    CuttersWindow(FormMain& form, QWidget* parent = nullptr, AskFile askFile = {});

    // The editor of a cutter's field and the reason beside it ("" when none).
    QLineEdit* editor(const char* key) const;
    QString fault(const char* key) const;

    void addCutter();
    void copyCutter();
    void removeCutter();
    void importFile(const QString& path);
    void exportFile(const QString& path);
    // Takes the editors into the cutter shown; false, with the reasons beside
    // the fields, when one is invalid.
    bool takeEdits();
    // Saves the user's file and hands the library to the window; the dialog
    // stays open with a box on a failure.
    void accept() override;
    void restoreCut(int cut);

private:
    static constexpr int kFields = 7;
    void fillList();
    void showCutter(int row);
    void showError(const QString& text);

    FormMain& form_;
    AskFile askFile_;
    CutterLibrary edited_;
    QListWidget* list_ = nullptr;
    QListWidget* cuts_ = nullptr;
    std::array<QLineEdit*, kFields> editors_ {};
    std::array<QLabel*, kFields> faults_ {};
    QComboBox* material_ = nullptr;
    QLabel* origin_ = nullptr;
    int shown_ = -1;
    bool filling_ = false;
};

// The main menu's "Фрезы": "Фрезы..." (NCutters) opens the window;
// "Сохранить режим в фрезу" (NSaveCut) keeps the page's inputs with its
// chosen cutter.
void installCutterMenu(FormMain& form, QMainWindow* mainWindow);

} // namespace millcalc
