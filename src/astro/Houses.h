#pragma once
// Local sidereal time, Midheaven, Ascendant and the twelve house cusps.
#include "chart/ChartState.h"

#include <array>
#include <cstdint>
#include <string>

namespace exo {

// The inputs in the order the callers pass them.
struct HouseInputs {
    std::int32_t mode = 1;
    std::int32_t longitudeDegrees = 0;
    std::int32_t longitudeMinutes = 0;
    std::string referenceLetter = "N";
    long double extraHours = 0;
    long double timeCorrection = 0; // hours added to the clock time to give Universal Time
    std::int32_t minute = 0;
    std::int32_t hour = 0;
    std::string latitudeLetter = "N";
    std::int32_t latitudeDegrees = 0;
    std::int32_t latitudeMinutes = 0;
    std::string longitudeLetter = "E"; // "O" or "W" for west
    long double julianDay = 0;         // Universal Time
};

// Everything the house computation leaves behind.
struct HouseResult {
    std::array<long double, 16> cusp{}; // cusp[1..12], degrees in [0, 360)
    long double ascendantRad = 0;
    long double midheavenRad = 0;
    long double siderealTimeHours = 0;
};

// Computes the houses in the system `systemName` ("PLACIDO", "CASE_UGUALI", "CASE_MEDIE",
// "KOCH", "REGIOMONT", "PORFIRIO", "CAMPANO", "MORINO", "ALCABIZIO"); any other name sets
// only houses 1 and 10 and keeps the other cusps of `previous`. Cusp 1 is the Ascendant and
// cusp 10 the Midheaven except for the equal systems (house 10 = Ascendant + 270°) and
// Morinus (its own projections of the equator divisions); the two results in radians are
// always the true Ascendant and Midheaven. Slots 0 and 13 to 15 are copied from `previous`.
HouseResult ComputeHouses(const HouseInputs& in, const std::string& systemName,
                          const std::array<long double, 16>& previous = {});

// The same, reading the system name from chart.HouseSystemName and writing HouseCusp,
// AscendantRad, MidheavenRad and SiderealTimeHours into the chart.
void ComputeHouses(const HouseInputs& in, ChartState& chart = GlobalChart());

// The inputs of the current subject: its place, clock time, correction and Julian Day.
HouseInputs HouseInputsOf(const ChartState& chart);

// Ecliptic longitude of the ecliptic point with right ascension alpha (degrees).
long double LongitudeOfRightAscension(long double alpha, long double cosObliquity);

// The Placidus semi-arc solution for the fraction f of the semi-arc, with K = −tan φ·tan ε:
// the right ascension Normalize360(f·H + ramc) of the cusp, degrees.
long double PlacidusRightAscension(long double fraction, long double k, long double ramc);

} // namespace exo
