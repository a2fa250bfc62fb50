// exorvex powers: the master scoring of the current subject, run as the planetary-powers
// button of the analysis window runs it, with the files it leaves.
#include "analysis/MasterScoring.h"
#include "analysis/OrbSettings.h"
#include "analysis/Webs.h"
#include "astro/TextHelpers.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/NumberText.h"
#include "platform/ProgramPaths.h"
#include "platform/TextFile.h"
#include "shell/CommandSupport.h"
#include "shell/CurrentChart.h"

#include <vector>

namespace exo {

namespace {

// Lines from..to (1-based) of MMMaitr2.dum as numbers.
std::vector<long double> PowersFileNumbers(const std::vector<std::string>& lines, int from,
                                           int to) {
    std::vector<long double> numbers;
    for (int n = from; n <= to; ++n) {
        long double x = 0;
        if (static_cast<int>(lines.size()) < n || !ParseReal(lines[n - 1], x))
            throw InOutError(ResolveProgramPath(kMasterPowersFile), "read",
                             "la línea " + std::to_string(n) + " no es un número");
        numbers.push_back(x);
    }
    return numbers;
}

std::string ElementsText(const std::vector<std::string>& lines, int from) {
    static const char* const kNames[4] = {"Fuego", "Tierra", "Aire", "Agua"};
    std::string text;
    for (int e = 0; e < 4; ++e)
        text += std::string(e ? "  " : "") + kNames[e] + " " + lines[from - 1 + e];
    return text;
}

Output PowersCommand(const CommandLine& line) {
    ExpectWords(line, 0, "powers");
    ChartState& chart = GlobalChart();
    ClearChartState(chart);
    LoadOrbSettings(GlobalOrbSettings(), chart);
    ComputeCurrentChartQuiet(chart);
    RunPlanetaryPowersScoring(chart);
    const PlanetaryPowers powers = LoadPlanetaryPowers(chart);

    const std::vector<std::string> lines = ReadTextLines(kMasterPowersFile);
    const std::vector<long double> totals = PowersFileNumbers(lines, 1, 10);
    const std::vector<long double> elements = PowersFileNumbers(lines, 11, 14);
    const std::vector<long double> traditional = PowersFileNumbers(lines, 15, 18);
    const std::string master =
        powers.master > 0 ? Utf8FromCp1252(StripTrailingBlanks(PointLabel(powers.master))) : "";

    Output out;
    out.json.add("totals", totals)
        .add("elements", elements)
        .add("elements_7", traditional)
        .add("master", master);
    for (int k = 1; k <= kScoredPlanets; ++k) {
        out.plain += PaddedRight(Utf8FromCp1252(StripTrailingBlanks(PointLabel(k))), 10) +
                     PaddedLeft(lines[k - 1], 6) + '\n';
    }
    out.plain += "Elementos:             " + ElementsText(lines, 11) + '\n';
    out.plain += "Elementos Sol-Saturno: " + ElementsText(lines, 15) + '\n';
    out.plain += "Maestro: " + (master.empty() ? std::string("ninguno") : master);
    return out;
}

} // namespace

void AddPowersCommands(CommandTable& table) {
    table.emplace("powers", PowersCommand);
}

} // namespace exo
