// A calculation kept in a file: the selected machine (by its id in the park),
// the active method and every input of every method, written as a scenario of
// `machine`, `set`, `pick` and `check` lines that millcalc-scenario replays as it is, and read back
// whole or not at all.
#pragma once

#include "shell/input/InputLine.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace millcalc {

class FieldStore;
class Form;

// The file name's ending, without its dot.
inline constexpr const char* kCalculationExtension = "millcalc";
// The largest file that is read: a calculation takes a few kilobytes.
inline constexpr std::size_t kCalculationFileLimit = 1024 * 1024;

// The controls a calculation file holds, in the order it writes them: the
// machine, the material group of the material panel, the inputs of the
// three method pages and the aluminium formula coefficients as the caption
// table lists them, the passes across the part that a fit counted (after
// the width they were counted at), the sheet's header, and last the method.
// An input joins by being declared in the caption table.
std::vector<std::string> calculationFields();

// The lines that set the form's inputs, without the comment header: the
// machine ("machine ID" and a comment line with its name), the picks and
// checks, whose handlers may write texts, then the texts, then the cutters
// chosen, then the method. Equal bodies mean equal inputs. cutterIds: the id
// of the cutter chosen on each method page ("" for none), each written as the
// page's pick and a "cutter ID" line.
std::string calculationBody(const Form& form, std::span<const std::string> cutterIds = {});
// Whether two bodies hold the same inputs: line by line equal, but for a text
// that states the same number in another form, as a calculation writes back
// an input it reads ("90.0" as "90.00000"). A number changed is a change.
bool sameCalculation(std::string_view body, std::string_view other);
// The whole file: a comment header naming the program, its version and the
// date, then the body, then the results given (comment lines) as they are.
std::string calculationText(const Form& form, std::string_view version, std::string_view date,
    std::string_view results = {}, std::span<const std::string> cutterIds = {});

// A machine's name as the names of the files proposed for it take it (the
// calculation file, the sheet's PDF): kept as it is (blanks, brackets,
// Cyrillic) but for what a file name cannot hold: "/" and the control
// characters become "-". No machine: "станок".
std::string fileNameWord(std::string_view machine);

// The name proposed for a new calculation's file: "расчет-MACHINE.millcalc",
// the machine's name in fileNameWord's words.
std::string calculationFileName(std::string_view machine);

// A line of the file: an input command, read by the one grammar of input lines.
using CalculationLine = InputLine;

struct CalculationError {
    int line = 0; // 1-based; 0 where the file as a whole is at fault
    std::string reason;
};

// Reads the bytes of a calculation file against the store's controls, with
// nothing changed, each line by the grammar of input lines. Returns false with
// the first fault: over the size limit, binary, not UTF-8, a command other
// than machine, set, pick, check and cutter, a machine id that no park could
// hold, a field that the file does not hold, a command of the wrong kind for
// its field, an item out of range, a text's line cut at the field's name, or
// no method at the end (a file cut short).
bool readCalculation(std::string_view bytes, const FieldStore& store,
    std::vector<CalculationLine>& lines, CalculationError& error);

// Performs the lines as a user would, as the scenario runner does. A machine
// that the form's park lacks leaves the first machine of the park selected,
// and a log line names it; a cutter line goes to chooseCutter with the input
// page shown (none: passed over).
void applyCalculation(
    Form& form, const std::vector<CalculationLine>& lines, const CutterChooser& chooseCutter = {});

} // namespace millcalc
