#include "cutters/CutterImport.h"
#include "cutters/CutterLibrary.h"
#include "cutters/FreeCadTools.h"
#include "cutters/FusionLibrary.h"

#include "CutterTestFolder.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <cmath>

namespace millcalc {
namespace {

// What a machinist checks of an imported cutter, NaN where it is unknown.
struct Expected {
    std::string name;
    std::optional<CutterType> type;
    double d;
    int teeth; // 0: unknown
    double corner;
    double fluteLength;
    double stickout;
    double overall;
    double shank;
    std::optional<ToolMaterial> material;
    int toolNumber; // 0: none
};

constexpr double kNone = NAN;

void expectOptional(const std::optional<double>& value, double expected, const char* what)
{
    if (std::isnan(expected))
        EXPECT_FALSE(value.has_value()) << what;
    else if (!value)
        ADD_FAILURE() << what << " missing";
    else
        EXPECT_NEAR(*value, expected, 1e-9) << what;
}

void expectCutter(const Cutter& c, const Expected& e)
{
    EXPECT_EQ(c.name, e.name);
    EXPECT_EQ(c.type, e.type) << e.name;
    EXPECT_NEAR(c.dMm, e.d, 1e-9) << e.name;
    EXPECT_EQ(c.teeth.value_or(0), e.teeth) << e.name;
    expectOptional(c.cornerRadiusMm, e.corner, "corner");
    expectOptional(c.fluteLengthMm, e.fluteLength, "flute length");
    expectOptional(c.stickoutMm, e.stickout, "stick-out");
    expectOptional(c.overallLengthMm, e.overall, "overall length");
    expectOptional(c.shankMm, e.shank, "shank");
    EXPECT_EQ(c.material, e.material) << e.name;
    EXPECT_EQ(c.toolNumber.value_or(0), e.toolNumber) << e.name;
}

struct ImportCase {
    const char* what;
    const char* file;
    std::vector<Expected> cutters;
    const char* error; // the message's end, after the file's name
};

class ImportFile : public testing::TestWithParam<ImportCase> { };

TEST_P(ImportFile, MapsEachFormatsGeometryInMillimetres)
{
    const ImportCase& c = GetParam();
    const std::string path = sample(c.file);
    const CutterImport imported = importCutterFile(path);
    if (*c.error) {
        EXPECT_EQ(imported.error, "«" + path + "»" + c.error);
        EXPECT_TRUE(imported.cutters.empty());
        return;
    }
    ASSERT_EQ(imported.error, "");
    ASSERT_EQ(imported.cutters.size(), c.cutters.size());
    for (std::size_t i = 0; i < c.cutters.size(); ++i)
        expectCutter(imported.cutters[i], c.cutters[i]);
}

using T = CutterType;
using M = ToolMaterial;
INSTANTIATE_TEST_SUITE_P(Fusion, ImportFile,
    testing::Values(
        // The drill is passed over; an empty description gives the product id.
        ImportCase { "metric", "fusion_metric.json",
            { { "Фреза 10 Z4", T::Flat, 10, 4, 0, 22, 35, 75, 10, M::Carbide, 7 },
                { "BALL6", T::Ball, 6, 2, 3, 12, kNone, 50, 6, M::Hss, 0 } },
            "" },
        ImportCase { "inch", "fusion_inch.json",
            { { "1/2 bull 0.03R", T::Bull, 12.7, 3, 0.762, 31.75, 38.1, 76.2, 12.7, M::Carbide,
                0 } },
            "" },
        ImportCase { "missingDiameter", "fusion_missing_dc.json", {},
            ", фреза «Без диаметра»: поле «DC»: нет диаметра" },
        ImportCase { "unknownUnit", "fusion_unknown_unit.json", {},
            ", фреза «Фреза 12»: поле «unit»: неизвестная единица «furlongs»" },
        ImportCase { "zeroDiameter", "fusion_zero_dc.json", {},
            ", фреза «Нулевая»: поле «DC»: 0 — диаметр должен быть больше 0 и не больше 1000 мм" }),
    [](const testing::TestParamInfo<ImportCase>& info) { return std::string(info.param.what); });

INSTANTIATE_TEST_SUITE_P(FreeCad, ImportFile,
    testing::Values(
        ImportCase { "bit", "freecad/Bit/6mm_Endmill.fctb",
            { { "6mm Endmill", T::Flat, 6, 3, kNone, 20, kNone, 50, 6, M::Carbide, 0 } }, "" },
        // Flutes as a number, a decimal comma, inches, the material among the attributes.
        ImportCase { "inchComma", "freecad/Bit/quarter_inch_ball.fctb",
            { { "1/4 in ball", T::Ball, 6.35, 2, kNone, 19.05, kNone, 63.5, 6.35, M::Hss, 0 } },
            "" },
        ImportCase { "bullComma", "freecad/Bit/bullnose_comma.fctb",
            { { "Торовая 8 R1", T::Bull, 8, 4, 1, 16, kNone, 60, 8, std::nullopt, 0 } }, "" },
        // Bits in Bit/ and beside the library, numbered; the drill passed over.
        ImportCase { "library", "freecad/Library/Shop.fctl",
            { { "6mm Endmill", T::Flat, 6, 3, kNone, 20, kNone, 50, 6, M::Carbide, 1 },
                { "Beside 12", T::Flat, 12, 4, kNone, kNone, kNone, 80, kNone, std::nullopt, 2 },
                { "1/4 in ball", T::Ball, 6.35, 2, kNone, 19.05, kNone, 63.5, 6.35, M::Hss, 3 },
                { "Торовая 8 R1", T::Bull, 8, 4, 1, 16, kNone, 60, 8, std::nullopt, 5 } },
            "" },
        ImportCase { "missingBit", "freecad/Library/Missing.fctl", {},
            ": нет файла инструмента «lost_bit.fctb» ни рядом с библиотекой, ни в папке Bit" },
        ImportCase { "unknownUnit", "freecad/Bit/feet.fctb", {},
            ", фреза «Feet»: поле «Diameter»: «0.02 ft» — неизвестная единица «ft»" },
        ImportCase { "missingDiameter", "freecad/Bit/no_diameter.fctb", {},
            ", фреза «No diameter»: поле «Diameter»: нет диаметра" },
        ImportCase { "onlyADrill", "freecad/Bit/drill.fctb", {}, ": в файле нет концевых фрез" }),
    [](const testing::TestParamInfo<ImportCase>& info) { return std::string(info.param.what); });

struct QuantityCase {
    const char* text;
    double mm;
    const char* error;
};

class FreeCadQuantity : public testing::TestWithParam<QuantityCase> { };

TEST_P(FreeCadQuantity, ReadsPointOrCommaInMillimetresOrInches)
{
    const Quantity q = freeCadLength(GetParam().text);
    EXPECT_EQ(q.error, GetParam().error);
    if (q.error.empty()) {
        EXPECT_NEAR(q.mm, GetParam().mm, 1e-12);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, FreeCadQuantity,
    testing::Values(QuantityCase { "6.0000 mm", 6, "" }, QuantityCase { "6,5 mm", 6.5, "" },
        QuantityCase { "0.25 in", 6.35, "" }, QuantityCase { "0,5\"", 12.7, "" },
        QuantityCase { "1.2 cm", 12, "" }, QuantityCase { " 7 ", 7, "" },
        QuantityCase { "1.000,5 mm", 0, "«1.000,5 mm» — не число" },
        QuantityCase { "mm", 0, "«mm» — не число" },
        QuantityCase { "3 yd", 0, "«3 yd» — неизвестная единица «yd»" }));

class CutterImportFiles : public CutterTestFolder { };

// A .tools file as Fusion 360 writes one: the JSON library zipped.
std::string zipped(const std::string& entryName, const std::string& json)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* out = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(out);
    zip_t* archive = zip_open_from_source(out, ZIP_TRUNCATE, &error);
    zip_source_t* entry = zip_source_buffer_create(json.data(), json.size(), 0, &error);
    zip_file_add(archive, entryName.c_str(), entry, ZIP_FL_ENC_UTF_8);
    zip_close(archive);
    zip_source_open(out);
    zip_source_seek(out, 0, SEEK_END);
    const zip_int64_t size = zip_source_tell(out);
    zip_source_seek(out, 0, SEEK_SET);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    zip_source_read(out, bytes.data(), static_cast<zip_uint64_t>(size));
    zip_source_close(out);
    zip_source_free(out);
    zip_error_fini(&error);
    return bytes;
}

TEST_F(CutterImportFiles, AToolsFileIsTheLibraryZipped)
{
    const std::string json = support::readFile(sample("fusion_metric.json"));
    const std::string tools = write("shop.tools", zipped("tools.json", json));
    const CutterImport imported = importCutterFile(tools);
    ASSERT_EQ(imported.error, "");
    ASSERT_EQ(imported.cutters.size(), 2u);
    EXPECT_EQ(imported.cutters[0].name, "Фреза 10 Z4");

    const std::string noLibrary = write("empty.tools", zipped("readme.txt", "hello"));
    const std::string notZip = write("text.tools", json);
    EXPECT_EQ(importCutterFile(noLibrary).error,
        "«" + noLibrary + "»: в архиве нет библиотеки инструментов (одного файла .json)");
    EXPECT_EQ(importCutterFile(notZip).error, "«" + notZip + "»: это не zip-архив");
}

TEST(FusionImport, AnInchLibrarysPresetsComeInMetric)
{
    const CutterImport imported = importCutterFile(sample("fusion_inch.json"));
    ASSERT_EQ(imported.error, "");
    ASSERT_EQ(imported.cutters.at(0).cuts.size(), 1u);
    const SavedCut& preset = imported.cutters[0].cuts[0];
    EXPECT_FALSE(preset.method.has_value());
    EXPECT_EQ(preset.source, "fusion_inch.json");
    EXPECT_EQ(preset.workMaterial, "6061");
    // 1047.2 ft/min, 0.002 in a tooth, 48 in/min, 0.5 in deep, 0.05 in wide.
    const std::vector<std::pair<std::string, std::string>> expected { { "n", "8000" },
        { "v_c", "319.18656" }, { "f_z", "0.0508" }, { "v_f", "1219.2" }, { "stepdown", "12.7" },
        { "stepover", "1.27" } };
    EXPECT_EQ(preset.inputs, expected);
}

TEST_F(CutterImportFiles, ABitListedTwiceInALibraryComesInOnce)
{
    const std::string bit = sample("freecad/Bit/6mm_Endmill.fctb");
    const std::string library = write("Library/twice.fctl",
        R"({"version": 1, "tools": [{"nr": 4, "path": ")" + bit + R"("}, {"nr": 9, "path": ")" + bit
            + R"("}]})");
    CutterLibrary cutters = CutterLibrary::load(folders_).library;
    const CutterImport imported = importIntoLibrary(cutters, library);
    ASSERT_EQ(imported.error, "");
    ASSERT_EQ(imported.cutters.size(), 1u);
    EXPECT_EQ(imported.cutters[0].toolNumber, 4);
    EXPECT_EQ(cutters.cutters().size(), 1u);
}

TEST_F(CutterImportFiles, AFileOverTenMegabytesIsRefused)
{
    const std::string big = write("big.json", std::string(10 * 1024 * 1024 + 1, ' '));
    EXPECT_EQ(importCutterFile(big).error, "«" + big + "»: файл больше 10 МБ");
}

TEST_F(CutterImportFiles, ImportingAgainUpdatesWithoutTwinsAndKeepsTheUsersCuts)
{
    CutterLibrary library = CutterLibrary::load(folders_).library;
    const std::string v1 = write("lib/tools.json", R"({"data": [
        {"guid": "g1", "description": "Фреза 8", "type": "flat end mill", "unit": "millimeters",
         "geometry": {"DC": 8, "NOF": 3},
         "start-values": {"presets": [{"name": "Сталь", "n": 4000, "v_c": 100}]}},
        {"guid": "g2", "description": "Фреза 4", "type": "flat end mill", "unit": "millimeters",
         "geometry": {"DC": 4, "NOF": 2}}], "version": 2})");
    ASSERT_EQ(importIntoLibrary(library, v1).error, "");

    Cutter mine = *library.find("fusion:g1");
    mine.maxRpm = 18000;
    SavedCut walter;
    walter.method = "walter";
    walter.source = "user";
    walter.inputs = { { "BaseD", "8" } };
    mine.cuts.push_back(walter);
    library.put(mine);
    ASSERT_EQ(library.save(), "");

    write("lib/tools.json", R"({"data": [
        {"guid": "g1", "description": "Фреза 8 новая", "type": "flat end mill", "unit": "millimeters",
         "geometry": {"DC": 8, "NOF": 4},
         "start-values": {"presets": [{"name": "Сталь", "n": 4200, "v_c": 105}]}}], "version": 2})");
    CutterLibrary reloaded = CutterLibrary::load(folders_).library;
    const CutterImport again = importIntoLibrary(reloaded, v1);
    ASSERT_EQ(again.error, "");
    ASSERT_EQ(again.cutters.size(), 1u);
    ASSERT_EQ(reloaded.cutters().size(), 2u);
    const Cutter& updated = *reloaded.find("fusion:g1");
    EXPECT_EQ(updated.name, "Фреза 8 новая");
    EXPECT_EQ(updated.teeth, 4);
    EXPECT_EQ(updated.maxRpm, 18000);
    ASSERT_EQ(updated.cuts.size(), 2u);
    EXPECT_EQ(updated.cuts[0].method, "walter");
    EXPECT_EQ(*updated.cuts[1].input("n"), "4200");
    // The user's file holds what the import brought.
    EXPECT_EQ(CutterLibrary::load(folders_).library.find("fusion:g1")->cuts.size(), 2u);
}

TEST_F(CutterImportFiles, ARefusedImportLeavesTheLibraryAndItsFileAsTheyWere)
{
    CutterLibrary library = CutterLibrary::load(folders_).library;
    ASSERT_EQ(importIntoLibrary(library, sample("fusion_metric.json")).error, "");
    const std::string before = read(userFile());
    EXPECT_NE(importIntoLibrary(library, sample("freecad/Library/Missing.fctl")).error, "");
    EXPECT_EQ(library.cutters().size(), 2u);
    EXPECT_EQ(read(userFile()), before);
}

TEST(FusionExport, ReadsBackWhatItWroteWithTheKeysItDoesNotMapAndTheCurrentCut)
{
    for (const char* file : { "fusion_metric.json", "fusion_inch.json" }) {
        const CutterImport first = importCutterFile(sample(file));
        ASSERT_EQ(first.error, "") << file;
        CurrentCut cut { first.cutters[0].id, "millcalc", 9549.3, 300, 0.08, 3055.8, 5, 2.5 };
        const std::string text = fusionLibraryText(first.cutters, &cut);
        const CutterImport second = readFusionLibrary(text, "out.json");
        ASSERT_EQ(second.error, "") << file;
        ASSERT_EQ(second.cutters.size(), first.cutters.size());
        for (std::size_t i = 0; i < first.cutters.size(); ++i) {
            const Cutter& a = first.cutters[i];
            const Cutter& b = second.cutters[i];
            EXPECT_EQ(b.id, a.id);
            EXPECT_EQ(b.name, a.name);
            EXPECT_NEAR(b.dMm, a.dMm, 1e-9);
            EXPECT_EQ(b.teeth, a.teeth);
            EXPECT_EQ(b.toolNumber, a.toolNumber);
            EXPECT_EQ(b.material, a.material);
            EXPECT_EQ(b.unknownKeys.find("presets"), std::string::npos);
        }
        // The preset brought in, then the current cut, in the library's unit.
        const Cutter& b = second.cutters[0];
        ASSERT_EQ(b.cuts.size(), first.cutters[0].cuts.size() + 1) << file;
        const SavedCut& current = b.cuts.back();
        EXPECT_EQ(current.workMaterial, "millcalc");
        EXPECT_NEAR(std::stod(*current.input("stepdown")), 5, 1e-9) << file;
        EXPECT_NEAR(std::stod(*current.input("stepover")), 2.5, 1e-9) << file;
        EXPECT_NEAR(std::stod(*current.input("v_c")), 300, 1e-9) << file;
        EXPECT_NEAR(std::stod(*current.input("f_z")), 0.08, 1e-12) << file;
        EXPECT_NEAR(std::stod(*current.input("n")), 9549.3, 1e-9) << file;
    }
    const std::string metric
        = fusionLibraryText(importCutterFile(sample("fusion_metric.json")).cutters);
    EXPECT_NE(metric.find(R"("holder": {)"), std::string::npos);
    EXPECT_NE(metric.find(R"("SIG": 140)"), std::string::npos);
    EXPECT_NE(metric.find(R"("tool-coolant": "flood")"), std::string::npos);
}

TEST(FusionExport, ACutterOfThisProgramGetsAStableGuid)
{
    Cutter c;
    c.id = "cutter-1";
    c.name = "Моя";
    c.dMm = 5;
    const CutterImport back = readFusionLibrary(fusionLibraryText({ c }), "x.json");
    ASSERT_EQ(back.error, "");
    EXPECT_EQ(back.cutters.at(0).type, CutterType::Flat);
    EXPECT_EQ(back.cutters.at(0).id.size(), std::string("fusion:").size() + 36);
    EXPECT_EQ(fusionLibraryText({ c }), fusionLibraryText({ c }));
}

} // namespace
} // namespace millcalc
