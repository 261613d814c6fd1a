// millcalc-scenario: runs a scenario file (or standard input) against the
// calculator's window logic and prints what the user would see.
#include "machines/MachinePark.h"
#include "scenario/ScenarioRunner.h"

#include <cerrno>
#include <csignal>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>

namespace {

int cannot(const std::string& what, int error)
{
    std::cerr << "millcalc-scenario: cannot " << what;
    if (error != 0)
        std::cerr << ": " << std::generic_category().message(error);
    std::cerr << '\n';
    return millcalc::ScenarioRunner::kCannotReadOrWrite;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2) {
        std::cerr << "usage: millcalc-scenario [SCENARIO]\n";
        return 2;
    }
    // The streams on their own file buffers: a failed read of standard input
    // (a folder, say) then sets badbit instead of passing for its end.
    std::ios::sync_with_stdio(false);
#ifdef SIGPIPE
    // A closed pipe is a failed write, reported by the status, not a kill.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    const std::string name = argc == 2 ? argv[1] : "the standard input";
    std::ifstream file;
    if (argc == 2) {
        errno = 0;
        file.open(argv[1], std::ios::binary);
        // A folder opens like a file: only reading tells, before any command.
        if (file)
            file.peek();
        if (!file.is_open() || file.bad())
            return cannot("read " + name, errno);
    }
    std::istream& in = argc == 2 ? static_cast<std::istream&>(file) : std::cin;
    millcalc::ScenarioRunner runner(std::cout);
    // The park the desktop program would load; a faulty file is told here and
    // left out, the run goes on.
    const millcalc::ParkLoad park = millcalc::loadMachinePark(millcalc::userFolders());
    for (const std::string& message : park.messages)
        std::cerr << "millcalc-scenario: " << message << '\n';
    runner.form().setMachines(park.machines);
    if (!runner.start())
        return std::cout.flush() ? 1 : cannot("write the output", errno);
    errno = 0;
    const int status = runner.run(in);
    if (status == millcalc::ScenarioRunner::kCannotReadOrWrite)
        return cannot(in.bad() ? "read " + name : "write the output", errno);
    return status;
}
