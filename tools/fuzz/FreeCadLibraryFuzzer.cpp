// FreeCAD's tool library reader over any bytes, with the search for its bits
// beside it and in Bit/ (in a folder that holds none).
#include "cutters/FreeCadTools.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const millcalc::FreeCadLibrary read
        = millcalc::readFreeCadLibrary(bytes, "/nonexistent-millcalc/Library/fuzz.fctl");
    if (!read.error.empty() && !read.tools.empty())
        std::abort();
    for (const millcalc::FreeCadLibrary::Entry& entry : read.tools) {
        if (entry.path.empty()
            || !millcalc::findFreeCadBit("/nonexistent-millcalc/Library/fuzz.fctl", entry.path)
                .empty())
            std::abort();
    }
    return 0;
}
