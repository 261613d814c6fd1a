// The desktop program's start-up guard: an error that escapes start-up is shown
// and the program ends with a failure status instead of looking as if it ran.
#pragma once

#include <functional>

namespace millcalc {

class Toolkit;

// Runs startUp; returns false, after the error box, when it throws.
bool startOrReport(Toolkit& toolkit, const std::function<void()>& startUp);

} // namespace millcalc
