#include "archive/SubjectCsv.h"

#include "astro/Calendar.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/NumberText.h"
#include "platform/TextFile.h"

#include <QString>

#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>

namespace exo {

namespace {

constexpr std::size_t kColumns = 13;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string AtLine(std::size_t line) {
    return "línea " + std::to_string(line) + ": ";
}

// The local Julian Day of a date text, the correction not applied.
long double LocalJulianDay(std::string_view date, bool gregorian) {
    const auto digitsAt = [&](std::size_t from, std::size_t length) {
        return IntegerOrZero(from < date.size() ? date.substr(from, length) : std::string_view());
    };
    return JulianDayOf(gregorian ? 1 : 0, digitsAt(14, 2), digitsAt(11, 2), digitsAt(6, 4),
                       digitsAt(3, 2), digitsAt(0, 2));
}

// The shortest text with a decimal point that reads back as the same extended real.
std::string ExactNumber(long double x) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x);
    return std::string(buffer, result.ptr);
}

bool ReadExactNumber(std::string_view text, long double& x) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), x);
    return result.ec == std::errc() && result.ptr == text.data() + text.size() && std::isfinite(x);
}

std::vector<std::string> HeaderFields() {
    return ParseCsv(kSubjectCsvHeader).front().fields;
}

std::string CsvLine(const std::vector<std::string>& cp1252Fields) {
    std::string line;
    for (std::size_t i = 0; i < cp1252Fields.size(); ++i) {
        if (i > 0)
            line += ',';
        line += CsvField(Utf8FromCp1252(cp1252Fields[i]));
    }
    return line + "\r\n";
}

} // namespace

std::vector<CsvRecord> ParseCsv(std::string_view text) {
    std::vector<CsvRecord> records;
    const std::size_t n = text.size();
    std::size_t i = 0;
    std::size_t line = 1;
    const auto endsField = [&](std::size_t at) {
        return at >= n || text[at] == ',' || text[at] == '\r' || text[at] == '\n';
    };
    while (i < n) {
        CsvRecord record;
        record.line = line;
        bool quoted = false;
        for (;;) {
            std::string field;
            if (i < n && text[i] == '"') {
                quoted = true;
                ++i;
                for (;;) {
                    if (i >= n)
                        throw CsvError(AtLine(record.line) + "faltan las comillas de cierre");
                    const char c = text[i];
                    if (c == '"' && i + 1 < n && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                    } else if (c == '"') {
                        ++i;
                        break;
                    } else {
                        line += c == '\n';
                        field += c;
                        ++i;
                    }
                }
                if (!endsField(i))
                    throw CsvError(AtLine(line) + "texto después de las comillas de cierre");
            } else {
                for (; !endsField(i); ++i) {
                    if (text[i] == '"')
                        throw CsvError(AtLine(line) + "comillas dentro de un campo sin comillas");
                    field += text[i];
                }
            }
            record.fields.push_back(std::move(field));
            if (i < n && text[i] == ',') {
                ++i;
                continue;
            }
            break;
        }
        if (i < n && text[i] == '\r')
            ++i;
        if (i < n && text[i] == '\n')
            ++i;
        ++line;
        const bool blankLine = !quoted && record.fields.size() == 1 && record.fields[0].empty();
        if (!blankLine)
            records.push_back(std::move(record));
    }
    return records;
}

std::string CsvField(std::string_view text) {
    const bool quote = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote)
        return std::string(text);
    std::string field = "\"";
    for (const char c : text) {
        if (c == '"')
            field += '"';
        field += c;
    }
    return field + "\"";
}

std::string SubjectsCsvText(const std::string& archive) {
    const SubjectArchive open(archive);
    std::string text = std::string(kSubjectCsvHeader) + "\r\n";
    const std::int64_t count = open.count();
    for (std::int64_t position = 1; position <= count; ++position) {
        const std::string key = open.readKey(position).Key.str();
        const std::optional<std::int64_t> number = SubjectNumberOf(key);
        if (!number)
            throw InOutError(archive + ".ST1", "read",
                             "la clave " + std::to_string(position) +
                                 " no termina en un número de sujeto");
        const SubjectArchive::Read read = open.readSubject(*number);
        const SubjectNotes* notes = read.Notes ? &*read.Notes : nullptr;
        const SubjectEntry entry = EntryOfRecord(read.Record, notes, key);
        // The whole correction as stored, and the Julian Day it gives.
        const std::string correction = CorrectionTailOf(read.Record);
        long double hours = entry.Correction;
        ReadCorrection(correction, hours);
        const long double julianDay =
            LocalJulianDay(entry.BirthDateText, entry.Gregorian) + hours / 24;
        text += CsvLine({entry.Name, entry.BirthDateText, correction, entry.CoordinatesText,
                         entry.Locality, entry.Country, entry.Gregorian ? "GR" : "GIUL",
                         ExactNumber(julianDay), entry.NoteLines[0], entry.NoteLines[1],
                         entry.NoteLines[2], entry.NoteLines[3], entry.TextNumber});
    }
    return text;
}

std::int64_t ExportSubjectsCsv(const std::string& archive, const std::string& csvPath) {
    const std::string text = SubjectsCsvText(archive);
    ReplaceFileBytes(csvPath, text, "rewrite");
    return SubjectArchive(archive).count();
}

std::vector<SubjectEntry> SubjectsOfCsv(std::string_view utf8) {
    if (utf8.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        utf8.remove_prefix(kByteOrderMark.size());
    const std::vector<CsvRecord> records = ParseCsv(utf8);
    if (records.empty() || records.front().fields != HeaderFields())
        throw CsvError(AtLine(records.empty() ? 1 : records.front().line) +
                       "la cabecera debe ser exactamente " + kSubjectCsvHeader);

    std::vector<SubjectEntry> entries;
    for (std::size_t r = 1; r < records.size(); ++r) {
        const CsvRecord& record = records[r];
        const std::string at = AtLine(record.line);
        if (record.fields.size() != kColumns)
            throw CsvError(at + "hay " + std::to_string(record.fields.size()) +
                           " campos en lugar de " + std::to_string(kColumns));
        std::vector<std::string> field;
        for (const std::string& text : record.fields) {
            std::string bytes = Cp1252FromUtf8(text);
            if (Utf8FromCp1252(bytes) != text)
                throw CsvError(at + "'" + text + "' tiene caracteres que no caben en Windows-1252");
            field.push_back(std::move(bytes));
        }

        SubjectEntry entry;
        entry.Name = UpperSubjectText(field[0]);
        entry.BirthDateText = field[1];
        entry.CorrectionText = field[2];
        if (!ReadCorrection(field[2], entry.Correction))
            throw CsvError(at + "la corrección '" + record.fields[2] + "' no es un número");
        entry.CoordinatesText = UpperSubjectText(field[3]);
        entry.Locality = field[4];
        entry.Country = field[5];
        if (field[6] != "GR" && field[6] != "GIUL")
            throw CsvError(at + "el calendario debe ser GR o GIUL: '" + record.fields[6] + "'");
        entry.Gregorian = field[6] == "GR";
        for (std::size_t i = 0; i < 4; ++i)
            entry.NoteLines[i] = field[8 + i];
        entry.TextNumber = field[12];
        if (field[7].empty())
            entry.JulianDay =
                LocalJulianDay(entry.BirthDateText, entry.Gregorian) + entry.Correction / 24;
        else if (!ReadExactNumber(field[7], entry.JulianDay))
            throw CsvError(at + "el día juliano '" + record.fields[7] +
                           "' no es un número con punto decimal");
        if (const auto fault = SubjectEntryFault(entry))
            throw CsvError(at + *fault);
        entries.push_back(std::move(entry));
    }
    return entries;
}

CsvImport ImportSubjectsCsv(const std::string& archive, const std::string& csvPath) {
    std::ifstream in(csvPath, std::ios::binary);
    if (!in)
        throw InOutError(csvPath, "read", "no se puede abrir");
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        throw InOutError(csvPath, "read");
    const std::vector<SubjectEntry> entries = SubjectsOfCsv(text);
    CsvImport result;
    result.Count = static_cast<std::int64_t>(entries.size());
    if (!entries.empty())
        result.Last = StoreSubjects(archive, entries);
    return result;
}

} // namespace exo
