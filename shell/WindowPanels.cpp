#include "shell/WindowPanels.h"

#include "app/Controls.h"
#include "shell/compare/MachineComparison.h"
#include "shell/table/Methods.h"

#include <algorithm>
#include <vector>

namespace millcalc {

namespace {

constexpr const char* kMachinesButtons[] = { "BitBtnMachines" };

// The window's own panels: the results, which a calculation shows, and the
// machine comparison, shown by the button beside the results' tabs.
constexpr Panel kOwnPanels[] = {
    { .name = kResultsPanel, .caption = "Параметры" },
    { .name = "PanelMachines",
        .caption = kMachinesPanelCaption,
        .buttons = kMachinesButtons,
        .helpItem = { "N27", "Панель: С&равнение станков" },
        .contextItem = { "N28", "Панель: &Сравнение станков" },
        .kept = true,
        .shown = machinesPanelShown },
};

} // namespace

std::span<const PanelRow> windowPanels()
{
    static const std::vector<PanelRow> rows = [] {
        std::vector<PanelRow> all;
        for (const Method& method : methods()) {
            for (const Panel& panel : method.panels)
                all.push_back({ &panel, &method });
        }
        for (const Panel& panel : kOwnPanels)
            all.push_back({ &panel, nullptr });
        return all;
    }();
    return rows;
}

const PanelRow* panelRow(std::string_view name)
{
    const std::span<const PanelRow> rows = windowPanels();
    const auto row = std::find_if(
        rows.begin(), rows.end(), [name](const PanelRow& r) { return name == r.panel->name; });
    return row != rows.end() ? &*row : nullptr;
}

} // namespace millcalc
