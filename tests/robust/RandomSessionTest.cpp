#include "robust/RandomSession.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace millcalc::robust {
namespace {

// The sessions are split in shards that ctest runs side by side.
constexpr int kShards = 4;
constexpr int kDefaultSessions = 4000;
// Sessions of one shard that may fail before the shard stops reporting.
constexpr int kReportedFailures = 3;

std::uint64_t environmentNumber(const char* name, std::uint64_t fallback)
{
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtoull(text, nullptr, 10) : fallback;
}

std::string writeReplay(std::uint64_t seed, const SessionResult& result)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path()
        / ("millcalc-session-" + std::to_string(seed) + ".scn");
    std::ofstream file(path);
    file << "# random session " << seed << ": " << result.fault << '\n';
    for (const std::string& line : result.lines)
        file << line << '\n';
    return path.string();
}

class RandomSessions : public ::testing::TestWithParam<int> { };

// MILLCALC_SEED=N plays session N alone, printing every command and what it
// showed; MILLCALC_SESSIONS and MILLCALC_SEED_BASE choose how many sessions and
// from which seed on.
TEST_P(RandomSessions, ShowOnlyKnownTextsFiniteNumbersAndProgramColours)
{
    if (std::getenv("MILLCALC_SEED") != nullptr) {
        if (GetParam() != 0)
            GTEST_SKIP() << "replaying one seed";
        const std::uint64_t seed = environmentNumber("MILLCALC_SEED", 0);
        const SessionResult result = playSession(seed, true);
        EXPECT_EQ(result.fault, "") << "session seed " << seed;
        return;
    }

    const std::uint64_t total = environmentNumber("MILLCALC_SESSIONS", kDefaultSessions);
    const std::uint64_t base = environmentNumber("MILLCALC_SEED_BASE", 1);
    const std::uint64_t shard = static_cast<std::uint64_t>(GetParam());
    const std::uint64_t first = base + total * shard / kShards;
    const std::uint64_t last = base + total * (shard + 1) / kShards;
    int failures = 0;
    double slowest = 0;
    for (std::uint64_t seed = first; seed < last && failures < kReportedFailures; ++seed) {
        const SessionResult result = playSession(seed);
        slowest = std::max(slowest, result.slowestSeconds);
        if (result.fault.empty())
            continue;
        ++failures;
        ADD_FAILURE() << "session seed " << seed << " " << result.fault
                      << "\nreplay: MILLCALC_SEED=" << seed
                      << " millcalc_tests --gtest_filter='Shards/RandomSessions.*'"
                      << "\nscenario: " << writeReplay(seed, result);
    }
    RecordProperty("slowest_command_ms", static_cast<int>(slowest * 1000));
    // A command is a calculation of microseconds; even under the address
    // sanitizer on a busy machine none may take seconds.
    EXPECT_LT(slowest, 2.0);
}

INSTANTIATE_TEST_SUITE_P(Shards, RandomSessions, ::testing::Range(0, kShards));

TEST(RandomSession, ReplaysTheSameCommandsForTheSameSeed)
{
    const SessionResult first = playSession(42);
    const SessionResult again = playSession(42);
    ASSERT_GE(first.lines.size(), 5u);
    EXPECT_EQ(first.lines, again.lines);
    EXPECT_NE(playSession(43).lines, first.lines);
}

TEST(RandomSession, TextsCoverEmptyBlanksWordsExtremesAndLongTexts)
{
    SessionRandom random(1);
    bool empty = false, blank = false, word = false, huge = false, tiny = false, longText = false,
         comma = false, cyrillic = false, negative = false, number = false;
    for (int i = 0; i < 5000; ++i) {
        const std::string text = randomText(random);
        empty = empty || text.empty();
        blank = blank || text == " ";
        word = word || text == "abc";
        huge = huge || text == "1e308";
        tiny = tiny || text == "1e-308";
        longText = longText || text.size() == 10000;
        comma = comma || text == "12,5";
        cyrillic = cyrillic || text == "Диаметр";
        negative = negative || text == "-5";
        number = number || text == "18000";
    }
    EXPECT_TRUE(empty && blank && word && huge && tiny && longText && comma && cyrillic && negative
        && number);
}

} // namespace
} // namespace millcalc::robust
