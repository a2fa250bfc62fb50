#pragma once
// The constitution pages of the analysis window as data: the elemental and seasonal webs
// (the seven traditional planets counted by the sign they occupy), the two humoral tables,
// the energetic affinities between the signs, and the planetary-powers bars from the master
// scores. The window draws what these give. Texts are Windows-1252 bytes; colours are in the
// platform's blue-green-red order.
#include "chart/ChartState.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace exo {

namespace Element {
enum : int { Fire = 0, Earth = 1, Air = 2, Water = 3 };
}
namespace Principle {
enum : int { Salt = 0, Sulphur = 1, Mercury = 2 };
}
namespace Quality {
enum : int { Cardinal = 0, Fixed = 1, Mutable = 2 };
}
namespace Season {
enum : int { Spring = 0, Summer = 1, Autumn = 2, Winter = 3 };
}
inline constexpr int kElements = 4;
inline constexpr int kPrinciples = 3;
inline constexpr int kQualities = 3;
inline constexpr int kSeasons = 4;

inline constexpr std::uint32_t kWebRed = 0x0000FF;
inline constexpr std::uint32_t kWebGreen = 0x00FF00;
inline constexpr std::uint32_t kWebBlue = 0xFF0000;
inline constexpr std::uint32_t kWebAqua = 0xFFFF00;
inline constexpr std::uint32_t kWebYellow = 0x00FFFF;
inline constexpr std::uint32_t kWebWhite = 0xFFFFFF;
inline constexpr std::uint32_t kWebGrey = 0x808080;

// Sign classification, signs 1 Aries … 12 Pisces.
int ElementOfSign(int sign);       // Fire, Earth, Air, Water in turn
int PrincipleOfSign(int sign);     // Salt for Aries–Cancer, Sulphur Leo–Scorpio, Mercury after
int QualityOfSign(int sign);       // cardinal, fixed, mutable in turn
int SeasonOfSign(int sign);        // spring for Aries–Gemini, …, winter Capricorn–Pisces
int SeasonElementOfSign(int sign); // the season's element: spring Air, summer Fire, autumn
                                   // Earth, winter Water
// "F", "T", "A", "W".
char ElementLetter(int element);
// "FS", "TS", … "WM": element letter and principle ("S" salt, "Z" sulphur, "M" mercury).
std::string ElementalWebCode(int sign);
// "CA", "FA", … "MW": quality ("C", "F", "M") and season element letter.
std::string SeasonalWebCode(int sign);

// Fire red, earth green, air yellow, water aqua.
std::uint32_t ElementColour(int element);
// Spring yellow, summer red, autumn green, winter aqua.
std::uint32_t SeasonColour(int season);

// The signs of the seven traditional planets, Sun … Saturn (signs[0] is the Sun's).
using TraditionalSigns = std::array<int, 7>;
TraditionalSigns TraditionalSignsOf(const ChartState& chart = GlobalChart());

// "TELA ELEMENTAL": count[principle][element], with the totals of each principle (bottom
// row, white) and of each element (right column, in the element's colour).
struct ElementalWeb {
    std::array<std::array<int, kElements>, kPrinciples> count{};
    std::array<int, kPrinciples> principleTotal{};
    std::array<int, kElements> elementTotal{};
    int total = 0;
};
ElementalWeb ElementalWebOf(const TraditionalSigns& signs);

// "TELA ESTACIONAL": count[quality][season], with the quality totals (white) and the
// season totals (in the season's colour).
struct SeasonalWeb {
    std::array<std::array<int, kSeasons>, kQualities> count{};
    std::array<int, kQualities> qualityTotal{};
    std::array<int, kSeasons> seasonTotal{};
    int total = 0;
};
SeasonalWeb SeasonalWebOf(const TraditionalSigns& signs);

// The humoral attribution: planets per element (indexed by Element) and the four qualities
// C hot = air + fire, U moist = air + water, F cold = earth + water, S dry = fire + earth.
struct HumoralTable {
    std::array<int, kElements> count{};
    int hot = 0, moist = 0, cold = 0, dry = 0;
};
// By the element of each planet's sign ("(Elemental)").
HumoralTable HumoralElementalOf(const TraditionalSigns& signs);
// By the element of the season of each planet's sign ("(Estacional)").
HumoralTable HumoralSeasonalOf(const TraditionalSigns& signs);

// One of the four rows of a humoral table, in the order Air, Fire, Earth, Water: the element
// with its name, its two quality letters and its count in its colour, then one quality
// letter with that quality's value, then the temperament.
struct HumoralRow {
    int element = 0;
    std::string name;                          // "Aire"
    std::array<std::string, 2> elementLetters; // "C", "U"
    int count = 0;
    std::uint32_t colour = 0;
    std::string qualityLetter; // "C"
    int qualityValue = 0;
    std::string temperament; // "Extrovertido"
};
std::array<HumoralRow, 4> HumoralRows(const HumoralTable& table);

// Energetic affinities, modes 0 to 3. Modes 0 to 2 link pairs of signs (straight chords in
// mode 0, curved links in mode 1, both in mode 2); mode 3 draws three closed quadrilaterals.
struct AffinityLink {
    int from = 0, to = 0;
    std::uint32_t colour = 0;
    bool curved = false;
};
std::vector<AffinityLink> AffinityLinks(int mode);
struct AffinityQuadrilateral {
    std::array<int, 4> signs{};
    std::uint32_t colour = 0;
};
std::vector<AffinityQuadrilateral> AffinityQuadrilaterals(int mode);
// "Magnéticas" for mode 0, "Soli-lunares" for mode 1, nothing for the others.
std::string AffinityLabel(int mode);
// The wheel angle of a sign's dot: 360 − Round(midpoint) + Round(Ascendant), whole degrees.
long double AffinityDotAngle(long double signMidpoint, long double ascendant);

// The planetary powers, planets 1 Sun … 10 Pluto (slot 0 unused).
inline constexpr const char* kPowersSummaryFile = "FileDum\\Dati3.dum";
inline constexpr int kPowerPlanets = 10;
using PowerScores = std::array<long double, kPowerPlanets + 1>;

struct PowerBar {
    long double score = 0;
    std::string text;                // the shortest decimal text cut to 4 characters
    long double value = 0;           // score ÷ (Max ÷ 30), at least 3 in size
    int height = 0;                  // |Round(value)| drawing units; 0 when there are no bars
    std::uint32_t colour = kWebBlue; // red when the text begins with "-"
};
struct PlanetaryPowers {
    std::array<PowerBar, kPowerPlanets + 1> bars{};
    long double max = 0; // the largest score, from 0
    int master = 0;      // the first planet with the largest score; 0 when none is positive
    // With no positive score there is no scale and no bar is drawn.
    bool hasBars() const { return max > 0; }
};
PlanetaryPowers PlanetaryPowersOf(const PowerScores& scores);

// Lines 1 to 10 of FileDum\MMMaitr2.dum read as reals. Raises InOutError when the file is
// missing, short, or a line is no number.
PowerScores ReadPowerScores();
// The three lines of FileDum\Dati3.dum: the sign label of the Sun, that of the Ascendant
// (cusp 1), the point label of the master (empty when there is none).
std::vector<std::string> PowersSummaryLines(const PlanetaryPowers& powers,
                                            const ChartState& chart = GlobalChart());
// Reads the scores, writes FileDum\Dati3.dum and returns the bars.
PlanetaryPowers LoadPlanetaryPowers(const ChartState& chart = GlobalChart());

} // namespace exo
