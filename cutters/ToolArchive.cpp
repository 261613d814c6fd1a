#include "cutters/ToolArchive.h"

#include "cutters/CutterJson.h"

#include <dlfcn.h>
#include <zip.h>

#include <memory>

namespace millcalc {

namespace {

// libzip is loaded at the first archive read, not with the program: with the
// compression and crypto libraries it brings, loading it costs a start of the
// program a twentieth of its time, for a command seldom used. The library is
// the one the program was built against, by its shared-object name.
struct ZipLibrary {
    decltype(&zip_error_init) errorInit = nullptr;
    decltype(&zip_error_fini) errorFini = nullptr;
    decltype(&zip_source_buffer_create) sourceBufferCreate = nullptr;
    decltype(&zip_source_free) sourceFree = nullptr;
    decltype(&zip_open_from_source) openFromSource = nullptr;
    decltype(&zip_discard) discard = nullptr;
    decltype(&zip_get_num_entries) numEntries = nullptr;
    decltype(&zip_get_name) name = nullptr;
    decltype(&zip_stat_init) statInit = nullptr;
    decltype(&zip_stat_index) statIndex = nullptr;
    decltype(&zip_fopen_index) openIndex = nullptr;
    decltype(&zip_fread) read = nullptr;
    decltype(&zip_fclose) close = nullptr;
    std::string fault; // empty when every function was found
};

template <typename Function>
void bind(void* library, const char* symbol, Function& function, std::string& fault)
{
    function = reinterpret_cast<Function>(dlsym(library, symbol));
    if (!function && fault.empty())
        fault = std::string("в ") + MILLCALC_LIBZIP_SONAME + " нет функции " + symbol;
}

ZipLibrary loadZipLibrary()
{
    ZipLibrary zip;
    // Never closed: the library stays for the rest of the run.
    void* library = dlopen(MILLCALC_LIBZIP_SONAME, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* why = dlerror();
        zip.fault = std::string("не удалось загрузить ") + MILLCALC_LIBZIP_SONAME
            + (why ? std::string(" (") + why + ")" : std::string());
        return zip;
    }
    bind(library, "zip_error_init", zip.errorInit, zip.fault);
    bind(library, "zip_error_fini", zip.errorFini, zip.fault);
    bind(library, "zip_source_buffer_create", zip.sourceBufferCreate, zip.fault);
    bind(library, "zip_source_free", zip.sourceFree, zip.fault);
    bind(library, "zip_open_from_source", zip.openFromSource, zip.fault);
    bind(library, "zip_discard", zip.discard, zip.fault);
    bind(library, "zip_get_num_entries", zip.numEntries, zip.fault);
    bind(library, "zip_get_name", zip.name, zip.fault);
    bind(library, "zip_stat_init", zip.statInit, zip.fault);
    bind(library, "zip_stat_index", zip.statIndex, zip.fault);
    bind(library, "zip_fopen_index", zip.openIndex, zip.fault);
    bind(library, "zip_fread", zip.read, zip.fault);
    bind(library, "zip_fclose", zip.close, zip.fault);
    return zip;
}

const ZipLibrary& zipLibrary()
{
    static const ZipLibrary loaded = loadZipLibrary();
    return loaded;
}

} // namespace

ArchiveRead unzipToolLibrary(std::string_view bytes, std::string_view path)
{
    const std::string place = cutterjson::where(path);
    const ZipLibrary& zip = zipLibrary();
    if (!zip.fault.empty())
        return { {}, place + ": архив не прочитан: " + zip.fault };
    zip_error_t error;
    zip.errorInit(&error);
    // The source reads the caller's bytes in place (freep 0); the archive owns
    // the source once opened.
    zip_source_t* source = zip.sourceBufferCreate(bytes.data(), bytes.size(), 0, &error);
    zip_t* archive = source ? zip.openFromSource(source, ZIP_RDONLY, &error) : nullptr;
    zip.errorFini(&error);
    if (!archive) {
        if (source)
            zip.sourceFree(source);
        return { {}, place + ": это не zip-архив" };
    }
    const std::unique_ptr<zip_t, decltype(zip.discard)> closer(archive, zip.discard);
    const zip_int64_t entries = zip.numEntries(archive, 0);
    zip_int64_t chosen = -1;
    int jsonEntries = 0;
    for (zip_int64_t i = 0; i < entries; ++i) {
        const char* name = zip.name(archive, static_cast<zip_uint64_t>(i), 0);
        const std::string_view n = name ? name : "";
        if (n.size() > 5 && n.substr(n.size() - 5) == ".json") {
            chosen = i;
            ++jsonEntries;
        }
    }
    if (jsonEntries != 1)
        return { {}, place + ": в архиве нет библиотеки инструментов (одного файла .json)" };
    zip_stat_t info;
    zip.statInit(&info);
    if (zip.statIndex(archive, static_cast<zip_uint64_t>(chosen), 0, &info) != 0
        || !(info.valid & ZIP_STAT_SIZE))
        return { {}, place + ": архив повреждён" };
    if (info.size > cutterjson::kMaxFileBytes)
        return { {}, place + ": библиотека в архиве больше 10 МБ" };
    zip_file_t* file = zip.openIndex(archive, static_cast<zip_uint64_t>(chosen), 0);
    if (!file)
        return { {}, place + ": архив повреждён или зашифрован" };
    ArchiveRead result;
    result.json.resize(static_cast<std::size_t>(info.size));
    const zip_int64_t got = zip.read(file, result.json.data(), info.size);
    zip.close(file);
    if (got < 0 || static_cast<zip_uint64_t>(got) != info.size)
        return { {}, place + ": архив повреждён" };
    return result;
}

} // namespace millcalc
