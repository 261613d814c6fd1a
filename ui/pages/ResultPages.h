// The result pages of the floating results window: one builder lays every
// method's page out as its row declares it (app/ResultPage.h), and the blank
// page stands last, after the methods.
#pragma once

class QWidget;

namespace millcalc {

struct Method;

// The result page of a row that declares one (Method::resultLayout); throws
// std::logic_error for a picture, part or caption the builder does not know.
QWidget* buildResultPage(const Method& method);
QWidget* createBlankResultPage();

} // namespace millcalc
