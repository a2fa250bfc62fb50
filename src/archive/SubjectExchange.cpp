// The files around the archives: creating an archive, the text folders and their counter,
// the current subject in TMPR, and the one-line exchange files of FileDum through which the
// archive operations hand the chosen subject to the main window and the text editor.
#include "archive/SubjectArchive.h"

#include "archive/SubjectFiles.h"
#include "astro/TextHelpers.h"
#include "platform/Errors.h"
#include "platform/NumberText.h"
#include "platform/ProgramPaths.h"
#include "platform/TextFile.h"

#include <algorithm>

namespace exo {

using namespace subject_files;

namespace {

constexpr const char* kArchiveList = "FileDum\\MMordina.dum";
constexpr const char* kSelection = "FileDum\\MMDatArc.dum";
constexpr const char* kSelectedNumber = "FileDum\\PointGlo.dum";
constexpr const char* kNotesLine = "FileDum\\Annotaz.dum";
constexpr const char* kTextPointer = "FileDum\\StrText.dum";
constexpr const char* kTextToEdit = "FileDum\\DatModif.dum";
constexpr const char* kTextCounter = "FlagTxt.set";
constexpr std::size_t kListedArchives = 12;
constexpr std::size_t kListedNameLength = 6;

template <typename Record> std::string BytesOf(const Record& record) {
    std::string bytes(Record::kSize, '\0');
    record.encode(bytes.data());
    return bytes;
}

std::string PlaceholderKey() {
    return KeyRecordOf("0 Registro vuoto" + std::string(22, '.') + "00000");
}

// Nine text fields of one blank and a notes number of five blanks.
std::string PlaceholderSubject() {
    SubjectRecord record;
    record.BirthStamp = record.Place = record.Calendar = record.Country = " ";
    record.PlanetCodes = record.CuspCodes = record.AspectCodes = " ";
    record.ReservedA = record.ReservedB = " ";
    record.NotesNumber = "     ";
    return BytesOf(record);
}

std::string PlaceholderNotes() {
    SubjectNotes notes;
    for (auto& line : notes.Lines)
        line = " ";
    return BytesOf(notes);
}

std::string TextFolderOf(const std::string& archive) {
    return archive + "txt";
}

// The subject and notes files first, the key file last: the key file's presence is what
// makes the archive exist. Files already there are kept, so nothing stored is ever lost.
void CreateArchiveFiles(const std::string& name) {
    if (!FileExists(SubjectFileName(name)))
        ReplaceFile(SubjectFileName(name), PlaceholderSubject());
    if (!FileExists(NotesFileName(name)))
        ReplaceFile(NotesFileName(name), PlaceholderNotes());
    ReplaceFile(KeyFileName(name), PlaceholderKey());
}

} // namespace

void EnsureBaseArchive() {
    if (!FileExists("BASE.st1"))
        CreateArchiveFiles("BASE");
}

void CreateArchive(const std::string& name) {
    CheckArchiveName(name);
    if (FileExists(KeyFileName(name)))
        throw InOutError(ResolveProgramPath(KeyFileName(name)), "crear", "el archivo ya existe");
    CreateArchiveFiles(name);
}

std::string NextTextNumber(const std::string& archive) {
    CheckArchiveName(archive);
    const std::string folder = TextFolderOf(archive);
    const std::string counter = folder + "\\" + kTextCounter;
    if (!FolderExists(folder)) {
        MakeFolder(folder);
        WriteTextLines(counter, {"1"});
    }
    const std::vector<std::string> lines = ReadTextLines(counter);
    std::int32_t next = 0;
    if (lines.empty() || !ParseInteger(lines.front(), next) || next < 0)
        throw InOutError(ResolveProgramPath(counter), "read",
                         "el contador de textos no es un número");
    if (next > kLastRecordNumber)
        throw InOutError(ResolveProgramPath(counter), "read",
                         "no quedan números de texto de cinco cifras");
    WriteTextLines(counter, {std::to_string(next + 1)});
    return PadLeftZeros(next, 5);
}

std::string TextFileName(const std::string& archive, const std::string& textNumber) {
    return TextFolderOf(archive) + "\\" + textNumber + ".txt";
}

std::string CreateSubjectText(const std::string& archive, const std::string& textNumber,
                              std::string_view nameOrKey) {
    CheckArchiveName(archive);
    const std::string name = TextFileName(archive, textNumber);
    WriteTextLines(name, {std::string(nameOrKey.substr(0, kKeyNameLength))});
    WriteTextToEdit(name);
    return name;
}

void WriteTextToEdit(const std::string& textFileName) {
    WriteTextLines(kTextToEdit, {textFileName});
}

void NoteArchiveUse(const std::string& archive) {
    const std::vector<std::string> lines = ReadTextLines(kArchiveList);
    std::vector<std::string> names;
    for (std::size_t i = 0; i < lines.size() && i < kListedArchives; ++i)
        names.push_back(lines[i].substr(0, kListedNameLength));
    const std::string listed = archive.substr(0, kListedNameLength);
    if (std::find(names.begin(), names.end(), listed) != names.end())
        return;
    // A full list stays as it is: readers take twelve lines, so a thirteenth name would
    // never be seen, and writing the list anew would drop it.
    if (names.size() >= kListedArchives)
        return;
    names.push_back(listed);
    WriteTextLines(kArchiveList, names);
}

void WriteCurrentSubject(const std::string& paddedName, const SubjectRecord& record) {
    const std::string name =
        paddedName.size() < kKeyNameLength ? PaddedName(paddedName) : paddedName;
    ReplaceFile(SubjectFileName(kTemporaryArchive), BytesOf(record));
    ReplaceFile(KeyFileName(kTemporaryArchive), KeyRecordOf(name));
}

void WriteNotesLine(const std::string& line) {
    WriteTextLines(kNotesLine, {line});
}

void WriteTextPointer(const std::string& archive, const std::string& textNumber) {
    WriteTextLines(kTextPointer, {archive, textNumber});
}

void WriteArchiveSelection(const std::string& archive, const std::string& key,
                           std::int64_t position, const std::string& lastHeld) {
    WriteTextLines(kSelection, {archive, key, std::to_string(position), lastHeld});
}

void WriteSelectedNumber(const std::string& numberText, const std::string& archive) {
    WriteTextLines(kSelectedNumber, {numberText, archive});
}

} // namespace exo
