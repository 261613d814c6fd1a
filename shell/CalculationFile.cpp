#include "shell/CalculationFile.h"

#include "app/FieldCaptions.h"
#include "app/FieldStore.h"
#include "app/Form.h"
#include "app/Utf8.h"
#include "machines/MachineTable.h"
#include "machines/ParkFile.h"
#include "materials/MaterialCatalogue.h"
#include "shell/Methods.h"

#include <algorithm>
#include <charconv>

namespace millcalc {

namespace {

constexpr const char* kMachine = "TabMach";
// The result page decides which method "Расчет" runs; the input pages follow it.
constexpr const char* kMethod = "PageControlMethods";

bool sets(FieldKind kind)
{
    return kind == FieldKind::TextField || kind == FieldKind::EditableList
        || kind == FieldKind::StaticText;
}

bool picks(FieldKind kind)
{
    return kind == FieldKind::DropDownList || kind == FieldKind::EditableList
        || kind == FieldKind::RadioGroup || kind == FieldKind::PageControl;
}

bool checks(FieldKind kind)
{
    return kind == FieldKind::CheckBox || kind == FieldKind::RadioButton;
}

// A line holds one text: a line break in it (no field the user types into
// holds one) is written as a blank.
std::string oneLine(std::string text)
{
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return text;
}

// The lines of the file, each without its end: a line feed, a carriage
// return and line feed, or a lone carriage return, as the runner reads them.
std::vector<std::string_view> splitLines(std::string_view bytes)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 1;
        if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n')
            ++start;
    }
    return lines;
}

// The number a text states, all of it ("," read as "."); false for a text
// that is anything more or less than a number.
bool statedNumber(std::string_view text, double& value)
{
    std::string plain(text);
    std::replace(plain.begin(), plain.end(), ',', '.');
    const char* first = plain.data();
    const char* last = first + plain.size();
    if (first != last && *first == '+')
        ++first;
    const auto [end, error] = std::from_chars(first, last, value);
    return first != last && error == std::errc() && end == last;
}

// One line of two bodies states the same: equal, or a text set to the same
// number written otherwise ("90.0" and "90.00000").
bool sameLine(std::string_view a, std::string_view b)
{
    if (a == b)
        return true;
    if (!a.starts_with("set ") || !b.starts_with("set "))
        return false;
    const std::size_t nameEnd = a.find(' ', 4);
    if (nameEnd == std::string_view::npos || a.substr(0, nameEnd + 1) != b.substr(0, nameEnd + 1))
        return false;
    double x = 0;
    double y = 0;
    return statedNumber(a.substr(nameEnd + 1), x) && statedNumber(b.substr(nameEnd + 1), y)
        && x == y;
}

bool parseItem(std::string_view text, int& value)
{
    if (text.empty() || text.size() > 9)
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value >= 0;
}

std::string quoted(std::string_view text)
{
    return "«" + std::string(text) + "»";
}

} // namespace

std::vector<std::string> calculationFields()
{
    std::vector<std::string> fields { kMachine };
    for (const MaterialGroup& group : MaterialGroupCatalogue)
        fields.emplace_back(group.radioButton);
    for (const Method& method : methods()) {
        for (const FieldCaption& input : method.inputs)
            fields.emplace_back(input.field);
    }
    for (const Method& method : methods()) {
        for (const CoefficientGroup& group : method.coefficients) {
            for (const FieldCaption& coefficient : group.coefficients)
                fields.emplace_back(coefficient.field);
        }
    }
    for (const Method& method : methods()) {
        if (method.card.widthPasses != nullptr)
            fields.emplace_back(method.card.widthPasses);
    }
    for (const FieldCaption& entry : sheetHeaderCaptions())
        fields.emplace_back(entry.field);
    fields.emplace_back(kMethod);
    return fields;
}

std::string calculationBody(const Form& form, std::span<const std::string> cutterIds)
{
    const FieldStore& store = form.store();
    const std::vector<std::string> fields = calculationFields();
    std::string selections;
    std::string texts;
    for (const std::string& name : fields) {
        if (name == kMethod || !store.has(name))
            continue;
        if (name == kMachine) {
            const MachineRecord& machine = selectedMachine(form);
            selections += "machine " + machine.Id + "\n# " + oneLine(machine.MachineName) + '\n';
            continue;
        }
        const Field& f = store.field(name);
        // A radio button is written only checked: a click on one runs its
        // group's handler, and the one checked unchecks the others.
        if (f.kind == FieldKind::RadioButton) {
            if (f.checked)
                selections += "check " + name + " 1\n";
        } else if (checks(f.kind)) {
            selections += "check " + name + (f.checked ? " 1\n" : " 0\n");
        } else if (picks(f.kind) && f.index >= 0) {
            selections += "pick " + name + ' ' + std::to_string(f.index) + '\n';
        }
        if (sets(f.kind))
            texts += "set " + name + ' ' + oneLine(f.text) + '\n';
    }
    std::string body = selections + texts;
    for (std::size_t page = 0; page < cutterIds.size(); ++page) {
        if (!cutterIds[page].empty())
            body += "pick " + std::string(kMethod) + ' ' + std::to_string(page) + "\ncutter "
                + oneLine(cutterIds[page]) + '\n';
    }
    if (store.has(kMethod) && store.index(kMethod) >= 0)
        body += "pick " + std::string(kMethod) + ' ' + std::to_string(store.index(kMethod)) + '\n';
    return body;
}

bool sameCalculation(std::string_view body, std::string_view other)
{
    const std::vector<std::string_view> lines = splitLines(body);
    const std::vector<std::string_view> others = splitLines(other);
    return lines.size() == others.size()
        && std::equal(lines.begin(), lines.end(), others.begin(), sameLine);
}

std::string calculationText(const Form& form, std::string_view version, std::string_view date,
    std::string_view results, std::span<const std::string> cutterIds)
{
    const FieldStore& store = form.store();
    std::string text = "# millcalc " + std::string(version) + ": расчет режимов резания\n";
    text += "# Сохранен: " + std::string(date) + '\n';
    if (store.has(kMachine))
        text += "# Станок: " + oneLine(store.text(kMachine)) + '\n';
    if (store.has(kMethod))
        text += "# Метод: " + oneLine(store.text(kMethod)) + '\n';
    text += "# Повтор расчета: millcalc-scenario ФАЙЛ, затем строка \"click BitCalcs\"\n";
    return text + calculationBody(form, cutterIds) + std::string(results);
}

std::string calculationFileName(std::string_view machine)
{
    const std::size_t first = machine.find_first_not_of(' ');
    const std::size_t last = machine.find_last_not_of(' ');
    std::string name = first == std::string_view::npos
        ? std::string("станок")
        : std::string(machine.substr(first, last - first + 1));
    for (char& c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '/' || byte < 0x20 || byte == 0x7f)
            c = '-';
    }
    return "расчет-" + name + "." + kCalculationExtension;
}

bool readCalculation(std::string_view bytes, const FieldStore& store,
    std::vector<CalculationLine>& lines, CalculationError& error)
{
    lines.clear();
    const auto fail = [&](int line, std::string reason) {
        lines.clear();
        error = { line, std::move(reason) };
        return false;
    };
    if (bytes.size() > kCalculationFileLimit)
        return fail(0, "файл больше 1 МБ (" + std::to_string(bytes.size()) + " байт)");

    const std::vector<std::string_view> text = splitLines(bytes);
    // The bytes first, every line, before any command is looked at.
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        const std::string_view line = text[i];
        for (std::size_t at = 0; at < line.size();) {
            const auto c = static_cast<unsigned char>(line[at]);
            if ((c < 0x20 && c != '\t') || c == 0x7f)
                return fail(number, "двоичный файл, не текст (байт " + std::to_string(c) + ")");
            const std::size_t length = utf8Length(line.substr(at));
            if (length == 0)
                return fail(number, "текст не в кодировке UTF-8");
            at += length;
        }
    }

    const std::vector<std::string> fields = calculationFields();
    bool method = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        const std::string_view line = text[i];
        if (line.empty() || line[0] == '#')
            continue;
        const std::size_t blank = line.find(' ');
        const std::string_view word = line.substr(0, blank);
        const std::string_view rest
            = blank == std::string_view::npos ? std::string_view() : line.substr(blank + 1);
        CalculationLine entry;
        if (word == "machine") {
            if (!validMachineId(rest))
                return fail(number,
                    "id станка " + quoted(rest)
                        + ": допустимы от 1 до 64 знаков из a-z, 0-9, «.», «_» и «-»");
            entry.command = CalculationLine::Command::Machine;
            entry.field = kMachine;
            entry.text = std::string(rest);
            lines.push_back(std::move(entry));
            continue;
        }
        if (word == "set")
            entry.command = CalculationLine::Command::Set;
        else if (word == "pick")
            entry.command = CalculationLine::Command::Pick;
        else if (word == "check")
            entry.command = CalculationLine::Command::Check;
        else if (word == "cutter")
            entry.command = CalculationLine::Command::Cutter;
        else
            return fail(number,
                "команда " + quoted(word)
                    + " не задает ввод: файл расчета только выбирает станок (machine), вводит "
                      "тексты (set), выбирает пункты (pick), отмечает флажки (check) и выбирает "
                      "фрезу (cutter)");
        if (entry.command == CalculationLine::Command::Cutter) {
            // The id as written: the library may no longer hold it, which
            // only a log line tells when the file is opened.
            if (rest.empty())
                return fail(number, "нет обозначения фрезы");
            entry.text = std::string(rest);
            lines.push_back(std::move(entry));
            continue;
        }
        const std::size_t nameEnd = rest.find(' ');
        entry.field = std::string(rest.substr(0, nameEnd));
        const std::string_view argument
            = nameEnd == std::string_view::npos ? std::string_view() : rest.substr(nameEnd + 1);
        if (entry.field.empty())
            return fail(number, "нет имени поля");
        if (std::find(fields.begin(), fields.end(), entry.field) == fields.end()
            || !store.has(entry.field))
            return fail(number, "неизвестное поле " + quoted(entry.field));
        const Field& f = store.field(entry.field);
        switch (entry.command) {
        case CalculationLine::Command::Set:
            if (!sets(f.kind))
                return fail(number, "поле " + quoted(entry.field) + " не вводится текстом");
            if (nameEnd == std::string_view::npos)
                return fail(number, "нет текста поля " + quoted(entry.field));
            entry.text = std::string(argument);
            break;
        case CalculationLine::Command::Pick:
            if (!picks(f.kind))
                return fail(number, "в поле " + quoted(entry.field) + " нет пунктов");
            if (!parseItem(argument, entry.value)
                || entry.value >= static_cast<int>(f.items.size()))
                return fail(number,
                    "пункт " + quoted(argument) + " вне списка поля " + quoted(entry.field) + " (0–"
                        + std::to_string(static_cast<int>(f.items.size()) - 1) + ")");
            break;
        case CalculationLine::Command::Cutter:
            break;
        case CalculationLine::Command::Check:
            if (!checks(f.kind))
                return fail(number, "поле " + quoted(entry.field) + " не флажок");
            if (argument != "0" && argument != "1")
                return fail(number, "флажок " + quoted(entry.field) + " ставится 0 или 1");
            entry.value = argument == "1" ? 1 : 0;
            break;
        case CalculationLine::Command::Machine:
            break;
        }
        method = method || entry.field == kMethod;
        lines.push_back(std::move(entry));
    }
    // The method is the last line written: a file without it was cut short.
    if (!method)
        return fail(static_cast<int>(text.size()), "файл оборван: нет выбора метода расчета");
    return true;
}

void applyCalculation(
    Form& form, const std::vector<CalculationLine>& lines, const CutterChooser& chooseCutter)
{
    for (const CalculationLine& line : lines) {
        switch (line.command) {
        case CalculationLine::Command::Set:
            form.typeText(line.field, line.text);
            break;
        case CalculationLine::Command::Pick:
            form.pick(line.field, line.value);
            break;
        case CalculationLine::Command::Machine: {
            const int row = machineIndexById(machinesOf(form), line.text);
            form.pick(line.field, std::max(row, 0));
            if (row < 0)
                form.LogMessage("Станка «" + line.text + "» нет в парке: расчет открыт на станке «"
                    + selectedMachine(form).MachineName + "»");
            break;
        }
        case CalculationLine::Command::Cutter:
            if (chooseCutter)
                chooseCutter(form.store().index("PageControlParam"), line.text);
            break;
        case CalculationLine::Command::Check: {
            // A click on the radio button already checked changes nothing.
            const Field& f = form.store().field(line.field);
            if (f.kind == FieldKind::RadioButton && f.checked && line.value == 1)
                break;
            form.check(line.field, line.value == 1);
            break;
        }
        }
    }
}

} // namespace millcalc
