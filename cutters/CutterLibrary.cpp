#include "cutters/CutterLibrary.h"

#include "cutters/CutterJson.h"

#include <algorithm>
#include <set>

namespace millcalc {
namespace {

std::vector<Cutter>::iterator byId(std::vector<Cutter>& cutters, std::string_view id)
{
    return std::find_if(
        cutters.begin(), cutters.end(), [&](const Cutter& c) { return c.id == id; });
}

std::vector<Cutter>::const_iterator byId(const std::vector<Cutter>& cutters, std::string_view id)
{
    return std::find_if(
        cutters.begin(), cutters.end(), [&](const Cutter& c) { return c.id == id; });
}

// A preset an import brought: no method, and not one the user saved.
bool importedPreset(const SavedCut& cut)
{
    return !cut.method && cut.source != "user";
}

// The cutter as it stands updated by an import of it: what the import gives
// overrides, what it leaves unknown stays, and so do the user's own cuts.
Cutter updated(Cutter old, const Cutter& in)
{
    old.hidden = false;
    old.name = in.name;
    old.dMm = in.dMm;
    auto take = [](auto& into, const auto& from) {
        if (from)
            into = from;
    };
    take(old.type, in.type);
    take(old.teeth, in.teeth);
    take(old.cornerRadiusMm, in.cornerRadiusMm);
    take(old.helixDeg, in.helixDeg);
    take(old.fluteLengthMm, in.fluteLengthMm);
    take(old.stickoutMm, in.stickoutMm);
    take(old.overallLengthMm, in.overallLengthMm);
    take(old.shankMm, in.shankMm);
    take(old.material, in.material);
    take(old.maxRpm, in.maxRpm);
    take(old.toolNumber, in.toolNumber);
    auto takeText = [](std::string& into, const std::string& from) {
        if (!from.empty())
            into = from;
    };
    takeText(old.coating, in.coating);
    takeText(old.maker, in.maker);
    takeText(old.partNumber, in.partNumber);
    takeText(old.note, in.note);
    std::erase_if(old.cuts, importedPreset);
    old.cuts.insert(old.cuts.end(), in.cuts.begin(), in.cuts.end());
    // The import's own keys (a Fusion tool's) replace those it brought before.
    cutterjson::Json keys = cutterjson::Json::object();
    cutterjson::restoreUnknownKeys(keys, in.unknownKeys);
    cutterjson::restoreUnknownKeys(keys, old.unknownKeys);
    old.unknownKeys = keys.empty() ? std::string() : keys.dump();
    return old;
}

} // namespace

std::vector<Cutter> mergeCutters(const CutterFile& shop, const CutterFile& user)
{
    std::vector<Cutter> merged;
    std::set<std::string_view> shopIds;
    for (const Cutter& c : shop.cutters) {
        if (c.hidden || !shopIds.insert(c.id).second)
            continue;
        const auto mine = byId(user.cutters, c.id);
        if (mine == user.cutters.end())
            merged.push_back(c);
        else if (!mine->hidden)
            merged.push_back(*mine);
    }
    for (const Cutter& c : user.cutters) {
        if (!c.hidden && !shopIds.contains(c.id))
            merged.push_back(c);
    }
    return merged;
}

CutterLibrary::CutterLibrary(CutterFile shop, CutterFile user, std::string userPath)
    : shop_(std::move(shop))
    , user_(std::move(user))
    , userPath_(std::move(userPath))
{
    mergeFiles();
}

CutterLibrary::Loaded CutterLibrary::load(const UserFolders& folders)
{
    const std::string relative(kRelativePath);
    Loaded loaded;
    auto readOne = [&](const std::string& path, CutterFile& into) {
        if (path.empty())
            return true;
        const FileRead read = readWholeFile(path, cutterjson::kMaxFileBytes);
        if (read.missing)
            return true;
        std::string error
            = read.error.empty() ? std::string() : cutterjson::where(path) + ": " + read.error;
        if (error.empty()) {
            CutterFileRead file = readCutterFile(read.bytes, path);
            error = file.error;
            into = std::move(file.file);
        }
        if (!error.empty())
            loaded.error += (loaded.error.empty() ? "" : "\n") + error;
        return error.empty();
    };
    CutterFile shop;
    CutterFile user;
    readOne(firstExisting(folders.dataDirs, relative), shop);
    const std::string userPath = folders.dataHome + "/" + relative;
    const bool userRead = readOne(userPath, user);
    loaded.library = CutterLibrary(std::move(shop), std::move(user), userPath);
    loaded.library.userWritable_ = userRead;
    return loaded;
}

const Cutter* CutterLibrary::find(std::string_view id) const
{
    const auto found = byId(merged_, id);
    return found == merged_.end() ? nullptr : &*found;
}

bool CutterLibrary::fromShop(std::string_view id) const
{
    const auto found = byId(shop_.cutters, id);
    return found != shop_.cutters.end() && !found->hidden;
}

std::string CutterLibrary::unusedId() const
{
    for (int n = 1;; ++n) {
        std::string id = "cutter-" + std::to_string(n);
        if (byId(shop_.cutters, id) == shop_.cutters.end()
            && byId(user_.cutters, id) == user_.cutters.end())
            return id;
    }
}

void CutterLibrary::put(Cutter cutter)
{
    cutter.hidden = false;
    const auto mine = byId(user_.cutters, cutter.id);
    if (mine != user_.cutters.end())
        *mine = std::move(cutter);
    else
        user_.cutters.push_back(std::move(cutter));
    mergeFiles();
}

void CutterLibrary::remove(std::string_view id)
{
    const auto mine = byId(user_.cutters, id);
    if (mine != user_.cutters.end())
        user_.cutters.erase(mine);
    if (fromShop(id)) {
        Cutter hidden;
        hidden.id = std::string(id);
        hidden.hidden = true;
        user_.cutters.push_back(std::move(hidden));
    }
    mergeFiles();
}

std::vector<Cutter> CutterLibrary::adopt(const std::vector<Cutter>& imported)
{
    std::vector<std::string> order;
    for (const Cutter& in : imported) {
        if (std::find(order.begin(), order.end(), in.id) != order.end())
            continue;
        order.push_back(in.id);
        const Cutter* before = find(in.id);
        // A shop cutter the user had deleted comes back.
        const auto shop = byId(shop_.cutters, in.id);
        if (!before && shop != shop_.cutters.end() && !shop->hidden)
            before = &*shop;
        put(before ? updated(*before, in) : in);
    }
    std::vector<Cutter> result;
    for (const std::string& id : order)
        result.push_back(*find(id));
    return result;
}

std::string CutterLibrary::save() const
{
    if (!userWritable_)
        return cutterjson::where(userPath_)
            + ": файл не записан, чтобы не потерять его содержимое: его не удалось прочитать";
    const std::string error = writeFileAtomically(userPath_, cutterFileText(user_));
    return error.empty() ? error : cutterjson::where(userPath_) + ": " + error;
}

} // namespace millcalc
