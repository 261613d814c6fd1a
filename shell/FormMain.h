// The main window put together: the methods and their commands installed on
// the form, the creation step that fills it at start, the calculation dispatch
// and the page and machine selections, and the nomogram it shows.
#pragma once

#include "app/Form.h"
#include "app/Panel.h"
#include "machines/MachineTable.h"
#include "shell/CutterChoice.h"
#include "shell/nomogram/Graphic.h"
#include "shell/sheet/CalculationRecord.h"
#include "shell/table/Methods.h"

#include <string>
#include <vector>

namespace millcalc {

class FormMain : public Form {
public:
    explicit FormMain(Toolkit& toolkit);

    // The park, in TabMach's order.
    const MachineTable& machines() const { return machinesOf(*this); }
    // The machine that TabMach selects; row 0 while nothing is selected.
    int machineIndex() const { return selectedMachineIndex(*this); }
    const MachineRecord& machine() const { return selectedMachine(*this); }
    // Replaces the park (an empty one by the built-in machines). Once the
    // window is created, TabMach lists the new park and keeps the selected
    // machine by its id where the park still holds it, else the first; the
    // machine selection then runs, and the comparison lists the new park.
    void setMachines(MachineTable machines);
    Nomogram& nomogram() { return nomogram_; }
    const Nomogram& nomogram() const { return nomogram_; }

    // The cutter library and the pages' cutter choosers.
    CutterChoice& cutters() { return cutters_; }
    const CutterChoice& cutters() const { return cutters_; }

    // Program start: the creation step of the main window (ending with the
    // auto-fill), then the log window, the splash, the nomogram and the
    // designations window, and the focus on "Расчет", with the cutter library
    // of userFolders() in the choosers. Errors propagate.
    void start();
    void create();

    // Each method's last calculation: the log lines of its last "Расчет" and
    // whether its results still follow from the inputs.
    const CalculationRecord& record() const { return record_; }

    // "Новый расчет": the inputs and results of every method as the start
    // left them, the sheet's header empty; the machine, the pages, the
    // panels and the log stay as they are.
    void newCalculation();

    // The panels beside the results that a user keeps open from one run to
    // the next (the materials, the aluminium formulas and temperatures, the
    // machine comparison), those shown now; the results come with a
    // calculation and are none of them.
    std::vector<std::string> keptPanels() const;
    // Shows those of the names that are such panels, as their menu items
    // do; any other name is passed over.
    void showKeptPanels(const std::vector<std::string>& names);

    // Window logic.
    void calculationDispatch();
    void inputPageChange();
    void resultPageChange();
    void machineSelection();

private:
    void listMachines(int row);
    void installCommands();
    // The panel's buttons and menu lines show it, then do what its row adds.
    void installShow(const Panel& panel);
    void installMethods();
    void copyBack(const std::string& from, const std::string& to);
    void literature();
    void endProgram();
    // Tells the calculation notice that the park is listed anew.
    void parkListed();

    // Follows the calculation notice before anything the methods install.
    CalculationRecord record_;
    Nomogram nomogram_;
    CutterChoice cutters_;
    // The calculation's fields as the creation step left them.
    std::vector<Field> startUp_;
};

} // namespace millcalc
