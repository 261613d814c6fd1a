// What the cutter files' readers share: the JSON document with a bound on its
// nesting, the faults they throw with the file, the tool and the field named,
// the check of a cutter's dimensions, and the keys a reader does not know.
#pragma once

#include "cutters/Cutter.h"

#include <nlohmann/json.hpp>

#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace millcalc::cutterjson {

// Ordered: the keys a reader does not know go back in the order they came.
using Json = nlohmann::ordered_json;

// A file refused, with the whole message (in Russian).
struct Fault : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The largest file any reader takes, and the deepest nesting of its JSON.
inline constexpr std::size_t kMaxFileBytes = 10 * 1024 * 1024;
inline constexpr int kMaxDepth = 64;

// «text»
std::string guillemets(std::string_view text);
// "«file»", or "«file», фреза «tool»" where the tool is named.
std::string where(std::string_view file, std::string_view tool = {});
[[noreturn]] void fail(const std::string& place, const std::string& reason);
// The reason a field is refused: "поле «DC»: " + what.
std::string fieldFault(std::string_view field, std::string_view what);

// The document of bytes; a text that is not JSON, nests deeper than
// kMaxDepth or is not an object is refused naming file.
Json parseDocument(std::string_view bytes, std::string_view file);

// The keys of object outside known, as a JSON object's text ("" when none).
std::string unknownKeys(const Json& object, std::span<const std::string_view> known);
// Those keys put back into object (the text is one unknownKeys wrote).
void restoreUnknownKeys(Json& object, const std::string& text);

// The names a file gives a cutter's fields, for its messages.
struct FieldNames {
    std::string_view d;
    std::string_view teeth;
    std::string_view cornerRadius;
    std::string_view helix;
    std::string_view fluteLength;
    std::string_view stickout;
    std::string_view overallLength;
    std::string_view shank;
    std::string_view maxRpm;
    std::string_view toolNumber;
};

// Refuses a cutter whose dimensions make no sense (a diameter of 0, a corner
// radius beyond half the diameter, a thousand teeth ...), naming the field.
void checkCutter(const Cutter& cutter, const std::string& place, const FieldNames& names);

// A whole number of teeth or a tool number, from a JSON number or a text of
// one ("3", "3.0"); refused when it is not whole.
int wholeNumber(const Json& value, const std::string& place, std::string_view field);
// A JSON number, refused naming field when it is anything else.
double realNumber(const Json& value, const std::string& place, std::string_view field);
// A JSON text, refused naming field when it is anything else.
std::string text(const Json& value, const std::string& place, std::string_view field);

} // namespace millcalc::cutterjson
