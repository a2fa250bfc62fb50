// The three code strings that summarise a stored subject's natal chart: the planets with
// their houses, signs and degrees, the Placidus cusps, and the aspects between the bodies.
#include "archive/SubjectArchive.h"

#include "astro/Angles.h"
#include "astro/Ephemeris.h"
#include "astro/Houses.h"
#include "astro/TextHelpers.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace exo {

namespace {

// Points 1-14 in the ephemeris order; Aries to Pisces; the aspects.
constexpr const char* kBodyLetters = "elmvagsunpdhxy";
constexpr const char* kSignLetters = "ATGNLVBSRCQP";
constexpr int kCodedBodies = 12;
constexpr int kAspectBodies = 10;
constexpr int kAspectPartners = 14;
constexpr std::size_t kAspectBuildLimit = 160;
constexpr std::size_t kAspectCapacity = 124;

// Whole degrees of a longitude in [0, 360); a value the engine never gives counts as 0.
int WholeDegrees(long double longitude) {
    if (!std::isfinite(longitude))
        return 0;
    return static_cast<int>(std::trunc(std::fmod(std::fabs(longitude), 360.0L)));
}

char SignLetter(int wholeDegrees) {
    return kSignLetters[wholeDegrees / 30];
}

std::string TwoDigits(int n) {
    return PadLeftZeros(n, 2);
}

// Halves go to the even neighbour, as the program's rounding does.
long double RoundHalfEven(long double x) {
    const long double below = std::floor(x);
    const long double fraction = x - below;
    if (fraction > 0.5L)
        return below + 1;
    if (fraction < 0.5L)
        return below;
    return std::fmod(below, 2.0L) == 0 ? below : below + 1;
}

// A cusp's sign and degree after rounding it to whole arc-minutes; the rounding never
// carries a cusp into the next sign.
struct CuspPosition {
    int sign = 0; // 0 Aries … 11 Pisces
    int degrees = 0;
};
CuspPosition RoundedCusp(long double x) {
    if (!std::isfinite(x) || x < 0 || x >= 360)
        x = std::isfinite(x) ? Normalize360(x) : 0;
    CuspPosition pos;
    pos.sign = std::clamp(static_cast<int>(std::trunc(x / 30)), 0, 11);
    const long double within = x - 30.0L * pos.sign;
    pos.degrees = std::clamp(static_cast<int>(std::trunc(within)), 0, 29);
    const long double minutesExact = (within - pos.degrees) * 60;
    int minutes = static_cast<int>(std::trunc(minutesExact));
    const long double seconds = (minutesExact - minutes) * 60;
    if (seconds > 30)
        ++minutes;
    if (minutes == 60) {
        if (pos.degrees == 29)
            minutes = 59;
        else
            ++pos.degrees;
    }
    return pos;
}

} // namespace

std::string PlanetCodes(const PointReals& longitude, const std::array<long double, 16>& cusp) {
    PointReals absolute{};
    for (int i = 1; i <= kCodedBodies; ++i)
        absolute[i] = std::isfinite(longitude[i]) ? std::fabs(longitude[i]) : 0;
    PointBytes house{};
    HouseOfPoints(kCodedBodies, absolute, cusp, house);
    std::string codes;
    for (int i = 1; i <= kCodedBodies; ++i) {
        const int degrees = WholeDegrees(absolute[i]);
        codes += TwoDigits(house[i]);
        codes += kBodyLetters[i - 1];
        codes += SignLetter(degrees);
        codes += TwoDigits(degrees % 30);
    }
    return codes;
}

std::string CuspCodes(const std::array<long double, 16>& cusp) {
    std::string codes;
    for (int h = 1; h <= 12; ++h) {
        const CuspPosition pos = RoundedCusp(cusp[h]);
        codes += TwoDigits(h);
        codes += kSignLetters[pos.sign];
        codes += TwoDigits(pos.degrees);
    }
    return codes;
}

std::string AspectCodes(const PointReals& longitude) {
    const auto at = [&](int i) {
        return std::isfinite(longitude[i]) ? std::fabs(longitude[i]) : 0.0L;
    };
    std::string codes;
    for (int i = 1; i <= kAspectBodies; ++i) {
        for (int j = i + 1; j <= kAspectPartners; ++j) {
            if (j == EphemerisOrder::LunarNode || j == EphemerisOrder::BlackMoon)
                continue;
            long double d = std::fabs(at(i) - at(j));
            if (d > 180)
                d = 360 - d;
            char aspect = 0;
            long double orb = 0;
            if (d > 171) {
                aspect = 'O';
                orb = 180 - d;
            } else if (d > 112 && d < 128) {
                aspect = 'Z';
                orb = std::fabs(d - 120);
            } else if (d > 84 && d < 96) {
                aspect = 'W';
                orb = std::fabs(d - 90);
            } else if (d > 56 && d < 64) {
                aspect = 'J';
                orb = std::fabs(d - 60);
            } else if (d < 9) {
                aspect = 'K';
                orb = d;
            } else {
                continue;
            }
            const std::string orbText = std::to_string(static_cast<long>(RoundHalfEven(orb)));
            codes += kBodyLetters[i - 1];
            codes += aspect;
            codes += kBodyLetters[j - 1];
            codes += orbText.front();
        }
    }
    return codes.substr(0, kAspectBuildLimit).substr(0, kAspectCapacity);
}

ChartCodes ComputeChartCodes(const SubjectEntry& entry, const ChartState& settings) {
    const std::string& place = entry.CoordinatesText;
    const auto field = [&](std::size_t from, std::size_t length) {
        return from < place.size() ? place.substr(from, length) : std::string();
    };
    const auto clock = [&](std::size_t from) {
        return from < entry.BirthDateText.size() ? entry.BirthDateText.substr(from, 2)
                                                 : std::string();
    };

    HouseInputs in;
    in.mode = 1;
    in.latitudeDegrees = IntegerOrZero(field(0, 2));
    in.latitudeLetter = field(2, 1);
    in.latitudeMinutes = IntegerOrZero(field(3, 2));
    in.longitudeDegrees = IntegerOrZero(field(6, 3));
    in.longitudeLetter = field(9, 1);
    in.longitudeMinutes = IntegerOrZero(field(10, 2));
    in.hour = IntegerOrZero(clock(11));
    in.minute = IntegerOrZero(clock(14));
    in.timeCorrection = entry.Correction;
    in.julianDay = entry.JulianDay;
    const HouseResult houses = ComputeHouses(in, "PLACIDO");

    // A chart of its own: the stored codes never disturb the current subject's chart.
    auto chart = std::make_unique<ChartState>();
    chart->NodeKind = settings.NodeKind;
    chart->ApogeeKind = settings.ApogeeKind;
    chart->JulianDay = entry.JulianDay;
    chart->HouseCusp = houses.cusp;
    ComputeBodies(BodyMode::All, false, entry.JulianDay, *chart);
    chart->ChartLongitude[14] = 0;

    ChartCodes codes;
    codes.Planets = PlanetCodes(chart->ChartLongitude, houses.cusp);
    codes.Cusps = CuspCodes(houses.cusp);
    codes.Aspects = AspectCodes(chart->ChartLongitude);
    return codes;
}

} // namespace exo
