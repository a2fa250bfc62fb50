#pragma once
// What the speed and accuracy measurements share: the program folder whose correction tables
// the engine reads, the birth place of every chart, and the Julian Days of the calendar
// boundaries the measurements are split at.
#include "astro/Houses.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace exo::bench {

// A length-prefixed field of `capacity` characters, zero-filled, as the archives store it.
inline std::string Field(std::string_view text, std::size_t capacity) {
    std::string bytes(1, static_cast<char>(text.size()));
    bytes += text;
    bytes.resize(capacity + 1, '\0');
    return bytes;
}

// A file of exactly these bytes, its folders made as needed.
inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Makes the program folder the current folder, as the program itself runs: the folder named
// by EXORVEX_PROGRAM_FOLDER, else ../program beside the folder of this executable. Raises
// std::runtime_error when the folder or one of the three correction tables is missing.
// Returns the folder.
std::string EnterProgramFolder();

// The place of every measured chart: Milan, 45°28' N, 9°11' E.
inline constexpr int kLatitudeDegrees = 45;
inline constexpr int kLatitudeMinutes = 28;
inline constexpr int kLongitudeDegrees = 9;
inline constexpr int kLongitudeMinutes = 11;
inline constexpr double kLatitude = kLatitudeDegrees + kLatitudeMinutes / 60.0;
inline constexpr double kEastLongitude = kLongitudeDegrees + kLongitudeMinutes / 60.0;

// The house inputs at that place for an instant in Universal Time, given as the Julian Day
// of its 0h UT and the minute of the day. The clock reads Central European Time (UT + 1h),
// as the charts of Milan are entered.
HouseInputs HouseInputsAt(long double midnightJulianDay, int minuteOfDay);

// 0h UT of 1 January of these years (1000 in the Julian calendar, the others Gregorian).
inline constexpr long double kJulianDay1000 = 2086307.5L;
inline constexpr long double kJulianDay1850 = 2396758.5L;
inline constexpr long double kJulianDay1900 = 2415020.5L;
inline constexpr long double kJulianDay2020 = 2458849.5L;
inline constexpr long double kJulianDay2080 = 2480764.5L;

} // namespace exo::bench
