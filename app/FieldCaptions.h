// The caption and unit of every input and result of the three methods, as the
// calculation sheet, the copied table and the result pages show them: each
// declared once, here.
#pragma once

#include <span>
#include <string_view>

namespace millcalc {

// The machine limit that a calculation marks a result against.
enum class LimitKind {
    None,
    SpindleSpeed, // MaxSpindleSpeed
    Feed, // MaxFeed
    Power, // MaxPower
    Torque, // MaxTorque
    SpindleLoad, // the permissible spindle load of the aluminium force step
    Temperature, // the workpiece temperature at which the part overheats
    // The cutter's deflection against the permissible one the user gives on
    // the method's input page.
    Deflection,
    // What the machine delivers (Walter's Pn and M at n): coloured by its
    // step, shown, and never called a check of the cut that it exceeds.
    MachineFigure,
};

// How a control's value is read for a sheet.
enum class ValueKind {
    Text, // the text the control shows
    Choice, // a radio group: its selected item; the caption is the group's own
    Checked, // a check box: "да" or "нет"; the caption is the box's own
};

struct FieldCaption {
    const char* field;
    // Short, for tables; null where the control carries its own caption.
    const char* caption;
    const char* unit; // empty for a number without a unit
    // The caption beside the field on its page or panel, where one stands
    // there (every input's comes from here); null where a group title, the
    // control's own caption or nothing stands there.
    const char* pageLabel = nullptr;
    LimitKind limit = LimitKind::None;
    ValueKind value = ValueKind::Text;
};

// The inputs and the results of method page 0 (Walter), 1 (aluminium) or 2
// (titanium), in the order a sheet lists them; empty for any other page.
std::span<const FieldCaption> inputCaptions(int page);
std::span<const FieldCaption> resultCaptions(int page);

// The aluminium formula-panel coefficients, one group a line: Sz, V1, V2, Pz.
struct CoefficientGroup {
    const char* title;
    std::span<const FieldCaption> coefficients;
};
std::span<const CoefficientGroup> aluminiumCoefficientGroups();

// The calculation sheet's header that an operation card needs before it is
// signed: the part, the operation and who wrote the calculation.
std::span<const FieldCaption> sheetHeaderCaptions();

// The entry of a result or input field; throws std::out_of_range for a field
// that has none.
const FieldCaption& fieldCaption(std::string_view field);

} // namespace millcalc
