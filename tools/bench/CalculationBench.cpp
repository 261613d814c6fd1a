// Benchmarks of the three full calculations on a started window against their
// bare formulas and against the formulas with the text hand-over that any
// program showing these results must do, with a summary of the ratios and the
// targets: each full calculation within 20 µs and within 2.5 times its
// formulas with their text hand-over (what the field store may add). Then
// the machine comparison over the built-in park and over fifty machines.
#include "aluminium/Aluminium.h"
#include "app/DetachedForm.h"
#include "machines/MachineTable.h"
#include "shell/FormMain.h"
#include "shell/compare/MachineComparison.h"
#include "support/BareFormulas.h"
#include "support/FiftyMachines.h"
#include "titanium/Titanium.h"
#include "walter/Walter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>

#include <unistd.h>

namespace {

using namespace millcalc;
using namespace millcalc::bench;

// The log keeps every line of every run; empty it now and then so that a
// benchmark of millions of runs does not measure a growing memo.
constexpr std::size_t kLogTrim = 4096;

MachineLimits limitsOf(const MachineRecord& m)
{
    return { m.MaxSpindleSpeed, m.MaxFeed, m.MaxPower, m.MaxTorque, m.CriticalSpindleSpeed };
}

template <std::size_t N>
InputTexts inputTexts(const FieldStore& store, const std::array<const char*, N>& names)
{
    InputTexts texts;
    for (std::size_t i = 0; i < N; ++i)
        texts[i] = store.text(names[i]);
    return texts;
}

// A window after start-up, with the method's page chosen.
struct StartedWindow {
    explicit StartedWindow(int page)
    {
        form.start();
        form.pick("PageControlParam", page);
    }
    // Boxes and windows go nowhere: the window logic alone.
    QuietToolkit toolkit;
    FormMain form { toolkit };
};

template <typename Calculation>
void runCalculation(benchmark::State& state, int page, Calculation calculate)
{
    StartedWindow window(page);
    std::size_t runs = 0;
    for (auto _ : state) {
        calculate(window.form);
        if (++runs % kLogTrim == 0)
            window.form.store().clearLines("ElFlatMemoMes");
    }
}

void WalterCalculateBench(benchmark::State& state)
{
    runCalculation(state, 0, [](FormMain& form) { WalterCalculate(form); });
}

void CalcAluminiumBench(benchmark::State& state)
{
    runCalculation(state, 1, [](FormMain& form) { CalcAluminium(form); });
}

void CalcTiBench(benchmark::State& state)
{
    runCalculation(state, 2, [](FormMain& form) { CalcTi(form); });
}

// The start-up inputs as numbers, for the bare formulas.
WalterInputs walterInputs()
{
    return { 25.0, 3, 15.0, 5.0, 1060.0, 0.1, 90.0, 2.0, 700.01, 0.2501, 0.70 };
}
AluminiumInputs aluminiumInputs()
{
    return { 25.0, 3, 15.0, 5.0, 0.70, 0.04, 0.75, 0.1, 0.22, 0.584, 1097.0, 0.86, 0.81, 0.47, 49.0,
        0.684, 0.548, 0.286, 1.134, 246.0, 0.684, 0.546, 0.168, 0.118 };
}
TitaniumInputs titaniumInputs()
{
    return { 25.0, 3, 15.0, 5.0, 70.0, 0.3, 60.0, 3850, 1040 };
}

template <typename Inputs, typename Formulas>
void runFormulas(benchmark::State& state, Inputs in, Formulas formulas)
{
    const MachineLimits machine = limitsOf(builtInMachines()[0]);
    for (auto _ : state) {
        // The inputs are read afresh each run, as from the fields.
        benchmark::DoNotOptimize(&in);
        benchmark::ClobberMemory();
        auto result = formulas(in, machine);
        benchmark::DoNotOptimize(result);
    }
}

void WalterFormulasBench(benchmark::State& state)
{
    runFormulas(state, walterInputs(), walterFormulas);
}
void AluminiumFormulasBench(benchmark::State& state)
{
    runFormulas(state, aluminiumInputs(), aluminiumFormulas);
}
void TitaniumFormulasBench(benchmark::State& state)
{
    runFormulas(state, titaniumInputs(), titaniumFormulas);
}

template <typename Texts, std::size_t N, typename Formulas>
void runWithTexts(
    benchmark::State& state, int page, const std::array<const char*, N>& names, Formulas formulas)
{
    const StartedWindow window(page);
    const InputTexts in = inputTexts(window.form.store(), names);
    const MachineLimits machine = limitsOf(window.form.machine());
    Texts out;
    for (auto _ : state) {
        formulas(in, machine, out);
        benchmark::DoNotOptimize(out);
    }
}

// The start-up choices: central contact, exact chip thickness; "ВТ20" and the
// first item of every titanium selection but the force (Py).
void walterStartUp(const InputTexts& in, const MachineLimits& machine, WalterTexts& out)
{
    walterWithTexts(in, machine, out);
}
void titaniumStartUp(const InputTexts& in, const MachineLimits& machine, TitaniumTexts& out)
{
    titaniumWithTexts(in, machine, out);
}

void WalterFormulasWithTextsBench(benchmark::State& state)
{
    runWithTexts<WalterTexts>(state, 0, kWalterInputs, walterStartUp);
}
void AluminiumFormulasWithTextsBench(benchmark::State& state)
{
    runWithTexts<AluminiumTexts>(state, 1, kAluminiumInputs, aluminiumWithTexts);
}
void TitaniumFormulasWithTextsBench(benchmark::State& state)
{
    runWithTexts<TitaniumTexts>(state, 2, kTitaniumInputs, titaniumStartUp);
}

// The machine comparison of the aluminium page, as the latency bench opens it
// after each change of the tool's durability: over the built-in park (one
// thread) and over 50 machines of a feed each (up to four threads), every red
// machine with its fit.
void runComparison(benchmark::State& state, MachineTable park)
{
    StartedWindow window(1);
    if (!park.empty())
        window.form.setMachines(std::move(park));
    if (window.form.store().index("PageControlMethods") != 1) {
        state.SkipWithError("the aluminium results are not the page shown");
        return;
    }
    std::size_t runs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        window.form.typeText("BaseAlT", runs++ % 2 == 0 ? "5.5" : "5.0");
        state.ResumeTiming();
        MachineComparison comparison = compareMachines(window.form);
        benchmark::DoNotOptimize(comparison);
    }
}

void CompareMachines5Bench(benchmark::State& state)
{
    runComparison(state, {});
}

void CompareMachines50Bench(benchmark::State& state)
{
    runComparison(state, fiftyMachinesOfTheirOwn());
}

BENCHMARK(WalterCalculateBench)->Name("WalterCalculate");
BENCHMARK(WalterFormulasBench)->Name("WalterFormulas");
BENCHMARK(WalterFormulasWithTextsBench)->Name("WalterFormulasWithTexts");
BENCHMARK(CalcAluminiumBench)->Name("CalcAluminium");
BENCHMARK(AluminiumFormulasBench)->Name("AluminiumFormulas");
BENCHMARK(AluminiumFormulasWithTextsBench)->Name("AluminiumFormulasWithTexts");
BENCHMARK(CalcTiBench)->Name("CalcTi");
BENCHMARK(TitaniumFormulasBench)->Name("TitaniumFormulas");
BENCHMARK(TitaniumFormulasWithTextsBench)->Name("TitaniumFormulasWithTexts");
BENCHMARK(CompareMachines5Bench)->Name("CompareMachines5")->Unit(benchmark::kMillisecond);
BENCHMARK(CompareMachines50Bench)->Name("CompareMachines50")->Unit(benchmark::kMillisecond);

// The bare formulas measure something only if they compute what the program
// computes: after one full calculation on the start-up inputs every result
// field must hold the text that the formulas with their text hand-over give.
template <typename Texts, std::size_t N, std::size_t M, typename Calculation, typename Formulas>
int disagreements(const char* method, int page, const std::array<const char*, N>& inputs,
    const std::array<const char*, M>& fields, Calculation calculate, Formulas formulas)
{
    StartedWindow window(page);
    const InputTexts in = inputTexts(window.form.store(), inputs);
    calculate(window.form);
    Texts expected;
    formulas(in, limitsOf(window.form.machine()), expected);
    int count = 0;
    const FieldStore& store = window.form.store();
    for (std::size_t i = 0; i < M; ++i) {
        if (store.text(fields[i]) != expected[i]) {
            std::fprintf(stderr, "%s: %s shows \"%s\", the formulas give \"%s\"\n", method,
                fields[i], store.text(fields[i]).c_str(), expected[i].c_str());
            ++count;
        }
    }
    // The aluminium's spindle-load table: rows 1 to 7 of StringGridP.
    for (std::size_t i = M; i < expected.size(); ++i) {
        const int column = static_cast<int>((i - M) % 2);
        const int row = 1 + static_cast<int>((i - M) / 2);
        const std::string shown = store.cell("StringGridP", column, row);
        if (shown != expected[i]) {
            std::fprintf(stderr, "%s: StringGridP %d,%d shows \"%s\", the formulas give \"%s\"\n",
                method, column, row, shown.c_str(), expected[i].c_str());
            ++count;
        }
    }
    return count;
}

// Whether a run ended in an error or was skipped: Google Benchmark 1.8 replaced
// the run's flag error_occurred (Debian 12's 1.7) by the state skipped.
template <class Run>
auto runSkipped(const Run& run, int) -> decltype(static_cast<bool>(run.skipped))
{
    return static_cast<bool>(run.skipped);
}

template <class Run> bool runSkipped(const Run& run, long)
{
    return run.error_occurred;
}

// Keeps the median (or the only) real time of each benchmark, in nanoseconds.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal, so that a log file stays readable.
    SummaryReporter()
        : ConsoleReporter(isatty(STDOUT_FILENO) != 0 ? OO_Defaults : OO_Tabular)
    {
    }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (runSkipped(run, 0))
                continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type == Run::RT_Iteration || median) {
                const double ns = run.GetAdjustedCPUTime()
                    * (1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit));
                if (median || medians_.count(run.run_name.function_name) == 0)
                    times_[run.run_name.function_name] = ns;
                if (median)
                    medians_[run.run_name.function_name] = true;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Prints each method's ratios; returns how many targets were missed.
    int summarise() const
    {
        constexpr double kTextsRatio = 2.5;
        struct Method {
            const char* calculation;
            const char* formulas;
        };
        constexpr Method kMethods[] = { { "WalterCalculate", "Walter" },
            { "CalcAluminium", "Aluminium" }, { "CalcTi", "Titanium" } };
        int missed = 0;
        std::printf("\n%-16s %12s %12s %12s %8s %8s  %s\n", "calculation", "full (ns)", "bare (ns)",
            "texts (ns)", "/bare", "/texts", "targets (<=20 us, <=2.5x texts)");
        for (const Method& m : kMethods) {
            const std::string formulas = std::string(m.formulas) + "Formulas";
            const std::string texts = formulas + "WithTexts";
            if (times_.count(m.calculation) == 0 || times_.count(formulas) == 0
                || times_.count(texts) == 0)
                continue;
            const double full = times_.at(m.calculation);
            const double bare = times_.at(formulas);
            const double withTexts = times_.at(texts);
            const bool fast = full <= 20000;
            const bool close = full <= kTextsRatio * withTexts;
            missed += !fast + !close;
            std::printf("%-16s %12.0f %12.0f %12.0f %8.1f %8.1f  %s, %s\n", m.calculation, full,
                bare, withTexts, full / bare, full / withTexts, fast ? "time met" : "time MISSED",
                close ? "ratio met" : "ratio MISSED");
        }
        return missed;
    }

private:
    std::map<std::string, double> times_;
    std::map<std::string, bool> medians_;
};

} // namespace

int main(int argc, char** argv)
{
    int wrong = disagreements<WalterTexts>(
        "Walter", 0, kWalterInputs, kWalterFields, WalterCalculate, walterStartUp);
    wrong += disagreements<AluminiumTexts>(
        "Aluminium", 1, kAluminiumInputs, kAluminiumFields, CalcAluminium, aluminiumWithTexts);
    wrong += disagreements<TitaniumTexts>(
        "Titanium", 2, kTitaniumInputs, kTitaniumFields, CalcTi, titaniumStartUp);
    if (wrong != 0) {
        std::fprintf(stderr, "the bare formulas disagree with the program in %d results\n", wrong);
        return 1;
    }

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.summarise();
    benchmark::Shutdown();
    // Timing targets are reported, not enforced: a busy machine would fail them.
    return 0;
}
