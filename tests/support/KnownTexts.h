// The texts the program is known to write into the message log and its boxes,
// so that a random session can tell a stray or garbled text from a real one.
#pragma once

#include <string_view>

namespace millcalc::robust {

// A log line the program writes. An entry with a '*' matches any text that
// starts with what stands before it and ends with what stands after it (the
// reports of a value out of range name the quantity in the middle).
bool isKnownLogLine(std::string_view text);

// A warning box: its caption and text.
bool isKnownWarning(std::string_view caption, std::string_view text);

// How many entries the tables hold (log lines, box texts), for the table tests.
int knownLogLineCount();
int knownBoxTextCount();

// Whether the pattern (with at most one '*') matches the text.
bool matchesPattern(std::string_view pattern, std::string_view text);

} // namespace millcalc::robust
