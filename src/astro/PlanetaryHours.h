#pragma once
// Sunrise of the birth day, the planetary day and hour of the birth and their rulers, the
// rulers of the Ascendant's and Midheaven's signs, and the rulers of the birth year and of
// its cycle.
#include "astro/Houses.h"
#include "chart/ChartState.h"

#include <array>
#include <string>
#include <vector>

namespace exo {

class CorrectionSource;

struct PlanetaryHourState {
    long double SunriseJulianDay = 0; // Universal Time
    std::string PlanetaryDayName;     // Windows-1252
    int PlanetaryHour = 0;            // 1–12 by day, 13–24 by night, 0 when not found
    std::string HourRulerName;        // Windows-1252; empty when no hour was found
    // Ecliptic longitudes dividing the day (1 … 13) and the night (13 … 25) into twelve
    // hours each; 25 repeats 1 and 0 repeats 24.
    std::array<long double, 26> HourBoundaries{};
};
// The process-wide results the pages read.
PlanetaryHourState& GlobalPlanetaryHours();

// Weekday of jd, 0 = Sunday; also sets PlanetaryDayName.
int WeekdayOf(long double jd, PlanetaryHourState& state = GlobalPlanetaryHours());
// Fixed tables (Windows-1252 texts). Outside their ranges the names are empty and the
// numbers 0.
const std::string& WeekdayName(int weekday); // 0 … 6
const std::string& RulerName(int planet);    // 1 … 7
int SignRuler(int sign);                     // 1 … 12 → planet 1 … 7
int ChaldeanPlanet(int position);            // 0 … 34
int WeekdayOffset(int weekday);              // 0 … 6

// The sunrise search: steps from the local midnight of the birth date towards the instant
// at which the Sun's longitude meets the Ascendant, at most kSunriseSteps of them.
inline constexpr int kSunriseSteps = 2001;
struct SunriseSearch {
    long double julianDay = 0; // Universal Time, within the day after the local midnight
    int steps = 0;
    bool reached = false; // false when the steps ran out (polar day or night)
};
// Reads the chart's birth date and place; the chart is left as it is.
SunriseSearch SearchSunrise(const ChartState& chart);
// SunriseJulianDay from SearchSunrise.
void FindSunrise(ChartState& chart = GlobalChart(),
                 PlanetaryHourState& state = GlobalPlanetaryHours());

// The hour boundaries for the sky of `sky` (its sidereal time, latitude and obliquity);
// also stores that sidereal time in chart.SiderealTimeHours.
void ComputeHourBoundaries(const HouseInputs& sky, ChartState& chart,
                           PlanetaryHourState& state = GlobalPlanetaryHours());
// The same for the sky of the birth.
void ComputeHourBoundaries(ChartState& chart = GlobalChart(),
                           PlanetaryHourState& state = GlobalPlanetaryHours());
// Sunrise, planetary day, hour boundaries, planetary hour and its ruler. The chart's
// longitudes, cusps and Midheaven are left as they were.
void ComputePlanetaryHour(ChartState& chart = GlobalChart(),
                          PlanetaryHourState& state = GlobalPlanetaryHours());

// The year mapped into 1765–2016 by whole 252-year cycles.
int MapYearIntoTable(int year);
struct YearRulerNames {
    std::string year;  // ruler name of the year
    std::string cycle; // ruler name of its cycle
};
// Reads Appoggio\GoverAnno.txt; raises InOutError when it is missing. The year-end Sun is
// computed with the corrections of the program folder, or of `corrections`.
YearRulerNames YearRulers(ChartState& chart = GlobalChart());
YearRulerNames YearRulers(ChartState& chart, const CorrectionSource& corrections);

// One line of the planetary-hours pages.
struct PageLine {
    std::string text;    // Windows-1252
    unsigned colour = 0; // 0x00BBGGRR
};
// The ten lines of the analysis page and the nine of the printed page, from the results
// of ComputePlanetaryHour and YearRulers.
std::vector<PageLine> AnalysisPageLines(const ChartState& chart, const PlanetaryHourState& state,
                                        const YearRulerNames& rulers);
std::vector<PageLine> PrintedPageLines(const ChartState& chart, const PlanetaryHourState& state,
                                       const YearRulerNames& rulers);

} // namespace exo
