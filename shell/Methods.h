// The calculation methods, one row each: what every feature of the window
// needs to know of a method (its page, calculation, inputs and results, which
// result each limit checks, its operation-card line, its nomogram point and
// what a fit may change). The dispatch, the machine comparison, the sheet, the
// nomogram and the fit read these rows; none of them asks "which method".
#pragma once

#include "app/CutterDeflection.h"
#include "app/FieldCaptions.h"
#include "app/FitPlan.h"

#include <span>
#include <string_view>

namespace millcalc {

class Form;
class FieldStore;

// A result coloured against a limit, with the short symbol that names it in a
// heading of the machine comparison.
struct LimitCheck {
    const char* field;
    const char* symbol;
    LimitKind limit;
};

// The fields of a cutting-conditions row of the operation card.
struct CardFields {
    const char* diameter;
    const char* width;
    const char* depth;
    const char* feed;
    const char* feedPerTooth;
    const char* spindleSpeed;
    const char* cuttingSpeed;
    const char* passes; // the number of passes; the depth is the depth per pass
    // The passes across the width the part asks for: 1 unless a fit narrowed it.
    const char* widthPasses;
};

// The nomogram's operating point: n, the power and the torque at n.
struct OperatingFields {
    const char* speed;
    const char* power;
    const char* torque;
};

struct Method {
    int index; // the page of PageControlParam and PageControlMethods
    const char* caption; // the pages' caption
    const char* fileWord; // the method in a file name
    // Attaches the method's step buttons and option handlers to the window.
    void (*install)(Form& form);
    // Its sub-steps of the window's creation: start texts, lists, grids.
    void (*create)(Form& form);
    // Its part of the standard example job ("Автозаполнение"): inputs only.
    void (*fill)(Form& form);
    // The full calculation: 0 when it ran to its end, -1 when it stopped.
    int (*calculate)(Form& form);
    std::span<const FieldCaption> inputs;
    std::span<const CoefficientGroup> coefficients;
    std::span<const FieldCaption> results;
    // The results checked against a limit of the cut, in the comparison's
    // column order. A machine figure (what the machine delivers) is none.
    std::span<const LimitCheck> checks;
    CardFields card;
    OperatingFields point;
    // What a fit to the machine may change, in the order it tries it.
    const FitPlan* fit;
    // How far the method's cutter bends: its fields, force and modulus.
    const DeflectionModel* deflection;
    // The page's cutter chooser: the cutter's maximum speed limits n.
    const char* cutter;
};

inline constexpr int kMethodCount = 3;

// Every method, in page order.
std::span<const Method> methods();
// The method of a page; null for the blank page or any other index.
const Method* methodAt(int page);

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
