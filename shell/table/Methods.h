// The method table: the rows that the method folders declare, in page order,
// and what every feature asks of them (the row of a page, a field's caption,
// the limit of a check).
#pragma once

#include "app/Method.h"

#include <span>
#include <string_view>

namespace millcalc {

class Form;
class FieldStore;

// Every method, in page order: the rows of the method table that the program
// links (shell/table/MethodTable.h).
std::span<const Method> methods();
// The method of a page; null for the blank page or any other index.
const Method* methodAt(int page);
// The page of a method of the table.
int pageOf(const Method& method);
// The method whose results the window shows; null on the blank page.
const Method* activeMethod(const FieldStore& store);

// The entry of an input, coefficient or result field of a method, or of the
// sheet's header: the caption table assembled from the rows. Throws
// std::out_of_range for a field that has none.
const FieldCaption& fieldCaption(std::string_view field);
// The check of a result of the method; null for a result no limit checks.
const LimitCheck* checkOf(const Method& method, std::string_view field);

// The limit that a check of the method compares a result with, in the result's
// own unit, for the machine the store selects and the results and inputs it
// holds; 0 where none applies (the spindle-load table of a machine without
// one, a machine figure, a deflection that is not computed).
double limitOf(const Form& form, const Method& method, LimitKind kind);

// The symbol of the chosen cutter's maximum spindle speed in the comparison.
inline constexpr const char* kCutterSpeedSymbol = "n фрезы";

// The limit a check's result is held to by the form: for a spindle speed the
// lower of the machine's and the chosen cutter's maximum, for any other check
// limitOf's.
double heldLimit(const Form& form, const Method& method, LimitKind kind);
// Whether the chosen cutter's maximum speed binds a result of the method's
// spindle-speed checks on the form as it stands.
bool cutterSpeedBinds(const Form& form, const Method& method);

// Whether a value reaches its limit by the rule of the step that colours it:
// at or above it, except the spindle load, which only a greater force exceeds.
bool reachesLimit(LimitKind kind, double value, double limit);

// The share of its limit (above 0) that a result uses, as the machine
// comparison and the calculation sheet show it: in whole per cent rounded
// down, no less than 0 and no more than a billion, and kept on the side of
// 100 % that the result's colour gives (red: 100 or more; otherwise 99 or
// less), since the colour is the verdict on the value before rounding.
double limitPercent(double value, double limit, bool red);

} // namespace millcalc
