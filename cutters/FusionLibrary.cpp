#include "cutters/FusionLibrary.h"

#include "app/NumberText.h"
#include "cutters/CutterJson.h"

#include <array>
#include <cstdint>

namespace millcalc {
namespace {

using namespace cutterjson;

constexpr std::array<std::pair<CutterType, std::string_view>, 3> kTypes { {
    { CutterType::Flat, "flat end mill" },
    { CutterType::Ball, "ball end mill" },
    { CutterType::Bull, "bull nose end mill" },
} };

constexpr FieldNames kNames { "DC", "NOF", "RE", "HA", "LCF", "LB", "OAL", "SFDM", "n", "number" };

constexpr double kInch = 25.4;
constexpr double kFoot = 0.3048;

// The preset values, and how each scales from an inch library: lengths in
// inches, v_c in feet per minute, v_f in inches per minute.
struct PresetValue {
    std::string_view key;
    double inchScale;
};
constexpr std::array<PresetValue, 6> kPresetValues { {
    { "n", 1 },
    { "v_c", kFoot },
    { "f_z", kInch },
    { "v_f", kInch },
    { "stepdown", kInch },
    { "stepover", kInch },
} };

constexpr std::array<std::string_view, 7> kGeometryKeys { "DC", "NOF", "RE", "LCF", "LB", "OAL",
    "SFDM" };

const Json* member(const Json& object, std::string_view key)
{
    if (!object.is_object())
        return nullptr;
    const auto found = object.find(key);
    return found == object.end() || found->is_null() ? nullptr : &*found;
}

std::string textOf(const Json& object, std::string_view key, const std::string& place)
{
    const Json* v = member(object, key);
    return v ? text(*v, place, key) : std::string();
}

double unitScale(const Json& tool, const std::string& place)
{
    const Json* unit = member(tool, "unit");
    if (!unit)
        fail(place, fieldFault("unit", "нет единицы измерения"));
    const std::string word = text(*unit, place, "unit");
    if (word == "millimeters")
        return 1;
    if (word == "inches")
        return kInch;
    fail(place, fieldFault("unit", "неизвестная единица " + guillemets(word)));
}

std::optional<double> length(
    const Json& geometry, std::string_view key, double scale, const std::string& place)
{
    const Json* v = member(geometry, key);
    if (!v)
        return std::nullopt;
    return realNumber(*v, place, key) * scale;
}

std::vector<SavedCut> presets(
    const Json& tool, double scale, std::string_view source, const std::string& place)
{
    std::vector<SavedCut> cuts;
    const Json* start = member(tool, "start-values");
    const Json* list = start ? member(*start, "presets") : nullptr;
    if (!list)
        return cuts;
    if (!list->is_array())
        fail(place, fieldFault("presets", "должно быть списком"));
    for (const Json& preset : *list) {
        if (!preset.is_object())
            fail(place, fieldFault("presets", "запись должна быть объектом"));
        SavedCut cut;
        cut.source = std::string(source);
        cut.workMaterial = textOf(preset, "name", place);
        std::array<std::string_view, 6> known {};
        for (std::size_t i = 0; i < kPresetValues.size(); ++i) {
            const PresetValue& value = kPresetValues[i];
            known[i] = value.key;
            if (const Json* v = member(preset, value.key)) {
                const double number = realNumber(*v, place, value.key);
                cut.inputs.emplace_back(std::string(value.key),
                    formatGeneral(number * (scale == 1 ? 1 : value.inchScale), 10));
            }
        }
        cut.unknownKeys = unknownKeys(preset, known);
        cuts.push_back(std::move(cut));
    }
    return cuts;
}

std::optional<Cutter> readTool(const Json& tool, std::string_view path, std::size_t index)
{
    const std::string numbered = where(path) + ", инструмент №" + std::to_string(index + 1);
    if (!tool.is_object())
        fail(numbered, "запись должна быть объектом");
    const std::string typeWord = textOf(tool, "type", numbered);
    std::optional<CutterType> type;
    for (const auto& [t, word] : kTypes) {
        if (word == typeWord)
            type = t;
    }
    if (!type)
        return std::nullopt;
    Cutter c;
    c.type = type;
    const std::string productId = textOf(tool, "product-id", numbered);
    c.name = textOf(tool, "description", numbered);
    if (c.name.empty())
        c.name = productId;
    const std::string place = c.name.empty() ? numbered : where(path, c.name);
    const double scale = unitScale(tool, place);
    const Json* geometry = member(tool, "geometry");
    if (!geometry || !geometry->is_object())
        fail(place, fieldFault("geometry", "нет размеров инструмента"));
    const Json* dc = member(*geometry, "DC");
    if (!dc)
        fail(place, fieldFault("DC", "нет диаметра"));
    c.dMm = realNumber(*dc, place, "DC") * scale;
    if (c.name.empty())
        c.name = "Фреза D" + formatGeneral(c.dMm, 6);
    if (const Json* nof = member(*geometry, "NOF"))
        c.teeth = wholeNumber(*nof, place, "NOF");
    c.cornerRadiusMm = length(*geometry, "RE", scale, place);
    c.fluteLengthMm = length(*geometry, "LCF", scale, place);
    c.stickoutMm = length(*geometry, "LB", scale, place);
    c.overallLengthMm = length(*geometry, "OAL", scale, place);
    c.shankMm = length(*geometry, "SFDM", scale, place);
    c.material = toolMaterialFromWord(textOf(tool, "BMC", place));
    c.maker = textOf(tool, "vendor", place);
    c.partNumber = productId;
    if (const Json* post = member(tool, "post-process")) {
        if (const Json* number = member(*post, "number")) {
            const int n = wholeNumber(*number, place, "number");
            if (n > 0)
                c.toolNumber = n;
        }
    }
    checkCutter(c, place, kNames);
    const std::string guid = textOf(tool, "guid", place);
    c.id = "fusion:" + (guid.empty() ? std::string(fileNameOf(path)) + ":" + c.name : guid);
    c.cuts = presets(tool, scale, fileNameOf(path), place);
    // Everything but the presets goes back out on export as it came.
    Json kept = tool;
    if (kept.contains("start-values") && kept["start-values"].is_object())
        kept["start-values"].erase("presets");
    c.unknownKeys = Json { { "fusion", kept } }.dump();
    return c;
}

// A guid made of the id, the same on every export: Fusion keys its tools by it.
std::string guidOf(const std::string& id)
{
    auto fnv = [&](std::uint64_t hash) {
        for (unsigned char ch : id)
            hash = (hash ^ ch) * 1099511628211ull;
        return hash;
    };
    const std::uint64_t high = fnv(14695981039346656037ull);
    const std::uint64_t low = fnv(high ^ 0x9e3779b97f4a7c15ull);
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (int i = 0; i < 32; ++i) {
        const std::uint64_t word = i < 16 ? high : low;
        out += kHex[(word >> (4 * (15 - i % 16))) & 15];
        if (i == 7 || i == 11 || i == 15 || i == 19)
            out += '-';
    }
    return out;
}

Json presetJson(const SavedCut& cut, double scale)
{
    Json preset = Json::object();
    if (!cut.workMaterial.empty())
        preset["name"] = cut.workMaterial;
    for (const PresetValue& value : kPresetValues) {
        if (const std::string* t = cut.input(value.key))
            preset[value.key] = readReal(*t) / (scale == 1 ? 1 : value.inchScale);
    }
    restoreUnknownKeys(preset, cut.unknownKeys);
    return preset;
}

Json toolJson(const Cutter& c, const CurrentCut* cut)
{
    Json tool = Json::object();
    if (!c.unknownKeys.empty()) {
        const Json keys = Json::parse(c.unknownKeys, nullptr, false);
        if (keys.is_object() && keys.contains("fusion") && keys["fusion"].is_object())
            tool = keys["fusion"];
    }
    const auto unit = tool.find("unit");
    const double scale = unit != tool.end() && *unit == "inches" ? kInch : 1;
    tool["unit"] = scale == 1 ? "millimeters" : "inches";
    tool["description"] = c.name;
    tool["type"] = kTypes[static_cast<std::size_t>(c.type.value_or(CutterType::Flat))].second;
    if (!tool.contains("guid") || !tool["guid"].is_string())
        tool["guid"] = guidOf(c.id);
    if (c.material)
        tool["BMC"] = toolMaterialWord(*c.material);
    if (!c.maker.empty())
        tool["vendor"] = c.maker;
    if (!c.partNumber.empty())
        tool["product-id"] = c.partNumber;
    Json& geometry = tool["geometry"];
    if (!geometry.is_object())
        geometry = Json::object();
    geometry["DC"] = c.dMm / scale;
    if (c.teeth)
        geometry["NOF"] = *c.teeth;
    const std::array<std::optional<double>, 5> lengths { c.cornerRadiusMm, c.fluteLengthMm,
        c.stickoutMm, c.overallLengthMm, c.shankMm };
    for (std::size_t i = 0; i < lengths.size(); ++i) {
        if (lengths[i])
            geometry[kGeometryKeys[i + 2]] = *lengths[i] / scale;
    }
    if (c.toolNumber) {
        Json& post = tool["post-process"];
        if (!post.is_object())
            post = Json::object();
        post["number"] = *c.toolNumber;
    }
    Json list = Json::array();
    for (const SavedCut& saved : c.cuts) {
        if (!saved.method)
            list.push_back(presetJson(saved, scale));
    }
    if (cut && cut->cutterId == c.id) {
        SavedCut now;
        now.workMaterial = cut->name;
        const double values[] = { cut->spindleRpm, cut->cuttingSpeedMPerMin, cut->feedPerToothMm,
            cut->feedMmPerMin, cut->axialDepthMm, cut->radialDepthMm };
        for (std::size_t i = 0; i < kPresetValues.size(); ++i)
            now.inputs.emplace_back(
                std::string(kPresetValues[i].key), formatGeneral(values[i], 10));
        list.push_back(presetJson(now, scale));
    }
    Json& start = tool["start-values"];
    if (!start.is_object())
        start = Json::object();
    start["presets"] = list;
    return tool;
}

} // namespace

CutterImport readFusionLibrary(std::string_view bytes, std::string_view path)
{
    CutterImport result;
    try {
        const Json document = parseDocument(bytes, path);
        const Json* data = member(document, "data");
        if (!data || !data->is_array())
            fail(where(path), "это не библиотека инструментов Fusion 360 (нет списка «data»)");
        for (std::size_t i = 0; i < data->size(); ++i) {
            if (std::optional<Cutter> c = readTool((*data)[i], path, i))
                result.cutters.push_back(std::move(*c));
        }
    } catch (const Fault& fault) {
        result = { {}, fault.what() };
    } catch (const Json::exception& error) {
        result = { {}, where(path) + ": " + error.what() };
    }
    return result;
}

std::string fusionLibraryText(const std::vector<Cutter>& cutters, const CurrentCut* cut)
{
    Json data = Json::array();
    for (const Cutter& c : cutters) {
        if (!c.hidden)
            data.push_back(toolJson(c, cut));
    }
    Json document = Json::object();
    document["data"] = data;
    document["version"] = 2;
    return document.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

} // namespace millcalc
