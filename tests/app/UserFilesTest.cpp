#include "app/UserFiles.h"

#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace millcalc {
namespace {

namespace fs = std::filesystem;

// The environment a case hands to userFolders.
std::map<std::string, std::string>* environment = nullptr;

const char* lookUp(const char* name)
{
    const auto found = environment->find(name);
    return found == environment->end() ? nullptr : found->second.c_str();
}

struct FolderCase {
    const char* what;
    std::map<std::string, std::string> variables;
    UserFolders expected;
};

class UserFoldersTest : public testing::TestWithParam<FolderCase> { };

TEST_P(UserFoldersTest, FollowsTheBaseDirectoryRules)
{
    std::map<std::string, std::string> variables = GetParam().variables;
    environment = &variables;
    const UserFolders folders = userFolders(&lookUp);
    environment = nullptr;
    EXPECT_EQ(folders.configHome, GetParam().expected.configHome);
    EXPECT_EQ(folders.configDirs, GetParam().expected.configDirs);
    EXPECT_EQ(folders.dataHome, GetParam().expected.dataHome);
    EXPECT_EQ(folders.dataDirs, GetParam().expected.dataDirs);
}

INSTANTIATE_TEST_SUITE_P(Cases, UserFoldersTest,
    testing::Values(FolderCase { "defaults", { { "HOME", "/home/ivan" } },
                        { "/home/ivan/.config", { "/etc/xdg" }, "/home/ivan/.local/share",
                            { "/usr/local/share", "/usr/share" } } },
        FolderCase { "set",
            { { "HOME", "/h" }, { "XDG_CONFIG_HOME", "/c/" },
                { "XDG_CONFIG_DIRS", "/shop/xdg:/etc/xdg" }, { "XDG_DATA_HOME", "/d" },
                { "XDG_DATA_DIRS", "/shop/share" } },
            { "/c", { "/shop/xdg", "/etc/xdg" }, "/d", { "/shop/share" } } },
        // Relative and empty entries are ignored; a list of nothing else
        // falls back to the default.
        FolderCase { "relative",
            { { "HOME", "/h" }, { "XDG_CONFIG_HOME", "rel" }, { "XDG_CONFIG_DIRS", "::rel:/ok" },
                { "XDG_DATA_DIRS", ":" } },
            { "/h/.config", { "/ok" }, "/h/.local/share", { "/usr/local/share", "/usr/share" } } }),
    [](const testing::TestParamInfo<FolderCase>& info) { return std::string(info.param.what); });

class AtomicWriteTest : public testing::Test {
protected:
    static std::string contents(const fs::path& path) { return support::readFile(path.string()); }
    int entries(const fs::path& folder) const
    {
        return int(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }

    support::ScratchFolder scratch_ { "userfiles" };
    const fs::path folder_ = scratch_.root();
};

TEST_F(AtomicWriteTest, ReplacesTheFileAndMakesItsFolders)
{
    const fs::path path = folder_ / "millcalc" / "park.json";
    EXPECT_EQ(writeFileAtomically(path.string(), "first"), "");
    EXPECT_EQ(writeFileAtomically(path.string(), "second"), "");
    EXPECT_EQ(contents(path), "second");
    EXPECT_EQ(entries(path.parent_path()), 1) << "a temporary file was left";
}

TEST_F(AtomicWriteTest, AFailureLeavesTheOldFileAndNoTemporaryOne)
{
    const fs::path path = folder_ / "kept.json";
    ASSERT_EQ(writeFileAtomically(path.string(), "old"), "");
    // A folder in place of the file, and a file in place of a folder.
    fs::create_directories(folder_ / "folder");
    EXPECT_NE(writeFileAtomically((folder_ / "folder").string(), "x"), "");
    EXPECT_NE(writeFileAtomically((path / "under").string(), "x"), "");
    EXPECT_EQ(contents(path), "old");
    EXPECT_EQ(entries(folder_), 2);
}

TEST_F(AtomicWriteTest, ReadsBackWhatItWroteWithinTheLimit)
{
    const fs::path path = folder_ / "f";
    ASSERT_EQ(writeFileAtomically(path.string(), std::string(100, 'a')), "");
    EXPECT_EQ(readWholeFile(path.string(), 100).bytes, std::string(100, 'a'));
    const FileRead tooLarge = readWholeFile(path.string(), 99);
    EXPECT_NE(tooLarge.error, "");
    EXPECT_EQ(tooLarge.bytes, "");
    const FileRead missing = readWholeFile((folder_ / "none").string(), 100);
    EXPECT_TRUE(missing.missing);
    EXPECT_NE(readWholeFile(folder_.string(), 100).error, "");
}

TEST_F(AtomicWriteTest, FindsTheFirstFolderThatHoldsTheFile)
{
    fs::create_directories(folder_ / "a" / "millcalc");
    fs::create_directories(folder_ / "b" / "millcalc" / "machines.json"); // a folder: not it
    fs::create_directories(folder_ / "c" / "millcalc");
    std::ofstream(folder_ / "c" / "millcalc" / "machines.json") << "{}";
    std::ofstream(folder_ / "d" / "millcalc" / "machines.json") << "{}";
    const std::vector<std::string> folders { (folder_ / "a").string(), (folder_ / "b").string(),
        (folder_ / "c").string(), (folder_ / "d").string() };
    EXPECT_EQ(firstExisting(folders, "millcalc/machines.json"),
        (folder_ / "c" / "millcalc" / "machines.json").string());
    EXPECT_EQ(firstExisting({ (folder_ / "a").string() }, "millcalc/machines.json"), "");
}

} // namespace
} // namespace millcalc
