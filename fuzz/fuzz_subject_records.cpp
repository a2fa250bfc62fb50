// Subject archives of any content. The first bytes choose how many key, subject and notes
// records the three files hold (and whether one is cut short); the rest fills them. Then:
// the record decoders and SubjectNumberOf accept every record; EntryOfRecord raises only
// ConvertError; the check never raises; the open archive raises only InOutError or
// ConvertError; and an archive the check passes reads whole, every subject of every key.
// With the first byte odd the input is a CSV text for the import reader instead, which
// raises only CsvError.
#include "FuzzCheck.h"
#include "archive/SubjectArchive.h"
#include "archive/SubjectCsv.h"
#include "platform/Errors.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

// The fuzzer's own program folder, made the current folder once.
void EnterScratchFolder() {
    static const bool entered = [] {
        static char folder[] = "/tmp/exorvex-fuzz-XXXXXX";
        FUZZ_CHECK(::mkdtemp(folder) != nullptr);
        FUZZ_CHECK(::chdir(folder) == 0);
        std::atexit([] {
            for (const char* name : {"FUZZ.ST1", "FUZZ.ST2", "FUZZ.ST3"})
                std::remove(name);
            ::rmdir(folder);
        });
        return true;
    }();
    (void)entered;
}

void WriteFile(const char* name, const std::string& bytes) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    FUZZ_CHECK(out.good());
}

// `count` records of `size` bytes taken from the input, cyclically, from `at` on.
std::string Records(const std::uint8_t* data, std::size_t size, std::size_t& at, std::size_t count,
                    std::size_t recordSize) {
    std::string bytes(count * recordSize, '\0');
    for (char& b : bytes) {
        if (size > 0)
            b = static_cast<char>(data[at++ % size]);
    }
    return bytes;
}

template <typename Record> void CheckRecordRoundTrip(const std::string& bytes) {
    const Record record = Record::decode(bytes.data());
    std::string stored(Record::kSize, 'x');
    record.encode(stored.data());
    std::string again(Record::kSize, 'y');
    Record::decode(stored.data()).encode(again.data());
    FUZZ_CHECK(stored == again);
}

void CheckRecords(const std::string& keys, const std::string& subjects, const std::string& notes,
                  bool hasNotes) {
    for (std::size_t at = 0; at + exo::SubjectKey::kSize <= keys.size();
         at += exo::SubjectKey::kSize) {
        const std::string record = keys.substr(at, exo::SubjectKey::kSize);
        CheckRecordRoundTrip<exo::SubjectKey>(record);
        const auto number = exo::SubjectNumberOf(exo::SubjectKey::decode(record.data()).Key.view());
        FUZZ_CHECK(!number || (*number >= 0 && *number <= 99999));
    }
    for (std::size_t at = 0; at + exo::SubjectRecord::kSize <= subjects.size();
         at += exo::SubjectRecord::kSize) {
        const std::string record = subjects.substr(at, exo::SubjectRecord::kSize);
        CheckRecordRoundTrip<exo::SubjectRecord>(record);
        const exo::SubjectRecord subject = exo::SubjectRecord::decode(record.data());
        std::optional<exo::SubjectNotes> attached;
        if (hasNotes && notes.size() >= exo::SubjectNotes::kSize)
            attached = exo::SubjectNotes::decode(notes.data());
        try {
            const exo::SubjectEntry entry =
                exo::EntryOfRecord(subject, attached ? &*attached : nullptr, keys.substr(0, 44));
            FUZZ_CHECK(entry.CoordinatesText.size() <= 12 && entry.Locality.size() <= 27);
            FUZZ_CHECK(entry.NoteLines[3].size() <= 64 && entry.TextNumber.size() <= 5);
            FUZZ_CHECK(entry.Name.size() <= 38);
            exo::RecordOfEntry(entry);
        } catch (const exo::ConvertError&) {
        }
    }
    for (std::size_t at = 0; at + exo::SubjectNotes::kSize <= notes.size();
         at += exo::SubjectNotes::kSize)
        CheckRecordRoundTrip<exo::SubjectNotes>(notes.substr(at, exo::SubjectNotes::kSize));
}

// Reads every subject the keys name; returns whether all of them read whole.
bool ReadEverySubject(const std::string& typed) {
    const exo::SubjectArchive archive("FUZZ");
    const std::int64_t count = archive.count();
    const exo::SubjectArchive::Found found = archive.findKeyPosition(typed);
    FUZZ_CHECK(count == 0 ? found.Position == 0 : found.Position >= 1 && found.Position <= count);
    bool whole = true;
    for (std::int64_t position = 1; position <= count; ++position) {
        const std::string key = archive.readKey(position).Key.str();
        const auto number = exo::SubjectNumberOf(key);
        if (!number) {
            whole = false;
            continue;
        }
        try {
            const exo::SubjectArchive::Read read = archive.readSubject(*number);
            exo::EntryOfRecord(read.Record, read.Notes ? &*read.Notes : nullptr, key);
        } catch (const exo::InOutError&) {
            whole = false;
        } catch (const exo::ConvertError&) {
            whole = false;
        }
    }
    return whole;
}

void FuzzCsv(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        exo::SubjectsOfCsv(std::string(exo::kSubjectCsvHeader) + "\r\n" + text);
    } catch (const exo::CsvError&) {
    }
    try {
        for (const exo::CsvRecord& record : exo::ParseCsv(text)) {
            for (const std::string& field : record.fields) {
                const auto back = exo::ParseCsv(exo::CsvField(field) + ",x");
                FUZZ_CHECK(back.size() == 1 && back[0].fields.size() == 2 &&
                           back[0].fields[0] == field);
            }
        }
    } catch (const exo::CsvError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4)
        return 0;
    if (data[0] & 1) {
        FuzzCsv(data + 1, size - 1);
        return 0;
    }
    EnterScratchFolder();
    const std::size_t keyCount = data[1] % 6;
    const std::size_t subjectCount = data[2] % 5;
    const std::size_t notesCount = data[3] % 4; // 0: no notes file
    const std::size_t cut = data[0] >> 1 & 3;   // 1-3: that file loses its last byte
    const std::uint8_t* fill = data + 4;
    const std::size_t fillSize = size - 4;
    std::size_t at = 0;
    std::string keys = Records(fill, fillSize, at, keyCount, exo::SubjectKey::kSize);
    std::string subjects = Records(fill, fillSize, at, subjectCount, exo::SubjectRecord::kSize);
    std::string notes = Records(fill, fillSize, at, notesCount, exo::SubjectNotes::kSize);
    std::string* shortened[] = {nullptr, &keys, &subjects, &notes};
    if (cut > 0 && !shortened[cut]->empty())
        shortened[cut]->pop_back();
    const bool hasNotes = notesCount > 0;

    CheckRecords(keys, subjects, notes, hasNotes);
    const std::string_view notesView = notes;
    const std::optional<std::string> fault =
        exo::VerifyArchiveBytes("FUZZ", keys, subjects, hasNotes ? &notesView : nullptr);

    WriteFile("FUZZ.ST1", keys);
    WriteFile("FUZZ.ST2", subjects);
    std::remove("FUZZ.ST3");
    if (hasNotes)
        WriteFile("FUZZ.ST3", notes);
    FUZZ_CHECK(exo::VerifyArchive("FUZZ") == fault);

    const std::string typed(reinterpret_cast<const char*>(data), std::min<std::size_t>(size, 8));
    try {
        const bool whole = ReadEverySubject(typed);
        FUZZ_CHECK(whole || fault);
    } catch (const exo::InOutError&) {
        FUZZ_CHECK(fault); // only a damaged archive cannot be opened
    }
    return 0;
}
