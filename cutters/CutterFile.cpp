#include "cutters/CutterFile.h"

#include "cutters/CutterJson.h"

#include <array>
#include <set>

namespace millcalc {
namespace {

using namespace cutterjson;

constexpr std::string_view kFormat = "millcalc-cutters";
constexpr int kVersion = 1;

constexpr std::array<std::string_view, 3> kTopKeys { "format", "version", "cutters" };
constexpr std::array<std::string_view, 20> kCutterKeys { "id", "name", "type", "d_mm", "teeth",
    "corner_radius_mm", "helix_deg", "flute_length_mm", "stickout_mm", "overall_length_mm",
    "shank_mm", "material", "coating", "max_rpm", "maker", "part_number", "note", "tool_number",
    "cuts", "hidden" };
constexpr std::array<std::string_view, 4> kCutKeys { "method", "work_material", "source",
    "inputs" };
constexpr std::array<std::string_view, 3> kMethods { "walter", "aluminium", "titanium" };

constexpr FieldNames kNames { "d_mm", "teeth", "corner_radius_mm", "helix_deg", "flute_length_mm",
    "stickout_mm", "overall_length_mm", "shank_mm", "max_rpm", "tool_number" };

// A key's value, or nullptr when it is missing or null.
const Json* present(const Json& object, std::string_view key)
{
    const auto found = object.find(key);
    return found == object.end() || found->is_null() ? nullptr : &*found;
}

void readText(const Json& entry, std::string_view key, std::string& into, const std::string& place)
{
    if (const Json* v = present(entry, key))
        into = text(*v, place, key);
}

void readLength(
    const Json& entry, std::string_view key, std::optional<double>& into, const std::string& place)
{
    if (const Json* v = present(entry, key))
        into = realNumber(*v, place, key);
}

SavedCut readCut(const Json& entry, const std::string& place)
{
    if (!entry.is_object())
        fail(place, "запись в «cuts» должна быть объектом");
    SavedCut cut;
    if (const Json* method = present(entry, "method")) {
        const std::string word = text(*method, place, "method");
        bool known = false;
        for (std::string_view m : kMethods)
            known = known || m == word;
        if (!known)
            fail(place, fieldFault("method", "неизвестный метод " + guillemets(word)));
        cut.method = word;
    }
    readText(entry, "work_material", cut.workMaterial, place);
    readText(entry, "source", cut.source, place);
    if (const Json* inputs = present(entry, "inputs")) {
        if (!inputs->is_object())
            fail(place, fieldFault("inputs", "должно быть объектом"));
        for (const auto& [name, value] : inputs->items())
            cut.inputs.emplace_back(name, text(value, place, name));
    }
    cut.unknownKeys = unknownKeys(entry, kCutKeys);
    return cut;
}

Cutter readCutter(const Json& entry, std::string_view fileName, std::size_t index)
{
    const std::string numbered = where(fileName) + ", фреза №" + std::to_string(index + 1);
    if (!entry.is_object())
        fail(numbered, "запись должна быть объектом");
    Cutter c;
    const Json* id = present(entry, "id");
    if (!id)
        fail(numbered, fieldFault("id", "нет обязательного поля"));
    c.id = text(*id, numbered, "id");
    if (c.id.empty())
        fail(numbered, fieldFault("id", "пустой"));
    const std::string place = where(fileName, c.id);
    if (const Json* hidden = present(entry, "hidden")) {
        if (!hidden->is_boolean())
            fail(place, fieldFault("hidden", "должно быть true или false"));
        c.hidden = hidden->get<bool>();
    }
    c.unknownKeys = unknownKeys(entry, kCutterKeys);
    if (c.hidden)
        return c;
    const Json* name = present(entry, "name");
    if (!name)
        fail(place, fieldFault("name", "нет обязательного поля"));
    c.name = text(*name, place, "name");
    const Json* d = present(entry, "d_mm");
    if (!d)
        fail(place, fieldFault("d_mm", "нет обязательного поля"));
    c.dMm = realNumber(*d, place, "d_mm");
    if (const Json* type = present(entry, "type")) {
        c.type = cutterTypeFromWord(text(*type, place, "type"));
        if (!c.type)
            fail(place,
                fieldFault("type", "неизвестный тип " + guillemets(type->get<std::string>())));
    }
    if (const Json* teeth = present(entry, "teeth"))
        c.teeth = wholeNumber(*teeth, place, "teeth");
    readLength(entry, "corner_radius_mm", c.cornerRadiusMm, place);
    readLength(entry, "helix_deg", c.helixDeg, place);
    readLength(entry, "flute_length_mm", c.fluteLengthMm, place);
    readLength(entry, "stickout_mm", c.stickoutMm, place);
    readLength(entry, "overall_length_mm", c.overallLengthMm, place);
    readLength(entry, "shank_mm", c.shankMm, place);
    readLength(entry, "max_rpm", c.maxRpm, place);
    if (const Json* material = present(entry, "material")) {
        c.material = toolMaterialFromWord(text(*material, place, "material"));
        if (!c.material)
            fail(place,
                fieldFault("material",
                    "неизвестный материал " + guillemets(material->get<std::string>())));
    }
    readText(entry, "coating", c.coating, place);
    readText(entry, "maker", c.maker, place);
    readText(entry, "part_number", c.partNumber, place);
    readText(entry, "note", c.note, place);
    if (const Json* number = present(entry, "tool_number"))
        c.toolNumber = wholeNumber(*number, place, "tool_number");
    if (const Json* cuts = present(entry, "cuts")) {
        if (!cuts->is_array())
            fail(place, fieldFault("cuts", "должно быть списком"));
        for (const Json& cut : *cuts)
            c.cuts.push_back(readCut(cut, place));
    }
    checkCutter(c, place, kNames);
    return c;
}

void putLength(Json& out, const char* key, const std::optional<double>& value)
{
    if (value)
        out[key] = *value;
}

void putText(Json& out, const char* key, const std::string& value)
{
    if (!value.empty())
        out[key] = value;
}

Json cutJson(const SavedCut& cut)
{
    Json out = Json::object();
    out["method"] = cut.method ? Json(*cut.method) : Json(nullptr);
    out["work_material"] = cut.workMaterial;
    out["source"] = cut.source;
    Json inputs = Json::object();
    for (const auto& [name, value] : cut.inputs)
        inputs[name] = value;
    out["inputs"] = inputs;
    restoreUnknownKeys(out, cut.unknownKeys);
    return out;
}

Json cutterJson(const Cutter& c)
{
    Json out = Json::object();
    out["id"] = c.id;
    if (c.hidden) {
        out["hidden"] = true;
        restoreUnknownKeys(out, c.unknownKeys);
        return out;
    }
    out["name"] = c.name;
    if (c.type)
        out["type"] = cutterTypeWord(*c.type);
    out["d_mm"] = c.dMm;
    if (c.teeth)
        out["teeth"] = *c.teeth;
    putLength(out, "corner_radius_mm", c.cornerRadiusMm);
    putLength(out, "helix_deg", c.helixDeg);
    putLength(out, "flute_length_mm", c.fluteLengthMm);
    putLength(out, "stickout_mm", c.stickoutMm);
    putLength(out, "overall_length_mm", c.overallLengthMm);
    putLength(out, "shank_mm", c.shankMm);
    if (c.material)
        out["material"] = toolMaterialWord(*c.material);
    putText(out, "coating", c.coating);
    putLength(out, "max_rpm", c.maxRpm);
    putText(out, "maker", c.maker);
    putText(out, "part_number", c.partNumber);
    putText(out, "note", c.note);
    if (c.toolNumber)
        out["tool_number"] = *c.toolNumber;
    if (!c.cuts.empty()) {
        Json cuts = Json::array();
        for (const SavedCut& cut : c.cuts)
            cuts.push_back(cutJson(cut));
        out["cuts"] = cuts;
    }
    restoreUnknownKeys(out, c.unknownKeys);
    return out;
}

} // namespace

CutterFileRead readCutterFile(std::string_view bytes, std::string_view fileName)
{
    CutterFileRead result;
    try {
        const Json document = parseDocument(bytes, fileName);
        const Json* format = present(document, "format");
        if (!format || !format->is_string() || format->get<std::string>() != kFormat)
            fail(where(fileName), "это не библиотека фрез (нет \"format\": \"millcalc-cutters\")");
        const Json* version = present(document, "version");
        if (!version)
            fail(where(fileName), fieldFault("version", "нет обязательного поля"));
        const int v = wholeNumber(*version, where(fileName), "version");
        if (v != kVersion)
            fail(where(fileName),
                "версия " + std::to_string(v) + " не читается: эта программа знает версию 1");
        const Json* cutters = present(document, "cutters");
        if (cutters && !cutters->is_array())
            fail(where(fileName), fieldFault("cutters", "должно быть списком"));
        std::set<std::string> ids;
        if (cutters) {
            for (std::size_t i = 0; i < cutters->size(); ++i) {
                Cutter c = readCutter((*cutters)[i], fileName, i);
                if (!ids.insert(c.id).second)
                    fail(where(fileName, c.id), "такой id уже есть в файле");
                result.file.cutters.push_back(std::move(c));
            }
        }
        result.file.unknownKeys = unknownKeys(document, kTopKeys);
    } catch (const Fault& fault) {
        result = {};
        result.error = fault.what();
    } catch (const Json::exception& error) {
        result = {};
        result.error = where(fileName) + ": " + error.what();
    }
    return result;
}

std::string cutterFileText(const CutterFile& file)
{
    Json out = Json::object();
    out["format"] = kFormat;
    out["version"] = kVersion;
    Json cutters = Json::array();
    for (const Cutter& c : file.cutters)
        cutters.push_back(cutterJson(c));
    out["cutters"] = cutters;
    restoreUnknownKeys(out, file.unknownKeys);
    return out.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

} // namespace millcalc
