// The cutter library file: UTF-8 JSON, "format": "millcalc-cutters",
// "version": 1, millimetres throughout, numbers in the C locale. Only id,
// name and d_mm are required; a shop cutter the user deleted stands in the
// user's file as {"id": ..., "hidden": true}. Keys this program does not know
// are read into the cutter and written back unchanged.
#pragma once

#include "cutters/Cutter.h"

#include <string>
#include <string_view>
#include <vector>

namespace millcalc {

struct CutterFile {
    std::vector<Cutter> cutters; // in the file's order, hidden entries among them
    std::string unknownKeys; // the top level's, as Cutter::unknownKeys
};

struct CutterFileRead {
    CutterFile file;
    std::string error; // empty when read; else the whole message, naming fileName
};

// The file of bytes, named fileName in its messages. A fault anywhere refuses
// the whole file: a library is never half read.
CutterFileRead readCutterFile(std::string_view bytes, std::string_view fileName);

// The file's text, as readCutterFile reads it back.
std::string cutterFileText(const CutterFile& file);

} // namespace millcalc
