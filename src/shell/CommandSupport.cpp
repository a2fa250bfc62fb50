#include "shell/CommandSupport.h"

#include "platform/Cp1252.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace exo {

const std::string& CommandLine::option(const std::string& name) const {
    const auto found = options.find(name);
    if (found == options.end())
        throw UsageError("falta la opción --" + name);
    return found->second;
}

bool CommandLine::flag(const std::string& name) const {
    return std::find(flags.begin(), flags.end(), name) != flags.end();
}

namespace {

// Options that take a value; every other "--word" is refused.
const std::set<std::string> kValueOptions = {
    "calendar", "date",  "time",     "jd",     "folder",  "node",  "apogee",   "corr",  "coords",
    "system",   "file",  "locality", "reform", "archive", "name",  "position", "note1", "note2",
    "note3",    "note4", "country",  "sheet",  "out",     "width", "point",    "to",    "from"};
// Options that stand alone.
const std::set<std::string> kFlagOptions = {"quiet", "text", "black", "spindles"};

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
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
        if (kFlagOptions.count(name) != 0 && !inlineValue) {
            line.flags.push_back(name);
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
        throw UsageError("falta la orden");
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

void ExpectWords(const CommandLine& line, std::size_t count, const std::string& usage) {
    if (line.words.size() != count)
        throw UsageError("uso: exorvex " + usage);
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

} // namespace exo
