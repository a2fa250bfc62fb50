// The blocks of the chart sheets, read back from a recording device: their texts, where
// they stand, and the pens of their frames and underlines.
#include "graphics/SheetBlocks.h"

#include "RecordingTarget.h"
#include "TestFolder.h"
#include "analysis/Aspects.h"
#include "analysis/Dignities.h"
#include "astro/TextHelpers.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace exo {
namespace {

using test::RecordingTarget;
using Event = RecordingTarget::Event;

constexpr Colour kRed = 0x0000FF;
constexpr Colour kBlue = 0xFF0000;
constexpr Colour kAqua = 0xFFFF00;
constexpr Colour kOrange = 0x4080FF;
constexpr Colour kGrey = 0x808080;

// Ten device pixels to the unit, so positions read back exactly; drawing on paper unless
// the test says otherwise.
DrawingSurface Surface(bool paper = true) {
    DrawingSurface surface;
    surface.PageScale = 10;
    surface.FontBase = 37;
    surface.Printing = paper;
    surface.PrinterPresent = true;
    return surface;
}

std::vector<Event> Texts(const RecordingTarget& dc) {
    return dc.ofKind("text");
}

std::vector<std::string> TextStrings(const RecordingTarget& dc) {
    std::vector<std::string> strings;
    for (const Event& e : Texts(dc))
        strings.push_back(e.text);
    return strings;
}

std::optional<Event> TextEvent(const RecordingTarget& dc, const std::string& text) {
    for (const Event& e : Texts(dc))
        if (e.text == text)
            return e;
    return std::nullopt;
}

DevicePoint PointOf(const Event& e) {
    return {e.box.left, e.box.top};
}

DevicePoint CentreOf(const Event& picture) {
    return {(picture.box.left + picture.box.right) / 2, (picture.box.top + picture.box.bottom) / 2};
}

// The line drawn from `from` to `to`, if there is one.
std::optional<PenInfo> LinePen(const RecordingTarget& dc, DevicePoint from, DevicePoint to) {
    for (std::size_t k = 0; k + 1 < dc.events.size(); ++k) {
        const Event& move = dc.events[k];
        const Event& line = dc.events[k + 1];
        if (move.kind == "move" && line.kind == "line" && PointOf(move) == from &&
            PointOf(line) == to)
            return line.pen;
    }
    return std::nullopt;
}

TEST(AbsoluteDegreeText, WholeDegreesAndTwoDecimalsCut) {
    struct Case {
        long double longitude;
        const char* text;
    };
    const Case cases[] = {
        {123.4567L, "(123°,45)"},
        {123.999L, "(123°,99)"},            // cut, not rounded
        {10.05L, "(10°,05)"},               // "0,05"
        {10.5L, "(10°,5)"},                 // "0,5" has one decimal
        {10, "(10°,0)"},                    // "0" has none
        {0, "(0°,0)"},                      //
        {10.000001L, "(10°,00)"},           // "1E-6" is no decimal text
        {29.99999999999999999L, "(30°,0)"}, // the 15 digits round it to a whole degree
        {359.99L, "(359°,99)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AbsoluteDegreeText(c.longitude), Cp1252FromUtf8(c.text))
            << static_cast<double>(c.longitude);
}

// --- Terms ------------------------------------------------------------------------

class TermsBlock : public ::testing::Test {
  protected:
    void write(const std::vector<std::string>& keys, const std::vector<std::string>& texts) {
        std::string k, t;
        for (const std::string& line : keys)
            k += line + "\r\n";
        for (const std::string& line : texts)
            t += line + "\r\n";
        folder.write("OpzioneT/PosiPian.txt", k);
        folder.write("OpzioneT/SpgPianCan.Txt", t);
    }
    static std::string TextLine(const std::string& key, const std::string& text) {
        std::string line = key;
        line.resize(21, ' ');
        return line + text;
    }
    test::ScratchFolder folder;
    DrawingSurface surface = Surface();
    RecordingTarget dc;
};

TEST_F(TermsBlock, OnlySixCharacterKeysPaddedWithTwoBlanksFindTheirTexts) {
    write({"Sole05", "Luna60", "SolDec05", "Merc0", "Vene01x", "Mart0123", "Giov07"},
          {TextLine("Luna60  ", "luna sessanta"), TextLine("SolDec05", "decan text"),
           TextLine("Merc0   ", "five"), TextLine("Vene01x ", "seven"),
           TextLine("Mart01  ", "cut to eight"), TextLine("Sole05  ", "sole cinque"),
           TextLine("Sole05xx", "another key"), TextLine("Sole05  ", "sole again"),
           TextLine("Giov07 x", "not the padding")});
    DrawTermsBlock(surface, dc, 100, 50);
    // Each key reads the texts from their first line: both Sole05 texts, in file order.
    const std::vector<std::string> expected = {"T\xC9RMINOS", "sole cinque", "sole again",
                                               "luna sessanta"};
    EXPECT_EQ(TextStrings(dc), expected);
    const std::optional<Event> title = TextEvent(dc, "T\xC9RMINOS");
    ASSERT_TRUE(title);
    EXPECT_EQ(PointOf(*title), (DevicePoint{990, 420}));
}

TEST_F(TermsBlock, TextFromColumn22AndSymbolsCountedFromTheSunRestartingAfterNine) {
    std::vector<std::string> keys, texts;
    for (int k = 1; k <= 11; ++k) {
        const std::string key = "Key" + std::string(k < 10 ? "00" : "0") + std::to_string(k);
        keys.push_back(key);
        texts.push_back(TextLine(key + "  ", "text " + std::to_string(k)));
    }
    write(keys, texts);
    DrawTermsBlock(surface, dc, 100, 50);

    const std::vector<Event> lines = Texts(dc);
    const std::vector<Event> symbols = dc.ofKind("picture");
    ASSERT_EQ(lines.size(), 12u);
    ASSERT_EQ(symbols.size(), 11u);
    for (int k = 1; k <= 11; ++k) {
        const Event& text = lines[static_cast<std::size_t>(k)];
        const Event& symbol = symbols[static_cast<std::size_t>(k - 1)];
        EXPECT_EQ(text.text, "text " + std::to_string(k));
        // 4.5 apart, and 1 more from the tenth line on.
        const long double y = 50 + 4.5L * (k - 1) + (k >= 10 ? 1 : 0);
        EXPECT_EQ(PointOf(text), surface.ToDevice(104, y - 2.6L)) << k;
        EXPECT_EQ(CentreOf(symbol), surface.ToDevice(100, y)) << k;
        const int planet = k <= 9 ? k : k - 9;
        EXPECT_EQ(symbol.text, PlanetSymbolFile(planet, false, false)) << k;
        // The title's colour for the first nine, the plain one after them.
        EXPECT_EQ(text.textColour, k <= 9 ? kBlue : kBlack) << k;
    }
}

TEST_F(TermsBlock, TextCutToSixtyCharacters) {
    write({"Sole05"}, {TextLine("Sole05  ", std::string(59, 'a') + "bc")});
    DrawTermsBlock(surface, dc, 100, 50);
    ASSERT_EQ(Texts(dc).size(), 2u);
    EXPECT_EQ(Texts(dc)[1].text, std::string(59, 'a') + "b");
}

TEST_F(TermsBlock, MissingTextFileRaisesBeforeAnythingIsDrawn) {
    folder.write("OpzioneT/PosiPian.txt", "Sole05\r\n");
    EXPECT_THROW(DrawTermsBlock(surface, dc, 100, 50), InOutError);
    EXPECT_TRUE(dc.events.empty());
}

// --- The point columns ------------------------------------------------------------

ChartState PointsChart() {
    ChartState chart;
    for (int point = 1; point <= 11; ++point) {
        chart.ChartLongitude[static_cast<std::size_t>(point)] = 10.0L + 30 * (point - 1) + 0.25L;
        chart.ChartLatitude[static_cast<std::size_t>(point)] = point - 4.5L;
    }
    chart.HouseCusp[1] = 100;
    return chart;
}

TEST(PointColumnBlocks, LatitudesOfThePlanetsOnly) {
    const ChartState chart = PointsChart();
    DrawingSurface surface = Surface();
    RecordingTarget dc;
    DrawLatitudesBlock(surface, dc, chart, 20, 60);
    const std::vector<Event> texts = Texts(dc);
    ASSERT_EQ(texts.size(), 8u);
    EXPECT_EQ(texts[0].text, "LATITUDES");
    EXPECT_EQ(texts[0].textColour, kBlue);
    for (int point = 1; point <= 7; ++point) {
        const Event& row = texts[static_cast<std::size_t>(point)];
        EXPECT_EQ(row.text, LatitudeText(point - 4.5L)) << point;
        EXPECT_EQ(row.textColour, kBlack);
        EXPECT_EQ(PointOf(row), surface.ToDevice(25, 60 + 4.5L * (point - 1) - 2.5L)) << point;
    }
    EXPECT_EQ(dc.ofKind("picture").size(), 7u);
}

TEST(PointColumnBlocks, DodecatemoriaOfElevenPoints) {
    const ChartState chart = PointsChart();
    DrawingSurface surface = Surface();
    RecordingTarget dc;
    DrawDodecatemoriaBlock(surface, dc, chart, 20, 60);
    const std::vector<Event> texts = Texts(dc);
    ASSERT_EQ(texts.size(), 12u);
    EXPECT_EQ(texts[0].text, "DODECATEMORIAS");
    EXPECT_EQ(PointOf(texts[0]), surface.ToDevice(18, 52));
    // 10.25° Aries: 10.25 + 12 · 10.25 = 133.25°, 13°15' Leo.
    EXPECT_EQ(texts[1].text, RetroPositionText(" ", 133.25L));
    EXPECT_EQ(PointOf(texts[11]), surface.ToDevice(25, 60 + 45 - 2.5L));
    EXPECT_EQ(dc.ofKind("picture").back().text, "Simboli\\PiaX15.emf"); // the Midheaven
}

TEST(PointColumnBlocks, LongitudesWithTheirAbsoluteDegreesUnderneath) {
    const ChartState chart = PointsChart();
    DrawingSurface surface = Surface();
    RecordingTarget dc;
    DrawLongitudesBlock(surface, dc, chart, 20, 60);
    const std::vector<Event> texts = Texts(dc);
    ASSERT_EQ(texts.size(), 23u);
    EXPECT_EQ(texts[3].text, RetroPositionText(" ", 40.25L));
    EXPECT_EQ(texts[4].text, "(40\xB0,25)");
    EXPECT_EQ(PointOf(texts[3]), surface.ToDevice(25, 67 - 2.5L));
    EXPECT_EQ(PointOf(texts[4]), surface.ToDevice(25, 67 + 1.5L));
    EXPECT_EQ(CentreOf(dc.ofKind("picture")[1]), surface.ToDevice(20, 68));
}

TEST(PointColumnBlocks, RelativeLongitudesInThreeColumns) {
    const ChartState chart = PointsChart();
    DrawingSurface surface = Surface();
    RecordingTarget dc;
    DrawRelativeLongitudesBlock(surface, dc, chart, 20, 60);
    const std::vector<Event> texts = Texts(dc);
    ASSERT_EQ(texts.size(), 12u);
    struct Case {
        int point;
        long double x, y;
    };
    for (const Case& c : {Case{1, 25, 60}, Case{4, 25, 73.5L}, Case{5, 80, 60}, Case{8, 80, 73.5L},
                          Case{9, 135, 60}, Case{11, 135, 69}}) {
        const long double longitude = chart.ChartLongitude[static_cast<std::size_t>(c.point)];
        const Event& row = texts[static_cast<std::size_t>(c.point)];
        EXPECT_EQ(row.text,
                  RetroPositionText(" ", longitude) + " " + AbsoluteDegreeText(longitude));
        EXPECT_EQ(PointOf(row), surface.ToDevice(c.x, c.y - 2.5L)) << c.point;
    }
}

TEST(PointColumnBlocks, PlanetaryHoursLinesInTheirColours) {
    const std::vector<PageLine> lines = {{"first", 0xFFFFFF}, {"second", kAqua}};
    for (const bool paper : {true, false}) {
        DrawingSurface surface = Surface(paper);
        RecordingTarget dc;
        DrawPlanetaryHoursLines(surface, dc, lines, 16, 55);
        const std::vector<Event> texts = Texts(dc);
        ASSERT_EQ(texts.size(), 2u);
        // White would not show on paper.
        EXPECT_EQ(texts[0].textColour, paper ? kBlack : kWhite);
        EXPECT_EQ(texts[1].textColour, kAqua);
        EXPECT_EQ(PointOf(texts[1]), surface.ToDevice(16, 59.5L));
    }
}

// --- Structure --------------------------------------------------------------------

// A chart whose seven planets all stand where they are neither strong nor weak.
ChartState PeregrineChart() {
    ChartState chart;
    // Sun, Moon, Venus, Mars, Saturn in Gemini; Mercury and Jupiter in Aries.
    const long double at[] = {0, 70, 70, 10, 70, 70, 10, 70};
    for (int planet = 1; planet <= 7; ++planet)
        chart.ChartLongitude[static_cast<std::size_t>(planet)] = at[planet];
    return chart;
}

struct Column {
    int code;
    int group;
    std::vector<int> planets; // slots from 1 upward
};

ArchetypalStructure StructureOf(const std::vector<Column>& columns) {
    ArchetypalStructure structure;
    std::size_t c = 1;
    for (const Column& column : columns) {
        structure.DignityCode[c] = static_cast<std::uint8_t>(column.code);
        structure.ReceptionGroup[c] = static_cast<std::uint8_t>(column.group);
        for (std::size_t slot = 1; slot <= column.planets.size(); ++slot) {
            structure.StructurePlanet[c][slot] =
                static_cast<std::uint8_t>(column.planets[slot - 1]);
            structure.StructureLevel[c][slot] = static_cast<std::uint8_t>(slot);
            structure.StructureParent[c][slot] =
                static_cast<std::uint8_t>(slot == 1 ? 0 : column.planets[slot - 2]);
        }
        ++c;
    }
    return structure;
}

TEST(StructureBlock, NoColumnAndNoPlanetInItsDignityOrDebilityPrintsTheMessage) {
    DrawingSurface surface = Surface();
    RecordingTarget dc;
    DrawStructureBlock(surface, dc, PeregrineChart(), ArchetypalStructure{}, 25, 218);
    const std::vector<std::string> expected = {"ESTRUCTURA ARQUETIPAL",
                                               "Ninguna Debilidad o Dignidad Planetary"};
    EXPECT_EQ(TextStrings(dc), expected);
    EXPECT_EQ(PointOf(Texts(dc)[1]), surface.ToDevice(17, 218));
}

TEST(StructureBlock, NoColumnWithTheSunInAriesPrintsNothingAtAll) {
    ChartState chart = PeregrineChart();
    chart.ChartLongitude[1] = 15; // Aries: the Sun's exaltation
    DrawingSurface surface = Surface();
    RecordingTarget dc;
    DrawStructureBlock(surface, dc, chart, ArchetypalStructure{}, 25, 218);
    EXPECT_TRUE(dc.events.empty());
}

TEST(StructureBlock, AColumnDrawnLeavesTheMessageOut) {
    DrawingSurface surface = Surface();
    RecordingTarget dc;
    DrawStructureBlock(surface, dc, PeregrineChart(), StructureOf({{Domicile, 0, {3}}}), 25, 218);
    EXPECT_FALSE(TextEvent(dc, "Ninguna Debilidad o Dignidad Planetary"));
    EXPECT_TRUE(TextEvent(dc, "Domic."));
}

TEST(StructureBlock, FramesColouredByCodeAndHighAsTheirSlots) {
    const std::vector<Column> columns = {{Domicile, 0, {5, 1}},
                                         {Exaltation, 0, {2}},
                                         {Exile, 0, {4, 3, 7}},
                                         {Fall, 0, {6}},
                                         {Reception, 21, {1}}};
    DrawingSurface surface = Surface();
    RecordingTarget dc;
    DrawStructureBlock(surface, dc, ChartState{}, StructureOf(columns), 25, 218);
    const Colour frame[] = {kAqua, kAqua, kRed, kRed, kOrange};
    for (std::size_t k = 0; k < columns.size(); ++k) {
        const long double cx = 25 + 13.0L * k;
        const long double top = 218 - 7.0L * columns[k].planets.size() + 2;
        const std::optional<PenInfo> pen =
            LinePen(dc, surface.ToDevice(cx - 8, top), surface.ToDevice(cx + 4, top));
        ASSERT_TRUE(pen) << k;
        EXPECT_EQ(pen->colour, frame[k]) << k;
    }
    // Head labels of the printed sheets, under the heads.
    const char* labels[] = {"Domic.", "Exaltac", "Exilio", "Caida", "Intercam"};
    for (std::size_t k = 0; k < 5; ++k) {
        const std::optional<Event> label = TextEvent(dc, labels[k]);
        ASSERT_TRUE(label) << labels[k];
        const long double cx = 25 + 13.0L * k;
        EXPECT_EQ(PointOf(*label), surface.ToDevice(k == 4 ? cx - 8 : cx - 7, 222.5L));
        EXPECT_EQ(label->textColour, frame[k]);
    }
}

TEST(StructureBlock, SlotsStackedUpwardWithLevelAndParent) {
    DrawingSurface surface = Surface();
    RecordingTarget dc;
    DrawStructureBlock(surface, dc, ChartState{}, StructureOf({{Exile, 0, {4, 6, 2}}}), 25, 218);
    const std::vector<Event> symbols = dc.ofKind("picture");
    ASSERT_EQ(symbols.size(), 3u);
    EXPECT_EQ(CentreOf(symbols[2]), surface.ToDevice(25, 204));
    EXPECT_EQ(symbols[2].text, PlanetSymbolFile(2, false, false));
    // The head's level beside it; above it the level and the parent's short name.
    const std::vector<Event> texts = Texts(dc);
    const auto at = [&](const std::string& text, long double x, long double y) {
        for (const Event& e : texts)
            if (e.text == text && PointOf(e) == surface.ToDevice(x, y))
                return true;
        return false;
    };
    EXPECT_TRUE(at("1", 18.5L, 215.5L));
    EXPECT_TRUE(at("2", 19, 207));
    EXPECT_TRUE(at("ven", 17.5L, 210.5L));
    EXPECT_TRUE(at("3", 19, 200));
    EXPECT_TRUE(at("gio", 17.5L, 203.5L));
}

// The strip between two joined columns: its rectangle and pen, if drawn.
std::optional<Event> JoinStrip(const RecordingTarget& dc, const DrawingSurface& surface,
                               long double cx, long double y) {
    for (const Event& e : dc.ofKind("rectangle"))
        if (e.box == DeviceRect{surface.ToDeviceX(cx - 9), surface.ToDeviceY(y - 5),
                                surface.ToDeviceX(cx - 8), surface.ToDeviceY(y + 3.9L)})
            return e;
    return std::nullopt;
}

TEST(StructureBlock, NeighbouringReceptionColumnsOfOneGroupAreJoined) {
    const ArchetypalStructure structure = StructureOf({{Reception, 21, {1}},
                                                       {Reception, 21, {5}},
                                                       {Reception, 22, {2}},
                                                       {Reception, 22, {4}},
                                                       {Domicile, 22, {6}}});
    DrawingSurface surface = Surface();
    RecordingTarget dc;
    DrawStructureBlock(surface, dc, ChartState{}, structure, 25, 218);
    EXPECT_EQ(dc.ofKind("rectangle").size(), 2u);
    const std::optional<Event> first = JoinStrip(dc, surface, 38, 218);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->pen.colour, kWhite) << "the paper's colour";
    EXPECT_FALSE(JoinStrip(dc, surface, 51, 218)) << "another group";
    EXPECT_TRUE(JoinStrip(dc, surface, 64, 218));
    EXPECT_FALSE(JoinStrip(dc, surface, 77, 218)) << "not a reception";
    // The strokes that close the joined box, in the reception's pen.
    const auto stroke = LinePen(dc, surface.ToDevice(30, 213), surface.ToDevice(28.9L, 213));
    ASSERT_TRUE(stroke);
    EXPECT_EQ(stroke->colour, kOrange);
    EXPECT_TRUE(LinePen(dc, surface.ToDevice(30.5L, 222), surface.ToDevice(28, 222)));
}

TEST(StructureBlock, JoinStripTakesTheScreensBlackEvenInBlackMode) {
    const ArchetypalStructure structure = StructureOf({{Reception, 3, {1}}, {Reception, 3, {5}}});
    for (const bool blackMode : {false, true}) {
        DrawingSurface surface = Surface(false);
        surface.BlackMode = blackMode;
        RecordingTarget dc;
        DrawStructureBlock(surface, dc, ChartState{}, structure, 25, 218);
        const std::optional<Event> strip = JoinStrip(dc, surface, 38, 218);
        ASSERT_TRUE(strip);
        EXPECT_EQ(strip->pen.colour, kBlack) << blackMode;
        EXPECT_EQ(dc.createdAlive(), 0u);
    }
}

// --- Distances --------------------------------------------------------------------

TEST(DistancesBlock, UnderlinesByClass) {
    ChartState chart;
    const long double at[] = {0, 0, 180, 120, 2, 45, 200, 300, 250, 75, 160, 330};
    for (int point = 1; point <= 11; ++point)
        chart.ChartLongitude[static_cast<std::size_t>(point)] = at[point];
    OrbTable orbs{};
    orbs[Cong] = 3;
    orbs[Sest] = 2;
    orbs[Quad] = 2;
    orbs[Trig] = 2;
    orbs[Oppo] = 2;
    DrawingSurface surface = Surface();
    RecordingTarget dc;
    DrawDistancesBlock(surface, dc, chart, orbs, 15, 105);

    // Cell (i, j): column j from x + 5 + 7.8 (j − 2), row i from y + 6 i; the underline,
    // 7.5 long, centred along the cell's lower edge.
    const auto underline = [&](int i, int j) {
        const long double left = 15 + 5 + 7.8L * (j - 2) + 0.15L,
                          bottom = 105 + 6.0L * (i + 1) - 0.7L;
        return LinePen(dc, surface.ToDevice(left, bottom), surface.ToDevice(left + 7.5L, bottom));
    };
    struct Case {
        int i, j;
        std::optional<Colour> colour;
    };
    const Case cases[] = {
        {1, 2, kRed},         // 180°: opposition
        {1, 3, kAqua},        // 120°: trine
        {2, 3, kAqua},        // 60°: sextile
        {1, 4, 0x24C8C4},     // 2°: within the conjunction orb
        {1, 5, std::nullopt}, // 45°: nothing
        {9, 10, std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<PenInfo> pen = underline(c.i, c.j);
        ASSERT_EQ(pen.has_value(), c.colour.has_value()) << c.i << "," << c.j;
        if (pen) {
            EXPECT_EQ(pen->colour, *c.colour) << c.i << "," << c.j;
            EXPECT_EQ(pen->width, 4) << "PageScale × 0.4";
        }
    }

    // The distance near the cell's top-left corner, in grey.
    const DistanceGrid grid = SphericalDistanceCells(chart, orbs);
    const std::optional<Event> text = TextEvent(dc, grid[0][0].text);
    ASSERT_TRUE(text);
    EXPECT_EQ(PointOf(*text), surface.ToDevice(20.2L, 111.4L));
    EXPECT_EQ(text->textColour, kGrey);
    // 54 distances and the two title words; heads for the Moon … the Midheaven above and
    // the Sun … the South Node down the diagonal.
    EXPECT_EQ(Texts(dc).size(), 54u + 2u);
    const std::vector<Event> heads = dc.ofKind("picture");
    ASSERT_EQ(heads.size(), 19u);
    EXPECT_EQ(CentreOf(heads[0]), surface.ToDevice(23.9L, 108));  // the Moon over column 2
    EXPECT_EQ(heads[9].text, PlanetSymbolFile(11, false, false)); // the Midheaven last
    EXPECT_EQ(CentreOf(heads[10]), surface.ToDevice(17.5L, 114)); // the Sun before row 1
    EXPECT_EQ(CentreOf(heads[11]), surface.ToDevice(23.9L, 120)); // the Moon before row 2
}

TEST(DistancesBlock, DistanceFromLongitudeAndLatitude) {
    // The same longitude, 30.257° apart in latitude.
    ChartState chart;
    chart.ChartLatitude[2] = 30.257L;
    DrawingSurface surface = Surface();
    RecordingTarget dc;
    DrawDistancesBlock(surface, dc, chart, OrbTable{}, 15, 105);
    const std::optional<Event> cell = TextEvent(dc, "30.25");
    ASSERT_TRUE(cell);
    EXPECT_EQ(PointOf(*cell), surface.ToDevice(20.2L, 111.4L));
}

// --- Webs -------------------------------------------------------------------------

ChartState PlanetsAt(const std::array<long double, 7>& longitudes) {
    ChartState chart;
    for (std::size_t k = 0; k < 7; ++k)
        chart.ChartLongitude[k + 1] = longitudes[k];
    return chart;
}

// The text centred in the cell (column, row) of the 7-unit grid of a web anchored at the
// middle of the grid's top edge, (x, y).
std::optional<Event> CellText(const RecordingTarget& dc, const DrawingSurface& surface,
                              long double x, long double y, int column, int row) {
    const DevicePoint at = surface.ToDevice(x - 14 + 7 * column + 3.5L, y + 7 * row + 1.5L);
    for (const Event& e : Texts(dc))
        if (PointOf(e) == at && e.align == TextAlign::Centre)
            return e;
    return std::nullopt;
}

TEST(WebBlocks, ElementalWebAllInAries) {
    DrawingSurface surface = Surface();
    RecordingTarget dc;
    DrawElementalWebBlock(surface, dc, PlanetsAt({1, 2, 3, 4, 5, 6, 7}), 46, 95);
    const auto cell = [&](int column, int row) {
        return CellText(dc, surface, 46, 95, column, row);
    };
    ASSERT_TRUE(cell(0, 0));
    EXPECT_EQ(cell(0, 0)->text, "7"); // salt and fire
    EXPECT_EQ(cell(0, 0)->textColour, kGrey);
    EXPECT_EQ(cell(1, 0)->text, "0");
    EXPECT_EQ(cell(3, 0)->text, "7"); // fire's total, in red
    EXPECT_EQ(cell(3, 0)->textColour, kRed);
    EXPECT_EQ(cell(0, 4)->text, "7"); // salt's total, white on screen and black on paper
    EXPECT_EQ(cell(0, 4)->textColour, kBlack);
    for (const char* label : {"TELA ELEMENTAL", "Sal", "Istinto", "Colectividad", "Fuego",
                              "Voluntad", "Sentimiento", "Tot"})
        EXPECT_TRUE(TextEvent(dc, label)) << label;
    // Three principle glyphs over the columns, four element glyphs beside the rows.
    EXPECT_EQ(dc.ofKind("picture").size(), 7u);
    EXPECT_FALSE(TextEvent(dc, "[Elemental]"));
}

TEST(WebBlocks, SeasonalWebCountsCancerAsCardinalSummer) {
    DrawingSurface surface = Surface();
    RecordingTarget dc;
    // Cancer, and six planets in Taurus (fixed, spring).
    DrawSeasonalWebBlock(surface, dc, PlanetsAt({100, 40, 40, 40, 40, 40, 40}), 46, 233);
    const auto cell = [&](int column, int row) {
        return CellText(dc, surface, 46, 233, column, row);
    };
    EXPECT_EQ(cell(0, 1)->text, "1"); // cardinal, summer
    EXPECT_EQ(cell(1, 0)->text, "6"); // fixed, spring
    EXPECT_EQ(cell(3, 1)->text, "1");
    EXPECT_EQ(cell(3, 1)->textColour, kRed); // summer's total
    EXPECT_EQ(cell(1, 4)->text, "6");
    for (const char* label : {"TELA ESTACIONAL", "Tr\xF3picos", "(Mudable)", "Totales", "Primavera",
                              "Oto\xF1o", "Aire"})
        EXPECT_TRUE(TextEvent(dc, label)) << label;
    EXPECT_TRUE(dc.ofKind("picture").empty());
}

TEST(WebBlocks, HumoralTableWithItsPrintedLegend) {
    DrawingSurface surface = Surface();
    RecordingTarget dc;
    // Three planets in air signs, four in fire signs: C 7, U 3, F 0, S 4.
    DrawElementalHumoralBlock(surface, dc, PlanetsAt({70, 190, 310, 10, 130, 250, 15}), 50, 160);
    const auto valueOfRow = [&](int row) -> std::string {
        const DevicePoint at = surface.ToDevice(50 + 27, 160 + 7 * row + 1.5L);
        for (const Event& e : Texts(dc))
            if (PointOf(e) == at)
                return e.text;
        return "-";
    };
    EXPECT_EQ(valueOfRow(0), "7");
    EXPECT_EQ(valueOfRow(1), "3");
    EXPECT_EQ(valueOfRow(2), "0");
    EXPECT_EQ(valueOfRow(3), "4");
    for (const std::string& label :
         {"ATRIBUCIÓN HUMORAL"_cp, "(Elemental)"_cp, "C = cálido"_cp, "U = húmedo"_cp,
          "F = frío"_cp, "S = seco"_cp, "Extrovertido"_cp, "Autónomo"_cp})
        EXPECT_TRUE(TextEvent(dc, label)) << label;
    EXPECT_FALSE(TextEvent(dc, "C=caliente"));
    EXPECT_EQ(dc.ofKind("picture").size(), 4u);

    RecordingTarget seasonal;
    DrawSeasonalHumoralBlock(surface, seasonal, PlanetsAt({70, 190, 310, 10, 130, 250, 15}), 50,
                             160);
    EXPECT_TRUE(TextEvent(seasonal, "(Estacional)"));
}

} // namespace
} // namespace exo
