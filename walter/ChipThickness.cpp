#include "walter/ChipThickness.h"

#include "app/Form.h"
#include "app/NumberText.h"
#include "app/Pi.h"
#include "walter/SpeedSteps.h"
#include "walter/StepReport.h"

#include <cmath>

namespace millcalc {

using walter::ResultWrite;
using walter::writeResult;

namespace {

// 360/π and 180/π with the method's π, as doubles.
constexpr double kTwiceDegreesPerRadian = 114.59156098088593;
constexpr double kDegreesPerRadian = 57.295780490442965;
// The method's constant of the exact formula (near 360/π, not equal to it).
constexpr double kChipConstant = 114.7;

constexpr int kCentralContact = 0;

constexpr const char* kCutWiderThanCutter
    = "Глубина резания ae больше диаметра фрезы D (ae/D>1) - угол контакта не определен. Расчет "
      "средней толщины стружки прерван.";

// The contact angle φs in degrees for ae <= D.
double contactAngle(int contactItem, double ae, double D)
{
    if (contactItem == kCentralContact)
        return std::asin(ae / D) * kTwiceDegreesPerRadian;
    return 90 + std::asin((ae - 0.5 * D) / (0.5 * D)) * kDegreesPerRadian;
}

} // namespace

int WalterChipThickness(Form& form)
{
    FieldStore& store = form.store();

    const double D = store.real("BaseD");
    if (!(D > 0)) {
        form.CorrectField("BaseD", formatFixed(0, 3));
        form.WarningBox("Ошибка задания 'диаметра инструмента' - D");
        return -1;
    }

    const double ae = store.real("BaseT");
    if (!(ae > 0)) {
        form.CorrectField("BaseT", formatFixed(0, 3));
        form.WarningBox("Ошибка задания 'Глубина реза' - ae");
        return -1;
    }

    double fz = store.real("EditStfz");
    if (!(fz > 0)) {
        form.CorrectField("EditStfz", formatFixed(0, 5));
        form.WarningBox("Ошибка задания 'Подача на зуб' - fz");
        fz = 0;
    }

    // A cut wider than the cutter has no contact angle: both arcsines leave
    // their domain, and hm would be meaningless. The power step must not run on
    // it either, so the step stops here.
    if (ae > D) {
        form.LogMessage(kCutWiderThanCutter);
        form.WarningBox(kCutWiderThanCutter);
        return -1;
    }

    double phi = contactAngle(store.index("ComboBoxStContact"), ae, D);

    const double ratio = ae / D;
    if (!writeResult(form, "EditaeDc", ratio, 2, "отношения ae/D"))
        return -1;

    double hm = 0;
    if (store.checked("CheckBoxhm2")) {
        hm = fz * std::sqrt(ratio);
    } else {
        double kappa = store.real("EditStk");
        if (!(kappa > -180) || kappa >= 180)
            kappa = 90;
        if (!(phi > 0))
            phi = 0.001;
        hm = std::fabs(kChipConstant * fz * std::sin(kappa * kPi / 180) * ratio) / phi;
        store.setText("EditStk", formatFixed(kappa, 5));
    }

    if (!writeResult(form, "EditSthm2", hm, 8, "средней толщины стружки hm", ResultWrite::Focused))
        return -1;
    form.collapseSelection("EditSthm2");
    return 0;
}

void ComboBoxStContactChange(Form& form)
{
    const int item = form.store().index("ComboBoxStContact");
    if (item >= 0)
        form.store().setPicture("Imagevs", item);
}

void CheckBoxhm2Click(Form& form)
{
    FieldStore& store = form.store();
    const bool approximate = store.checked("CheckBoxhm2");
    store.setEnabled("EditStk", !approximate);
    store.setPicture("Imagehm", approximate ? 1 : 0);
}

} // namespace millcalc
