#include "shell/fit/FitPlanner.h"

#include "app/DetachedForm.h"
#include "shell/fit/FitStrategy.h"

namespace millcalc {

FitOutcome planFit(const Form& form, const Method& method)
{
    if (method.fit == nullptr)
        return {};
    DetachedForm copy(form);
    return planFitOnCopy(copy.form(), method);
}

FitOutcome planFitOnCopy(Form& copy, const Method& method)
{
    if (method.fit == nullptr)
        return {};
    FitStrategy strategy(copy, method);
    return strategy.run();
}

} // namespace millcalc
