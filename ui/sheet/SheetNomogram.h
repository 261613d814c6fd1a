// The nomogram on the calculation sheet: the machine's curves with the
// operating point, drawn in a box of the page.
#pragma once

#include <QRectF>

namespace millcalc {

class SheetLayout;
struct CalculationSheet;

void paintNomogram(SheetLayout& layout, const QRectF& box, const CalculationSheet& sheet);

} // namespace millcalc
