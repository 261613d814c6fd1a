// Where a desktop program keeps its files, and how it writes one: the shop's
// files in the system folders (read only), the user's in the user's own.
#pragma once

#include <string>
#include <vector>

namespace millcalc {

// The folders the desktop's base directories name, from an environment that
// the caller hands in (so that a test sets its own), each without a trailing
// "/". An empty or relative entry is ignored, as the base directory rules say.
struct UserFolders {
    std::string configHome; // $XDG_CONFIG_HOME, else $HOME/.config
    std::vector<std::string> configDirs; // $XDG_CONFIG_DIRS, else /etc/xdg
    std::string dataHome; // $XDG_DATA_HOME, else $HOME/.local/share
    std::vector<std::string> dataDirs; // $XDG_DATA_DIRS, else /usr/local/share and /usr/share
};

// getenv-like: the variable's value, or nullptr when it is not set.
using EnvironmentLookup = const char* (*)(const char* name);

// The folders of this process's environment, or of the one lookup answers for.
UserFolders userFolders(EnvironmentLookup lookup = nullptr);

// The first of folders that holds the file relativePath ("millcalc/x.json"),
// as its full path; empty when none does.
std::string firstExisting(const std::vector<std::string>& folders, const std::string& relativePath);

// Writes bytes to path whole or not at all: to a temporary file in the same
// folder, flushed to the disk, then renamed over path. The folders leading to
// path are made first. Empty on success, else why not (in Russian); the old
// file is then intact and no temporary file is left.
std::string writeFileAtomically(const std::string& path, const std::string& bytes);

// Reads a whole file of at most maxBytes. Empty error on success; a file
// that cannot be read, is a folder or is larger gets the reason (in Russian).
struct FileRead {
    std::string bytes;
    std::string error;
    bool missing = false; // the file does not exist
};
FileRead readWholeFile(const std::string& path, std::size_t maxBytes);

} // namespace millcalc
