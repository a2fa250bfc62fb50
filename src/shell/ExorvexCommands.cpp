#include "shell/ExorvexCommands.h"

#include "astro/Angles.h"
#include "astro/Calendar.h"
#include "astro/Ephemeris.h"
#include "astro/Houses.h"
#include "astro/TextHelpers.h"
#include "chart/ChartState.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/NumberText.h"
#include "shell/CommandSupport.h"
#include "shell/JsonText.h"

#include <cmath>
#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <unistd.h>

namespace exo {

namespace {

Output JdCommand(const CommandLine& line) {
    ExpectWords(line, 0, "jd --calendar GR|GIUL --date DD/MM/YYYY --time hh:mm");
    const bool gregorian = GregorianArgument(line.option("calendar"));
    const auto date = Fields(line.option("date"), '/', 3, "--date");
    const auto time = Fields(line.option("time"), ':', 2, "--time");
    const int day = IntegerArgument(date[0], "el día", 1, 31);
    const int month = IntegerArgument(date[1], "el mes", 1, 12);
    const int year = IntegerArgument(date[2], "el año", -4712, 9999);
    const int hour = IntegerArgument(time[0], "la hora", 0, 23);
    const int minute = IntegerArgument(time[1], "el minuto", 0, 59);
    const long double jd = JulianDayOf(gregorian ? 1 : 0, minute, hour, year, month, day);
    Output out;
    out.plain = GeneralText(jd);
    out.json.add("jd", jd);
    return out;
}

Output DateTextCommand(const CommandLine& line) {
    ExpectWords(line, 0, "datetext --jd <número> [--calendar GR|GIUL]");
    const long double jd = RealArgument(line.option("jd"), "--jd");
    const std::string text =
        line.has("calendar")
            ? DateTextOfJulianDayByFlag(jd, GregorianArgument(line.option("calendar")))
            : DateTextOfJulianDay(jd);
    Output out;
    out.plain = Utf8FromCp1252(text);
    out.json.add("text", out.plain);
    return out;
}

Output TextCommand(const CommandLine& line) {
    const std::string usage =
        "text retro <marca> <x> | sign <modo> <x> | degree <modo> <x> | latitude <x> | "
        "plain <n> <x> | clean <localidad>";
    if (line.words.empty())
        throw UsageError("uso: exorvex " + usage);
    const std::string& helper = line.words[0];
    const auto argument = [&](std::size_t i) -> const std::string& { return line.words[i]; };
    std::string text;
    if (helper == "retro") {
        ExpectWords(line, 3, "text retro <marca> <x>");
        text = RetroPositionText(Cp1252FromUtf8(argument(1)), RealArgument(argument(2), "x"));
    } else if (helper == "sign" || helper == "degree") {
        ExpectWords(line, 3, "text " + helper + " <modo> <x>");
        const int mode = IntegerArgument(argument(1), "el modo", -1000000, 1000000);
        const long double x = RealArgument(argument(2), "x");
        text = helper == "sign" ? SignPositionText(mode, x) : DegreeText(mode, x);
    } else if (helper == "latitude") {
        ExpectWords(line, 2, "text latitude <x>");
        text = LatitudeText(RealArgument(argument(1), "x"));
    } else if (helper == "plain") {
        ExpectWords(line, 3, "text plain <n> <x>");
        text =
            PlainDecimal(IntegerArgument(argument(1), "n", 0, 255), RealArgument(argument(2), "x"));
    } else if (helper == "clean") {
        ExpectWords(line, 2, "text clean <localidad>");
        text = CleanLocality(Cp1252FromUtf8(argument(1)));
    } else {
        throw UsageError("uso: exorvex " + usage);
    }
    Output out;
    out.plain = Utf8FromCp1252(text);
    out.json.add("text", out.plain);
    return out;
}

// The program's label of a point; the points after the twelve it names get their usual names.
std::string PointName(int point) {
    if (point <= 12)
        return Utf8FromCp1252(PointLabel(point));
    switch (point) {
    case EphemerisOrder::Ascendant:
        return "ASCENDENTE";
    case EphemerisOrder::Ceres:
        return "CERES";
    case EphemerisOrder::Pallas:
        return "PALAS";
    case EphemerisOrder::Juno:
        return "JUNO";
    case EphemerisOrder::Vesta:
        return "VESTA";
    case EphemerisOrder::Chiron:
        return "QUIRÓN";
    default:
        return "";
    }
}

// Positions of all points as the ephemeris leaves them (ephemeris order, negative
// longitudes for backward motion), for a freshly cleared chart: point 13 copies the cusp
// of house 1, which no house computation has set.
Output PositionsCommand(const CommandLine& line) {
    ExpectWords(line, 0, "positions --jd <número> [--node VERO|MEDIO] [--apogee VERA|MEDIA]");
    const long double jd = JulianDayArgument(line);
    ChartState& chart = GlobalChart();
    ClearChartState(chart);
    chart.NodeKind = ChoiceArgument(line, "node", {"VERO", "MEDIO"});
    chart.ApogeeKind = ChoiceArgument(line, "apogee", {"VERA", "MEDIA"});
    ComputePositionsWithMotion(0, jd, chart);

    std::vector<long double> longitude, latitude;
    Output out;
    for (int point = kFirstPoint; point <= kLastPoint; ++point) {
        longitude.push_back(chart.ChartLongitude[point]);
        latitude.push_back(chart.ChartLatitude[point]);
        if (!out.plain.empty())
            out.plain += '\n';
        out.plain += PaddedLeft(std::to_string(point), 2) + "  " +
                     PaddedRight(PointName(point), 10) + "  " +
                     PaddedLeft(FixedCutText(chart.ChartLongitude[point], 6), 12) + "  " +
                     PaddedLeft(FixedCutText(chart.ChartLatitude[point], 6), 11);
    }
    out.json.add("longitude", longitude).add("latitude", latitude);
    return out;
}

// Sidereal time, Ascendant, Midheaven and cusps of a birth chart (mode 1) in the named
// system; a name the program does not know sets only houses 1 and 10, as in the program.
Output HousesCommand(const CommandLine& line) {
    ExpectWords(line, 0,
                "houses --jd <número> --time hh:mm --corr <horas> --coords 45N28-009E11 "
                "--system <nombre>");
    const long double jd = JulianDayArgument(line);
    const auto time = Fields(line.option("time"), ':', 2, "--time");
    const int hour = IntegerArgument(time[0], "la hora", 0, 23);
    const int minute = IntegerArgument(time[1], "el minuto", 0, 59);
    const long double correction = RealArgument(line.option("corr"), "--corr");
    const std::string coordinates = line.option("coords");
    const std::string system = Cp1252FromUtf8(line.option("system"));

    ChartState& chart = GlobalChart();
    ClearChartState(chart);
    SetCoordinates(coordinates, chart);
    chart.BirthHourWhole = hour;
    chart.BirthMinuteWhole = minute;
    chart.TimeCorrection = correction;
    chart.JulianDay = jd;
    chart.HouseMode = 1;
    chart.HouseSystemName = system;
    ComputeHouses(HouseInputsOf(chart), chart);

    const long double ascendant = RadToDeg(chart.AscendantRad);
    const long double midheaven = RadToDeg(chart.MidheavenRad);
    std::vector<long double> cusps;
    Output out;
    for (int h = 1; h <= 12; ++h) {
        cusps.push_back(chart.HouseCusp[h]);
        out.plain += "Casa " + PaddedLeft(std::to_string(h), 2) + "       " +
                     PaddedLeft(FixedCutText(chart.HouseCusp[h], 6), 11) + '\n';
    }
    out.plain += "Ascendente    " + PaddedLeft(FixedCutText(ascendant, 6), 11) + '\n';
    out.plain += "Medio Cielo   " + PaddedLeft(FixedCutText(midheaven, 6), 11) + '\n';
    out.plain += "Tiempo sidéreo" + PaddedLeft(FixedCutText(chart.SiderealTimeHours, 6), 11);
    out.json.add("cusps", cusps)
        .add("ascendant", ascendant)
        .add("midheaven", midheaven)
        .add("sidereal_time", chart.SiderealTimeHours);
    return out;
}

} // namespace

void AddCalendarAndEngineCommands(CommandTable& table) {
    table.emplace("jd", JdCommand);
    table.emplace("datetext", DateTextCommand);
    table.emplace("text", TextCommand);
    table.emplace("positions", PositionsCommand);
    table.emplace("houses", HousesCommand);
}

namespace {

const CommandTable& Commands() {
    static const CommandTable commands = [] {
        CommandTable table;
        AddCalendarAndEngineCommands(table);
        AddPlaceCommands(table);
        AddSubjectCommands(table);
        AddChartCommands(table);
        AddAspectCommands(table);
        AddAnalyzeCommands(table);
        AddPowersCommands(table);
        AddBackupCommands(table);
        AddRenderCommands(table);
        return table;
    }();
    return commands;
}

void EnterFolder(const CommandLine& line) {
    if (!line.has("folder"))
        return;
    const std::string& folder = line.option("folder");
    if (::chdir(folder.c_str()) != 0)
        throw UsageError("--folder: no se puede entrar en la carpeta '" + folder + "'");
}

} // namespace

int RunExorvex(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        const CommandLine line = ParseCommandLine(args);
        const auto command = Commands().find(line.command);
        if (command == Commands().end())
            throw UsageError("orden desconocida '" + line.command + "'");
        EnterFolder(line);
        const Output result = command->second(line);
        out << (line.json ? result.json.text() : result.plain) << '\n';
        return 0;
    } catch (const UsageError& error) {
        err << "exorvex: " << error.what() << '\n';
        return 2;
    } catch (const ConvertError& error) {
        err << "exorvex: " << error.what() << '\n';
        return 2;
    } catch (const InOutError& error) {
        err << "exorvex: " << error.what() << '\n';
        return 1;
    } catch (const std::exception& error) {
        err << "exorvex: " << error.what() << '\n';
        return 1;
    }
}

} // namespace exo
