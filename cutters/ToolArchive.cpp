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
//
// The functions of libzip that the reader calls, each a member of ZipLibrary
// under its own name.
#define MILLCALC_ZIP_FUNCTIONS(X)                                                                  \
    X(zip_error_init)                                                                              \
    X(zip_error_fini)                                                                              \
    X(zip_source_buffer_create)                                                                    \
    X(zip_source_free)                                                                             \
    X(zip_open_from_source)                                                                        \
    X(zip_discard)                                                                                 \
    X(zip_get_num_entries)                                                                         \
    X(zip_get_name)                                                                                \
    X(zip_stat_init)                                                                               \
    X(zip_stat_index)                                                                              \
    X(zip_fopen_index)                                                                             \
    X(zip_fread)                                                                                   \
    X(zip_fclose)

struct ZipLibrary {
#define MILLCALC_ZIP_MEMBER(name) decltype(&::name) name = nullptr;
    MILLCALC_ZIP_FUNCTIONS(MILLCALC_ZIP_MEMBER)
#undef MILLCALC_ZIP_MEMBER
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
#define MILLCALC_ZIP_BIND(name) bind(library, #name, zip.name, zip.fault);
    MILLCALC_ZIP_FUNCTIONS(MILLCALC_ZIP_BIND)
#undef MILLCALC_ZIP_BIND
    return zip;
}

#undef MILLCALC_ZIP_FUNCTIONS

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
    zip.zip_error_init(&error);
    // The source reads the caller's bytes in place (freep 0); the archive owns
    // the source once opened.
    zip_source_t* source = zip.zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    zip_t* archive = source ? zip.zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    zip.zip_error_fini(&error);
    if (!archive) {
        if (source)
            zip.zip_source_free(source);
        return { {}, place + ": это не zip-архив" };
    }
    const std::unique_ptr<zip_t, decltype(zip.zip_discard)> closer(archive, zip.zip_discard);
    const zip_int64_t entries = zip.zip_get_num_entries(archive, 0);
    zip_int64_t chosen = -1;
    int jsonEntries = 0;
    for (zip_int64_t i = 0; i < entries; ++i) {
        const char* name = zip.zip_get_name(archive, static_cast<zip_uint64_t>(i), 0);
        const std::string_view n = name ? name : "";
        if (n.size() > 5 && n.substr(n.size() - 5) == ".json") {
            chosen = i;
            ++jsonEntries;
        }
    }
    if (jsonEntries != 1)
        return { {}, place + ": в архиве нет библиотеки инструментов (одного файла .json)" };
    zip_stat_t info;
    zip.zip_stat_init(&info);
    if (zip.zip_stat_index(archive, static_cast<zip_uint64_t>(chosen), 0, &info) != 0
        || !(info.valid & ZIP_STAT_SIZE))
        return { {}, place + ": архив повреждён" };
    if (info.size > cutterjson::kMaxFileBytes)
        return { {}, place + ": библиотека в архиве больше 10 МБ" };
    zip_file_t* file = zip.zip_fopen_index(archive, static_cast<zip_uint64_t>(chosen), 0);
    if (!file)
        return { {}, place + ": архив повреждён или зашифрован" };
    ArchiveRead result;
    result.json.resize(static_cast<std::size_t>(info.size));
    const zip_int64_t got = zip.zip_fread(file, result.json.data(), info.size);
    zip.zip_fclose(file);
    if (got < 0 || static_cast<zip_uint64_t>(got) != info.size)
        return { {}, place + ": архив повреждён" };
    return result;
}

} // namespace millcalc
