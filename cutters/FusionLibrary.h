// Fusion 360's tool library in JSON: {"data": [tool ...]}, each tool with its
// "type", "unit" ("millimeters" or "inches"), "geometry" (DC, NOF, RE, LCF,
// LB, OAL, SFDM), "BMC", "vendor", "product-id", "guid", "post-process"
// {"number"} and "start-values" {"presets": [{n, v_c, f_z, v_f, stepdown,
// stepover ...}]}.
#pragma once

#include "cutters/Cutter.h"

#include <string>
#include <string_view>
#include <vector>

namespace millcalc {

// The end mills of the library (flat, ball and bull nose; its drills and other
// tools are passed over), in millimetres. A tool's id is "fusion:" and its
// guid; its presets become saved cuts without a method whose source is the
// file's name; the keys not mapped stay in its unknown keys under "fusion".
CutterImport readFusionLibrary(std::string_view bytes, std::string_view path);

// The cut on the method's page, as a preset for Fusion 360. The caller maps
// the method's fields: the axial depth is Walter's BaseB (ap) and the
// aluminium and titanium methods' B, the radial depth Walter's BaseT (ae)
// and the others' t.
struct CurrentCut {
    std::string cutterId; // the cutter it is for
    std::string name; // the preset's name
    double spindleRpm = 0; // n
    double cuttingSpeedMPerMin = 0; // v_c
    double feedPerToothMm = 0; // f_z
    double feedMmPerMin = 0; // v_f
    double axialDepthMm = 0; // stepdown
    double radialDepthMm = 0; // stepover
};

// The cutters as a Fusion 360 tool library. A cutter imported from Fusion goes
// out in its own unit with its unmapped keys; the presets it was saved with
// go with it, and so does cut where it is for that cutter.
std::string fusionLibraryText(const std::vector<Cutter>& cutters, const CurrentCut* cut = nullptr);

} // namespace millcalc
