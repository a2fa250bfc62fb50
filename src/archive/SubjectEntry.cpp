// A subject in memory and in its records: the texts of a key, the correction texts, the
// conversions between SubjectEntry and SubjectRecord / SubjectNotes, and the checks a
// subject passes before it is stored.
#include "archive/SubjectArchive.h"

#include "astro/Calendar.h"
#include "astro/TextHelpers.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace exo {

namespace {

constexpr std::size_t kCoordinatesLength = 12;
constexpr std::size_t kLocalityCapacity = 27;
constexpr std::size_t kCountryCapacity = 20;
constexpr std::size_t kNoteCapacity = 70;
constexpr std::size_t kLastNoteLength = 64;
constexpr std::size_t kNumberLength = 5;

// Characters from..from+length−1 of a text, 1-based, as far as the text reaches.
std::string Characters(std::string_view text, std::size_t from, std::size_t length) {
    if (from < 1 || from > text.size())
        return {};
    return std::string(text.substr(from - 1, length));
}

std::string TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::string WithoutTrailingBlanks(std::string_view text) {
    const std::size_t last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A number of `digits` digits at 1-based `from` inside `low` … `high`.
bool NumberInRange(std::string_view text, std::size_t from, std::size_t digits, int low, int high) {
    const std::string number = Characters(text, from, digits);
    if (number.size() != digits || !AllDigits(number))
        return false;
    const int value = std::stoi(number);
    return value >= low && value <= high;
}

bool DateTextFits(std::string_view date) {
    return date.size() == 16 && date[2] == '/' && date[5] == '/' && date[10] == ' ' &&
           date[13] == ':' && NumberInRange(date, 1, 2, 1, 31) &&
           NumberInRange(date, 4, 2, 1, 12) && NumberInRange(date, 7, 4, 1, 9999) &&
           NumberInRange(date, 12, 2, 0, 23) && NumberInRange(date, 15, 2, 0, 59);
}

bool CoordinatesFit(std::string_view c) {
    return c.size() == kCoordinatesLength && NumberInRange(c, 1, 2, 0, 89) &&
           (c[2] == 'N' || c[2] == 'S') && NumberInRange(c, 4, 2, 0, 59) &&
           NumberInRange(c, 7, 3, 0, 179) && (c[9] == 'E' || c[9] == 'W' || c[9] == 'O') &&
           NumberInRange(c, 11, 2, 0, 59);
}

} // namespace

bool IsArchiveName(std::string_view name) {
    return name.size() == 4 && std::none_of(name.begin(), name.end(), [](char c) {
               return static_cast<unsigned char>(c) < 0x21 || std::strchr("/\\.:*?\"<>|", c);
           });
}

std::string PaddedName(std::string_view name) {
    std::string padded(name.substr(0, kKeyNameLength));
    padded.resize(kKeyNameLength, ' ');
    return padded;
}

std::string KeyOf(std::string_view name, std::int64_t number) {
    return PaddedName(name) +
           PadLeftZeros(static_cast<long>(number), static_cast<int>(kNumberLength));
}

std::string NameOfKey(std::string_view key) {
    return WithoutTrailingBlanks(key.substr(0, kKeyNameLength));
}

std::string UpperSubjectText(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        const auto b = static_cast<unsigned char>(c);
        if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7))
            c = static_cast<char>(b - 0x20);
        else if (b == 0x9A || b == 0x9C || b == 0x9E) // š œ ž
            c = static_cast<char>(b - 0x10);
        else if (b == 0xFF) // ÿ
            c = static_cast<char>(0x9F);
    }
    return upper;
}

std::string StoredCorrectionText(long double correction) {
    const std::string text = GeneralText(correction);
    return text.front() == '-' ? text : "+" + text;
}

std::string EnteredCorrectionText(std::string_view typed) {
    std::string text = TrimBlanks(typed);
    std::replace(text.begin(), text.end(), '.', kDecimalSeparator);
    return text;
}

std::string CorrectionTailOf(const SubjectRecord& record) {
    return Characters(record.BirthStamp.view(), 13, decltype(record.BirthStamp)::kCapacity);
}

bool ReadCorrection(std::string_view text, long double& hours) {
    long double value = 0;
    if (!ParseReal(text, value) && !ParseLocaleReal(text, value))
        return false;
    if (!std::isfinite(value))
        return false;
    hours = value;
    return true;
}

SubjectRecord RecordOfEntry(const SubjectEntry& entry) {
    const std::string& date = entry.BirthDateText;
    SubjectRecord record;
    record.BirthStamp = Characters(date, 7, 4) + Characters(date, 4, 2) + Characters(date, 1, 2) +
                        Characters(date, 12, 2) + Characters(date, 15, 2) + entry.CorrectionText;
    record.Place = entry.CoordinatesText + entry.Locality;
    record.Calendar = entry.Gregorian ? "GR" : "GI";
    record.Country = entry.Country;
    record.NotesNumber = "00000";
    return record;
}

SubjectEntry EntryOfRecord(const SubjectRecord& record, const SubjectNotes* notes,
                           std::string_view key) {
    const std::string_view stamp = record.BirthStamp.view();
    SubjectEntry entry;
    entry.Name = NameOfKey(key);
    entry.BirthDateText = Characters(stamp, 7, 2) + "/" + Characters(stamp, 5, 2) + "/" +
                          Characters(stamp, 1, 4) + " " + Characters(stamp, 9, 2) + ":" +
                          Characters(stamp, 11, 2);
    entry.CorrectionText = Characters(stamp, 13, 5);
    if (!ReadCorrection(entry.CorrectionText, entry.Correction))
        throw ConvertError(Utf8FromCp1252(entry.CorrectionText), "corrección horaria");
    const std::string_view place = record.Place.view();
    entry.CoordinatesText = std::string(place.substr(0, kCoordinatesLength));
    entry.Locality =
        WithoutTrailingBlanks(Characters(place, kCoordinatesLength + 1, kLocalityCapacity));
    entry.Country = record.Country.str();
    entry.Gregorian = record.Calendar == "GR";
    entry.JulianDay =
        JulianDayOf(entry.Gregorian ? 1 : 0, IntegerOrZero(Characters(stamp, 11, 2)),
                    IntegerOrZero(Characters(stamp, 9, 2)), IntegerOrZero(Characters(stamp, 1, 4)),
                    IntegerOrZero(Characters(stamp, 5, 2)),
                    IntegerOrZero(Characters(stamp, 7, 2))) +
        entry.Correction / 24;
    if (notes) {
        for (std::size_t i = 0; i < 3; ++i)
            entry.NoteLines[i] = notes->Lines[i].str();
        const std::string_view last = notes->Lines[3].view();
        entry.NoteLines[3] = WithoutTrailingBlanks(last.substr(0, kLastNoteLength));
        entry.TextNumber = TextNumberOf(notes);
    }
    return entry;
}

bool HasNotes(const SubjectEntry& entry) {
    return !entry.TextNumber.empty() ||
           std::any_of(entry.NoteLines.begin(), entry.NoteLines.end(),
                       [](const std::string& line) { return !line.empty(); });
}

SubjectNotes NotesOfEntry(const SubjectEntry& entry) {
    SubjectNotes notes;
    for (std::size_t i = 0; i < 3; ++i)
        notes.Lines[i] = entry.NoteLines[i];
    std::string last = entry.NoteLines[3].substr(0, kNoteCapacity);
    last.resize(kNoteCapacity, ' ');
    notes.Lines[3] = last.substr(0, kLastNoteLength) + entry.TextNumber;
    return notes;
}

std::string StoredNotesLine(const SubjectNotes& notes) {
    return WithoutTrailingBlanks(notes.Lines[0].view()) + " " +
           WithoutTrailingBlanks(notes.Lines[1].view()) + " " +
           WithoutTrailingBlanks(notes.Lines[2].view()) + " " + notes.Lines[3].str();
}

std::string ShownNotesLine(const SubjectNotes* notes) {
    std::string line;
    for (std::size_t i = 0; i < 4; ++i)
        line += " " + (notes ? TrimBlanks(notes->Lines[i].view()) : std::string());
    return line;
}

std::string TextNumberOf(const SubjectNotes* notes) {
    if (!notes)
        return {};
    return TrimBlanks(Characters(notes->Lines[3].view(), kLastNoteLength + 1, kNumberLength));
}

std::string DisplayedLocality(std::string_view storedLocality) {
    return CleanLocality(WithoutTrailingBlanks(storedLocality));
}

std::optional<std::string> SubjectEntryFault(const SubjectEntry& entry) {
    const auto tooLong = [](const std::string& text, std::size_t capacity) {
        return text.size() > capacity;
    };
    if (entry.Name.empty() || tooLong(entry.Name, kKeyNameLength))
        return "el nombre debe tener de 1 a 38 caracteres: '" + Utf8FromCp1252(entry.Name) + "'";
    if (!DateTextFits(entry.BirthDateText))
        return "la fecha y hora deben escribirse DD/MM/AAAA hh:mm: '" +
               Utf8FromCp1252(entry.BirthDateText) + "'";
    if (!CoordinatesFit(entry.CoordinatesText))
        return "las coordenadas deben escribirse como 45N28-009E11: '" +
               Utf8FromCp1252(entry.CoordinatesText) + "'";
    if (tooLong(entry.Locality, kLocalityCapacity))
        return "la localidad tiene más de 27 caracteres: '" + Utf8FromCp1252(entry.Locality) + "'";
    if (tooLong(entry.Country, kCountryCapacity))
        return "el país tiene más de 20 caracteres: '" + Utf8FromCp1252(entry.Country) + "'";
    for (std::size_t i = 0; i < 4; ++i) {
        const std::size_t capacity = i < 3 ? kNoteCapacity : kLastNoteLength;
        if (tooLong(entry.NoteLines[i], capacity))
            return "la nota " + std::to_string(i + 1) + " tiene más de " +
                   std::to_string(capacity) + " caracteres";
    }
    if (!entry.TextNumber.empty() &&
        (entry.TextNumber.size() != kNumberLength || !AllDigits(entry.TextNumber)))
        return "el número de texto debe tener cinco cifras: '" + Utf8FromCp1252(entry.TextNumber) +
               "'";
    if (!std::isfinite(entry.Correction) || std::fabs(entry.Correction) > 24)
        return "la corrección horaria debe estar entre -24 y +24 horas";
    if (!std::isfinite(entry.JulianDay) || std::fabs(entry.JulianDay) > 1e11L)
        return "el día juliano no es un número utilizable";
    return std::nullopt;
}

} // namespace exo
