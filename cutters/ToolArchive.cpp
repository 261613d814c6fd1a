#include "cutters/ToolArchive.h"

#include "cutters/CutterJson.h"

#include <zip.h>

#include <memory>

namespace millcalc {

ArchiveRead unzipToolLibrary(std::string_view bytes, std::string_view path)
{
    const std::string place = cutterjson::where(path);
    zip_error_t error;
    zip_error_init(&error);
    // The source reads the caller's bytes in place (freep 0); the archive owns
    // the source once opened.
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    zip_t* archive = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    zip_error_fini(&error);
    if (!archive) {
        if (source)
            zip_source_free(source);
        return { {}, place + ": это не zip-архив" };
    }
    const std::unique_ptr<zip_t, decltype(&zip_discard)> closer(archive, &zip_discard);
    const zip_int64_t entries = zip_get_num_entries(archive, 0);
    zip_int64_t chosen = -1;
    int jsonEntries = 0;
    for (zip_int64_t i = 0; i < entries; ++i) {
        const char* name = zip_get_name(archive, static_cast<zip_uint64_t>(i), 0);
        const std::string_view n = name ? name : "";
        if (n.size() > 5 && n.substr(n.size() - 5) == ".json") {
            chosen = i;
            ++jsonEntries;
        }
    }
    if (jsonEntries != 1)
        return { {}, place + ": в архиве нет библиотеки инструментов (одного файла .json)" };
    zip_stat_t info;
    zip_stat_init(&info);
    if (zip_stat_index(archive, static_cast<zip_uint64_t>(chosen), 0, &info) != 0
        || !(info.valid & ZIP_STAT_SIZE))
        return { {}, place + ": архив повреждён" };
    if (info.size > cutterjson::kMaxFileBytes)
        return { {}, place + ": библиотека в архиве больше 10 МБ" };
    zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(chosen), 0);
    if (!file)
        return { {}, place + ": архив повреждён или зашифрован" };
    ArchiveRead result;
    result.json.resize(static_cast<std::size_t>(info.size));
    const zip_int64_t got = zip_fread(file, result.json.data(), info.size);
    zip_fclose(file);
    if (got < 0 || static_cast<zip_uint64_t>(got) != info.size)
        return { {}, place + ": архив повреждён" };
    return result;
}

} // namespace millcalc
