// Fusion 360's tool library reader over any bytes; what it reads exports and
// reads back with the same cutters.
#include "cutters/FusionLibrary.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const millcalc::CutterImport read = millcalc::readFusionLibrary(bytes, "fuzz.json");
    if (!read.error.empty())
        return 0;
    const millcalc::CutterImport again
        = millcalc::readFusionLibrary(millcalc::fusionLibraryText(read.cutters), "fuzz.json");
    if (!again.error.empty() || again.cutters.size() != read.cutters.size())
        std::abort();
    return 0;
}
