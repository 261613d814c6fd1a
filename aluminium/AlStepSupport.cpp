#include "aluminium/AlStepSupport.h"

#include "app/Form.h"
#include "app/NumberText.h"

#include <cmath>

namespace millcalc {

double readPositive(Form& form, const PositiveCheck& check)
{
    const double value = form.store().real(check.field);
    if (value > 0)
        return value;
    form.CorrectField(check.field, formatFixed(check.replacement, check.decimals));
    form.LogMessage(check.message);
    return check.replacement;
}

std::string notFiniteMessage(std::string_view quantity)
{
    return "Ошибка вычисления-> " + std::string(quantity)
        + ": значение вне диапазона чисел (проверьте исходные данные и коэффициенты)....";
}

bool reportNotFinite(Form& form, double value, std::string_view quantity)
{
    if (std::isfinite(value))
        return false;
    const std::string message = notFiniteMessage(quantity);
    form.LogMessage(message);
    form.WarningBox(message);
    return true;
}

} // namespace millcalc
