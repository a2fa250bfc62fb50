#pragma once
// The classical divisions of the chart points: dignity of the seven traditional planets,
// antiscia and contrantiscia, dodecatemoria, and the three numbered divisions of the
// zodiac the program calls décadas (10° from 0° Aries), términos (6° from 15° before the
// Ascendant) and decanos (10° from 0° Aries, written as a text key). Points are the 11
// chart points in chart order (1 Sun … 11 Midheaven); longitudes are degrees in [0, 360).
#include "chart/ChartState.h"

#include <array>
#include <cstdint>
#include <string>

namespace exo {

inline constexpr int kDivisionPoints = 11; // Sun … Midheaven
inline constexpr int kDignityPlanets = 7;  // Sun … Saturn

// Per-point tables indexed by the point number 1 … 11; slot 0 is never used.
using DivisionReals = std::array<long double, kDivisionPoints + 1>;
using DivisionNumbers = std::array<int, kDivisionPoints + 1>;
using DivisionKeys = std::array<std::string, kDivisionPoints + 1>;

// What the last computation derived; it describes the chart as it was then.
struct DivisionValues {
    // DignityKind of planets 1 … 7 in their signs; the archetypal structure adds Reception.
    std::array<std::uint8_t, kDignityPlanets + 1> DignityCode{};
    DivisionNumbers DecadeNumber{}; // 1 … 36
    DivisionNumbers TermNumber{};   // 1 … 60
    DivisionKeys DecanKey{};        // "SolDec05"
    DivisionReals DodecatemoriaLongitude{};
    DivisionNumbers DodecatemoriaSign{};
    DivisionNumbers DodecaDecadeNumber{};
    DivisionNumbers DodecaTermNumber{};
    DivisionKeys DodecaDecanKey{};
};

// The process-wide values; the user-interface thread is their only user.
DivisionValues& GlobalDivisions();

// Fills every table from the first 11 longitudes and the cusp of house 1.
void ComputeDivisions(const ChartState& chart = GlobalChart(),
                      DivisionValues& values = GlobalDivisions());

// The mirror about the 0° Aries – 0° Libra axis: 360 − λ (so 0 gives 360, which the key
// lines treat as absent).
long double Antiscion(long double longitude);
// The mirror about the 0° Cancer – 0° Capricorn axis: (540 − λ) mod 360.
long double Contrantiscion(long double longitude);

// λ + 12·(λ mod 30), reduced to [0, 360).
long double DodecatemoriaOf(long double longitude);
// 1 … 36: the 10° sector from 0° Aries; a multiple of 10° belongs to the sector it begins.
int DecadeOf(long double longitude);
// 1 … 60: the 6° sector counted from 15° before the Ascendant; a boundary belongs to the
// sector it begins.
int TermOf(long double longitude, long double ascendant);
// 1 … 36, numbered as the décadas.
int DecanOf(long double longitude);
// 3-letter point code + "Dec" + the decan in two digits: "SolDec05".
std::string DecanKeyOf(int point, long double longitude);

} // namespace exo
