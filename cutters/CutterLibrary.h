// The shop's cutters and the user's, merged by id: the shop's file
// (millcalc/cutters.json in the first of $XDG_DATA_DIRS that holds one) is
// only read; the user's ($XDG_DATA_HOME/millcalc/cutters.json) overrides the
// shop's cutters by id, each in its place, adds its own after them, and holds
// the shop cutters the user deleted as hidden entries.
#pragma once

#include "app/UserFiles.h"
#include "cutters/CutterFile.h"

#include <string>
#include <string_view>
#include <vector>

namespace millcalc {

// The shop's cutters in their order, each replaced by the user's of its id
// (or left out when the user's is hidden), then the user's own in theirs.
std::vector<Cutter> mergeCutters(const CutterFile& shop, const CutterFile& user);

class CutterLibrary {
public:
    static constexpr std::string_view kRelativePath = "millcalc/cutters.json";

    struct Loaded;
    // Reads both files of folders. A file that cannot be read or is refused
    // is left out and named in Loaded::error; a refused user's file is then
    // never written over (save() refuses), so that nothing in it is lost.
    static Loaded load(const UserFolders& folders);

    CutterLibrary() = default;
    // userPath: where save() writes the user's file.
    CutterLibrary(CutterFile shop, CutterFile user, std::string userPath);

    // The merged library, as the user sees it.
    const std::vector<Cutter>& cutters() const { return merged_; }
    const Cutter* find(std::string_view id) const;
    // Whether the cutter of id is one of the shop's (edited by the user or not).
    bool fromShop(std::string_view id) const;
    // An id that no cutter has yet: "cutter-1", "cutter-2" ...
    std::string unusedId() const;

    // Adds cutter, or replaces the one of its id where it stands.
    void put(Cutter cutter);
    // Deletes the cutter of id; a shop cutter is hidden in the user's file.
    void remove(std::string_view id);
    // Takes in imported cutters: each updates the cutter of its id (its
    // fields the import gives, its presets replaced by the import's, the cuts
    // the user added kept) or comes in new. Returns them as they now stand,
    // in the order given; twins of one id in imported come in once.
    std::vector<Cutter> adopt(const std::vector<Cutter>& imported);

    // Writes the user's file whole or not at all; empty, or why not (naming
    // the file).
    std::string save() const;
    const CutterFile& userFile() const { return user_; }
    const std::string& userPath() const { return userPath_; }

private:
    void mergeFiles() { merged_ = mergeCutters(shop_, user_); }

    CutterFile shop_;
    CutterFile user_;
    std::string userPath_;
    bool userWritable_ = true;
    std::vector<Cutter> merged_;
};

struct CutterLibrary::Loaded {
    CutterLibrary library;
    std::string error; // the refused files' messages, one a line
};

} // namespace millcalc
