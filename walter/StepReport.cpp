#include "walter/StepReport.h"

#include "app/Form.h"
#include "app/NumberText.h"

#include <cmath>
#include <string>

namespace millcalc::walter {

bool writeResult(Form& form, std::string_view field, double value, int decimals,
    std::string_view quantity, ResultWrite how)
{
    if (!std::isfinite(value)) {
        // Only inputs far beyond any real cut get here (1e300 typed into a
        // field); a field showing "inf" would only pass the fault on.
        const std::string message = "Переполнение при расчете " + std::string(quantity)
            + " - значение вне диапазона чисел. Проверьте исходные данные. Расчет прерван.";
        form.LogMessage(message);
        form.WarningBox(message);
        return false;
    }
    const std::string text = formatFixed(value, decimals);
    if (how == ResultWrite::Focused)
        form.CorrectField(field, text);
    else
        form.store().setText(field, text);
    return true;
}

} // namespace millcalc::walter
