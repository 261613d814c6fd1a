// The method table of the test build: the program's methods and the test
// method. Linked into the tests of this folder, it stands in for the
// program's table (shell/table/MethodTable.cpp).
#include "TestMethod.h"
#include "shell/table/MethodTable.h"
#include "shell/table/Methods.h"

namespace millcalc {

std::span<const Method> methods()
{
    static const std::vector<Method> rows = [] {
        std::vector<Method> all = programMethods();
        all.push_back(testMethod());
        return all;
    }();
    return rows;
}

} // namespace millcalc
