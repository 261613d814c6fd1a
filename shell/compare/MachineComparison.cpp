#include "shell/compare/MachineComparison.h"

#include "app/DetachedForm.h"
#include "app/FieldCaptions.h"
#include "app/Form.h"
#include "app/NumberText.h"
#include "machines/MachineTable.h"
#include "shell/fit/FitPlanner.h"
#include "shell/table/Methods.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <exception>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace millcalc {

namespace {

constexpr const char* kGrid = "StringGridMachines";
constexpr const char* kPanel = "PanelMachines";
constexpr const char* kMachine = "TabMach";
constexpr const char* kStopped = "—";
constexpr const char* kNothingLimits = "нет";
constexpr const char* kNothingToFit = "—";

LimitShare shareOf(
    const Form& form, const Method& method, const LimitCheck& check, bool cutterBinds)
{
    const FieldStore& store = form.store();
    const double value = store.real(check.field);
    const double limit = limitOf(form, method, check.limit);
    LimitShare share;
    if (!(limit > 0))
        return share;
    share.checked = true;
    share.red = store.colour(check.field) == colours::Red;
    // A speed the cutter's maximum made red counts against the machine only
    // where it reaches the machine's limit too.
    if (share.red && cutterBinds && check.limit == LimitKind::SpindleSpeed)
        share.red = reachesLimit(check.limit, value, limit);
    share.percent = limitPercent(value, limit, share.red);
    return share;
}

// Whether the calculations see the two machines alike: the same limits and
// spindle-load table (the curve is only drawn, the name only shown).
bool computesAlike(const MachineRecord& a, const MachineRecord& b)
{
    return a.MaxSpindleSpeed == b.MaxSpindleSpeed && a.MinSpindleSpeed == b.MinSpindleSpeed
        && a.MaxFeed == b.MaxFeed && a.MaxPower == b.MaxPower && a.MaxTorque == b.MaxTorque
        && a.CriticalSpindleSpeed == b.CriticalSpindleSpeed && a.SpindleLoad == b.SpindleLoad;
}

std::span<const LimitCheck> checksOf(const Method* method)
{
    return method != nullptr ? method->checks : std::span<const LimitCheck>();
}

std::vector<std::string> headingRow(const std::vector<std::string>& symbols)
{
    std::vector<std::string> row { "Станок" };
    row.insert(row.end(), symbols.begin(), symbols.end());
    row.emplace_back("Ограничивает");
    row.emplace_back("Подбор");
    return row;
}

std::vector<std::string> symbolsOf(const Method* method)
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

namespace {

// One machine's calculation and, where something is red, its fit, on a copy
// of the form as a fresh copy would be; the fit goes on on the same copy.
void compareOne(Form& copy, int row, const Method* method, std::span<const LimitCheck> checks,
    MachineOutcome& outcome)
{
    copy.store().setIndex("TabMach", row);
    if (method == nullptr || method->calculate(copy) < 0) {
        outcome.stopped = true;
        return;
    }
    outcome.cutterBinds = cutterSpeedBinds(copy, *method);
    bool red = outcome.cutterBinds;
    for (const LimitCheck& check : checks) {
        outcome.shares.push_back(shareOf(copy, *method, check, outcome.cutterBinds));
        red = red || outcome.shares.back().red;
    }
    // The fit runs only where something is red: it is the costly part.
    outcome.fit = red ? fitSummary(planFitOnCopy(copy, *method)) : kNothingToFit;
}

// Below this many machines to compute, one thread does them all.
constexpr std::size_t kRowsForThreads = 8;
constexpr unsigned kMostThreads = 4;

} // namespace

MachineComparison compareMachines(const Form& form)
{
    MachineComparison result;
    result.method = activeMethod(form.store());
    result.symbols = symbolsOf(result.method);
    const Method* method = result.method;
    const auto checks = checksOf(method);
    const MachineTable& machines = machinesOf(form);
    result.machines.resize(machines.size());
    // A shop's identical machines share one calculation and fit: each row
    // computed, or the earlier row whose outcome it takes.
    std::vector<int> computed;
    std::vector<int> twinOf(machines.size(), -1);
    for (std::size_t row = 0; row < machines.size(); ++row) {
        result.machines[row].name = machines[row].MachineName;
        const auto twin
            = std::find_if(machines.begin(), machines.begin() + static_cast<std::ptrdiff_t>(row),
                [&](const MachineRecord& m) { return computesAlike(m, machines[row]); });
        if (twin != machines.begin() + static_cast<std::ptrdiff_t>(row))
            twinOf[row] = static_cast<int>(twin - machines.begin());
        else
            computed.push_back(static_cast<int>(row));
    }
    // A large park on the processors there are: the copies share nothing
    // but the form they read.
    const unsigned threads = computed.size() < kRowsForThreads
        ? 1
        : std::clamp(std::thread::hardware_concurrency(), 1u, kMostThreads);
    std::vector<std::exception_ptr> failures(threads);
    const auto work = [&](unsigned part) {
        try {
            // One copy a thread, brought back to the form's state before each
            // machine but the first: only the fields a machine changed are
            // copied again.
            std::optional<DetachedForm> copy;
            for (std::size_t i = part; i < computed.size(); i += threads) {
                if (copy)
                    copy->resetToCopyOf(form);
                else
                    copy.emplace(form);
                const int row = computed[i];
                compareOne(copy->form(), row, method, checks,
                    result.machines[static_cast<std::size_t>(row)]);
            }
        } catch (...) {
            failures[part] = std::current_exception();
        }
    };
    std::vector<std::thread> helpers;
    for (unsigned part = 1; part < threads; ++part)
        helpers.emplace_back(work, part);
    work(0);
    for (std::thread& helper : helpers)
        helper.join();
    for (const std::exception_ptr& failure : failures) {
        if (failure)
            std::rethrow_exception(failure);
    }
    for (std::size_t row = 0; row < machines.size(); ++row) {
        if (twinOf[row] >= 0) {
            MachineOutcome& outcome = result.machines[row];
            std::string name = std::move(outcome.name);
            outcome = result.machines[static_cast<std::size_t>(twinOf[row])];
            outcome.name = std::move(name);
        }
    }
    return result;
}

void createMachineComparison(Form& form)
{
    const std::vector<std::string> headings = headingRow(symbolsOf(activeMethod(form.store())));
    const int columns = static_cast<int>(headings.size());
    std::vector<std::string> cells = headings;
    const MachineTable& machines = machinesOf(form);
    const int rows = static_cast<int>(machines.size()) + 1;
    cells.resize(static_cast<std::size_t>(columns * rows));
    for (int row = 1; row < rows; ++row)
        cells[static_cast<std::size_t>(row * columns)]
            = machines[static_cast<std::size_t>(row - 1)].MachineName;
    std::vector<Rgb> colours(cells.size(), colours::Black);
    form.store().setGrid(kGrid, columns, rows, std::move(cells), std::move(colours));
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
    const int rows = static_cast<int>(comparison.machines.size()) + 1;
    form.store().setGrid(kGrid, columns, rows, std::move(cells), std::move(colours));
    markSelectedMachine(form);
}

void machinesPanelShown(Form& form, bool already)
{
    if (already)
        refreshMachineComparison(form);
}

void markSelectedMachine(Form& form)
{
    form.store().setCurrentCell(kGrid, 0, selectedMachineIndex(form) + 1);
}

void installMachineComparison(Form& form)
{
    // However the panel comes into view (its menu items, an arrangement
    // restored at start), it shows the comparison of the inputs as they stand.
    form.store().listen([&form](const std::string& name, Change change) {
        if (change == Change::Visible && name == kPanel && form.store().visible(kPanel))
            refreshMachineComparison(form);
    });
    // The machine selected, anew or by the user, is marked in a grid that
    // lists the park.
    form.store().listen([&form](const std::string& name, Change change) {
        if (change == Change::Index && name == kMachine
            && form.store().field(kGrid).rows > static_cast<int>(machinesOf(form).size()))
            markSelectedMachine(form);
    });
    form.onCalculation([&form](const CalculationNotice& notice) {
        if (notice.cause == CalculationNotice::Cause::Park)
            createMachineComparison(form);
        refreshMachineComparison(form);
    });
    form.onDoubleClickCell(kGrid, [&form](int, int row) {
        if (row < 1 || row > static_cast<int>(machinesOf(form).size()))
            return;
        // As the user's pick of the machine: its handler shows the machine.
        form.pick(kMachine, row - 1);
    });
}

} // namespace millcalc
