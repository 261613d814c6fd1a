#include "app/FieldCaptions.h"

namespace millcalc {

namespace {

constexpr FieldCaption kSheetHeader[] = {
    { "EditSheetPart", "Деталь", "", "Деталь:" },
    { "EditSheetOperation", "Операция", "", "Операция:" },
    { "EditSheetAuthor", "Разработал", "", "Разработал:" },
};

} // namespace

std::span<const FieldCaption> sheetHeaderCaptions()
{
    return kSheetHeader;
}

} // namespace millcalc
