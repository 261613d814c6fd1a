// Every control of the main window, its panels and the program's windows, as the
// window designer leaves them before the creation step runs.
#pragma once

#include <span>
#include <string>
#include <vector>

namespace millcalc {

class FieldStore;
struct Method;

// The window's own controls, a page under PageControlParam and one under
// PageControlMethods for each method (the blank result page last) and the
// controls each method declares.
void declareControls(FieldStore& store, std::span<const Method> methods);

// The item lists that several controls share.
const std::vector<std::string>& diameterItems();
const std::vector<std::string>& teethItems();

// Item 0 of every cutter chooser; the cutter library follows in its order.
inline constexpr const char* kNoCutter = "—";
// Logged where n reaches the chosen cutter's maximum spindle speed.
inline constexpr const char* kCutterSpeedExceeded = "Превышение максимальных оборотов фрезы";

inline constexpr const char* kMachinesPanelCaption = "Сравнение станков";

} // namespace millcalc
