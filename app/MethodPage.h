// A method's input page as its row declares it, for the one page builder of
// the desktop program: the lines of its form in order, what stands under the
// form and in a column beside it. Each line is a control the row declares
// (its kind, a text field, a list or a drop-down list, is the declaration's)
// with its caption from the row's captions; a picture is named, and the
// builder looks its size up by the name.
#pragma once

#include <span>

namespace millcalc {

// A length of the page in the standard font's units, as the window designer
// gave them: the width of an input field.
constexpr int kPageFieldWidth = 110;

struct PageLine {
    const char* field;
    // 0: a drop-down list as wide as its longest item.
    int width = kPageFieldWidth;
};

// A part under or beside the form: a radio group the row declares, with the
// picture of its choice at its right edge (or none), or a part of the
// desktop program's by that name (the material choice of the catalogue).
struct PagePart {
    const char* name;
    const char* picture = nullptr;
};

// A picture beside lines of the form: the line after field and that many
// lines above it.
struct PageSidePicture {
    const char* name = nullptr;
    const char* after = nullptr;
    int lines = 0;
};

struct MethodPage {
    // The cutter's lines first, from the row's cutter and card fields: the
    // chooser, the diameter, the teeth, the width, the depth per pass and the
    // passes. Compact: the chooser beside the teeth and the passes beside the
    // depth, for the longest page, with neither height nor width to spare.
    bool cutterLines = true;
    bool compactCutter = false;
    std::span<const PageLine> lines;
    PageSidePicture picture = {};
    // Under the form, in that order.
    std::span<const PagePart> under = {};
    // In a column beside the form (and what stands under it), in that order.
    std::span<const PagePart> beside = {};
};

} // namespace millcalc
