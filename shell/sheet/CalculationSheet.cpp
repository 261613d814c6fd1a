#include "shell/sheet/CalculationSheet.h"

#include "app/CutterDeflection.h"
#include "app/FieldCaptions.h"
#include "app/Form.h"
#include "app/NumberText.h"
#include "machines/MachineTable.h"
#include "shell/table/Methods.h"

#include <cmath>
#include <string_view>

namespace millcalc {

namespace {

SheetLine sheetLine(const FieldStore& store, const FieldCaption& entry)
{
    const Field& field = store.field(entry.field);
    SheetLine line;
    line.unit = entry.unit;
    switch (entry.value) {
    case ValueKind::Text:
        line.caption = entry.caption;
        line.value = store.text(entry.field);
        break;
    case ValueKind::Choice:
        line.caption = field.text;
        line.value = store.text(entry.field);
        break;
    case ValueKind::Checked:
        line.caption = field.text;
        line.value = field.checked ? "да" : "нет";
        break;
    }
    return line;
}

// The red of the calculation tells what it found; the share is taken against
// the limit of the machine now selected.
void markStatus(const Form& form, const Method& method, const FieldCaption& entry, SheetLine& line)
{
    // A machine figure is what the machine delivers: shown, never exceeded.
    const LimitCheck* check = checkOf(method, entry.field);
    if (check == nullptr)
        return;
    const double limit = limitOf(form, method, check->limit);
    line.exceeded = form.store().colour(entry.field) == colours::Red;
    if (!line.exceeded) {
        if (limit > 0)
            line.status = kWithinLimit;
        return;
    }
    line.status = kBeyondLimit;
    // The share as the machine comparison shows it.
    const double value = readReal(line.value);
    if (limit > 0 && std::isfinite(value))
        line.status += " " + formatFixed(limitPercent(value, limit, true), 0) + " %";
}

std::string cardValue(const FieldStore& store, const char* symbol, const char* field)
{
    std::string text = std::string(symbol) + "=" + store.text(field);
    const std::string unit = fieldCaption(field).unit;
    if (!unit.empty())
        text += " " + unit;
    return text;
}

std::string operationCard(const FieldStore& store, const CardFields& f)
{
    // The passes across the part, where a fit narrowed the width.
    const std::string across = store.text(f.widthPasses);
    const std::string width = across == "1" ? std::string() : ", по ширине i=" + across;
    return cardValue(store, "D", f.diameter) + " (" + cardValue(store, "B", f.width) + "); "
        + cardValue(store, "t", f.depth) + "; i=" + store.text(f.passes) + width + "; "
        + cardValue(store, "S", f.feed) + " (" + cardValue(store, "fz", f.feedPerTooth) + "); "
        + cardValue(store, "n", f.spindleSpeed) + "; " + cardValue(store, "V", f.cuttingSpeed);
}

std::string escapeHtml(std::string_view text)
{
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

// The rows of the copied table: heading, inputs, coefficients and results,
// cells already in the locale's notation.
std::vector<std::vector<std::string>> tableRows(
    const CalculationSheet& sheet, std::string_view separator)
{
    std::vector<std::vector<std::string>> rows;
    rows.push_back({ kSheetTitle, sheet.dateTime });
    // Every header line, an empty one too: its cell is filled in by hand.
    for (const SheetHeaderLine& line : sheet.header)
        rows.push_back({ line.caption, line.value });
    rows.push_back({ "Станок", sheet.machine });
    rows.push_back({ "Пределы станка", sheet.limits });
    rows.push_back({ "Метод", sheet.method });
    const auto line = [&](const std::string& caption, const SheetLine& l, bool status) {
        std::vector<std::string> row { caption, localNumber(l.value, separator), l.unit };
        if (status)
            row.push_back(l.status);
        rows.push_back(std::move(row));
    };
    rows.push_back({});
    rows.push_back({ "Исходные данные" });
    for (const SheetLine& l : sheet.inputs)
        line(l.caption, l, false);
    for (const SheetCoefficients& group : sheet.coefficients) {
        for (const SheetLine& l : group.values)
            line(group.title + ": " + l.caption, l, false);
    }
    rows.push_back({});
    rows.push_back({ "Результаты" });
    for (const SheetLine& l : sheet.results)
        line(l.caption, l, true);
    return rows;
}

} // namespace

CalculationSheet buildCalculationSheet(
    const Form& form, const std::vector<std::string>& log, std::string dateTime)
{
    const FieldStore& store = form.store();
    CalculationSheet sheet;
    const Method* method = activeMethod(store);
    if (method == nullptr)
        return sheet;
    sheet.row = method;
    for (const FieldCaption& entry : sheetHeaderCaptions())
        sheet.header.push_back({ entry.caption, store.text(entry.field) });
    sheet.dateTime = std::move(dateTime);
    sheet.machine = selectedMachine(form).MachineName;
    sheet.limits = store.text("StatusBarMes");
    sheet.method = store.text("PageControlMethods");
    for (const FieldCaption& entry : method->inputs)
        sheet.inputs.push_back(sheetLine(store, entry));
    for (const CoefficientGroup& group : method->coefficients) {
        SheetCoefficients& line = sheet.coefficients.emplace_back();
        line.title = group.title;
        for (const FieldCaption& entry : group.coefficients)
            line.values.push_back(sheetLine(store, entry));
    }
    for (const FieldCaption& entry : method->results) {
        // The passes across the part stand on the sheet where a fit narrowed
        // the width; one pass goes without saying.
        if (method->card.widthPasses != nullptr
            && std::string_view(entry.field) == method->card.widthPasses
            && store.text(entry.field) == "1")
            continue;
        SheetLine& line = sheet.results.emplace_back(sheetLine(store, entry));
        markStatus(form, *method, entry, line);
    }
    if (method->deflection != nullptr)
        sheet.deflectionModel = deflectionModelText(*method->deflection);
    sheet.log = log;
    // A method without a card line leaves the card empty.
    if (method->card.diameter != nullptr)
        sheet.operationCard = operationCard(store, method->card);
    for (const CurvePoint& point : selectedMachine(form).Curve) {
        sheet.powerCurve.push_back({ point.speedRpm, point.powerKw });
        sheet.torqueCurve.push_back({ point.speedRpm, point.torqueNm });
    }
    sheet.operatingPoint = operatingPoint(store, *method);
    return sheet;
}

std::string localNumber(std::string_view text, std::string_view decimalSeparator)
{
    // Digits with at most one point among or after them, an optional sign in
    // front: what the program writes. Anything else is no plain number.
    std::size_t start = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    bool digits = false;
    std::size_t point = std::string_view::npos;
    for (std::size_t i = start; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9')
            digits = true;
        else if (text[i] == '.' && point == std::string_view::npos && digits)
            point = i;
        else
            return std::string(text);
    }
    if (!digits)
        return std::string(text);
    if (point == std::string_view::npos)
        return std::string(text);
    if (point + 1 == text.size())
        return std::string(text.substr(0, point));
    return std::string(text.substr(0, point)) + std::string(decimalSeparator)
        + std::string(text.substr(point + 1));
}

std::string sheetTableText(const CalculationSheet& sheet, std::string_view decimalSeparator)
{
    if (sheet.row == nullptr)
        return std::string();
    std::string text;
    for (const auto& row : tableRows(sheet, decimalSeparator)) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0)
                text += '\t';
            text += row[i];
        }
        text += '\n';
    }
    return text;
}

std::string sheetTableHtml(const CalculationSheet& sheet, std::string_view decimalSeparator)
{
    if (sheet.row == nullptr)
        return std::string();
    std::string html = "<html><head><meta charset=\"utf-8\"></head><body><table border=\"1\">\n";
    for (const auto& row : tableRows(sheet, decimalSeparator)) {
        html += "<tr>";
        if (row.size() == 1) {
            // A section heading across the table.
            html += "<th colspan=\"4\" align=\"left\">" + escapeHtml(row[0]) + "</th>";
        } else if (row.empty()) {
            html += "<td colspan=\"4\"></td>";
        } else {
            for (std::size_t i = 0; i < row.size(); ++i) {
                const bool wide = i + 1 == row.size() && row.size() == 2;
                html += wide ? "<td colspan=\"3\">" : "<td>";
                html += escapeHtml(row[i]) + "</td>";
            }
        }
        html += "</tr>\n";
    }
    html += "</table></body></html>\n";
    return html;
}

} // namespace millcalc
