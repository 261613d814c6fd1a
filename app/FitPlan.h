// What a fit to the machine may change of a method's inputs, in which order
// and how each is stepped: data that a method declares beside its
// calculation and that the one fit driver reads.
#pragma once

#include "app/FieldCaptions.h"

#include <span>
#include <string>

namespace millcalc {

class FieldStore;
class Form;

enum class FitStep {
    // Lowered in units of its last written decimal, to the largest value
    // that takes the cut within the machine.
    Lower,
    // The whole depth (the depth per pass times the passes) split into the
    // fewest equal passes, up to kMostPasses, that the machine takes.
    Passes,
    // A later item of its list, the nearest one that the machine takes.
    LaterItem,
};

// More passes than this ask more of the user than a narrower cut.
inline constexpr int kMostPasses = 5;

struct FitInput {
    const char* field;
    const char* symbol; // in the log line and the comparison
    FitStep step;
    int decimals; // of the text written (Passes: of the depth per pass)
    // Passes: the field holding the number of passes.
    const char* passes = nullptr;
    // A result that a Lower input may not push below a least value (the chip
    // a feed leaves): the input stops where the result would.
    const char* floorResult = nullptr;
    double floorValue = 0;
    // Only the results checked against this limit are its business; None:
    // every checked result.
    LimitKind only = LimitKind::None;
    // A result the user may overwrite (the aluminium feed per tooth and the
    // accepted speed): the method's fit calculation takes it after the step
    // that computes it, and only once the fit has changed it.
    bool overridesResult = false;
    // Lower: the input is the width the part asks for (B, ap), and this
    // result counts the passes across it that a narrower cut takes.
    const char* widthPasses = nullptr;
};

// A value the fit gives one of its inputs.
struct FitValue {
    const char* field;
    std::string text;
};

struct FitPlan {
    // The fit's button on the method's result page.
    const char* button;
    std::span<const FitInput> inputs;
    // The share of a limit that a fitted result stays below; 1: the program's
    // own colour decides.
    double margin = 1.0;
    // The limit the fit holds a checked result to where it differs from the
    // one its step colours against (Walter's power: what the machine delivers
    // at n); 0 to keep that one.
    double (*limit)(const Form& form, LimitKind kind) = nullptr;
    // The calculation with the fit's values; null: the values are typed into
    // their fields and the full calculation runs. The values that override a
    // result come only once changed.
    int (*calculate)(Form& form, std::span<const FitValue> values) = nullptr;
};

} // namespace millcalc
