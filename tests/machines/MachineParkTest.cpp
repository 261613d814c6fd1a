#include "machines/MachinePark.h"

#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace millcalc {
namespace {

namespace fs = std::filesystem;

const char* const kBuiltInIds[]
    = { "v-star", "vs-5vs", "dmf-500l", "dmu-125pa", "variaxis-630-5x" };

std::string machine(const std::string& id, const std::string& name = "Станок")
{
    return R"({"id": ")" + id + R"(", "name": ")" + name
        + R"(", "max_rpm": 12000, "max_feed_mm_min": 10000, "power_kw": 19, "torque_nm": 82,
            "knee_rpm": 2200})";
}

std::string park(const std::vector<std::string>& entries)
{
    std::string text = R"({"format": "millcalc-machines", "version": 1, "machines": [)";
    for (std::size_t i = 0; i < entries.size(); ++i)
        text += (i > 0 ? ", " : "") + entries[i];
    return text + "]}";
}

std::string hidden(const std::string& id)
{
    return R"({"id": ")" + id + R"(", "hidden": true})";
}

const std::string kBad = "{ not json";

struct MergeCase {
    const char* what;
    std::string shop; // in the first configuration folder; empty: none
    std::string secondShop; // in the second one
    std::string user;
    std::vector<std::string> ids; // the park, in order
    std::vector<std::string> names; // of those named here, by position; "" skips
    std::vector<std::string> messages; // a text each message holds
};

class ParkMerge : public testing::TestWithParam<MergeCase> {
protected:
    void SetUp() override
    {
        folders_.configHome = root_.path("home");
        folders_.configDirs = { root_.path("shop1"), root_.path("shop2") };
    }

    void write(const std::string& folder, const std::string& text)
    {
        if (text.empty())
            return;
        fs::create_directories(folder + "/millcalc");
        std::ofstream(folder + "/" + kParkFileName, std::ios::binary) << text;
    }
    static std::string read(const std::string& path) { return support::readFile(path); }

    support::ScratchFolder root_ { "park" };
    UserFolders folders_;
};

TEST_P(ParkMerge, ListsTheParkAUserSees)
{
    const MergeCase& c = GetParam();
    write(folders_.configDirs[0], c.shop);
    write(folders_.configDirs[1], c.secondShop);
    write(folders_.configHome, c.user);
    const ParkLoad load = loadMachinePark(folders_);
    std::vector<std::string> ids;
    for (const MachineRecord& m : load.machines)
        ids.push_back(m.Id);
    EXPECT_EQ(ids, c.ids);
    for (std::size_t i = 0; i < c.names.size() && i < load.machines.size(); ++i) {
        if (!c.names[i].empty()) {
            EXPECT_EQ(load.machines[i].MachineName, c.names[i]) << i;
        }
    }
    ASSERT_EQ(load.messages.size(), c.messages.size()) << testing::PrintToString(load.messages);
    for (std::size_t i = 0; i < c.messages.size(); ++i)
        EXPECT_NE(load.messages[i].find(c.messages[i]), std::string::npos) << load.messages[i];
    EXPECT_EQ(load.userPath, folders_.configHome + "/millcalc/machines.json");
    // Reading rewrites no file.
    EXPECT_EQ(read(folders_.configDirs[0] + "/" + kParkFileName), c.shop);
    EXPECT_EQ(read(load.userPath), c.user);
}

const std::vector<std::string> kBuiltIn(std::begin(kBuiltInIds), std::end(kBuiltInIds));

INSTANTIATE_TEST_SUITE_P(Sources, ParkMerge,
    testing::Values(MergeCase { "no file", "", "", "", kBuiltIn, { "V-STAR (FOREST-LINE)" }, {} },
        MergeCase { "the shop's file replaces the built-in machines",
            park({ machine("cell-1"), machine("cell-2") }), "", "", { "cell-1", "cell-2" }, {},
            {} },
        MergeCase { "the first folder that holds a file", "", park({ machine("far") }), "",
            { "far" }, {}, {} },
        MergeCase { "a nearer folder wins", park({ machine("near") }), park({ machine("far") }), "",
            { "near" }, {}, {} },
        MergeCase { "the user overrides, hides and adds on the built-in machines", "", "",
            park({ machine("cell-9", "Мой"), machine("v-star", "V-STAR мой"), hidden("dmf-500l") }),
            { "v-star", "vs-5vs", "dmu-125pa", "variaxis-630-5x", "cell-9" },
            { "V-STAR мой", "ВС-5ВС", "", "", "Мой" }, {} },
        MergeCase { "the user overrides on the shop's machines",
            park({ machine("cell-1"), machine("cell-2", "Второй") }), "",
            park({ machine("cell-1", "Первый мой"), hidden("cell-2"), machine("cell-9") }),
            { "cell-1", "cell-9" }, { "Первый мой" }, {} },
        MergeCase { "a bad shop file leaves the built-in machines, and says so", kBad, "", "",
            kBuiltIn, {},
            { "shop1/millcalc/machines.json: не JSON (ошибка у байта 4). Используются "
              "встроенные станки." } },
        MergeCase { "a bad shop file leaves the user's own machines", kBad, "",
            park({ machine("cell-9") }), { "cell-9" }, {}, { "shop1/millcalc/machines.json" } },
        MergeCase { "a bad user file leaves the shop's machines", park({ machine("cell-1") }), "",
            park({ machine("cell-9"), machine("cell-9") }), { "cell-1" }, {},
            { "home/millcalc/machines.json, станок «cell-9», поле id" } },
        MergeCase { "a user who hides every machine gets the built-in ones", "", "",
            park({ hidden("v-star"), hidden("vs-5vs"), hidden("dmf-500l"), hidden("dmu-125pa"),
                hidden("variaxis-630-5x") }),
            kBuiltIn, {}, { "не осталось станков" } }));

TEST(UserParkFile, HoldsTheChangesAndMergesBackToTheEditedPark)
{
    const MachineTable& base = builtInMachines();
    MachineTable edited = base;
    edited[1].MaxFeed = 15000;
    edited.erase(edited.begin() + 3);
    MachineRecord own = base[2];
    own.Id = "cell-9";
    own.MachineName = "Свой";
    edited.push_back(own);
    const ParkFile file = userParkFile(base, edited);
    ASSERT_EQ(file.machines.size(), 2u);
    EXPECT_EQ(file.machines[0].Id, "vs-5vs");
    EXPECT_EQ(file.machines[1].Id, "cell-9");
    EXPECT_EQ(file.hidden, std::vector<std::string> { "dmu-125pa" });
    EXPECT_EQ(mergePark(base, file), edited);
    EXPECT_EQ(readParkText(parkFileText(file), "x").file, file);
}

TEST(UserParkFile, IsSavedWholeWhereTheLoaderReadsIt)
{
    const support::ScratchFolder root("save");
    UserFolders folders;
    folders.configHome = root.path("home");
    folders.configDirs = { root.path("none") };
    ParkFile file;
    file.hidden = { "v-star" };
    ASSERT_EQ(saveUserPark(userParkPath(folders), file), "");
    const ParkLoad load = loadMachinePark(folders);
    EXPECT_EQ(load.user, file);
    EXPECT_EQ(load.machines.size(), 4u);
    EXPECT_EQ(load.machines.front().Id, "vs-5vs");
}

} // namespace
} // namespace millcalc
