#include "shell/input/InputLine.h"

#include "app/Form.h"
#include "machines/MachineTable.h"
#include "machines/ParkFile.h"
#include "shell/table/Methods.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <ios>
#include <istream>
#include <sstream>
#include <streambuf>
#include <utility>

namespace millcalc {

namespace {

using Command = InputLine::Command;

constexpr std::array<std::pair<std::string_view, Command>, 5> kCommands { {
    { "set", Command::Set },
    { "pick", Command::Pick },
    { "check", Command::Check },
    { "machine", Command::Machine },
    { "cutter", Command::Cutter },
} };

constexpr const char* kMachine = "TabMach";

// An item's number: digits, a "-" before them allowed (so "-0" is item 0),
// nine characters at most, which no list reaches.
bool parseItem(std::string_view text, int& value)
{
    if (text.empty() || text.size() > 9)
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value >= 0;
}

} // namespace

bool readLine(std::istream& in, std::string& line)
{
    line.clear();
    const std::istream::sentry ready(in, true);
    if (!ready)
        return false;
    using Traits = std::char_traits<char>;
    std::streambuf& buffer = *in.rdbuf();
    bool any = false;
    try {
        for (;;) {
            const Traits::int_type c = buffer.sbumpc();
            if (Traits::eq_int_type(c, Traits::eof())) {
                in.setstate(any ? std::ios::eofbit : std::ios::eofbit | std::ios::failbit);
                return any;
            }
            any = true;
            if (c == '\n')
                return true;
            if (c == '\r') {
                if (buffer.sgetc() == '\n')
                    buffer.sbumpc();
                return true;
            }
            line += Traits::to_char_type(c);
        }
    } catch (...) {
        // A file buffer throws when the file cannot be read; so is it seen.
        in.setstate(std::ios::badbit);
        return false;
    }
}

std::vector<std::string> splitLines(std::string_view bytes)
{
    std::istringstream in { std::string(bytes) };
    std::vector<std::string> lines;
    std::string line;
    while (readLine(in, line))
        lines.push_back(std::move(line));
    return lines;
}

std::string_view commandWord(Command command)
{
    for (const auto& [word, known] : kCommands) {
        if (known == command)
            return word;
    }
    return {};
}

bool actsOn(Command command, FieldKind kind)
{
    switch (command) {
    case Command::Set:
        return kind == FieldKind::TextField || kind == FieldKind::EditableList
            || kind == FieldKind::StaticText;
    case Command::Pick:
        return kind == FieldKind::DropDownList || kind == FieldKind::EditableList
            || kind == FieldKind::RadioGroup || kind == FieldKind::PageControl;
    case Command::Check:
        return kind == FieldKind::CheckBox || kind == FieldKind::RadioButton;
    case Command::Machine:
    case Command::Cutter:
        break;
    }
    return false;
}

namespace {

InputFault readLineOf(std::string_view line, const FieldStore& store,
    const std::span<const std::string>* fields, InputLine& input)
{
    input = InputLine {};
    const std::size_t blank = line.find(' ');
    const std::string_view word = line.substr(0, blank);
    const std::string_view rest
        = blank == std::string_view::npos ? std::string_view() : line.substr(blank + 1);
    const auto known = std::find_if(
        kCommands.begin(), kCommands.end(), [&](const auto& entry) { return entry.first == word; });
    if (known == kCommands.end())
        return InputFault::NotInput;
    input.command = known->second;

    if (input.command == Command::Machine || input.command == Command::Cutter) {
        input.text = std::string(rest);
        if (input.command == Command::Cutter)
            return rest.empty() ? InputFault::WrongCount : InputFault::None;
        input.field = kMachine;
        if (rest.empty() || rest.find(' ') != std::string_view::npos)
            return InputFault::WrongCount;
        return validMachineId(rest) ? InputFault::None : InputFault::BadValue;
    }

    if (rest.empty())
        return InputFault::NoName;
    const std::size_t nameEnd = rest.find(' ');
    input.field = std::string(rest.substr(0, nameEnd));
    const std::string_view argument
        = nameEnd == std::string_view::npos ? std::string_view() : rest.substr(nameEnd + 1);
    input.text = std::string(argument);
    if (input.field.empty() || !store.has(input.field)
        || (fields != nullptr
            && std::find(fields->begin(), fields->end(), input.field) == fields->end()))
        return InputFault::UnknownField;
    // A text is the rest of the line, blanks and all; an item or a check is
    // one word.
    if (input.command != Command::Set
        && (nameEnd == std::string_view::npos || argument.find(' ') != std::string_view::npos))
        return InputFault::WrongCount;
    const Field& f = store.field(input.field);
    if (!actsOn(input.command, f.kind))
        return InputFault::WrongKind;
    switch (input.command) {
    case Command::Pick:
        if (!parseItem(argument, input.value) || input.value >= static_cast<int>(f.items.size()))
            return InputFault::BadValue;
        break;
    case Command::Check:
        if (argument != "0" && argument != "1")
            return InputFault::BadValue;
        input.value = argument == "1" ? 1 : 0;
        break;
    case Command::Set:
    case Command::Machine:
    case Command::Cutter:
        break;
    }
    return InputFault::None;
}

} // namespace

InputFault readInputLine(std::string_view line, const FieldStore& store, InputLine& input)
{
    return readLineOf(line, store, nullptr, input);
}

InputFault readInputLine(std::string_view line, const FieldStore& store,
    std::span<const std::string> fields, InputLine& input)
{
    return readLineOf(line, store, &fields, input);
}

bool applyInputLine(Form& form, const InputLine& input, const CutterChooser& chooseCutter)
{
    switch (input.command) {
    case Command::Set:
        form.typeText(input.field, input.text);
        break;
    case Command::Pick:
        form.pick(input.field, input.value);
        break;
    case Command::Check: {
        // A click on the radio button already checked changes nothing, and
        // its handler does not run.
        const Field& f = form.store().field(input.field);
        if (f.kind == FieldKind::RadioButton && f.checked && input.value == 1)
            break;
        form.check(input.field, input.value == 1);
        break;
    }
    case Command::Machine: {
        const int row = machineIndexById(machinesOf(form), input.text);
        if (row < 0)
            return false;
        form.pick(kMachine, row);
        break;
    }
    case Command::Cutter:
        if (const Method* method = methodAt(form.store().index("PageControlParam"));
            method != nullptr && chooseCutter)
            chooseCutter(*method, input.text);
        break;
    }
    return true;
}

} // namespace millcalc
