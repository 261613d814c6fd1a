#include "aluminium/AlFormulaPanel.h"

#include "app/Main.h"

namespace millcalc {

namespace {

struct AlloyFormulaText {
    const char* field;
    const char* v95; // В95пчТ2
    const char* others; // 1163Т2 and Д16чТ share one set
};

// The coefficients of the four formulas as the recommendations print them, in
// the panel's order: feed per tooth, V1, V2, force.
constexpr AlloyFormulaText kAlloyFormulaTexts[] = {
    { "EditTkoef1", "0.04", "0.04" },
    { "EditTX1", "0.75", "0.75" },
    { "EditTY1", "0.1", "0.1" },
    { "EditTZ1", "0.22", "0.22" },
    { "EditTkoef2", "1097.0", "2070.0" },
    { "EditTX2", "0.86", "0.88" },
    { "EditTY2", "0.81", "0.80" },
    { "EditTZ2", "0.47", "0.46" },
    { "EditTkoef3", "49.0", "52.0" },
    { "EditTX3", "0.684", "0.56" },
    { "EditTY3", "0.548", "0.344" },
    { "EditTZ3", "0.286", "0.225" },
    { "EditTsm1", "1.134", "1.126" },
    { "EditTkoef4", "246", "224" },
    { "EditTX4", "0.684", "0.506" },
    { "EditTY4", "0.546", "0.344" },
    { "EditTZ4", "0.168", "0.123" },
    { "EditTsm2", "0.118", "0.112" },
};

constexpr int kAlloyCount = 3;
constexpr int kRangeCount = 3;

// Ks as the recommendations state it, three decimals, by alloy (rows) and by
// roughness range "...<=1.25", "1.25<...<=2.5", "2.5<...<=20." and none
// selected (columns). Kept as texts: the factor 1.3275 of 1163Т2 is printed
// 1.328 in the recommendations, while the nearest double lies below 1.3275 and
// would round to 1.327; the feed per tooth is computed from this text.
constexpr const char* kRoughnessFactorTexts[kAlloyCount][kRangeCount + 1] = {
    { "0.584", "0.885", "0.885", "0.885" }, // В95пчТ2: 0.5841 for the finest range
    { "1.000", "1.000", "1.328", "1.000" }, // 1163Т2
    { "0.660", "0.660", "1.500", "0.660" }, // Д16чТ
};

constexpr const char* kNoAlloyFactorText = "1.000";

} // namespace

const char* roughnessFactorText(int alloy, int range)
{
    if (alloy < 0 || alloy >= kAlloyCount)
        return kNoAlloyFactorText;
    const int column = range >= 0 && range < kRangeCount ? range : kRangeCount;
    return kRoughnessFactorTexts[alloy][column];
}

void ComboBoxRaChange(FormMain& form)
{
    FieldStore& store = form.store();
    store.setText(
        "EditTKs", roughnessFactorText(store.index("ComboBoxMaterial"), store.index("ComboBoxRa")));
}

void ComboBoxMaterialChange(FormMain& form)
{
    ComboBoxRaChange(form);
    FieldStore& store = form.store();
    const int alloy = store.index("ComboBoxMaterial");
    if (alloy < 0 || alloy >= kAlloyCount)
        return;
    for (const AlloyFormulaText& text : kAlloyFormulaTexts)
        store.setText(text.field, alloy == 0 ? text.v95 : text.others);
}

} // namespace millcalc
