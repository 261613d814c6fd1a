#include "ui/MethodPages.h"

#include "shell/Methods.h"
#include "ui/InputPages.h"
#include "ui/ResultPages.h"

#include <iterator>

namespace millcalc {

namespace {

constexpr MethodPages kPages[] = {
    { "TabSheet1", createWalterInputPage, createWalterResultPage },
    { "TabSheet2", createAluminiumInputPage, createAluminiumResultPage },
    { "TabSheet3", createTitaniumInputPage, createTitaniumResultPage },
};
static_assert(std::size(kPages) == kMethodCount, "a row of pages for every method");

} // namespace

std::span<const MethodPages> methodPages()
{
    return kPages;
}

} // namespace millcalc
