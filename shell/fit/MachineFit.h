// "Подобрать по станку": changes what a method leaves to the user, in the
// order its fit plan gives, until the selected machine takes the cut; logs
// every change, then runs the method's full calculation on the new inputs.
// The decision is made on a detached copy; the window only takes the answer.
#pragma once

namespace millcalc {

class Form;

// Fits the active method's cut, writes the changed inputs to the window, runs
// the full calculation and tells the form's calculation notice of it.
void fitToMachine(Form& form);
// Attaches the fit to its buttons and to the results' context menu; a width a
// fit narrowed counts one pass across again once another is written.
void installMachineFit(Form& form);

} // namespace millcalc
