#include "shell/MachineComparison.h"

#include "app/DetachedForm.h"
#include "app/Form.h"
#include "app/NumberText.h"
#include "machines/MachineTable.h"
#include "shell/FitPlanner.h"
#include "shell/Methods.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace millcalc {

namespace {

constexpr const char* kGrid = "StringGridMachines";
constexpr const char* kPanel = "PanelMachines";
constexpr const char* kStopped = "—";
constexpr const char* kNothingLimits = "нет";
constexpr const char* kNothingToFit = "—";
// Shares beyond this are shown as it: a share of a billion per cent says enough.
constexpr double kLargestPercent = 1e9;

LimitShare shareOf(
    const FieldStore& store, const Method& method, const LimitCheck& check, bool cutterBinds)
{
    const double value = store.real(check.field);
    const double limit = limitOf(store, method, check.limit);
    LimitShare share;
    if (!(limit > 0))
        return share;
    share.checked = true;
    share.red = store.colour(check.field) == colours::Red;
    // A speed the cutter's maximum made red counts against the machine only
    // where it reaches the machine's limit too.
    if (share.red && cutterBinds && check.limit == LimitKind::SpindleSpeed)
        share.red = reachesLimit(check.limit, value, limit);
    double percent = std::floor(value / limit * 100);
    if (!(percent < kLargestPercent))
        percent = kLargestPercent;
    // The colour is the program's verdict on the unrounded value; the share,
    // read from the rounded text, is kept on the same side of 100 %.
    percent = share.red ? std::max(percent, 100.0) : std::min(percent, 99.0);
    share.percent = std::max(percent, 0.0);
    return share;
}

std::span<const LimitCheck> checksOf(int method)
{
    const Method* row = methodAt(method);
    return row != nullptr ? row->checks : std::span<const LimitCheck>();
}

void installOpen(Form& form, const char* name)
{
    form.onClick(name, [&form] {
        // A panel that turns visible is refreshed as it does; one shown
        // already is refreshed all the same, as the user asked for it.
        const bool shown = form.store().visible(kPanel);
        form.ShowPanel(kPanel);
        if (shown)
            refreshMachineComparison(form);
    });
}

std::vector<std::string> headingRow(const std::vector<std::string>& symbols)
{
    std::vector<std::string> row { "Станок" };
    row.insert(row.end(), symbols.begin(), symbols.end());
    row.emplace_back("Ограничивает");
    row.emplace_back("Подбор");
    return row;
}

std::vector<std::string> symbolsOf(int method)
{
    std::vector<std::string> symbols;
    for (const LimitCheck& check : checksOf(method))
        symbols.emplace_back(check.symbol);
    return symbols;
}

} // namespace

int runFullCalculation(Form& form, int method)
{
    const Method* row = methodAt(method);
    return row != nullptr ? row->calculate(form) : -1;
}

MachineComparison compareMachines(const Form& form)
{
    MachineComparison result;
    result.method = form.store().index("PageControlMethods");
    result.symbols = symbolsOf(result.method);
    const Method* method = methodAt(result.method);
    const auto checks = checksOf(result.method);
    for (int row = 0; row < kMachineCount; ++row) {
        MachineOutcome& outcome = result.machines[static_cast<std::size_t>(row)];
        outcome.name = machineTable()[static_cast<std::size_t>(row)].MachineName;
        DetachedForm copy(form);
        copy.store().setIndex("TabMach", row);
        if (runFullCalculation(copy.form(), result.method) < 0) {
            outcome.stopped = true;
            continue;
        }
        outcome.cutterBinds = cutterSpeedBinds(copy.form(), *method);
        bool red = outcome.cutterBinds;
        for (const LimitCheck& check : checks) {
            outcome.shares.push_back(shareOf(copy.store(), *method, check, outcome.cutterBinds));
            red = red || outcome.shares.back().red;
        }
        // The fit runs only where something is red: it is the costly part.
        outcome.fit = red ? fitSummary(planFit(copy.form(), *method)) : kNothingToFit;
    }
    return result;
}

void createMachineComparison(Form& form)
{
    const std::vector<std::string> headings
        = headingRow(symbolsOf(form.store().index("PageControlMethods")));
    const int columns = static_cast<int>(headings.size());
    std::vector<std::string> cells = headings;
    cells.resize(static_cast<std::size_t>(columns * (kMachineCount + 1)));
    for (int row = 0; row < kMachineCount; ++row)
        cells[static_cast<std::size_t>((row + 1) * columns)]
            = machineTable()[static_cast<std::size_t>(row)].MachineName;
    std::vector<Rgb> colours(cells.size(), colours::Black);
    form.store().setGrid(kGrid, columns, kMachineCount + 1, std::move(cells), std::move(colours));
    markSelectedMachine(form);
}

void refreshMachineComparison(Form& form)
{
    // Five calculations a refresh: only for a panel someone can see. Opening
    // the panel refreshes it.
    if (!form.store().visible(kPanel))
        return;
    const MachineComparison comparison = compareMachines(form);
    std::vector<std::string> cells = headingRow(comparison.symbols);
    const int columns = static_cast<int>(cells.size());
    std::vector<Rgb> colours(cells.size(), colours::Black);
    for (const MachineOutcome& outcome : comparison.machines) {
        cells.push_back(outcome.name);
        colours.push_back(colours::Black);
        std::string limiting;
        for (std::size_t i = 0; i < comparison.symbols.size(); ++i) {
            if (outcome.stopped) {
                cells.emplace_back(kStopped);
                colours.push_back(colours::Black);
                continue;
            }
            const LimitShare& share = outcome.shares[i];
            cells.push_back(share.checked ? formatFixed(share.percent, 0) + " %" : std::string());
            colours.push_back(share.red ? colours::Red : colours::Black);
            if (share.red)
                limiting += (limiting.empty() ? "" : ", ") + comparison.symbols[i];
        }
        if (outcome.cutterBinds)
            limiting += (limiting.empty() ? "" : ", ") + std::string(kCutterSpeedSymbol);
        cells.emplace_back(outcome.stopped ? kStopped
                : limiting.empty()         ? kNothingLimits
                                           : limiting);
        colours.push_back(colours::Black);
        if (outcome.cutterBinds)
            limiting += (limiting.empty() ? "" : ", ") + std::string(kCutterSpeedSymbol);
        cells.emplace_back(outcome.stopped ? kStopped : outcome.fit);
        colours.push_back(colours::Black);
    }
    form.store().setGrid(kGrid, columns, kMachineCount + 1, std::move(cells), std::move(colours));
    markSelectedMachine(form);
}

void markSelectedMachine(Form& form)
{
    form.store().setCurrentCell(kGrid, 0, selectedMachineIndex(form.store()) + 1);
}

void installMachineComparison(Form& form)
{
    for (const char* name : { "N27", "N28", "BitBtnMachines" })
        installOpen(form, name);
    // However the panel comes into view (its menu items, an arrangement
    // restored at start), it shows the comparison of the inputs as they stand.
    form.store().listen([&form](const std::string& name, Change change) {
        if (change == Change::Visible && name == kPanel && form.store().visible(kPanel))
            refreshMachineComparison(form);
    });
    form.onDoubleClickCell(kGrid, [&form](int, int row) {
        if (row < 1 || row > kMachineCount)
            return;
        // As the user's pick of the machine: its handler shows the machine.
        form.pick("TabMach", row - 1);
    });
}

} // namespace millcalc
