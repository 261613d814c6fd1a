// A cutter of the shop's library: its geometry, what it is made of, where it
// sits in the machine's tool table, and the cutting data saved with it. All
// lengths are millimetres, whatever file the cutter came from.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace millcalc {

enum class CutterType { Flat, Ball, Bull };
enum class ToolMaterial { Carbide, Hss };

// The words the library file writes: "flat", "ball", "bull"; "carbide", "hss".
std::string_view cutterTypeWord(CutterType type);
std::optional<CutterType> cutterTypeFromWord(std::string_view word);
std::string_view toolMaterialWord(ToolMaterial material);
std::optional<ToolMaterial> toolMaterialFromWord(std::string_view word);

// Cutting data kept with a cutter: the inputs of a method's page, or a preset
// brought in from a CAM program's library.
struct SavedCut {
    // "walter", "aluminium" or "titanium"; none for a preset from elsewhere.
    std::optional<std::string> method;
    std::string workMaterial;
    // The file the cut came from (its name), or "user".
    std::string source;
    // Field name to its text, in the order they were saved: for a method the
    // names of its page's fields (BaseD, BaseB ...), for a preset n, v_c, f_z,
    // v_f, stepdown and stepover (rpm, m/min, mm, mm/min, mm, mm).
    std::vector<std::pair<std::string, std::string>> inputs;
    // The keys of the file's entry that this program does not know, as the
    // text of a JSON object ("" when there are none); written back unchanged.
    std::string unknownKeys;

    // The text of input name, or nullptr.
    const std::string* input(std::string_view name) const;
};

struct Cutter {
    std::string id; // unique in the library; an imported cutter's names its origin
    std::string name;
    std::optional<CutterType> type;
    double dMm = 0;
    std::optional<int> teeth;
    std::optional<double> cornerRadiusMm;
    std::optional<double> helixDeg;
    std::optional<double> fluteLengthMm;
    std::optional<double> stickoutMm;
    std::optional<double> overallLengthMm;
    std::optional<double> shankMm;
    std::optional<ToolMaterial> material;
    std::string coating;
    std::optional<double> maxRpm; // the tool maker's maximum spindle speed
    std::string maker;
    std::string partNumber;
    std::string note;
    std::optional<int> toolNumber; // its place in the machine's tool table
    std::vector<SavedCut> cuts;
    // A shop cutter the user deleted: only the id (and unknown keys) count.
    bool hidden = false;
    // As SavedCut::unknownKeys. An imported Fusion 360 tool keeps the keys
    // this program does not map under "fusion", so that it exports whole.
    std::string unknownKeys;
};

// What a reader found: every end mill of the file, in its order, or nothing
// and why (the whole message, naming the file, the tool and the field).
struct CutterImport {
    std::vector<Cutter> cutters;
    std::string error;
};

// The file name of path, without its folders: what an imported tool's
// source and id name.
std::string_view fileNameOf(std::string_view path);

} // namespace millcalc
