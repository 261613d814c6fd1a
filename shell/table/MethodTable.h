// The program's methods, in page order: each row is declared in its method's
// folder, and a new method adds one line here. The method table that the
// program links (shell/table/MethodTable.cpp) lists these rows.
#pragma once

#include "aluminium/AluminiumMethod.h"
#include "app/Method.h"
#include "titanium/TitaniumMethod.h"
#include "walter/WalterMethod.h"

#include <vector>

namespace millcalc {

inline std::vector<Method> programMethods()
{
    return {
        walterMethod(),
        aluminiumMethod(),
        titaniumMethod(),
    };
}

} // namespace millcalc
