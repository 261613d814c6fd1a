// The contents of the four floating panels: results, aluminium formulas,
// material catalogue and workpiece temperature table.
#pragma once

class QWidget;

namespace millcalc {

QWidget* createResultsPanel();
QWidget* createFormulaPanel();
QWidget* createMaterialPanel();
QWidget* createTemperaturePanel();
QWidget* createMachinesPanel();

} // namespace millcalc
