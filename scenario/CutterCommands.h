// The runner's cutter commands: import-cutters FILE and cutters, which answer
// with one line a cutter.
#pragma once

#include "app/UserFiles.h"
#include "cutters/Cutter.h"

#include <string>
#include <vector>

namespace millcalc {

// The columns after "CUTTER": name, D, teeth, stick-out, material, max rpm;
// numbers "%g" in the C locale, a column empty where the value is unknown.
std::vector<std::string> cutterColumns(const Cutter& cutter);

struct CutterAnswer {
    std::vector<std::vector<std::string>> cutters; // each cutter's columns
    std::string error;
};

// Imports file into the user's library of folders, as the desktop does: the
// lines of the cutters brought or updated, in the file's order.
CutterAnswer importCuttersCommand(const std::string& file, const UserFolders& folders);

// The whole library of folders.
CutterAnswer listCuttersCommand(const UserFolders& folders);

} // namespace millcalc
