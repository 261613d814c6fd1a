// The number of passes a depth of cut is split into: a whole number of at
// least 1, read and corrected alike on every method's page.
#pragma once

#include <optional>
#include <string_view>

namespace millcalc {

class Form;

inline constexpr const char* kPassesMessage
    = "Ошибка задания 'Числа проходов' - i -> исправлено....";

// The passes a text holds: digits only (blanks around them allowed), at least 1.
std::optional<int> parsePasses(std::string_view text);

// Reads the field; a text that holds no whole number of at least 1 is
// corrected to 1 and logged, and the calculation goes on.
int readPasses(Form& form, const char* field);

} // namespace millcalc
