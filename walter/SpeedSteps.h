// The Walter groups "Обороты , Скорость резания" and "Подача": cutting speed
// from a typed spindle speed, feed per tooth from a typed table feed, and the
// opposite directions that the full calculation takes.
#pragma once

namespace millcalc {

// The Walter page's cutter chooser.
inline constexpr const char* kWalterCutter = "ComboBoxStCutter";

class Form;

inline constexpr const char* kSpindleSpeedExceeded = "Превышение числа оборотов";
inline constexpr const char* kFeedExceeded = "Превышение максимального лимита рабочей подачи";

// The step of BitBtnSt1: Vc from BaseD and the n typed into EditStn. Returns 0,
// or -1 when it stopped.
int WalterCuttingSpeed(Form& form);

// n from D and the wanted Vc (both already checked greater than 0), written
// with its spindle-speed mark, and Vc back from the unrounded n. Returns the
// unrounded n, or -1 when a value overflowed and the step stopped.
double WalterSpindleSpeed(Form& form, double D, double Vc);

// The step of BitBtnSt4: fz from the Vf typed into EditStVf, BaseZ and EditStn.
// Returns 0, or -1 when it stopped.
int WalterFeedPerTooth(Form& form);

// Vf from the wanted fz, z and the unrounded n, written with its feed mark,
// and fz back from the unrounded Vf. Returns 0, or -1 when it stopped.
int WalterTableFeed(Form& form, double fz, int z, double n);

} // namespace millcalc
