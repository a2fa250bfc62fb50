// The column blocks of the chart sheets: terms, dodecatemoria, longitudes, latitudes,
// relative longitudes and the planetary hours. Each prints a title and one row per point
// under the anchor; the symbol of a row is centred on the row's y and its text stands
// beside it.
#include "graphics/SheetBlocks.h"

#include "analysis/Divisions.h"
#include "analysis/PlacementKeys.h"
#include "astro/TextHelpers.h"
#include "platform/NumberText.h"
#include "platform/TextFile.h"

#include <cmath>
#include <optional>

namespace exo {
namespace {

constexpr long double kRowStep = 4.5L;
constexpr int kPrintedPoints = 11;  // Sun … Midheaven
constexpr int kLatitudePoints = 7;  // the planets; the nodes and angles have none
constexpr int kTermSymbolCycle = 9; // symbols of the Sun … the South Node
constexpr std::size_t kKeyLength = 8;
constexpr std::size_t kTermTextColumn = 22;
constexpr std::size_t kTermTextLength = 60;

long double LongitudeOf(const ChartState& chart, int point) {
    return chart.ChartLongitude[static_cast<std::size_t>(point)];
}

// Text role 4 for the title, role 0 for the rows that follow.
void BlockTitle(DrawingSurface& surface, DrawingTarget& dc, const std::string& title, long double x,
                long double y) {
    surface.SetTextRole(dc, 4);
    surface.TextLeft(dc, title, 2, x, y);
    surface.SetTextRole(dc, 0);
}

// The key a line of the placement keys stands for in the texts of the terms block: a term
// key ("Sole05") padded to 8 characters; the other keys have no text there.
std::optional<std::string> TermKeyOfLine(const std::string& line) {
    const std::string key = line.substr(0, kKeyLength);
    if (key.size() != 6)
        return std::nullopt;
    return key + "  ";
}

std::string TermText(const std::string& line) {
    if (line.size() < kTermTextColumn)
        return {};
    return line.substr(kTermTextColumn - 1, kTermTextLength);
}

} // namespace

std::string AbsoluteDegreeText(long double longitude) {
    long double whole = std::trunc(longitude);
    const long double fraction = std::fabs(longitude - whole);
    const std::string text = GeneralText(fraction);
    std::string decimals;
    if (text.find('E') != std::string::npos) {
        decimals = "00"; // below 0.00001 the text turns to an exponent
    } else if (text == "1") {
        // A fraction that the 15 digits round up to a whole degree.
        whole += longitude < 0 ? -1 : 1;
        decimals = "0";
    } else if (text.size() > 2) {
        decimals = text.substr(2, 2);
    } else {
        decimals = "0";
    }
    return "(" + std::to_string(static_cast<long>(whole)) + "\xB0," + decimals + ")";
}

void SetBlockTextColour(DrawingSurface& surface, DrawingTarget& dc, Colour colour) {
    if (colour == kWhite)
        surface.SetTextRole(dc, 0);
    else
        dc.setTextColour(surface.DisplayColour(colour));
}

void DrawTermsBlock(DrawingSurface& surface, DrawingTarget& dc, long double x, long double y) {
    // Both files are read before anything is drawn, so a missing one leaves no half block.
    const std::vector<std::string> keyLines = ReadTextLines(kPointKeyFile);
    const std::vector<std::string> texts = ReadTextLines(kSheetTermTextFile);
    surface.SetTextRole(dc, 4);
    surface.TextLeft(dc, "T\xC9RMINOS", 2, x - 1, y - 8);
    int symbol = 1;
    for (const std::string& keyLine : keyLines) {
        const std::optional<std::string> key = TermKeyOfLine(keyLine);
        if (!key)
            continue;
        for (const std::string& line : texts) {
            if (line.compare(0, kKeyLength, *key) != 0)
                continue;
            surface.DrawPlanetSymbol(dc, symbol, 4, x, y);
            surface.TextLeft(dc, TermText(line), 2, x + 4, y - 2.6L);
            y += kRowStep;
            if (++symbol > kTermSymbolCycle) {
                symbol = 1;
                surface.SetTextRole(dc, 0);
                y += 1;
            }
        }
    }
    surface.SetTextRole(dc, 0);
}

void DrawDodecatemoriaBlock(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
                            long double x, long double y) {
    BlockTitle(surface, dc, "DODECATEMORIAS", x - 2, y - 8);
    for (int point = 1; point <= kPrintedPoints; ++point) {
        surface.DrawPlanetSymbol(dc, point, 4, x, y);
        surface.TextLeft(dc, RetroPositionText(" ", DodecatemoriaOf(LongitudeOf(chart, point))), 2,
                         x + 5, y - 2.5L);
        y += kRowStep;
    }
}

void DrawLongitudesBlock(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
                         long double x, long double y) {
    BlockTitle(surface, dc, "LONGITUDES", x - 2, y - 8);
    for (int point = 1; point <= kPrintedPoints; ++point) {
        const long double longitude = LongitudeOf(chart, point);
        surface.DrawPlanetSymbol(dc, point, 4, x, y + 1);
        surface.TextLeft(dc, RetroPositionText(" ", longitude), 2, x + 5, y - 2.5L);
        surface.TextLeft(dc, AbsoluteDegreeText(longitude), 0, x + 5, y + 1.5L);
        y += 7;
    }
}

void DrawLatitudesBlock(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
                        long double x, long double y) {
    BlockTitle(surface, dc, "LATITUDES", x - 2, y - 8);
    for (int point = 1; point <= kLatitudePoints; ++point) {
        surface.DrawPlanetSymbol(dc, point, 4, x, y);
        surface.TextLeft(dc, LatitudeText(chart.ChartLatitude[static_cast<std::size_t>(point)]), 2,
                         x + 5, y - 2.5L);
        y += kRowStep;
    }
}

void DrawRelativeLongitudesBlock(DrawingSurface& surface, DrawingTarget& dc,
                                 const ChartState& chart, long double x, long double y) {
    BlockTitle(surface, dc, "LONGITUDES relativas (entre par\xE9ntesis: Longitudes absolutas)",
               x - 2, y - 8);
    struct Column {
        long double offset;
        int first, last;
    };
    for (const Column& column : {Column{0, 1, 4}, Column{55, 5, 8}, Column{110, 9, 11}}) {
        const long double cx = x + column.offset;
        long double row = y;
        for (int point = column.first; point <= column.last; ++point) {
            const long double longitude = LongitudeOf(chart, point);
            surface.DrawPlanetSymbol(dc, point, 4, cx, row + 0.1L);
            surface.TextLeft(
                dc, RetroPositionText(" ", longitude) + " " + AbsoluteDegreeText(longitude), 15,
                cx + 5, row - 2.5L);
            row += kRowStep;
        }
    }
}

void DrawPlanetaryHoursLines(DrawingSurface& surface, DrawingTarget& dc,
                             const std::vector<PageLine>& lines, long double x, long double y) {
    for (const PageLine& line : lines) {
        SetBlockTextColour(surface, dc, line.colour);
        surface.TextLeft(dc, line.text, 15, x, y);
        y += kRowStep;
    }
    surface.SetTextRole(dc, 0);
}

void DrawPlanetaryHoursBlock(DrawingSurface& surface, DrawingTarget& dc, ChartState& chart,
                             long double x, long double y) {
    PlanetaryHourState& hours = GlobalPlanetaryHours();
    ComputePlanetaryHour(chart, hours);
    const YearRulerNames rulers = YearRulers(chart);
    DrawPlanetaryHoursLines(surface, dc, PrintedPageLines(chart, hours, rulers), x, y);
}

} // namespace exo
