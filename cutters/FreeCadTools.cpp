#include "cutters/FreeCadTools.h"

#include "app/NumberText.h"
#include "cutters/CutterJson.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <sys/stat.h>

namespace millcalc {
namespace {

using namespace cutterjson;

constexpr FieldNames kNames { "Diameter", "Flutes", "CornerRadius", "HelixAngle",
    "CuttingEdgeHeight", "StickOut", "Length", "ShankDiameter", "MaxRPM", "nr" };

struct Unit {
    std::string_view word;
    double mm;
};
constexpr std::array<Unit, 6> kUnits { {
    { "", 1 },
    { "mm", 1 },
    { "cm", 10 },
    { "m", 1000 },
    { "in", 25.4 },
    { "\"", 25.4 },
} };

// The shapes of the end mills, by the shape file's name or the shape type.
struct Shape {
    std::string_view word;
    CutterType type;
};
constexpr std::array<Shape, 4> kShapes { {
    { "endmill", CutterType::Flat },
    { "ballend", CutterType::Ball },
    { "bullnose", CutterType::Bull },
    { "torus", CutterType::Bull },
} };

std::string lower(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
        [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

const Json* member(const Json& object, std::string_view key)
{
    if (!object.is_object())
        return nullptr;
    const auto found = object.find(key);
    return found == object.end() || found->is_null() ? nullptr : &*found;
}

std::optional<double> lengthOf(
    const Json& parameters, std::string_view key, const std::string& place)
{
    const Json* v = member(parameters, key);
    if (!v)
        return std::nullopt;
    if (v->is_number())
        return v->get<double>();
    const Quantity q = freeCadLength(text(*v, place, key));
    if (!q.error.empty())
        fail(place, fieldFault(key, q.error));
    return q.mm;
}

std::optional<CutterType> shapeType(const Json& bit, const std::string& place)
{
    for (std::string_view key : { "shape-type", "shape" }) {
        if (const Json* v = member(bit, key)) {
            std::string word = lower(text(*v, place, key));
            if (word.ends_with(".fcstd"))
                word.resize(word.size() - 6);
            for (const Shape& shape : kShapes) {
                if (shape.word == word)
                    return shape.type;
            }
            return std::nullopt;
        }
    }
    return std::nullopt;
}

bool isFile(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

std::string folderOf(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return ".";
    return slash == 0 ? "/" : std::string(path.substr(0, slash));
}

} // namespace

Quantity freeCadLength(std::string_view text)
{
    const std::string_view t = trimmed(text);
    std::size_t end = 0;
    while (end < t.size()
        && (std::isdigit(static_cast<unsigned char>(t[end])) || t[end] == '.' || t[end] == ','
            || (end == 0 && (t[end] == '-' || t[end] == '+'))))
        ++end;
    const std::string_view number = t.substr(0, end);
    const std::size_t separators
        = static_cast<std::size_t>(std::count(number.begin(), number.end(), '.')
            + std::count(number.begin(), number.end(), ','));
    if (number.find_first_of("0123456789") == std::string_view::npos || separators > 1)
        return { 0, guillemets(text) + " — не число" };
    const std::string unit = lower(trimmed(t.substr(end)));
    for (const Unit& u : kUnits) {
        if (u.word == unit)
            return { readReal(number) * u.mm, {} };
    }
    return { 0, guillemets(text) + " — неизвестная единица " + guillemets(unit) };
}

CutterImport readFreeCadBit(std::string_view bytes, std::string_view path)
{
    CutterImport result;
    try {
        const Json bit = parseDocument(bytes, path);
        const Json* parameters = member(bit, "parameter");
        if (!parameters || !parameters->is_object())
            fail(where(path), "это не инструмент FreeCAD (нет «parameter»)");
        Cutter c;
        if (const Json* name = member(bit, "name"))
            c.name = text(*name, where(path), "name");
        if (c.name.empty())
            c.name = std::string(fileNameOf(path));
        const std::string place = where(path, c.name);
        c.type = shapeType(bit, place);
        if (!c.type)
            return result;
        const std::optional<double> d = lengthOf(*parameters, "Diameter", place);
        if (!d)
            fail(place, fieldFault("Diameter", "нет диаметра"));
        c.dMm = *d;
        if (const Json* flutes = member(*parameters, "Flutes"))
            c.teeth = wholeNumber(*flutes, place, "Flutes");
        c.cornerRadiusMm = lengthOf(*parameters, "CornerRadius", place);
        c.fluteLengthMm = lengthOf(*parameters, "CuttingEdgeHeight", place);
        c.overallLengthMm = lengthOf(*parameters, "Length", place);
        c.shankMm = lengthOf(*parameters, "ShankDiameter", place);
        const Json* attributes = member(bit, "attribute");
        const Json* material = member(*parameters, "Material");
        if (!material && attributes)
            material = member(*attributes, "Material");
        if (material && material->is_string())
            c.material = toolMaterialFromWord(lower(material->get<std::string>()));
        checkCutter(c, place, kNames);
        c.id = "freecad:" + std::string(fileNameOf(path)) + ":" + c.name;
        result.cutters.push_back(std::move(c));
    } catch (const Fault& fault) {
        result = { {}, fault.what() };
    } catch (const Json::exception& error) {
        result = { {}, where(path) + ": " + error.what() };
    }
    return result;
}

FreeCadLibrary readFreeCadLibrary(std::string_view bytes, std::string_view path)
{
    FreeCadLibrary result;
    try {
        const Json library = parseDocument(bytes, path);
        const Json* tools = member(library, "tools");
        if (!tools || !tools->is_array())
            fail(where(path), "это не библиотека инструментов FreeCAD (нет списка «tools»)");
        for (std::size_t i = 0; i < tools->size(); ++i) {
            const std::string place = where(path) + ", инструмент №" + std::to_string(i + 1);
            const Json& tool = (*tools)[i];
            if (!tool.is_object())
                fail(place, "запись должна быть объектом");
            FreeCadLibrary::Entry entry;
            const Json* bitPath = member(tool, "path");
            if (!bitPath)
                fail(place, fieldFault("path", "нет файла инструмента"));
            entry.path = text(*bitPath, place, "path");
            if (entry.path.empty())
                fail(place, fieldFault("path", "пустой"));
            if (const Json* nr = member(tool, "nr")) {
                const int n = wholeNumber(*nr, place, "nr");
                if (n < 0 || n > 99999)
                    fail(place,
                        fieldFault("nr", std::to_string(n) + " — номер должен быть от 0 до 99999"));
                if (n > 0)
                    entry.number = n;
            }
            result.tools.push_back(std::move(entry));
        }
    } catch (const Fault& fault) {
        result = { {}, fault.what() };
    } catch (const Json::exception& error) {
        result = { {}, where(path) + ": " + error.what() };
    }
    return result;
}

std::string findFreeCadBit(std::string_view libraryPath, std::string_view bitPath)
{
    const std::string folder = folderOf(libraryPath);
    const std::string bitFolder = folder + "/../Bit/";
    const std::string name(fileNameOf(bitPath));
    std::vector<std::string> candidates;
    if (bitPath.starts_with('/'))
        candidates.emplace_back(bitPath);
    else
        candidates.push_back(folder + "/" + std::string(bitPath));
    candidates.push_back(folder + "/" + name);
    candidates.push_back(bitFolder + name);
    for (const std::string& candidate : candidates) {
        if (isFile(candidate))
            return candidate;
    }
    return {};
}

} // namespace millcalc
