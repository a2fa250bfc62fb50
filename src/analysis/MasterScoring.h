#pragma once
// The master scoring of the planets (unit UnMaitre): the ten planets Sun to Pluto of the
// birth chart rated by fixed tables (affinity with the rising sign, value in the sign, the
// traditional sectors, position in the house, affinity with the house, gender, speed). The
// scorer works from FileTmp\DatiNasc.Tmp, computes its own chart at the birth instant and
// two hours later, and writes the report FileDum\MMMaitre.dum and the powers with the
// element strengths FileDum\MMMaitr2.dum. Texts are Windows-1252 bytes.
#include "chart/ChartState.h"
#include "platform/ShortString.h"

#include <array>
#include <cstdint>
#include <string>

namespace exo {

inline constexpr const char* kNatalDataFile = "FileTmp\\DatiNasc.Tmp";
inline constexpr const char* kMasterReportFile = "FileDum\\MMMaitre.dum";
inline constexpr const char* kMasterPowersFile = "FileDum\\MMMaitr2.dum";
inline constexpr const char* kMasterScratchFile = "FileDum\\Dati.dum";

// Scoring points: 1 Sun … 10 Pluto (ephemeris order), 11 Ascendant, 12 Midheaven. Only the
// planets score; the two angles get a sign and a house.
inline constexpr int kScoredPlanets = 10;
inline constexpr int kScoringPoints = 12;
inline constexpr int kScoringAscendant = 11;
inline constexpr int kScoringMidheaven = 12;

// cusp[1..12] as HouseCusp holds them.
using CuspArray = std::array<long double, 16>;
// Per planet 1 … 10 (slot 0 unused).
using PlanetScores = std::array<std::int32_t, kScoredPlanets + 1>;

// The partial scores, each from its table.

// SignPlanetValue of the Ascendant's sign, plus that of the next sign when the Ascendant
// lies in the last three degrees of its sign (30 − position < 3).
std::int32_t RisingSignAffinity(int planet, long double ascendant);
// SignPlanetValue[sign][planet].
std::int32_t SignValue(int planet, int sign);
// 5 strictly inside one of the four sectors of a traditional planet (1 … 7), else 0.
std::int32_t TraditionalBonus(int planet, long double longitude);
// The first house h whose span from cusp h holds the point (offset ≤ span): a point on the
// cusp of houses 2 to 12 belongs to the house that ends there, one on the Ascendant to
// house 1. 0 when no house holds it (cusps that are no numbers).
int ScoringHouse(long double longitude, const CuspArray& cusp);
// The value of the division of `house` in which the point falls, counted from the whole
// degrees past the cusp; one step past the house's end gives the first value of the next
// house's run. 0 for house 0.
std::int32_t HousePositionValue(long double longitude, int house, const CuspArray& cusp);
// PlanetHouseAffinity[planet][house]; 0 for house 0.
std::int32_t HouseAffinity(int planet, int house);
// PlanetSignGender[planet][sign].
std::int32_t GenderAgreement(int planet, int sign);
// Daily motion from two longitudes two hours apart, the short way round 0°.
double DailySpeed(long double birth, long double later);
// 1, 3 or 5 for slow, ordinary and fast direct motion; −1, −3, −5 backward.
std::int32_t SpeedValue(int planet, double speed);

// Fire, earth, air, water: the sign sums of the totals scaled so that the strongest sign
// gives 50, a sign of 0 or less counting 1, summed over the triplicities and rounded (halves
// to even). When no sign sum is positive every sign counts 1, which gives 3 for each element.
using ElementStrengths = std::array<long, 4>;
// total[k] and sign[k] for the scoring points k = 1 … 12.
ElementStrengths ElementStrengthsOf(const std::array<std::int32_t, kScoringPoints + 1>& total,
                                    const std::array<int, kScoringPoints + 1>& sign);

// The scoring chart: λ(k) at birth for the points 1 … 12, the planets' longitudes two hours
// later, and the cusps.
struct ScoringChart {
    std::array<long double, kScoringPoints + 1> longitude{};
    std::array<long double, kScoredPlanets + 1> later{};
    CuspArray cusp{};
};

// The report's blocks in their order.
enum ScoreBlock : int {
    RisingBlock = 0,
    SignBlock,
    TraditionalBlock,
    HousePositionBlock,
    HouseAffinityBlock,
    GenderBlock,
    SpeedBlock,
};
inline constexpr int kScoreBlocks = 7;

struct MasterScores {
    std::array<int, kScoringPoints + 1> sign{};
    std::array<int, kScoringPoints + 1> house{};
    std::array<double, kScoredPlanets + 1> speed{};
    int risingSign = 0;
    std::array<PlanetScores, kScoreBlocks> blocks{};
    // MasterTotal, with 0 for the Ascendant and the Midheaven.
    std::array<std::int32_t, kScoringPoints + 1> total{};
    ElementStrengths elements{};            // over all ten planets
    ElementStrengths traditionalElements{}; // over Sun to Saturn
};

// The seven blocks of a chart, without totals.
MasterScores ScoreBlocks(const ScoringChart& chart);
// Totals and element strengths from the blocks.
void AddUpScores(MasterScores& scores);

// Reads lines 1 to 5 of FileTmp\DatiNasc.Tmp into `chart` (SubjectName, BirthStamp,
// BirthPlaceField, the birth numbers, CorrectionText, TimeCorrection, the coordinate fields,
// CoordinatesText, GregorianCalendar) and sets JulianDay from the birth data (the stored
// Julian Day is replaced). Returns the report's birth header. A correction that is no number
// counts 0. Raises InOutError when the file is missing or has no real on line 5.
std::string ReadNatalData(ChartState& chart = GlobalChart());

// Writes FileTmp\DatiNasc.Tmp from the chart as it stands.
void WriteNatalDataFile(const ChartState& chart = GlobalChart());

// The scoring: reads FileTmp\DatiNasc.Tmp, computes the chart in the house system the chart
// names, and writes FileDum\Dati.dum, FileDum\MMMaitre.dum and FileDum\MMMaitr2.dum. Leaves
// the chart changed: the birth fields of the file, JulianDay, the houses, and the longitudes
// and latitudes of two hours after the birth. Raises InOutError for a file that cannot be
// read or written.
void RunMasterScoring(ChartState& chart = GlobalChart());

// The planetary-powers run of the analysis window. PreparePowersChart: the houses in
// "PLACIDO", the bodies at JulianDay in ephemeris order with 13 the Ascendant and 14 the
// Midheaven, longitudes made positive; returns the run's own retrograde marks.
using PowersRetroMarks = std::array<ShortString<1>, kPointSlots>;
PowersRetroMarks PreparePowersChart(ChartState& chart = GlobalChart());
// Prepares the chart, writes the data file, scores, restores TimeCorrection and JulianDay,
// prepares the chart again and rewrites the data file. The caller recomputes the normal
// chart afterwards.
PowersRetroMarks RunPlanetaryPowersScoring(ChartState& chart = GlobalChart());

} // namespace exo
