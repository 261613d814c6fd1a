// libFuzzer target over the opening of a calculation file: a file is read
// whole or refused with nothing read; an accepted file opens without an
// error, the scenario runner replays it without an error line, and the
// inputs it leaves are saved as a file that opens to the same inputs.
#include "scenario/ScenarioRunner.h"
#include "shell/file/CalculationFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace millcalc;

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "calculation fuzzer: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::ostringstream out;
    ScenarioRunner opened(out);
    if (!opened.start())
        fail("the window did not start");
    const std::string before = calculationBody(opened.form());

    std::vector<CalculationLine> lines;
    CalculationError error;
    if (!readCalculation(bytes, opened.form().store(), lines, error)) {
        if (!lines.empty() || error.reason.empty())
            fail("a refused file left lines or no reason");
        if (calculationBody(opened.form()) != before)
            fail("a refused file changed the inputs");
        return 0;
    }
    applyCalculation(opened.form(), lines);
    if (out.str().find("BOX\tОшибка") != std::string::npos)
        fail("an accepted file brought an error box");

    std::ostringstream replayOut;
    ScenarioRunner replayed(replayOut);
    if (!replayed.start())
        fail("the runner did not start");
    std::istringstream in { std::string(bytes) };
    replayed.run(in);
    if (replayed.failed())
        fail("the runner refused a line of an accepted file");

    const std::string saved = calculationBody(opened.form());
    std::ostringstream againOut;
    ScenarioRunner again(againOut);
    if (!again.start())
        fail("the window did not start");
    if (!readCalculation(saved, again.form().store(), lines, error))
        fail("a saved file was refused");
    applyCalculation(again.form(), lines);
    if (calculationBody(again.form()) != saved)
        fail("a saved file opened to other inputs");
    return 0;
}
