// millcalc-scenario: runs a scenario file (or standard input) against the
// calculator's window logic and prints what the user would see.
#include "tools/ScenarioRunner.h"

#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc > 2) {
        std::cerr << "usage: millcalc-scenario [SCENARIO]\n";
        return 2;
    }
    std::ifstream file;
    if (argc == 2) {
        file.open(argv[1]);
        if (!file) {
            std::cerr << "millcalc-scenario: cannot read " << argv[1] << '\n';
            return 2;
        }
    }
    millcalc::ScenarioRunner runner(std::cout);
    if (!runner.start())
        return 1;
    return runner.run(argc == 2 ? static_cast<std::istream&>(file) : std::cin);
}
