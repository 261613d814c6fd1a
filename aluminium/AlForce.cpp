#include "aluminium/AlForce.h"

#include "aluminium/AlFormulaPanel.h"
#include "aluminium/AlGeometry.h"
#include "aluminium/AlStepSupport.h"
#include "app/Controls.h"
#include "app/Form.h"
#include "app/NumberText.h"
#include "machines/MachineTable.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

namespace millcalc {

namespace {

// The grid's rows: the heading, the speed row and a band a row; six bands
// (the built-in table's) at the least.
constexpr int kLoadGridRows = 8;
constexpr int kLoadGridFixedRows = 2;

constexpr const char* kForceCaption = "Предупреждение..(Расчет Pz).";

const PositiveCheck kForceCoefficients[] = {
    { "EditTkoef4", defaultCoefficient("EditTkoef4"), 2,
        "Ошибка задания k4<=0 (Расчет P)-> исправлено...." },
    { "EditTX4", defaultCoefficient("EditTX4"), 3,
        "Ошибка задания x4<=0 (Расчет P)-> исправлено...." },
    { "EditTY4", defaultCoefficient("EditTY4"), 3,
        "Ошибка задания y4<=0 (Расчет P)-> исправлено...." },
    { "EditTZ4", defaultCoefficient("EditTZ4"), 3,
        "Ошибка задания z4<=0 (Расчет P)-> исправлено...." },
    { "EditTsm2", defaultCoefficient("EditTsm2"), 3,
        "Ошибка задания m2<=0 (Расчет P)-> исправлено...." },
};

// The band row: "2.00 • 0.70  =1.40" (two blanks before "=").
std::string bandText(const SpindleLoadBand& band, double efficiency)
{
    return formatFixed(band.factor, 2) + " • " + formatFixed(efficiency, 2) + "  ="
        + formatFixed(band.factor * efficiency, 2);
}

void writeBandRow(FieldStore& store, int row, const SpindleLoadBand& band, double efficiency)
{
    store.setCell("StringGridP", 0, row, formatFixed(band.topSpeedRpm, 0));
    store.setCell("StringGridP", 1, row, bandText(band, efficiency));
}

// Makes the grid as long as the machine's table needs, its cells kept.
int fitLoadGrid(FieldStore& store, std::size_t bands)
{
    const int rows = std::max(kLoadGridRows, static_cast<int>(bands) + kLoadGridFixedRows);
    const Field& grid = store.field("StringGridP");
    if (grid.rows != rows) {
        std::vector<std::string> cells;
        for (int row = 0; row < rows; ++row) {
            for (int column = 0; column < grid.columns; ++column)
                cells.push_back(row < grid.rows ? store.cell("StringGridP", column, row) : "");
        }
        std::vector<Rgb> colours(cells.size(), colours::Black);
        store.setGrid("StringGridP", grid.columns, rows, std::move(cells), std::move(colours));
    }
    return rows;
}

void writeSpeedRow(
    Form& form, int row, double spindleSpeed, double loadKn, double efficiency, double factor)
{
    FieldStore& store = form.store();
    store.setCell("StringGridP", 0, row, "n=" + formatFixed(spindleSpeed, 0));
    store.setCell("StringGridP", 1, row,
        "P=" + formatFixed(loadKn, 3) + " • " + formatFixed(efficiency, 2) + "="
            + formatFixed(loadKn * efficiency, 3));
    // A load equal to the permissible one is not an overload.
    if (factor * efficiency < loadKn) {
        form.ResultColour("EditPz", colours::Red);
        form.LogMessage("Превышение допустимой силовой нагрузки на шпиндель (Расчет Pz)....");
    }
}

void checkSpindleLoad(Form& form, const std::vector<SpindleLoadBand>& bands, double force,
    double spindleSpeed, double efficiency)
{
    FieldStore& store = form.store();
    const double loadKn = force * 0.001;
    const int rows = fitLoadGrid(store, bands.size());
    for (int row = 1; row < rows; ++row) {
        store.setCell("StringGridP", 0, row, "");
        store.setCell("StringGridP", 1, row, "");
    }
    // The speed row stands above the first band that holds the speed.
    int row = 1;
    bool below = true; // the speed lies above every band before this one
    for (const SpindleLoadBand& band : bands) {
        if (below && spindleSpeed <= band.topSpeedRpm) {
            writeSpeedRow(form, row++, spindleSpeed, loadKn, efficiency, band.factor);
            below = false;
        }
        writeBandRow(store, row++, band, efficiency);
    }
    // Above the top band the top band's factor holds.
    if (below)
        writeSpeedRow(form, row, spindleSpeed, loadKn, efficiency, bands.back().factor);
    form.ShowPanel("PanelForestP");
}

} // namespace

int CalcAlPz(Form& form)
{
    const MachineRecord& machine = selectedMachine(form);
    FieldStore& store = form.store();
    const auto g = CheckAlGeometry(form, true);
    if (!g)
        return kStepStopped;
    const double efficiency = store.real("ComboBoxTkpd");
    const auto [k4, x4, y4, z4, m2] = readPositives(form, kForceCoefficients);
    double sz = store.real("EditSz");
    if (!(sz > 0)) {
        sz = 0.0;
        form.CorrectField("EditSz", formatFixed(sz, 3));
        form.LogMessage("Ошибка задания Sz<=0 (Расчет Pz)....");
    }
    const double spindleSpeed = store.real("Editn");
    if (!(spindleSpeed > 0)) {
        form.CorrectField("Editn", formatFixed(0.0, 3));
        const char* message = "Ошибка задания n<=0 (Расчет Pz)....";
        form.LogMessage(message);
        form.WarningBox(message);
        return kStepStopped;
    }
    markSpindleSpeed(form, "Editn", spindleSpeed, machine, "Превышение числа оборотов (Расчет Pz)");
    form.markAgainstCutterSpeed("Editn", spindleSpeed, kAluminiumCutter,
        std::string(kCutterSpeedExceeded) + " (Расчет Pz)");
    if (!(sz > kLeastFeedPerTooth)) {
        form.LogMessage(kFeedZeroMessage);
        form.WarningBox(kFeedZeroMessage, kForceCaption);
        return kStepStopped;
    }
    const double force = k4 * std::pow(g->t, x4) * std::pow(sz, y4) * std::pow(g->D, z4)
        / std::pow(spindleSpeed, m2);
    if (reportNotFinite(form, force, "Pz"))
        return kStepStopped;
    store.setText("EditPz", formatFixed(force, 2));
    form.ResultColour("EditPz", colours::Green);
    store.setVisible("PanelForestP", false);
    if (machine.HasSpindleLoadTable())
        checkSpindleLoad(form, machine.SpindleLoad, force, spindleSpeed, efficiency);
    return kStepDone;
}

double permissibleSpindleLoadKn(
    const MachineRecord& machine, double spindleSpeed, double efficiency)
{
    if (!machine.HasSpindleLoadTable())
        return -1;
    for (const SpindleLoadBand& band : machine.SpindleLoad) {
        if (spindleSpeed <= band.topSpeedRpm)
            return band.factor * efficiency;
    }
    return machine.SpindleLoad.back().factor * efficiency;
}

void createLoadGrid(Form& form)
{
    FieldStore& store = form.store();
    store.setCell("StringGridP", 0, 0, " n (об/мин)");
    store.setCell("StringGridP", 1, 0, " P (кН)");
    store.setCell("StringGridP", 0, 1, "....");
    store.setCell("StringGridP", 1, 1, "....");
    const double efficiency = store.real("ComboBoxTkpd");
    // The table of the selected machine, else of the park's first that has one.
    const MachineTable& machines = machinesOf(form);
    const auto withTable = std::find_if(machines.begin(), machines.end(),
        [](const MachineRecord& m) { return m.HasSpindleLoadTable(); });
    const MachineRecord& machine
        = selectedMachine(form).HasSpindleLoadTable() || withTable == machines.end()
        ? selectedMachine(form)
        : *withTable;
    fitLoadGrid(store, machine.SpindleLoad.size());
    int row = 2;
    for (const SpindleLoadBand& band : machine.SpindleLoad)
        writeBandRow(store, row++, band, efficiency);
}

} // namespace millcalc
