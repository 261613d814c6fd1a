// A calculation method as one row that its own folder declares: its pages,
// their controls and how its input page is laid out, its captions, which limit checks each result,
// its operation-card line, its nomogram point, what a fit may change, how its cutter bends and its
// panels. The method table (shell/table/Methods.h) lists the rows; every feature of the window
// loops over them and none asks "which method".
#pragma once

#include "app/FieldCaptions.h"
#include "app/FitPlan.h"
#include "app/MethodPage.h"
#include "app/Panel.h"
#include "app/ResultPage.h"

#include <span>

namespace millcalc {

class Designer;
class Form;
struct DeflectionModel;

// A result coloured against a limit, with the short symbol that names it in a
// heading of the machine comparison. The one statement of which limit checks
// which result: the steps colour, the sheet, the comparison and the fit read it.
struct LimitCheck {
    const char* field;
    const char* symbol;
    LimitKind limit;
};

// The fields of a cutting-conditions row of the operation card; a method
// without one leaves them null.
struct CardFields {
    const char* diameter = nullptr;
    const char* width = nullptr;
    const char* depth = nullptr;
    const char* feed = nullptr;
    const char* feedPerTooth = nullptr;
    const char* spindleSpeed = nullptr;
    const char* cuttingSpeed = nullptr;
    const char* passes = nullptr; // the number of passes; the depth is the depth per pass
    // The passes across the width the part asks for: 1 unless a fit narrowed it.
    const char* widthPasses = nullptr;
};

// The nomogram's operating point: n, the power and the torque at n; a method
// without one leaves them null.
struct OperatingFields {
    const char* speed = nullptr;
    const char* power = nullptr;
    const char* torque = nullptr;
};

// The fields of a method page that a chosen cutter and a saved cut fill in;
// null where the page has none, all null where it has no cutter chooser.
struct CutterPage {
    // The chooser ("Фреза"): the chosen cutter's maximum speed limits n.
    const char* chooser = nullptr;
    const char* diameter = nullptr;
    const char* teeth = nullptr;
    const char* stickout = nullptr;
    // A radio group of the cutting material: high-speed steel 0, carbide 1.
    const char* material = nullptr;
    // A preset from a CAM program: v_c, f_z, stepdown (axial), stepover (radial).
    const char* cuttingSpeed = nullptr;
    const char* feedPerTooth = nullptr;
    const char* axialDepth = nullptr;
    const char* radialDepth = nullptr;
    // The method in a cut kept with a cutter, and the field that names the
    // work material there (otherwise the material text among the inputs).
    const char* cutWord = nullptr;
    const char* workMaterial = nullptr;
};

struct Method {
    const char* caption; // the pages' caption
    const char* fileWord; // the method in a file name
    // The method's page under PageControlParam and under PageControlMethods.
    const char* inputPage;
    const char* resultPage;
    // The controls of its pages and panels, as the window designer leaves them.
    void (*declare)(Designer& designer);
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
    // What a fit to the machine may change, in the order it tries it; null
    // where a fit has nothing to change.
    const FitPlan* fit;
    // How far the method's cutter bends: its fields, force and modulus; null
    // where it is not computed.
    const DeflectionModel* deflection;
    // The page's cutter chooser and what a cutter fills in.
    CutterPage cutter;
    // The limits that this method alone knows (a spindle-load table, a
    // temperature), in the result's unit; null or a negative answer: the
    // limit is the machine's.
    double (*ownLimit)(const Form& form, LimitKind kind) = nullptr;
    // The side panels of its own, in their menus' order.
    std::span<const Panel> panels = {};
    // How its input page is laid out; null: a line of each of its inputs.
    const MethodPage* inputLayout = nullptr;
    // How its result page is laid out; null: a line of each of its results.
    const ResultPage* resultLayout = nullptr;
};

} // namespace millcalc
