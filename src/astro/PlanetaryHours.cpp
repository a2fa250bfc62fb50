#include "astro/PlanetaryHours.h"

#include "astro/Angles.h"
#include "astro/Calendar.h"
#include "astro/CorrectionFiles.h"
#include "astro/Ephemeris.h"
#include "astro/TextHelpers.h"
#include "platform/Cp1252.h"
#include "platform/NumberText.h"
#include "platform/TextFile.h"

#include <cmath>

namespace exo {

namespace {

constexpr unsigned kYellow = 0x00FFFF;
constexpr unsigned kAqua = 0xFFFF00;
constexpr unsigned kWhite = 0xFFFFFF;

const std::string kNoName;

// Each step moves the instant by this many days (1.15 minutes) per degree of half the
// distance from the Ascendant up to the Sun. The Ascendant gains about a seventh of that
// distance meanwhile, so the search closes in on the sunrise from before without passing
// it, and ends up to a few minutes early.
constexpr long double kDaysPerDegree = 0.0008L;
constexpr long double kCloseEnough = 0.2L; // degrees, half the remaining distance

// The planets in the descending order of their spheres (Saturn, Jupiter, Mars, Sun, Venus,
// Mercury, Moon), beginning with the Sun, by the program's planet numbers. The hours of a
// day follow it from the day's own planet, which the weekday offset points to.
constexpr std::array<int, 7> kChaldeanOrder = {1, 4, 3, 2, 7, 6, 5};
constexpr int kChaldeanRepeats = 5;
constexpr std::array<int, 7> kWeekdayOffset = {0, 3, 6, 2, 5, 1, 4};
constexpr std::array<int, 12> kSignRuler = {5, 4, 3, 2, 1, 3, 4, 5, 6, 7, 7, 6};

std::string Characters(const std::string& s, std::size_t first, std::size_t count) {
    return first <= s.size() ? s.substr(first - 1, count) : std::string();
}

long double HoursOfLongitude(std::int32_t degrees, std::int32_t minutes) {
    return (degrees + minutes / 60.0L) * 4 / 60;
}

// The house inputs of the birth place for the instant jd. The clock reading of a Universal
// Time Julian Day is Universal Time itself, so it goes with a time correction of 0: the
// house computation then takes the sidereal time, and the Ascendant, of jd (to the whole
// minute the date text shows).
HouseInputs AtUniversalInstant(HouseInputs place, long double jd, bool gregorian) {
    const std::string text = DateTextOfJulianDayByFlag(jd, gregorian);
    place.hour = IntegerOrZero(Characters(text, 12, 2));
    place.minute = IntegerOrZero(Characters(text, 15, 2));
    place.timeCorrection = 0;
    place.extraHours = 0;
    place.julianDay = jd;
    return place;
}

long double MidheavenOf(const ChartState& chart) {
    return Normalize360(RadToDeg(chart.MidheavenRad));
}

std::string RulerOfSignAt(long double longitude) {
    return RulerName(SignRuler(SignOfLongitude(Normalize360(longitude))));
}

std::string HourText(int hour) {
    const int n = hour > 12 ? hour - 12 : hour;
    return std::to_string(n) + (hour > 12 ? " Nocturna" : " Diurna");
}

// The sunrise on the birth place's clock: the search works in Universal Time, and the
// correction is what the clock adds to reach it.
std::string SunriseClock(const ChartState& chart, const PlanetaryHourState& state) {
    return Characters(DateTextOfJulianDay(state.SunriseJulianDay - chart.TimeCorrection / 24), 12,
                      5);
}

// Lines 2 to 10, which both pages share but for two captions.
std::vector<PageLine> SharedLines(const ChartState& chart, const PlanetaryHourState& state,
                                  const YearRulerNames& rulers, const std::string& hourCaption,
                                  const std::string& rulerCaption) {
    const long double ascendant = chart.HouseCusp[1];
    const long double midheaven = MidheavenOf(chart);
    return {
        {"Día Planetario: "_cp + state.PlanetaryDayName, kAqua},
        {hourCaption + HourText(state.PlanetaryHour), kAqua},
        {rulerCaption + state.HourRulerName, kAqua},
        {"Ascendente " + SignPositionText(0, ascendant), kWhite},
        {rulerCaption + RulerOfSignAt(ascendant), kWhite},
        {"Medio Cielo " + SignPositionText(0, midheaven), kAqua},
        {rulerCaption + RulerOfSignAt(midheaven), kAqua},
        {"Año de "_cp + rulers.year, kAqua},
        {"En el ciclo de " + rulers.cycle, kAqua},
    };
}

} // namespace

PlanetaryHourState& GlobalPlanetaryHours() {
    static PlanetaryHourState state;
    return state;
}

int WeekdayOf(long double jd, PlanetaryHourState& state) {
    // The day number changes at midnight, when jd + 1.5 passes a whole number; counting
    // whole days keeps an exact midnight from landing on the day before through rounding.
    const long double day = std::floor(jd + 1.5L);
    const int weekday = static_cast<int>(day - 7 * std::floor(day / 7));
    state.PlanetaryDayName = WeekdayName(weekday);
    return weekday;
}

const std::string& WeekdayName(int weekday) {
    static const std::array<std::string, 7> names = {
        "Domingo", "Lunes", "Martes", "Miércoles"_cp, "Jueves", "Viernes", "Sábado"_cp};
    return weekday >= 0 && weekday < 7 ? names[static_cast<std::size_t>(weekday)] : kNoName;
}

const std::string& RulerName(int planet) {
    static const std::array<std::string, 7> names = {"el Sol", "la Luna",    "Mercurio", "Venus",
                                                     "Marte",  "Júpiter"_cp, "Saturno"};
    return planet >= 1 && planet <= 7 ? names[static_cast<std::size_t>(planet - 1)] : kNoName;
}

int SignRuler(int sign) {
    return sign >= 1 && sign <= 12 ? kSignRuler[static_cast<std::size_t>(sign - 1)] : 0;
}

int ChaldeanPlanet(int position) {
    if (position < 0 || position >= 7 * kChaldeanRepeats)
        return 0;
    return kChaldeanOrder[static_cast<std::size_t>(position % 7)];
}

int WeekdayOffset(int weekday) {
    return weekday >= 0 && weekday < 7 ? kWeekdayOffset[static_cast<std::size_t>(weekday)] : 0;
}

SunriseSearch SearchSunrise(const ChartState& chart) {
    // The Sun is computed into a copy, so the chart's longitudes stay the natal ones; the
    // houses are computed apart from the chart for the same reason.
    ChartState scratch = chart;
    const HouseInputs place = HouseInputsOf(chart);
    const std::string system = chart.HouseSystemName.str();
    const auto sunAt = [&scratch](long double jd) {
        ComputeBodies(BodyMode::Sun, false, jd, scratch);
        return scratch.ChartLongitude[EphemerisOrder::Sun];
    };
    const auto ascendantOf = [&system](const HouseInputs& in) {
        return ComputeHouses(in, system).cusp[1];
    };

    const long double midnight = JulianDayOf(chart.GregorianCalendar ? 1 : 0, 0, 0, chart.BirthYear,
                                             chart.BirthMonth, chart.BirthDay) +
                                 chart.TimeCorrection / 24;
    // The first Ascendant is that of local mean midnight (the clock at 00:00 corrected by
    // the place's longitude); it only sets the size of the first step.
    long double meanTimeOffset = HoursOfLongitude(chart.LongitudeDegrees, chart.LongitudeMinutes);
    if (chart.LongitudeLetter == "E")
        meanTimeOffset = -meanTimeOffset;
    HouseInputs start = place;
    start.hour = 0;
    start.minute = 0;
    start.extraHours = 0;
    start.timeCorrection = meanTimeOffset;
    start.julianDay = midnight;

    SunriseSearch search;
    long double jd = midnight;
    long double sun = sunAt(jd);
    long double ascendant = ascendantOf(start);
    while (search.steps < kSunriseSteps && !search.reached) {
        const long double a = Normalize360(sun - ascendant) / 2;
        // A place where the house computation has no answer (a pole) ends the search.
        if (!std::isfinite(a))
            break;
        jd += a * kDaysPerDegree;
        sun = sunAt(jd);
        ascendant = ascendantOf(AtUniversalInstant(place, jd, chart.GregorianCalendar));
        ++search.steps;
        search.reached = a <= kCloseEnough;
    }
    if (jd - midnight > 1)
        jd -= std::trunc(jd - midnight);
    search.julianDay = jd;
    return search;
}

void FindSunrise(ChartState& chart, PlanetaryHourState& state) {
    state.SunriseJulianDay = SearchSunrise(chart).julianDay;
}

void ComputeHourBoundaries(const HouseInputs& sky, ChartState& chart, PlanetaryHourState& state) {
    // Only the sidereal time is wanted from the house computation; the system is immaterial.
    const HouseResult houses = ComputeHouses(sky, "PLACIDO");
    chart.SiderealTimeHours = houses.siderealTimeHours;
    const long double ramc = 15 * houses.siderealTimeHours;
    const long double T = (sky.julianDay - 2415020) / kDaysPerCentury;
    const long double obliquity = 23.4522944L - 0.0130125L * T;
    long double latitude = sky.latitudeDegrees + sky.latitudeMinutes / 60.0L;
    if (sky.latitudeLetter == "S")
        latitude = 360 - latitude;
    const long double k = -TanDeg(latitude) * TanDeg(obliquity);
    const long double cosObliquity = CosDeg(obliquity);
    // The ecliptic point that has gone the fraction f of its semi-arc: f = 1 is on the
    // eastern horizon, 0 on the meridian, negative fractions below the horizon (read on the
    // opposite side).
    const auto placidus = [&](long double f) {
        return LongitudeOfRightAscension(PlacidusRightAscension(f, k, ramc), cosObliquity);
    };

    auto& b = state.HourBoundaries;
    // From the Ascendant up to the Midheaven: the six day hours before noon.
    for (int i = 0; i <= 6; ++i)
        b[static_cast<std::size_t>(1 + i)] = Normalize360(placidus((6 - i) / 6.0L));
    // Below the horizon, from the lower meridian up to the Ascendant.
    for (int i = 1; i <= 5; ++i)
        b[static_cast<std::size_t>(19 + i)] = Normalize360(placidus(-i / 6.0L) + 180);
    for (int i = 8; i <= 12; ++i)
        b[static_cast<std::size_t>(i)] = Normalize360(b[static_cast<std::size_t>(i + 12)] + 180);
    for (int i = 13; i <= 19; ++i)
        b[static_cast<std::size_t>(i)] = Normalize360(b[static_cast<std::size_t>(i - 12)] + 180);
    b[25] = b[1];
    b[0] = b[24];
}

void ComputeHourBoundaries(ChartState& chart, PlanetaryHourState& state) {
    // The hour of the birth is where the natal Sun stands among the hour lines of the sky
    // of the birth: the hour line of fraction f is the locus of points that have gone f of
    // their semi-arc, so the Sun between two lines is in that twelfth of its day or night
    // arc. (The lines of the sky at sunrise would put the Sun of any birth that day next to
    // the Ascendant, in the first or last hour.)
    ComputeHourBoundaries(HouseInputsOf(chart), chart, state);
}

void ComputePlanetaryHour(ChartState& chart, PlanetaryHourState& state) {
    FindSunrise(chart, state);
    // The local date names the day; the comparison with the sunrise is made in Universal
    // Time, the frame of both Julian Days.
    long double localDay = chart.JulianDay - chart.TimeCorrection / 24;
    if (chart.JulianDay < state.SunriseJulianDay)
        localDay -= 1;
    const int weekday = WeekdayOf(localDay, state);

    ComputeHourBoundaries(chart, state);
    const auto& b = state.HourBoundaries;
    const long double sun = std::fabs(chart.ChartLongitude[ChartOrder::Sun]);
    state.PlanetaryHour = 0;
    for (std::size_t i = 1; i <= 24; ++i) {
        if (Normalize360(b[i] - b[i + 1]) >= Normalize360(b[i] - sun)) {
            state.PlanetaryHour = static_cast<int>(i);
            break;
        }
    }
    state.HourRulerName =
        state.PlanetaryHour == 0
            ? std::string()
            : RulerName(ChaldeanPlanet(state.PlanetaryHour - 1 + WeekdayOffset(weekday)));
}

int MapYearIntoTable(int year) {
    // Whole 252-year cycles: the years 1–252 take the places of 1765–2016, and so on in
    // both directions.
    constexpr int first = 1765;
    constexpr int cycle = 252;
    const int offset = (year - first) % cycle;
    return first + (offset < 0 ? offset + cycle : offset);
}

YearRulerNames YearRulers(ChartState& chart) {
    return YearRulers(chart, ProgramFolderCorrections());
}

YearRulerNames YearRulers(ChartState& chart, const CorrectionSource& corrections) {
    int year = IntegerOrZero(Characters(DateTextOfJulianDay(chart.JulianDay), 7, 4));

    // The astrological year begins when the Sun comes back to 0° Aries: a birth whose Sun
    // lies beyond the Sun of the last minute of its calendar year is born before that
    // return and belongs to the year before. The Sun is computed into a copy of the chart.
    ChartState scratch = chart;
    ComputeBodies(BodyMode::All, false,
                  JulianDayOf(chart.GregorianCalendar ? 1 : 0, 59, 23, year, 12, 31), scratch,
                  corrections);
    const long double yearEndSun = scratch.ChartLongitude[EphemerisOrder::Sun];
    if (std::fabs(chart.ChartLongitude[ChartOrder::Sun]) > yearEndSun)
        --year;

    const std::string key = PadLeftZeros(MapYearIntoTable(year), 4);
    const std::vector<std::string> lines = ReadTextLines(R"(Appoggio\GoverAnno.txt)");
    // A year the table lacks takes its last line.
    std::string line = lines.empty() ? std::string() : lines.back();
    for (const std::string& candidate : lines) {
        if (Characters(candidate, 1, 4) == key) {
            line = candidate;
            break;
        }
    }
    return {RulerName(IntegerOrZero(Characters(line, 5, 2))),
            RulerName(IntegerOrZero(Characters(line, 7, 2)))};
}

std::vector<PageLine> AnalysisPageLines(const ChartState& chart, const PlanetaryHourState& state,
                                        const YearRulerNames& rulers) {
    std::vector<PageLine> lines = {{"El sol sale a las: " + SunriseClock(chart, state), kYellow}};
    for (PageLine& line : SharedLines(chart, state, rulers, "Hora Planetaria: ", "Dominado por "))
        lines.push_back(std::move(line));
    return lines;
}

std::vector<PageLine> PrintedPageLines(const ChartState& chart, const PlanetaryHourState& state,
                                       const YearRulerNames& rulers) {
    return SharedLines(chart, state, rulers, "Hora  Planetaria: ", "Regido por ");
}

} // namespace exo
