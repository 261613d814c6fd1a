// Each method's pages on the main window, in the order of the method table:
// its input page under PageControlParam and its result page under
// PageControlMethods. A method whose pages are laid out by hand (pictures
// beside its fields, groups of options) names its builders here; any other
// has its pages built from its row's inputs and results.
#pragma once

class QWidget;

namespace millcalc {

struct Method;

// The input page and the result page of a method of the table.
QWidget* createInputPage(const Method& method);
QWidget* createResultPage(const Method& method);

// A method's pages built from its row alone: each input and each result a
// line of its caption on the page and its field. Every field is a text field.
QWidget* createDeclaredInputPage(const Method& method);
QWidget* createDeclaredResultPage(const Method& method);

} // namespace millcalc
