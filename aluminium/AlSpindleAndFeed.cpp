#include "aluminium/AlSpindleAndFeed.h"

#include "aluminium/AlGeometry.h"
#include "aluminium/AlStepSupport.h"
#include "app/Controls.h"
#include "app/Form.h"
#include "app/NumberText.h"
#include "app/Pi.h"
#include "machines/MachineTable.h"

#include <string>

namespace millcalc {

namespace {

constexpr int kTeethReplacement = 4;

} // namespace

int CalcAlSpindleSpeed(Form& form)
{
    const MachineRecord& machine = selectedMachine(form);
    const auto g = CheckAlGeometry(form, false);
    if (!g)
        return kStepStopped;
    // The accepted speed is the shown text of EditV, three decimals.
    double speed = form.store().real("EditV");
    if (!(speed > 0)) {
        speed = 0.0;
        form.LogMessage("Ошибка задания скорости реза (м/мин) V=0   .... (Расчет n)");
    }
    const double spindleSpeed = (speed * 1000) / (kPi * g->D);
    if (reportNotFinite(form, spindleSpeed, "n"))
        return kStepStopped;
    markSpindleSpeed(
        form, "Editn", spindleSpeed, machine, "Превышение числа оборотов   (Расчет n)");
    form.markAgainstCutterSpeed(
        "Editn", spindleSpeed, kAluminiumCutter, std::string(kCutterSpeedExceeded) + " (Расчет n)");
    form.store().setText("Editn", formatFixed(spindleSpeed, 3));
    return kStepDone;
}

int CalcAlTableFeed(Form& form)
{
    const MachineRecord& machine = selectedMachine(form);
    FieldStore& store = form.store();
    int teeth = store.whole("BaseAlZ");
    if (teeth <= 0) {
        teeth = kTeethReplacement;
        form.CorrectField("BaseAlZ", formatWhole(teeth));
        const char* message = "Ошибка задания 'Числа зубьев' - z -> исправлено....";
        form.LogMessage(message);
        form.WarningBox(message);
    }
    double spindleSpeed = store.real("Editn");
    if (!(spindleSpeed > 0)) {
        spindleSpeed = 0.0;
        form.CorrectField("Editn", formatFixed(spindleSpeed, 3));
        form.LogMessage("Ошибка задания n<=0 (Расчет F)....");
    }
    markSpindleSpeed(form, "Editn", spindleSpeed, machine, "Превышение числа оборотов  (Расчет F)");
    form.markAgainstCutterSpeed(
        "Editn", spindleSpeed, kAluminiumCutter, std::string(kCutterSpeedExceeded) + " (Расчет F)");
    double sz = store.real("EditSz");
    if (!(sz > 0)) {
        sz = 0.0;
        form.CorrectField("EditSz", formatFixed(sz, 3));
        form.LogMessage("Ошибка задания Sz<=0 (Расчет F)....");
    }
    // Unlike the other steps, the feed is still computed after this report.
    if (!(sz > kLeastFeedPerTooth)) {
        form.LogMessage(kFeedZeroMessage);
        form.WarningBox(kFeedZeroMessage);
    }
    const double feed = sz * spindleSpeed * teeth;
    if (reportNotFinite(form, feed, "F"))
        return kStepStopped;
    form.markAgainstLimit(
        "EditF", feed, machine.MaxFeed, "Превышение максимальной подачи резания  (Расчет F)");
    store.setText("EditF", formatFixed(feed, 3));
    return kStepDone;
}

} // namespace millcalc
