// Localities and time zones: the list search of the birth-data form and its results.
#include "archive/BirthResults.h"
#include "archive/LocalityFile.h"
#include "astro/TextHelpers.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/NumberText.h"
#include "shell/CommandSupport.h"
#include "shell/JsonText.h"

#include <array>

namespace exo {

namespace {

LocalitySource SourceArgument(const CommandLine& line) {
    return ChoiceArgument(line, "file", {"ITALIA", "ESTERO"}) == "ITALIA" ? LocalitySource::Italian
                                                                          : LocalitySource::Foreign;
}

// The typed text goes in as the form takes it: letters a-z upper-cased, the rest as typed.
Output PlaceCommand(const CommandLine& line) {
    ExpectWords(line, 1, "place --file ITALIA|ESTERO <texto>");
    const LocalityFile file(SourceArgument(line));
    const LocalitySearchResult found =
        SearchLocality(file, UpperAscii(Cp1252FromUtf8(line.words[0])));
    const std::vector<std::string> lines = Utf8Lines(LocalityWindow(file, found.centre));

    Output out;
    // The found line is marked: the centre line, or a line above or below it near the ends
    // of the file, where the centre cannot follow.
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool marked = static_cast<int>(i) == found.line;
        out.plain += (i == 0 ? "" : "\n") + std::string(marked ? "> " : "  ") + lines[i];
    }
    out.json.add("centre", static_cast<long double>(found.centre))
        .add("lines", lines)
        .add("count", static_cast<long double>(file.count()))
        .add("position", static_cast<long double>(found.position));
    return out;
}

BirthDateTime DateArguments(const CommandLine& line) {
    const auto date = Fields(line.option("date"), '/', 3, "--date");
    const auto time = Fields(line.option("time"), ':', 2, "--time");
    const BirthDateCheck check = CheckBirthDate({date[0], date[1], date[2], time[0], time[1]});
    static const char* const kFieldWords[] = {"el día", "el mes", "el año", "la hora", "el minuto"};
    switch (check.status) {
    case BirthDateStatus::Incomplete:
        throw UsageError("Introduzca las fechas de nacimiento: --date DD/MM/YYYY --time hh:mm");
    case BirthDateStatus::Invalid:
        throw UsageError(
            "Fecha Incorrectas: " + std::string(kFieldWords[static_cast<int>(check.failing)]) +
            " (día 1-31, mes 1-12, año 0-2080, hora 0-23, minuto 0-59)");
    case BirthDateStatus::Valid:
        break;
    }
    return check.value;
}

Output ZoneCommand(const CommandLine& line) {
    ExpectWords(line, 0,
                "zone --file ITALIA|ESTERO --locality <nombre> --date DD/MM/YYYY --time hh:mm "
                "[--reform 0|1]");
    BirthInput input;
    input.source = SourceArgument(line);
    input.when = DateArguments(line);
    input.reformOption = line.has("reform")
                             ? IntegerArgument(line.option("reform"), "--reform", 0, 1)
                             : ReadReformOption();
    const std::string name = Cp1252FromUtf8(line.option("locality"));
    {
        const LocalityFile file(input.source);
        const auto position = FindLocalityByName(file, name);
        if (!position)
            throw InOutError(Utf8FromCp1252(LocalityFileName(input.source)), "read",
                             "ninguna localidad se llama \"" + line.option("locality") + "\"");
        input.locality = file.read(*position);
    }
    const BirthResults results = ComputeBirthResults(input);

    const std::vector<std::string> list = Utf8Lines(results.periodList);
    Output out;
    out.plain = "Fecha: " + Utf8FromCp1252(results.dateText) + "\nCalendario: " + results.calendar +
                "\nCorrección total (h): " + Utf8FromCp1252(results.correctionText) +
                "\nUsar hora local: " + (results.localMeanTime ? "sí" : "no") +
                "\nDía juliano: " + Utf8FromCp1252(results.julianDayText) +
                "\nLocalidad: " + Utf8FromCp1252(results.locality) +
                "\nEstado: " + Utf8FromCp1252(results.country) +
                "\nCoordenadas: " + Utf8FromCp1252(results.coordinatesText) +
                "\nZona: " + Utf8FromCp1252(results.zoneName);
    for (const std::string& entry : list)
        out.plain += "\n  " + entry;
    out.json.add("calendar", results.calendar)
        .add("correction", Utf8FromCp1252(results.correctionText))
        .add("lmt", results.localMeanTime)
        .add("jd_local", results.localJulianDay)
        .add("jd_ut", results.universalJulianDay)
        .add("jd_text", Utf8FromCp1252(results.julianDayText))
        .add("date", Utf8FromCp1252(results.dateText))
        .add("coordinates", Utf8FromCp1252(results.coordinatesText))
        .add("locality", Utf8FromCp1252(results.locality))
        .add("country", Utf8FromCp1252(results.country))
        .add("zone", Utf8FromCp1252(results.zoneName))
        .add("note", results.showNote)
        .add("list", list);
    return out;
}

} // namespace

void AddPlaceCommands(CommandTable& table) {
    table.emplace("place", PlaceCommand);
    table.emplace("zone", ZoneCommand);
}

} // namespace exo
