#include "aluminium/AlGeometry.h"

#include "aluminium/AlStepSupport.h"
#include "app/Form.h"
#include "app/NumberText.h"

namespace millcalc {

namespace {

constexpr double kDiameterReplacementMm = 30.0;

void correct(Form& form, const char* field, double value, const char* message, bool box)
{
    form.CorrectField(field, formatFixed(value, 3));
    form.LogMessage(message);
    if (box)
        form.WarningBox(message);
}

} // namespace

std::optional<AlGeometry> CheckAlGeometry(Form& form, bool box)
{
    FieldStore& store = form.store();
    AlGeometry g { store.real("BaseAlD"), store.real("BaseAlB"), store.real("BaseAlT") };
    if (!(g.D > 0)) {
        g.D = kDiameterReplacementMm;
        correct(form, "BaseAlD", g.D, "Ошибка задания 'диаметра инструмента' - D -> исправлено....",
            true);
    }
    if (!(g.B > 0)) {
        g.B = 0.5 * g.D;
        correct(form, "BaseAlB", g.B, "Ошибка задания 'Ширины реза' - B -> исправлено....", box);
    }
    if (g.D < g.B)
        form.LogMessage("Диаметр фрезы меньше чем ширина фрезерования 'D<B' !");
    if (!(g.t > 0)) {
        g.t = 0.25 * g.D;
        correct(form, "BaseAlT", g.t, "Ошибка задания 'Глубина реза' - t -> исправлено....", box);
    }
    // A diameter of 1e-300 beside a width of 15 overflows the ratio.
    const double relativeWidth = g.B / g.D;
    const double relativeDepth = g.t / g.D;
    if (reportNotFinite(form, relativeWidth, "K=B/D")
        || reportNotFinite(form, relativeDepth, "t/D"))
        return std::nullopt;
    store.setText("EditK", formatFixed(relativeWidth, 2));
    store.setText("EdittD", formatFixed(relativeDepth, 2));
    return g;
}

} // namespace millcalc
