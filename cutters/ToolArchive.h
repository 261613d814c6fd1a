// Fusion 360's .tools file: its JSON tool library in a zip archive.
#pragma once

#include <string>
#include <string_view>

namespace millcalc {

struct ArchiveRead {
    std::string json; // the library's text
    std::string error; // the whole message, naming path
};

// The tool library in the zip archive of bytes: its one ".json" entry (Fusion
// 360 writes "tools.json"). An archive that is not a zip, holds no library, or whose
// library unpacks to more than 10 MB is refused.
ArchiveRead unzipToolLibrary(std::string_view bytes, std::string_view path);

} // namespace millcalc
