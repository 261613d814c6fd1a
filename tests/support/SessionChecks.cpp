#include "support/SessionChecks.h"

#include "support/KnownTexts.h"

#include <string>
#include <vector>

namespace millcalc::robust {

namespace {

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether "nan" or "inf" stands in the text in any mix of cases. The search
// jumps from one Latin n or i to the next: most texts are Cyrillic or digits.
bool containsNanOrInf(std::string_view text)
{
    for (std::size_t i = text.find_first_of("nNiI");
        i != std::string_view::npos && i + 2 < text.size(); i = text.find_first_of("nNiI", i + 1)) {
        const char second = lower(text[i + 1]);
        const char third = lower(text[i + 2]);
        if (lower(text[i]) == 'n' ? second == 'a' && third == 'n' : second == 'n' && third == 'f')
            return true;
    }
    return false;
}

std::string unescape(std::string_view text)
{
    std::string plain;
    plain.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            plain += text[i];
            continue;
        }
        switch (text[++i]) {
        case 'n':
            plain += '\n';
            break;
        case 'r':
            plain += '\r';
            break;
        case 't':
            plain += '\t';
            break;
        default:
            plain += text[i];
        }
    }
    return plain;
}

std::vector<std::string_view> splitTabs(std::string_view line)
{
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t tab = line.find('\t');
        parts.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos)
            return parts;
        line.remove_prefix(tab + 1);
    }
}

std::string shorten(const std::string& text)
{
    return text.size() <= 120 ? text : text.substr(0, 120) + "...";
}

constexpr Rgb kProgramColours[] = { colours::Black, colours::Green, colours::Red, colours::Blue,
    colours::Purple, colours::Olive };

} // namespace

bool showsNotFinite(std::string_view text)
{
    return containsNanOrInf(text);
}

SessionChecks::SessionChecks(const FieldStore& started)
{
    for (const auto& [name, field] : started.fields())
        startColours_[name] = field.colour;
}

void SessionChecks::userTyped(const std::string& text)
{
    if (showsNotFinite(text))
        typedNotFinite_.insert(text);
}

std::string SessionChecks::checkOutput(std::string_view output) const
{
    while (!output.empty()) {
        const std::size_t end = output.find('\n');
        const std::string_view line = output.substr(0, end);
        output.remove_prefix(end == std::string_view::npos ? output.size() : end + 1);
        const std::vector<std::string_view> parts = splitTabs(line);
        const std::string_view event = parts[0];
        if (event == "LOG" && parts.size() == 2) {
            if (!isKnownLogLine(unescape(parts[1])))
                return "unknown log line: " + std::string(parts[1]);
        } else if (event == "BOX" && parts.size() == 3) {
            if (!isKnownWarning(unescape(parts[1]), unescape(parts[2])))
                return "unknown box: " + std::string(parts[1]) + " / " + std::string(parts[2]);
        } else if (event == "MODAL" && parts.size() == 3) {
            // The program's modal windows: the About window and the park's editor.
            const bool known = (parts[1] == "FormAbout" && parts[2] == "Об авторе ...")
                || (parts[1] == "FormMachines" && parts[2] == "Станки");
            if (!known)
                return "unknown modal window: " + std::string(line);
        } else {
            // No query runs in a session, nothing may end the program, and every
            // command the session sends is well formed.
            return "unexpected output: " + std::string(line);
        }
    }
    return std::string();
}

bool SessionChecks::notFiniteShown(const std::string& text) const
{
    return showsNotFinite(text) && typedNotFinite_.count(text) == 0;
}

std::string SessionChecks::checkFields(const FieldStore& store) const
{
    for (const auto& [name, f] : store.fields()) {
        // The log's lines are checked one by one as they are written.
        if (name == "ElFlatMemoMes")
            continue;
        if (notFiniteShown(f.text))
            return name + " shows a number that is not finite: " + shorten(f.text);
        for (std::size_t i = 0; i < f.items.size(); ++i) {
            if (notFiniteShown(f.items[i]))
                return name + " item " + std::to_string(i)
                    + " shows a number that is not finite: " + shorten(f.items[i]);
        }
        for (std::size_t i = 0; i < f.cells.size(); ++i) {
            if (notFiniteShown(f.cells[i]))
                return name + " cell " + std::to_string(i)
                    + " shows a number that is not finite: " + shorten(f.cells[i]);
        }

        bool knownColour = false;
        for (Rgb c : kProgramColours)
            knownColour = knownColour || c == f.colour;
        if (!knownColour) {
            const auto start = startColours_.find(name);
            knownColour = start != startColours_.end() && start->second == f.colour;
        }
        if (!knownColour)
            return name + " has a colour the program never uses: " + std::to_string(f.colour);

        if (f.index < -1 || f.index >= static_cast<int>(f.items.size()))
            return name + " selects item " + std::to_string(f.index) + " of "
                + std::to_string(f.items.size());
        if (f.kind == FieldKind::Grid) {
            if (f.cells.size() != static_cast<std::size_t>(f.columns * f.rows))
                return name + " lost the shape of its grid";
            if (f.currentColumn < 0 || f.currentColumn >= f.columns || f.currentRow < 0
                || f.currentRow >= f.rows)
                return name + " has its current cell outside the grid";
        }
    }

    if (!store.focused().empty() && !store.has(store.focused()))
        return "the focus stands on an unknown control " + store.focused();
    const int machine = store.index("TabMach");
    if (machine < 0 || machine >= static_cast<int>(store.items("TabMach").size()))
        return "no machine is selected";
    // The input pages follow the result pages; the blank fourth result page
    // leaves no input page active.
    const int methods = store.index("PageControlMethods");
    const int params = store.index("PageControlParam");
    if (params != (methods >= 0 && methods < 3 ? methods : -1))
        return "input page " + std::to_string(params) + " beside result page "
            + std::to_string(methods);
    return std::string();
}

} // namespace millcalc::robust
