#include "shell/AutoFill.h"

#include "shell/table/Methods.h"

namespace millcalc {

void autoFill(Form& form)
{
    for (const Method& method : methods())
        method.fill(form);
}

} // namespace millcalc
