#include "walter/PowerSteps.h"

#include "app/Form.h"
#include "app/NumberText.h"
#include "machines/MachineTable.h"
#include "walter/SpeedSteps.h"
#include "walter/StepReport.h"

#include <cmath>
#include <string>

namespace millcalc {

using walter::writeResult;

namespace {

constexpr const char* kRakeAngleCorrected
    = "Главный передний угол (гамма) - превышает лимит <=-100 || >=+100 -> установлен gamma=2";
constexpr const char* kKc11Corrected = "Коэф материала kc11-> (kc11<=0) - установлен kc11=700. ";
constexpr const char* kMcCorrected = "Коэф материала mc-> (mc<=0 или mc>1) - установлен mc=0.25 ";
// The log line and the box text differ ("<=" and "=", a blank before the first
// line break) as the shop has always seen them.
constexpr const char* kPowerStoppedLog
    = "Расчет мощности резания->Средняя толщина стружки\n hm<=0. \n Расчет прерван.";
constexpr const char* kPowerStoppedBox
    = "Расчет мощности резания->Средняя толщина стружки \n hm=0. \n Расчет прерван.";

// A bad input of these steps is replaced in place, logged, and the step goes on
// with the replacement.
void correctTo(Form& form, const char* field, double value, int decimals, const char* message)
{
    form.CorrectField(field, formatFixed(value, decimals));
    form.LogMessage(message);
}

// Reads a quantity that must be greater than 0; replaces it by 0 otherwise.
double readPositive(Form& form, const char* field, int decimals, const char* message)
{
    const double value = form.store().real(field);
    if (value > 0)
        return value;
    correctTo(form, field, 0, decimals, message);
    return 0;
}

} // namespace

int WalterRemovalRate(Form& form)
{
    const double ap = readPositive(form, "BaseB", 3, "Ошибка задания ширины реза...<=0");
    const double ae = readPositive(form, "BaseT", 3, "Ошибка задания глубины реза...<=0");
    const double Vf = readPositive(form, "EditStVf", 3, "Ошибка задания подачи реза...<=0");

    // mm³/min to cm³/min
    const double Q = ae * ap * Vf * 0.001;
    if (!writeResult(form, "EditStQ", Q, 5, "скорости сьема материала Q"))
        return -1;
    return 0;
}

int WalterPower(Form& form)
{
    FieldStore& store = form.store();
    const MachineRecord& machine = selectedMachine(form);

    const double ap = store.real("BaseB");
    if (!(ap > 0)) {
        form.CorrectField("BaseB", formatFixed(0, 5));
        form.WarningBox("Ошибка задания 'Ширины реза' - ap");
        return -1;
    }
    const double ae = readPositive(form, "BaseT", 5, "Ошибка задания 'Глубина реза' - ae<=0.");
    const double n = readPositive(form, "EditStn", 3, "Число оборотов шпинделя - n<=0.");
    const double hm = readPositive(form, "EditSthm2", 8, "Средняя толщина стружки - hm<=0.");
    const double Vf = readPositive(form, "EditStVf", 5, "Подача резания - vf<=0.");
    // The list offers only the six efficiencies, so it is not checked.
    const double eta = store.real("ComboBoxStkpd");

    double gamma0 = store.real("EditStGamma0");
    if (!(gamma0 > -100) || gamma0 >= 100) {
        gamma0 = 2;
        correctTo(form, "EditStGamma0", gamma0, 2, kRakeAngleCorrected);
    }
    double kc11 = store.real("EditStKc11");
    if (!(kc11 > 0)) {
        kc11 = 700;
        correctTo(form, "EditStKc11", kc11, 3, kKc11Corrected);
    }
    double mc = store.real("EditStMc");
    if (!(mc > 0) || mc > 1) {
        mc = 0.25;
        correctTo(form, "EditStMc", mc, 3, kMcCorrected);
    }

    if (!(hm > 0)) {
        form.LogMessage(kPowerStoppedLog);
        form.WarningBox(kPowerStoppedBox);
        return -1;
    }

    // kc1.1 is corrected by 1 % per degree of rake angle.
    const double kc = (1 - 0.01 * gamma0) * kc11 / std::pow(hm, mc);
    if (!writeResult(form, "EditStKc", kc, 5, "удельной силы резания kc"))
        return -1;

    const double P = ae * ap * Vf * kc / (60000000 * eta);
    if (!writeResult(form, "EditStP", P, 5, "мощности резания P"))
        return -1;
    form.ResultColour("EditStP", colours::Green);
    form.ResultColour("EditStPn", colours::Green);
    if (P >= machine.MaxPower) {
        form.ResultColour("EditStP", colours::Red);
        form.ResultColour("EditStPn", colours::Red);
        form.LogMessage("Превышение мощности станка");
    }

    // The drive gives constant torque up to the critical speed and constant
    // power above it: this is what the machine delivers at n, not what the cut
    // needs.
    constexpr double twoPi = 6.2831852; // 2 · the method's π
    double Pn = 0;
    double M = 0;
    if (n > machine.CriticalSpindleSpeed) {
        Pn = machine.MaxPower;
        M = Pn * 1000 * 60 / (twoPi * n);
    } else {
        M = machine.MaxTorque;
        Pn = M * twoPi * n / 60 * 0.001;
    }

    if (!writeResult(form, "EditStPn", Pn, 5, "мощности станка Pn"))
        return -1;
    form.markAgainstLimit(
        "EditStPn", Pn, machine.MaxPower, "Работа на пределе (или Превышение) - мощности станка");

    if (!writeResult(form, "EditStM", M, 5, "крутящего момента M"))
        return -1;
    form.markAgainstLimit(
        "EditStM", M, machine.MaxTorque, "Работа на пределе (или Превышение) - крутящего момента");
    return 0;
}

} // namespace millcalc
