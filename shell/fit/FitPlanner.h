// The fit of a method's cut to the selected machine decided on a detached
// copy of the window: which of the method's free inputs change, in the order
// its fit plan gives, what stays beyond the machine, and the log lines.
#pragma once

#include "shell/fit/FitOutcome.h"

namespace millcalc {

class Form;
struct Method;

// Decides the fit of the method's cut to the machine the form selects, on a
// copy of the form; the form does not change.
FitOutcome planFit(const Form& form, const Method& method);
// The same on a detached copy of the window that the caller no longer needs
// as it stands (the comparison's, after its calculation): the fit tries its
// inputs there rather than on a copy of its own.
FitOutcome planFitOnCopy(Form& copy, const Method& method);

} // namespace millcalc
