// The window "Станки": the park's machines listed, added, copied and deleted;
// the selected one's figures and its curve edited, its nomogram drawn as it
// is edited, and the curve built from the datasheet's figures. "OK" writes the
// user's own park file (only the machines that differ from the shop's or the
// built-in ones, and the ids deleted as hidden) and hands the park to the
// window logic; the shop's file is never written.
#pragma once

#include "app/UserFiles.h"
#include "machines/MachinePark.h"

#include <QDialog>
#include <QHash>
#include <QString>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace millcalc {

class FormMain;
class NomogramChart;

class MachineEditor : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kWindowName = "FormMachines";
    static constexpr const char* kTitle = "Станки";

    // Reads the park's files from folders as they stand now.
    MachineEditor(FormMain& form, const UserFolders& folders, QWidget* parent = nullptr);
    ~MachineEditor() override;

    // The machines as edited so far, in the list's order.
    const MachineTable& machines() const { return park_; }
    int selectedRow() const { return row_; }
    // The nomogram of the selected machine's curve; null without the module.
    const NomogramChart* chart() const { return chart_; }

    // "OK": checks every machine, writes the user's file, hands the park to
    // the window logic and closes; false, with the fault beside its field
    // and its machine selected, when a machine is not valid or the file
    // cannot be written.
    bool save();

private:
    QWidget* createList();
    QWidget* createFigures();
    QWidget* createCurve();
    QWidget* createChart();

    void selectRow(int row);
    void showMachine();
    void showCurve();
    void redrawChart();
    void figureEdited(const QString& key, const QString& text);
    void curveEdited(int row, int column);
    void addMachine();
    void copyMachine();
    void deleteMachine();
    void addPoint();
    void removePoint();
    void fromDatasheet();
    // The machine's fault beside its field (or none); the unique id too.
    void showFault(const MachineFault& fault);
    MachineFault faultOf(int row) const;
    // A fault's red label, hidden while there is none.
    static QLabel* faultLabel(const char* key);
    static QPushButton* commandButton(const char* name, const char* caption);
    MachineRecord& current() { return park_[static_cast<std::size_t>(row_)]; }
    QString uniqueId(const QString& stem) const;

    FormMain& form_;
    ParkLoad load_;
    MachineTable park_;
    int row_ = -1;
    bool showing_ = false; // the fields are being filled, not edited
    bool checking_ = false; // a save was refused: faults follow the edits
    bool userFileFaulty_ = false; // the user's file is there but was not read
    QListWidget* list_ = nullptr;
    QHash<QString, QLineEdit*> fields_; // by the file's key
    QHash<QString, QLabel*> faults_; // by the file's key
    QTableWidget* curve_ = nullptr;
    QLabel* spindleLoad_ = nullptr;
    QPushButton* delete_ = nullptr;
    NomogramChart* chart_ = nullptr;
    QLabel* note_ = nullptr;
};

// The window opened modally over parent, built now and deleted when closed;
// a window already open is raised instead.
MachineEditor* openMachineEditor(FormMain& form, QWidget* parent);

// A figure as the editor writes it: "." whatever the locale, the fewest
// digits that read back the same; empty for a figure that is no number.
QString figureText(double value);
// A figure's text: "," reads as "."; empty reads as 0; a text that is no
// number whole reads as NaN (which no check passes).
double readFigure(const QString& text);

} // namespace millcalc
