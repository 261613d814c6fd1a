#include "cutters/CutterFile.h"
#include "cutters/CutterLibrary.h"
#include "cutters/ToolTable.h"

#include "CutterTestFolder.h"

#include <gtest/gtest.h>

#include <clocale>

namespace millcalc {
namespace {

Cutter cutter(const std::string& id, const std::string& name, double d)
{
    Cutter c;
    c.id = id;
    c.name = name;
    c.dMm = d;
    return c;
}

std::vector<std::string> names(const std::vector<Cutter>& cutters)
{
    std::vector<std::string> out;
    for (const Cutter& c : cutters)
        out.push_back(c.name);
    return out;
}

constexpr const char* kFull = R"({
  "format": "millcalc-cutters",
  "version": 1,
  "shop-note": {"owner": "цех 3"},
  "cutters": [
    {
      "id": "em10",
      "name": "Фреза 10 Z4",
      "type": "bull",
      "d_mm": 10.0,
      "teeth": 4,
      "corner_radius_mm": 0.5,
      "helix_deg": 45.0,
      "flute_length_mm": 22.0,
      "stickout_mm": 35.5,
      "overall_length_mm": 75.0,
      "shank_mm": 10.0,
      "material": "carbide",
      "coating": "AlTiN",
      "max_rpm": 24000.0,
      "maker": "Sandvik",
      "part_number": "R216",
      "note": "для алюминия",
      "tool_number": 12,
      "cuts": [
        {"method": "walter", "work_material": "P1", "source": "user",
         "inputs": {"BaseD": "10", "BaseB": "5"}, "rating": 5},
        {"method": null, "work_material": "6061", "source": "lib.json", "inputs": {"n": "9000"}}
      ],
      "holder": {"kind": "ER32", "gauge": [1, 2]}
    },
    {"id": "old", "hidden": true, "why": "сломана"}
  ]
})";

TEST(CutterFile, ReadsEveryFieldAndWritesBackTheKeysItDoesNotKnow)
{
    const CutterFileRead read = readCutterFile(kFull, "cutters.json");
    ASSERT_EQ(read.error, "");
    ASSERT_EQ(read.file.cutters.size(), 2u);
    const Cutter& c = read.file.cutters[0];
    EXPECT_EQ(c.type, CutterType::Bull);
    EXPECT_EQ(c.teeth, 4);
    EXPECT_EQ(c.stickoutMm, 35.5);
    EXPECT_EQ(c.material, ToolMaterial::Carbide);
    EXPECT_EQ(c.maxRpm, 24000);
    EXPECT_EQ(c.toolNumber, 12);
    ASSERT_EQ(c.cuts.size(), 2u);
    EXPECT_EQ(c.cuts[0].method, "walter");
    ASSERT_NE(c.cuts[0].input("BaseB"), nullptr);
    EXPECT_EQ(*c.cuts[0].input("BaseB"), "5");
    EXPECT_FALSE(c.cuts[1].method.has_value());
    EXPECT_TRUE(read.file.cutters[1].hidden);

    // Written and read again, it is the same file to the last unknown key.
    const std::string text = cutterFileText(read.file);
    EXPECT_NE(text.find(R"("holder": {)"), std::string::npos);
    EXPECT_NE(text.find(R"("rating": 5)"), std::string::npos);
    EXPECT_NE(text.find(R"("why": "сломана")"), std::string::npos);
    EXPECT_NE(text.find(R"("shop-note")"), std::string::npos);
    const CutterFileRead again = readCutterFile(text, "cutters.json");
    ASSERT_EQ(again.error, "");
    EXPECT_EQ(cutterFileText(again.file), text);
}

TEST(CutterFile, WritesNumbersWithAPointInACommaLocale)
{
    const char* russian = std::setlocale(LC_ALL, "ru_RU.UTF-8");
    CutterFile file;
    file.cutters.push_back(cutter("a", "A", 6.5));
    file.cutters[0].maxRpm = 12000;
    const std::string text = cutterFileText(file);
    std::setlocale(LC_ALL, "C");
    EXPECT_NE(text.find(R"("d_mm": 6.5)"), std::string::npos) << (russian ? "" : "(no ru_RU)");
    EXPECT_NE(text.find(R"("max_rpm": 12000.0)"), std::string::npos);
    EXPECT_EQ(readCutterFile(text, "x").file.cutters.at(0).dMm, 6.5);
}

struct BadFile {
    const char* what;
    const char* text;
    const char* message;
};

class CutterFileRefuses : public testing::TestWithParam<BadFile> { };

TEST_P(CutterFileRefuses, NamingTheFileTheToolAndTheField)
{
    const CutterFileRead read = readCutterFile(GetParam().text, "/shop/cutters.json");
    EXPECT_EQ(read.error, GetParam().message);
    EXPECT_TRUE(read.file.cutters.empty());
}

#define HEAD R"({"format": "millcalc-cutters", "version": 1, "cutters": [)"
INSTANTIATE_TEST_SUITE_P(Cases, CutterFileRefuses,
    testing::Values(
        BadFile { "notJson", "{\"format\": ", "«/shop/cutters.json»: файл не в формате JSON" },
        BadFile { "otherFormat", R"({"format": "millcalc-machines", "version": 1})",
            "«/shop/cutters.json»: это не библиотека фрез (нет \"format\": \"millcalc-cutters\")" },
        BadFile { "newerVersion", R"({"format": "millcalc-cutters", "version": 2, "cutters": []})",
            "«/shop/cutters.json»: версия 2 не читается: эта программа знает версию 1" },
        BadFile { "noDiameter", HEAD R"({"id": "a", "name": "A"}]})",
            "«/shop/cutters.json», фреза «a»: поле «d_mm»: нет обязательного поля" },
        BadFile { "noId", HEAD R"({"id": "a", "name": "A", "d_mm": 6}, {"name": "B"}]})",
            "«/shop/cutters.json», фреза №2: поле «id»: нет обязательного поля" },
        BadFile { "zeroDiameter", HEAD R"({"id": "a", "name": "A", "d_mm": 0}]})",
            "«/shop/cutters.json», фреза «a»: поле «d_mm»: 0 — диаметр должен быть больше 0 и не "
            "больше "
            "1000 мм" },
        BadFile { "diameterAsText", HEAD R"({"id": "a", "name": "A", "d_mm": "6"}]})",
            "«/shop/cutters.json», фреза «a»: поле «d_mm»: должно быть числом" },
        BadFile { "cornerBeyondHalf",
            HEAD R"({"id": "a", "name": "A", "d_mm": 6, "corner_radius_mm": 3.5}]})",
            "«/shop/cutters.json», фреза «a»: поле «corner_radius_mm»: 3.5 — радиус при вершине "
            "должен быть от 0 до половины диаметра" },
        BadFile { "fractionalTeeth", HEAD R"({"id": "a", "name": "A", "d_mm": 6, "teeth": 2.5}]})",
            "«/shop/cutters.json», фреза «a»: поле «teeth»: 2.5 — не целое число" },
        BadFile { "noTeeth", HEAD R"({"id": "a", "name": "A", "d_mm": 6, "teeth": 0}]})",
            "«/shop/cutters.json», фреза «a»: поле «teeth»: 0 — зубьев должно быть от 1 до 99" },
        BadFile { "unknownType", HEAD R"({"id": "a", "name": "A", "d_mm": 6, "type": "drill"}]})",
            "«/shop/cutters.json», фреза «a»: поле «type»: неизвестный тип «drill»" },
        BadFile { "unknownMethod",
            HEAD R"({"id": "a", "name": "A", "d_mm": 6, "cuts": [{"method": "x"}]}]})",
            "«/shop/cutters.json», фреза «a»: поле «method»: неизвестный метод «x»" },
        BadFile { "twinIds",
            HEAD R"({"id": "a", "name": "A", "d_mm": 6}, {"id": "a", "name": "B", "d_mm": 8}]})",
            "«/shop/cutters.json», фреза «a»: такой id уже есть в файле" },
        BadFile { "tooDeep",
            "{\"a\":[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[]]]]]]]]]]]]"
            "]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]}",
            "«/shop/cutters.json»: вложенность JSON глубже 64 уровней" }),
    [](const testing::TestParamInfo<BadFile>& info) { return std::string(info.param.what); });
#undef HEAD

TEST(CutterMerge, TheUsersCuttersOverrideTheShopsInPlaceAndFollowThem)
{
    CutterFile shop;
    shop.cutters
        = { cutter("a", "shop A", 6), cutter("b", "shop B", 8), cutter("c", "shop C", 10) };
    CutterFile user;
    user.cutters = { cutter("x", "user X", 3), cutter("b", "user B", 8.5) };
    Cutter hidden;
    hidden.id = "c";
    hidden.hidden = true;
    user.cutters.push_back(hidden);
    EXPECT_EQ(names(mergeCutters(shop, user)),
        (std::vector<std::string> { "shop A", "user B", "user X" }));
}

class CutterLibraryFiles : public CutterTestFolder { };

TEST_F(CutterLibraryFiles, ADeletedShopCutterIsHiddenInTheUsersFileAndTheShopsIsNeverWritten)
{
    const std::string shopText
        = cutterFileText({ { cutter("a", "A", 6), cutter("b", "B", 8) }, {} });
    write(shopFile(), shopText);
    CutterLibrary::Loaded loaded = CutterLibrary::load(folders_);
    ASSERT_EQ(loaded.error, "");
    CutterLibrary& library = loaded.library;
    library.remove("a");
    Cutter mine = cutter(library.unusedId(), "Моя", 4);
    library.put(mine);
    Cutter edited = *library.find("b");
    edited.note = "переточена";
    library.put(edited);
    ASSERT_EQ(library.save(), "");
    EXPECT_EQ(read(shopFile()), shopText);

    const CutterLibrary::Loaded again = CutterLibrary::load(folders_);
    EXPECT_EQ(names(again.library.cutters()), (std::vector<std::string> { "B", "Моя" }));
    EXPECT_EQ(again.library.find("b")->note, "переточена");
    EXPECT_EQ(again.library.find("cutter-1")->dMm, 4);
    const std::string user = read(userFile());
    EXPECT_NE(user.find(R"("hidden": true)"), std::string::npos);
    EXPECT_TRUE(again.library.fromShop("b"));
    EXPECT_FALSE(again.library.fromShop("cutter-1"));
}

TEST_F(CutterLibraryFiles, AUsersFileItCannotReadIsNamedAndNeverWrittenOver)
{
    write(userFile(), "{\"format\": \"millcalc-cutters\", \"version\": 1, \"cutters\": [{]}");
    CutterLibrary::Loaded loaded = CutterLibrary::load(folders_);
    EXPECT_EQ(loaded.error, "«" + path(userFile()) + "»: файл не в формате JSON");
    loaded.library.put(cutter("n", "N", 5));
    EXPECT_NE(loaded.library.save(), "");
    EXPECT_EQ(
        read(userFile()), "{\"format\": \"millcalc-cutters\", \"version\": 1, \"cutters\": [{]}");
}

TEST_F(CutterLibraryFiles, TheShopsFileIsTheFirstDataFolderThatHoldsOne)
{
    folders_.dataDirs = { path("empty"), path("shop"), path("later") };
    write(shopFile(), cutterFileText({ { cutter("a", "first", 6) }, {} }));
    write("later/millcalc/cutters.json", cutterFileText({ { cutter("a", "later", 6) }, {} }));
    EXPECT_EQ(names(CutterLibrary::load(folders_).library.cutters()),
        (std::vector<std::string> { "first" }));
}

TEST(ToolTable, NumbersCuttersWithoutANumberAfterTheHighest)
{
    std::vector<Cutter> cutters { cutter("a", "Фреза 10", 10), cutter("b", "Ball 6", 6),
        cutter("c", "Two\nlines", 3.175) };
    cutters[1].toolNumber = 7;
    EXPECT_EQ(linuxCncToolTable(cutters),
        "T8 P8 D10 Z0 ;Фреза 10\n"
        "T7 P7 D6 Z0 ;Ball 6\n"
        "T9 P9 D3.175 Z0 ;Two lines\n");
}

} // namespace
} // namespace millcalc
