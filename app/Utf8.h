// Well-formed UTF-8, as the program checks the texts it reads and prints.
#pragma once

#include <cstddef>
#include <string_view>

namespace millcalc {

// The length of the well-formed UTF-8 sequence at the start of text, or 0
// when its first byte starts none (a stray continuation byte, an overlong
// form, a surrogate, a code point beyond U+10FFFF or a cut-off sequence).
std::size_t utf8Length(std::string_view text);

} // namespace millcalc
