#pragma once
// Sunrise of the birth day, the planetary day and hour of the birth and their rulers, the
// rulers of the Ascendant's and Midheaven's signs, and the rulers of the birth year and of
// its cycle.
#include "chart/ChartState.h"

#include <array>
#include <string>
#include <vector>

namespace exo {

struct PlanetaryHourState {
    long double SunriseJulianDay = 0;
    std::string PlanetaryDayName; // Windows-1252
    int PlanetaryHour = 0;        // 1–12 by day, 13–24 by night, 0 when not found
    std::string HourRulerName;    // Windows-1252
    std::array<long double, 26> HourBoundaries{};
};
// The process-wide results the pages read.
PlanetaryHourState& GlobalPlanetaryHours();

// Weekday of jd, 0 = Sunday; also sets PlanetaryDayName.
int WeekdayOf(long double jd, PlanetaryHourState& state = GlobalPlanetaryHours());
// Fixed tables (Windows-1252 texts).
const std::string& WeekdayName(int weekday); // 0 … 6
const std::string& RulerName(int planet);    // 1 … 7
int SignRuler(int sign);                     // 1 … 12 → planet 1 … 7
int ChaldeanPlanet(int position);            // 0 … 34
int WeekdayOffset(int weekday);              // 0 … 6

void FindSunrise(ChartState& chart = GlobalChart(),
                 PlanetaryHourState& state = GlobalPlanetaryHours());
void ComputeHourBoundaries(ChartState& chart = GlobalChart(),
                           PlanetaryHourState& state = GlobalPlanetaryHours());
void ComputePlanetaryHour(ChartState& chart = GlobalChart(),
                          PlanetaryHourState& state = GlobalPlanetaryHours());

// The year mapped into 1765–2016 by whole 252-year cycles.
int MapYearIntoTable(int year);
struct YearRulerNames {
    std::string year;  // ruler name of the year
    std::string cycle; // ruler name of its cycle
};
// Reads Appoggio\GoverAnno.txt; raises InOutError when it is missing.
YearRulerNames YearRulers(ChartState& chart = GlobalChart());

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
