// Each method's pages on the main window, in the order of the method table:
// its input page under PageControlParam and its result page under
// PageControlMethods. A method adds its row here and its pages beside the
// others.
#pragma once

#include <span>

class QWidget;

namespace millcalc {

struct MethodPages {
    const char* inputPage; // the input page's control name
    QWidget* (*inputs)();
    QWidget* (*results)();
};

std::span<const MethodPages> methodPages();

} // namespace millcalc
