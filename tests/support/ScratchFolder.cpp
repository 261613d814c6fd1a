#include "support/ScratchFolder.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <limits>

#include <unistd.h>

namespace millcalc::support {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder(std::string_view label)
{
    static std::atomic<int> count { 0 };
    std::string name = "millcalc-" + std::string(label) + "-" + std::to_string(::getpid()) + "-"
        + std::to_string(++count);
    for (char& c : name) {
        if (c == '/')
            c = '-';
    }
    root_ = fs::temp_directory_path() / name;
    fs::remove_all(root_);
    fs::create_directories(root_);
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

std::string ScratchFolder::path(std::string_view relative) const
{
    return (root_ / relative).string();
}

std::string ScratchFolder::write(std::string_view relative, std::string_view bytes) const
{
    const fs::path file = root_ / relative;
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
    return file.string();
}

std::string ScratchFolder::read(std::string_view relative) const
{
    return readFile(path(relative));
}

UserFolders ScratchFolder::folders() const
{
    UserFolders folders;
    folders.dataHome = path("home");
    folders.dataDirs = { path("shop") };
    folders.configHome = path("config");
    folders.configDirs = { path("shop-config") };
    return folders;
}

void ScratchFolder::exportXdg() const
{
    const UserFolders f = folders();
    ::setenv("XDG_DATA_HOME", f.dataHome.c_str(), 1);
    ::setenv("XDG_DATA_DIRS", f.dataDirs.front().c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", f.configHome.c_str(), 1);
    ::setenv("XDG_CONFIG_DIRS", f.configDirs.front().c_str(), 1);
}

std::string readFile(const std::string& path)
{
    return readWholeFile(path, std::numeric_limits<std::size_t>::max()).bytes;
}

} // namespace millcalc::support
