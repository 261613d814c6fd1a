// A private folder for one cutter test, with the user's and the shop's data
// folders in it, so that no file of the user running the tests counts.
#pragma once

#include "app/UserFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace millcalc {

class CutterTestFolder : public testing::Test {
protected:
    void SetUp() override
    {
        const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "-" + info->name();
        for (char& c : name) {
            if (c == '/')
                c = '-';
        }
        folder_ = std::filesystem::temp_directory_path()
            / ("millcalc-cutters-" + std::to_string(::getpid()) + "-" + name);
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        folders_.dataHome = (folder_ / "home").string();
        folders_.dataDirs = { (folder_ / "shop").string() };
        folders_.configHome = (folder_ / "config").string();
        folders_.configDirs = { (folder_ / "shop-config").string() };
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string path(const std::string& relative) const { return (folder_ / relative).string(); }
    std::string write(const std::string& relative, const std::string& text) const
    {
        const std::filesystem::path file = folder_ / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
        return file.string();
    }
    std::string read(const std::string& relative) const
    {
        std::ifstream in(folder_ / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::string userFile() const { return "home/millcalc/cutters.json"; }
    std::string shopFile() const { return "shop/millcalc/cutters.json"; }

    std::filesystem::path folder_;
    UserFolders folders_;
};

inline std::string sample(const std::string& relative)
{
    return std::string(MILLCALC_CUTTER_SAMPLES) + "/" + relative;
}

} // namespace millcalc
