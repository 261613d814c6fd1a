// The cutter library file's reader over any bytes: it refuses or reads, and
// what it reads it writes and reads back the same.
#include "cutters/CutterFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const millcalc::CutterFileRead read = millcalc::readCutterFile(bytes, "fuzz.json");
    if (!read.error.empty())
        return 0;
    const std::string text = millcalc::cutterFileText(read.file);
    const millcalc::CutterFileRead again = millcalc::readCutterFile(text, "fuzz.json");
    if (!again.error.empty() || millcalc::cutterFileText(again.file) != text)
        std::abort();
    return 0;
}
