// "Сравнение станков": the active method's full calculation run for every
// machine on detached copies of the window, as shares of each machine's limits,
// with what a fit to each machine would change.
#pragma once

#include "machines/MachineTable.h"

#include <string>
#include <string_view>
#include <vector>

namespace millcalc {

class Form;
struct Method;

// One result of one machine: the share of the limit it uses in whole per cent
// (rounded down) and whether the result field is red on that machine. A
// machine without such a limit (the spindle-load table of the first machines)
// has no share.
struct LimitShare {
    bool checked = false;
    double percent = 0;
    bool red = false;
};

struct MachineOutcome {
    std::string name;
    bool stopped = false; // the calculation would stop with a warning box
    std::vector<LimitShare> shares;
    // n reaches the chosen cutter's maximum speed on this machine.
    bool cutterBinds = false;
    // What the fit would change on this machine, in short; "—" where nothing
    // is red.
    std::string fit;
};

struct MachineComparison {
    // The method of the active result page; null on the blank page, where
    // every machine's calculation stops.
    const Method* method = nullptr;
    std::vector<std::string> symbols; // of the checked results, in column order
    std::vector<MachineOutcome> machines; // in the park's order
};

// Runs the method of the active result page for each machine on a copy of the
// form with the inputs as they stand; the form itself does not change.
MachineComparison compareMachines(const Form& form);

// What a heading of the comparison names and, for a result's column, what
// its per cents are a share of; empty for a heading it does not have.
std::string comparisonHeadingTip(std::string_view heading);

// The creation step's headings and names in StringGridMachines.
void createMachineComparison(Form& form);
// Computes the comparison and writes it into StringGridMachines, while its
// panel is shown; a hidden panel is left as it is.
void refreshMachineComparison(Form& form);
// Makes the selected machine's row the grid's current one: the panel marks it.
void markSelectedMachine(Form& form);
// What the panel's menu items and status-line button do after showing it
// (shell/WindowPanels.h): a panel shown already is refreshed all the same, as
// the user asked for it; one that turns visible was refreshed as it did.
void machinesPanelShown(Form& form, bool already);
// The panel's commands: a double click on a machine's row selects that
// machine. The panel is refreshed whenever it turns visible, whatever shows
// it, and after every
// calculation the form's notice tells of; a park listed anew is listed in
// the grid, and the machine selected is marked there.
void installMachineComparison(Form& form);

} // namespace millcalc
