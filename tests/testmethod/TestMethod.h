// A method of one input and one result, for the tests alone: the spindle
// speed typed is the speed the cut runs at, checked against the machine's
// maximum. It proves that a method is one folder and one line of the table.
#pragma once

#include "app/Method.h"

namespace millcalc {

const Method& testMethod();

} // namespace millcalc
