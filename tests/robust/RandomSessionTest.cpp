#include "robust/RandomSession.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <string>

namespace millcalc::robust {
namespace {

// The sessions are split in shards that ctest runs side by side.
constexpr int kShards = 4;
constexpr std::uint64_t kDefaultSessions = 4000;
// More than a machine plays in a day; with it no shard bound can overflow.
constexpr std::uint64_t kMostSessions = 1000000000;
constexpr std::uint64_t kLastSeed = std::numeric_limits<std::uint64_t>::max();
// Sessions of one shard that may fail before the shard stops reporting.
constexpr int kReportedFailures = 3;

// A whole number from least to most, written in decimal digits alone: no sign,
// no blank, no exponent. A setting that reads otherwise is a mistake to be
// told, not a number to be guessed (strtoull reads "abc" as 0, "-1" as 2^64-1).
std::optional<std::uint64_t> wholeNumber(const char* text, std::uint64_t least, std::uint64_t most)
{
    if (*text == '\0')
        return std::nullopt;
    std::uint64_t value = 0;
    for (; *text != '\0'; ++text) {
        if (*text < '0' || *text > '9')
            return std::nullopt;
        const auto digit = static_cast<std::uint64_t>(*text - '0');
        if (digit > most || value > (most - digit) / 10)
            return std::nullopt;
        value = value * 10 + digit;
    }
    if (value < least)
        return std::nullopt;
    return value;
}

// The setting named, or fallback when it is not set; a failure of the test,
// saying what the setting must be, when it holds anything else.
std::uint64_t setting(
    const char* name, std::uint64_t fallback, std::uint64_t least, std::uint64_t most, bool& ok)
{
    const char* text = std::getenv(name);
    if (text == nullptr)
        return fallback;
    const std::optional<std::uint64_t> value = wholeNumber(text, least, most);
    if (value)
        return *value;
    ADD_FAILURE() << name << " must be a whole number from " << least << " to " << most
                  << ", not \"" << text << "\"";
    ok = false;
    return fallback;
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
    bool ok = true;
    if (std::getenv("MILLCALC_SEED") != nullptr) {
        if (GetParam() != 0)
            GTEST_SKIP() << "replaying one seed";
        const std::uint64_t seed = setting("MILLCALC_SEED", 0, 0, kLastSeed, ok);
        if (!ok)
            return;
        const SessionResult result = playSession(seed, true);
        EXPECT_EQ(result.fault, "") << "session seed " << seed;
        return;
    }

    const std::uint64_t total
        = setting("MILLCALC_SESSIONS", kDefaultSessions, 1, kMostSessions, ok);
    const std::uint64_t base = setting("MILLCALC_SEED_BASE", 1, 0, kLastSeed - kMostSessions, ok);
    if (!ok)
        return;
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

struct NumberCase {
    const char* text;
    std::optional<std::uint64_t> value;
};

TEST(RandomSession, SettingsAreWholeNumbersWithinTheirRange)
{
    const NumberCase cases[] = {
        { "1", 1 },
        { "20000", 20000 },
        { "007", 7 },
        { "1000000000", kMostSessions },
        { "1000000001", std::nullopt },
        { "18446744073709551616", std::nullopt },
        { "99999999999999999999999999", std::nullopt },
        { "0", std::nullopt },
        { "", std::nullopt },
        { "abc", std::nullopt },
        { "-1", std::nullopt },
        { "+5", std::nullopt },
        { " 5", std::nullopt },
        { "5 ", std::nullopt },
        { "1e3", std::nullopt },
        { "0x10", std::nullopt },
        { "4000.5", std::nullopt },
    };
    for (const NumberCase& c : cases)
        EXPECT_EQ(wholeNumber(c.text, 1, kMostSessions), c.value) << '"' << c.text << '"';
    EXPECT_EQ(wholeNumber("18446744073709551615", 0, kLastSeed), kLastSeed);
    EXPECT_EQ(wholeNumber("18446744073709551616", 0, kLastSeed), std::nullopt);
}

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
