// The calculation sheet: what a process engineer takes out of the program for
// the operation card and a colleague's check. Built from the window's fields
// at the moment it is asked for, as plain data that a printed page and the
// copied table both show.
#pragma once

#include "shell/nomogram/Graphic.h"

#include <string>
#include <string_view>
#include <vector>

namespace millcalc {

class Form;
struct Method;

inline constexpr const char* kSheetTitle = "Расчет режимов резания";
inline constexpr const char* kWithinLimit = "в норме";
inline constexpr const char* kBeyondLimit = "превышение";

struct SheetLine {
    std::string caption;
    std::string value; // the field's text, with "." as the program writes it
    std::string unit;
    // Where the method checks a limit: "в норме", or "превышение" with the
    // share of the limit ("превышение 102 %"); empty elsewhere.
    std::string status;
    bool exceeded = false;
};

// One group of the aluminium formula panel: its title and coefficients.
struct SheetCoefficients {
    std::string title;
    std::vector<SheetLine> values;
};

// One line of the sheet's header: "Деталь" and what the user wrote, empty
// where a blank is left to fill in by hand.
struct SheetHeaderLine {
    std::string caption;
    std::string value;
};

struct CalculationSheet {
    const Method* row = nullptr; // the method's row; null for the blank page
    std::vector<SheetHeaderLine> header; // the part, the operation, the author
    std::string dateTime;
    std::string machine;
    std::string limits; // the status line's text
    std::string method; // the result page's caption
    std::vector<SheetLine> inputs;
    std::vector<SheetCoefficients> coefficients;
    std::vector<SheetLine> results;
    // How the cutter's deflection among the results is computed.
    std::string deflectionModel;
    std::vector<std::string> log; // the lines of the last calculation of the method
    // D (B), t per pass, i passes, S (F and fz), n, V, as a cutting-conditions
    // row reads.
    std::string operationCard;
    std::vector<ChartPoint> powerCurve;
    std::vector<ChartPoint> torqueCurve;
    OperatingPoint operatingPoint;
};

// The sheet of the method on the active result page, with the log lines of
// its last calculation; no row and nothing else for the blank page. dateTime
// is written into the heading as it is given.
CalculationSheet buildCalculationSheet(
    const Form& form, const std::vector<std::string>& log, std::string dateTime);

// A number text written with the given decimal separator, for a spreadsheet
// of the user's locale ("0.10000" -> "0,10000"; "3850." -> "3850"); any other
// text unchanged.
std::string localNumber(std::string_view text, std::string_view decimalSeparator);

// The heading, inputs and results as tab-separated lines, numbers in the
// locale's notation; and the same as an HTML table.
std::string sheetTableText(const CalculationSheet& sheet, std::string_view decimalSeparator);
std::string sheetTableHtml(const CalculationSheet& sheet, std::string_view decimalSeparator);

} // namespace millcalc
