#pragma once
// A chart with equal houses from an Ascendant at 100° whose points sit on the edges the
// divisions care about: a point at 0°, one 15.1° and one 9° before the first cusp, one on
// the first term boundary, the Midheaven on a multiple of 10°.
#include "analysis/OrbSettings.h"
#include "chart/ChartState.h"

namespace exo::test {

// Sun 15° Aries, Moon 0°, Mercury 20°, Venus 84.9°, Mars 91°, Jupiter 200°, Saturn 250.5°,
// North node 130°, South node 310°, Ascendant 100°, Midheaven 10°.
inline ChartState DivisionsSampleChart() {
    ChartState chart;
    const long double longitude[12] = {0, 15, 0, 20, 84.9L, 91, 200, 250.5L, 130, 310, 100, 10};
    for (int i = 1; i <= 11; ++i) {
        chart.ChartLongitude[static_cast<std::size_t>(i)] = longitude[i];
        chart.RetroMark[static_cast<std::size_t>(i)] = " ";
    }
    for (int h = 1; h <= 12; ++h) {
        const long double cusp = 100.0L + 30.0L * (h - 1);
        chart.HouseCusp[static_cast<std::size_t>(h)] = cusp >= 360 ? cusp - 360 : cusp;
    }
    return chart;
}

// The orbs of set A in the internal order.
inline OrbTable SetAOrbs() {
    return {10, 4, 6, 8, 9, 1, 1, 1, 1, 1, 1, 1, 1, 1};
}

} // namespace exo::test
