#include "tools/ScenarioRunner.h"

#include "app/NumberText.h"

#include <exception>
#include <ios>
#include <istream>
#include <ostream>
#include <streambuf>
#include <string_view>
#include <vector>

namespace millcalc {

namespace {

// The caption of the plain information box: the application's name, as a
// desktop program's message box shows it.
constexpr const char* kInformationCaption = "millcalc";
constexpr const char* kErrorCaption = "Ошибка";
constexpr char kHexDigits[] = "0123456789abcdef";

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

std::string colourText(Rgb colour)
{
    std::string text = "#";
    for (int shift = 20; shift >= 0; shift -= 4)
        text += kHexDigits[(colour >> shift) & 0xf];
    return text;
}

bool isOneOf(FieldKind kind, std::initializer_list<FieldKind> kinds)
{
    for (FieldKind k : kinds) {
        if (k == kind)
            return true;
    }
    return false;
}

// The length of the well-formed UTF-8 sequence at the start of text, or 0
// when its first byte starts none (a stray continuation byte, an overlong
// form, a surrogate, a code point beyond U+10FFFF or a cut-off sequence).
std::size_t utf8Length(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80; // the range of the second byte
    unsigned char high = 0xbf;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        low = lead == 0xe0 ? 0xa0 : low;
        high = lead == 0xed ? 0x9f : high;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        low = lead == 0xf0 ? 0x90 : low;
        high = lead == 0xf4 ? 0x8f : high;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if ((byte(i) & 0xc0) != 0x80)
            return 0;
    }
    return length;
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

bool readScenarioLine(std::istream& in, std::string& line)
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

ScenarioRunner::ScenarioRunner(std::ostream& out) : out_(out), form_(*this)
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

void ScenarioRunner::raise(const std::string&)
{
}

void ScenarioRunner::error(const std::string& reason)
{
    out_ << "ERROR\t" << lineNumber_ << '\t' << escapeText(reason) << '\n';
    failed_ = true;
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
    while (!ended_ && out_ && readScenarioLine(in, line)) {
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

void ScenarioRunner::perform(const std::string& line)
{
    const std::size_t blank = line.find(' ');
    const std::string command = line.substr(0, blank);
    // A view: a line of ten megabytes of blanks is not copied again.
    const std::string_view rest = blank == std::string::npos
        ? std::string_view()
        : std::string_view(line).substr(blank + 1);
    FieldStore& store = form_.store();

    if (command == "set") {
        const std::size_t nameEnd = rest.find(' ');
        const std::string name(rest.substr(0, nameEnd));
        const std::string text(
            nameEnd == std::string_view::npos ? std::string_view() : rest.substr(nameEnd + 1));
        const Field* f = control(name);
        if (f == nullptr)
            return;
        if (!isOneOf(f->kind, {FieldKind::TextField, FieldKind::EditableList}))
            return error("set needs a text field or an editable list: " + name);
        form_.typeText(name, text);
        return;
    }

    if (command == "log" && rest.empty()) {
        for (const std::string& entry : store.items("ElFlatMemoMes"))
            out_ << "LINE\t" << escapeText(entry) << '\n';
        return;
    }
    if (command == "focus" && rest.empty()) {
        const std::string& name = store.focused();
        out_ << "FOCUS\t" << name << '\t'
             << (!name.empty() && store.selectedAll(name) ? "all" : "none") << '\n';
        return;
    }

    const std::vector<std::string> args = rest.empty() ? std::vector<std::string>() : splitWords(rest);
    const auto needArgs = [&](std::size_t count) {
        if (args.size() != count) {
            error("wrong number of arguments for " + command);
            return false;
        }
        return true;
    };

    if (command == "series") {
        if (!needArgs(1))
            return;
        const int index = seriesIndex(args[0]);
        if (index < 0)
            return error("unknown series " + args[0]);
        out_ << "SERIES\t" << args[0];
        for (const ChartPoint& p : form_.nomogram().series[static_cast<std::size_t>(index)])
            out_ << '\t' << formatGeneral(p.x, 10) << ',' << formatGeneral(p.y, 10);
        out_ << '\n';
        return;
    }

    if (command != "pick" && command != "check" && command != "click" && command != "select-cell"
        && command != "close" && command != "get" && command != "items" && command != "checked"
        && command != "grid" && command != "window")
        return error("unknown command " + command);
    if (args.empty())
        return error("missing control name");
    const Field* f = control(args[0]);
    if (f == nullptr)
        return;
    const std::string& name = args[0];

    if (command == "pick") {
        if (!needArgs(2))
            return;
        if (!isOneOf(f->kind, {FieldKind::DropDownList, FieldKind::EditableList,
                               FieldKind::RadioGroup, FieldKind::PageControl}))
            return error("pick needs a list, radio group or page control: " + name);
        int index = 0;
        if (!parseIndex(args[1], index) || index < 0 || index >= static_cast<int>(f->items.size()))
            return error("index out of range: " + args[1]);
        form_.pick(name, index);
    } else if (command == "check") {
        if (!needArgs(2))
            return;
        if (!isOneOf(f->kind, {FieldKind::CheckBox, FieldKind::RadioButton}))
            return error("check needs a check box or radio button: " + name);
        if (args[1] != "0" && args[1] != "1")
            return error("check takes 0 or 1");
        // A click on the radio button already checked changes nothing, and its
        // handler does not run.
        if (f->kind == FieldKind::RadioButton && f->checked && args[1] == "1")
            return;
        form_.check(name, args[1] == "1");
    } else if (command == "click") {
        if (!needArgs(1))
            return;
        if (!isOneOf(f->kind, {FieldKind::Button, FieldKind::Picture, FieldKind::MenuItem}))
            return error("click needs a button, picture or menu item: " + name);
        form_.click(name);
    } else if (command == "select-cell") {
        if (!needArgs(3))
            return;
        if (f->kind != FieldKind::Grid)
            return error("select-cell needs a grid: " + name);
        int column = 0;
        int row = 0;
        if (!parseIndex(args[1], column) || !parseIndex(args[2], row) || column < 0 || row < 0
            || column >= f->columns || row >= f->rows)
            return error("cell out of range");
        // The heading row and column are drawn as headings: a user cannot select them.
        if (column < f->fixedColumns || row < f->fixedRows)
            return error("cell is a fixed heading");
        form_.selectCell(name, column, row);
    } else if (command == "close") {
        if (!needArgs(1))
            return;
        if (!isOneOf(f->kind, {FieldKind::Window, FieldKind::Panel}))
            return error("close needs a window or panel: " + name);
        form_.close(name);
    } else if (command == "get") {
        if (!needArgs(1))
            return;
        if (!isOneOf(f->kind, {FieldKind::TextField, FieldKind::EditableList,
                               FieldKind::DropDownList, FieldKind::StaticText, FieldKind::Memo,
                               FieldKind::StatusLine}))
            return error("get needs a control that shows a text: " + name);
        out_ << "FIELD\t" << name << '\t' << escapeText(store.text(name)) << '\t'
             << colourText(f->colour) << '\t' << (f->enabled ? 1 : 0) << '\n';
    } else if (command == "items") {
        if (!needArgs(1))
            return;
        if (!isOneOf(f->kind, {FieldKind::DropDownList, FieldKind::EditableList,
                               FieldKind::RadioGroup, FieldKind::PageControl}))
            return error("items needs a list, radio group or page control: " + name);
        out_ << "ITEMS\t" << name << '\t' << f->index;
        for (const std::string& item : f->items)
            out_ << '\t' << escapeText(item);
        out_ << '\n';
    } else if (command == "checked") {
        if (!needArgs(1))
            return;
        if (!isOneOf(f->kind, {FieldKind::CheckBox, FieldKind::RadioButton, FieldKind::MenuItem}))
            return error("checked needs a check box, radio button or menu item: " + name);
        out_ << "CHECKED\t" << name << '\t' << (f->checked ? 1 : 0) << '\n';
    } else if (command == "grid") {
        if (!needArgs(1))
            return;
        if (f->kind != FieldKind::Grid)
            return error("grid needs a grid: " + name);
        for (int row = 0; row < f->rows; ++row) {
            out_ << "ROW\t" << name << '\t' << row;
            for (int column = 0; column < f->columns; ++column)
                out_ << '\t' << escapeText(store.cell(name, column, row));
            out_ << '\n';
        }
    } else if (command == "window") {
        if (!needArgs(1))
            return;
        if (!isOneOf(f->kind, {FieldKind::Window, FieldKind::Panel}))
            return error("window needs a window or panel: " + name);
        out_ << "WINDOW\t" << name << '\t' << (f->visible ? 1 : 0) << '\t' << escapeText(f->text)
             << '\n';
    }
}

} // namespace millcalc
