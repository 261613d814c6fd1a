#include "machines/MachinePark.h"

#include "machines/ParkFile.h"

#include <stdexcept>
#include <utility>

namespace millcalc {

namespace {

// The five machines the program knows without a file, in the park file's own
// form: a shop's file that states them reads the same.
constexpr const char* kBuiltInPark = R"json({"format": "millcalc-machines", "version": 1,
"machines": [
    {"id": "v-star", "name": "V-STAR (FOREST-LINE)",
     "max_rpm": 18000, "max_feed_mm_min": 60000, "power_kw": 40, "torque_nm": 57,
     "knee_rpm": 6700,
     "curve": [[400, 3, 57], [500, 3.3, 57], [630, 4, 57], [800, 5, 57], [1000, 6, 57],
         [1250, 7, 57], [1600, 10, 57], [2000, 12, 57], [2500, 15, 57], [3150, 19, 57],
         [4000, 23, 57], [5000, 30, 57], [6300, 38, 57], [6700, 40, 57], [8000, 40, 53.2],
         [10000, 40, 42], [12500, 40, 33.6], [16000, 40, 26.6], [20000, 40, 21], [25000, 40, 16.8]],
     "spindle_load_kn": [[6000, 2.00], [8000, 1.70], [10000, 1.50],
         [12000, 1.35], [15000, 1.25], [18000, 1.20]]},
    {"id": "vs-5vs", "name": "ВС-5ВС",
     "max_rpm": 18000, "max_feed_mm_min": 12000, "power_kw": 25, "torque_nm": 1300,
     "knee_rpm": 5500,
     "curve": [[400, 3, 1300], [500, 3.3, 1300], [630, 4, 1300], [800, 5, 1300], [1000, 6, 1300],
         [1250, 7, 1300], [1600, 10, 1300], [2000, 12, 1300], [2500, 15, 1300], [3150, 19, 1300],
         [4000, 22, 1300], [5000, 23, 1300], [6300, 24, 1300], [6700, 25, 1300], [8000, 25, 1000.2],
         [10000, 25, 900], [12500, 25, 800], [16000, 25, 700], [17000, 25, 500], [18000, 25, 300]],
     "spindle_load_kn": [[6000, 2.00], [8000, 1.70], [10000, 1.50],
         [12000, 1.35], [15000, 1.25], [18000, 1.20]]},
    {"id": "dmf-500l", "name": "DMF-500L",
     "max_rpm": 18000, "max_feed_mm_min": 20000, "power_kw": 25, "torque_nm": 87,
     "knee_rpm": 2800,
     "curve": [[20, 0.6, 87], [25, 0.8, 87], [35, 1, 87], [63, 1.6, 87], [87, 2, 87],
         [125, 2.5, 87], [245, 4, 87], [315, 5, 87], [630, 8, 87], [850, 10, 87],
         [1100, 12.5, 87], [1600, 16, 87], [2000, 20, 87], [2800, 25, 87], [4000, 25, 63],
         [6300, 25, 40], [8000, 25, 31.5], [10000, 25, 25], [15000, 25, 15.9], [18000, 25, 13.3]]},
    {"id": "dmu-125pa", "name": "DMU-125PA",
     "max_rpm": 12000, "max_feed_mm_min": 10000, "power_kw": 19, "torque_nm": 82,
     "knee_rpm": 2200,
     "curve": [[20, 0.4, 82], [25, 0.6, 82], [50, 1, 82], [63, 1.25, 82], [100, 1.8, 82],
         [160, 2.5, 82], [200, 3.15, 82], [315, 4.25, 82], [630, 7, 82], [800, 9, 82],
         [1000, 10, 82], [1600, 15, 82], [2000, 18, 82], [2200, 19, 82], [4000, 19, 50],
         [5000, 19, 38], [6300, 19, 31.5], [8000, 19, 25], [10000, 19, 20], [12000, 19, 15]]},
    {"id": "variaxis-630-5x", "name": "Variaxis 630-5X",
     "max_rpm": 12000, "max_feed_mm_min": 50000, "power_kw": 20, "torque_nm": 30,
     "knee_rpm": 2800,
     "curve": [[20, 0.4, 30], [25, 0.6, 30], [50, 1, 30], [63, 1.25, 30], [100, 1.8, 30],
         [160, 2.5, 30], [200, 3.15, 30], [315, 4.25, 30], [630, 7, 30], [800, 9, 30],
         [1000, 10, 30], [1600, 15, 30], [2000, 18, 30], [2800, 20, 30], [4000, 20, 28],
         [5000, 20, 26], [6300, 20, 21.5], [8000, 20, 15], [10000, 20, 10], [12000, 20, 5]]}
]}
)json";

} // namespace

const char* builtInParkText()
{
    return kBuiltInPark;
}

const MachineTable& builtInMachines()
{
    static const MachineTable machines = [] {
        ParkRead read = readParkText(kBuiltInPark, "(встроенный парк)");
        if (!read.error.empty())
            throw std::logic_error(read.error);
        return std::move(read.file.machines);
    }();
    return machines;
}

} // namespace millcalc
