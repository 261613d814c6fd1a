#include "aluminium/AlTorqueAndPower.h"

#include "aluminium/AlGeometry.h"
#include "aluminium/AlStepSupport.h"
#include "app/CuttingTorque.h"
#include "app/Form.h"
#include "app/NumberText.h"
#include "machines/MachineTable.h"

namespace millcalc {

namespace {

constexpr double kForceReplacementN = 1.0;

} // namespace

int CalcAlMz(Form& form)
{
    const MachineRecord& machine = selectedMachine(form);
    const auto g = CheckAlGeometry(form, false);
    if (!g)
        return kStepStopped;
    // The force is read back from its text, so a force the user typed is used.
    double force = form.store().real("EditPz");
    if (!(force > 0)) {
        force = kForceReplacementN;
        form.CorrectField("EditPz", formatFixed(force, 3));
        form.LogMessage("Ошибка задания 'Силы реза' - Pz -> исправлено....(Расчет Mz)");
    }
    const double torque = cuttingTorqueNm(force, g->D);
    if (reportNotFinite(form, torque, "Mz"))
        return kStepStopped;
    form.markAgainstLimit("EditMz", torque, machine.MaxTorque,
        "Превышение максимального момента резания (Расчет Mz)");
    form.store().setText("EditMz", formatFixed(torque, 2));
    return kStepDone;
}

int CalcAlNp(Form& form)
{
    const MachineRecord& machine = selectedMachine(form);
    FieldStore& store = form.store();
    // A speed not above 0 is only reported; the power is computed from it as read.
    const double speed = store.real("EditV");
    if (!(speed > 0))
        form.LogMessage("Ошибка задания 'Скорости реза' - V (Расчет Мощности) ....");
    double force = store.real("EditPz");
    if (!(force > 0)) {
        force = kForceReplacementN;
        form.CorrectField("EditPz", formatFixed(force, 3));
        form.LogMessage("Ошибка задания 'Силы реза' - Pz (Расчет Мощности) -> исправлено....");
    }
    const double power = force * speed / (1020 * 60);
    if (reportNotFinite(form, power, "Nct"))
        return kStepStopped;
    form.markAgainstLimit("EditNp", power, machine.MaxPower, "Превышение мощности оборудования");
    store.setText("EditNp", formatFixed(power, 2));
    return kStepDone;
}

} // namespace millcalc
