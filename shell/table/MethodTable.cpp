// The method table of the program: its own library, so that a test build may
// link a table of its own (the program's rows and one more) in its place.
#include "shell/table/MethodTable.h"
#include "shell/table/Methods.h"

namespace millcalc {

std::span<const Method> methods()
{
    static const std::vector<Method> rows = programMethods();
    return rows;
}

} // namespace millcalc
