#include "app/CutterDeflection.h"

#include "app/Form.h"
#include "app/NumberText.h"
#include "app/Pi.h"

#include <cmath>
#include <cstddef>
#include <string>

namespace millcalc {

namespace {

constexpr int kDecimals = 4;

constexpr const char* kModelText
    = "Фреза - консольная балка, защемленная в патроне и нагруженная на конце: "
      "δ = F·L³/(3·E·I), I = π·(0.8·D)⁴/64 (рабочая часть - сплошной стержень диаметром "
      "0.8·D); E = 600000 Н/мм² (твердый сплав), 210000 Н/мм² (быстрорежущая сталь); ";

// The inputs that must be above 0, in the order they are named in the log.
struct Required {
    const char* DeflectionModel::* field;
    const char* symbol;
};

constexpr Required kRequired[] = {
    { &DeflectionModel::length, "L" },
    { &DeflectionModel::diameter, "D" },
    { &DeflectionModel::limit, "[δ]" },
};

bool computable(const FieldStore& store, const DeflectionModel& model)
{
    for (const Required& input : kRequired) {
        if (!(store.real(model.*input.field) > 0))
            return false;
    }
    return true;
}

} // namespace

double cutterDeflectionMm(double forceN, double lengthMm, double diameterMm, double modulus)
{
    const double core = kFlutedCoreShare * diameterMm;
    const double inertia = kPi * std::pow(core, 4) / 64;
    return forceN * std::pow(lengthMm, 3) / (3 * modulus * inertia);
}

double deflectionForceN(const FieldStore& store, const DeflectionModel& model)
{
    const CuttingForce& force = model.force;
    double value = store.real(force.field);
    if (force.speed != nullptr) {
        const double speed = store.real(force.speed);
        // No speed yet, no force: the power step has not run.
        value = speed > 0 ? 60000 * value * store.real(force.efficiency) / speed : 0;
    }
    return value > 0 ? value : 0;
}

double deflectionModulus(const FieldStore& store, const DeflectionModel& model)
{
    std::size_t choice = 0;
    if (model.toolMaterial != nullptr) {
        const int index = store.index(model.toolMaterial);
        if (index > 0 && static_cast<std::size_t>(index) < model.moduli.size())
            choice = static_cast<std::size_t>(index);
    }
    return model.moduli[choice];
}

double deflectionLimitMm(const FieldStore& store, const DeflectionModel& model)
{
    return computable(store, model) ? store.real(model.limit) : 0;
}

std::string deflectionModelText(const DeflectionModel& model)
{
    return std::string(kModelText) + model.forceText + ".";
}

int CalcDeflection(Form& form, const DeflectionModel& model)
{
    FieldStore& store = form.store();
    const auto notComputed = [&] {
        store.setText(model.result, formatFixed(0, kDecimals));
        form.ResultColour(model.result, colours::Black);
        return -1;
    };
    bool bad = false;
    for (const Required& input : kRequired) {
        if (store.real(model.*input.field) > 0)
            continue;
        form.LogMessage(std::string("Ошибка задания ") + input.symbol + "<=0 (Расчет отжима)….");
        bad = true;
    }
    if (bad)
        return notComputed();

    const double deflection = cutterDeflectionMm(deflectionForceN(store, model),
        store.real(model.length), store.real(model.diameter), deflectionModulus(store, model));
    if (!std::isfinite(deflection)) {
        form.LogMessage("Переполнение при расчете отжима фрезы δ - значение вне диапазона чисел. "
                        "Проверьте исходные данные.");
        return notComputed();
    }
    const std::string text = formatFixed(deflection, kDecimals);
    store.setText(model.result, text);
    // Held against the limit as shown: δ written 0.0500 at a limit of 0.05 has
    // reached it.
    const double limit = store.real(model.limit);
    const double shown = readReal(text);
    form.ResultColour(model.result, colours::Green);
    if (shown >= limit) {
        form.ResultColour(model.result, colours::Red);
        form.LogMessage("Отжим фрезы δ=" + text + " мм не ниже допустимого "
            + formatFixed(limit, kDecimals) + " мм");
    }
    return 0;
}

} // namespace millcalc
