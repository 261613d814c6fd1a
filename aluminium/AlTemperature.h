// The workpiece surface temperature of the aluminium method: the temperature
// table of the recommendations, its grid on the temperature panel and the
// look-up by accepted cutting speed and table feed.
#pragma once

#include <array>

namespace millcalc {

class Form;

inline constexpr int kTemperatureRows = 10;
inline constexpr int kTemperatureColumns = 9;

// Surface temperature, °C, by table feed (column 0, mm/min, rows 1 to 9) and
// cutting speed (row 0, m/min, columns 1 to 8). There is no 8400 feed row.
inline constexpr std::array<std::array<int, kTemperatureColumns>, kTemperatureRows>
    TemperatureTable { {
        { 0, 500, 1000, 1500, 2000, 2500, 3000, 3500, 4000 },
        { 1200, 150, 175, 191, 204, 214, 223, 230, 237 },
        { 2400, 108, 125, 137, 146, 153, 160, 165, 170 },
        { 3600, 89, 104, 112, 119, 125, 130, 134, 139 },
        { 4800, 77, 90, 98, 105, 110, 114, 118, 122 },
        { 6000, 69, 81, 88, 94, 99, 103, 107, 111 },
        { 7200, 64, 74, 81, 87, 91, 95, 99, 102 },
        { 9600, 55, 64, 70, 75, 79, 82, 85, 87 },
        { 10800, 52, 60, 65, 70, 73, 77, 79, 81 },
        { 12000, 49, 57, 62, 66, 69, 72, 74, 76 },
    } };

// The temperature at or above which the part is taken to overheat.
inline constexpr int kOverheatTemperature = 140;

// The table cell for a speed and a feed: the last heading not above each value,
// the first row and column below their first heading.
int lookUpTemperature(double speedMPerMin, double feedMmPerMin);

// Looks the temperature up for the accepted speed in EditV and the feed in EditF
// into EditTm, blue, red with a log line from 140 °C on. An empty feed becomes 20.
void CalcAlWorkpieceTemperature(Form& form);

// The creation sub-step: the temperature table into its grid.
void createTemperatureGrid(Form& form);

} // namespace millcalc
