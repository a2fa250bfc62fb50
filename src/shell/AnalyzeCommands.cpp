// exorvex analyze: the classical placements of the current subject as the base page of the
// analysis window derives them — dignities, antiscia, dodecatemoria, décadas, términos and
// decanos, the key files it writes, the webs, the archetypal structure and the attribution
// texts of one point.
#include "analysis/ArchetypalStructure.h"
#include "analysis/Dignities.h"
#include "analysis/Divisions.h"
#include "analysis/OrbSettings.h"
#include "analysis/PlacementKeys.h"
#include "analysis/Webs.h"
#include "astro/TextHelpers.h"
#include "platform/Cp1252.h"
#include "platform/NumberText.h"
#include "platform/TextFile.h"
#include "shell/CommandSupport.h"
#include "shell/CurrentChart.h"
#include "shell/JsonText.h"

#include <vector>

namespace exo {

namespace {

template <typename Numbers> std::string JsonNumbers(const Numbers& numbers) {
    std::vector<std::string> values;
    for (const auto n : numbers)
        values.push_back(JsonNumber(static_cast<long double>(n)));
    return JsonArray(values);
}

// Entries 1 … count of a table indexed by point number.
template <typename Table> std::vector<long double> PointValues(const Table& table, int count) {
    std::vector<long double> values;
    for (int i = 1; i <= count; ++i)
        values.push_back(static_cast<long double>(table[static_cast<std::size_t>(i)]));
    return values;
}

std::vector<std::string> PointKeys(const DivisionKeys& keys) {
    std::vector<std::string> values;
    for (int i = 1; i <= kDivisionPoints; ++i)
        values.push_back(keys[static_cast<std::size_t>(i)]);
    return values;
}

// The mirror points of the 11 points; a point at 0° has none (null).
template <typename Mirror> std::string MirrorArray(const ChartState& chart, Mirror mirror) {
    std::vector<std::string> values;
    for (int i = 1; i <= kDivisionPoints; ++i) {
        const long double longitude = chart.ChartLongitude[static_cast<std::size_t>(i)];
        values.push_back(longitude > 0 && longitude < 360 ? JsonNumber(mirror(longitude)) : "null");
    }
    return JsonArray(values);
}

std::string HumoralJson(const HumoralTable& table) {
    JsonObject object;
    object.addRaw("elements", JsonNumbers(table.count))
        .add("hot", static_cast<long double>(table.hot))
        .add("moist", static_cast<long double>(table.moist))
        .add("cold", static_cast<long double>(table.cold))
        .add("dry", static_cast<long double>(table.dry));
    return object.text();
}

template <typename Web> std::string WebRows(const Web& web) {
    std::vector<std::string> rows;
    for (const auto& row : web.count)
        rows.push_back(JsonNumbers(row));
    return JsonArray(rows);
}

std::string StructureJson(const ArchetypalStructure& structure) {
    std::vector<std::string> columns;
    for (const StructureColumnView& column : StructureColumns(structure)) {
        std::vector<std::string> entries;
        for (const StructureSlotView& slot : column.entries) {
            JsonObject entry;
            entry.add("planet", static_cast<long double>(slot.planet))
                .add("level", static_cast<long double>(slot.level))
                .add("parent", static_cast<long double>(slot.parent));
            entries.push_back(entry.text());
        }
        JsonObject object;
        object.add("head", static_cast<long double>(column.head))
            .add("dignity", static_cast<long double>(column.dignityCode))
            .add("label", Utf8FromCp1252(column.label))
            .add("reception_group", static_cast<long double>(column.receptionGroup))
            .add("joined_to_next", column.joinedToNext)
            .addRaw("entries", JsonArray(entries));
        columns.push_back(object.text());
    }
    JsonObject object;
    object.addRaw("columns", JsonArray(columns));
    return object.text();
}

std::string Degrees(long double x) {
    return PaddedLeft(FixedCutText(x, 2), 7);
}

// One row per point: name, dignity, década, term, decan, antiscion, contrantiscion and the
// dodecatemoria.
std::string PlacementTable(const ChartState& chart, const DivisionValues& values) {
    std::string text = "Punto        Dignidad  Década Término Decano    Antiscio Contrant. "
                       "Dodecatemoria\n";
    for (int point = 1; point <= kDivisionPoints; ++point) {
        const auto i = static_cast<std::size_t>(point);
        const long double longitude = chart.ChartLongitude[i];
        const bool mirrored = longitude > 0 && longitude < 360;
        const std::string dignity =
            point <= kDignityPlanets ? DignityLabel(values.DignityCode[i]) : "";
        text += PaddedRight(Utf8FromCp1252(PointMemoName(point)), 13) +
                PaddedRight(Utf8FromCp1252(dignity), 10) +
                PaddedLeft(std::to_string(values.DecadeNumber[i]), 6) +
                PaddedLeft(std::to_string(values.TermNumber[i]), 8) + "  " +
                PaddedRight(values.DecanKey[i], 8) +
                (mirrored ? Degrees(Antiscion(longitude)) : PaddedLeft("-", 7)) + "  " +
                (mirrored ? Degrees(Contrantiscion(longitude)) : PaddedLeft("-", 7)) + "  " +
                Utf8FromCp1252(RetroPositionText(" ", values.DodecatemoriaLongitude[i])) + '\n';
    }
    return text;
}

std::string Block(const std::string& title, const std::vector<std::string>& utf8Lines) {
    std::string text = "\n" + title + "\n";
    for (const std::string& line : utf8Lines)
        text += line + '\n';
    return text;
}

Output AnalyzeCommand(const CommandLine& line) {
    ExpectWords(line, 0, "analyze [--point 1…11]");
    const int point = line.has("point")
                          ? IntegerArgument(line.option("point"), "--point", 1, kDivisionPoints)
                          : 1;
    ChartState& chart = GlobalChart();
    ClearChartState(chart);
    LoadOrbSettings(GlobalOrbSettings(), chart);
    ComputeCurrentChartQuiet(chart);
    DivisionValues& values = GlobalDivisions();
    ComputeDivisions(chart, values);
    WritePlacementKeys(chart, values, GlobalOrbSettings().ActiveOrbs);

    const TraditionalSigns signs = TraditionalSignsOf(chart);
    const ElementalWeb elemental = ElementalWebOf(signs);
    const SeasonalWeb seasonal = SeasonalWebOf(signs);
    const ArchetypalStructure& structure = BuildArchetypalStructure(chart);
    const Attribution attribution = ShowPointAttribution(point, chart, values);

    const std::vector<std::string> placementKeys = Utf8Lines(ReadTextLines(kPointKeyFile));
    const std::vector<std::string> signKeys = Utf8Lines(ReadTextLines(kSignKeyFile));
    const std::vector<std::string> specific = Utf8Lines(attribution.MemoL1);
    const std::vector<std::string> general = Utf8Lines(attribution.MemoL2);

    std::vector<long double> dignity;
    for (int planet = 1; planet <= kDignityPlanets; ++planet)
        dignity.push_back(values.DignityCode[static_cast<std::size_t>(planet)]);

    JsonObject attributionJson;
    attributionJson.add("point", static_cast<long double>(point))
        .add("specific", specific)
        .add("general", general);

    Output out;
    out.json.add("dignity", dignity)
        .addRaw("antiscia", MirrorArray(chart, Antiscion))
        .addRaw("contrantiscia", MirrorArray(chart, Contrantiscion))
        .add("dodecatemoria", PointValues(values.DodecatemoriaLongitude, kDivisionPoints))
        .add("decades", PointValues(values.DecadeNumber, kDivisionPoints))
        .add("terms", PointValues(values.TermNumber, kDivisionPoints))
        .add("decans", PointKeys(values.DecanKey))
        .add("placement_keys", placementKeys)
        .add("sign_keys", signKeys)
        .addRaw("elemental", WebRows(elemental))
        .addRaw("seasonal", WebRows(seasonal))
        .addRaw("humoral_elemental", HumoralJson(HumoralElementalOf(signs)))
        .addRaw("humoral_seasonal", HumoralJson(HumoralSeasonalOf(signs)))
        .addRaw("structure", StructureJson(structure))
        .addRaw("attribution", attributionJson.text());

    out.plain = PlacementTable(chart, values) +
                Block(Utf8FromCp1252(attribution.LabSpecific), specific) +
                Block(Utf8FromCp1252(attribution.LabGeneral), general);
    out.plain.pop_back();
    return out;
}

} // namespace

void AddAnalyzeCommands(CommandTable& table) {
    table.emplace("analyze", AnalyzeCommand);
}

} // namespace exo
