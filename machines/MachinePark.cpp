#include "machines/MachinePark.h"

#include <algorithm>
#include <cstddef>

namespace millcalc {

namespace {

// The machines of one file, or none with its message.
bool readParkFile(const std::string& path, ParkFile& file, std::vector<std::string>& messages)
{
    const FileRead bytes = readWholeFile(path, kParkFileLimit);
    if (bytes.missing)
        return false;
    if (!bytes.error.empty()) {
        messages.push_back(parkFaultText(path, {}, { {}, bytes.error }));
        return false;
    }
    ParkRead read = readParkText(bytes.bytes, path);
    if (!read.error.empty()) {
        messages.push_back(read.error);
        return false;
    }
    file = std::move(read.file);
    return true;
}

bool holds(const std::vector<std::string>& ids, const std::string& id)
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

} // namespace

std::string userParkPath(const UserFolders& folders)
{
    return folders.configHome.empty() ? std::string() : folders.configHome + "/" + kParkFileName;
}

MachineTable mergePark(const MachineTable& base, const ParkFile& user)
{
    MachineTable park;
    for (const MachineRecord& m : base) {
        if (holds(user.hidden, m.Id))
            continue;
        const int own = machineIndexById(user.machines, m.Id);
        park.push_back(own >= 0 ? user.machines[static_cast<std::size_t>(own)] : m);
    }
    for (const MachineRecord& m : user.machines) {
        if (machineIndexById(base, m.Id) < 0)
            park.push_back(m);
    }
    return park;
}

ParkFile userParkFile(const MachineTable& base, const MachineTable& park)
{
    ParkFile file;
    for (const MachineRecord& m : park) {
        const int at = machineIndexById(base, m.Id);
        if (at < 0 || !(base[static_cast<std::size_t>(at)] == m))
            file.machines.push_back(m);
    }
    for (const MachineRecord& m : base) {
        if (machineIndexById(park, m.Id) < 0)
            file.hidden.push_back(m.Id);
    }
    return file;
}

ParkLoad loadMachinePark(const UserFolders& folders)
{
    ParkLoad load;
    load.base = builtInMachines();
    bool shopFailed = false;
    if (const std::string shop = firstExisting(folders.configDirs, kParkFileName); !shop.empty()) {
        ParkFile file;
        if (readParkFile(shop, file, load.messages))
            load.base = std::move(file.machines);
        else
            shopFailed = true;
    }
    // The shop's file failed: its machines are left out, and the user's own
    // stand alone (or the built-in ones, should the park be empty).
    if (shopFailed)
        load.base.clear();
    load.userPath = userParkPath(folders);
    if (!load.userPath.empty())
        readParkFile(load.userPath, load.user, load.messages);
    load.machines = mergePark(load.base, load.user);
    if (load.machines.empty()) {
        load.machines = builtInMachines();
        if (shopFailed) {
            load.base = load.machines;
            load.messages.front() += ". Используются встроенные станки.";
        } else {
            load.messages.emplace_back("В парке не осталось станков: используются встроенные.");
        }
    }
    return load;
}

std::string saveUserPark(const std::string& path, const ParkFile& file)
{
    return writeFileAtomically(path, parkFileText(file));
}

} // namespace millcalc
