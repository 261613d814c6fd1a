#include "shell/FitReds.h"

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

std::string describe(const Red& red, double margin)
{
    const std::string unit = unitOf(red.check->field);
    return std::string(red.check->symbol) + "=" + withUnit(red.text, unit) + " не ниже "
        + (red.beyond ? std::string() : formatFixed(margin * 100, 0) + " % ") + "предела "
        + withUnit(limitText(red.limit), unit);
}

std::string describe(const std::vector<Red>& reds, double margin)
{
    std::string text;
    for (const Red& red : reds)
        text += (text.empty() ? "" : "; ") + describe(red, margin);
    return text;
}

bool hasField(const std::vector<Red>& reds, const char* field)
{
    return std::any_of(reds.begin(), reds.end(),
        [field](const Red& red) { return std::string_view(red.check->field) == field; });
}

} // namespace millcalc
