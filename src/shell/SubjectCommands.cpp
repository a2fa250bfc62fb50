// The subject archives from the command line: `exorvex subject …` stores, finds, lists,
// shows, retrieves, deletes, modifies, exports and imports subjects; `exorvex archive …`
// creates and checks archives. Texts are UTF-8 here and Windows-1252 in the files.
#include "archive/SubjectArchive.h"
#include "archive/SubjectCsv.h"
#include "astro/Calendar.h"
#include "astro/TextHelpers.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/NumberText.h"
#include "platform/ProgramPaths.h"
#include "shell/CommandSupport.h"

#include <stdexcept>

namespace exo {

namespace {

const std::string kSubjectUsage =
    "subject add|find|list|show|retrieve|delete|modify|export|import --archive NOMBRE …";
const std::string kFieldOptions =
    "--name … --date DD/MM/AAAA --time hh:mm --corr <horas> --coords 45N28-009E11 "
    "--locality … --country … --calendar GR|GIUL [--note1 … --note4 …] [--text]";

// A refusal of the program's own (exit status 1).
class Refusal : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

// An option's text in Windows-1252; a character the files cannot hold is refused.
std::string TextOption(const CommandLine& line, const std::string& name) {
    const std::string& utf8 = line.option(name);
    std::string bytes = Cp1252FromUtf8(utf8);
    if (Utf8FromCp1252(bytes) != utf8)
        throw UsageError("--" + name + " tiene caracteres que no caben en Windows-1252: '" + utf8 +
                         "'");
    return bytes;
}

std::string ArchiveOption(const CommandLine& line) {
    const std::string name = UpperAscii(TextOption(line, "archive"));
    if (!IsArchiveName(name))
        throw UsageError("--archive debe ser un nombre de cuatro letras, como BASE: '" +
                         line.option("archive") + "'");
    return name;
}

std::string ArchiveWord(const CommandLine& line, std::size_t index) {
    const std::string name = UpperAscii(Cp1252FromUtf8(line.words[index]));
    if (!IsArchiveName(name))
        throw UsageError("el archivo debe tener un nombre de cuatro letras, como BASE: '" +
                         line.words[index] + "'");
    return name;
}

void RefuseTemporary(const std::string& archive) {
    if (archive == kTemporaryArchive)
        throw Refusal("Nombre de archivo no admitido");
}

std::int64_t PositionOption(const CommandLine& line) {
    return IntegerArgument(line.option("position"), "--position", 1,
                           static_cast<int>(kLastRecordNumber));
}

// The options that describe a subject, laid over `entry`; an option not given keeps the
// field as it is. The Julian Day follows the date, calendar and correction.
void ApplyFieldOptions(const CommandLine& line, SubjectEntry& entry) {
    if (line.has("name"))
        entry.Name = UpperSubjectText(TextOption(line, "name"));
    std::string date = entry.BirthDateText.substr(0, 10);
    std::string time = entry.BirthDateText.size() > 11 ? entry.BirthDateText.substr(11) : "";
    if (line.has("date"))
        date = TextOption(line, "date");
    if (line.has("time"))
        time = TextOption(line, "time");
    entry.BirthDateText = date + " " + time;
    if (line.has("corr")) {
        entry.CorrectionText = TextOption(line, "corr");
        if (!ReadCorrection(EnteredCorrectionText(entry.CorrectionText), entry.Correction))
            throw UsageError("--corr no es un número: '" + line.option("corr") + "'");
    }
    if (line.has("coords"))
        entry.CoordinatesText = UpperSubjectText(TextOption(line, "coords"));
    if (line.has("locality"))
        entry.Locality = TextOption(line, "locality");
    if (line.has("country"))
        entry.Country = TextOption(line, "country");
    if (line.has("calendar"))
        entry.Gregorian = GregorianArgument(line.option("calendar"));
    for (std::size_t i = 0; i < 4; ++i) {
        const std::string option = "note" + std::to_string(i + 1);
        if (line.has(option))
            entry.NoteLines[i] = TextOption(line, option);
    }
    const std::string& d = entry.BirthDateText;
    const auto digitsAt = [&](std::size_t from, std::size_t length) {
        return IntegerOrZero(from < d.size() ? d.substr(from, length) : std::string());
    };
    entry.JulianDay = JulianDayOf(entry.Gregorian ? 1 : 0, digitsAt(14, 2), digitsAt(11, 2),
                                  digitsAt(6, 4), digitsAt(3, 2), digitsAt(0, 2)) +
                      entry.Correction / 24;
    if (const auto fault = SubjectEntryFault(entry))
        throw UsageError(*fault);
}

// The subject a key position names, with its number.
struct ChosenSubject {
    std::string key;
    std::int64_t number = 0;
    SubjectArchive::Read read;
};
ChosenSubject Choose(const SubjectArchive& archive, std::int64_t position) {
    ChosenSubject chosen;
    chosen.key = archive.readKey(position).Key.str();
    const std::optional<std::int64_t> number = SubjectNumberOf(chosen.key);
    if (!number)
        throw Refusal("la clave " + std::to_string(position) + " '" + Utf8FromCp1252(chosen.key) +
                      "' no termina en un número de sujeto");
    chosen.number = *number;
    chosen.read = archive.readSubject(*number);
    return chosen;
}

const SubjectNotes* NotesOf(const ChosenSubject& chosen) {
    return chosen.read.Notes ? &*chosen.read.Notes : nullptr;
}

std::string Utf8(const std::string& cp1252) {
    return Utf8FromCp1252(cp1252);
}

// The key and position of a stored or rewritten subject, and the path of its text when one
// was created or chosen.
Output StoredOutput(const StoredSubject& stored, const std::string& text) {
    Output out;
    out.plain = std::to_string(stored.Position) + "  " + Utf8(stored.Key);
    out.json.add("key", Utf8(stored.Key))
        .add("position", static_cast<long double>(stored.Position));
    if (!text.empty()) {
        out.plain += "\n" + Utf8(text);
        out.json.add("text", Utf8(text));
    }
    return out;
}

Output AddCommand(const CommandLine& line) {
    ExpectWords(line, 1, "subject add --archive NOMBRE " + kFieldOptions);
    const std::string archive = ArchiveOption(line);
    for (const char* required :
         {"name", "date", "time", "corr", "coords", "locality", "country", "calendar"})
        line.option(required);
    SubjectEntry entry;
    ApplyFieldOptions(line, entry);
    // The number is reserved first so that the notes carry it; the file is made once the
    // subject is stored, so a store that fails leaves no text behind.
    if (line.flag("text"))
        entry.TextNumber = NextTextNumber(archive);
    const StoredSubject stored = StoreSubject(archive, entry);
    std::string text;
    if (line.flag("text"))
        text = CreateSubjectText(archive, entry.TextNumber, entry.Name);
    WriteArchiveSelection(archive, stored.Key, stored.Position, entry.Name);

    return StoredOutput(stored, text);
}

Output FindCommand(const CommandLine& line) {
    ExpectWords(line, 2, "subject find --archive NOMBRE <primeras letras>");
    const std::string archive = ArchiveOption(line);
    const std::string typed = UpperSubjectText(Cp1252FromUtf8(line.words[1]));
    const SubjectArchive open(archive);
    const SubjectArchive::Found found = open.findKeyPosition(typed);
    const bool hit = !typed.empty() && SubjectArchive::IsHit(found, typed);
    Output out;
    out.plain = std::to_string(found.Position) + "  " + Utf8(found.Key.Key.str()) +
                (hit ? "" : "  (no coincide)");
    out.json.add("position", static_cast<long double>(found.Position))
        .add("key", Utf8(found.Key.Key.str()))
        .add("hit", hit);
    return out;
}

Output ListCommand(const CommandLine& line) {
    ExpectWords(line, 1, "subject list --archive NOMBRE");
    const SubjectArchive open(ArchiveOption(line));
    std::vector<std::string> keys;
    Output out;
    const std::int64_t count = open.count();
    for (std::int64_t position = 1; position <= count; ++position) {
        keys.push_back(Utf8(open.readKey(position).Key.str()));
        out.plain += (position > 1 ? "\n" : "") + keys.back();
    }
    if (count == 0)
        out.plain = "ARCHIVIO VUOTO";
    out.json.add("keys", keys);
    return out;
}

Output ShowCommand(const CommandLine& line) {
    ExpectWords(line, 1, "subject show --archive NOMBRE --position n");
    const std::string archive = ArchiveOption(line);
    const std::int64_t position = PositionOption(line);
    const SubjectArchive open(archive);
    const ChosenSubject chosen = Choose(open, position);
    const SubjectRecord& record = chosen.read.Record;
    const SubjectEntry entry = EntryOfRecord(record, NotesOf(chosen), chosen.key);

    std::vector<std::string> notes;
    for (const std::string& note : entry.NoteLines)
        notes.push_back(Utf8(note));
    // The lines of the delete form's check, then the notes and the codes.
    Output out;
    out.plain = Utf8(chosen.key.substr(0, kKeyNameLength)) + "\nNascita " +
                Utf8(entry.BirthDateText) + "  Correz. " + Utf8(entry.CorrectionText) +
                "\nLocalità: " + Utf8(entry.Locality) + "\nNazionalità: " + Utf8(entry.Country) +
                "\nCoordinate: " + Utf8(entry.CoordinatesText) +
                "\nCalendario: " + (entry.Gregorian ? "GREGORIANO" : "GIULIANO") + "\n" +
                Utf8(record.ReservedB.str()) + "\nNotas:" + Utf8(ShownNotesLine(NotesOf(chosen))) +
                "\nTexto: " + Utf8(entry.TextNumber) + "\n" + Utf8(record.PlanetCodes.str()) +
                "\n" + Utf8(record.CuspCodes.str()) + "\n" + Utf8(record.AspectCodes.str());
    out.json.add("position", static_cast<long double>(position))
        .add("key", Utf8(chosen.key))
        .add("number", static_cast<long double>(chosen.number))
        .add("name", Utf8(entry.Name))
        .add("birth_date", Utf8(entry.BirthDateText))
        .add("correction", Utf8(entry.CorrectionText))
        .add("correction_stored", Utf8(CorrectionTailOf(record)))
        .add("correction_hours", entry.Correction)
        .add("coordinates", Utf8(entry.CoordinatesText))
        .add("locality", Utf8(entry.Locality))
        .add("locality_shown", Utf8(DisplayedLocality(entry.Locality)))
        .add("country", Utf8(entry.Country))
        .add("calendar", entry.Gregorian ? "GR" : "GIUL")
        .add("gregorian", entry.Gregorian)
        .add("julian_day", entry.JulianDay)
        .add("notes_number", static_cast<long double>(chosen.read.NotesNumber))
        .add("notes", notes)
        .add("text_number", Utf8(entry.TextNumber))
        .add("reserved_a", Utf8(record.ReservedA.str()))
        .add("reserved_b", Utf8(record.ReservedB.str()))
        .add("planet_codes", Utf8(record.PlanetCodes.str()))
        .add("cusp_codes", Utf8(record.CuspCodes.str()))
        .add("aspect_codes", Utf8(record.AspectCodes.str()));
    return out;
}

// As the retrieve form's OK: the name before any "(" becomes current with the record, its
// locality as displayed, and the exchange files name the selection.
Output RetrieveCommand(const CommandLine& line) {
    ExpectWords(line, 1, "subject retrieve --archive NOMBRE --position n");
    const std::string archive = ArchiveOption(line);
    RefuseTemporary(archive);
    const std::int64_t position = PositionOption(line);
    auto open = OpenArchive(archive);
    const ChosenSubject chosen = Choose(*open, position);
    const bool hasNotes = open->hasNotes();
    CloseArchive(open);

    WriteSelectedNumber(chosen.key.substr(chosen.key.size() >= 5 ? chosen.key.size() - 5 : 0),
                        archive);
    const SubjectEntry entry = EntryOfRecord(chosen.read.Record, NotesOf(chosen), chosen.key);
    std::string name = chosen.key.substr(0, kKeyNameLength);
    name = name.substr(0, name.find('('));
    SubjectRecord current = chosen.read.Record;
    current.Place = entry.CoordinatesText + DisplayedLocality(entry.Locality);
    WriteCurrentSubject(PaddedName(name), current);
    // Without a notes file the exchange files are emptied, so that the main window never
    // shows the notes or the text of the subject that was current before.
    WriteNotesLine(hasNotes ? ShownNotesLine(NotesOf(chosen)) : std::string());
    WriteTextPointer(archive, hasNotes ? TextNumberOf(NotesOf(chosen)) : std::string());
    WriteArchiveSelection(archive, chosen.key, position, PaddedName(name));

    Output out;
    out.plain = Utf8(PaddedName(name));
    out.json.add("key", Utf8(chosen.key))
        .add("position", static_cast<long double>(position))
        .add("number", static_cast<long double>(chosen.number))
        .add("name", Utf8(PaddedName(name)));
    return out;
}

Output DeleteCommand(const CommandLine& line) {
    ExpectWords(line, 1, "subject delete --archive NOMBRE --position n");
    const std::string archive = ArchiveOption(line);
    RefuseTemporary(archive);
    const std::int64_t position = PositionOption(line);
    std::string key;
    std::string textNumber;
    {
        const SubjectArchive open(archive);
        key = open.readKey(position).Key.str();
        // The text to delete with the key is the one the subject's notes name, when they
        // can be read; a damaged subject record does not keep its key from being deleted.
        if (const auto number = SubjectNumberOf(key)) {
            try {
                const SubjectArchive::Read read = open.readSubject(*number);
                textNumber = TextNumberOf(read.Notes ? &*read.Notes : nullptr);
            } catch (const InOutError&) {
            }
        }
    }
    DeleteSubjectKey(archive, position, textNumber);
    const std::int64_t count = SubjectArchive(archive).count();
    Output out;
    out.plain = Utf8(key);
    out.json.add("deleted", Utf8(key))
        .add("count", static_cast<long double>(count))
        .add("text_number", Utf8(textNumber));
    return out;
}

Output ModifyCommand(const CommandLine& line) {
    ExpectWords(line, 1, "subject modify --archive NOMBRE --position n " + kFieldOptions);
    const std::string archive = ArchiveOption(line);
    RefuseTemporary(archive);
    const std::int64_t position = PositionOption(line);
    ChosenSubject chosen;
    {
        const SubjectArchive open(archive);
        chosen = Choose(open, position);
    }
    SubjectEntry entry = EntryOfRecord(chosen.read.Record, NotesOf(chosen), chosen.key);
    // The whole stored correction, not just the five characters the forms show.
    entry.CorrectionText = CorrectionTailOf(chosen.read.Record);
    ReadCorrection(entry.CorrectionText, entry.Correction);
    ApplyFieldOptions(line, entry);

    // A text that exists is used again; otherwise a number is reserved for a new one.
    std::string text;
    bool newText = false;
    if (line.flag("text")) {
        if (!entry.TextNumber.empty() && FileExists(TextFileName(archive, entry.TextNumber))) {
            text = TextFileName(archive, entry.TextNumber);
        } else {
            entry.TextNumber = NextTextNumber(archive);
            newText = true;
        }
    }
    const StoredSubject stored =
        RewriteSubject(archive, position, chosen.number, chosen.read.NotesNumber, entry);
    if (newText)
        text = CreateSubjectText(archive, entry.TextNumber, entry.Name);
    else if (!text.empty())
        WriteTextToEdit(text);

    return StoredOutput(stored, text);
}

Output ExportCommand(const CommandLine& line) {
    ExpectWords(line, 2, "subject export --archive NOMBRE ARCHIVO.csv");
    const std::int64_t count = ExportSubjectsCsv(ArchiveOption(line), line.words[1]);
    Output out;
    out.plain = std::to_string(count);
    out.json.add("exported", static_cast<long double>(count)).add("file", line.words[1]);
    return out;
}

Output ImportCommand(const CommandLine& line) {
    ExpectWords(line, 2, "subject import --archive NOMBRE ARCHIVO.csv");
    const std::string archive = ArchiveOption(line);
    RefuseTemporary(archive);
    const CsvImport imported = ImportSubjectsCsv(archive, line.words[1]);
    Output out;
    out.plain = std::to_string(imported.Count);
    out.json.add("imported", static_cast<long double>(imported.Count))
        .add("key", Utf8(imported.Last.Key))
        .add("position", static_cast<long double>(imported.Last.Position));
    return out;
}

Output SubjectCommand(const CommandLine& line) {
    static const std::map<std::string, Output (*)(const CommandLine&)> kActions = {
        {"add", AddCommand},       {"find", FindCommand},         {"list", ListCommand},
        {"show", ShowCommand},     {"retrieve", RetrieveCommand}, {"delete", DeleteCommand},
        {"modify", ModifyCommand}, {"export", ExportCommand},     {"import", ImportCommand},
    };
    const auto action = line.words.empty() ? kActions.end() : kActions.find(line.words[0]);
    if (action == kActions.end())
        throw UsageError("uso: exorvex " + kSubjectUsage);
    // The program makes the personal archive at its start; the tool does it before any use.
    EnsureBaseArchive();
    return action->second(line);
}

Output ArchiveCommand(const CommandLine& line) {
    const std::string usage = "archive create|verify NOMBRE";
    if (line.words.size() != 2 || (line.words[0] != "create" && line.words[0] != "verify"))
        throw UsageError("uso: exorvex " + usage);
    const std::string archive = ArchiveWord(line, 1);
    Output out;
    if (line.words[0] == "create") {
        CreateArchive(archive);
        out.plain = Utf8(archive);
        out.json.add("created", Utf8(archive));
        return out;
    }
    if (const auto fault = VerifyArchive(archive))
        throw Refusal(*fault);
    const std::int64_t count = SubjectArchive(archive).count();
    out.plain = Utf8(archive) + ": " + std::to_string(count) + " sujetos, sin defectos";
    out.json.add("archive", Utf8(archive))
        .add("subjects", static_cast<long double>(count))
        .add("ok", true);
    return out;
}

} // namespace

void AddSubjectCommands(CommandTable& table) {
    table.emplace("subject", SubjectCommand);
    table.emplace("archive", ArchiveCommand);
}

} // namespace exo
