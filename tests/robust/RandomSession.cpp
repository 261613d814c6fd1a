#include "robust/RandomSession.h"

#include "app/NumberText.h"
#include "scenario/ScenarioRunner.h"
#include "support/SessionChecks.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <mutex>
#include <sstream>
#include <thread>

namespace millcalc::robust {

namespace {

// A command that takes this long hangs: the session aborts the whole test
// program with its seed, since a hung command cannot be taken back.
constexpr auto kCommandLimit = std::chrono::seconds(20);

class Watchdog {
public:
    explicit Watchdog(std::uint64_t seed)
        : seed_(seed)
        , thread_([this] { watch(); })
    {
    }
    ~Watchdog()
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            done_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    void arm(const std::string& line)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        line_ = line.substr(0, 200);
        deadline_ = std::chrono::steady_clock::now() + kCommandLimit;
        armed_ = true;
        wake_.notify_one();
    }
    void disarm()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        armed_ = false;
    }

private:
    void watch()
    {
        std::unique_lock<std::mutex> lock(mutex_);
        while (!done_) {
            if (!armed_) {
                wake_.wait(lock);
                continue;
            }
            const auto deadline = deadline_;
            if (wake_.wait_until(lock, deadline) == std::cv_status::timeout && armed_
                && deadline_ == deadline) {
                std::fprintf(stderr,
                    "random session %llu hangs on: %s\nreplay: MILLCALC_SEED=%llu\n",
                    static_cast<unsigned long long>(seed_), line_.c_str(),
                    static_cast<unsigned long long>(seed_));
                std::abort();
            }
        }
    }

    std::uint64_t seed_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::string line_;
    std::chrono::steady_clock::time_point deadline_;
    bool armed_ = false;
    bool done_ = false;
    std::thread thread_;
};

// The controls of the window by what a user can do with them.
struct Controls {
    std::vector<std::string> texts[4]; // by method page; [3] belongs to none
    std::vector<std::string> lists; // lists, radio groups, page controls
    std::vector<std::string> checks;
    std::vector<std::string> clicks;
    std::vector<std::string> grids;
    std::vector<std::string> closes;
};

// The method page a control belongs to, 3 for the shell and shared windows.
int methodOf(const FieldStore& store, const std::string& name)
{
    std::string at = name;
    while (!at.empty()) {
        const Field& f = store.field(at);
        if (f.kind == FieldKind::Page && f.pageIndex >= 0 && f.pageIndex < 3)
            return f.pageIndex;
        if (at == "PanelFormulaAl")
            return 1;
        if (at == "PanelStMaterial")
            return 0;
        at = f.parent;
    }
    return 3;
}

Controls controlsOf(const FieldStore& store)
{
    Controls c;
    for (const auto& [name, f] : store.fields()) {
        switch (f.kind) {
        case FieldKind::TextField:
        case FieldKind::EditableList:
            c.texts[methodOf(store, name)].push_back(name);
            if (f.kind == FieldKind::EditableList)
                c.lists.push_back(name);
            break;
        case FieldKind::DropDownList:
        case FieldKind::RadioGroup:
        case FieldKind::PageControl:
            c.lists.push_back(name);
            break;
        case FieldKind::CheckBox:
        case FieldKind::RadioButton:
            c.checks.push_back(name);
            break;
        case FieldKind::Button:
        case FieldKind::Picture:
        case FieldKind::MenuItem:
            // "Закрыть" ends the program, and so the session.
            if (name != "N4" && name != "NClose")
                c.clicks.push_back(name);
            break;
        case FieldKind::Grid:
            c.grids.push_back(name);
            break;
        case FieldKind::Window:
        case FieldKind::Panel:
            if (name != "FormMain")
                c.closes.push_back(name);
            break;
        default:
            break;
        }
    }
    return c;
}

template <typename T> const T& oneOf(SessionRandom& random, const std::vector<T>& choices)
{
    return choices[static_cast<std::size_t>(random.below(static_cast<int>(choices.size())))];
}

std::string plausibleNumber(SessionRandom& random)
{
    static const std::vector<std::string> kLimits { "18000", "12000", "60000", "12000", "20000",
        "10000", "50000", "40", "25", "19", "20", "57", "1300", "87", "82", "30", "6700", "5500",
        "2800", "2200", "140", "6000", "8000", "15000", "0.0001", "0.00009", "1", "100", "-100",
        "180", "-180" };
    switch (random.below(4)) {
    case 0:
        return oneOf(random, kLimits);
    case 1:
        return formatWhole(random.below(41) - 5);
    default: {
        // From a thousandth to a hundred thousand, with 0 to 6 decimals.
        double value = 1 + random.below(9000) / 1000.0;
        for (int exponent = random.below(9) - 3; exponent > 0; --exponent)
            value *= 10;
        for (int exponent = random.below(9) - 3; exponent < 0; ++exponent)
            value /= 10;
        if (random.chance(10))
            value = -value;
        return formatFixed(value, random.below(7));
    }
    }
}

std::string longText(SessionRandom& random)
{
    constexpr std::size_t kLength = 10000;
    switch (random.below(4)) {
    case 0:
        return std::string(kLength, '9');
    case 1:
        return "0." + std::string(kLength - 3, '0') + "1";
    case 2:
        return std::string(kLength, 'x');
    default: {
        std::string text;
        text.reserve(kLength);
        while (text.size() < kLength)
            text += static_cast<char>('0' + random.below(10));
        text[static_cast<std::size_t>(random.below(static_cast<int>(kLength)))] = '.';
        return text;
    }
    }
}

} // namespace

std::uint64_t SessionRandom::next()
{
    // splitmix64
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

int SessionRandom::below(int bound)
{
    return static_cast<int>(next() % static_cast<std::uint64_t>(bound));
}

std::string randomText(SessionRandom& random)
{
    static const std::vector<std::string> kOdd { "-1e308", "1e999", "-1e999", "-0", "+7", ".5",
        "5.", "1e", "1e+", "0x1A", "  25", "25abc", "3.5", "2.9", "4.7", "\t7", "0.5", "1e3",
        "2147483648", "-2147483649", "99999999999999999999", "0.000000000000000000001", "inf",
        "nan", "-inf", "Infinity", "NAN(0)", "1.7976931348623157e308", "4.9e-324", "2,5", "--5",
        "+-5", "1.2.3", "\\", "e5", ".", "-", "+" };
    static const std::vector<std::string> kCyrillic { "абв", "Диаметр", "двадцать пять", "В95пчТ2",
        "ё", "Ошибка задания" };
    switch (random.below(20)) {
    case 0:
        return std::string();
    case 1:
        return std::string(static_cast<std::size_t>(1 + random.below(3)), ' ');
    case 2:
        return "abc";
    case 3:
        return "-5";
    case 4:
        return "0";
    case 5:
        return random.chance(50) ? "1e308" : "1e-308";
    case 6:
        return "12,5";
    case 7:
        return longText(random);
    case 8:
        return oneOf(random, kCyrillic);
    case 9:
    case 10:
        return oneOf(random, kOdd);
    default:
        return plausibleNumber(random);
    }
}

namespace {

std::string randomCommand(
    SessionRandom& random, const Controls& c, const FieldStore& store, SessionChecks& checks)
{
    for (;;) {
        const int kind = random.below(100);
        if (kind < 38) {
            int method = store.index("PageControlMethods");
            if (method < 0 || method > 2 || random.chance(30))
                method = random.below(4);
            if (c.texts[method].empty())
                continue;
            const std::string& name = oneOf(random, c.texts[method]);
            const Field& f = store.field(name);
            std::string text = f.kind == FieldKind::EditableList && random.chance(30)
                ? oneOf(random, f.items)
                : randomText(random);
            checks.userTyped(text);
            return "set " + name + " " + text;
        }
        if (kind < 55) {
            // The machine and the method pages are picked more often than the rest.
            const int which = random.below(10);
            const std::string name = which == 0 ? "TabMach"
                : which == 1                    ? "PageControlParam"
                : which == 2                    ? "PageControlMethods"
                                                : oneOf(random, c.lists);
            const int count = static_cast<int>(store.items(name).size());
            if (count == 0)
                continue;
            return "pick " + name + " " + formatWhole(random.below(count));
        }
        if (kind < 62) {
            if (c.checks.empty())
                continue;
            return "check " + oneOf(random, c.checks) + (random.chance(50) ? " 1" : " 0");
        }
        if (kind < 76)
            return random.chance(85) ? "click BitCalcs" : "click N14";
        if (kind < 92) {
            // "Автозаполнение" now and then puts sound inputs back, so that
            // later calculations get past their input checks.
            return random.chance(15) ? "click N2" : "click " + oneOf(random, c.clicks);
        }
        if (kind < 97) {
            const std::string& name = oneOf(random, c.grids);
            const Field& f = store.field(name);
            // A user selects only the cells below and beside the headings.
            return "select-cell " + name + " "
                + formatWhole(f.fixedColumns + random.below(f.columns - f.fixedColumns)) + " "
                + formatWhole(f.fixedRows + random.below(f.rows - f.fixedRows));
        }
        return "close " + oneOf(random, c.closes);
    }
}

// What a command must have done, whatever the inputs: "Расчет" shows the
// results window, and the log keeps every line it had and gains exactly the
// lines printed (only "Очистить" and the literature list start it afresh).
std::string checkCommandEffect(const std::string& line, const std::string& output,
    std::size_t linesBefore, const FieldStore& store)
{
    if ((line == "click BitCalcs" || line == "click N14") && !store.visible("PanelCalc"))
        return "the results window is hidden after a calculation";
    std::size_t printed = 0;
    for (std::size_t at = output.find("LOG\t"); at != std::string::npos;
        at = output.find("\nLOG\t", at + 1))
        ++printed;
    const std::size_t linesAfter = store.items("ElFlatMemoMes").size();
    if (line == "click ClearLog")
        return linesAfter == 0 ? std::string() : "the log is not empty after clearing it";
    if (line == "click N25")
        return linesAfter == 11 ? std::string() : "the literature list is not eleven lines";
    if (linesAfter != linesBefore + printed)
        return "the log went from " + std::to_string(linesBefore) + " to "
            + std::to_string(linesAfter) + " lines with " + std::to_string(printed) + " written";
    return std::string();
}

} // namespace

SessionResult playSession(std::uint64_t seed, bool verbose)
{
    SessionResult result;
    SessionRandom random(seed);
    std::ostringstream out;
    ScenarioRunner runner(out);
    if (!runner.start()) {
        result.fault = "start-up failed: " + out.str();
        return result;
    }
    const FieldStore& store = runner.form().store();
    SessionChecks checks(store);
    result.fault = checks.checkOutput(out.str());
    if (result.fault.empty())
        result.fault = checks.checkFields(store);
    if (!result.fault.empty())
        return result;

    const Controls controls = controlsOf(store);
    Watchdog watchdog(seed);
    // The focus may only go to a control that can take it at that moment: it
    // and everything that holds it visible and enabled.
    std::string focusFault;
    runner.form().store().listen([&focusFault, &store](const std::string& name, Change change) {
        if (change == Change::Focus && !name.empty() && !store.canFocus(name) && focusFault.empty())
            focusFault = "the focus went to " + name + ", which cannot take it";
    });

    // Most sessions start on one of the three methods. Each command is drawn
    // after the one before has run: a pick needs the items as they stand.
    const bool startOnMethod = random.chance(70);
    const int length = 5 + random.below(56);
    for (int i = 0; i < length; ++i) {
        const std::string line = i == 0 && startOnMethod
            ? "pick PageControlParam " + formatWhole(random.below(3))
            : randomCommand(random, controls, store, checks);
        result.lines.push_back(line);
        out.str(std::string());
        out.clear();
        const std::size_t linesBefore = store.items("ElFlatMemoMes").size();
        watchdog.arm(line);
        const auto began = std::chrono::steady_clock::now();
        runner.runLine(line);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - began;
        watchdog.disarm();
        result.slowestSeconds = std::max(result.slowestSeconds, took.count());
        if (verbose)
            std::cout << line.substr(0, 300) << (line.size() > 300 ? "..." : "") << '\n'
                      << out.str();
        result.fault = checks.checkOutput(out.str());
        if (result.fault.empty())
            result.fault = checks.checkFields(store);
        if (result.fault.empty())
            result.fault = checkCommandEffect(line, out.str(), linesBefore, store);
        if (result.fault.empty())
            result.fault = focusFault;
        if (!result.fault.empty()) {
            result.fault = "after \"" + line.substr(0, 200) + "\": " + result.fault;
            return result;
        }
    }
    return result;
}

} // namespace millcalc::robust
