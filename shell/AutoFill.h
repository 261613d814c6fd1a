// The standard example job written into all three input pages at start and by
// "Автозаполнение".
#pragma once

namespace millcalc {

class Form;

// Writes inputs only, and the aluminium formula panel and Ks of the alloy and
// roughness range it selects; nothing is corrected, coloured, focused or
// logged, and no calculation runs.
void autoFill(Form& form);

} // namespace millcalc
