// exorvex chart: the current subject's chart as the main window computes it, in chart order.
#include "analysis/OrbSettings.h"
#include "platform/Cp1252.h"
#include "platform/NumberText.h"
#include "platform/ProgramPaths.h"
#include "shell/CommandSupport.h"
#include "shell/CurrentChart.h"

#include <vector>

namespace exo {

namespace {

// The tool's name of a point in chart order; the traditional points have the program's own
// labels.
std::string ChartPointName(int point) {
    if (point <= ChartOrder::SouthNode)
        return Utf8FromCp1252(ChartPointLabel(point));
    switch (point) {
    case ChartOrder::Ascendant:
    case ChartOrder::AscendantCopy:
        return "ASCENDENTE";
    case ChartOrder::Midheaven:
        return "MEDIO CIELO";
    case ChartOrder::BlackMoon:
        return Utf8FromCp1252(PointLabel(EphemerisOrder::BlackMoon));
    case ChartOrder::Ceres:
        return "CERES";
    case ChartOrder::Pallas:
        return "PALAS";
    case ChartOrder::Juno:
        return "JUNO";
    case ChartOrder::Vesta:
        return "VESTA";
    case ChartOrder::Chiron:
        return "QUIRÓN";
    default:
        return "";
    }
}

std::string PanelPlainText(const SubjectPanel& panel) {
    std::string text;
    if (panel.MemoDati) {
        for (const std::string& line : *panel.MemoDati)
            text += Utf8FromCp1252(line) + '\n';
    }
    text += "Notas: " + Utf8FromCp1252(panel.MemoAnnotaz) + '\n';
    return text;
}

std::string ChartPlainText(const ChartState& chart) {
    std::string text = Utf8FromCp1252(chart.JulianDayText.str()) + "  GMT" +
                       Utf8FromCp1252(chart.ZoneText.str()) + '\n';
    for (int point = kFirstPoint; point <= kLastPoint; ++point) {
        text += PaddedLeft(std::to_string(point), 2) + "  " +
                PaddedRight(ChartPointName(point), 11) + "  " +
                PaddedLeft(FixedCutText(chart.ChartLongitude[point], 6), 11) + "  " +
                PaddedLeft(FixedCutText(chart.ChartLatitude[point], 6), 10) + "  " +
                Utf8FromCp1252(chart.RetroMark[point].str()) + '\n';
    }
    for (int h = 1; h <= 12; ++h) {
        text += "Casa " + PaddedLeft(std::to_string(h), 2) + "       " +
                PaddedLeft(FixedCutText(chart.HouseCusp[h], 6), 11) + '\n';
    }
    text += "Medio Cielo   " +
            PaddedLeft(FixedCutText(chart.ChartLongitude[ChartOrder::Midheaven], 6), 11);
    return text;
}

Output ChartCommand(const CommandLine& line) {
    ExpectWords(line, 0, "chart [--quiet] [--node VERO|MEDIO] [--apogee VERA|MEDIA]");
    const bool quiet = line.flag("quiet");
    const std::string node = ChoiceArgument(line, "node", {"VERO", "MEDIO"});
    const std::string apogee = ChoiceArgument(line, "apogee", {"VERA", "MEDIA"});
    ChartState& chart = GlobalChart();
    ClearChartState(chart);
    // The node and Black Moon kinds of the program folder's settings, as the main window
    // computes the chart; an option given, or a folder without settings, takes the option's.
    const bool hasSettings = FileExists(kOrbSettingsFile);
    if (hasSettings)
        LoadOrbSettings(GlobalOrbSettings(), chart);
    if (!hasSettings || line.has("node"))
        chart.NodeKind = node;
    if (!hasSettings || line.has("apogee"))
        chart.ApogeeKind = apogee;
    const SubjectPanel panel = quiet ? ComputeCurrentChartQuiet(chart) : ComputeCurrentChart(chart);

    std::vector<long double> longitude, latitude, cusps;
    std::vector<std::string> retro;
    for (int point = kFirstPoint; point <= kLastPoint; ++point) {
        longitude.push_back(chart.ChartLongitude[point]);
        latitude.push_back(chart.ChartLatitude[point]);
        retro.push_back(Utf8FromCp1252(chart.RetroMark[point].str()));
    }
    for (int h = 1; h <= 12; ++h)
        cusps.push_back(chart.HouseCusp[h]);

    Output out;
    // A quiet run leaves the window's lines and text button alone: null here.
    if (panel.MemoDati) {
        std::vector<std::string> memo;
        for (const std::string& lineText : *panel.MemoDati)
            memo.push_back(Utf8FromCp1252(lineText));
        out.json.add("memo", memo);
    } else {
        out.json.addRaw("memo", "null");
    }
    out.json.add("notes", Utf8FromCp1252(panel.MemoAnnotaz))
        .add("jd", chart.JulianDay)
        .add("zone_text", Utf8FromCp1252(chart.ZoneText.str()))
        .add("jd_text", Utf8FromCp1252(chart.JulianDayText.str()))
        .add("longitude", longitude)
        .add("latitude", latitude)
        .add("retro", retro)
        .add("cusps", cusps)
        .add("midheaven", chart.ChartLongitude[ChartOrder::Midheaven]);
    if (panel.BBApriTestoVisible)
        out.json.add("text_button", *panel.BBApriTestoVisible);
    else
        out.json.addRaw("text_button", "null");

    out.plain = PanelPlainText(panel) + ChartPlainText(chart);
    if (panel.BBApriTestoVisible)
        out.plain += std::string("\nAbrir texto: ") + (*panel.BBApriTestoVisible ? "sí" : "no");
    return out;
}

} // namespace

void AddChartCommands(CommandTable& table) {
    table.emplace("chart", ChartCommand);
}

} // namespace exo
