#include "cutters/CutterJson.h"

#include "app/NumberText.h"

#include <cmath>

namespace millcalc::cutterjson {

std::string guillemets(std::string_view text)
{
    return "«" + std::string(text) + "»";
}

std::string where(std::string_view file, std::string_view tool)
{
    std::string place = guillemets(file);
    if (!tool.empty())
        place += ", фреза " + guillemets(tool);
    return place;
}

void fail(const std::string& place, const std::string& reason)
{
    throw Fault(place + ": " + reason);
}

std::string fieldFault(std::string_view field, std::string_view what)
{
    return "поле " + guillemets(field) + ": " + std::string(what);
}

namespace {

// The deepest nesting of brackets outside strings; the parser and the
// writer recurse, so a file of a million "[" must be refused before them.
int nestingDepth(std::string_view bytes)
{
    int depth = 0;
    int deepest = 0;
    bool inString = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            deepest = std::max(deepest, ++depth);
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return deepest;
}

} // namespace

Json parseDocument(std::string_view bytes, std::string_view file)
{
    if (bytes.size() > kMaxFileBytes)
        fail(where(file), "файл больше 10 МБ");
    if (nestingDepth(bytes) > kMaxDepth)
        fail(where(file), "вложенность JSON глубже " + std::to_string(kMaxDepth) + " уровней");
    Json document = Json::parse(bytes, nullptr, false);
    if (document.is_discarded())
        fail(where(file), "файл не в формате JSON");
    if (!document.is_object())
        fail(where(file), "в файле не объект JSON");
    return document;
}

std::string unknownKeys(const Json& object, std::span<const std::string_view> known)
{
    Json unknown = Json::object();
    for (const auto& [key, value] : object.items()) {
        bool isKnown = false;
        for (std::string_view k : known)
            isKnown = isKnown || k == key;
        if (!isKnown)
            unknown[key] = value;
    }
    return unknown.empty() ? std::string() : unknown.dump();
}

void restoreUnknownKeys(Json& object, const std::string& text)
{
    if (text.empty())
        return;
    const Json unknown = Json::parse(text, nullptr, false);
    if (!unknown.is_object())
        return;
    for (const auto& [key, value] : unknown.items()) {
        if (!object.contains(key))
            object[key] = value;
    }
}

namespace {

struct Range {
    double low;
    bool lowIncluded;
    double high;
    const char* text;
};

void checkRange(const std::optional<double>& value, const Range& range, const std::string& place,
    std::string_view field)
{
    if (!value)
        return;
    const double v = *value;
    const bool fits = std::isfinite(v) && (range.lowIncluded ? v >= range.low : v > range.low)
        && v <= range.high;
    if (!fits)
        fail(place, fieldFault(field, formatGeneral(v, 6) + " — " + range.text));
}

} // namespace

void checkCutter(const Cutter& c, const std::string& place, const FieldNames& names)
{
    // A cutter of a metre is a boring bar's business; anything beyond these
    // is a wrong unit or a typing error, not a tool.
    static constexpr Range kDiameter { 0, false, 1000,
        "диаметр должен быть больше 0 и не больше 1000 мм" };
    static constexpr Range kLength { 0, false, 10000,
        "длина должна быть больше 0 и не больше 10000 мм" };
    static constexpr Range kHelix { 0, true, 89, "угол наклона должен быть от 0 до 89°" };
    static constexpr Range kRpm { 0, false, 1e6,
        "обороты должны быть больше 0 и не больше 1000000" };
    checkRange(c.dMm, kDiameter, place, names.d);
    checkRange(c.fluteLengthMm, kLength, place, names.fluteLength);
    checkRange(c.stickoutMm, kLength, place, names.stickout);
    checkRange(c.overallLengthMm, kLength, place, names.overallLength);
    checkRange(c.shankMm, kDiameter, place, names.shank);
    checkRange(c.helixDeg, kHelix, place, names.helix);
    checkRange(c.maxRpm, kRpm, place, names.maxRpm);
    if (c.cornerRadiusMm) {
        const Range corner { 0, true, c.dMm / 2,
            "радиус при вершине должен быть от 0 до половины диаметра" };
        checkRange(c.cornerRadiusMm, corner, place, names.cornerRadius);
    }
    if (c.teeth && (*c.teeth < 1 || *c.teeth > 99))
        fail(place,
            fieldFault(names.teeth, std::to_string(*c.teeth) + " — зубьев должно быть от 1 до 99"));
    if (c.toolNumber && (*c.toolNumber < 1 || *c.toolNumber > 99999))
        fail(place,
            fieldFault(names.toolNumber,
                std::to_string(*c.toolNumber) + " — номер инструмента должен быть от 1 до 99999"));
}

int wholeNumber(const Json& value, const std::string& place, std::string_view field)
{
    double number = 0;
    if (value.is_number()) {
        number = value.get<double>();
    } else if (value.is_string()) {
        const std::string t = value.get<std::string>();
        std::size_t digits = t.find_first_not_of(" \t");
        if (digits == std::string::npos
            || t.find_first_not_of(" \t+-0123456789.,") != std::string::npos)
            fail(place, fieldFault(field, guillemets(t) + " — не число"));
        number = readReal(t);
    } else {
        fail(place, fieldFault(field, "должно быть целым числом"));
    }
    if (!std::isfinite(number) || number != std::floor(number) || std::fabs(number) > 1e6)
        fail(place, fieldFault(field, formatGeneral(number, 6) + " — не целое число"));
    return static_cast<int>(number);
}

double realNumber(const Json& value, const std::string& place, std::string_view field)
{
    if (!value.is_number())
        fail(place, fieldFault(field, "должно быть числом"));
    return value.get<double>();
}

std::string text(const Json& value, const std::string& place, std::string_view field)
{
    if (!value.is_string())
        fail(place, fieldFault(field, "должно быть текстом"));
    return value.get<std::string>();
}

} // namespace millcalc::cutterjson
