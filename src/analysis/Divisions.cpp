#include "analysis/Divisions.h"

#include "analysis/Dignities.h"
#include "astro/Angles.h"
#include "astro/TextHelpers.h"

#include <cmath>
#include <limits>
#include <vector>

namespace exo {

namespace {

constexpr int kDecades = 36;
constexpr int kTerms = 60;

// The sector of a circle cut at boundary[0 … n−1], in order around it: sector k runs from
// boundary[k − 1] to boundary[k] and is numbered k + 1, the last one (from boundary[n − 1]
// round to boundary[0]) numbered 1. Each sector takes both its ends, and among the sectors
// that hold the point the one that begins nearest below it wins, so a point on a boundary
// belongs to the sector that begins there — the wrap-around sector included, which a plain
// "last hit wins" pass would let claim the point at its far end.
int SectorOf(long double longitude, const std::vector<long double>& boundary) {
    const int count = static_cast<int>(boundary.size());
    int sector = 0;
    long double nearest = std::numeric_limits<long double>::infinity();
    for (int k = 1; k <= count; ++k) {
        const long double start = boundary[static_cast<std::size_t>(k - 1)];
        const long double end = boundary[static_cast<std::size_t>(k % count)];
        long double width = end - start;
        if (width < 0)
            width += 360;
        long double offset = longitude - start;
        if (offset < 0)
            offset += 360;
        if (offset <= width && offset < nearest) {
            nearest = offset;
            sector = k == count ? 1 : k + 1;
        }
    }
    return sector;
}

const std::vector<long double>& DecadeBoundaries() {
    static const std::vector<long double> boundary = [] {
        std::vector<long double> b;
        for (int k = 0; k < kDecades; ++k)
            b.push_back(10.0L * (k + 1));
        return b;
    }();
    return boundary;
}

std::vector<long double> TermBoundaries(long double ascendant) {
    std::vector<long double> b;
    for (int k = 0; k < kTerms; ++k) {
        long double x = 6.0L * (k + 1) + ascendant - 15.0L;
        if (x < 0)
            x += 360;
        if (x > 360)
            x -= 360;
        b.push_back(x);
    }
    return b;
}

} // namespace

DivisionValues& GlobalDivisions() {
    static DivisionValues values;
    return values;
}

long double Antiscion(long double longitude) {
    return 360.0L - longitude;
}

long double Contrantiscion(long double longitude) {
    return std::fmod(540.0L - longitude, 360.0L);
}

long double DodecatemoriaOf(long double longitude) {
    return Normalize360(longitude + 12.0L * Normalize30(longitude));
}

int DecadeOf(long double longitude) {
    return SectorOf(Normalize360(longitude), DecadeBoundaries());
}

int TermOf(long double longitude, long double ascendant) {
    return SectorOf(Normalize360(longitude), TermBoundaries(Normalize360(ascendant)));
}

int DecanOf(long double longitude) {
    const long double x = Normalize360(longitude);
    for (int k = 1; k <= kDecades; ++k) {
        if (x < 10.0L * k)
            return k;
    }
    return kDecades;
}

std::string DecanKeyOf(int point, long double longitude) {
    return PointKeyCode3(point) + "Dec" + PadLeftZeros(DecanOf(longitude), 2);
}

void ComputeDivisions(const ChartState& chart, DivisionValues& values) {
    const long double ascendant = chart.HouseCusp[1];
    for (int planet = 1; planet <= kDignityPlanets; ++planet) {
        const int sign = SignOfLongitude(chart.ChartLongitude[static_cast<std::size_t>(planet)]);
        values.DignityCode[static_cast<std::size_t>(planet)] =
            static_cast<std::uint8_t>(DignityOf(planet, sign));
    }
    for (int point = 1; point <= kDivisionPoints; ++point) {
        const auto i = static_cast<std::size_t>(point);
        const long double longitude = chart.ChartLongitude[i];
        values.DecadeNumber[i] = DecadeOf(longitude);
        values.TermNumber[i] = TermOf(longitude, ascendant);
        values.DecanKey[i] = DecanKeyOf(point, longitude);

        const long double dodecatemoria = DodecatemoriaOf(longitude);
        values.DodecatemoriaLongitude[i] = dodecatemoria;
        values.DodecatemoriaSign[i] = SignOfLongitude(dodecatemoria);
        values.DodecaDecadeNumber[i] = DecadeOf(dodecatemoria);
        values.DodecaTermNumber[i] = TermOf(dodecatemoria, ascendant);
        values.DodecaDecanKey[i] = DecanKeyOf(point, dodecatemoria);
    }
}

} // namespace exo
