// The caption and unit of an input or result, as the calculation sheet, the
// copied table and the pages show them: each method declares its own in its
// row (app/Method.h), the window its sheet header here.
#pragma once

#include <span>

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
    ValueKind value = ValueKind::Text;
};

// A method's coefficients of one formula, a line of its formula panel.
struct CoefficientGroup {
    const char* title;
    std::span<const FieldCaption> coefficients;
};

// The calculation sheet's header that an operation card needs before it is
// signed: the part, the operation and who wrote the calculation.
std::span<const FieldCaption> sheetHeaderCaptions();

} // namespace millcalc
