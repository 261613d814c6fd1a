#include "aluminium/AlFormulaPanel.h"

#include "app/Form.h"
#include "app/NumberText.h"

#include <array>
#include <iterator>
#include <stdexcept>
#include <string>

namespace millcalc {

namespace {

// The alloys, one column each in the tables below, in the order of
// ComboBoxMaterial.
constexpr int kAlloyCount = 3;
using ByAlloy = std::array<const char*, kAlloyCount>;
constexpr ByAlloy kAlloyNames = { "В95пчТ2", "1163Т2", "Д16чТ" };

struct AlloyFormulaText {
    const char* field;
    ByAlloy texts;
};

// The coefficients of the four formulas as the recommendations print them, in
// the panel's order: feed per tooth, V1, V2, force.
constexpr AlloyFormulaText kAlloyFormulaTexts[] = {
    //               В95пчТ2    1163Т2    Д16чТ
    { "EditTkoef1", { "0.04", "0.04", "0.04" } },
    { "EditTX1", { "0.75", "0.75", "0.75" } },
    { "EditTY1", { "0.1", "0.1", "0.1" } },
    { "EditTZ1", { "0.22", "0.22", "0.22" } },
    { "EditTkoef2", { "1097.0", "2070.0", "2070.0" } },
    { "EditTX2", { "0.86", "0.88", "0.88" } },
    { "EditTY2", { "0.81", "0.80", "0.80" } },
    { "EditTZ2", { "0.47", "0.46", "0.46" } },
    { "EditTkoef3", { "49.0", "52.0", "52.0" } },
    { "EditTX3", { "0.684", "0.56", "0.56" } },
    { "EditTY3", { "0.548", "0.344", "0.344" } },
    { "EditTZ3", { "0.286", "0.225", "0.225" } },
    { "EditTsm1", { "1.134", "1.126", "1.126" } },
    { "EditTkoef4", { "246", "224", "224" } },
    { "EditTX4", { "0.684", "0.506", "0.506" } },
    { "EditTY4", { "0.546", "0.344", "0.344" } },
    { "EditTZ4", { "0.168", "0.123", "0.123" } },
    { "EditTsm2", { "0.118", "0.112", "0.112" } },
};

struct RoughnessFactorText {
    const char* range; // the item of ComboBoxRa; none for the last row
    ByAlloy texts;
};

// Ks as the recommendations state it, three decimals, by roughness range
// (rows, the last for none selected) and by alloy (columns). Kept as texts:
// the factor 1.3275 of 1163Т2 is printed 1.328 in the recommendations, while
// the nearest double lies below 1.3275 and would round to 1.327; the feed per
// tooth is computed from this text.
constexpr RoughnessFactorText kRoughnessFactorTexts[] = {
    //                      В95пчТ2   1163Т2   Д16чТ
    { "...<=1.25", { "0.584", "1.000", "0.660" } }, // В95пчТ2: 0.5841
    { "1.25<...<=2.5", { "0.885", "1.000", "0.660" } },
    { "2.5<...<=20.", { "0.885", "1.328", "1.500" } },
    { nullptr, { "0.885", "1.000", "0.660" } },
};
constexpr int kRangeCount = static_cast<int>(std::size(kRoughnessFactorTexts)) - 1;

constexpr const char* kNoAlloyFactorText = "1.000";

} // namespace

const char* roughnessFactorText(int alloy, int range)
{
    if (alloy < 0 || alloy >= kAlloyCount)
        return kNoAlloyFactorText;
    const int row = range >= 0 && range < kRangeCount ? range : kRangeCount;
    return kRoughnessFactorTexts[row].texts[static_cast<std::size_t>(alloy)];
}

double defaultCoefficient(std::string_view field)
{
    for (const AlloyFormulaText& entry : kAlloyFormulaTexts) {
        if (field == entry.field)
            return readReal(entry.texts[0]);
    }
    throw std::out_of_range("no formula coefficient " + std::string(field));
}

std::vector<std::string> alloyNames()
{
    return { kAlloyNames.begin(), kAlloyNames.end() };
}

std::vector<std::string> roughnessRanges()
{
    std::vector<std::string> ranges;
    for (int range = 0; range < kRangeCount; ++range)
        ranges.emplace_back(kRoughnessFactorTexts[range].range);
    return ranges;
}

void ComboBoxRaChange(Form& form)
{
    FieldStore& store = form.store();
    store.setText(
        "EditTKs", roughnessFactorText(store.index("ComboBoxMaterial"), store.index("ComboBoxRa")));
}

void ComboBoxMaterialChange(Form& form)
{
    ComboBoxRaChange(form);
    FieldStore& store = form.store();
    const int alloy = store.index("ComboBoxMaterial");
    if (alloy < 0 || alloy >= kAlloyCount)
        return;
    for (const AlloyFormulaText& text : kAlloyFormulaTexts)
        store.setText(text.field, text.texts[static_cast<std::size_t>(alloy)]);
}

} // namespace millcalc
