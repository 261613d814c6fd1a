// libFuzzer target over the scenario runner's input: the bytes are scenario
// lines for a freshly started calculator. Nothing may crash, no error may
// escape a command, every log line and box must be one the program knows, and
// no field may show a number that is not finite unless the input typed it.
#include "robust/KnownTexts.h"
#include "robust/SessionChecks.h"
#include "tools/ScenarioRunner.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

namespace {

using namespace millcalc;

class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    NullBuffer buffer;
    std::ostream out(&buffer);
    CheckingRunner runner(out);
    if (!runner.start())
        fail("start-up failed");
    robust::SessionChecks checks(runner.form().store());

    std::string_view input(reinterpret_cast<const char*>(data), size);
    while (!input.empty() && !runner.ended()) {
        const std::size_t end = input.find('\n');
        const std::string line(input.substr(0, end));
        input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
        if (line.rfind("set ", 0) == 0) {
            const std::size_t blank = line.find(' ', 4);
            checks.userTyped(blank == std::string::npos ? std::string() : line.substr(blank + 1));
        }
        runner.runLine(line);
        const std::string fault = checks.checkFields(runner.form().store());
        if (!fault.empty())
            fail("after \"" + line.substr(0, 200) + "\": " + fault);
    }
    return 0;
}
