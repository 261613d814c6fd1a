// libFuzzer target over the scenario runner's input: the bytes are scenario
// lines for a freshly started calculator. Nothing may crash, no error may
// escape a command, every log line and box must be one the program knows, and
// no field may show a number that is not finite unless the input typed it.
#include "scenario/ScenarioRunner.h"
#include "shell/input/InputLine.h"
#include "support/KnownTexts.h"
#include "support/SessionChecks.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <sstream>
#include <string>

namespace {

using namespace millcalc;

[[noreturn]] void fail(const std::string& what)
{
    std::fprintf(stderr, "scenario fuzzer: %s\n", what.c_str());
    std::abort();
}

class CheckingRunner : public ScenarioRunner {
public:
    explicit CheckingRunner(std::ostream& out)
        : ScenarioRunner(out)
    {
        form().store().listen([this](const std::string& name, Change change) {
            if (name == "ElFlatMemoMes" && change == Change::LineAppended) {
                const std::string& line = form().store().items(name).back();
                if (!robust::isKnownLogLine(line))
                    fail("unknown log line: " + line);
            }
        });
    }

    void warningBox(const std::string& text, const std::string& caption) override
    {
        if (!robust::isKnownWarning(caption, text))
            fail("unknown box: " + caption + " / " + text);
    }
    void errorBox(const std::string& text) override { fail("an error escaped a command: " + text); }
};

// The output must be UTF-8 with no control character but the tab and the line
// end, whatever bytes the input held. Decoded here code point by code point,
// apart from the runner's own escaping.
void checkOutput(const std::string& text)
{
    static constexpr std::uint32_t kSmallest[] = { 0, 0, 0x80, 0x800, 0x10000 };
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1
            : lead >> 5 == 6                   ? 2
            : lead >> 4 == 14                  ? 3
            : lead >> 3 == 30                  ? 4
                                               : 0;
        const auto where = [i] { return " at byte " + std::to_string(i); };
        if (length == 0 || i + length > text.size())
            fail("output not UTF-8" + where());
        std::uint32_t point = length == 1 ? lead : lead & (0x7fu >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if (next >> 6 != 2)
                fail("output not UTF-8" + where());
            point = point << 6 | (next & 0x3fu);
        }
        if (point < kSmallest[length] || point > 0x10ffff || (point >= 0xd800 && point <= 0xdfff))
            fail("output not UTF-8" + where());
        if ((point < 0x20 && point != '\t' && point != '\n') || point == 0x7f)
            fail("raw control character in the output" + where());
        i += length;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::ostringstream out;
    CheckingRunner runner(out);
    if (!runner.start())
        fail("start-up failed");
    robust::SessionChecks checks(runner.form().store());

    // Lines are split as the runner splits a file: at LF, CR LF or a lone CR.
    std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
    std::string line;
    while (!runner.ended() && readLine(input, line)) {
        if (line.rfind("set ", 0) == 0) {
            const std::size_t blank = line.find(' ', 4);
            checks.userTyped(blank == std::string::npos ? std::string() : line.substr(blank + 1));
        }
        runner.runLine(line);
        const std::string fault = checks.checkFields(runner.form().store());
        if (!fault.empty())
            fail("after \"" + line.substr(0, 200) + "\": " + fault);
    }
    checkOutput(out.str());
    return 0;
}
