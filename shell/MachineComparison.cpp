#include "shell/MachineComparison.h"

#include "app/DetachedForm.h"
#include "app/FieldCaptions.h"
#include "app/Form.h"
#include "app/NumberText.h"
#include "machines/MachineTable.h"
#include "shell/FitPlanner.h"
#include "shell/Methods.h"

#include <utility>

namespace millcalc {

namespace {

constexpr const char* kGrid = "StringGridMachines";
constexpr const char* kPanel = "PanelMachines";
constexpr const char* kStopped = "—";
constexpr const char* kNothingLimits = "нет";
constexpr const char* kNothingToFit = "—";

LimitShare shareOf(const FieldStore& store, const Method& method, const LimitCheck& check)
{
    const double value = store.real(check.field);
    const double limit = limitOf(store, method, check.limit);
    LimitShare share;
    if (!(limit > 0))
        return share;
    share.checked = true;
    share.red = store.colour(check.field) == colours::Red;
    share.percent = limitPercent(value, limit, share.red);
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

// What a share of the column is taken of.
const char* limitOfShare(LimitKind kind)
{
    switch (kind) {
    case LimitKind::SpindleSpeed:
        return "наибольшей частоты вращения шпинделя станка";
    case LimitKind::Feed:
        return "наибольшей подачи станка";
    case LimitKind::Power:
        return "мощности привода станка";
    case LimitKind::Torque:
        return "наибольшего крутящего момента станка";
    case LimitKind::SpindleLoad:
        return "допустимой нагрузки на шпиндель станка при этих оборотах";
    case LimitKind::Temperature:
        return "температуры, при которой деталь перегревается";
    case LimitKind::Deflection:
        return "допустимого отжима фрезы, заданного в исходных данных";
    case LimitKind::MachineFigure:
    case LimitKind::None:
        break;
    }
    return "";
}

} // namespace

std::string comparisonHeadingTip(std::string_view heading)
{
    if (heading == "Станок")
        return "Станок, на котором выполнен расчет с теми же исходными данными. "
               "Двойной щелчок по строке выбирает станок";
    if (heading == "Ограничивает")
        return "Результаты, которые на этом станке достигают его предела (красные); "
               "«нет» — ни один";
    if (heading == "Подбор")
        return "Что изменит подбор режимов по этому станку, чтобы ни один результат "
               "не был красным; «—» — менять нечего";
    for (const Method& method : methods()) {
        for (const LimitCheck& check : method.checks) {
            if (heading != check.symbol)
                continue;
            const FieldCaption& result = fieldCaption(check.field);
            return std::string(result.caption != nullptr ? result.caption : check.symbol)
                + ": доля от " + limitOfShare(check.limit)
                + ", в процентах, с округлением вниз; 100 % и более — красным";
        }
    }
    return std::string();
}

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
        bool red = false;
        for (const LimitCheck& check : checks) {
            outcome.shares.push_back(shareOf(copy.store(), *method, check));
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
        cells.emplace_back(outcome.stopped ? kStopped
                : limiting.empty()         ? kNothingLimits
                                           : limiting);
        colours.push_back(colours::Black);
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
