#include "scenario/ScenarioRunner.h"

#include "app/NumberText.h"
#include "app/Utf8.h"
#include "scenario/CutterCommands.h"

#include <cstdint>
#include <exception>
#include <initializer_list>
#include <ios>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace millcalc {

namespace {

// The caption of the plain information box: the application's name, as a
// desktop program's message box shows it.
constexpr const char* kInformationCaption = "millcalc";
constexpr char kHexDigits[] = "0123456789abcdef";

// The kinds of control an input command acts on, as an error names them.
constexpr std::string_view kNeedsText = "a text field, an editable list or a static text";
constexpr std::string_view kNeedsItems = "a list, radio group or page control";
constexpr std::string_view kNeedsCheck = "a check box or radio button";

// No command takes more than three arguments: a fourth word only tells that
// there are too many, so the split stops there, and a line of a million blanks
// costs four strings, not a million.
constexpr std::size_t kMostWords = 4;

std::vector<std::string> splitWords(std::string_view text)
{
    std::vector<std::string> words;
    std::size_t start = 0;
    while (words.size() < kMostWords) {
        const std::size_t blank = text.find(' ', start);
        words.emplace_back(text.substr(start, blank - start));
        if (blank == std::string_view::npos)
            break;
        start = blank + 1;
    }
    return words;
}

bool parseIndex(const std::string& text, int& value)
{
    if (text.empty() || text.size() > 9)
        return false;
    std::size_t i = 0;
    bool negative = false;
    if (text[0] == '-') {
        negative = true;
        i = 1;
        if (text.size() == 1)
            return false;
    }
    int result = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        result = result * 10 + (text[i] - '0');
    }
    value = negative ? -result : result;
    return true;
}

// The kinds of control a command acts on, one bit a kind.
using KindSet = std::uint32_t;

constexpr KindSet kindSet(std::initializer_list<FieldKind> kinds)
{
    KindSet set = 0;
    for (FieldKind kind : kinds)
        set |= KindSet { 1 } << static_cast<unsigned>(kind);
    return set;
}

constexpr bool holds(KindSet set, FieldKind kind)
{
    return (set >> static_cast<unsigned>(kind) & 1) != 0;
}

std::string colourText(Rgb colour)
{
    std::string text = "#";
    for (int shift = 20; shift >= 0; shift -= 4)
        text += kHexDigits[(colour >> shift) & 0xf];
    return text;
}

} // namespace

std::string escapeText(const std::string& text)
{
    const std::string_view rest(text);
    std::string escaped;
    escaped.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = c < 0x20 || c == 0x7f ? 0 : utf8Length(rest.substr(i));
        if (c == '\\') {
            escaped += "\\\\";
        } else if (c == '\n') {
            escaped += "\\n";
        } else if (c == '\r') {
            escaped += "\\r";
        } else if (c == '\t') {
            escaped += "\\t";
        } else if (length == 0) {
            escaped += "\\x";
            escaped += kHexDigits[c >> 4];
            escaped += kHexDigits[c & 0xf];
        } else {
            escaped.append(text, i, length);
            i += length;
            continue;
        }
        ++i;
    }
    return escaped;
}

ScenarioRunner::ScenarioRunner(std::ostream& out)
    : out_(out)
    , form_(*this)
{
    form_.store().listen([this](const std::string& name, Change change) {
        if (name == "ElFlatMemoMes" && change == Change::LineAppended)
            out_ << "LOG\t" << escapeText(form_.store().items(name).back()) << '\n';
    });
}

bool ScenarioRunner::start()
{
    try {
        form_.start();
    } catch (const std::exception& e) {
        errorBox(e.what());
        ended_ = true;
        return false;
    }
    return true;
}

void ScenarioRunner::warningBox(const std::string& text, const std::string& caption)
{
    out_ << "BOX\t" << escapeText(caption) << '\t' << escapeText(text) << '\n';
}

void ScenarioRunner::informationBox(const std::string& text)
{
    warningBox(text, kInformationCaption);
}

void ScenarioRunner::errorBox(const std::string& text)
{
    warningBox(text, kErrorCaption);
}

void ScenarioRunner::beep()
{
    out_ << "BEEP\n";
}

void ScenarioRunner::quit()
{
    if (!ended_)
        out_ << "QUIT\n";
    ended_ = true;
}

void ScenarioRunner::showModal(const std::string& window, const std::string& title)
{
    out_ << "MODAL\t" << window << '\t' << escapeText(title) << '\n';
}

void ScenarioRunner::raise(const std::string&) { }

void ScenarioRunner::error(const std::string& reason)
{
    out_ << "ERROR\t" << lineNumber_ << '\t' << escapeText(reason) << '\n';
    failed_ = true;
}

void ScenarioRunner::cutterAnswer(const CutterAnswer& answer)
{
    for (const std::vector<std::string>& columns : answer.cutters) {
        out_ << "CUTTER";
        for (const std::string& column : columns)
            out_ << '\t' << escapeText(column);
        out_ << '\n';
    }
    if (!answer.error.empty())
        error(answer.error);
}

const Field* ScenarioRunner::control(const std::string& name)
{
    if (!form_.store().has(name)) {
        error("unknown control " + name);
        return nullptr;
    }
    return &form_.store().field(name);
}

int ScenarioRunner::run(std::istream& in)
{
    std::string line;
    while (!ended_ && out_ && readLine(in, line)) {
        if (!runLine(line))
            break;
    }
    out_.flush();
    if (in.bad() || !out_)
        return kCannotReadOrWrite;
    return failed_ ? 1 : 0;
}

bool ScenarioRunner::runLine(const std::string& line)
{
    ++lineNumber_;
    if (ended_)
        return false;
    if (line.empty() || line[0] == '#')
        return true;
    perform(line);
    out_.flush();
    return !ended_;
}

// What a command's arguments are, after its word.
enum class ScenarioRunner::Shape {
    None, // no arguments; a line that gives some is no known command
    Word, // words that name no control
    Control, // a control's name, then further words
    ControlAndText, // a control's name, then the rest of the line as one text
    Text, // the rest of the line as one text
};

// One performed line, its arguments read by the command's shape.
struct ScenarioRunner::Call {
    const Field* control = nullptr; // the named control, where the shape names one
    std::vector<std::string> words; // every word after the command, the control's name first
    std::string_view text; // ControlAndText: the rest of the line after the name; Text: all of it
};

struct ScenarioRunner::Command {
    std::string_view name;
    Shape shape;
    std::size_t words; // how many words it takes (Word and Control)
    KindSet kinds; // the kinds of control it acts on (Control and ControlAndText)
    std::string_view needs; // those kinds, as the error names them
    void (*handler)(ScenarioRunner& runner, const Call& call);
};

// Every command and query the runner knows: its dispatch and its list of names.
std::span<const ScenarioRunner::Command> ScenarioRunner::commands()
{
    using K = FieldKind;
    static constexpr KindSet kLists
        = kindSet({ K::DropDownList, K::EditableList, K::RadioGroup, K::PageControl });
    static constexpr KindSet kWindows = kindSet({ K::Window, K::Panel });
    static constexpr Command kCommands[] = {
        { "click", Shape::Control, 1, kindSet({ K::Button, K::Picture, K::MenuItem }),
            "a button, picture or menu item",
            [](ScenarioRunner& r, const Call& c) { r.form_.click(c.control->name); } },
        { "select-cell", Shape::Control, 3, kindSet({ K::Grid }), "a grid",
            [](ScenarioRunner& r, const Call& c) {
                const Field& f = *c.control;
                int column = 0;
                int row = 0;
                if (!parseIndex(c.words[1], column) || !parseIndex(c.words[2], row) || column < 0
                    || row < 0 || column >= f.columns || row >= f.rows)
                    return r.error("cell out of range");
                // The heading row and column are drawn as headings: a user cannot
                // select them.
                if (column < f.fixedColumns || row < f.fixedRows)
                    return r.error("cell is a fixed heading");
                r.form_.selectCell(f.name, column, row);
            } },
        { "close", Shape::Control, 1, kWindows, "a window or panel",
            [](ScenarioRunner& r, const Call& c) { r.form_.close(c.control->name); } },
        { "get", Shape::Control, 1,
            kindSet({ K::TextField, K::EditableList, K::DropDownList, K::StaticText, K::Memo,
                K::StatusLine }),
            "a control that shows a text",
            [](ScenarioRunner& r, const Call& c) {
                const Field& f = *c.control;
                r.out_ << "FIELD\t" << f.name << '\t' << escapeText(r.form_.store().text(f.name))
                       << '\t' << colourText(f.colour) << '\t' << (f.enabled ? 1 : 0) << '\n';
            } },
        { "items", Shape::Control, 1, kLists, kNeedsItems,
            [](ScenarioRunner& r, const Call& c) {
                r.out_ << "ITEMS\t" << c.control->name << '\t' << c.control->index;
                for (const std::string& item : c.control->items)
                    r.out_ << '\t' << escapeText(item);
                r.out_ << '\n';
            } },
        { "checked", Shape::Control, 1, kindSet({ K::CheckBox, K::RadioButton, K::MenuItem }),
            "a check box, radio button or menu item",
            [](ScenarioRunner& r, const Call& c) {
                r.out_ << "CHECKED\t" << c.control->name << '\t' << (c.control->checked ? 1 : 0)
                       << '\n';
            } },
        { "grid", Shape::Control, 1, kindSet({ K::Grid }), "a grid",
            [](ScenarioRunner& r, const Call& c) {
                const Field& f = *c.control;
                for (int row = 0; row < f.rows; ++row) {
                    r.out_ << "ROW\t" << f.name << '\t' << row;
                    for (int column = 0; column < f.columns; ++column)
                        r.out_ << '\t' << escapeText(r.form_.store().cell(f.name, column, row));
                    r.out_ << '\n';
                }
            } },
        { "window", Shape::Control, 1, kWindows, "a window or panel",
            [](ScenarioRunner& r, const Call& c) {
                const Field& f = *c.control;
                r.out_ << "WINDOW\t" << f.name << '\t' << (f.visible ? 1 : 0) << '\t'
                       << escapeText(f.text) << '\n';
            } },
        { "log", Shape::None, 0, 0, "",
            [](ScenarioRunner& r, const Call&) {
                for (const std::string& entry : r.form_.store().items("ElFlatMemoMes"))
                    r.out_ << "LINE\t" << escapeText(entry) << '\n';
            } },
        { "focus", Shape::None, 0, 0, "",
            [](ScenarioRunner& r, const Call&) {
                const FieldStore& store = r.form_.store();
                const std::string& name = store.focused();
                r.out_ << "FOCUS\t" << name << '\t'
                       << (!name.empty() && store.selectedAll(name) ? "all" : "none") << '\n';
            } },
        { "series", Shape::Word, 1, 0, "",
            [](ScenarioRunner& r, const Call& c) {
                const int index = seriesIndex(c.words[0]);
                if (index < 0)
                    return r.error("unknown series " + c.words[0]);
                r.out_ << "SERIES\t" << c.words[0];
                for (const ChartPoint& p :
                    r.form_.nomogram().series[static_cast<std::size_t>(index)])
                    r.out_ << '\t' << formatGeneral(p.x, 10) << ',' << formatGeneral(p.y, 10);
                r.out_ << '\n';
            } },
        { "import-cutters", Shape::Text, 0, 0, "",
            [](ScenarioRunner& r, const Call& c) {
                const CutterAnswer answer
                    = importCuttersCommand(std::string(c.text), userFolders());
                // The choosers list what the import brought.
                if (answer.error.empty())
                    r.form_.cutters().load(userFolders());
                r.cutterAnswer(answer);
            } },
        { "cutters", Shape::None, 0, 0, "",
            [](ScenarioRunner& r, const Call&) {
                r.cutterAnswer(listCuttersCommand(userFolders()));
            } },
    };
    return kCommands;
}

void ScenarioRunner::performInput(const InputLine& input, InputFault fault)
{
    using Command = InputLine::Command;
    const std::string word(commandWord(input.command));
    switch (fault) {
    case InputFault::None:
        break;
    case InputFault::NotInput:
        return error("unknown command " + word);
    case InputFault::NoName:
        // set reads the rest of its line as a name and a text, the name empty here.
        return error(input.command == Command::Set ? "unknown control " : "missing control name");
    case InputFault::UnknownField:
        return error("unknown control " + input.field);
    case InputFault::WrongCount:
        return error("wrong number of arguments for " + word);
    case InputFault::WrongKind:
        return error(word + " needs "
            + std::string(input.command == Command::Set ? kNeedsText
                    : input.command == Command::Pick    ? kNeedsItems
                                                        : kNeedsCheck)
            + ": " + input.field);
    case InputFault::BadValue:
        if (input.command == Command::Pick)
            return error("index out of range: " + input.text);
        if (input.command == Command::Check)
            return error("check takes 0 or 1");
        return error("unknown machine " + input.text);
    }
    const bool applied
        = applyInputLine(form_, input, [this](const Method& method, const std::string& id) {
              form_.cutters().chooseById(method, id);
          });
    if (!applied)
        error("unknown machine " + input.text);
}

void ScenarioRunner::perform(const std::string& line)
{
    InputLine input;
    const InputFault fault = readInputLine(line, form_.store(), input);
    if (fault != InputFault::NotInput)
        return performInput(input, fault);

    const std::size_t blank = line.find(' ');
    const std::string_view name = std::string_view(line).substr(0, blank);
    // A view: a line of ten megabytes of blanks is not copied again.
    const std::string_view rest = blank == std::string::npos
        ? std::string_view()
        : std::string_view(line).substr(blank + 1);

    const Command* command = nullptr;
    for (const Command& c : commands()) {
        if (c.name == name)
            command = &c;
    }
    if (command == nullptr || (command->shape == Shape::None && !rest.empty()))
        return error("unknown command " + std::string(name));

    Call call;
    if (command->shape == Shape::Text) {
        if (rest.empty())
            return error("missing file name");
        call.text = rest;
    } else if (command->shape == Shape::ControlAndText) {
        const std::size_t nameEnd = rest.find(' ');
        call.words.emplace_back(rest.substr(0, nameEnd));
        if (nameEnd != std::string_view::npos)
            call.text = rest.substr(nameEnd + 1);
    } else if (!rest.empty()) {
        call.words = splitWords(rest);
    }

    if (command->shape == Shape::Control || command->shape == Shape::ControlAndText) {
        if (call.words.empty())
            return error("missing control name");
        call.control = control(call.words[0]);
        if (call.control == nullptr)
            return;
    }
    if ((command->shape == Shape::Word || command->shape == Shape::Control)
        && call.words.size() != command->words)
        return error("wrong number of arguments for " + std::string(name));
    if (call.control != nullptr && !holds(command->kinds, call.control->kind))
        return error(
            std::string(name) + " needs " + std::string(command->needs) + ": " + call.words[0]);
    command->handler(*this, call);
}

} // namespace millcalc
