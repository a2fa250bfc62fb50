#pragma once
// The placement keys of the chart and the interpretation texts found by them. Two key files
// under OpzioneT describe the chart as it was last drawn: PosiPian.txt (the points: sign,
// house, term, decan, década, antiscia, contrantiscia, aspects) and PosiSegn.txt (the
// antiscia of the signs). Four read-only text files under OpzioneT hold the texts:
// SpgPianSpe.Txt (per point key), SpgPian.txt (per planet), SpgSegnSpe.txt (per sign key)
// and SpgSegni.txt (per sign). Texts are Windows-1252 bytes; a missing file raises
// InOutError, a key without a text contributes nothing.
#include "analysis/Divisions.h"
#include "analysis/OrbSettings.h"
#include "chart/ChartState.h"

#include <string>
#include <vector>

namespace exo {

inline constexpr const char* kPointKeyFile = "OpzioneT\\PosiPian.txt";
inline constexpr const char* kSignKeyFile = "OpzioneT\\PosiSegn.txt";
inline constexpr const char* kPointKeyTextFile = "OpzioneT\\SpgPianSpe.Txt";
inline constexpr const char* kPlanetTextFile = "OpzioneT\\SpgPian.txt";
inline constexpr const char* kSignKeyTextFile = "OpzioneT\\SpgSegnSpe.txt";
inline constexpr const char* kSignTextFile = "OpzioneT\\SpgSegni.txt";

// The lines of PosiPian.txt, in their eight groups: point + sign (SoleArie), point + house
// (SolePrim), point + term (Sole05), decan (SolDec05), década (SO05), antiscion (SolAnPis)
// and contrantiscion (SolCaVir) of every point off 0°, then the aspect key lines. The house
// of a point is taken with every cusp moved 15° back, so a point shortly before a cusp
// already counts in that cusp's house. Raises std::runtime_error when the cusps leave a
// point in no house (no chart has been computed).
std::vector<std::string> PlacementKeyLines(const ChartState& chart = GlobalChart(),
                                           const DivisionValues& values = GlobalDivisions(),
                                           const OrbTable& orbs = GlobalOrbSettings().ActiveOrbs);

// The lines of PosiSegn.txt: the antiscion of each sign (ArAnPis …), then its
// contrantiscion (ArCaVir …), from the sign midpoints. Aquarius is written "Ac".
std::vector<std::string> SignKeyLines();

// Rewrites PosiPian.txt and PosiSegn.txt.
void WritePlacementKeys(const ChartState& chart = GlobalChart(),
                        const DivisionValues& values = GlobalDivisions(),
                        const OrbTable& orbs = GlobalOrbSettings().ActiveOrbs);

// The memo lines of the division texts: the term, decan and década texts of the 11 points,
// under the titles "PLANETAS EN LOS TÉRMINOS", "PLANETAS EN LOS DECANOS" and "PLANETAS EN
// LAS DÉCADAS" …
std::vector<std::string> ListDivisionTexts(const DivisionValues& values = GlobalDivisions());
// … and the same for the dodecatemoria points ("DODECATEMORIAS EN LOS TÉRMINOS" …).
std::vector<std::string> ListDodecaDivisionTexts(const DivisionValues& values = GlobalDivisions());

// What the attribution memos and their labels show.
struct Attribution {
    std::vector<std::string> MemoL1; // the specific texts
    std::vector<std::string> MemoL2; // the general texts
    std::string LabSpecific;
    std::string LabGeneral;
    // The keys of PosiPian.txt that found a text, numbered from 1: key n is at [n − 1].
    std::vector<std::string> MatchedKeys;
};

// The texts of chart point 1 … 11: its name and position, the texts of its keys in
// PosiPian.txt, its dodecatemoria, then the general texts of the point.
Attribution ShowPointAttribution(int point, const ChartState& chart = GlobalChart(),
                                 const DivisionValues& values = GlobalDivisions());

// The texts of sign 1 … 12: its name, its general texts and the texts of its keys in
// PosiSegn.txt.
Attribution ShowSignAttribution(int sign);

} // namespace exo
