// The invariants every reader of an archive relies on, checked on the files' bytes.
#include "archive/SubjectArchive.h"

#include "archive/SubjectFiles.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/ProgramPaths.h"

#include <algorithm>

namespace exo {

using namespace subject_files;

namespace {

std::string Shown(std::string_view cp1252) {
    return "'" + Utf8FromCp1252(cp1252) + "'";
}

bool Digits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The stored length bytes of a record's fields, each against its capacity.
struct Field {
    std::size_t offset;
    std::size_t capacity;
    const char* name;
};
constexpr Field kSubjectFields[] = {
    {0, 20, "fecha"},         {21, 39, "lugar"},
    {61, 2, "calendario"},    {64, 20, "país"},
    {85, 72, "planetas"},     {158, 60, "cúspides"},
    {219, 124, "aspectos"},   {344, 21, "reservado A"},
    {366, 12, "reservado B"}, {379, 5, "número de notas"},
};

std::optional<std::string> LengthFault(std::string_view record, const Field& field) {
    const auto length = static_cast<unsigned char>(record[field.offset]);
    if (length <= field.capacity)
        return std::nullopt;
    return "el campo " + std::string(field.name) + " declara " + std::to_string(length) +
           " caracteres de " + std::to_string(field.capacity);
}

std::optional<std::string> SubjectFault(std::string_view bytes, std::int64_t notesCount,
                                        bool hasNotes) {
    for (const Field& field : kSubjectFields) {
        if (auto fault = LengthFault(bytes, field))
            return fault;
    }
    const SubjectRecord record = SubjectRecord::decode(bytes.data());
    const std::string_view stamp = record.BirthStamp.view();
    if (stamp.size() < 13 || !Digits(stamp.substr(0, 12)))
        return "la fecha " + Shown(stamp) + " no empieza por doce cifras";
    long double correction = 0;
    if (!ReadCorrection(stamp.substr(12, 5), correction))
        return "la corrección " + Shown(stamp.substr(12)) + " no es un número";
    const std::string_view notes = record.NotesNumber.view();
    if (notes.size() != 5 || !Digits(notes))
        return "el número de notas " + Shown(notes) + " no tiene cinco cifras";
    const std::int64_t number = std::stoll(std::string(notes));
    if (number != 0 && !hasNotes)
        return "el número de notas " + std::string(notes) + " sin archivo de notas";
    if (number != 0 && number >= notesCount)
        return "las notas " + std::string(notes) + " no están en el archivo de notas (" +
               std::to_string(notesCount) + " registros)";
    return std::nullopt;
}

std::optional<std::string> NotesFault(std::string_view bytes) {
    for (std::size_t line = 0; line < 4; ++line) {
        if (auto fault = LengthFault(bytes, {71 * line, 70, "de nota"}))
            return fault;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> VerifyArchiveBytes(const std::string& name, std::string_view keys,
                                              std::string_view subjects,
                                              const std::string_view* notes) {
    const std::string keyFile = KeyFileName(name);
    const std::string subjectFile = SubjectFileName(name);
    const std::string notesFile = NotesFileName(name);
    const auto whole = [](const std::string& file, std::string_view bytes,
                          std::size_t size) -> std::optional<std::string> {
        if (bytes.size() % size != 0)
            return file + ": el tamaño " + std::to_string(bytes.size()) +
                   " no es un número entero de registros de " + std::to_string(size) + " bytes";
        if (bytes.empty())
            return file + ": falta el registro 0";
        return std::nullopt;
    };
    if (auto fault = whole(keyFile, keys, SubjectKey::kSize))
        return fault;
    if (auto fault = whole(subjectFile, subjects, SubjectRecord::kSize))
        return fault;
    if (notes) {
        if (auto fault = whole(notesFile, *notes, SubjectNotes::kSize))
            return fault;
    }

    const auto keyCount = static_cast<std::int64_t>(keys.size() / SubjectKey::kSize);
    const auto subjectCount = static_cast<std::int64_t>(subjects.size() / SubjectRecord::kSize);
    const std::int64_t notesCount =
        notes ? static_cast<std::int64_t>(notes->size() / SubjectNotes::kSize) : 0;
    const auto keyRecord = [&](std::int64_t n) {
        return keys.substr(static_cast<std::size_t>(n) * SubjectKey::kSize, SubjectKey::kSize);
    };
    for (std::int64_t k = 1; k < keyCount; ++k) {
        const std::string at = keyFile + ": la clave " + std::to_string(k);
        const std::string_view record = keyRecord(k);
        if (static_cast<unsigned char>(record[0]) > SubjectKey::kSize - 1)
            return at + " declara " + std::to_string(static_cast<unsigned char>(record[0])) +
                   " caracteres de 43";
        const std::string_view key = KeyText(record);
        if (k > 1 && CompareBytes(KeyText(keyRecord(k - 1)), key) >= 0)
            return at + " " + Shown(key) + " no sigue a la anterior " +
                   Shown(KeyText(keyRecord(k - 1)));
        const std::optional<std::int64_t> number = SubjectNumberOf(key);
        if (!number)
            return at + " " + Shown(key) + " no termina en un número de sujeto";
        if (*number < 1 || *number >= subjectCount)
            return at + " " + Shown(key) + " apunta fuera del archivo de sujetos (" +
                   std::to_string(subjectCount) + " registros)";
    }
    for (std::int64_t s = 1; s < subjectCount; ++s) {
        const std::string_view record = subjects.substr(
            static_cast<std::size_t>(s) * SubjectRecord::kSize, SubjectRecord::kSize);
        if (auto fault = SubjectFault(record, notesCount, notes != nullptr))
            return subjectFile + ": el sujeto " + std::to_string(s) + ": " + *fault;
    }
    for (std::int64_t n = 1; n < notesCount; ++n) {
        const std::string_view record =
            notes->substr(static_cast<std::size_t>(n) * SubjectNotes::kSize, SubjectNotes::kSize);
        if (auto fault = NotesFault(record))
            return notesFile + ": las notas " + std::to_string(n) + ": " + *fault;
    }
    return std::nullopt;
}

std::optional<std::string> VerifyArchive(const std::string& name) {
    if (!IsArchiveName(name))
        return "'" + Utf8FromCp1252(name) + "' no es un nombre de archivo de cuatro letras";
    try {
        for (const std::string& file : {KeyFileName(name), SubjectFileName(name)}) {
            if (!FileExists(file))
                return "falta " + Utf8FromCp1252(file);
        }
        const std::string keys = ReadWholeFile(KeyFileName(name));
        const std::string subjects = ReadWholeFile(SubjectFileName(name));
        std::string notes;
        const bool hasNotes = FileExists(NotesFileName(name));
        if (hasNotes)
            notes = ReadWholeFile(NotesFileName(name));
        const std::string_view notesView = notes;
        return VerifyArchiveBytes(name, keys, subjects, hasNotes ? &notesView : nullptr);
    } catch (const InOutError& error) {
        return std::string(error.what());
    }
}

} // namespace exo
