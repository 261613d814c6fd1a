#include "app/Passes.h"

#include "app/Form.h"

#include <limits>

namespace millcalc {

std::optional<int> parsePasses(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (text.empty())
        return std::nullopt;
    long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<int>::max())
            return std::nullopt;
    }
    if (value < 1)
        return std::nullopt;
    return static_cast<int>(value);
}

int readPasses(Form& form, const char* field)
{
    if (const auto passes = parsePasses(form.store().text(field)))
        return *passes;
    form.CorrectField(field, "1");
    form.LogMessage(kPassesMessage);
    return 1;
}

} // namespace millcalc
