#include "shell/Methods.h"

#include "aluminium/AlForce.h"
#include "aluminium/AlTemperature.h"
#include "aluminium/Aluminium.h"
#include "aluminium/AluminiumFit.h"
#include "app/Controls.h"
#include "app/FieldStore.h"
#include "app/Form.h"
#include "machines/MachineTable.h"
#include "materials/MaterialCatalogue.h"
#include "titanium/Titanium.h"
#include "titanium/TitaniumFit.h"
#include "walter/Walter.h"
#include "walter/WalterFit.h"

#include <algorithm>
#include <cmath>

namespace millcalc {

namespace {

using L = LimitKind;

// Walter's columns carry the shop's short symbols: F the table feed, N the
// cutting power. Its Pn and M tell what the machine delivers at n, not what
// the cut needs, and are no checks of the cut.
constexpr LimitCheck kWalterChecks[] = {
    { "EditStn", "n", L::SpindleSpeed },
    { "EditStVf", "F", L::Feed },
    { "EditStP", "N", L::Power },
    { "EditStDefl", "δ", L::Deflection },
};

constexpr LimitCheck kAluminiumChecks[] = {
    { "Editn", "n", L::SpindleSpeed },
    { "EditF", "F", L::Feed },
    // A weaker drive lowers the accepted speed, and the part runs hotter.
    { "EditTm", "T", L::Temperature },
    { "EditPz", "Pz", L::SpindleLoad },
    { "EditMz", "Mz", L::Torque },
    { "EditNp", "Nct", L::Power },
    { "EditAlDefl", "δ", L::Deflection },
};

// The part of low rigidity is checked against the same limits; "мж" tells its
// columns apart.
constexpr LimitCheck kTitaniumChecks[] = {
    { "EditTin", "n", L::SpindleSpeed },
    { "EditTiF", "F", L::Feed },
    { "EditTiMz", "Mz", L::Torque },
    { "EditTiNct", "Nct", L::Power },
    { "EditTiDefl", "δ", L::Deflection },
    { "EditTinsmall", "n мж", L::SpindleSpeed },
    { "EditTiFsmall", "F мж", L::Feed },
    { "EditTiNctsmall", "Nct мж", L::Power },
};

// The material catalogue is the Walter method's: it gives kc1.1 and mc.
void installWalterMethod(Form& form)
{
    installWalter(form);
    installMaterials(form);
}

void createWalterMethod(Form& form)
{
    createWalter(form);
    createMaterials(form);
}

// The formula panel, the temperature table and the spindle-load table are the
// aluminium method's.
void createAluminiumMethod(Form& form)
{
    createAluminiumInputs(form);
    createTemperatureGrid(form);
    createLoadGrid(form);
}

// Built when first asked for, after the caption table it refers to.
const Method* methodRows()
{
    static const Method rows[kMethodCount] = {
        {
            0,
            kWalterPageCaption,
            "Walter",
            installWalterMethod,
            createWalterMethod,
            fillWalter,
            WalterCalculate,
            inputCaptions(0),
            {},
            resultCaptions(0),
            kWalterChecks,
            { "BaseD", "BaseB", "BaseT", "EditStVf", "EditStfz", "EditStn", "EditStVc",
                "BaseStPasses", "EditStWidthPasses" },
            { "EditStn", "EditStPn", "EditStM" },
            &walterFitPlan(),
            &walterDeflection(),
            kWalterCutter,
        },
        {
            1,
            kAluminiumPageCaption,
            "алюминий",
            installAluminium,
            createAluminiumMethod,
            fillAluminium,
            CalcAluminium,
            inputCaptions(1),
            aluminiumCoefficientGroups(),
            resultCaptions(1),
            kAluminiumChecks,
            { "BaseAlD", "BaseAlB", "BaseAlT", "EditF", "EditSz", "Editn", "EditV", "BaseAlPasses",
                "EditAlWidthPasses" },
            { "Editn", "EditNp", "EditMz" },
            &aluminiumFitPlan(),
            &aluminiumDeflection(),
            kAluminiumCutter,
        },
        {
            2,
            kTitaniumPageCaption,
            "титан",
            installTitanium,
            createTitanium,
            fillTitanium,
            CalcTi,
            inputCaptions(2),
            {},
            resultCaptions(2),
            kTitaniumChecks,
            { "BaseTiD", "BaseTiB", "BaseTiT", "EditTiF", "EditTifz", "EditTin", "EditTiVc",
                "BaseTiPasses", "EditTiWidthPasses" },
            { "EditTin", "EditTiNct", "EditTiMz" },
            &titaniumFitPlan(),
            &titaniumDeflection(),
            kTitaniumCutter,
        },
    };
    return rows;
}

} // namespace

std::span<const Method> methods()
{
    return { methodRows(), kMethodCount };
}

const Method* methodAt(int page)
{
    return page >= 0 && page < kMethodCount ? &methodRows()[page] : nullptr;
}

double limitOf(const Form& form, const Method& method, LimitKind kind)
{
    const FieldStore& store = form.store();
    const MachineRecord& machine = selectedMachine(form);
    switch (kind) {
    case L::SpindleSpeed:
        return machine.MaxSpindleSpeed;
    case L::Feed:
        return machine.MaxFeed;
    case L::Power:
        return machine.MaxPower;
    case L::Torque:
        return machine.MaxTorque;
    case L::SpindleLoad: {
        // The force is in N, the permissible load in kN; none (negative) on
        // a machine without the spindle-load table.
        const double load
            = permissibleSpindleLoadKn(machine, store.real("Editn"), store.real("ComboBoxTkpd"));
        return load > 0 ? 1000 * load : 0;
    }
    case L::Temperature:
        return kOverheatTemperature;
    case L::Deflection:
        return method.deflection != nullptr ? deflectionLimitMm(store, *method.deflection) : 0;
    case L::MachineFigure:
    case L::None:
        break;
    }
    return 0;
}

double heldLimit(const Form& form, const Method& method, LimitKind kind)
{
    const double limit = limitOf(form, method, kind);
    const double cutter = kind == L::SpindleSpeed ? form.cutterSpeedLimit(method.cutter) : 0;
    if (!(cutter > 0))
        return limit;
    return limit > 0 ? std::min(limit, cutter) : cutter;
}

bool cutterSpeedBinds(const Form& form, const Method& method)
{
    const double cutter = form.cutterSpeedLimit(method.cutter);
    if (!(cutter > 0))
        return false;
    return std::any_of(method.checks.begin(), method.checks.end(), [&](const LimitCheck& check) {
        return check.limit == L::SpindleSpeed && form.store().real(check.field) >= cutter;
    });
}

bool reachesLimit(LimitKind kind, double value, double limit)
{
    return kind == L::SpindleLoad ? value > limit : value >= limit;
}

double limitPercent(double value, double limit, bool red)
{
    // Shares beyond a billion per cent are shown as it: it says enough.
    constexpr double kLargest = 1e9;
    // A share that is whole in decimals stays whole: 74.1 of 57 is 130 %,
    // not the 129.99999999999997 of its binary quotient.
    constexpr double kBinaryHair = 1e-9;
    double percent = std::floor(value / limit * 100 + kBinaryHair);
    if (!(percent < kLargest))
        percent = kLargest;
    percent = red ? std::max(percent, 100.0) : std::min(percent, 99.0);
    return std::max(percent, 0.0);
}

} // namespace millcalc
