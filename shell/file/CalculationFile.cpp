#include "shell/file/CalculationFile.h"

#include "app/FieldCaptions.h"
#include "app/FieldStore.h"
#include "app/Form.h"
#include "app/Utf8.h"
#include "machines/MachineTable.h"
#include "materials/MaterialCatalogue.h"
#include "shell/table/Methods.h"

#include <algorithm>
#include <charconv>

namespace millcalc {

namespace {

constexpr const char* kMachine = "TabMach";
// The result page decides which method "Расчет" runs; the input pages follow it.
constexpr const char* kMethod = "PageControlMethods";

// A line holds one text: a line break in it (no field the user types into
// holds one) is written as a blank.
std::string oneLine(std::string text)
{
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return text;
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

std::string quoted(std::string_view text)
{
    return "«" + std::string(text) + "»";
}

// Why the file refuses a line the grammar of input lines finds at fault.
std::string faultReason(
    std::string_view line, const FieldStore& store, InputFault fault, const CalculationLine& entry)
{
    using Command = CalculationLine::Command;
    const std::string field = quoted(entry.field);
    switch (fault) {
    case InputFault::None:
        break;
    case InputFault::NotInput:
        return "команда " + quoted(line.substr(0, line.find(' ')))
            + " не задает ввод: файл расчета только выбирает станок (machine), вводит "
              "тексты (set), выбирает пункты (pick), отмечает флажки (check) и выбирает "
              "фрезу (cutter)";
    case InputFault::NoName:
        return "нет имени поля";
    case InputFault::UnknownField:
        return entry.field.empty() ? "нет имени поля" : "неизвестное поле " + field;
    case InputFault::WrongCount:
    case InputFault::WrongKind:
    case InputFault::BadValue:
        // A word too many or too few is a value out of place, unless the
        // field does not take the command at all.
        if (entry.command == Command::Machine)
            return "id станка " + quoted(entry.text)
                + ": допустимы от 1 до 64 знаков из a-z, 0-9, «.», «_» и «-»";
        if (entry.command == Command::Cutter)
            return "нет обозначения фрезы";
        if (fault != InputFault::BadValue && !actsOn(entry.command, store.field(entry.field).kind))
            return entry.command == Command::Set ? "поле " + field + " не вводится текстом"
                : entry.command == Command::Pick ? "в поле " + field + " нет пунктов"
                                                 : "поле " + field + " не флажок";
        if (entry.command == Command::Pick)
            return "пункт " + quoted(entry.text) + " вне списка поля " + field + " (0–"
                + std::to_string(static_cast<int>(store.field(entry.field).items.size()) - 1) + ")";
        return "флажок " + field + " ставится 0 или 1";
    }
    return {};
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
        } else if (actsOn(CalculationLine::Command::Check, f.kind)) {
            selections += "check " + name + (f.checked ? " 1\n" : " 0\n");
        } else if (actsOn(CalculationLine::Command::Pick, f.kind) && f.index >= 0) {
            selections += "pick " + name + ' ' + std::to_string(f.index) + '\n';
        }
        if (actsOn(CalculationLine::Command::Set, f.kind))
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
    const std::vector<std::string> lines = splitLines(body);
    const std::vector<std::string> others = splitLines(other);
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

std::string fileNameWord(std::string_view machine)
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
    return name;
}

std::string calculationFileName(std::string_view machine)
{
    return "расчет-" + fileNameWord(machine) + "." + kCalculationExtension;
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

    const std::vector<std::string> text = splitLines(bytes);
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
        CalculationLine entry;
        const InputFault fault = readInputLine(line, store, fields, entry);
        if (fault != InputFault::None)
            return fail(number, faultReason(line, store, fault, entry));
        // A text's line cut short at the name: a file written whole has a
        // blank before each text, an empty one too.
        if (entry.command == CalculationLine::Command::Set
            && line.find(' ', commandWord(entry.command).size() + 1) == std::string_view::npos)
            return fail(number, "нет текста поля " + quoted(entry.field));
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
        if (applyInputLine(form, line, chooseCutter))
            continue;
        // A machine that this park lacks: the calculation opens on the first.
        form.pick(kMachine, 0);
        form.LogMessage("Станка «" + line.text + "» нет в парке: расчет открыт на станке «"
            + selectedMachine(form).MachineName + "»");
    }
}

} // namespace millcalc
