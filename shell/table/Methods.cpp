#include "shell/table/Methods.h"

#include "app/CutterDeflection.h"
#include "app/FieldStore.h"
#include "app/Form.h"
#include "machines/MachineTable.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <stdexcept>
#include <string>

namespace millcalc {

namespace {

using L = LimitKind;

const FieldCaption* findCaption(std::span<const FieldCaption> table, std::string_view field)
{
    for (const FieldCaption& entry : table) {
        if (field == entry.field)
            return &entry;
    }
    return nullptr;
}

} // namespace

const Method* methodAt(int page)
{
    const std::span<const Method> rows = methods();
    return page >= 0 && static_cast<std::size_t>(page) < rows.size()
        ? &rows[static_cast<std::size_t>(page)]
        : nullptr;
}

int pageOf(const Method& method)
{
    return static_cast<int>(&method - methods().data());
}

const Method* activeMethod(const FieldStore& store)
{
    return methodAt(store.index("PageControlMethods"));
}

const FieldCaption& fieldCaption(std::string_view field)
{
    for (const Method& method : methods()) {
        for (const auto table : { method.inputs, method.results }) {
            if (const FieldCaption* found = findCaption(table, field))
                return *found;
        }
        for (const CoefficientGroup& group : method.coefficients) {
            if (const FieldCaption* found = findCaption(group.coefficients, field))
                return *found;
        }
    }
    if (const FieldCaption* found = findCaption(sheetHeaderCaptions(), field))
        return *found;
    throw std::out_of_range("no caption for the field " + std::string(field));
}

const LimitCheck* checkOf(const Method& method, std::string_view field)
{
    for (const LimitCheck& check : method.checks) {
        if (field == check.field)
            return &check;
    }
    return nullptr;
}

double limitOf(const Form& form, const Method& method, LimitKind kind)
{
    if (method.ownLimit != nullptr) {
        const double own = method.ownLimit(form, kind);
        if (own >= 0)
            return own;
    }
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
    case L::Deflection:
        return method.deflection != nullptr ? deflectionLimitMm(form.store(), *method.deflection)
                                            : 0;
    // The limits of a method's own (the spindle load, the part's temperature)
    // are none elsewhere.
    case L::SpindleLoad:
    case L::Temperature:
    case L::None:
        break;
    }
    return 0;
}

double heldLimit(const Form& form, const Method& method, LimitKind kind)
{
    const double limit = limitOf(form, method, kind);
    const double cutter = kind == L::SpindleSpeed && method.cutter.chooser != nullptr
        ? form.cutterSpeedLimit(method.cutter.chooser)
        : 0;
    if (!(cutter > 0))
        return limit;
    return limit > 0 ? std::min(limit, cutter) : cutter;
}

bool cutterSpeedBinds(const Form& form, const Method& method)
{
    const double cutter
        = method.cutter.chooser != nullptr ? form.cutterSpeedLimit(method.cutter.chooser) : 0;
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
