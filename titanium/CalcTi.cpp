#include "titanium/Titanium.h"

#include "app/Controls.h"
#include "app/Form.h"
#include "app/NumberText.h"
#include "app/Passes.h"
#include "machines/MachineTable.h"
#include "titanium/TitaniumFormulas.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <string>
#include <utility>

namespace millcalc {

namespace {

using titanium::TitaniumInputs;
using titanium::TitaniumResults;
using titanium::writeMarked;

struct InputCheck {
    const char* field;
    bool whole; // the tooth count reads as a whole number
    double suggestion; // written back when the value is not above 0
    int decimals;
    const char* message;
};

constexpr std::array<InputCheck, 6> kInputChecks = { {
    { "BaseTiD", false, 25.0, 3, "Ошибка задания 'диаметра инструмента' - D" },
    { "BaseTiZ", true, 3.0, 0, "Ошибка задания 'Числа зубьев' - z" },
    { "BaseTiB", false, 5.0, 2, "Ошибка задания 'Ширины реза' - B" },
    { "BaseTiT", false, 2.5, 3, "Ошибка задания 'Глубина реза' - t" },
    { "BaseTiL", false, 10.0, 2, "Ошибка задания 'Вылет инструмента - длина' - L" },
    { "BaseTihz", false, 0.3, 2, "Ошибка задания - Критерий затупления, hz" },
} };
enum InputSlot { SlotD, SlotZ, SlotB, SlotT, SlotL, SlotHz };

constexpr double kOverhangRuleMm = 10.0;
constexpr const char* kOverhangRuleMessage
    = "Разность (L-B)=(длины реж части - ширины фрезерования)не должна превышать 10мм - по "
      "рекомендации";
constexpr const char* kOverhangBeyondTableMessage
    = "Вылет инструмента L/D больше табличного - принят коэффициент Kf4=0.6";

// Reads and checks the six numeric inputs in order; the first bad one gets a
// suggestion written back and stops the run before the later ones are read.
bool readInputs(Form& form, std::array<double, kInputChecks.size()>& values)
{
    FieldStore& store = form.store();
    for (std::size_t i = 0; i < kInputChecks.size(); ++i) {
        const InputCheck& check = kInputChecks[i];
        values[i] = check.whole ? store.whole(check.field) : store.real(check.field);
        if (values[i] > 0)
            continue;
        form.CorrectField(check.field,
            check.whole ? formatWhole(static_cast<int>(check.suggestion))
                        : formatFixed(check.suggestion, check.decimals));
        form.WarningBox(check.message);
        return false;
    }
    return true;
}

// A result that overflows or divides by zero (extreme inputs, or no tool life
// selected) is reported instead of being shown as "inf" or "nan".
const char* firstNotFinite(const TitaniumResults& r)
{
    const std::pair<double, const char*> values[] = {
        { r.fz, "подача на зуб fz" },
        { r.V, "скорость резания V" },
        { r.n, "обороты шпинделя n" },
        { r.F, "подача резания F" },
        { r.Px, "сила резания Px" },
        { r.Py, "сила резания Py" },
        { r.P, "сила резания P" },
        { r.Mz, "момент Mz" },
        { r.Nct, "мощность резания Nct" },
        { r.Vs, "скорость резания V (деталь малой жесткости)" },
        { r.ns, "обороты шпинделя n (деталь малой жесткости)" },
        { r.Fs, "подача резания F (деталь малой жесткости)" },
        { r.Ncts, "мощность резания Nct (деталь малой жесткости)" },
    };
    for (const auto& [value, label] : values) {
        if (!std::isfinite(value))
            return label;
    }
    return nullptr;
}

} // namespace

namespace titanium {

void writeMarked(Form& form, std::string_view field, const std::string& text, double value,
    double limit, Rgb neutral, std::string_view message)
{
    form.store().setText(field, text);
    form.markAgainstLimit(field, value, limit, message, neutral);
}

} // namespace titanium

int CalcTi(Form& form)
{
    FieldStore& store = form.store();
    const MachineRecord& machine = selectedMachine(form);
    // t is the depth per pass; the passes only go on the card.
    readPasses(form, "BaseTiPasses");

    std::array<double, kInputChecks.size()> values {};
    if (!readInputs(form, values))
        return -1;

    TitaniumInputs in;
    in.diameterMm = values[SlotD];
    in.teeth = static_cast<int>(values[SlotZ]);
    in.widthMm = values[SlotB];
    in.depthMm = values[SlotT];
    in.overhangMm = values[SlotL];
    in.wearMm = values[SlotHz];

    if (std::fabs(in.overhangMm - in.widthMm) > kOverhangRuleMm)
        form.LogMessage(kOverhangRuleMessage);

    in.toolLifeMin = store.real("ComboBoxTiTime");
    in.alloy = store.index("ComboBoxTiMaterial");
    in.toolMaterial = store.index("RadioGroupTiMaterial");
    in.surface = store.index("RadioGroupTiSurface");
    in.skin = store.index("RadioGroupTiSkin");
    in.coolant = store.index("RadioGroupTiCoolnt");
    in.direction = store.index("RadioGroupTiDirection");
    in.partType = store.index("RadioGroupTiTypeDetal");
    in.forceChoice = store.index("RadioGroupTiPz");
    // The forces use the coefficients as their fields show them.
    in.cx = store.whole("EditTiPxcoeff");
    in.cy = store.whole("EditTiPycoeff");

    // Everything is computed before anything is written, so a value that cannot
    // be shown leaves all results of the last run in place together.
    const TitaniumResults r = titanium::computeTitanium(in);
    if (r.factors.overhangBeyondTable)
        form.LogMessage(kOverhangBeyondTableMessage);

    if (const char* label = firstNotFinite(r)) {
        const std::string message = std::string("Ошибка расчета - ") + label
            + " не вычисляется (бесконечное или неопределенное значение): проверьте исходные "
              "данные";
        form.LogMessage(message);
        form.WarningBox(message);
        return -1;
    }

    store.setText("EditTifz", formatFixed(r.fz, 5));
    store.setText("EditTiVc", formatFixed(r.V, 3));
    store.setText("EditTin", formatFixed(r.n, 3));
    markSpindleSpeed(form, "EditTin", r.n, machine, "Превышение числа оборотов");
    form.markAgainstCutterSpeed("EditTin", r.n, kTitaniumCutter, kCutterSpeedExceeded);
    writeMarked(form, "EditTiF", formatFixed(r.F, 2), r.F, machine.MaxFeed, colours::Green,
        "Превышение максимального лимита рабочей подачи");

    store.setText("EditTiPx", formatFixed(r.Px, 2));
    store.setText("EditTiPy", formatFixed(r.Py, 2));
    store.setText("EditTiP", formatFixed(r.P, 2));
    RadioGroupTiPzClick(form);

    writeMarked(form, "EditTiMz", formatFixed(r.Mz, 2), r.Mz, machine.MaxTorque, colours::Green,
        "Превышение максимального момента резания (Расчет Mz)");
    writeMarked(form, "EditTiNct", formatFixed(r.Nct, 2), r.Nct, machine.MaxPower, colours::Green,
        "Превышение мощности оборудования");

    store.setText("EditTiVsmall", formatFixed(r.Vs, 3));
    store.setText("EditTinsmall", formatFixed(r.ns, 3));
    markSpindleSpeed(form, "EditTinsmall", r.ns, machine,
        "ДЕТАЛЬ МАЛОЙ ЖЕСТКОСТИ-Превышение числа оборотов", colours::Black);
    form.markAgainstCutterSpeed("EditTinsmall", r.ns, kTitaniumCutter,
        std::string("ДЕТАЛЬ МАЛОЙ ЖЕСТКОСТИ-") + kCutterSpeedExceeded);
    writeMarked(form, "EditTiFsmall", formatFixed(r.Fs, 2), r.Fs, machine.MaxFeed, colours::Black,
        "ДЕТАЛЬ МАЛОЙ ЖЕСТКОСТИ-Превышение максимального лимита рабочей подачи");
    writeMarked(form, "EditTiNctsmall", formatFixed(r.Ncts, 2), r.Ncts, machine.MaxPower,
        colours::Black, "ДЕТАЛЬ МАЛОЙ ЖЕСТКОСТИ-Превышение мощности оборудования");
    // Last, so its line follows every line the run logged above.
    CalcDeflection(form, titaniumDeflection());
    return 0;
}

} // namespace millcalc
