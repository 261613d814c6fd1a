#include "cutters/CutterImport.h"

#include "app/UserFiles.h"
#include "cutters/CutterFile.h"
#include "cutters/CutterJson.h"
#include "cutters/CutterLibrary.h"
#include "cutters/FreeCadTools.h"
#include "cutters/FusionLibrary.h"
#include "cutters/ToolArchive.h"

#include <algorithm>
#include <cctype>

namespace millcalc {
namespace {

using cutterjson::where;

std::string extensionOf(std::string_view path)
{
    const std::string_view name = fileNameOf(path);
    const std::size_t dot = name.rfind('.');
    std::string extension(dot == std::string_view::npos ? std::string_view() : name.substr(dot));
    std::transform(extension.begin(), extension.end(), extension.begin(),
        [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

// A .json is Fusion's library, or this program's own library file.
CutterImport readJson(std::string_view bytes, const std::string& path)
{
    if (bytes.find("\"millcalc-cutters\"") == std::string_view::npos)
        return readFusionLibrary(bytes, path);
    CutterFileRead file = readCutterFile(bytes, path);
    if (!file.error.empty())
        return { {}, file.error };
    CutterImport result;
    for (Cutter& c : file.file.cutters) {
        if (!c.hidden)
            result.cutters.push_back(std::move(c));
    }
    return result;
}

CutterImport readFreeCadLibraryFile(std::string_view bytes, const std::string& path)
{
    const FreeCadLibrary library = readFreeCadLibrary(bytes, path);
    if (!library.error.empty())
        return { {}, library.error };
    CutterImport result;
    for (const FreeCadLibrary::Entry& entry : library.tools) {
        const std::string bitPath = findFreeCadBit(path, entry.path);
        if (bitPath.empty())
            return { {},
                where(path) + ": нет файла инструмента " + cutterjson::guillemets(entry.path)
                    + " ни рядом с библиотекой, ни в папке Bit" };
        const FileRead read = readWholeFile(bitPath, cutterjson::kMaxFileBytes);
        if (!read.error.empty())
            return { {}, where(bitPath) + ": " + read.error };
        CutterImport bit = readFreeCadBit(read.bytes, bitPath);
        if (!bit.error.empty())
            return bit;
        for (Cutter& c : bit.cutters) {
            c.toolNumber = entry.number;
            result.cutters.push_back(std::move(c));
        }
    }
    return result;
}

} // namespace

CutterImport importCutterFile(const std::string& path)
{
    const std::string extension = extensionOf(path);
    const bool known = extension == ".json" || extension == ".tools" || extension == ".fctb"
        || extension == ".fctl";
    if (!known)
        return { {},
            where(path)
                + ": неизвестный вид файла (читаются .json и .tools Fusion 360, "
                  ".fctb и .fctl FreeCAD)" };
    const FileRead read = readWholeFile(path, cutterjson::kMaxFileBytes);
    if (!read.error.empty())
        return { {}, where(path) + ": " + read.error };
    CutterImport result;
    if (extension == ".json") {
        result = readJson(read.bytes, path);
    } else if (extension == ".tools") {
        const ArchiveRead archive = unzipToolLibrary(read.bytes, path);
        result = archive.error.empty() ? readFusionLibrary(archive.json, path)
                                       : CutterImport { {}, archive.error };
    } else if (extension == ".fctb") {
        result = readFreeCadBit(read.bytes, path);
    } else {
        result = readFreeCadLibraryFile(read.bytes, path);
    }
    if (result.error.empty() && result.cutters.empty())
        result.error = where(path) + ": в файле нет концевых фрез";
    return result;
}

CutterImport importIntoLibrary(CutterLibrary& library, const std::string& path)
{
    CutterImport read = importCutterFile(path);
    if (!read.error.empty())
        return read;
    CutterLibrary changed = library;
    CutterImport result;
    result.cutters = changed.adopt(read.cutters);
    result.error = changed.save();
    if (!result.error.empty())
        result.cutters.clear();
    else
        library = std::move(changed);
    return result;
}

} // namespace millcalc
