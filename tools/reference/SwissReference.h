#pragma once
// The reference ephemeris the correction tables and the accuracy measurements compare the
// engine with: the Swiss Ephemeris library, reading its ephemeris files inside their range
// and using its built-in analytic ephemeris outside it. Only the builders in tools/ and the
// benchmarks link it; the program never does.
#include <string>

namespace exo::reference {

// Bodies by the engine's ephemeris index: 1 Sun, 2 Moon, 3–10 Mercury … Pluto,
// 11 true node, 12 osculating lunar apogee, 15–19 Ceres, Pallas, Juno, Vesta, Chiron.
struct Position {
    double longitude = 0; // degrees
    double latitude = 0;
    double longitudeSpeed = 0; // degrees per day (when asked for)
};

// Opens the library once with the ephemeris folder of Debian's swe-basic-data (or
// `folder`); safe to call more than once.
void Open(const std::string& folder = {});
void Close();

// Apparent geocentric ecliptic position of date at jd (Universal Time). Raises
// std::runtime_error when the library cannot compute the body at jd.
Position Apparent(int body, double jdUt, bool withSpeed = false);

// Heliocentric rectangular coordinates, mean ecliptic and equinox of date, geometric (no
// light time, no aberration, no nutation), astronomical units; jd in Universal Time.
struct Rectangular {
    double x = 0, y = 0, z = 0;
};
Rectangular Heliocentric(int body, double jdUt);

// Placidus houses at jd for the geographic latitude and east longitude (degrees):
// the ascendant and midheaven, and fills cusps[1..12].
struct Houses {
    double cusp[13] = {};
    double ascendant = 0;
    double midheaven = 0;
};
Houses PlacidusHouses(double jdUt, double latitude, double eastLongitude);

// Whether the body is inside the range of the ephemeris files at jd (so the answer has the
// files' precision rather than the analytic ephemeris's).
bool InsideFileRange(int body, double jdUt);

} // namespace exo::reference
