#include "aluminium/AlTemperature.h"

#include "app/Form.h"
#include "app/NumberText.h"

namespace millcalc {

namespace {

// The feed the look-up writes back when EditF holds nothing usable.
constexpr double kFeedReplacementMmPerMin = 20.0;

} // namespace

int lookUpTemperature(double speedMPerMin, double feedMmPerMin)
{
    // A heading counts from its own value upwards.
    int column = 1;
    for (int c = 1; c < kTemperatureColumns; ++c) {
        if (speedMPerMin >= TemperatureTable[0][static_cast<std::size_t>(c)])
            column = c;
    }
    int row = 1;
    for (int r = 1; r < kTemperatureRows; ++r) {
        if (feedMmPerMin >= TemperatureTable[static_cast<std::size_t>(r)][0])
            row = r;
    }
    return TemperatureTable[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void CalcAlWorkpieceTemperature(Form& form)
{
    FieldStore& store = form.store();
    double speed = store.real("EditV");
    if (!(speed > 0))
        speed = 0.0;
    double feed = store.real("EditF");
    if (!(feed > 0)) {
        feed = kFeedReplacementMmPerMin;
        store.setText("EditF", formatFixed(feed, 3));
    }
    const int temperature = lookUpTemperature(speed, feed);
    store.setText("EditTm", formatWhole(temperature));
    form.ResultColour("EditTm", colours::Blue);
    if (temperature >= kOverheatTemperature) {
        form.ResultColour("EditTm", colours::Red);
        form.LogMessage("Превышение температурного режима: T>=140°C -> деталь плавиться....... :)");
    }
}

void createTemperatureGrid(Form& form)
{
    FieldStore& store = form.store();
    for (int row = 0; row < kTemperatureRows; ++row) {
        for (int column = 0; column < kTemperatureColumns; ++column) {
            store.setCell("StringGridT", column, row,
                formatWhole(TemperatureTable[static_cast<std::size_t>(row)]
                                            [static_cast<std::size_t>(column)]));
        }
    }
    store.setCell("StringGridT", 0, 0, "");
}

} // namespace millcalc
