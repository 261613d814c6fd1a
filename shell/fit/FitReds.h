// The results a fit finds at or beyond what it holds them to, and their words
// in the fit's log lines: "Mz 74.02 → 62.61 Нм (предел 57)".
#pragma once

#include "shell/table/Methods.h"

#include <string>
#include <vector>

namespace millcalc {

// A checked result at or beyond what the fit holds it to.
struct Red {
    const LimitCheck* check;
    double value;
    double limit;
    bool beyond; // coloured red by its step; otherwise only past the margin
    std::string text;
};

// The share of its limit the result uses.
double shareOf(const Red& red);
// A limit as few digits as it needs: 12000, 17.08333.
std::string limitText(double limit);
// "предел LIMIT", or "98 % предела LIMIT" where the result is only past the
// margin the fit keeps below the limit.
std::string limitWords(const Red& red, double margin);
// "SYMBOL BEFORE → AFTER UNIT (предел LIMIT)": the result before a step and
// the text of its field after it.
std::string stepWords(const Red& red, const std::string& after, double margin);
// "SYMBOL VALUE UNIT (предел LIMIT)"; several joined by ", ".
std::string standingWords(const Red& red, double margin);
std::string standingWords(const std::vector<Red>& reds, double margin);
bool hasField(const std::vector<Red>& reds, const char* field);

// A value the fit writes, in the form of the field's own text: at least as
// many decimals as the text had ("5.0"), more only where the value needs
// them ("1.000" for "5.0" is "1.0", "0.10416" for "0.2" stays).
std::string inFieldForm(const std::string& written, const std::string& original);

} // namespace millcalc
