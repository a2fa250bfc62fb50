#pragma once
// What every command of the command-line tool shares: the parsed command line, the output
// (plain text and JSON), the usage error and the argument readers. Each group of commands
// lives in its own file and adds its commands to the table.
#include "chart/ChartState.h"
#include "shell/JsonText.h"

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace exo {

// A bad or missing argument: exit status 2.
class UsageError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct CommandLine {
    std::string command;
    std::vector<std::string> words; // positional words after the command
    std::map<std::string, std::string> options;
    std::vector<std::string> flags; // options without a value ("--quiet")
    bool json = false;

    const std::string& option(const std::string& name) const;
    bool has(const std::string& name) const { return options.count(name) != 0; }
    bool flag(const std::string& name) const;
};

struct Output {
    std::string plain; // UTF-8
    JsonObject json;
};

using CommandTable = std::map<std::string, std::function<Output(const CommandLine&)>>;

// The command groups.
void AddCalendarAndEngineCommands(CommandTable& table);
void AddPlaceCommands(CommandTable& table);
void AddSubjectCommands(CommandTable& table);
void AddChartCommands(CommandTable& table);
void AddAspectCommands(CommandTable& table);
void AddAnalyzeCommands(CommandTable& table);
void AddPowersCommands(CommandTable& table);
void AddBackupCommands(CommandTable& table);
void AddRenderCommands(CommandTable& table);

CommandLine ParseCommandLine(const std::vector<std::string>& args);

long double RealArgument(const std::string& text, const std::string& what);
int IntegerArgument(const std::string& text, const std::string& what, int low, int high);
// "GR" is the Gregorian calendar, "GIUL" the Julian one.
bool GregorianArgument(const std::string& text);
// Splits "a<sep>b<sep>c" into exactly `parts` fields.
std::vector<std::string> Fields(const std::string& text, char separator, std::size_t parts,
                                const std::string& what);
void ExpectWords(const CommandLine& line, std::size_t count, const std::string& usage);
// A Julian Day the engine can count with: finite and within the calendar's reach.
long double JulianDayArgument(const CommandLine& line);
// The value of an optional option that must be one of `allowed` (the first is the default).
std::string ChoiceArgument(const CommandLine& line, const std::string& name,
                           const std::vector<std::string>& allowed);
// Text padded with blanks to `width` characters (UTF-8, counted as code points).
std::string PaddedRight(const std::string& utf8, std::size_t width);
std::string PaddedLeft(const std::string& text, std::size_t width);
// Sets the coordinate fields of the chart from "45N28-009E11".
void SetCoordinates(const std::string& utf8, ChartState& chart);

} // namespace exo
