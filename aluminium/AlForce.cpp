#include "aluminium/AlForce.h"

#include "aluminium/AlFormulaPanel.h"
#include "aluminium/AlGeometry.h"
#include "aluminium/AlStepSupport.h"
#include "app/Controls.h"
#include "app/Form.h"
#include "app/NumberText.h"
#include "machines/MachineTable.h"

#include <cmath>
#include <string>

namespace millcalc {

namespace {

struct SpindleLoadBand {
    double topSpeedRpm; // the band holds the speeds above the previous top up to this
    const char* speedText;
    double factor; // permissible load per unit of efficiency, kN
    const char* factorText;
};

// The permissible spindle load by speed band, of the machines whose record
// says that they have one.
constexpr SpindleLoadBand kSpindleLoadBands[] = {
    { 6000, "6000", 2.00, "2.00" },
    { 8000, "8000", 1.70, "1.70" },
    { 10000, "10000", 1.50, "1.50" },
    { 12000, "12000", 1.35, "1.35" },
    { 15000, "15000", 1.25, "1.25" },
    { 18000, "18000", 1.20, "1.20" },
};
// Above the top band the factor of the top band holds.
constexpr double kAboveTopBandFactor = 1.20;
constexpr double kTopBandSpeedRpm = 18000;
constexpr int kLoadGridRows = 8;

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
    return std::string(band.factorText) + " • " + formatFixed(efficiency, 2) + "  ="
        + formatFixed(band.factor * efficiency, 2);
}

void writeBandRow(FieldStore& store, int row, const SpindleLoadBand& band, double efficiency)
{
    store.setCell("StringGridP", 0, row, band.speedText);
    store.setCell("StringGridP", 1, row, bandText(band, efficiency));
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

void checkSpindleLoad(Form& form, double force, double spindleSpeed, double efficiency)
{
    FieldStore& store = form.store();
    const double loadKn = force * 0.001;
    for (int row = 1; row < kLoadGridRows; ++row) {
        store.setCell("StringGridP", 0, row, "");
        store.setCell("StringGridP", 1, row, "");
    }
    // The speed row stands above the first band that holds the speed.
    int row = 1;
    bool below = true; // the speed lies above every band before this one
    for (const SpindleLoadBand& band : kSpindleLoadBands) {
        if (below && spindleSpeed <= band.topSpeedRpm) {
            writeSpeedRow(form, row++, spindleSpeed, loadKn, efficiency, band.factor);
            below = false;
        }
        writeBandRow(store, row++, band, efficiency);
    }
    if (spindleSpeed > kTopBandSpeedRpm)
        writeSpeedRow(form, row, spindleSpeed, loadKn, efficiency, kAboveTopBandFactor);
    form.ShowPanel("PanelForestP");
}

} // namespace

int CalcAlPz(Form& form)
{
    const MachineRecord& machine = selectedMachine(form.store());
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
    form.markAgainstLimit(
        "Editn", spindleSpeed, machine.MaxSpindleSpeed, "Превышение числа оборотов (Расчет Pz)");
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
    if (machine.HasSpindleLoadTable)
        checkSpindleLoad(form, force, spindleSpeed, efficiency);
    return kStepDone;
}

double permissibleSpindleLoadKn(int machineRow, double spindleSpeed, double efficiency)
{
    if (machineRow < 0 || machineRow >= kMachineCount
        || !machineTable()[static_cast<std::size_t>(machineRow)].HasSpindleLoadTable)
        return -1;
    for (const SpindleLoadBand& band : kSpindleLoadBands) {
        if (spindleSpeed <= band.topSpeedRpm)
            return band.factor * efficiency;
    }
    return kAboveTopBandFactor * efficiency;
}

void createLoadGrid(Form& form)
{
    FieldStore& store = form.store();
    store.setCell("StringGridP", 0, 0, " n (об/мин)");
    store.setCell("StringGridP", 1, 0, " P (кН)");
    store.setCell("StringGridP", 0, 1, "....");
    store.setCell("StringGridP", 1, 1, "....");
    const double efficiency = store.real("ComboBoxTkpd");
    int row = 2;
    for (const SpindleLoadBand& band : kSpindleLoadBands)
        writeBandRow(store, row++, band, efficiency);
}

} // namespace millcalc
