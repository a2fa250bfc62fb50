#pragma once
// The three tables of small corrections in FilePosi: the difference between a reference
// ephemeris and this engine's own theory, tabulated at fixed steps. Each lookup reads the
// two records around the instant and interpolates linearly between them.
//
//   DSEL.rnd    2-byte records, one per day from JD 1721420.5: Moon longitude, arcseconds.
//   DPR1.rnd    32-byte records, one every 5 days from JD 1721409: planet longitudes and
//               latitudes and the true node, arcminutes.
//   NOJLNE.rnd  4-byte records, one per day from JD 2341972.5: corrected Black Moon,
//               arcseconds.
//
// A missing or short file raises InOutError. The installed files never change while the
// program runs, so each is mapped once; the mapping is dropped when the file on disk is
// replaced, shortened or removed.
#include <array>
#include <cstdint>
#include <string>

namespace exo {

inline constexpr long double kMoonTableStart = 1721420.5L;
inline constexpr long double kPlanetTableStart = 1721409.0L;
inline constexpr long double kApogeeTableStart = 2341972.5L;
inline constexpr int kPlanetRecordDays = 5;
inline constexpr int kPlanetRecordSize = 32;

// Ranges (Julian Day, Universal Time) in which the engine applies each table.
inline constexpr long double kMoonCorrectionFrom = 1721422.5L;   // exclusive
inline constexpr long double kMoonCorrectionTo = 2499373.5L;     // exclusive
inline constexpr long double kPlanetCorrectionFrom = 1721423.5L; // inclusive
inline constexpr long double kPlanetCorrectionTo = 2415020.5L;   // exclusive
inline constexpr long double kNodeCorrectionFrom = 1721433.5L;   // exclusive
inline constexpr long double kNodeCorrectionTo = 2499373.5L;     // exclusive
inline constexpr long double kApogeeCorrectionFrom = 2396758.5L; // inclusive
inline constexpr long double kApogeeCorrectionTo = 2488433.5L;   // exclusive

// Record numbers of the lookups.
std::int64_t MoonRecordOf(long double jd);
std::int64_t PlanetRecordOf(long double jd);
std::int64_t ApogeeRecordOf(long double jd);

// Fields of a DPR1 record: 1–7 longitude of Mercury … Neptune, 8 longitude of Pluto,
// 9 true node, 10–16 latitude of Mercury … Neptune, 17 latitude of Pluto.
inline constexpr int kPlanetFields = 17;
struct PlanetRecord {
    long double julianDay = 0;
    std::array<int, kPlanetFields + 1> field{}; // field[1..17], arcminutes
};
// The 32 bytes of a DPR1 record; out-of-range fields are clamped to what the byte holds.
std::string EncodePlanetRecord(const PlanetRecord& record);
PlanetRecord DecodePlanetRecord(const char* bytes);

// The 6-byte real: byte 0 the exponent biased by 129 (0 for zero), bytes 1–5 the mantissa
// below an implied leading 1 (least significant first), bit 7 of byte 5 the sign.
long double DecodeReal48(const unsigned char* bytes);
// The nearest 6-byte real; raises std::range_error for values it cannot hold.
std::array<unsigned char, 6> EncodeReal48(long double value);

// The lookups, in the table's unit (arcseconds for the Moon and the Black Moon, arcminutes
// for DPR1). They read the files of the current folder, the program folder.
long double ReadMoonCorrection(long double jd);
long double ReadPlanetCorrection(int field, long double jd);
long double ReadApogeeCorrection(long double jd);

// Where the engine takes its corrections from: the program folder, or nothing at all when
// the bare theory is wanted (the builder of the tables, the accuracy measurements).
class CorrectionSource {
  public:
    virtual ~CorrectionSource() = default;
    virtual long double moon(long double jd) const = 0;
    virtual long double planet(int field, long double jd) const = 0;
    virtual long double apogee(long double jd) const = 0;
};
const CorrectionSource& ProgramFolderCorrections();
const CorrectionSource& NoCorrections();

// While one lives, each table is checked against the disk at its first lookup only: one
// computation of a chart reads the tables many times, and they do not change under it.
class CorrectionFileScope {
  public:
    CorrectionFileScope();
    ~CorrectionFileScope();
    CorrectionFileScope(const CorrectionFileScope&) = delete;
    CorrectionFileScope& operator=(const CorrectionFileScope&) = delete;

  private:
    std::uint64_t outer_;
};

// Forgets the mapped files (tests that rewrite them between lookups call it; the lookups
// notice replaced files on their own).
void ForgetCorrectionFiles();

} // namespace exo
