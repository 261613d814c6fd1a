// The results a fit finds at or beyond what it holds them to, and their words
// in the fit's log lines: "n=28637.131 об/мин не ниже предела 12000 об/мин".
#pragma once

#include "shell/Methods.h"

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
// "SYMBOL=VALUE UNIT не ниже [N % ]предела LIMIT UNIT", the margin named where
// the result is only past it; several joined by "; ".
std::string describe(const Red& red, double margin);
std::string describe(const std::vector<Red>& reds, double margin);
bool hasField(const std::vector<Red>& reds, const char* field);

} // namespace millcalc
