// FreeCAD's tool bit reader over any bytes.
#include "cutters/FreeCadTools.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const millcalc::CutterImport read = millcalc::readFreeCadBit(bytes, "Bit/fuzz.fctb");
    for (const millcalc::Cutter& c : read.cutters) {
        if (!(c.dMm > 0) || !std::isfinite(c.dMm))
            std::abort();
    }
    millcalc::freeCadLength(bytes.substr(0, 64));
    return 0;
}
