// The nomogram on the calculation sheet: the machine's curves with the
// operating point in a box of the page, drawn by the nomogram window's chart
// (Addons.h); without the module that draws it, the box says so.
#pragma once

#include <QRectF>

namespace millcalc {

class SheetLayout;
struct CalculationSheet;

void paintNomogram(SheetLayout& layout, const QRectF& box, const CalculationSheet& sheet);

} // namespace millcalc
