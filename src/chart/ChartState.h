#pragma once
// The one chart of the program: the current subject's chart, which every analysis, drawing
// and remedy link reads. The chart computation fills it; the master scoring and the
// planetary hours recompute positions for other instants into the same arrays.
#include "platform/ShortString.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace exo {

// Per-point arrays are indexed 0 to 24; slot 0 and slots 23 and 24 are never used. Loops
// over all points run over 1 to 22; the traditional chart is made of points 1 to 11.
inline constexpr int kPointSlots = 25;
inline constexpr int kFirstPoint = 1;
inline constexpr int kLastPoint = 22;
inline constexpr int kTraditionalPoints = 11;

// Point numbers in the order the ephemeris leaves them.
namespace EphemerisOrder {
enum : int {
    Sun = 1,
    Moon = 2,
    Mercury = 3,
    Venus = 4,
    Mars = 5,
    Jupiter = 6,
    Saturn = 7,
    Uranus = 8,
    Neptune = 9,
    Pluto = 10,
    LunarNode = 11, // mean or true, as the node kind says
    BlackMoon = 12, // lunar apogee, mean or corrected
    Ascendant = 13, // copy of the cusp of house 1
    Ceres = 15,
    Pallas = 16,
    Juno = 17,
    Vesta = 18,
    Chiron = 19,
};
}

// Point numbers in the order the chart computation leaves them.
namespace ChartOrder {
enum : int {
    Sun = 1,
    Moon = 2,
    Mercury = 3,
    Venus = 4,
    Mars = 5,
    Jupiter = 6,
    Saturn = 7,
    NorthNode = 8,
    SouthNode = 9, // North node + 180°
    Ascendant = 10,
    Midheaven = 11,
    BlackMoon = 12,
    AscendantCopy = 13,
    Ceres = 15,
    Pallas = 16,
    Juno = 17,
    Vesta = 18,
    Chiron = 19,
};
}

using PointReals = std::array<long double, kPointSlots>;
using PointBytes = std::array<std::uint8_t, kPointSlots>;

struct ChartState {
    // Per point.
    PointReals ChartLongitude{}; // degrees; negative while the ephemeris marks backward motion
    PointReals ChartLatitude{};
    PointReals SavedLatitude{};
    std::array<ShortString<1>, kPointSlots> RetroMark{};
    PointBytes PointSign{}; // 1 Aries … 12 Pisces

    // Houses: HouseCusp[1..12]; slots 13 to 15 unused.
    std::array<long double, 16> HouseCusp{};
    long double AscendantRad = 0;
    long double MidheavenRad = 0;
    ShortString<15> HouseSystemName;
    std::int32_t HouseMode = 0;
    long double SiderealTimeHours = 0; // local sidereal time of the last house computation

    // Settings the ephemeris reads: "VERO" true node, else the mean node; "VERA" the
    // corrected Black Moon, else the mean one.
    ShortString<5> NodeKind;
    ShortString<5> ApogeeKind;

    // Time and place of the current subject.
    ShortString<80> SubjectName;
    ShortString<80> BirthStamp;
    ShortString<80> BirthDateText;
    ShortString<80> CorrectionText;
    long double TimeCorrection = 0; // hours added to clock time to give Universal Time
    long double BirthDay = 0;
    long double BirthMonth = 0;
    long double BirthYear = 0;
    long double BirthHour = 0;
    long double BirthMinute = 0;
    std::int32_t BirthHourWhole = 0;
    std::int32_t BirthMinuteWhole = 0;
    bool GregorianCalendar = false;
    long double JulianDay = 0;
    ShortString<80> JulianDayText;
    ShortString<80> ZoneText;
    ShortString<39> BirthPlaceField;
    ShortString<80> CoordinatesText;
    ShortString<80> LocalityText;
    ShortString<80> NationalityText;
    std::int32_t LatitudeDegrees = 0;
    std::int32_t LatitudeMinutes = 0;
    std::string LatitudeLetter;
    std::int32_t LongitudeDegrees = 0;
    std::int32_t LongitudeMinutes = 0;
    std::string LongitudeLetter;
    std::string SubjectNotes;
};

// The process-wide chart; the user-interface thread is its only user.
ChartState& GlobalChart();

// Every number 0, every string empty, every byte 0.
void ClearChartState(ChartState& chart = GlobalChart());

// Sign of a longitude: truncate(longitude ÷ 30) + 1.
std::uint8_t SignOfLongitude(long double longitude);

// sign[i] for the points 1 … count of longitude[].
void SignOfPoints(int count, std::span<const long double> longitude, std::span<std::uint8_t> sign);

// house[i] for the points 1 … count, from cusp[1..12]. A point exactly on a cusp belongs to
// the house that begins there; a point no house takes keeps its previous entry.
void HouseOfPoints(int count, std::span<const long double> longitude,
                   std::span<const long double> cusp, std::span<std::uint8_t> house);

// Fixed name tables (Windows-1252), 1-based: PointLabel in ephemeris order (1 … 12),
// SignLabel (1 … 12), ChartPointLabel in chart order (1 … 11).
const std::string& PointLabel(int point);
const std::string& SignLabel(int sign);
const std::string& ChartPointLabel(int point);

} // namespace exo
