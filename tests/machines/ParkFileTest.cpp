#include "machines/ParkFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace millcalc {
namespace {

// One machine as a file states it; the cases change one key of it.
std::string machineText(const std::string& keys)
{
    return R"({"format": "millcalc-machines", "version": 1, "machines": [{"id": "cell-3", )" + keys
        + "}]}";
}

const std::string kGoodKeys = R"("name": "Центр №3", "max_rpm": 12000, "min_rpm": 20,
    "max_feed_mm_min": 10000, "power_kw": 19, "torque_nm": 82, "knee_rpm": 2200,
    "curve": [[20, 0.4, 82], [25, 0.6, 82]], "spindle_load_kn": [[6000, 2.00], [8000, 1.70]])";

// kGoodKeys with one key's "key": value replaced (or removed when empty).
std::string with(const std::string& key, const std::string& replacement)
{
    std::string keys = kGoodKeys;
    const std::size_t at = keys.find("\"" + key + "\"");
    std::size_t end = keys.find_first_of(",", at);
    // A list value runs to its closing brackets.
    if (keys[keys.find(':', at) + 2] == '[')
        end = keys.find("]]", at) + 2;
    if (end == std::string::npos)
        end = keys.size();
    keys.replace(at, end - at, replacement.empty() ? "\"unused\": 0" : replacement);
    return machineText(keys);
}

const std::string kPath = "/etc/xdg/millcalc/machines.json";
const std::string kMachine = "Файл " + kPath + ", станок «cell-3», ";

struct BadCase {
    const char* what;
    std::string text;
    std::string message; // the start of the message
};

class BadParkFile : public testing::TestWithParam<BadCase> { };

TEST_P(BadParkFile, IsRefusedWholeNamingFileMachineAndField)
{
    const ParkRead read = readParkText(GetParam().text, kPath);
    EXPECT_EQ(read.error.rfind(GetParam().message, 0), 0u) << read.error;
    EXPECT_TRUE(read.file.machines.empty());
    EXPECT_TRUE(read.file.hidden.empty());
}

INSTANTIATE_TEST_SUITE_P(Rules, BadParkFile,
    testing::Values(BadCase { "not JSON", "{\"format\": ", "Файл " + kPath + ": не JSON" },
        BadCase { "over 1 MB", std::string(kParkFileLimit + 1, ' '),
            "Файл " + kPath + ": файл больше 1 МБ" },
        BadCase { "not an object", "[1, 2]", "Файл " + kPath + ": не объект JSON" },
        BadCase { "unknown format",
            R"({"format": "millcalc-cutters", "version": 1, "machines": []})",
            "Файл " + kPath + ", поле format: нужно \"millcalc-machines\"" },
        BadCase { "newer version",
            R"({"format": "millcalc-machines", "version": 2, "machines": []})",
            "Файл " + kPath + ", поле version: версия 2 новее" },
        BadCase { "no machine list", R"({"format": "millcalc-machines", "version": 1})",
            "Файл " + kPath + ", поле machines: нужен список станков" },
        BadCase { "missing figure", with("max_rpm", ""), kMachine + "поле max_rpm: нет значения" },
        BadCase { "figure as text", with("power_kw", "\"power_kw\": \"19\""),
            kMachine + "поле power_kw: нужно число" },
        BadCase { "zero figure", with("torque_nm", "\"torque_nm\": 0"),
            kMachine + "поле torque_nm: нужно конечное число больше 0" },
        BadCase { "negative figure", with("max_feed_mm_min", "\"max_feed_mm_min\": -5"),
            kMachine + "поле max_feed_mm_min: нужно конечное число больше 0" },
        BadCase { "infinite figure", with("knee_rpm", "\"knee_rpm\": 1e999"),
            kMachine + "поле knee_rpm: число 1e999 вне пределов" },
        BadCase { "negative least speed", with("min_rpm", "\"min_rpm\": -1"),
            kMachine + "поле min_rpm: нужно конечное число не меньше 0" },
        BadCase { "least speed above the greatest", with("min_rpm", "\"min_rpm\": 12000"),
            kMachine + "поле min_rpm: нужно меньше max_rpm" },
        BadCase { "one curve point", with("curve", "\"curve\": [[20, 0.4, 82]]"),
            kMachine + "поле curve: нужно не меньше двух точек" },
        BadCase { "speeds not ascending", with("curve", "\"curve\": [[20, 0.4, 82], [20, 1, 82]]"),
            kMachine + "поле curve: точка 2: скорость не больше предыдущей" },
        BadCase { "a point of two numbers", with("curve", "\"curve\": [[20, 0.4], [25, 1, 82]]"),
            kMachine + "поле curve: точка 1: нужно 3 числа" },
        BadCase {
            "empty name", with("name", "\"name\": \"\""), kMachine + "поле name: название пусто" },
        BadCase { "name over 255 bytes",
            with("name", "\"name\": \"" + std::string(256, 'x') + "\""),
            kMachine + "поле name: название длиннее 255 байт" },
        BadCase { "bad id",
            R"({"format": "millcalc-machines", "version": 1, "machines": [{"id": "Cell 3"}]})",
            "Файл " + kPath + ", станок «№1», поле id: допустимы от 1 до 64 знаков" },
        BadCase { "id over 64",
            R"({"format": "millcalc-machines", "version": 1, "machines": [{"id": ")"
                + std::string(65, 'a') + "\"}]}",
            "Файл " + kPath + ", станок «№1», поле id: допустимы" },
        BadCase { "duplicated id",
            R"({"format": "millcalc-machines", "version": 1, "machines": [{"id": "a", "hidden": true},
                {"id": "a", "hidden": true}]})",
            "Файл " + kPath + ", станок «a», поле id: такой id уже есть в файле" },
        BadCase { "spindle load not ascending",
            with("spindle_load_kn", "\"spindle_load_kn\": [[8000, 2], [6000, 1.7]]"),
            kMachine + "поле spindle_load_kn: точка 2: скорость не больше предыдущей" }));

TEST(ParkFile, ReadsAMachineAndWritesItBackTheSame)
{
    const ParkRead read = readParkText(machineText(kGoodKeys), kPath);
    ASSERT_EQ(read.error, "");
    ASSERT_EQ(read.file.machines.size(), 1u);
    const MachineRecord& m = read.file.machines[0];
    EXPECT_EQ(m.Id, "cell-3");
    EXPECT_EQ(m.MachineName, "Центр №3");
    EXPECT_EQ(m.MinSpindleSpeed, 20);
    EXPECT_EQ(m.CriticalSpindleSpeed, 2200);
    EXPECT_EQ(m.Curve, (std::vector<CurvePoint> { { 20, 0.4, 82 }, { 25, 0.6, 82 } }));
    EXPECT_EQ(m.SpindleLoad, (std::vector<SpindleLoadBand> { { 6000, 2.0 }, { 8000, 1.7 } }));
    const std::string text = parkFileText(read.file);
    EXPECT_NE(text.find("\"max_rpm\": 12000,"), std::string::npos) << text;
    EXPECT_NE(text.find("0.4"), std::string::npos) << text;
    const ParkRead again = readParkText(text, kPath);
    ASSERT_EQ(again.error, "");
    EXPECT_EQ(again.file, read.file);
}

TEST(ParkFile, TheBuiltInMachinesWriteAndReadBackUnchanged)
{
    ParkFile file { builtInMachines(), { "gone" } };
    const std::string text = parkFileText(file);
    EXPECT_EQ(text.find("min_rpm"), std::string::npos) << "no least speed is written as 0";
    const ParkRead read = readParkText(text, kPath);
    ASSERT_EQ(read.error, "");
    EXPECT_EQ(read.file, file);
}

TEST(ParkFile, AMachineWithoutItsCurveGetsTheDatasheetCurveAndIsWrittenWithoutIt)
{
    std::string keys = kGoodKeys;
    keys.erase(keys.find(", \"spindle_load_kn\""));
    keys.erase(keys.find(",\n    \"curve\""), keys.find("]]") + 2 - keys.find(",\n    \"curve\""));
    const ParkRead read = readParkText(machineText(keys), kPath);
    ASSERT_EQ(read.error, "");
    const MachineRecord& m = read.file.machines.at(0);
    EXPECT_TRUE(m.CurveFromDatasheet);
    EXPECT_EQ(m.Curve, datasheetCurve(m));
    EXPECT_EQ(m.Curve.size(), 20u);
    const std::string text = parkFileText(read.file);
    EXPECT_EQ(text.find("curve"), std::string::npos) << text;
    EXPECT_EQ(readParkText(text, kPath).file, read.file);
}

struct CurveCase {
    std::size_t point;
    double speed;
    double power;
    double torque;
};

// Worked by hand: start 75 (given, or a twentieth of the knee 1500 when no
// least speed is given), ratio 20^(1/13) below the knee; √2 above it, as
// 12000 / 1500 = 8 = √2⁶. P = M · 2πn/60 up to the knee, capped at 10 kW;
// M = P / ω above it, capped at 80 N·m.
constexpr CurveCase kCurvePoints[] = {
    { 0, 75, 0.6283185307, 80 },
    { 1, 94.43663284, 0.7911504853, 80 },
    { 12, 1191.275002, 9.980002121, 80 },
    { 13, 1500, 10, 80 },
    { 14, 2121.320344, 10, 45.01581581 },
    { 15, 3000, 10, 31.83098862 },
    { 19, 12000, 10, 7.957747155 },
};

TEST(DatasheetCurve, MatchesTheHandComputedPoints)
{
    for (const double least : { 75.0, 0.0 }) {
        MachineRecord m;
        m.MaxSpindleSpeed = 12000;
        m.MinSpindleSpeed = least;
        m.MaxPower = 10;
        m.MaxTorque = 80;
        m.CriticalSpindleSpeed = 1500;
        const std::vector<CurvePoint> curve = datasheetCurve(m);
        ASSERT_EQ(curve.size(), 20u);
        for (const CurveCase& c : kCurvePoints) {
            SCOPED_TRACE(testing::Message() << "least " << least << ", point " << c.point);
            EXPECT_NEAR(curve[c.point].speedRpm, c.speed, 1e-5);
            EXPECT_NEAR(curve[c.point].powerKw, c.power, 1e-6);
            EXPECT_NEAR(curve[c.point].torqueNm, c.torque, 1e-6);
        }
        // The last point stands exactly at the greatest speed.
        EXPECT_EQ(curve.back().speedRpm, 12000);
    }
}

TEST(DatasheetCurve, NoneWhenTheKneeLiesOutsideTheSpeeds)
{
    MachineRecord m;
    m.MaxSpindleSpeed = 2000;
    m.MaxPower = 10;
    m.MaxTorque = 80;
    m.CriticalSpindleSpeed = 2000;
    EXPECT_TRUE(datasheetCurve(m).empty());
    m.CurveFromDatasheet = true;
    m.Id = "x";
    m.MachineName = "x";
    m.MaxFeed = 1000;
    EXPECT_EQ(validateMachine(m).field, "knee_rpm");
}

} // namespace
} // namespace millcalc
