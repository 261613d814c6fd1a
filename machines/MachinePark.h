// Where the park comes from: the five built-in machines; the shop's file
// millcalc/machines.json in the first of $XDG_CONFIG_DIRS that holds one,
// which replaces them; and the user's own file in $XDG_CONFIG_HOME, which
// overrides the machines below it by id, each in its place, hides those it
// lists as hidden, and adds its own after them. Reading never writes a file.
#pragma once

#include "app/UserFiles.h"
#include "machines/MachineTable.h"
#include "machines/ParkFile.h"

#include <string>
#include <vector>

namespace millcalc {

// The caption of the box that shows the park's messages.
inline constexpr const char* kParkCaption = "Парк станков";
// The park file's place under a configuration folder.
inline constexpr const char* kParkFileName = "millcalc/machines.json";

// The built-in park's file text.
const char* builtInParkText();

struct ParkLoad {
    MachineTable machines; // the park, in TabMach's order; never empty
    // What the user's file stands on: the shop's machines, or the built-in
    // ones when no shop file loads.
    MachineTable base;
    // The user's file as read; empty when there is none or it is bad.
    ParkFile user;
    std::string userPath; // where the user's file is and is saved
    // One message a faulty file, naming the file, the machine and the field;
    // empty when all went well.
    std::vector<std::string> messages;
};

// Loads the park from the folders (userFolders() for this process).
ParkLoad loadMachinePark(const UserFolders& folders);

// The user's file's place: $XDG_CONFIG_HOME/millcalc/machines.json.
std::string userParkPath(const UserFolders& folders);

// base with the user's file applied: its machines whose id base holds take
// their place, its hidden ids leave, and its other machines come after, in
// the file's order.
MachineTable mergePark(const MachineTable& base, const ParkFile& user);

// The user's file that turns base into park: the machines of park that base
// lacks or holds otherwise (in park's order), and base's ids that park lacks
// as hidden. mergePark(base, userParkFile(base, park)) lists park's machines
// (those of base in base's order).
ParkFile userParkFile(const MachineTable& base, const MachineTable& park);

// Writes the user's file whole or not at all (writeFileAtomically); empty on
// success, else why not (in Russian).
std::string saveUserPark(const std::string& path, const ParkFile& file);

} // namespace millcalc
