// Each method's pages on the main window, in the order of the method table:
// its input page under PageControlParam and its result page under
// PageControlMethods. One builder lays every input page out as its row
// declares it (app/MethodPage.h): the controls the row declares, with the
// captions it gives them, the pictures and parts it names; another every
// result page (app/ResultPage.h, ui/pages/ResultPages.h). A row that lays
// out no page has a line of each of its inputs, and of each of its results.
#pragma once

class QWidget;

namespace millcalc {

struct Method;

// The input page and the result page of a method of the table.
QWidget* createInputPage(const Method& method);
QWidget* createResultPage(const Method& method);

} // namespace millcalc
