#pragma once
// The tests that decide whether two chart points stand in aspect, and what the analyses make
// of them: the aspect listing, the aspect key lines, the aspect grid, the spherical
// distances and the aspect lines of the wheel. Every window is strict on both sides: a
// separation exactly on the edge of an orb is no aspect. Texts are Windows-1252 bytes.
#include "analysis/OrbSettings.h"
#include "chart/ChartState.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace exo {

inline constexpr int kNoAspect = -1;

// b − a folded into [0, 180].
long double AngularSeparation(long double a, long double b);

struct MajorAspect {
    int kind = kNoAspect; // Oppo, Trig, Quad, Sest or Cong
    long double deviation = 0;
    explicit operator bool() const { return kind != kNoAspect; }
};
// Tested in the order Oppo, Trig, Quad, Sest, Cong; with overlapping orbs the earlier wins.
MajorAspect FindMajorAspect(long double separation,
                            const OrbTable& orbs = GlobalOrbSettings().ActiveOrbs);

struct GridAspect {
    int kind = kNoAspect;
    int glyph = 0;
    long double exactAngle = 0;
    explicit operator bool() const { return kind != kNoAspect; }
};
// Oppo, Qunc, BiQn, SsQd, Trig, Quad, Quin, Sest, SmQd, SmSt, then Cong.
GridAspect FindGridAspect(long double separation,
                          const OrbTable& orbs = GlobalOrbSettings().ActiveOrbs);

// Great-circle distance of two points in degrees, 0 … 180.
long double SphericalDistance(long double longitude1, long double latitude1, long double longitude2,
                              long double latitude2);

// The text of the memo MemoAspetti: the title, one line per major aspect among the 11 chart
// points (exact oppositions left out), and the closing note.
std::vector<std::string> AspectListingLines(const ChartState& chart = GlobalChart(),
                                            const OrbTable& orbs = GlobalOrbSettings().ActiveOrbs);

// The 3-character code of chart point 1 … 11 in the key lines: "Sol", "Lun", … "Mci".
const std::string& AspectPointCode(int point);

// The 8-character aspect lines of OpzioneT\PosiPian.txt ("SolTrLun"), points 1 … 9 against
// the later ones up to 11; exact oppositions included.
std::vector<std::string> AspectKeyLines(const ChartState& chart = GlobalChart(),
                                        const OrbTable& orbs = GlobalOrbSettings().ActiveOrbs);

// The triangular tables of the analysis window: rows i = 1 … 9, columns j = i + 1 … 11.
inline constexpr int kGridRows = 9;
inline constexpr int kGridColumns = 11;

struct AspectGridCell {
    GridAspect aspect;
    std::string text; // |Round(exact angle − separation)| in two digits ("03")
};
// grid[i - 1][j - i - 1] is the cell of points i and j; nothing where no aspect holds.
using AspectGrid = std::vector<std::vector<std::optional<AspectGridCell>>>;
AspectGrid AspectGridCells(const ChartState& chart = GlobalChart(),
                           const OrbTable& orbs = GlobalOrbSettings().ActiveOrbs);

// Colours in the platform's blue-green-red order.
inline constexpr std::uint32_t kHardColour = 0x0000FF;        // red
inline constexpr std::uint32_t kSoftColour = 0xFFFF00;        // aqua
inline constexpr std::uint32_t kConjunctionColour = 0x00FFFF; // yellow
inline constexpr std::uint32_t kPlainColour = 0x808080;       // grey

struct DistanceCell {
    long double distance = 0;
    std::string text;  // the distance cut to 5 characters ("123.4", "45.67")
    bool hard = false; // within an opposition or square orb
    bool soft = false; // within a trine or sextile orb
    bool conjunction = false;
    // The colour of the text and of its underline. Both markers can hold only with
    // overlapping orbs; the text then takes the colour of the hard class.
    std::uint32_t colour = kPlainColour;
};
// distances[i - 1][j - i - 1] for points i and j, from longitudes and latitudes.
using DistanceGrid = std::vector<std::vector<DistanceCell>>;
DistanceGrid SphericalDistanceCells(const ChartState& chart = GlobalChart(),
                                    const OrbTable& orbs = GlobalOrbSettings().ActiveOrbs);

// The wheel's aspect lines as data. Each point is marked at the whole-degree angle
// 360 − Round(λ) + Round(Ascendant); every major aspect but a conjunction or an opposition
// whose rounded deviation is 0 draws a line or a band between two points.
struct WheelAspectLine {
    int from = 0; // point numbers, from < to
    int to = 0;
    int kind = kNoAspect;
    int deviation = 0;         // |Round(exact angle − separation)|
    bool soft = false;         // trine and sextile (blue); square and opposition are hard (red)
    long double bandWidth = 0; // 1 / (1.2 √max(deviation, 0.2)): exact aspects are thick
};
struct WheelAspects {
    std::vector<long double> dotAngle; // dotAngle[i - 1] for point i
    std::vector<WheelAspectLine> lines;
};
// Points 1 … count of `longitude` (indexed by point number), with the Ascendant at
// `ascendantPoint`.
WheelAspects WheelAspectLines(std::span<const long double> longitude, int count, int ascendantPoint,
                              const OrbTable& orbs = GlobalOrbSettings().ActiveOrbs);
// The 11 chart points in chart order, the Ascendant at 10.
WheelAspects ChartWheelAspects(const ChartState& chart = GlobalChart(),
                               const OrbTable& orbs = GlobalOrbSettings().ActiveOrbs);
// The planetary-powers mode: 14 points in ephemeris order (1–10 Sun to Pluto, 11 the node,
// 12 the Black Moon, 13 the Ascendant, 14 the Midheaven).
WheelAspects PowersWheelAspects(const ChartState& chart = GlobalChart(),
                                const OrbTable& orbs = GlobalOrbSettings().ActiveOrbs);

} // namespace exo
