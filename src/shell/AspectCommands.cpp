// exorvex aspects: the aspect pages of the analysis window for the current subject under the
// active orb set of the program folder — the listing, the aspect key lines, the aspect grid
// and the spherical distances.
#include "analysis/Aspects.h"
#include "analysis/OrbSettings.h"
#include "platform/Cp1252.h"
#include "shell/CommandSupport.h"
#include "shell/CurrentChart.h"
#include "shell/JsonText.h"

#include <array>
#include <vector>

namespace exo {

namespace {

const std::string& AspectName(int kind) {
    static const std::array<std::string, kAspectKinds> names = {
        "Cong", "Sest", "Quad", "Trig", "Oppo", "SmSt", "Deci",
        "Novi", "SmQd", "Sett", "Quin", "SsQd", "BiQn", "Qunc"};
    return names.at(static_cast<std::size_t>(kind));
}

std::string GridJson(const AspectGrid& grid) {
    std::vector<std::string> rows;
    for (const auto& row : grid) {
        std::vector<std::string> cells;
        for (const auto& cell : row) {
            if (!cell) {
                cells.push_back("null");
                continue;
            }
            JsonObject object;
            object.add("kind", AspectName(cell->aspect.kind))
                .add("glyph", static_cast<long double>(cell->aspect.glyph))
                .add("angle", cell->aspect.exactAngle)
                .add("text", cell->text);
            cells.push_back(object.text());
        }
        rows.push_back(JsonArray(cells));
    }
    return JsonArray(rows);
}

std::string DistancesJson(const DistanceGrid& grid) {
    std::vector<std::string> rows;
    for (const auto& row : grid) {
        std::vector<std::string> cells;
        for (const DistanceCell& cell : row) {
            JsonObject object;
            object.add("distance", cell.distance)
                .add("text", cell.text)
                .add("hard", cell.hard)
                .add("soft", cell.soft)
                .add("conjunction", cell.conjunction)
                .add("colour", static_cast<long double>(cell.colour));
            cells.push_back(object.text());
        }
        rows.push_back(JsonArray(cells));
    }
    return JsonArray(rows);
}

// A triangular table: the codes of the later points across, one row per point 1 … 9.
template <typename Grid, typename CellText>
std::string TriangleText(const Grid& grid, std::size_t width, CellText cellText) {
    std::string text = "   ";
    for (int j = 2; j <= kGridColumns; ++j)
        text += " " + PaddedRight(AspectPointCode(j), width);
    text.erase(text.find_last_not_of(' ') + 1);
    for (int i = 1; i <= kGridRows; ++i) {
        text += '\n' + AspectPointCode(i) + std::string((width + 1) * (i - 1), ' ');
        for (const auto& cell : grid[static_cast<std::size_t>(i - 1)])
            text += " " + PaddedRight(cellText(cell), width);
        text.erase(text.find_last_not_of(' ') + 1);
    }
    return text;
}

std::string GridText(const AspectGrid& grid) {
    return TriangleText(grid, 6, [](const std::optional<AspectGridCell>& cell) {
        return cell ? AspectName(cell->aspect.kind) + cell->text : std::string();
    });
}

// The distance and its class: "+" hard, "~" soft, "=" conjunction.
std::string DistancesText(const DistanceGrid& grid) {
    return TriangleText(grid, 6, [](const DistanceCell& cell) {
        return cell.text + (cell.hard ? "+" : cell.soft ? "~" : cell.conjunction ? "=" : "");
    });
}

Output AspectsCommand(const CommandLine& line) {
    ExpectWords(line, 0, "aspects");
    ChartState& chart = GlobalChart();
    ClearChartState(chart);
    OrbSettings& settings = GlobalOrbSettings();
    LoadOrbSettings(settings, chart);
    ComputeCurrentChartQuiet(chart);

    const std::vector<std::string> listing =
        Utf8Lines(AspectListingLines(chart, settings.ActiveOrbs));
    const std::vector<std::string> keys = Utf8Lines(AspectKeyLines(chart, settings.ActiveOrbs));
    const AspectGrid grid = AspectGridCells(chart, settings.ActiveOrbs);
    const DistanceGrid distances = SphericalDistanceCells(chart, settings.ActiveOrbs);

    Output out;
    out.json.add("orb_set", Utf8FromCp1252(settings.OrbSetLetter.str()))
        .add("listing", listing)
        .add("keys", keys)
        .addRaw("grid", GridJson(grid))
        .addRaw("distances", DistancesJson(distances));

    for (const std::string& text : listing)
        out.plain += text + '\n';
    out.plain += "\nClaves de los aspectos\n";
    for (const std::string& key : keys)
        out.plain += key + '\n';
    out.plain += "\nASPECTOS y ÓRBITAS en la eclíptica\n" + GridText(grid) + '\n';
    out.plain +=
        "\nDISTANCIAS ESFÉRICAS (+ duro, ~ suave, = conjunción)\n" + DistancesText(distances);
    return out;
}

} // namespace

void AddAspectCommands(CommandTable& table) {
    table.emplace("aspects", AspectsCommand);
}

} // namespace exo
