// The machine park file: UTF-8 JSON in fixed units (rev/min, mm/min, kW,
// N·m, kN), read whole or not at all, every fault named with its file, its
// machine and its field, and written back in the same form.
//
// {"format": "millcalc-machines", "version": 1, "machines": [
//   {"id": "cell-3", "name": "...", "max_rpm": 12000, "min_rpm": 20,
//    "max_feed_mm_min": 10000, "power_kw": 19, "torque_nm": 82,
//    "knee_rpm": 2200, "curve": [[20, 0.4, 82], ...],
//    "spindle_load_kn": [[6000, 2.00], ...]},
//   {"id": "v-star", "hidden": true}]}
#pragma once

#include "machines/MachineTable.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace millcalc {

inline constexpr const char* kParkFormat = "millcalc-machines";
inline constexpr int kParkVersion = 1;
inline constexpr std::size_t kParkFileLimit = 1024 * 1024;
inline constexpr std::size_t kMachineNameLimit = 255; // bytes
inline constexpr std::size_t kMachineIdLimit = 64;

// What one file states: its machines in order, and the ids of the machines of
// the park below it that the file hides (a user's deletion).
struct ParkFile {
    MachineTable machines;
    std::vector<std::string> hidden;
    bool operator==(const ParkFile&) const = default;
};

// A fault of one machine: the file's key of the field ("max_rpm") and what is
// wrong with it, in Russian. An empty field means no fault.
struct MachineFault {
    std::string field;
    std::string message;
    explicit operator bool() const { return !field.empty(); }
};

// Whether the id is of [a-z0-9._-], 1 to 64 characters.
bool validMachineId(std::string_view id);

// Checks a machine as a file would state it: the id, the name, every figure
// (finite, above 0; MinSpindleSpeed may be 0 and lies below MaxSpindleSpeed),
// the curve (two points at least, strictly ascending speeds, every figure
// finite and not negative) and the spindle-load bands. A machine whose curve
// comes from its figures needs its knee between its least speed and its
// greatest. The first fault, in the order of the file's keys.
MachineFault validateMachine(const MachineRecord& machine);

// "Файл <path>, станок «<id>», поле <field>: <message>"; the machine and the
// field are left out when empty.
std::string parkFaultText(
    const std::string& path, const std::string& machine, const MachineFault& fault);

struct ParkRead {
    ParkFile file;
    std::string error; // empty when the file was read; else the whole message
};

// Reads a park file's text; path names it in the message. The size limit,
// JSON, the format and version, every machine and unique ids are checked;
// on any fault nothing of the file is kept.
ParkRead readParkText(std::string_view text, const std::string& path);

// The file's text: the format, the version, the machines (a curve built from
// the figures left out, a MinSpindleSpeed of 0 left out) and then the hidden
// ids. Whole numbers are written without a decimal point, the others with
// "." and the fewest digits that read back the same.
std::string parkFileText(const ParkFile& file);

} // namespace millcalc
