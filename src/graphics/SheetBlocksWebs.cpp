// The four constitution webs of the printed sheets, laid out as the analysis pages lay them:
// the count tables in 7-unit cells with their heads, labels and totals, the humoral tables
// in cells 6 wide and 7 high. A web's anchor is the middle of its grid's top edge, with the
// column labels and the title stacked above it and the row labels left and right of the
// rows; a humoral table's anchor is the top-left corner of its first row's glyph cell.
#include "graphics/SheetBlocks.h"

#include "analysis/Webs.h"

#include <algorithm>
#include <array>
#include <string>

namespace exo {
namespace {

constexpr long double kCell = 7;
constexpr long double kHumoralCellWidth = 6;
constexpr long double kGlyphSize = 5;
constexpr long double kLabelBand = 8; // one column label: its name over its meaning

// The element glyphs are 1 … 4 in the order of the elements, the principles 5 … 7.
int ElementGlyph(int element) {
    return element + 1;
}
int PrincipleGlyph(int principle) {
    return 5 + principle;
}

const std::string& ElementName(int element) {
    static const std::array<std::string, kElements> names = {"Fuego", "Tierra", "Aire", "Agua"};
    return names.at(static_cast<std::size_t>(element));
}

struct ColumnLabel {
    const char* name;
    const char* meaning;
};

// Column c and row r of a table of 7-unit cells whose first cell has its top-left corner
// at (x, y).
struct WebGrid {
    long double x, y;
    long double left(int column) const { return x + kCell * column; }
    long double top(int row) const { return y + kCell * row; }
    long double middleX(int column) const { return left(column) + kCell / 2; }
    long double middleY(int row) const { return top(row) + kCell / 2; }
};

void CellLines(DrawingSurface& surface, DrawingTarget& dc, long double x, long double y,
               long double width, long double height, int columns, int rows) {
    surface.SelectRolePen(dc, 10);
    for (int r = 0; r <= rows; ++r)
        surface.DrawLine(dc, {x, y + height * r}, {x + width * columns, y + height * r});
    for (int c = 0; c <= columns; ++c)
        surface.DrawLine(dc, {x + width * c, y}, {x + width * c, y + height * rows});
    surface.ReleasePen(dc);
}

// A count centred in its cell.
void Count(DrawingSurface& surface, DrawingTarget& dc, int count, Colour colour, long double cx,
           long double cy) {
    SetBlockTextColour(surface, dc, colour);
    surface.TextCentre(dc, std::to_string(count), 15, cx, cy - 2);
}

// Title and subtitle over the highest column label, from the left edge of the row names.
void WebTitle(DrawingSurface& surface, DrawingTarget& dc, const WebGrid& grid,
              const std::string& title, const std::string& subtitle, long double labelTop) {
    surface.SetTextRole(dc, 4);
    surface.TextLeft(dc, title, 2, grid.x - 22, labelTop - 10);
    surface.TextLeft(dc, subtitle, 15, grid.x - 22, labelTop - 5);
    surface.SetTextRole(dc, 0);
}

// The grid of a web whose anchor is the middle of its top edge (four columns).
WebGrid WebGridAt(long double x, long double y) {
    return {x - 2 * kCell, y};
}

// The labels of the first three columns, staggered upward from the last so that each
// stands right of its leader line and over the shorter leaders of the columns after it.
// `base` is where the leaders begin above the column heads. Returns the top of the highest.
long double ColumnLabels(DrawingSurface& surface, DrawingTarget& dc, const WebGrid& grid,
                         const std::array<ColumnLabel, 3>& labels, long double base) {
    long double highest = base;
    for (int c = 0; c < 3; ++c) {
        const long double top = base - kLabelBand * (3 - c);
        const long double leaderX = grid.middleX(c);
        surface.SelectRolePen(dc, 10);
        surface.DrawLine(dc, {leaderX, base}, {leaderX, top + 2});
        surface.ReleasePen(dc);
        surface.SetTextRole(dc, 0);
        surface.TextLeft(dc, labels[static_cast<std::size_t>(c)].name, 15, leaderX + 1, top);
        surface.TextLeft(dc, labels[static_cast<std::size_t>(c)].meaning, 33, leaderX + 1, top + 4);
        highest = std::min(highest, top);
    }
    return highest;
}

void HumoralBlock(DrawingSurface& surface, DrawingTarget& dc, const HumoralTable& table,
                  const std::string& subtitle, long double x, long double y) {
    const auto columnMiddle = [x](int column) { return x + kHumoralCellWidth * (column + 0.5L); };
    surface.SetTextRole(dc, 4);
    surface.TextLeft(dc, "ATRIBUCI\xD3N HUMORAL", 2, x - 14, y - 15);
    surface.TextLeft(dc, subtitle, 15, x - 14, y - 10);
    surface.SetTextRole(dc, 0);
    surface.TextCentre(dc, "Tot", 33, columnMiddle(2), y - 4.5L);
    surface.TextCentre(dc, "Tot", 33, columnMiddle(4), y - 4.5L);
    CellLines(surface, dc, x + kHumoralCellWidth, y, kHumoralCellWidth, kCell, 4, 4);

    long double rowTop = y;
    for (const HumoralRow& row : HumoralRows(table)) {
        const long double cy = rowTop + kCell / 2;
        surface.DrawElementSymbol(dc, ElementGlyph(row.element), kGlyphSize, columnMiddle(0), cy);
        SetBlockTextColour(surface, dc, row.colour);
        surface.TextRight(dc, row.name, 15, x - 1, cy - 2);
        surface.SetTextRole(dc, 0);
        surface.TextCentre(dc, row.elementLetters[0], 33, columnMiddle(1) - 1.5L, cy - 1.7L);
        surface.TextCentre(dc, row.elementLetters[1], 33, columnMiddle(1) + 1.5L, cy - 1.7L);
        Count(surface, dc, row.count, row.colour, columnMiddle(2), cy);
        surface.SetTextRole(dc, 0);
        surface.TextCentre(dc, row.qualityLetter, 15, columnMiddle(3), cy - 2);
        Count(surface, dc, row.qualityValue, kWebWhite, columnMiddle(4), cy);
        surface.TextLeft(dc, row.temperament, 33, x + 5 * kHumoralCellWidth + 1, cy - 1.7L);
        rowTop += kCell;
    }
    surface.SetTextRole(dc, 0);
    // The legend on one line under the table.
    surface.TextLeft(dc, "C = c\xE1lido", 33, x - 14, rowTop + 1.5L);
    surface.TextLeft(dc, "U = h\xFAmedo", 33, x + 3, rowTop + 1.5L);
    surface.TextLeft(dc, "F = fr\xEDo", 33, x + 23, rowTop + 1.5L);
    surface.TextLeft(dc, "S = seco", 33, x + 38, rowTop + 1.5L);
}

} // namespace

void DrawElementalWebBlock(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
                           long double x, long double y) {
    const ElementalWeb web = ElementalWebOf(TraditionalSignsOf(chart));
    const WebGrid grid = WebGridAt(x, y);
    // The principle glyphs stand over the columns, the leaders rise from above them.
    const long double highest = ColumnLabels(
        surface, dc, grid,
        {{{"Sal", "Istinto"}, {"Azufre", "Persona"}, {"Mercurio", "Colectividad"}}}, y - 6.5L);
    WebTitle(surface, dc, grid, "TELA ELEMENTAL", "(Nivel Psicosom\xE1tico)", highest);
    for (int p = 0; p < kPrinciples; ++p)
        surface.DrawElementSymbol(dc, PrincipleGlyph(p), kGlyphSize, grid.middleX(p), y - 3.5L);
    surface.TextCentre(dc, "Tot", 33, grid.middleX(kPrinciples), y - 5);
    CellLines(surface, dc, grid.x, y, kCell, kCell, kPrinciples + 1, kElements + 1);

    static const std::array<const char*, kElements> meanings = {"Voluntad", "Cuerpo", "Pensamiento",
                                                                "Sentimiento"};
    for (int e = 0; e < kElements; ++e) {
        const Colour colour = ElementColour(e);
        const long double cy = grid.middleY(e);
        surface.DrawElementSymbol(dc, ElementGlyph(e), kGlyphSize, grid.x - kCell / 2, cy);
        SetBlockTextColour(surface, dc, colour);
        surface.TextRight(dc, ElementName(e), 15, grid.x - kCell - 0.5L, cy - 2);
        surface.TextLeft(dc, meanings[static_cast<std::size_t>(e)], 33,
                         grid.left(kPrinciples + 1) + 1.5L, cy - 1.7L);
        for (int p = 0; p < kPrinciples; ++p)
            Count(surface, dc, web.count[static_cast<std::size_t>(p)][static_cast<std::size_t>(e)],
                  kWebGrey, grid.middleX(p), cy);
        Count(surface, dc, web.elementTotal[static_cast<std::size_t>(e)], colour,
              grid.middleX(kPrinciples), cy);
    }
    surface.SetTextRole(dc, 0);
    surface.TextCentre(dc, "Tot", 33, grid.x - kCell / 2, grid.middleY(kElements) - 1.7L);
    for (int p = 0; p < kPrinciples; ++p)
        Count(surface, dc, web.principleTotal[static_cast<std::size_t>(p)], kWebWhite,
              grid.middleX(p), grid.middleY(kElements));
    surface.SetTextRole(dc, 0);
}

void DrawSeasonalWebBlock(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
                          long double x, long double y) {
    const SeasonalWeb web = SeasonalWebOf(TraditionalSignsOf(chart));
    const WebGrid grid = WebGridAt(x, y);
    // "Totales" heads the last column; the leaders rise from above it.
    const long double highest = ColumnLabels(
        surface, dc, grid,
        {{{"Tr\xF3picos", "(Cardinal)"}, {"S\xF3lidos", "(Fijo)"}, {"Bicorporal", "(Mudable)"}}},
        y - 5.5L);
    WebTitle(surface, dc, grid, "TELA ESTACIONAL", "(Nivel somatops\xEDquico)", highest);
    surface.TextCentre(dc, "Totales", 33, grid.middleX(kQualities), y - 4.5L);
    CellLines(surface, dc, grid.x, y, kCell, kCell, kQualities + 1, kSeasons + 1);

    // Each season is named by the element of its signs on the left, by itself on the right.
    static const std::array<int, kSeasons> elements = {Element::Air, Element::Fire, Element::Earth,
                                                       Element::Water};
    static const std::array<const char*, kSeasons> seasons = {"Primavera", "Verano", "Oto\xF1o",
                                                              "Invierno"};
    for (int s = 0; s < kSeasons; ++s) {
        const Colour colour = SeasonColour(s);
        const long double cy = grid.middleY(s);
        SetBlockTextColour(surface, dc, colour);
        surface.TextRight(dc, ElementName(elements[static_cast<std::size_t>(s)]), 15, grid.x - 1.5L,
                          cy - 2);
        surface.TextLeft(dc, seasons[static_cast<std::size_t>(s)], 33,
                         grid.left(kQualities + 1) + 1.5L, cy - 1.7L);
        for (int q = 0; q < kQualities; ++q)
            Count(surface, dc, web.count[static_cast<std::size_t>(q)][static_cast<std::size_t>(s)],
                  kWebGrey, grid.middleX(q), cy);
        Count(surface, dc, web.seasonTotal[static_cast<std::size_t>(s)], colour,
              grid.middleX(kQualities), cy);
    }
    surface.SetTextRole(dc, 0);
    surface.TextRight(dc, "Tot", 33, grid.x - 1.5L, grid.middleY(kSeasons) - 1.7L);
    for (int q = 0; q < kQualities; ++q)
        Count(surface, dc, web.qualityTotal[static_cast<std::size_t>(q)], kWebWhite,
              grid.middleX(q), grid.middleY(kSeasons));
    surface.SetTextRole(dc, 0);
}

void DrawElementalHumoralBlock(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
                               long double x, long double y) {
    HumoralBlock(surface, dc, HumoralElementalOf(TraditionalSignsOf(chart)), "(Elemental)", x, y);
}

void DrawSeasonalHumoralBlock(DrawingSurface& surface, DrawingTarget& dc, const ChartState& chart,
                              long double x, long double y) {
    HumoralBlock(surface, dc, HumoralSeasonalOf(TraditionalSignsOf(chart)), "(Estacional)", x, y);
}

} // namespace exo
