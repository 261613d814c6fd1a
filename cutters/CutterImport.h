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

// Reads the file at path by its extension. A file over 10 MB, of an unknown
// kind, with a fault in any tool or with no end mill in it is refused whole.
CutterImport importCutterFile(const std::string& path);

// Imports path into library and saves the user's file: the cutters brought
// or updated, as they now stand, in the file's order. On a refusal (the
// file's, or the save's) the library is left as it was.
CutterImport importIntoLibrary(CutterLibrary& library, const std::string& path);

} // namespace millcalc
