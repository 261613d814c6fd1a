// A method's result page as its row declares it, for the one result-page
// builder of the desktop program: its groups of results, in columns side by
// side and over them. A line holds a result field with its caption from the
// row's results; what stands beside it (a unit, a step button, a picture) has
// a column of its own in the group, so that the fields of a group stand under
// one another. Pictures are named; the builder looks their sizes up by name.
#pragma once

#include <span>

namespace millcalc {

// The width of a result field in the standard font's units: compact, so that
// the results stand beside the inputs on a screen 1366 pixels wide.
constexpr int kResultFieldWidth = 86;

struct ResultLine {
    // The result; null: the line's picture (or check box) alone, across the
    // group's caption, field and what stands beside them.
    const char* field = nullptr;
    int width = kResultFieldWidth;
    // The step button that computes it; with a text instead of the step's
    // picture where one is given (a narrow button).
    const char* step = nullptr;
    const char* stepText = nullptr;
    // A picture by name, beside the field over that many lines.
    const char* picture = nullptr;
    int pictureLines = 1;
    // The deflection's formula from the row's deflection model as its
    // picture.
    bool deflection = false;
    // The fit to the machine as a picture button before the picture.
    const char* fit = nullptr;
    // A coefficient field, with its caption, before the picture.
    const char* coefficient = nullptr;
    // A radio group in place of the captions of this line and the lines
    // after it, choiceLines lines in all.
    const char* choice = nullptr;
    int choiceLines = 0;
    // A check box (its own caption) under the field, alone on its line.
    const char* check = nullptr;
};

// The passes across the part with the fit to the machine that counts them,
// on one line: the row's width-passes field, narrow, a whole number.
struct ResultPasses {
    const char* fit = nullptr;
    // The fit's button before the caption rather than at the line's end.
    bool fitFirst = false;
};

struct ResultGroup {
    // Framed with that title; null: plain.
    const char* title = nullptr;
    // The group's step button at its right edge.
    const char* step = nullptr;
    std::span<const ResultLine> lines = {};
    // A column of units after the fields; a column of the lines' step
    // buttons after them.
    bool units = false;
    bool steps = false;
    // Captions that break into lines where the page is short of width.
    bool wrap = false;
    // Each caption over its field (and the field's step), the picture under.
    bool stacked = false;
    // Between lines; negative: the style's.
    int spacing = -1;
    // Margins over and under the lines as low as the page's.
    bool lowMargins = false;
    // Its fields stand under those of the page's first group.
    bool alignUnder = false;
    // Instead of lines: the width passes with the fit, a button that shows a
    // window (its text and tip), a note of the method's source, or a part of
    // the desktop program's by that name.
    const ResultPasses* passes = nullptr;
    const char* button = nullptr;
    const char* buttonText = nullptr;
    const char* buttonTip = nullptr;
    const char* note = nullptr;
    const char* part = nullptr;
};

struct ResultColumn {
    std::span<const ResultGroup> groups;
    // Its share of the page's spare width.
    int stretch = 0;
    // Its one group at the top, as high as the group asks, with no column
    // around it.
    bool top = false;
};

struct ResultPage {
    // Over the columns, in that order; with none, the page is its columns.
    std::span<const ResultGroup> over = {};
    std::span<const ResultColumn> columns = {};
};

} // namespace millcalc
