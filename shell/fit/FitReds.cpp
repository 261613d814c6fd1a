#include "shell/fit/FitReds.h"

#include "app/NumberText.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

namespace millcalc {

namespace {

std::string unitOf(const char* field)
{
    try {
        return fieldCaption(field).unit;
    } catch (const std::out_of_range&) {
        return std::string();
    }
}

std::string withUnit(const std::string& number, const std::string& unit)
{
    return unit.empty() ? number : number + " " + unit;
}

} // namespace

std::string limitText(double limit)
{
    std::string text = formatFixed(limit, 5);
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text;
}

double shareOf(const Red& red)
{
    return red.value / red.limit;
}

std::string limitWords(const Red& red, double margin)
{
    const std::string limit = limitText(red.limit);
    return red.beyond ? "предел " + limit : formatFixed(margin * 100, 0) + " % предела " + limit;
}

std::string stepWords(const Red& red, const std::string& after, double margin)
{
    return std::string(red.check->symbol) + " " + red.text + " → "
        + withUnit(after, unitOf(red.check->field)) + " (" + limitWords(red, margin) + ")";
}

std::string standingWords(const Red& red, double margin)
{
    return std::string(red.check->symbol) + " " + withUnit(red.text, unitOf(red.check->field))
        + " (" + limitWords(red, margin) + ")";
}

std::string standingWords(const std::vector<Red>& reds, double margin)
{
    std::string text;
    for (const Red& red : reds)
        text += (text.empty() ? "" : ", ") + standingWords(red, margin);
    return text;
}

bool hasField(const std::vector<Red>& reds, const char* field)
{
    return std::any_of(reds.begin(), reds.end(),
        [field](const Red& red) { return std::string_view(red.check->field) == field; });
}

std::string inFieldForm(const std::string& written, const std::string& original)
{
    const std::size_t point = original.find_first_of(".,");
    const std::size_t least = point == std::string::npos ? 0 : original.size() - point - 1;
    const std::size_t ownPoint = written.find('.');
    if (ownPoint == std::string::npos)
        return written;
    std::string text = written;
    while (text.size() > ownPoint + 1 + least && text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text;
}

} // namespace millcalc
