// The nomogram's four series (the power and torque curves, the operating
// point against each) as the chart takes them: the nomogram window's and the
// calculation sheet's. A point is anything with an x and a y.
#pragma once

#include "ui/addons/Addons.h"

#include <array>
#include <cstddef>

namespace millcalc {

template <class Series> NomogramChart::Points chartPoints(const Series& series)
{
    static_assert(std::tuple_size_v<Series> == std::tuple_size_v<NomogramChart::Points>);
    NomogramChart::Points points;
    for (std::size_t i = 0; i < points.size(); ++i) {
        points[i].reserve(static_cast<qsizetype>(series[i].size()));
        for (const auto& p : series[i])
            points[i].append(QPointF(p.x, p.y));
    }
    return points;
}

} // namespace millcalc
