#pragma once
// Subjects as CSV files (RFC 4180: comma separated, fields with a comma, a quote, a line end
// or blanks at either end in double quotes, quotes doubled; UTF-8; CR LF; one header row).
// The columns, in this order:
//
//   name         the name as in the key, without trailing blanks (upper case on import)
//   birth_date   DD/MM/YYYY hh:mm, local civil time
//   correction   hours added to local time to give universal time, as stored ("-5,5");
//                a decimal point is read too
//   coordinates  45N28-009E11
//   locality     up to 27 characters, as stored (asterisks kept)
//   country      up to 20 characters
//   calendar     GR or GIUL
//   julian_day   universal-time Julian Day with a decimal point; on import an empty field is
//                computed from the date, the calendar and the correction
//   note1..note4 the note lines (70, 70, 70 and 64 characters)
//   text_number  five digits or empty
#include "archive/SubjectArchive.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace exo {

inline constexpr const char* kSubjectCsvHeader =
    "name,birth_date,correction,coordinates,locality,country,calendar,julian_day,note1,note2,"
    "note3,note4,text_number";

// A CSV text that cannot be read as subjects; the message names the line (UTF-8).
class CsvError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The records of a CSV text, each a list of fields, with the line each record starts on.
struct CsvRecord {
    std::size_t line = 0;
    std::vector<std::string> fields;
};
std::vector<CsvRecord> ParseCsv(std::string_view text);
// One field as written: quoted when it must be.
std::string CsvField(std::string_view text);

// The CSV text of every subject of the archive, in key order.
std::string SubjectsCsvText(const std::string& archive);
// Writes that text to a file (a path of the system, UTF-8); returns the number of subjects.
std::int64_t ExportSubjectsCsv(const std::string& archive, const std::string& csvPath);

// The subjects of a CSV text (texts in Windows-1252), each checked as a store would need
// it; raises CsvError at the first row that does not make a subject.
std::vector<SubjectEntry> SubjectsOfCsv(std::string_view utf8);

struct CsvImport {
    std::int64_t Count = 0;
    StoredSubject Last; // the last subject's key and position
};
// Stores every subject of the file, as StoreSubject would one after another. Nothing is
// written when a row is refused or a chart cannot be computed.
CsvImport ImportSubjectsCsv(const std::string& archive, const std::string& csvPath);

} // namespace exo
