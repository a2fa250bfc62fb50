#pragma once
// The subject archives in the program folder: NAME.ST1 (sorted keys), NAME.ST2 (subjects),
// NAME.ST3 (notes), the text folder NAMEtxt and the exchange files of FileDum. Every
// operation works on the files directly; a file that must exist and cannot be opened, read
// or written raises InOutError, and so does a damaged file (a size that is not whole
// records, a missing record 0, a key or notes number that points outside its file).
//
// Every change of a key file replaces the whole file at once (written beside it, then
// renamed over it), so an interrupted change never duplicates or loses a key. Subject and
// notes records are written before the key that points at them.
#include "archive/SubjectRecords.h"
#include "chart/ChartState.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace exo {

class RecordFile;

// Characters of the name in a key; record numbers are five digits.
inline constexpr std::size_t kKeyNameLength = 38;
inline constexpr std::int64_t kLastRecordNumber = 99999;

// The archive that holds the current subject.
inline constexpr const char* kTemporaryArchive = "TMPR";

// Four characters that can name the archive's files (no folder separators, no dots).
bool IsArchiveName(std::string_view name);

// ---- Texts of a subject ---------------------------------------------------------------

// The name cut or padded with blanks to 38 characters.
std::string PaddedName(std::string_view name);
// The padded name followed by the five-digit subject-record number.
std::string KeyOf(std::string_view name, std::int64_t number);
// The first 38 characters of a key without their trailing blanks.
std::string NameOfKey(std::string_view key);
// Upper case as the program's name boxes write it (Windows-1252 letters, ß and µ kept).
std::string UpperSubjectText(std::string_view text);

// The correction as StoreSubject writes it: the shortest decimal text with the decimal
// comma, "+" in front when zero or positive ("+1", "-5,5").
std::string StoredCorrectionText(long double correction);
// The correction as the modify form writes it: blanks removed at both ends, a decimal point
// turned into a comma, no sign added.
std::string EnteredCorrectionText(std::string_view typed);
// Characters 13 onwards of the birth stamp: the whole correction as stored (readers take
// only its first five characters).
std::string CorrectionTailOf(const SubjectRecord& record);
// A correction text read with the decimal point and, failing that, the decimal comma.
bool ReadCorrection(std::string_view text, long double& hours);

// ---- Conversions ----------------------------------------------------------------------

// The record of a subject: birth stamp from BirthDateText and CorrectionText as given,
// place, calendar, country; codes and reserved texts empty; notes number "00000".
SubjectRecord RecordOfEntry(const SubjectEntry& entry);
// The subject of a record (and of its notes record, and of its key for the name).
// JulianDay is computed from the date, the calendar and the correction. Raises
// ConvertError when the correction text is no number.
SubjectEntry EntryOfRecord(const SubjectRecord& record, const SubjectNotes* notes = nullptr,
                           std::string_view key = {});
// True when a note line or the text number is not empty.
bool HasNotes(const SubjectEntry& entry);
// Lines 1-3 as given, line 4 padded to 70, cut to 64 and followed by the text number.
SubjectNotes NotesOfEntry(const SubjectEntry& entry);
// The Annotaz.dum line of a store: lines 1-3 without trailing blanks and line 4 as stored,
// joined by blanks.
std::string StoredNotesLine(const SubjectNotes& notes);
// The Annotaz.dum line of a retrieval: each line without blanks at both ends, after one blank.
std::string ShownNotesLine(const SubjectNotes* notes);
// Characters 65-69 of note line 4 without blanks: the subject's text number, or empty.
std::string TextNumberOf(const SubjectNotes* notes);
// The locality as displayed: asterisks turned into parentheses, runs of blanks shrunk.
std::string DisplayedLocality(std::string_view storedLocality);

// The first problem of a subject about to be stored (UTF-8 text), or nothing: name 1-38
// characters, "DD/MM/YYYY hh:mm" in range, coordinates as 45N28-009E11, locality up to 27
// and country up to 20 characters, note lines up to 70, 70, 70, 64, text number empty or
// five digits, a finite correction within ±24 hours and a finite Julian Day.
std::optional<std::string> SubjectEntryFault(const SubjectEntry& entry);

// ---- Chart codes ----------------------------------------------------------------------

struct ChartCodes {
    std::string Planets; // 72 characters
    std::string Cusps;   // 60 characters
    std::string Aspects; // up to 124 characters
};
// The codes of a subject: bodies at its universal-time Julian Day (ephemeris order, node
// and Black Moon of the kinds `settings` holds), Placidus cusps from its clock time,
// correction and coordinates. Reads the correction tables of the program folder.
ChartCodes ComputeChartCodes(const SubjectEntry& entry, const ChartState& settings = GlobalChart());
// The codes of given longitudes (points 1-14, ephemeris order) and cusps (1-12).
std::string PlanetCodes(const PointReals& longitude, const std::array<long double, 16>& cusp);
std::string CuspCodes(const std::array<long double, 16>& cusp);
std::string AspectCodes(const PointReals& longitude);

// ---- Archive files, text folders, exchange files --------------------------------------

// Creates BASE.ST1, BASE.ST2 and BASE.ST3 with their placeholder records when "BASE.st1"
// is missing. A subject or notes file already there is kept as it is.
void EnsureBaseArchive();
// Creates an archive the same way; raises InOutError when NAME.ST1 exists.
void CreateArchive(const std::string& name);

// Reserves the next text number of an archive (five digits), creating the text folder and
// its counter when the folder is missing.
std::string NextTextNumber(const std::string& archive);
// "BASEtxt\00001.txt": the text file of a text number.
std::string TextFileName(const std::string& archive, const std::string& textNumber);
// FileDum\DatModif.dum: the text file the editor opens next.
void WriteTextToEdit(const std::string& textFileName);
// Creates (or replaces) the text file with one line, the first 38 characters of the name,
// and names it in FileDum\DatModif.dum. Returns the file's name.
std::string CreateSubjectText(const std::string& archive, const std::string& textNumber,
                              std::string_view nameOrKey);

// Lists the archive in FileDum\MMordina.dum unless it is already there. The list holds at
// most 12 names: once full, it is left as it is.
void NoteArchiveUse(const std::string& archive);
// Replaces TMPR.ST1 and TMPR.ST2 by one-record files: the name padded to 38 characters
// (cut to 43) and the record.
void WriteCurrentSubject(const std::string& paddedName, const SubjectRecord& record);
// FileDum\Annotaz.dum: the current subject's notes line.
void WriteNotesLine(const std::string& line);
// FileDum\StrText.dum: the archive and text number of the current subject's text.
void WriteTextPointer(const std::string& archive, const std::string& textNumber);
// FileDum\MMDatArc.dum: archive, key, its position and the name as last held.
void WriteArchiveSelection(const std::string& archive, const std::string& key,
                           std::int64_t position, const std::string& lastHeld);
// FileDum\PointGlo.dum: the five characters of the subject-record number and the archive.
void WriteSelectedNumber(const std::string& numberText, const std::string& archive);

// The subject-record number at the end of a key (its last five characters, the whole key
// when shorter), or nothing when they are not a number or the number is negative.
std::optional<std::int64_t> SubjectNumberOf(std::string_view key);

struct StoredSubject {
    std::string Key;
    std::int64_t Position = 0;
};

// One open archive: the key, subject and (when present) notes files. A file that an
// operation has replaced meanwhile is opened again at the next call, so an open archive
// always reads what is on disk.
class SubjectArchive {
  public:
    // Opens NAME.ST1, NAME.ST2 and, when it exists, NAME.ST3; each must hold record 0.
    explicit SubjectArchive(const std::string& name);
    ~SubjectArchive();
    SubjectArchive(const SubjectArchive&) = delete;
    SubjectArchive& operator=(const SubjectArchive&) = delete;

    const std::string& name() const { return name_; }
    std::int64_t count() const; // records in the key file − 1
    std::int64_t subjectRecords() const;
    bool hasNotes() const;

    // The key at 1 … count.
    SubjectKey readKey(std::int64_t position) const;
    struct Found {
        std::int64_t Position = 0; // 0 only for an archive without subjects
        SubjectKey Key;
    };
    // The last key below the typed text padded with "!" (1 when none is), in exactly 100
    // bisection rounds.
    Found findKeyPosition(std::string_view typed) const;
    // Whether a found key answers the typed text: the key begins with it.
    static bool IsHit(const Found& found, std::string_view typed);
    struct Read {
        SubjectRecord Record;
        std::optional<SubjectNotes> Notes; // when the notes file is open and the number is not 0
        std::int64_t NotesNumber = 0;
    };
    // The subject record 0 … subjectRecords() − 1 and its notes.
    Read readSubject(std::int64_t number) const;

  private:
    struct OpenFile;
    void refresh() const;
    SubjectKey keyAt(std::int64_t position) const;

    std::string name_;
    mutable std::unique_ptr<OpenFile> keys_, subjects_, notes_;
};

std::unique_ptr<SubjectArchive> OpenArchive(const std::string& name);
// Closes the files; nothing that happens on closing is reported.
void CloseArchive(std::unique_ptr<SubjectArchive>& archive) noexcept;

// Appends the subject, inserts its key in order, makes it the current subject in TMPR and
// stores its notes. The chart codes are computed and every file checked before anything is
// written. Annotaz.dum and StrText.dum then describe the new current subject (its notes and
// text, or nothing). Returns the key and its final position (0 for TMPR).
StoredSubject StoreSubject(const std::string& archive, const SubjectEntry& entry);
// The same for many subjects at once: the files end exactly as after storing them one by
// one in order; the key file is written once. Returns the last subject's key and position.
StoredSubject StoreSubjects(const std::string& archive, const std::vector<SubjectEntry>& entries);
// Removes the key at 1 … count; deletes NAMEtxt\NNNNN.Txt when the text number names one.
void DeleteSubjectKey(const std::string& archive, std::int64_t position,
                      const std::string& textNumber);
// Rewrites the subject record and its notes, and moves the key to its sorted place. The
// correction is written as entered (EnteredCorrectionText of entry.CorrectionText); the
// codes are computed for entry.JulianDay. Notes are written over the subject's notes record
// when it has one (also when every line is now empty), appended when it has none and there
// is something to keep. Returns the new key and its position.
StoredSubject RewriteSubject(const std::string& archive, std::int64_t position, std::int64_t number,
                             std::int64_t notesNumber, const SubjectEntry& entry);

// ---- Checks ---------------------------------------------------------------------------

// The first fault of an archive (UTF-8 text), or nothing: whole records, record 0 in each
// file, keys in strictly ascending order, every key's number inside the subject file,
// subject records with a readable birth stamp and a notes number inside the notes file,
// field lengths within their capacities.
std::optional<std::string> VerifyArchive(const std::string& name);
// The same on the files' bytes (notes: nullptr when there is no notes file).
std::optional<std::string> VerifyArchiveBytes(const std::string& name, std::string_view keys,
                                              std::string_view subjects,
                                              const std::string_view* notes);

} // namespace exo
