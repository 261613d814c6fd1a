// libFuzzer target over the machine park reader: any bytes either are refused
// with a message naming the file, or read into machines that pass the
// machine check, whose written file reads back the same; the merge of what
// was read over the built-in machines holds unique ids.
#include "machines/MachinePark.h"
#include "machines/ParkFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

namespace {

using namespace millcalc;

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "park fuzzer: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string path = "/fuzz/millcalc/machines.json";
    const ParkRead read = readParkText(text, path);
    if (!read.error.empty()) {
        if (read.error.rfind("Файл " + path, 0) != 0)
            fail("a message that does not name the file");
        if (!read.file.machines.empty() || !read.file.hidden.empty())
            fail("a refused file kept machines");
        return 0;
    }
    for (const MachineRecord& m : read.file.machines) {
        if (validateMachine(m))
            fail("a machine read that the check refuses");
        if (m.Curve.size() < 2)
            fail("a machine without a curve");
    }
    const ParkRead again = readParkText(parkFileText(read.file), path);
    if (!again.error.empty() || !(again.file == read.file))
        fail("the written file does not read back the same");
    const MachineTable park = mergePark(builtInMachines(), read.file);
    std::set<std::string> ids;
    for (const MachineRecord& m : park) {
        if (!ids.insert(m.Id).second)
            fail("the merged park holds an id twice");
    }
    return 0;
}
