#include "analysis/Aspects.h"

#include "astro/Angles.h"
#include "astro/TextHelpers.h"
#include "platform/Cp1252.h"

#include <algorithm>
#include <cmath>

namespace exo {

namespace {

// An opposition closer than this is exact: the listing leaves it out (the node pair always).
constexpr long double kExactOpposition = 1e-5L;

// The whole-degree rounding of the program: halves go to the even neighbour.
long double Round(long double x) {
    return std::nearbyint(x);
}

bool Within(long double separation, int kind, const OrbTable& orbs) {
    const long double exact = ExactAngle(kind);
    const long double orb = orbs[static_cast<std::size_t>(kind)];
    return exact - orb < separation && separation < exact + orb;
}

int RoundedDeviation(long double exact, long double separation) {
    return static_cast<int>(std::fabs(Round(exact - separation)));
}

const std::string& ListingName(int point) {
    static const std::array<std::string, kTraditionalPoints> names = {
        "Sol",     "Luna",      "Mercurio", "Venus",      "Marte",      "Júpiter"_cp,
        "Saturno", "NodoNorte", "NodoSur",  "Ascendente", "Medio Cielo"};
    return names.at(static_cast<std::size_t>(point - 1));
}

const std::string& ListingWord(int kind) {
    static const std::array<std::string, 5> words = {" Conjunción "_cp, " Sextil ", " Cuadradura ",
                                                     " Trigono ", " oposición "_cp};
    return words.at(static_cast<std::size_t>(kind));
}

long double Separation(const ChartState& chart, int i, int j) {
    return AngularSeparation(chart.ChartLongitude[static_cast<std::size_t>(i)],
                             chart.ChartLongitude[static_cast<std::size_t>(j)]);
}

} // namespace

long double AngularSeparation(long double a, long double b) {
    long double d = b - a;
    if (d < 0)
        d += 360;
    if (d > 180)
        d = 360 - d;
    return d;
}

MajorAspect FindMajorAspect(long double separation, const OrbTable& orbs) {
    for (const int kind : {Oppo, Trig, Quad, Sest}) {
        if (Within(separation, kind, orbs))
            return {kind, std::fabs(separation - ExactAngle(kind))};
    }
    if (separation < orbs[Cong])
        return {Cong, separation};
    return {};
}

GridAspect FindGridAspect(long double separation, const OrbTable& orbs) {
    for (const int kind : {Oppo, Qunc, BiQn, SsQd, Trig, Quad, Quin, Sest, SmQd, SmSt}) {
        if (Within(separation, kind, orbs))
            return {kind, AspectGlyph(kind), ExactAngle(kind)};
    }
    if (separation < orbs[Cong])
        return {Cong, AspectGlyph(Cong), ExactAngle(Cong)};
    return {};
}

long double SphericalDistance(long double longitude1, long double latitude1, long double longitude2,
                              long double latitude2) {
    const long double dLambda = AngularSeparation(longitude1, longitude2);
    const long double c1 = 90 - latitude1;
    const long double c2 = 90 - latitude2;
    const long double cosD = CosDeg(c1) * CosDeg(c2) + SinDeg(c1) * SinDeg(c2) * CosDeg(dLambda);
    // Two coincident points can give a cosine a hair above 1, whose arc cosine is no number.
    return std::acos(std::clamp(cosD, -1.0L, 1.0L)) / kDegToRad;
}

std::vector<std::string> AspectListingLines(const ChartState& chart, const OrbTable& orbs) {
    std::vector<std::string> lines = {"ASPECTOS PLANETARIOS"};
    for (int i = 1; i <= kTraditionalPoints - 1; ++i) {
        for (int j = i + 1; j <= kTraditionalPoints; ++j) {
            const MajorAspect aspect = FindMajorAspect(Separation(chart, i, j), orbs);
            if (!aspect || (aspect.kind == Oppo && aspect.deviation < kExactOpposition))
                continue;
            lines.push_back(PlainDecimal(4, aspect.deviation) + "   " + ListingName(i) +
                            ListingWord(aspect.kind) + ListingName(j));
        }
    }
    lines.insert(lines.end(),
                 {"   ", "Más el número es pequeño,"_cp, "más preciso está l'Aspecto"_cp});
    return lines;
}

const std::string& AspectPointCode(int point) {
    static const std::array<std::string, kTraditionalPoints> codes = {
        "Sol", "Lun", "Mer", "Ven", "Mar", "Gio", "Sat", "Non", "Nos", "Asc", "Mci"};
    return codes.at(static_cast<std::size_t>(point - 1));
}

std::vector<std::string> AspectKeyLines(const ChartState& chart, const OrbTable& orbs) {
    std::vector<std::string> lines;
    for (int i = 1; i <= kGridRows; ++i) {
        for (int j = i + 1; j <= kGridColumns; ++j) {
            const MajorAspect aspect = FindMajorAspect(Separation(chart, i, j), orbs);
            if (aspect)
                lines.push_back(AspectPointCode(i) + AspectCode(aspect.kind) + AspectPointCode(j));
        }
    }
    return lines;
}

AspectGrid AspectGridCells(const ChartState& chart, const OrbTable& orbs) {
    AspectGrid grid;
    for (int i = 1; i <= kGridRows; ++i) {
        auto& row = grid.emplace_back();
        for (int j = i + 1; j <= kGridColumns; ++j) {
            const long double separation = Separation(chart, i, j);
            const GridAspect aspect = FindGridAspect(separation, orbs);
            if (!aspect) {
                row.emplace_back();
                continue;
            }
            row.push_back(AspectGridCell{
                aspect, PadLeftZeros(RoundedDeviation(aspect.exactAngle, separation), 2)});
        }
    }
    return grid;
}

DistanceGrid SphericalDistanceCells(const ChartState& chart, const OrbTable& orbs) {
    DistanceGrid grid;
    for (int i = 1; i <= kGridRows; ++i) {
        auto& row = grid.emplace_back();
        for (int j = i + 1; j <= kGridColumns; ++j) {
            const auto at = [](int point) { return static_cast<std::size_t>(point); };
            DistanceCell cell;
            cell.distance =
                SphericalDistance(chart.ChartLongitude[at(i)], chart.ChartLatitude[at(i)],
                                  chart.ChartLongitude[at(j)], chart.ChartLatitude[at(j)]);
            cell.text = PlainDecimal(5, cell.distance);
            cell.hard = Within(cell.distance, Oppo, orbs) || Within(cell.distance, Quad, orbs);
            cell.soft = Within(cell.distance, Trig, orbs) || Within(cell.distance, Sest, orbs);
            cell.conjunction = cell.distance < orbs[Cong];
            cell.colour = cell.hard          ? kHardColour
                          : cell.soft        ? kSoftColour
                          : cell.conjunction ? kConjunctionColour
                                             : kPlainColour;
            row.push_back(cell);
        }
    }
    return grid;
}

WheelAspects WheelAspectLines(std::span<const long double> longitude, int count, int ascendantPoint,
                              const OrbTable& orbs) {
    const auto at = [&](int point) { return longitude[static_cast<std::size_t>(point)]; };
    WheelAspects wheel;
    for (int i = 1; i <= count; ++i)
        wheel.dotAngle.push_back(360 - Round(at(i)) + Round(at(ascendantPoint)));
    for (int i = 1; i < count; ++i) {
        for (int j = i + 1; j <= count; ++j) {
            const long double separation = AngularSeparation(at(i), at(j));
            const MajorAspect aspect = FindMajorAspect(separation, orbs);
            if (!aspect || aspect.kind == Cong)
                continue;
            const int deviation = RoundedDeviation(ExactAngle(aspect.kind), separation);
            if (aspect.kind == Oppo && deviation == 0)
                continue;
            WheelAspectLine line;
            line.from = i;
            line.to = j;
            line.kind = aspect.kind;
            line.deviation = deviation;
            line.soft = aspect.kind == Trig || aspect.kind == Sest;
            line.bandWidth =
                1 / (1.2L * std::sqrt(std::max(static_cast<long double>(deviation), 0.2L)));
            wheel.lines.push_back(line);
        }
    }
    return wheel;
}

WheelAspects ChartWheelAspects(const ChartState& chart, const OrbTable& orbs) {
    return WheelAspectLines(chart.ChartLongitude, kTraditionalPoints, ChartOrder::Ascendant, orbs);
}

WheelAspects PowersWheelAspects(const ChartState& chart, const OrbTable& orbs) {
    constexpr int kPowersPoints = 14;
    constexpr int kPowersAscendant = 13;
    return WheelAspectLines(chart.ChartLongitude, kPowersPoints, kPowersAscendant, orbs);
}

} // namespace exo
