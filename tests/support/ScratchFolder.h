// A private folder for the files of one test or tool run: made empty when the
// run takes it and removed with everything in it when the run is done. Below
// it stand the user's and the shop's folders, so that no file of the user
// running the tests counts.
#pragma once

#include "app/UserFiles.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace millcalc::support {

class ScratchFolder {
public:
    // Named by the process, the label and a count, so that runs side by side
    // and folders of one run never meet.
    explicit ScratchFolder(std::string_view label);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& root() const { return root_; }
    std::string path(std::string_view relative) const;
    // Writes the bytes to a file below the folder, making its folders; returns
    // the file's path.
    std::string write(std::string_view relative, std::string_view bytes) const;
    std::string read(std::string_view relative) const;

    // The user's data in "home", the shop's in "shop"; the user's settings in
    // "config", the shop's in "shop-config". None is made until written to.
    UserFolders folders() const;
    // Points this process's XDG variables at those folders, for a program that
    // reads them itself.
    void exportXdg() const;

private:
    std::filesystem::path root_;
};

// The whole of a file, or "" where there is none to read.
std::string readFile(const std::string& path);

} // namespace millcalc::support
