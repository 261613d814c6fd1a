// Seeded random user sessions played through the scenario runner: random texts
// in every field, random picks, checks, clicks, cell selections and closes, with
// the session checks after every command. A seed replays its session exactly.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace millcalc::robust {

// A small generator whose sequence is the same with every standard library,
// so that a seed printed on one machine replays on another.
class SessionRandom {
public:
    explicit SessionRandom(std::uint64_t seed)
        : state_(seed)
    {
    }
    std::uint64_t next();
    // Uniform in [0, bound); bound > 0.
    int below(int bound);
    bool chance(int percent) { return below(100) < percent; }

private:
    std::uint64_t state_;
};

// One text a user might type: empty, blanks, words, signs, extremes, commas,
// 10,000 characters, Cyrillic, and plausible numbers.
std::string randomText(SessionRandom& random);

struct SessionResult {
    std::vector<std::string> lines; // the commands played, as scenario lines
    std::string fault; // empty when every check held
    double slowestSeconds = 0; // the slowest single command
};

// Plays the session of the seed. With verbose, every command and what it
// printed goes to standard output.
SessionResult playSession(std::uint64_t seed, bool verbose = false);

} // namespace millcalc::robust
