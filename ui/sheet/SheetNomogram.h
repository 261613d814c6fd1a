// The nomogram on the calculation sheet: the machine's curves with the
// operating point in a box of the page, drawn by the nomogram window's chart
// (Addons.h); without the module that draws it, the box says so.
#pragma once

#include "shell/nomogram/Graphic.h"
#include "ui/addons/Addons.h"

#include <QRectF>

#include <array>
#include <vector>

namespace millcalc {

class SheetLayout;
struct CalculationSheet;

// The series of a nomogram (Series1 ... Series4) as the chart takes them: the
// sheet's and the nomogram window's.
NomogramChart::Points chartPoints(const std::array<std::vector<ChartPoint>, 4>& series);

void paintNomogram(SheetLayout& layout, const QRectF& box, const CalculationSheet& sheet);

} // namespace millcalc
