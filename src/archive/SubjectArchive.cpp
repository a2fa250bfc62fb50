// The archive operations: reading keys and subjects, the name search, storing, deleting and
// rewriting subjects.
#include "archive/SubjectArchive.h"

#include "archive/SubjectFiles.h"
#include "astro/TextHelpers.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/NumberText.h"
#include "platform/ProgramPaths.h"
#include "platform/RecordFile.h"

#include <algorithm>
#include <cmath>
#include <sys/stat.h>

namespace exo {

using namespace subject_files;

namespace {

constexpr int kSearchRounds = 100;
constexpr char kProbeFiller = '!';

std::string Utf8Path(const std::string& name) {
    return ResolveProgramPath(name);
}

[[noreturn]] void Damaged(const std::string& name, const std::string& operation,
                          const std::string& detail) {
    throw InOutError(Utf8Path(name), operation, detail);
}

template <typename Record> std::string BytesOf(const Record& record) {
    std::string bytes(Record::kSize, '\0');
    record.encode(bytes.data());
    return bytes;
}

// The notes number of a subject record: five digits, blanks meaning none; nothing when the
// field holds anything else.
std::optional<std::int64_t> NotesNumberOf(const SubjectRecord& record) {
    std::string_view text = record.NotesNumber.view();
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (text.empty())
        return 0;
    if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stoll(std::string(text));
}

void CheckJulianDay(const SubjectEntry& entry) {
    if (!std::isfinite(entry.JulianDay) || std::fabs(entry.JulianDay) > 1e11L)
        throw ConvertError(Utf8FromCp1252(GeneralText(entry.JulianDay)), "día juliano");
    if (!std::isfinite(entry.Correction))
        throw ConvertError(Utf8FromCp1252(GeneralText(entry.Correction)), "corrección horaria");
}

} // namespace

std::optional<std::int64_t> SubjectNumberOf(std::string_view key) {
    const std::string_view digits = key.substr(key.size() >= 5 ? key.size() - 5 : 0);
    std::int32_t number = 0;
    if (!ParseInteger(digits, number) || number < 0)
        return std::nullopt;
    return number;
}

// ---- The open archive -----------------------------------------------------------------

// A record file and the identity of the file it opened, to notice a replaced file.
struct SubjectArchive::OpenFile {
    OpenFile(const std::string& name, std::size_t recordSize) : file(name, recordSize) {
        struct stat info {};
        if (::stat(file.path().c_str(), &info) == 0) {
            device = info.st_dev;
            inode = info.st_ino;
        }
    }
    bool replaced() const {
        struct stat info {};
        return ::stat(file.path().c_str(), &info) != 0 || info.st_dev != device ||
               info.st_ino != inode;
    }

    RecordFile file;
    dev_t device = 0;
    ino_t inode = 0;
};

SubjectArchive::SubjectArchive(const std::string& name) : name_(name) {
    CheckArchiveName(name);
    keys_ = std::make_unique<OpenFile>(KeyFileName(name), SubjectKey::kSize);
    subjects_ = std::make_unique<OpenFile>(SubjectFileName(name), SubjectRecord::kSize);
    if (FileExists(NotesFileName(name)))
        notes_ = std::make_unique<OpenFile>(NotesFileName(name), SubjectNotes::kSize);
    refresh();
}

SubjectArchive::~SubjectArchive() = default;

void SubjectArchive::refresh() const {
    if (keys_->replaced())
        keys_ = std::make_unique<OpenFile>(KeyFileName(name_), SubjectKey::kSize);
    if (subjects_->replaced())
        subjects_ = std::make_unique<OpenFile>(SubjectFileName(name_), SubjectRecord::kSize);
    if (notes_ && notes_->replaced()) {
        notes_.reset();
        if (FileExists(NotesFileName(name_)))
            notes_ = std::make_unique<OpenFile>(NotesFileName(name_), SubjectNotes::kSize);
    }
    // Every file holds record 0; sizes that are not whole records raise here.
    if (keys_->file.count() < 1)
        Damaged(KeyFileName(name_), "read", "falta el registro 0");
    if (subjects_->file.count() < 1)
        Damaged(SubjectFileName(name_), "read", "falta el registro 0");
    if (notes_ && notes_->file.count() < 1)
        Damaged(NotesFileName(name_), "read", "falta el registro 0");
}

std::int64_t SubjectArchive::count() const {
    refresh();
    return keys_->file.count() - 1;
}

std::int64_t SubjectArchive::subjectRecords() const {
    refresh();
    return subjects_->file.count();
}

bool SubjectArchive::hasNotes() const {
    refresh();
    return notes_ != nullptr;
}

SubjectKey SubjectArchive::keyAt(std::int64_t position) const {
    return SubjectKey::decode(keys_->file.read(position).data());
}

SubjectKey SubjectArchive::readKey(std::int64_t position) const {
    const std::int64_t last = count();
    if (position < 1 || position > last)
        Damaged(KeyFileName(name_), "read",
                "no hay clave en la posición " + std::to_string(position) + " (claves 1 a " +
                    std::to_string(last) + ")");
    return keyAt(position);
}

SubjectArchive::Found SubjectArchive::findKeyPosition(std::string_view typed) const {
    const std::int64_t last = count();
    if (last < 1)
        return {};
    const std::string probe =
        (std::string(typed) + std::string(kKeyNameLength, kProbeFiller)).substr(0, kKeyNameLength);
    // The upper bound starts one past the last key and is never read: the bisection then
    // reaches the last key too when the probe sorts above every key.
    std::int64_t low = 1;
    std::int64_t high = last + 1;
    Found found;
    std::int64_t readAt = 0;
    for (int round = 0; round < kSearchRounds; ++round) {
        const std::int64_t mid = (low + high) / 2;
        if (mid != readAt) {
            found.Key = keyAt(mid);
            readAt = mid;
        }
        found.Position = mid;
        if (CompareBytes(probe, found.Key.Key.view()) > 0)
            low = mid;
        else
            high = mid;
        if (low < 1)
            low = 1;
    }
    return found;
}

bool SubjectArchive::IsHit(const Found& found, std::string_view typed) {
    return found.Position > 0 && found.Key.Key.view().substr(0, typed.size()) == typed;
}

SubjectArchive::Read SubjectArchive::readSubject(std::int64_t number) const {
    refresh();
    const std::int64_t total = subjects_->file.count();
    if (number < 0 || number >= total)
        Damaged(SubjectFileName(name_), "read",
                "el sujeto " + std::to_string(number) + " no está en el archivo (" +
                    std::to_string(total) + " registros)");
    Read read;
    read.Record = SubjectRecord::decode(subjects_->file.read(number).data());
    const std::optional<std::int64_t> notesNumber = NotesNumberOf(read.Record);
    if (!notes_)
        return read;
    if (!notesNumber)
        Damaged(SubjectFileName(name_), "read",
                "el número de notas '" + Utf8FromCp1252(read.Record.NotesNumber.view()) +
                    "' del sujeto " + std::to_string(number) + " no es un número");
    const std::int64_t notesTotal = notes_->file.count();
    if (*notesNumber >= notesTotal)
        Damaged(NotesFileName(name_), "read",
                "las notas " + std::to_string(*notesNumber) + " del sujeto " +
                    std::to_string(number) + " no están en el archivo (" +
                    std::to_string(notesTotal) + " registros)");
    read.NotesNumber = *notesNumber;
    if (*notesNumber > 0)
        read.Notes = SubjectNotes::decode(notes_->file.read(*notesNumber).data());
    return read;
}

std::unique_ptr<SubjectArchive> OpenArchive(const std::string& name) {
    return std::make_unique<SubjectArchive>(name);
}

void CloseArchive(std::unique_ptr<SubjectArchive>& archive) noexcept {
    archive.reset();
}

// ---- Storing --------------------------------------------------------------------------

StoredSubject StoreSubject(const std::string& archive, const SubjectEntry& entry) {
    return StoreSubjects(archive, {entry});
}

StoredSubject StoreSubjects(const std::string& archive, const std::vector<SubjectEntry>& entries) {
    CheckArchiveName(archive);
    if (entries.empty())
        return {};
    const bool temporary = archive == kTemporaryArchive;

    // Everything that can fail comes first: the charts, then every file the store writes.
    std::vector<SubjectRecord> records;
    records.reserve(entries.size());
    std::size_t withNotes = 0;
    for (const SubjectEntry& entry : entries) {
        CheckJulianDay(entry);
        SubjectEntry stored = entry;
        stored.CorrectionText = StoredCorrectionText(entry.Correction);
        SubjectRecord record = RecordOfEntry(stored);
        const ChartCodes codes = ComputeChartCodes(stored);
        record.PlanetCodes = codes.Planets;
        record.CuspCodes = codes.Cusps;
        record.AspectCodes = codes.Aspects;
        records.push_back(record);
        withNotes += !temporary && HasNotes(entry);
    }

    TypedRecordFile<SubjectRecord> subjects(SubjectFileName(archive));
    const std::int64_t firstNumber = subjects.count();
    if (firstNumber == 0 && !temporary)
        Damaged(SubjectFileName(archive), "read", "falta el registro 0");
    if (firstNumber + static_cast<std::int64_t>(entries.size()) - 1 > kLastRecordNumber)
        Damaged(SubjectFileName(archive), "write", "el archivo no admite más de 99999 sujetos");
    std::optional<KeyRecords> keys;
    if (!temporary)
        keys = KeyRecords::Load(KeyFileName(archive));
    std::optional<TypedRecordFile<SubjectNotes>> notes;
    std::int64_t firstNotes = 0;
    if (withNotes > 0) {
        notes.emplace(NotesFileName(archive));
        firstNotes = notes->count();
        if (firstNotes == 0)
            Damaged(NotesFileName(archive), "read", "falta el registro 0");
        if (firstNotes + static_cast<std::int64_t>(withNotes) - 1 > kLastRecordNumber)
            Damaged(NotesFileName(archive), "write", "el archivo no admite más de 99999 notas");
    }
    RecordFile currentKey(KeyFileName(kTemporaryArchive), SubjectKey::kSize);
    TypedRecordFile<SubjectRecord> currentSubject(SubjectFileName(kTemporaryArchive));

    // The subject and notes records go first, so no key ever points past its file.
    NoteArchiveUse(archive);
    std::vector<std::string> keyRecords;
    keyRecords.reserve(entries.size());
    std::int64_t nextNotes = firstNotes;
    SubjectNotes lastNotes;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::int64_t number = firstNumber + static_cast<std::int64_t>(i);
        if (!temporary && HasNotes(entries[i])) {
            lastNotes = NotesOfEntry(entries[i]);
            notes->append(lastNotes);
            records[i].NotesNumber = PadLeftZeros(static_cast<long>(nextNotes++), 5);
        }
        subjects.append(records[i]);
        keyRecords.push_back(KeyRecordOf(KeyOf(entries[i].Name, number)));
    }

    StoredSubject stored;
    stored.Key = std::string(KeyText(keyRecords.back()));
    if (keys) {
        stored.Position = keys->appendAndInsertAll(keyRecords).back();
        keys->save(KeyFileName(archive));
    }
    currentKey.write(0, keyRecords.back());
    SubjectRecord current = records.back();
    current.NotesNumber = "00000";
    currentSubject.write(0, current);

    // The exchange files describe the new current subject, also when it has no notes.
    const SubjectEntry& last = entries.back();
    const bool lastHasNotes = !temporary && HasNotes(last);
    WriteNotesLine(lastHasNotes ? StoredNotesLine(lastNotes) : std::string());
    WriteTextPointer(archive, lastHasNotes ? last.TextNumber : std::string());
    return stored;
}

// ---- Deleting and rewriting -----------------------------------------------------------

void DeleteSubjectKey(const std::string& archive, std::int64_t position,
                      const std::string& textNumber) {
    CheckArchiveName(archive);
    KeyRecords keys = KeyRecords::Load(KeyFileName(archive));
    if (position < 1 || position >= keys.size())
        Damaged(KeyFileName(archive), "delete",
                "no hay clave en la posición " + std::to_string(position));
    NoteArchiveUse(archive);
    keys.erase(position);
    keys.save(KeyFileName(archive));

    std::string number = textNumber;
    number.erase(std::remove(number.begin(), number.end(), ' '), number.end());
    const bool isNumber =
        number.size() == 5 &&
        std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!isNumber)
        return;
    const std::string text = archive + "txt\\" + number + ".Txt";
    if (FileExists(text))
        DeleteFile(text);
}

StoredSubject RewriteSubject(const std::string& archive, std::int64_t position, std::int64_t number,
                             std::int64_t notesNumber, const SubjectEntry& entry) {
    CheckArchiveName(archive);
    CheckJulianDay(entry);
    SubjectEntry stored = entry;
    stored.CorrectionText = EnteredCorrectionText(entry.CorrectionText);
    // The text is what readers take the correction from: it must read as a number.
    long double hours = 0;
    if (!ReadCorrection(stored.CorrectionText.substr(0, 5), hours))
        throw ConvertError(Utf8FromCp1252(entry.CorrectionText), "corrección horaria");
    SubjectRecord record = RecordOfEntry(stored);
    const ChartCodes codes = ComputeChartCodes(stored);
    record.PlanetCodes = codes.Planets;
    record.CuspCodes = codes.Cusps;
    record.AspectCodes = codes.Aspects;

    KeyRecords keys = KeyRecords::Load(KeyFileName(archive));
    if (position < 1 || position >= keys.size())
        Damaged(KeyFileName(archive), "write",
                "no hay clave en la posición " + std::to_string(position));
    const std::string oldKey(keys.key(position));
    if (SubjectNumberOf(oldKey) != number)
        Damaged(KeyFileName(archive), "write",
                "la clave de la posición " + std::to_string(position) + " no es la del sujeto " +
                    std::to_string(number));
    TypedRecordFile<SubjectRecord> subjects(SubjectFileName(archive));
    if (number < 1 || number >= subjects.count())
        Damaged(SubjectFileName(archive), "write",
                "el sujeto " + std::to_string(number) + " no está en el archivo");

    // Notes already stored are written over even when every line is now empty, so that
    // clearing them in the form clears them in the archive.
    const bool writeNotes = notesNumber != 0 || HasNotes(entry);
    std::optional<TypedRecordFile<SubjectNotes>> notes;
    std::int64_t notesRecord = notesNumber;
    if (writeNotes) {
        notes.emplace(NotesFileName(archive));
        const std::int64_t total = notes->count();
        if (notesNumber < 0 || notesNumber >= total || total == 0)
            Damaged(NotesFileName(archive), "write",
                    "las notas " + std::to_string(notesNumber) + " no están en el archivo");
        if (notesNumber == 0) {
            notesRecord = total;
            if (notesRecord > kLastRecordNumber)
                Damaged(NotesFileName(archive), "write", "el archivo no admite más de 99999 notas");
        }
    }

    if (notes)
        notes->write(notesRecord, NotesOfEntry(entry));
    record.NotesNumber = PadLeftZeros(static_cast<long>(notesRecord), 5);
    subjects.write(number, record);

    StoredSubject result;
    result.Key = KeyOf(entry.Name, number);
    result.Position = keys.reposition(position, KeyRecordOf(result.Key),
                                      std::string_view(oldKey).substr(0, kKeyNameLength));
    keys.save(KeyFileName(archive));
    return result;
}

} // namespace exo
