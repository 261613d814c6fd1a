// "Подобрать по станку": lowers the wanted cutting speed and feed per tooth of a
// Walter cut until the selected machine takes it, logs every change, then runs
// the full Walter calculation on the new inputs.
#pragma once

namespace millcalc {

class FormMain;

// The share of a limit that a fitted result stays below, and the least mean
// chip thickness, mm, below which the edge rubs instead of cutting.
inline constexpr double kFitMargin = 0.98;
inline constexpr double kLeastChipThickness = 0.02;

void WalterFitToMachine(FormMain& form);
void BitBtnStFitClick(FormMain& form);
// Attaches the fit to its button and to the results' context menu.
void installMachineFit(FormMain& form);

} // namespace millcalc
