#include "walter/SpeedSteps.h"

#include "app/Controls.h"
#include "app/Form.h"
#include "app/NumberText.h"
#include "app/Pi.h"
#include "machines/MachineTable.h"
#include "walter/StepReport.h"

namespace millcalc {

using walter::ResultWrite;
using walter::writeResult;

namespace {

constexpr const char* kToothCountError = "Ошибка задания 'Числа зубьев' - z";
constexpr const char* kFeedPerToothStopped = "Расчет подачи на зуб \n n=0. \n Расчет прерван.";

} // namespace

int WalterCuttingSpeed(Form& form)
{
    FieldStore& store = form.store();
    const MachineRecord& machine = selectedMachine(form);

    const double D = store.real("BaseD");
    if (!(D > 0)) {
        form.CorrectField("BaseD", formatFixed(0, 2));
        const char* message = "Ошибка задания 'диаметра инструмента' - D";
        form.LogMessage(message);
        form.WarningBox(message);
        return -1;
    }

    double n = store.real("EditStn");
    if (!(n > 0)) {
        form.CorrectField("EditStn", formatFixed(0, 3));
        form.LogMessage("Ошибка задания оборотов шпинделя...<=0");
        n = 0;
    }

    // Written like a correction so that the focus ends on the cutting speed,
    // also after EditStn was corrected.
    const double Vc = D * kPi * n * 0.001;
    if (!writeResult(form, "EditStVc", Vc, 3, "скорости резания Vc", ResultWrite::Focused))
        return -1;

    markSpindleSpeed(form, "EditStn", n, machine, kSpindleSpeedExceeded);
    form.markAgainstCutterSpeed("EditStn", n, kWalterCutter, kCutterSpeedExceeded);
    return 0;
}

double WalterSpindleSpeed(Form& form, double D, double Vc)
{
    const MachineRecord& machine = selectedMachine(form);

    const double n = Vc * 1000 / (D * kPi);
    if (!writeResult(form, "EditStn", n, 3, "оборотов шпинделя n"))
        return -1;
    markSpindleSpeed(form, "EditStn", n, machine, kSpindleSpeedExceeded);
    form.markAgainstCutterSpeed("EditStn", n, kWalterCutter, kCutterSpeedExceeded);

    const double VcBack = D * kPi * n * 0.001;
    if (!writeResult(form, "EditStVc", VcBack, 3, "скорости резания Vc"))
        return -1;
    return n;
}

int WalterFeedPerTooth(Form& form)
{
    FieldStore& store = form.store();
    const MachineRecord& machine = selectedMachine(form);

    double Vf = store.real("EditStVf");
    if (!(Vf > 0)) {
        form.CorrectField("EditStVf", formatFixed(0, 3));
        Vf = 0;
    }
    form.markAgainstLimit("EditStVf", Vf, machine.MaxFeed, kFeedExceeded);

    const int z = store.whole("BaseZ");
    if (z <= 0) {
        form.CorrectField("BaseZ", formatWhole(0));
        form.WarningBox(kToothCountError);
        return -1;
    }

    const double n = store.real("EditStn");
    if (!(n > 0)) {
        form.CorrectField("EditStn", formatFixed(0, 3));
        form.WarningBox(kFeedPerToothStopped);
        return -1;
    }

    const double fz = Vf / (n * z);
    if (!writeResult(form, "EditStfz", fz, 5, "подачи на зуб fz", ResultWrite::Focused))
        return -1;
    return 0;
}

int WalterTableFeed(Form& form, double fz, int z, double n)
{
    const MachineRecord& machine = selectedMachine(form);

    const double Vf = fz * z * n;
    if (!writeResult(form, "EditStVf", Vf, 2, "подачи Vf"))
        return -1;
    form.markAgainstLimit("EditStVf", Vf, machine.MaxFeed, kFeedExceeded);

    // Only an underflow of the spindle-speed formula leaves n at 0 here.
    if (!(n > 0)) {
        form.WarningBox(kFeedPerToothStopped);
        return -1;
    }

    // The unrounded Vf, so that the shown fz repeats the wanted one.
    const double fzBack = Vf / (n * z);
    if (!writeResult(form, "EditStfz", fzBack, 5, "подачи на зуб fz"))
        return -1;
    return 0;
}

} // namespace millcalc
