#include "astro/PlanetaryHours.h"

#include "TestFolder.h"
#include "astro/Angles.h"
#include "astro/Calendar.h"
#include "astro/CorrectionFiles.h"
#include "astro/Ephemeris.h"
#include "astro/Houses.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>
#include <string>

namespace exo {
namespace {

// An almanac computation of the Sun's altitude, independent of the program's theory: the
// low-accuracy solar coordinates and the sidereal time of Meeus, Astronomical Algorithms,
// chapters 25 and 12 (about 0.01° in the Sun's position).
namespace almanac {

constexpr double kRad = std::numbers::pi / 180;

double SunAltitude(double jd, double latitude, double eastLongitude) {
    const double d = jd - 2451545.0;
    const double T = d / 36525;
    const double L0 = 280.46646 + 36000.76983 * T;
    const double M = (357.52911 + 35999.05029 * T) * kRad;
    const double C = (1.914602 - 0.004817 * T) * std::sin(M) + 0.019993 * std::sin(2 * M) +
                     0.000289 * std::sin(3 * M);
    const double omega = (125.04 - 1934.136 * T) * kRad;
    const double lambda = (L0 + C - 0.00569 - 0.00478 * std::sin(omega)) * kRad;
    const double epsilon = (23.439291 - 0.0130042 * T + 0.00256 * std::cos(omega)) * kRad;
    const double ra = std::atan2(std::cos(epsilon) * std::sin(lambda), std::cos(lambda));
    const double dec = std::asin(std::sin(epsilon) * std::sin(lambda));
    const double gmst = 280.46061837 + 360.98564736629 * d;
    const double hourAngle = (gmst + eastLongitude) * kRad - ra;
    const double phi = latitude * kRad;
    return std::asin(std::sin(phi) * std::sin(dec) +
                     std::cos(phi) * std::cos(dec) * std::cos(hourAngle)) /
           kRad;
}

// The first instant after `from` at which the Sun's centre passes `altitude` going up
// (rising) or down, found by a scan in 5-minute steps and a bisection.
double Crossing(double from, bool rising, double altitude, double latitude, double eastLongitude) {
    const auto above = [&](double jd) {
        return SunAltitude(jd, latitude, eastLongitude) > altitude;
    };
    const double step = 5.0 / 1440;
    double a = from;
    for (int i = 0; i < 2 * 288; ++i, a += step) {
        double b = a + step;
        if (above(a) != rising && above(b) == rising) {
            for (int k = 0; k < 40; ++k) {
                const double mid = (a + b) / 2;
                (above(mid) == rising ? b : a) = mid;
            }
            return (a + b) / 2;
        }
    }
    return NAN;
}

} // namespace almanac

struct Place {
    const char* name;
    int latitudeDegrees, latitudeMinutes;
    const char* latitudeLetter;
    int longitudeDegrees, longitudeMinutes;
    const char* longitudeLetter;
    double timeCorrection; // hours added to the clock to give Universal Time

    double latitude() const {
        const double value = latitudeDegrees + latitudeMinutes / 60.0;
        return std::string(latitudeLetter) == "S" ? -value : value;
    }
    double eastLongitude() const {
        const double value = longitudeDegrees + longitudeMinutes / 60.0;
        return std::string(longitudeLetter) == "E" ? value : -value;
    }
};

constexpr Place kRome = {"Roma", 41, 54, "N", 12, 29, "E", -1};
constexpr Place kLondonSummer = {"Londres", 51, 30, "N", 0, 7, "O", -1};
constexpr Place kBuenosAires = {"Buenos Aires", 34, 36, "S", 58, 23, "W", 3};

// A subject born at the clock time given, with its natal Sun and houses computed as the
// chart computation leaves them.
ChartState Subject(const Place& place, int year, int month, int day, int hour, int minute) {
    ChartState chart;
    chart.GregorianCalendar = true;
    chart.BirthYear = year;
    chart.BirthMonth = month;
    chart.BirthDay = day;
    chart.BirthHour = hour;
    chart.BirthMinute = minute;
    chart.BirthHourWhole = hour;
    chart.BirthMinuteWhole = minute;
    chart.TimeCorrection = place.timeCorrection;
    chart.JulianDay = JulianDayOf(1, minute, hour, year, month, day) + place.timeCorrection / 24;
    chart.LatitudeDegrees = place.latitudeDegrees;
    chart.LatitudeMinutes = place.latitudeMinutes;
    chart.LatitudeLetter = place.latitudeLetter;
    chart.LongitudeDegrees = place.longitudeDegrees;
    chart.LongitudeMinutes = place.longitudeMinutes;
    chart.LongitudeLetter = place.longitudeLetter;
    chart.HouseSystemName = "CASE_MEDIE";
    chart.HouseMode = 1;
    ComputeHouses(HouseInputsOf(chart), chart);
    ComputeBodies(BodyMode::Sun, false, chart.JulianDay, chart);
    return chart;
}

double LocalMidnight(const Place& place, int year, int month, int day) {
    return static_cast<double>(JulianDayOf(1, 0, 0, year, month, day)) + place.timeCorrection / 24;
}

constexpr double kMinute = 1.0 / 1440;

// ---------------------------------------------------------------- tables

TEST(PlanetaryHourTables, NamesAreTheProgramTexts) {
    const char* weekdays[] = {"Domingo", "Lunes",   "Martes", "Miércoles",
                              "Jueves",  "Viernes", "Sábado"};
    for (int d = 0; d < 7; ++d)
        EXPECT_EQ(WeekdayName(d), Cp1252FromUtf8(weekdays[d])) << d;
    const char* rulers[] = {"el Sol", "la Luna", "Mercurio", "Venus",
                            "Marte",  "Júpiter", "Saturno"};
    for (int p = 1; p <= 7; ++p)
        EXPECT_EQ(RulerName(p), Cp1252FromUtf8(rulers[p - 1])) << p;
    EXPECT_EQ(WeekdayName(3), "Mi\xE9rcoles") << "Windows-1252 bytes";
    EXPECT_EQ(RulerName(0), "");
    EXPECT_EQ(RulerName(8), "");
}

TEST(PlanetaryHourTables, SignRulersAreTheClassicalDomiciles) {
    // Aries Mars, Taurus Venus, Gemini Mercury, Cancer Moon, Leo Sun, Virgo Mercury, Libra
    // Venus, Scorpio Mars, Sagittarius Jupiter, Capricorn and Aquarius Saturn, Pisces Jupiter.
    const char* expected[] = {"Marte", "Venus", "Mercurio", "la Luna", "el Sol",  "Mercurio",
                              "Venus", "Marte", "Júpiter",  "Saturno", "Saturno", "Júpiter"};
    for (int sign = 1; sign <= 12; ++sign)
        EXPECT_EQ(RulerName(SignRuler(sign)), Cp1252FromUtf8(expected[sign - 1])) << sign;
    EXPECT_EQ(SignRuler(0), 0);
    EXPECT_EQ(SignRuler(13), 0);
}

TEST(PlanetaryHourTables, EachDayBeginsWithItsOwnPlanetAndHoursRunDownTheSpheres) {
    // The first hour of a day is ruled by the planet the day is named after, and the 25th
    // hour counted from it is the first of the next day.
    // Sun, Moon, Mars, Mercury, Jupiter, Venus, Saturn.
    const int dayPlanet[] = {1, 2, 5, 3, 6, 4, 7};
    for (int d = 0; d < 7; ++d) {
        SCOPED_TRACE(d);
        EXPECT_EQ(ChaldeanPlanet(WeekdayOffset(d)), dayPlanet[d]);
        EXPECT_EQ(ChaldeanPlanet(WeekdayOffset(d) + 24), dayPlanet[(d + 1) % 7]);
    }
    // Saturn, Jupiter, Mars, Sun, Venus, Mercury, Moon, over and over.
    const int spheres[] = {7, 6, 5, 1, 4, 3, 2};
    for (int position = 0; position + 1 < 35; ++position) {
        const int* here =
            std::find(std::begin(spheres), std::end(spheres), ChaldeanPlanet(position));
        ASSERT_NE(here, std::end(spheres)) << position;
        EXPECT_EQ(ChaldeanPlanet(position + 1), spheres[(here - spheres + 1) % 7]) << position;
    }
    EXPECT_EQ(ChaldeanPlanet(34), 5);
    EXPECT_EQ(ChaldeanPlanet(35), 0);
    EXPECT_EQ(ChaldeanPlanet(-1), 0);
}

TEST(WeekdayOf, KnownDatesAndTheChangeAtMidnight) {
    struct Case {
        long double jd;
        int weekday;
    };
    const Case cases[] = {
        {2451544.5L, 6},         // 1 January 2000, 00:00, a Saturday
        {2451545.4999L, 6},      // the same Saturday at 23:59
        {2451545.5L, 0},         // Sunday 2 January 2000 at midnight
        {2440422.5L + 0.85L, 0}, // Sunday 20 July 1969, 20:24
        {2299160.5L, 5},         // Friday 15 October 1582
        {2299159.5L, 4},         // Thursday 4 October 1582, the day before it
        {2459295.4L, 0},         // Sunday 21 March 2021, 21:36
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<double>(c.jd));
        PlanetaryHourState state;
        EXPECT_EQ(WeekdayOf(c.jd, state), c.weekday);
        EXPECT_EQ(state.PlanetaryDayName, WeekdayName(c.weekday));
    }
}

// ---------------------------------------------------------------- year rulers

TEST(MapYearIntoTable, WholeCyclesOf252Years) {
    struct Case {
        int year, mapped;
    };
    const Case cases[] = {
        {1, 1765},    {252, 2016},  {253, 1765},  {504, 2016},  {1008, 2016},
        {1499, 2003}, {1512, 2016}, {1513, 1765}, {1600, 1852}, {1764, 2016},
        {1765, 1765}, {2016, 2016}, {2017, 1765}, {2268, 2016}, {2269, 1765},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MapYearIntoTable(c.year), c.mapped) << c.year;
}

class YearRulersTest : public ::testing::Test {
  protected:
    test::ScratchFolder folder;

    void writeTable() const {
        folder.write("Appoggio/GoverAnno.txt", "18520305\r\n"
                                               "20030706\r\n"
                                               "19770301 any text after the numbers\r\n"
                                               "20160402\r\n");
    }
    // A subject of the Julian calendar born on the date given, with the natal Sun placed.
    static ChartState Born(int year, int month, int day, long double sun) {
        ChartState chart;
        chart.GregorianCalendar = year > 1582;
        chart.JulianDay = JulianDayOf(chart.GregorianCalendar ? 1 : 0, 0, 12, year, month, day);
        chart.ChartLongitude[ChartOrder::Sun] = sun;
        return chart;
    }
};

TEST_F(YearRulersTest, TheYearBeforeTheEquinoxBelongsToTheYearBefore) {
    writeTable();
    struct Case {
        int year, month, day;
        long double sun;
        const char* yearRuler;
        const char* cycleRuler;
    };
    const Case cases[] = {
        // February 1500: the Sun lies beyond its longitude at the end of 1500, so the year
        // is 1499, which the table holds as 2003.
        {1500, 2, 15, 330, "Saturno", "Júpiter"},
        // July 1600: the year itself, 1852.
        {1600, 7, 1, 100, "Mercurio", "Marte"},
        // 1977 is in the table and read up to its eighth character only.
        {1977, 6, 1, 70, "Mercurio", "el Sol"},
        // 1900 is not in the table: its last line is used.
        {1900, 6, 1, 70, "Venus", "la Luna"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.year);
        ChartState chart = Born(c.year, c.month, c.day, c.sun);
        const ChartState before = chart;
        const YearRulerNames rulers = YearRulers(chart, NoCorrections());
        EXPECT_EQ(rulers.year, Cp1252FromUtf8(c.yearRuler));
        EXPECT_EQ(rulers.cycle, Cp1252FromUtf8(c.cycleRuler));
        EXPECT_EQ(chart.ChartLongitude, before.ChartLongitude);
        EXPECT_EQ(chart.ChartLatitude, before.ChartLatitude);
    }
}

TEST_F(YearRulersTest, AMissingTableIsAFileError) {
    ChartState chart = Born(1977, 6, 1, 70);
    EXPECT_THROW(YearRulers(chart, NoCorrections()), InOutError);
}

// ---------------------------------------------------------------- sunrise

struct SunriseCase {
    Place place;
    int year, month, day;
};

TEST(FindSunrise, TheSunsCentreMeetsTheHorizonWhenAnAlmanacSaysSo) {
    // The program's sunrise is the instant the Sun's longitude reaches the Ascendant: the
    // centre of the Sun on the horizon, without refraction, 4 to 8 minutes after the
    // almanac's sunrise (upper limb at -0.833°). The search stops once the Sun is within
    // 0.4° of the Ascendant and reads the clock to the whole minute, so it ends up to about
    // 3 minutes before the exact crossing and at most half a minute after it.
    const SunriseCase cases[] = {
        {kLondonSummer, 2021, 6, 21}, {kRome, 2021, 3, 21},         {kRome, 2021, 12, 21},
        {kBuenosAires, 2021, 6, 21},  {kBuenosAires, 2021, 12, 21},
    };
    for (const SunriseCase& c : cases) {
        SCOPED_TRACE(std::string(c.place.name) + " " + std::to_string(c.month));
        ChartState chart = Subject(c.place, c.year, c.month, c.day, 12, 0);
        PlanetaryHourState state;
        FindSunrise(chart, state);
        const double midnight = LocalMidnight(c.place, c.year, c.month, c.day);
        const double centre =
            almanac::Crossing(midnight, true, 0, c.place.latitude(), c.place.eastLongitude());
        const double found = static_cast<double>(state.SunriseJulianDay);
        EXPECT_GE(found, centre - 3.5 * kMinute);
        EXPECT_LE(found, centre + 1 * kMinute);
    }
}

TEST(FindSunrise, TheAlmanacComputationReproducesAPublishedSunrise) {
    // London, 21 June 2021: sunrise 04:43 BST, 03:43 UT, in the published tables.
    const double midnight = LocalMidnight(kLondonSummer, 2021, 6, 21);
    const double rise = almanac::Crossing(midnight, true, -0.833, kLondonSummer.latitude(),
                                          kLondonSummer.eastLongitude());
    EXPECT_NEAR(rise, JulianDayOf(1, 43, 3, 2021, 6, 21), 1 * kMinute);
}

TEST(FindSunrise, PolarNightRunsOutOfStepsQuietly) {
    // At 89° north from November on the Sun stays below the horizon for months: the search
    // takes all its steps and still returns an instant within the birth day.
    const Place pole = {"Polo", 89, 0, "N", 0, 0, "E", 0};
    ChartState chart = Subject(pole, 2021, 11, 1, 12, 0);
    const ChartState before = chart;
    const SunriseSearch search = SearchSunrise(chart);
    EXPECT_EQ(search.steps, kSunriseSteps);
    EXPECT_FALSE(search.reached);
    const double midnight = LocalMidnight(pole, 2021, 11, 1);
    EXPECT_GE(static_cast<double>(search.julianDay), midnight);
    EXPECT_LE(static_cast<double>(search.julianDay), midnight + 1);
    EXPECT_EQ(chart.ChartLongitude, before.ChartLongitude);
}

// ---------------------------------------------------------------- planetary hour

// The ruler of hour h of a weekday, counted down the spheres from the day's own planet.
std::string TraditionalHourRuler(int weekday, int hour) {
    const char* spheres[] = {"Saturno", "Júpiter",  "Marte",  "el Sol",
                             "Venus",   "Mercurio", "la Luna"};
    const int dayPlanet[] = {3, 6, 2, 5, 1, 4, 0}; // Sunday's Sun … Saturday's Saturn
    return Cp1252FromUtf8(spheres[(dayPlanet[weekday] + hour - 1) % 7]);
}

struct HourCase {
    Place place;
    int year, month, day; // the calendar date of the birth
    int hour;             // the planetary hour expected, 1–24
    int weekday;          // of the planetary day expected
    bool beforeSunrise;   // a night hour before the sunrise of the birth date
};

TEST(ComputePlanetaryHour, TheBirthFallsInItsTwelfthOfTheDayOrTheNight) {
    // The birth is placed in the middle of the hour, by the almanac's sunrise and sunset
    // of the Sun's centre (the program's own horizon); the day and night are divided into
    // twelve equal parts each.
    const HourCase cases[] = {
        {kRome, 2021, 3, 21, 1, 0, false},          // Sunday after sunrise: the Sun's hour
        {kRome, 2021, 3, 21, 7, 0, false},          // Sunday just after noon
        {kRome, 2021, 3, 21, 12, 0, false},         // the last hour before sunset
        {kRome, 2021, 3, 21, 15, 0, false},         // Sunday evening
        {kRome, 2021, 3, 22, 22, 0, true},          // Monday before sunrise: still Sunday
        {kRome, 2021, 3, 22, 24, 0, true},          // its last hour, just before sunrise
        {kLondonSummer, 2021, 6, 20, 10, 0, false}, // a long summer day
        {kLondonSummer, 2021, 6, 21, 20, 0, true},  // a short summer night, Monday early
        {kBuenosAires, 2021, 6, 23, 4, 3, false},   // a southern winter Wednesday
        {kBuenosAires, 2021, 6, 23, 15, 3, false},  // and its evening
    };
    for (const HourCase& c : cases) {
        SCOPED_TRACE(std::string(c.place.name) + " " + std::to_string(c.day) + " hour " +
                     std::to_string(c.hour));
        const double lat = c.place.latitude(), lon = c.place.eastLongitude();
        const double midnight = LocalMidnight(c.place, c.year, c.month, c.day);
        double start = 0, end = 0; // of the day or the night the hour belongs to
        int part = 0;
        if (c.hour <= 12) {
            start = almanac::Crossing(midnight, true, 0, lat, lon);
            end = almanac::Crossing(start, false, 0, lat, lon);
            part = c.hour - 1;
        } else if (c.beforeSunrise) {
            end = almanac::Crossing(midnight, true, 0, lat, lon);
            start = almanac::Crossing(end - 1, false, 0, lat, lon);
            part = c.hour - 13;
        } else {
            start = almanac::Crossing(almanac::Crossing(midnight, true, 0, lat, lon), false, 0, lat,
                                      lon);
            end = almanac::Crossing(start, true, 0, lat, lon);
            part = c.hour - 13;
        }
        const double birth = start + (part + 0.5) * (end - start) / 12;
        const long minutes = std::lround((birth - midnight) * 1440); // local clock
        ASSERT_GE(minutes, 0);
        ASSERT_LT(minutes, 1440);
        ChartState chart = Subject(c.place, c.year, c.month, c.day, static_cast<int>(minutes / 60),
                                   static_cast<int>(minutes % 60));
        PlanetaryHourState state;
        ComputePlanetaryHour(chart, state);
        EXPECT_EQ(state.PlanetaryHour, c.hour);
        EXPECT_EQ(state.PlanetaryDayName, WeekdayName(c.weekday));
        EXPECT_EQ(state.HourRulerName, TraditionalHourRuler(c.weekday, c.hour));
    }
}

TEST(ComputePlanetaryHour, TheChartIsLeftAsItWas) {
    ChartState chart = Subject(kRome, 2021, 3, 21, 9, 30);
    chart.ChartLatitude[ChartOrder::Moon] = 4.5;
    const ChartState before = chart;
    PlanetaryHourState state;
    ComputePlanetaryHour(chart, state);
    EXPECT_EQ(chart.ChartLongitude, before.ChartLongitude);
    EXPECT_EQ(chart.ChartLatitude, before.ChartLatitude);
    EXPECT_EQ(chart.HouseCusp, before.HouseCusp);
    EXPECT_EQ(chart.MidheavenRad, before.MidheavenRad);
    EXPECT_EQ(chart.AscendantRad, before.AscendantRad);
    // The sidereal time left behind is that of the birth's own sky.
    EXPECT_NEAR(static_cast<double>(chart.SiderealTimeHours),
                static_cast<double>(before.SiderealTimeHours), 1e-9);
}

// ---------------------------------------------------------------- page lines

TEST(PlanetaryHourPages, LinesFromTheResults) {
    ChartState chart;
    chart.HouseCusp[1] = 75;                 // 15° Gemini
    chart.MidheavenRad = 100.5L * kDegToRad; // 10°30' Cancer
    chart.TimeCorrection = -1;               // the clock of Rome in winter
    PlanetaryHourState state;
    state.SunriseJulianDay = JulianDayOf(1, 42, 4, 2021, 3, 21); // 04:42 Universal Time
    state.PlanetaryDayName = WeekdayName(3);
    state.PlanetaryHour = 14;
    state.HourRulerName = RulerName(6);
    const YearRulerNames rulers = {RulerName(4), RulerName(2)};

    const std::vector<PageLine> analysis = AnalysisPageLines(chart, state, rulers);
    const std::vector<PageLine> expected = {
        {"El sol sale a las: 05:42", 0x00FFFF},
        {"Día Planetario: Miércoles"_cp, 0xFFFF00},
        {"Hora Planetaria: 2 Nocturna", 0xFFFF00},
        {"Dominado por Júpiter"_cp, 0xFFFF00},
        {"Ascendente 15Gém00"_cp, 0xFFFFFF},
        {"Dominado por Mercurio", 0xFFFFFF},
        {"Medio Cielo 10Cán30"_cp, 0xFFFF00},
        {"Dominado por la Luna", 0xFFFF00},
        {"Año de Venus"_cp, 0xFFFF00},
        {"En el ciclo de la Luna", 0xFFFF00},
    };
    ASSERT_EQ(analysis.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(analysis[i].text, expected[i].text);
        EXPECT_EQ(analysis[i].colour, expected[i].colour);
    }

    state.PlanetaryHour = 12;
    const std::vector<PageLine> printed = PrintedPageLines(chart, state, rulers);
    ASSERT_EQ(printed.size(), 9u);
    EXPECT_EQ(printed[0].text, "Día Planetario: Miércoles"_cp);
    EXPECT_EQ(printed[1].text, "Hora  Planetaria: 12 Diurna");
    EXPECT_EQ(printed[2].text, "Regido por Júpiter"_cp);
    EXPECT_EQ(printed[4].text, "Regido por Mercurio");
    EXPECT_EQ(printed[6].text, "Regido por la Luna");
    EXPECT_EQ(printed[8].text, "En el ciclo de la Luna");
}

} // namespace
} // namespace exo
