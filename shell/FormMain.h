// The main window put together: the methods and their commands installed on
// the form, the creation step that fills it at start, the calculation dispatch
// and the page and machine selections, and the nomogram it shows.
#pragma once

#include "app/Form.h"
#include "machines/MachineTable.h"
#include "shell/CutterChoice.h"
#include "shell/Graphic.h"
#include "shell/Methods.h"

#include <optional>
#include <string>
#include <vector>

namespace millcalc {

// The results of a method page as they stand against its inputs.
enum class ResultsState {
    None, // not calculated since the start or the last "Новый расчет"
    Fresh, // calculated on the inputs as they stand
    Stale, // an input, or the machine, changed since
};

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

    // The log lines that the last "Расчет" of a method's page wrote; empty
    // for any other page and before the first.
    const std::vector<std::string>& calculationLog(int page) const;
    ResultsState resultsState(int page) const;

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
    void installMethods();
    void copyBack(const std::string& from, const std::string& to);
    void literature();
    void endProgram();
    // The machine and the method's inputs in one text, to tell a change.
    std::string inputsOf(int page) const;
    void calculated(int page);

    Nomogram nomogram_;
    CutterChoice cutters_;
    std::vector<std::vector<std::string>> calculationLogs_;
    // The inputs each page's results were calculated on; none before.
    std::vector<std::optional<std::string>> calculatedOn_;
    // The calculation's fields as the creation step left them.
    std::vector<Field> startUp_;
};

} // namespace millcalc
