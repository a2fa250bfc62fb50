// Speed of the subject archive: a store into an archive at its size limit, the name search
// on it, and the CSV export and import of 10 000 subjects. The archives are written directly
// into a temporary program folder once; the correction tables come from the built program
// folder (see BenchSupport.h).
//
//   build/bin/bench-archive
//
// Every benchmark reports the median of its repetitions.
#include "BenchSupport.h"
#include "archive/SubjectArchive.h"
#include "archive/SubjectCsv.h"
#include "astro/Calendar.h"
#include "astro/TextHelpers.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace exo::bench {
namespace {

namespace fs = std::filesystem;

// 99 998 subjects: the store measured is the 99 999th, the last the five-digit record
// numbers allow.
constexpr int kFullArchiveSubjects = 99998;
constexpr int kCsvSubjects = 10000;
constexpr const char* kFullArchive = "GRAN";
constexpr const char* kCsvArchive = "DIEZ";
constexpr const char* kImportArchive = "IMPO";

template <typename Record> std::string BytesOf(const Record& record) {
    std::string bytes(Record::kSize, '\0');
    record.encode(bytes.data());
    return bytes;
}

void WriteBytes(const std::string& name, const std::string& bytes) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + name);
}

std::string ReadBytes(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A name of two or three syllables and a first name, spread over the alphabet.
std::string NameOf(unsigned n) {
    static const char* const kSyllables[] = {"BA", "CO", "DI", "FE", "GA", "LO", "MA",  "NI",
                                             "PE", "RO", "SA", "TI", "VE", "ZA", "BRU", "CHI"};
    static const char* const kFirst[] = {"ANNA",  "BRUNO", "CARLA",  "DARIO",
                                         "ELENA", "FABIO", "GIULIA", "MARIO"};
    unsigned x = n * 2654435761u;
    std::string name;
    for (int s = 0; s < 3; ++s, x >>= 4)
        name += kSyllables[x & 15];
    return name + " " + kFirst[(n >> 3) % 8];
}

// A subject born somewhere in 1850-2020 at a time of day of its own.
SubjectEntry SubjectOf(unsigned n) {
    const int year = 1850 + static_cast<int>(n % 171);
    const int month = 1 + static_cast<int>(n / 7 % 12);
    const int day = 1 + static_cast<int>(n / 3 % 28);
    const int hour = static_cast<int>(n * 7 % 24);
    const int minute = static_cast<int>(n * 13 % 60);
    SubjectEntry entry;
    entry.Name = NameOf(n);
    entry.BirthDateText = PadLeftZeros(day, 2) + "/" + PadLeftZeros(month, 2) + "/" +
                          PadLeftZeros(year, 4) + " " + PadLeftZeros(hour, 2) + ":" +
                          PadLeftZeros(minute, 2);
    entry.Correction = -1;
    entry.CorrectionText = StoredCorrectionText(entry.Correction);
    entry.CoordinatesText = "45N28-009E11";
    entry.Locality = "MILANO*MI*";
    entry.Country = " ITALIA";
    entry.JulianDay = JulianDayOf(1, minute, hour, year, month, day) + entry.Correction / 24;
    if (n % 3 == 0)
        entry.NoteLines[0] = "NOTA " + std::to_string(n);
    return entry;
}

// An archive of `count` subjects written directly: sorted keys, records with codes, notes.
void WriteArchive(const std::string& name, int count) {
    CreateArchive(name);
    std::vector<std::string> keys;
    std::string subjects = ReadBytes(name + ".ST2");
    std::string notes = ReadBytes(name + ".ST3");
    const ChartCodes codes = ComputeChartCodes(SubjectOf(0));
    for (int n = 1; n <= count; ++n) {
        const SubjectEntry entry = SubjectOf(static_cast<unsigned>(n));
        SubjectRecord record = RecordOfEntry(entry);
        record.PlanetCodes = codes.Planets;
        record.CuspCodes = codes.Cusps;
        record.AspectCodes = codes.Aspects;
        if (HasNotes(entry)) {
            record.NotesNumber =
                PadLeftZeros(static_cast<long>(notes.size() / SubjectNotes::kSize), 5);
            notes += BytesOf(NotesOfEntry(entry));
        }
        subjects += BytesOf(record);
        keys.push_back(BytesOf(SubjectKey{ShortString<43>(KeyOf(entry.Name, n))}));
    }
    std::sort(keys.begin(), keys.end(), [](const std::string& a, const std::string& b) {
        return SubjectKey::decode(a.data()).Key.view() < SubjectKey::decode(b.data()).Key.view();
    });
    std::string keyFile = ReadBytes(name + ".ST1");
    for (const std::string& key : keys)
        keyFile += key;
    WriteBytes(name + ".ST1", keyFile);
    WriteBytes(name + ".ST2", subjects);
    WriteBytes(name + ".ST3", notes);
}

// The temporary program folder, made once.
struct Folder {
    fs::path path;
    std::string fullKeys;
    std::uintmax_t fullSubjectsSize = 0;
    std::string csvPath;
};
Folder& Prepared() {
    static Folder folder;
    return folder;
}

void Prepare() {
    const fs::path program = EnterProgramFolder();
    std::string pattern = (fs::temp_directory_path() / "exorvex-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    Folder& folder = Prepared();
    folder.path = pattern;
    fs::create_directory_symlink(program / "FilePosi", folder.path / "FilePosi");
    fs::current_path(folder.path);
    fs::create_directory("FileDum");
    WriteBytes("FileDum/MMordina.dum",
               std::string(kFullArchive) + "\r\n" + kCsvArchive + "\r\n" + kImportArchive + "\r\n");
    CreateArchive("TMPR");
    WriteArchive(kFullArchive, kFullArchiveSubjects);
    folder.fullKeys = ReadBytes(std::string(kFullArchive) + ".ST1");
    folder.fullSubjectsSize = fs::file_size(std::string(kFullArchive) + ".ST2");
    WriteArchive(kCsvArchive, kCsvSubjects);
    folder.csvPath = (folder.path / "subjects.csv").string();
    ExportSubjectsCsv(kCsvArchive, folder.csvPath);
}

void BM_StoreSubjectIntoFullArchive(benchmark::State& state) {
    const Folder& folder = Prepared();
    SubjectEntry entry = SubjectOf(123457);
    entry.Name = "MEDIO ALFABETO";
    for (auto _ : state) {
        const StoredSubject stored = StoreSubject(kFullArchive, entry);
        benchmark::DoNotOptimize(stored.Position);
        state.PauseTiming();
        fs::resize_file(std::string(kFullArchive) + ".ST2", folder.fullSubjectsSize);
        WriteBytes(std::string(kFullArchive) + ".ST1", folder.fullKeys);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StoreSubjectIntoFullArchive)->Unit(benchmark::kMillisecond)->Repetitions(9);

void BM_FindKeyPositionInFullArchive(benchmark::State& state) {
    const SubjectArchive archive(kFullArchive);
    std::vector<std::string> typed;
    for (unsigned n = 0; n < 64; ++n) {
        const std::string name = NameOf(n * 1543 + 1);
        typed.push_back(n % 2 ? name : name.substr(0, 2 + n % 5));
    }
    std::size_t next = 0;
    for (auto _ : state) {
        const SubjectArchive::Found found = archive.findKeyPosition(typed[next]);
        next = (next + 1) % typed.size();
        benchmark::DoNotOptimize(found.Position);
    }
}
BENCHMARK(BM_FindKeyPositionInFullArchive)->Unit(benchmark::kMicrosecond)->Repetitions(9);

void BM_ExportTenThousandSubjects(benchmark::State& state) {
    const std::string csv = (Prepared().path / "export.csv").string();
    for (auto _ : state)
        benchmark::DoNotOptimize(ExportSubjectsCsv(kCsvArchive, csv));
}
BENCHMARK(BM_ExportTenThousandSubjects)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Repetitions(5);

void BM_ImportTenThousandSubjects(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        for (const char* extension : {".ST1", ".ST2", ".ST3"})
            fs::remove(std::string(kImportArchive) + extension);
        CreateArchive(kImportArchive);
        state.ResumeTiming();
        benchmark::DoNotOptimize(ImportSubjectsCsv(kImportArchive, Prepared().csvPath).Count);
    }
}
BENCHMARK(BM_ImportTenThousandSubjects)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5);

} // namespace
} // namespace exo::bench

int main(int argc, char** argv) {
    if (!exo::bench::InitializeWithMedians(argc, argv))
        return 2;
    try {
        exo::bench::Prepare();
        std::fprintf(stderr, "Archives in %s\n", exo::bench::Prepared().path.c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench-archive: %s\n", error.what());
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::current_path("/", ignored);
    std::filesystem::remove_all(exo::bench::Prepared().path, ignored);
    return 0;
}
