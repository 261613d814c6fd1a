// The standard example job written into all three input pages at start and by
// "Автозаполнение".
#pragma once

namespace millcalc {

class FormMain;

// Writes inputs only: no handler runs, nothing is corrected, coloured, focused
// or logged.
void autoFill(FormMain& form);

} // namespace millcalc
