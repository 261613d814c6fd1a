// Every control of the main window, its panels and the program's windows, as the
// window designer leaves them before the creation step runs.
#pragma once

#include <string>
#include <vector>

namespace millcalc {

class FieldStore;

void declareControls(FieldStore& store);

// The item lists that several controls share.
const std::vector<std::string>& diameterItems();
const std::vector<std::string>& teethItems();

// The captions of the method pages, in page order.
inline constexpr const char* kWalterPageCaption = "Фрезерование (Walter)";
inline constexpr const char* kAluminiumPageCaption = "ТР (Сплавы Алюминия)...";
inline constexpr const char* kTitaniumPageCaption = "ТР (Сплавы Титана)...";

// The cutter choosers of the method pages, in page order: item 0 is "—",
// then the cutter library in its order.
inline constexpr const char* kWalterCutter = "ComboBoxStCutter";
inline constexpr const char* kAluminiumCutter = "ComboBoxAlCutter";
inline constexpr const char* kTitaniumCutter = "ComboBoxTiCutter";
inline constexpr const char* kNoCutter = "—";
// Logged where n reaches the chosen cutter's maximum spindle speed.
inline constexpr const char* kCutterSpeedExceeded = "Превышение максимальных оборотов фрезы";

inline constexpr const char* kMachinesPanelCaption = "Сравнение станков";

} // namespace millcalc
