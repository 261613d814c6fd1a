// The parts of a method's page that are more than a control with its caption,
// by the name the row gives them: the page builder looks them up here.
#pragma once

class QWidget;

namespace millcalc {

// The part of that name; throws std::logic_error for a name not known.
QWidget* pagePart(const char* name);

} // namespace millcalc
