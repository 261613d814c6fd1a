#include "machines/ParkFile.h"

#include "app/NumberText.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdint>
#include <optional>
#include <set>
#include <utility>

namespace millcalc {

namespace {

using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

constexpr const char* kPositive = "нужно конечное число больше 0";

// The fault of one machine found while reading, thrown to the file's loop.
struct Fault {
    MachineFault fault;
};

[[noreturn]] void fail(std::string field, std::string message)
{
    throw Fault { { std::move(field), std::move(message) } };
}

bool positive(double value)
{
    return std::isfinite(value) && value > 0;
}

std::string pointText(std::size_t index)
{
    return "точка " + std::to_string(index + 1) + ": ";
}

// A figure of the machine: a JSON number; 0 when absent and optional.
double figure(const Json& entry, const char* key, bool optional)
{
    const auto found = entry.find(key);
    if (found == entry.end()) {
        if (optional)
            return 0;
        fail(key, "нет значения");
    }
    if (!found->is_number())
        fail(key, "нужно число");
    return found->get<double>();
}

// [[a, b, ...], ...]: rows of `width` numbers each.
std::vector<std::vector<double>> rows(const Json& list, const char* key, std::size_t width)
{
    if (!list.is_array())
        fail(key, "нужен список точек");
    std::vector<std::vector<double>> out;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const Json& row = list[i];
        if (!row.is_array() || row.size() != width)
            fail(key, pointText(i) + "нужно " + std::to_string(width) + " числа");
        std::vector<double>& values = out.emplace_back();
        for (const Json& value : row) {
            if (!value.is_number())
                fail(key, pointText(i) + "нужно число");
            values.push_back(value.get<double>());
        }
    }
    return out;
}

MachineRecord machineOf(const Json& entry)
{
    MachineRecord m;
    m.Id = entry.at("id").get<std::string>();
    const auto name = entry.find("name");
    if (name == entry.end())
        fail("name", "нет значения");
    if (!name->is_string())
        fail("name", "нужен текст");
    m.MachineName = name->get<std::string>();
    m.MaxSpindleSpeed = figure(entry, "max_rpm", false);
    m.MinSpindleSpeed = figure(entry, "min_rpm", true);
    m.MaxFeed = figure(entry, "max_feed_mm_min", false);
    m.MaxPower = figure(entry, "power_kw", false);
    m.MaxTorque = figure(entry, "torque_nm", false);
    m.CriticalSpindleSpeed = figure(entry, "knee_rpm", false);
    if (const auto curve = entry.find("curve"); curve != entry.end()) {
        for (const std::vector<double>& row : rows(*curve, "curve", 3))
            m.Curve.push_back({ row[0], row[1], row[2] });
    } else {
        m.CurveFromDatasheet = true;
    }
    if (const auto load = entry.find("spindle_load_kn"); load != entry.end()) {
        for (const std::vector<double>& row : rows(*load, "spindle_load_kn", 2))
            m.SpindleLoad.push_back({ row[0], row[1] });
        if (m.SpindleLoad.empty())
            fail("spindle_load_kn", "нужна хотя бы одна полоса");
    }
    if (const MachineFault fault = validateMachine(m))
        throw Fault { fault };
    if (m.CurveFromDatasheet)
        m.Curve = datasheetCurve(m);
    return m;
}

// A figure as the file writes it: a whole number without a point.
OrderedJson number(double value)
{
    if (std::abs(value) < 1e15 && value == std::floor(value))
        return static_cast<std::int64_t>(value);
    return value;
}

OrderedJson machineJson(const MachineRecord& m)
{
    OrderedJson j;
    j["id"] = m.Id;
    j["name"] = m.MachineName;
    j["max_rpm"] = number(m.MaxSpindleSpeed);
    if (m.MinSpindleSpeed > 0)
        j["min_rpm"] = number(m.MinSpindleSpeed);
    j["max_feed_mm_min"] = number(m.MaxFeed);
    j["power_kw"] = number(m.MaxPower);
    j["torque_nm"] = number(m.MaxTorque);
    j["knee_rpm"] = number(m.CriticalSpindleSpeed);
    if (!m.CurveFromDatasheet) {
        OrderedJson curve = OrderedJson::array();
        for (const CurvePoint& p : m.Curve)
            curve.push_back({ number(p.speedRpm), number(p.powerKw), number(p.torqueNm) });
        j["curve"] = std::move(curve);
    }
    if (!m.SpindleLoad.empty()) {
        OrderedJson load = OrderedJson::array();
        for (const SpindleLoadBand& band : m.SpindleLoad)
            load.push_back({ number(band.topSpeedRpm), number(band.factor) });
        j["spindle_load_kn"] = std::move(load);
    }
    return j;
}

MachineFault checkCurve(const std::vector<CurvePoint>& curve)
{
    if (curve.size() < 2)
        return { "curve", "нужно не меньше двух точек" };
    for (std::size_t i = 0; i < curve.size(); ++i) {
        const CurvePoint& p = curve[i];
        if (!positive(p.speedRpm))
            return { "curve", pointText(i) + "скорость: " + kPositive };
        if (!(std::isfinite(p.powerKw) && p.powerKw >= 0 && std::isfinite(p.torqueNm)
                && p.torqueNm >= 0))
            return { "curve",
                pointText(i) + "мощность и момент: нужны конечные числа не меньше 0" };
        if (i > 0 && !(p.speedRpm > curve[i - 1].speedRpm))
            return { "curve", pointText(i) + "скорость не больше предыдущей" };
    }
    return {};
}

MachineFault checkSpindleLoad(const std::vector<SpindleLoadBand>& bands)
{
    for (std::size_t i = 0; i < bands.size(); ++i) {
        if (!positive(bands[i].topSpeedRpm) || !positive(bands[i].factor))
            return { "spindle_load_kn", pointText(i) + kPositive };
        if (i > 0 && !(bands[i].topSpeedRpm > bands[i - 1].topSpeedRpm))
            return { "spindle_load_kn", pointText(i) + "скорость не больше предыдущей" };
    }
    return {};
}

// The label of entry i in messages: its id when it has a usable one.
std::string labelOf(const Json& entry, std::size_t index)
{
    if (entry.is_object()) {
        const auto id = entry.find("id");
        if (id != entry.end() && id->is_string() && validMachineId(id->get<std::string>()))
            return id->get<std::string>();
    }
    return "№" + std::to_string(index + 1);
}

// Reads the entry into file, or throws its fault.
void readEntry(const Json& entry, ParkFile& file)
{
    if (!entry.is_object())
        fail("id", "нужен объект станка");
    const auto id = entry.find("id");
    if (id == entry.end())
        fail("id", "нет значения");
    if (!id->is_string() || !validMachineId(id->get<std::string>()))
        fail("id", "допустимы от 1 до 64 знаков из a-z, 0-9, «.», «_» и «-»");
    const auto hidden = entry.find("hidden");
    if (hidden != entry.end() && !hidden->is_boolean())
        fail("hidden", "нужно true или false");
    if (hidden != entry.end() && hidden->get<bool>())
        file.hidden.push_back(id->get<std::string>());
    else
        file.machines.push_back(machineOf(entry));
}

// The quoted word that ends just before `end` (after blanks), or "".
std::string quotedBefore(std::string_view text, std::size_t end)
{
    while (end > 0
        && (text[end - 1] == ' ' || text[end - 1] == '\n' || text[end - 1] == '\t'
            || text[end - 1] == '\r'))
        --end;
    if (end < 2 || text[end - 1] != '"')
        return {};
    const std::size_t start = text.rfind('"', end - 2);
    return start == std::string_view::npos ? std::string()
                                           : std::string(text.substr(start + 1, end - start - 2));
}

// The message of a number the parser finds beyond the doubles: its key is
// the last one before it, its machine the last id before it.
std::string overflowFault(std::string_view text, const std::string& path, std::string_view what)
{
    const std::size_t open = what.find('\'');
    const std::size_t close = what.rfind('\'');
    const std::string_view token
        = open < close ? what.substr(open + 1, close - open - 1) : std::string_view();
    const std::size_t at = token.empty() ? std::string_view::npos : text.find(token);
    const MachineFault fault { {}, "число " + std::string(token) + " вне пределов: " + kPositive };
    if (at == std::string_view::npos)
        return parkFaultText(path, {}, fault);
    // The key: the quoted word before the colon of the value that holds it.
    const std::size_t colon = text.rfind(':', at);
    const std::string key
        = colon == std::string_view::npos ? std::string() : quotedBefore(text, colon);
    std::string machine;
    if (const std::size_t id = text.rfind("\"id\"", at); id != std::string_view::npos) {
        const std::size_t value = text.find('"', text.find(':', id));
        const std::size_t end = text.find('"', value + 1);
        if (value < at && end < at)
            machine = std::string(text.substr(value + 1, end - value - 1));
    }
    return parkFaultText(path, validMachineId(machine) ? machine : std::string(),
        { key.empty() ? std::string() : key, fault.message });
}

} // namespace

bool validMachineId(std::string_view id)
{
    if (id.empty() || id.size() > kMachineIdLimit)
        return false;
    for (const char c : id) {
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-'))
            return false;
    }
    return true;
}

MachineFault validateMachine(const MachineRecord& m)
{
    if (!validMachineId(m.Id))
        return { "id", "допустимы от 1 до 64 знаков из a-z, 0-9, «.», «_» и «-»" };
    if (m.MachineName.empty())
        return { "name", "название пусто" };
    if (m.MachineName.size() > kMachineNameLimit)
        return { "name", "название длиннее 255 байт" };
    if (!positive(m.MaxSpindleSpeed))
        return { "max_rpm", kPositive };
    if (!(std::isfinite(m.MinSpindleSpeed) && m.MinSpindleSpeed >= 0))
        return { "min_rpm", "нужно конечное число не меньше 0" };
    if (!(m.MinSpindleSpeed < m.MaxSpindleSpeed))
        return { "min_rpm", "нужно меньше max_rpm" };
    const std::pair<const char*, double> figures[] = {
        { "max_feed_mm_min", m.MaxFeed },
        { "power_kw", m.MaxPower },
        { "torque_nm", m.MaxTorque },
        { "knee_rpm", m.CriticalSpindleSpeed },
    };
    for (const auto& [key, value] : figures) {
        if (!positive(value))
            return { key, kPositive };
    }
    if (m.CurveFromDatasheet) {
        if (!(m.CriticalSpindleSpeed > m.MinSpindleSpeed
                && m.CriticalSpindleSpeed < m.MaxSpindleSpeed))
            return { "knee_rpm",
                "кривая строится по паспорту: нужно больше min_rpm и меньше max_rpm" };
    } else if (MachineFault fault = checkCurve(m.Curve)) {
        return fault;
    }
    return checkSpindleLoad(m.SpindleLoad);
}

std::string parkFaultText(
    const std::string& path, const std::string& machine, const MachineFault& fault)
{
    std::string text = "Файл " + path;
    if (!machine.empty())
        text += ", станок «" + machine + "»";
    if (!fault.field.empty())
        text += ", поле " + fault.field;
    return text + ": " + fault.message;
}

ParkRead readParkText(std::string_view text, const std::string& path)
{
    ParkRead read;
    const auto fileFault = [&](std::string field, std::string message) {
        read.error = parkFaultText(path, {}, { std::move(field), std::move(message) });
        return read;
    };
    if (text.size() > kParkFileLimit)
        return fileFault({}, "файл больше 1 МБ");
    Json doc;
    try {
        doc = Json::parse(text);
    } catch (const Json::parse_error& e) {
        return fileFault({}, "не JSON (ошибка у байта " + std::to_string(e.byte) + ")");
    } catch (const Json::out_of_range& e) {
        // A number beyond the doubles ("1e999"): named with its key and machine.
        read.error = overflowFault(text, path, e.what());
        return read;
    }
    if (!doc.is_object())
        return fileFault({}, "не объект JSON");
    const auto format = doc.find("format");
    if (format == doc.end() || !format->is_string() || *format != kParkFormat)
        return fileFault("format", std::string("нужно \"") + kParkFormat + "\"");
    const auto version = doc.find("version");
    if (version == doc.end() || !version->is_number_integer() || *version < 1)
        return fileFault("version", "нужно целое число от 1");
    if (*version > kParkVersion)
        return fileFault("version",
            "версия " + version->dump() + " новее, чем читает программа ("
                + std::to_string(kParkVersion) + ")");
    const auto machines = doc.find("machines");
    if (machines == doc.end() || !machines->is_array())
        return fileFault("machines", "нужен список станков");
    std::set<std::string> ids;
    for (std::size_t i = 0; i < machines->size(); ++i) {
        const Json& entry = (*machines)[i];
        try {
            readEntry(entry, read.file);
        } catch (const Fault& f) {
            read.error = parkFaultText(path, labelOf(entry, i), f.fault);
        } catch (const Json::exception& e) {
            read.error = parkFaultText(path, labelOf(entry, i), { "id", e.what() });
        }
        if (read.error.empty() && !ids.insert(entry.at("id").get<std::string>()).second)
            read.error
                = parkFaultText(path, labelOf(entry, i), { "id", "такой id уже есть в файле" });
        if (!read.error.empty()) {
            read.file = {};
            return read;
        }
    }
    return read;
}

std::string parkFileText(const ParkFile& file)
{
    OrderedJson doc;
    doc["format"] = kParkFormat;
    doc["version"] = kParkVersion;
    OrderedJson machines = OrderedJson::array();
    for (const MachineRecord& m : file.machines)
        machines.push_back(machineJson(m));
    for (const std::string& id : file.hidden)
        machines.push_back({ { "id", id }, { "hidden", true } });
    doc["machines"] = std::move(machines);
    return doc.dump(2, ' ', false, OrderedJson::error_handler_t::replace) + '\n';
}

} // namespace millcalc
