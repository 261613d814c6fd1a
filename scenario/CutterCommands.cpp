#include "scenario/CutterCommands.h"

#include "app/NumberText.h"
#include "cutters/CutterImport.h"
#include "cutters/CutterLibrary.h"

namespace millcalc {
namespace {

std::string number(const std::optional<double>& value)
{
    return value ? formatGeneral(*value, 6) : std::string();
}

} // namespace

std::vector<std::string> cutterColumns(const Cutter& c)
{
    return { c.name, formatGeneral(c.dMm, 6), c.teeth ? formatWhole(*c.teeth) : std::string(),
        number(c.stickoutMm), c.material ? std::string(toolMaterialWord(*c.material)) : "",
        number(c.maxRpm) };
}

CutterAnswer importCuttersCommand(const std::string& file, const UserFolders& folders)
{
    // A refused shop's file leaves its cutters out; a refused user's file
    // refuses the import, which would have to write over it.
    CutterLibrary::Loaded loaded = CutterLibrary::load(folders);
    CutterImport imported = importIntoLibrary(loaded.library, file);
    CutterAnswer answer;
    if (!imported.error.empty()) {
        answer.error = imported.error;
        return answer;
    }
    for (const Cutter& c : imported.cutters)
        answer.cutters.push_back(cutterColumns(c));
    return answer;
}

CutterAnswer listCuttersCommand(const UserFolders& folders)
{
    const CutterLibrary::Loaded loaded = CutterLibrary::load(folders);
    CutterAnswer answer;
    answer.error = loaded.error;
    for (const Cutter& c : loaded.library.cutters())
        answer.cutters.push_back(cutterColumns(c));
    return answer;
}

} // namespace millcalc
