#pragma once
// The subject archives in the program folder: NAME.ST1 (sorted keys), NAME.ST2 (subjects),
// NAME.ST3 (notes), the text folder NAMEtxt and the exchange files of FileDum. Every
// operation works on the files directly; a file that must exist and cannot be opened, read
// or written raises InOutError.
#include "archive/SubjectRecords.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace exo {

class RecordFile;

// The conversions between a subject in memory and its records.
SubjectRecord RecordOfEntry(const SubjectEntry& entry); // codes, notes number left empty
SubjectEntry EntryOfRecord(const SubjectRecord& record, const SubjectNotes* notes = nullptr);

// The three chart codes of a subject, computed for its universal-time Julian Day.
struct ChartCodes {
    std::string Planets; // 72 characters
    std::string Cusps;   // 60 characters
    std::string Aspects; // up to 124 characters
};
ChartCodes ComputeChartCodes(const SubjectEntry& entry);

// Creates BASE.ST1, BASE.ST2 and BASE.ST3 with their placeholder records when "BASE.st1"
// is missing.
void EnsureBaseArchive();

// Reserves the next text number of an archive (five digits).
std::string NextTextNumber(const std::string& archive);
// Lists the archive in FileDum\MMordina.dum unless it is already there.
void NoteArchiveUse(const std::string& archive);
// Replaces TMPR.ST1 and TMPR.ST2 by one-record files: the padded name and the record.
void WriteCurrentSubject(const std::string& paddedName, const SubjectRecord& record);

// The five-digit subject-record number at the end of a key, or nothing when it is no number.
std::optional<std::int64_t> SubjectNumberOf(std::string_view key);

struct StoredSubject {
    std::string Key;
    std::int64_t Position = 0;
};

// One open archive: the key, subject and (when present) notes files.
class SubjectArchive {
  public:
    // Opens NAME.ST1, NAME.ST2 and, when it exists, NAME.ST3.
    explicit SubjectArchive(const std::string& name);
    ~SubjectArchive();
    SubjectArchive(const SubjectArchive&) = delete;
    SubjectArchive& operator=(const SubjectArchive&) = delete;

    const std::string& name() const { return name_; }
    std::int64_t count() const; // records in the key file − 1
    bool hasNotes() const;

    SubjectKey readKey(std::int64_t position) const;
    struct Found {
        std::int64_t Position = 1;
        SubjectKey Key;
    };
    Found findKeyPosition(std::string_view typed) const;
    struct Read {
        SubjectRecord Record;
        std::optional<SubjectNotes> Notes;
    };
    Read readSubject(std::int64_t number) const;

  private:
    std::string name_;
    std::unique_ptr<RecordFile> keys_, subjects_, notes_;
};

StoredSubject StoreSubject(const std::string& archive, const SubjectEntry& entry);
void DeleteSubjectKey(const std::string& archive, std::int64_t position,
                      const std::string& textNumber);
void RewriteSubject(const std::string& archive, std::int64_t position, std::int64_t number,
                    std::int64_t notesNumber, const SubjectEntry& entry);

} // namespace exo
