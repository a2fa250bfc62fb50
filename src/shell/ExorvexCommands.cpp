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
#include "shell/JsonText.h"

#include <cmath>
#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <unistd.h>

namespace exo {

namespace {

// A bad or missing argument: exit status 2.
class UsageError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct CommandLine {
    std::string command;
    std::vector<std::string> words; // positional words after the command
    std::map<std::string, std::string> options;
    bool json = false;

    const std::string& option(const std::string& name) const {
        const auto found = options.find(name);
        if (found == options.end())
            throw UsageError("falta la opción --" + name);
        return found->second;
    }
    bool has(const std::string& name) const { return options.count(name) != 0; }
};

// Options that take a value; every other "--word" is refused.
const std::set<std::string> kValueOptions = {"calendar", "date",   "time", "jd",     "folder",
                                             "node",     "apogee", "corr", "coords", "system"};

CommandLine Parse(const std::vector<std::string>& args) {
    CommandLine line;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) != 0 || arg.size() == 2) {
            if (line.command.empty())
                line.command = arg;
            else
                line.words.push_back(arg);
            continue;
        }
        std::string name = arg.substr(2);
        std::string value;
        const std::size_t equals = name.find('=');
        const bool inlineValue = equals != std::string::npos;
        if (inlineValue) {
            value = name.substr(equals + 1);
            name.resize(equals);
        }
        if (name == "json" && !inlineValue) {
            line.json = true;
            continue;
        }
        if (kValueOptions.count(name) == 0)
            throw UsageError("opción desconocida --" + name);
        if (!inlineValue) {
            if (i + 1 >= args.size())
                throw UsageError("falta el valor de --" + name);
            value = args[++i];
        }
        if (!line.options.emplace(name, value).second)
            throw UsageError("opción repetida --" + name);
    }
    if (line.command.empty())
        throw UsageError("falta la orden (jd, datetext, text, positions, houses)");
    return line;
}

long double RealArgument(const std::string& text, const std::string& what) {
    long double x = 0;
    if (!ParseReal(text, x) && !ParseLocaleReal(text, x))
        throw UsageError(what + " no es un número: '" + text + "'");
    return x;
}

int IntegerArgument(const std::string& text, const std::string& what, int low, int high) {
    std::int32_t n = 0;
    if (!ParseInteger(text, n) || n < low || n > high)
        throw UsageError(what + " debe ser un entero de " + std::to_string(low) + " a " +
                         std::to_string(high) + ": '" + text + "'");
    return n;
}

// "GR" is the Gregorian calendar (flag 1), "GIUL" the Julian one.
bool GregorianArgument(const std::string& text) {
    if (text == "GR")
        return true;
    if (text == "GIUL")
        return false;
    throw UsageError("--calendar debe ser GR o GIUL: '" + text + "'");
}

// Splits "a<sep>b<sep>c" into exactly `parts` integer fields.
std::vector<std::string> Fields(const std::string& text, char separator, std::size_t parts,
                                const std::string& what) {
    std::vector<std::string> fields(1);
    for (const char c : text) {
        if (c == separator)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    if (fields.size() != parts)
        throw UsageError(what + " mal escrita: '" + text + "'");
    return fields;
}

struct Output {
    std::string plain; // UTF-8
    JsonObject json;
};

void ExpectWords(const CommandLine& line, std::size_t count, const std::string& usage) {
    if (line.words.size() != count)
        throw UsageError("uso: exorvex " + usage);
}

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

// A Julian Day the engine can count with: finite and within the calendar's reach.
long double JulianDayArgument(const CommandLine& line) {
    const long double jd = RealArgument(line.option("jd"), "--jd");
    if (!std::isfinite(jd) || std::fabs(jd) > 1e11L)
        throw UsageError("--jd fuera de rango: '" + line.option("jd") + "'");
    return jd;
}

// The value of an optional option that must be one of `allowed` (the first is the default).
std::string ChoiceArgument(const CommandLine& line, const std::string& name,
                           const std::vector<std::string>& allowed) {
    if (!line.has(name))
        return allowed.front();
    const std::string& value = line.option(name);
    for (const std::string& choice : allowed) {
        if (value == choice)
            return value;
    }
    std::string choices;
    for (const std::string& choice : allowed)
        choices += (choices.empty() ? "" : "|") + choice;
    throw UsageError("--" + name + " debe ser " + choices + ": '" + value + "'");
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

// Text padded with blanks to `width` characters (UTF-8, counted as code points).
std::string PaddedRight(const std::string& utf8, std::size_t width) {
    std::size_t characters = 0;
    for (const char c : utf8)
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return utf8 + std::string(width > characters ? width - characters : 0, ' ');
}
std::string PaddedLeft(const std::string& text, std::size_t width) {
    return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
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

// The 12-character coordinate field: latitude degrees, letter, minutes, a separator,
// longitude degrees, letter, minutes. A number that does not convert counts as 0, as in a
// stored subject.
void SetCoordinates(const std::string& utf8, ChartState& chart) {
    const std::string field = Cp1252FromUtf8(utf8);
    if (field.size() != 12)
        throw UsageError("--coords debe tener 12 caracteres (como 45N28-009E11): '" + utf8 + "'");
    chart.CoordinatesText = field;
    chart.LatitudeDegrees = IntegerOrZero(field.substr(0, 2));
    chart.LatitudeLetter = field.substr(2, 1);
    chart.LatitudeMinutes = IntegerOrZero(field.substr(3, 2));
    chart.LongitudeDegrees = IntegerOrZero(field.substr(6, 3));
    chart.LongitudeLetter = field.substr(9, 1);
    chart.LongitudeMinutes = IntegerOrZero(field.substr(10, 2));
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

const std::map<std::string, std::function<Output(const CommandLine&)>>& Commands() {
    static const std::map<std::string, std::function<Output(const CommandLine&)>> commands = {
        {"jd", JdCommand},         {"datetext", DateTextCommand},
        {"text", TextCommand},     {"positions", PositionsCommand},
        {"houses", HousesCommand},
    };
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
        const CommandLine line = Parse(args);
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
