#include "aluminium/AlFeedAndSpeeds.h"

#include "aluminium/AlFormulaPanel.h"
#include "aluminium/AlGeometry.h"
#include "aluminium/AlStepSupport.h"
#include "app/Form.h"
#include "app/NumberText.h"
#include "machines/MachineTable.h"

#include <cmath>
#include <vector>

namespace millcalc {

namespace {

// Replacements are the В95пчТ2 values of the recommendations.
const PositiveCheck kFeedCoefficients[] = {
    { "EditTkoef1", defaultCoefficient("EditTkoef1"), 3,
        "Ошибка задания k1<=0 (Расчет подачи на зуб)-> исправлено...." },
    { "EditTX1", defaultCoefficient("EditTX1"), 3,
        "Ошибка задания x1<=0 (Расчет подачи на зуб)-> исправлено...." },
    { "EditTY1", defaultCoefficient("EditTY1"), 3,
        "Ошибка задания y1<=0 (Расчет подачи на зуб)-> исправлено...." },
    { "EditTZ1", defaultCoefficient("EditTZ1"), 3,
        "Ошибка задания z1<=0 (Расчет подачи на зуб)-> исправлено...." },
    { "EditTKs", 1.0, 3, "Ошибка задания Ks<=0 (дополнительного коэффициента)-> исправлено...." },
};

const PositiveCheck kHeatingSpeedCoefficients[] = {
    { "EditTkoef2", defaultCoefficient("EditTkoef2"), 2,
        "Ошибка задания k2<=0 (Расчет V1)-> исправлено...." },
    { "EditTX2", defaultCoefficient("EditTX2"), 3,
        "Ошибка задания x2<=0 (Расчет V1)-> исправлено...." },
    { "EditTY2", defaultCoefficient("EditTY2"), 3,
        "Ошибка задания y2<=0 (Расчет V1)-> исправлено...." },
    { "EditTZ2", defaultCoefficient("EditTZ2"), 3,
        "Ошибка задания z2<=0 (Расчет V1)-> исправлено...." },
};

const PositiveCheck kPowerSpeedCoefficients[] = {
    { "EditTkoef3", defaultCoefficient("EditTkoef3"), 2,
        "Ошибка задания k3<=0 (Расчет V2)-> исправлено...." },
    { "EditTX3", defaultCoefficient("EditTX3"), 3,
        "Ошибка задания x3<=0 (Расчет V2)-> исправлено...." },
    { "EditTY3", defaultCoefficient("EditTY3"), 3,
        "Ошибка задания y3<=0 (Расчет V2)-> исправлено...." },
    { "EditTZ3", defaultCoefficient("EditTZ3"), 3,
        "Ошибка задания z3<=0 (Расчет V2)-> исправлено...." },
    { "EditTsm1", defaultCoefficient("EditTsm1"), 3,
        "Ошибка задания m1<=0 (Расчет V2)-> исправлено...." },
};

// Both speed steps read Sz back from its rounded text; they log the same line.
double readFeedPerTooth(Form& form)
{
    const double sz = form.store().real("EditSz");
    if (sz > 0)
        return sz;
    form.CorrectField("EditSz", formatFixed(0.0, 3));
    form.LogMessage("Ошибка задания Sz<=0 (Расчет V1)....");
    return 0.0;
}

void reportFeedZero(Form& form)
{
    form.LogMessage(kFeedZeroMessage);
    form.WarningBox(kFeedZeroMessage);
}

// Writes a candidate speed into its own field and offers it in EditV's list.
void offerSpeed(Form& form, const char* field, double speed)
{
    const std::string text = formatFixed(speed, 3);
    form.store().setText(field, text);
    form.store().appendItem("EditV", text);
}

} // namespace

int CalcAlFeedPerTooth(Form& form)
{
    const auto g = CheckAlGeometry(form, true);
    if (!g)
        return kStepStopped;
    const auto [k1, x1, y1, z1, ks] = readPositives(form, kFeedCoefficients);
    const double a = std::pow(g->D, x1);
    const double b = std::pow(g->t, y1);
    const double cw = std::pow(g->B, z1);
    const double sz = (k1 * a * ks) / (b * cw);
    if (reportNotFinite(form, sz, "Sz=fz"))
        return kStepStopped;
    if (!(sz > kLeastFeedPerTooth)) {
        reportFeedZero(form);
        return kStepStopped;
    }
    form.store().setText("EditSz", formatFixed(sz, 3));
    return kStepDone;
}

int CalcAlSpeedByTemperature(Form& form)
{
    const auto g = CheckAlGeometry(form, true);
    if (!g)
        return kStepStopped;
    const double sz = readFeedPerTooth(form);
    const auto [k2, x2, y2, z2] = readPositives(form, kHeatingSpeedCoefficients);
    const double relativeWidth = g->B / g->D;
    if (!(sz > kLeastFeedPerTooth)) {
        reportFeedZero(form);
        return kStepStopped;
    }
    const double a = std::pow(sz, x2);
    const double b = std::pow(g->t, y2);
    const double cw = std::pow(relativeWidth, z2);
    const double v1 = k2 / (a * b * cw);
    if (reportNotFinite(form, v1, "V1"))
        return kStepStopped;
    offerSpeed(form, "EditV1", v1);
    return kStepDone;
}

int CalcAlSpeedByPower(Form& form)
{
    const MachineRecord& machine = selectedMachine(form);
    const auto g = CheckAlGeometry(form, true);
    if (!g)
        return kStepStopped;
    const double efficiency = form.store().real("ComboBoxTkpd");
    const double sz = readFeedPerTooth(form);
    const auto [k3, x3, y3, z3, m1] = readPositives(form, kPowerSpeedCoefficients);
    const double relativeWidth = g->B / g->D;
    if (!(sz > kLeastFeedPerTooth)) {
        reportFeedZero(form);
        return kStepStopped;
    }
    const double a = std::pow(g->t, x3);
    const double b = std::pow(sz, y3);
    const double cd = std::pow(g->D, z3);
    const double q = (machine.MaxPower * efficiency * relativeWidth * k3) / (a * b * cd);
    const double v2 = std::pow(q, m1);
    if (reportNotFinite(form, v2, "V2"))
        return kStepStopped;
    offerSpeed(form, "EditV2", v2);
    return kStepDone;
}

int CalcAlAcceptedSpeed(Form& form)
{
    FieldStore& store = form.store();
    std::vector<std::string> items = store.items("EditV");
    double least = 0.0;
    bool first = true;
    for (const std::string& item : items) {
        double v = readReal(item);
        if (!(v > 0)) {
            v = 0.0;
            form.LogMessage("Ошибка преобразования V<=0 (Расчет V)....");
        }
        if (first || least > v)
            least = v;
        first = false;
    }
    items.insert(items.begin(), formatFixed(least, 3));
    store.setItems("EditV", std::move(items));
    // The program's own selection: EditVChange answers a user's pick only.
    store.setIndex("EditV", 0);
    return kStepDone;
}

} // namespace millcalc
