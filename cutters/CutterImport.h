// Bringing cutters in from the files CAM programs keep: Fusion 360's tool
// libraries (.json, and .tools, the same zipped), FreeCAD's tool bits (.fctb)
// and tool libraries (.fctl), and this program's own library file.
#pragma once

#include "cutters/Cutter.h"

#include <string>
#include <string_view>
#include <vector>

namespace millcalc {

class CutterLibrary;

// What a reader found: every end mill of the file, in its order, or nothing
// and why (the whole message, naming the file, the tool and the field).
struct CutterImport {
    std::vector<Cutter> cutters;
    std::string error;
};

// Reads the file at path by its extension. A file over 10 MB, of an unknown
// kind, with a fault in any tool or with no end mill in it is refused whole.
CutterImport importCutterFile(const std::string& path);

// Imports path into library and saves the user's file: the cutters brought
// or updated, as they now stand, in the file's order. On a refusal (the
// file's, or the save's) the library is left as it was.
CutterImport importIntoLibrary(CutterLibrary& library, const std::string& path);

// The file name of path, without its folders.
std::string_view fileNameOf(std::string_view path);

} // namespace millcalc
