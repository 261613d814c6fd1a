// The titanium method's row: its pages and their controls, its captions and
// checks (the part of low rigidity among them), its card line, nomogram
// point, fit and deflection.
#pragma once

#include "app/Method.h"
#include "titanium/Titanium.h"

namespace millcalc {

const Method& titaniumMethod();

} // namespace millcalc
