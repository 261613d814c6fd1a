// FreeCAD's Path tool bits and tool libraries. A bit (.fctb) is
// {"version": 2, "name", "shape": "endmill.fcstd", "shape-type", "parameter":
// {"Diameter": "6.0000 mm", "Flutes", "CornerRadius", "CuttingEdgeHeight",
// "Length", "ShankDiameter", "Material" ...}, "attribute": {}}; a library
// (.fctl) is {"version": 1, "tools": [{"nr": 1, "path": "x.fctb"}]}.
#pragma once

#include "cutters/Cutter.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace millcalc {

// A FreeCAD quantity in millimetres: a number with a point or a comma, then
// mm, cm, m, in or " (none is mm); also a bare JSON number. Empty error, or
// what is wrong with it.
struct Quantity {
    double mm = 0;
    std::string error;
};
Quantity freeCadLength(std::string_view text);

// The bit of bytes, read from path: one cutter, or none when the bit is not
// an end mill (a drill, a chamfer ...). Its id is "freecad:", the bit file's
// name, ":" and the bit's name.
CutterImport readFreeCadBit(std::string_view bytes, std::string_view path);

struct FreeCadLibrary {
    struct Entry {
        std::optional<int> number; // "nr", the pocket in the tool table
        std::string path; // "path" as written, relative to the library
    };
    std::vector<Entry> tools;
    std::string error;
};
FreeCadLibrary readFreeCadLibrary(std::string_view bytes, std::string_view path);

// Where the bit of entry path is: beside the library or in the Bit folder
// next to the library's folder; empty when in neither.
std::string findFreeCadBit(std::string_view libraryPath, std::string_view bitPath);

} // namespace millcalc
