// "Подобрать по станку": changes what a method leaves to the user, in the
// order its fit plan gives, until the selected machine takes the cut; logs
// every change, then runs the method's full calculation on the new inputs.
// The decision is made on a detached copy; the window only takes the answer.
#pragma once

#include "shell/FitPlanner.h"

#include <functional>

namespace millcalc {

class Form;

// Told the method page whose full calculation a fit has run.
using FitCalculated = std::function<void(int page)>;

// Fits the active method's cut, writes the changed inputs to the window, runs
// the full calculation and refreshes the comparison.
void fitToMachine(Form& form, const FitCalculated& calculated = {});
void BitBtnStFitClick(Form& form);
void BitBtnAlFitClick(Form& form);
void BitBtnTiFitClick(Form& form);
// Attaches the fit to its buttons and to the results' context menu; a width a
// fit narrowed counts one pass across again once another is written.
void installMachineFit(Form& form, FitCalculated calculated = {});

} // namespace millcalc
