#include "astro/CorrectionFiles.h"

#include "platform/Errors.h"
#include "platform/ProgramPaths.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <stdexcept>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace exo {

namespace {

constexpr const char* kMoonFile = "FilePosi\\DSEL.rnd";
constexpr const char* kPlanetFile = "FilePosi\\DPR1.rnd";
constexpr const char* kApogeeFile = "FilePosi\\NOJLNE.rnd";

// Results above this many units wrap back by it.
constexpr long double kWrapLimit = 21600.0L;

// A read-only mapping of one table, valid while the file on disk is the same file.
class MappedTable {
  public:
    MappedTable(const std::string& path, const struct stat& info) : path_(path), info_(info) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            throw InOutError(path, "abrir", std::strerror(errno));
        size_ = static_cast<std::size_t>(info.st_size);
        if (size_ > 0) {
            void* data = ::mmap(nullptr, size_, PROT_READ, MAP_SHARED, fd, 0);
            const int mapError = errno;
            ::close(fd);
            if (data == MAP_FAILED)
                throw InOutError(path, "leer", std::strerror(mapError));
            data_ = static_cast<const unsigned char*>(data);
        } else {
            ::close(fd);
        }
    }
    ~MappedTable() {
        if (data_)
            ::munmap(const_cast<unsigned char*>(data_), size_);
    }
    MappedTable(const MappedTable&) = delete;
    MappedTable& operator=(const MappedTable&) = delete;

    bool sameFile(const struct stat& info) const {
        return info.st_dev == info_.st_dev && info.st_ino == info_.st_ino &&
               info.st_size == info_.st_size && info.st_mtim.tv_sec == info_.st_mtim.tv_sec &&
               info.st_mtim.tv_nsec == info_.st_mtim.tv_nsec;
    }

    // The bytes of record n, or an input/output error when the file is too short.
    const unsigned char* record(std::int64_t n, std::size_t recordSize) const {
        const auto offset = static_cast<std::uint64_t>(n) * recordSize;
        if (n < 0 || offset + recordSize > size_)
            throw InOutError(path_, "leer", "registro " + std::to_string(n) + " fuera del archivo");
        return data_ + offset;
    }

  private:
    std::string path_;
    struct stat info_ {};
    const unsigned char* data_ = nullptr;
    std::size_t size_ = 0;
};

std::map<std::string, std::unique_ptr<MappedTable>>& Tables() {
    static std::map<std::string, std::unique_ptr<MappedTable>> tables;
    return tables;
}

// Inside a computation each table is checked against the disk once; the scope number
// tells which computation the last check belonged to (0: none is running).
std::uint64_t gActiveScope = 0;
std::uint64_t gLastScope = 0;
struct Checked {
    std::uint64_t scope = 0;
    const MappedTable* table = nullptr;
};
std::map<std::string, Checked>& CheckedNames() {
    static std::map<std::string, Checked> names;
    return names;
}

const MappedTable& CheckedTableOf(const std::string& name);

// The table named `name`, mapped again when the file changed since the last lookup.
const MappedTable& TableOf(const std::string& name) {
    if (gActiveScope == 0)
        return CheckedTableOf(name);
    Checked& checked = CheckedNames()[name];
    if (checked.scope != gActiveScope || !checked.table) {
        checked.table = nullptr;
        checked.table = &CheckedTableOf(name);
        checked.scope = gActiveScope;
    }
    return *checked.table;
}

const MappedTable& CheckedTableOf(const std::string& name) {
    std::string path = name;
    for (char& c : path)
        if (c == '\\')
            c = '/';
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        path = ResolveProgramPath(name);
        if (::stat(path.c_str(), &info) != 0) {
            Tables().erase(path);
            throw InOutError(path, "abrir", std::strerror(errno));
        }
    }
    if (!S_ISREG(info.st_mode))
        throw InOutError(path, "abrir", "no es un archivo");
    auto& slot = Tables()[path];
    if (!slot || !slot->sameFile(info))
        slot = std::make_unique<MappedTable>(path, info);
    return *slot;
}

std::int16_t Int16At(const unsigned char* p) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}
std::int32_t Int32At(const unsigned char* p) {
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
        (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24));
}

// Byte offset and width of DPR1 fields 1 … 17.
struct FieldPlace {
    int offset;
    int width;
};
constexpr FieldPlace kFieldPlaces[kPlanetFields + 1] = {
    {0, 0},  {6, 1},  {7, 1},  {8, 1},  {9, 1},  {10, 1}, {11, 1}, {12, 1}, {14, 2},
    {16, 1}, {17, 1}, {18, 1}, {19, 1}, {20, 1}, {21, 1}, {22, 1}, {23, 1}, {24, 2},
};

int FieldValue(const unsigned char* record, int field) {
    const FieldPlace place = kFieldPlaces[field];
    const unsigned char* p = record + place.offset;
    return place.width == 2 ? Int16At(p) : static_cast<signed char>(p[0]);
}

long double Wrapped(long double value) {
    return value > kWrapLimit ? value - kWrapLimit : value;
}

// Daily tables: record n belongs to start + n.
std::int64_t DailyRecordOf(long double jd, long double start) {
    return static_cast<std::int64_t>(std::nearbyint(jd - start - 0.5L));
}

class FolderCorrections final : public CorrectionSource {
  public:
    long double moon(long double jd) const override { return ReadMoonCorrection(jd); }
    long double planet(int field, long double jd) const override {
        return ReadPlanetCorrection(field, jd);
    }
    long double apogee(long double jd) const override { return ReadApogeeCorrection(jd); }
};

class ZeroCorrections final : public CorrectionSource {
  public:
    long double moon(long double) const override { return 0; }
    long double planet(int, long double) const override { return 0; }
    long double apogee(long double) const override { return 0; }
};

} // namespace

std::int64_t MoonRecordOf(long double jd) {
    return DailyRecordOf(jd, kMoonTableStart);
}
std::int64_t ApogeeRecordOf(long double jd) {
    return DailyRecordOf(jd, kApogeeTableStart);
}
std::int64_t PlanetRecordOf(long double jd) {
    return static_cast<std::int64_t>(std::trunc(jd - (kPlanetTableStart - 0.5L) - 0.5L)) /
           kPlanetRecordDays;
}

long double DecodeReal48(const unsigned char* b) {
    if (b[0] == 0)
        return 0;
    std::uint64_t mantissa = 0;
    for (int i = 4; i >= 1; --i)
        mantissa = (mantissa << 8) | b[i];
    mantissa |= static_cast<std::uint64_t>(b[5] & 0x7F) << 32;
    const long double magnitude =
        std::ldexp(1.0L + std::ldexp(static_cast<long double>(mantissa), -39), b[0] - 129);
    return (b[5] & 0x80) ? -magnitude : magnitude;
}

std::array<unsigned char, 6> EncodeReal48(long double value) {
    std::array<unsigned char, 6> bytes{};
    if (value == 0)
        return bytes;
    if (!std::isfinite(value))
        throw std::range_error("6-byte real: value is not finite");
    int exponent = 0;
    const long double fraction = std::frexp(std::fabs(value), &exponent); // [0.5, 1)
    auto mantissa = static_cast<std::uint64_t>(std::nearbyint(std::ldexp(2 * fraction - 1, 39)));
    int biased = exponent - 1 + 129;
    if (mantissa >> 39) { // rounded up to the next power of two
        mantissa = 0;
        ++biased;
    }
    if (biased < 1 || biased > 255)
        throw std::range_error("6-byte real: value out of range");
    bytes[0] = static_cast<unsigned char>(biased);
    for (int i = 1; i <= 4; ++i)
        bytes[i] = static_cast<unsigned char>(mantissa >> (8 * (i - 1)));
    bytes[5] = static_cast<unsigned char>((mantissa >> 32) & 0x7F);
    if (value < 0)
        bytes[5] |= 0x80;
    return bytes;
}

std::string EncodePlanetRecord(const PlanetRecord& record) {
    std::string bytes(kPlanetRecordSize, '\0');
    const auto real = EncodeReal48(record.julianDay);
    std::memcpy(bytes.data(), real.data(), real.size());
    for (int field = 1; field <= kPlanetFields; ++field) {
        const FieldPlace place = kFieldPlaces[field];
        if (place.width == 2) {
            const int value = std::clamp(record.field[field], -32768, 32767);
            const auto u = static_cast<std::uint16_t>(static_cast<std::int16_t>(value));
            bytes[place.offset] = static_cast<char>(u & 0xFF);
            bytes[place.offset + 1] = static_cast<char>(u >> 8);
        } else {
            const int value = std::clamp(record.field[field], -128, 127);
            bytes[place.offset] = static_cast<char>(static_cast<signed char>(value));
        }
    }
    return bytes;
}

PlanetRecord DecodePlanetRecord(const char* bytes) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    PlanetRecord record;
    record.julianDay = DecodeReal48(b);
    for (int field = 1; field <= kPlanetFields; ++field)
        record.field[field] = FieldValue(b, field);
    return record;
}

namespace {
// A daily table: records n and n + 1 around jd, the first belonging to start + n.
template <typename ValueAt>
long double InterpolateDaily(const char* file, long double start, std::size_t recordSize,
                             ValueAt valueAt, long double jd) {
    const MappedTable& table = TableOf(file);
    const std::int64_t n = DailyRecordOf(jd, start);
    const long double v0 = valueAt(table.record(n, recordSize));
    const long double v1 = valueAt(table.record(n + 1, recordSize));
    const long double t0 = static_cast<long double>(n) + start;
    return v0 + (jd - t0) * (v1 - v0);
}
} // namespace

long double ReadMoonCorrection(long double jd) {
    return Wrapped(InterpolateDaily(kMoonFile, kMoonTableStart, 2, Int16At, jd));
}

long double ReadApogeeCorrection(long double jd) {
    return InterpolateDaily(kApogeeFile, kApogeeTableStart, 4, Int32At, jd);
}

long double ReadPlanetCorrection(int field, long double jd) {
    if (field < 1 || field > kPlanetFields)
        throw std::out_of_range("planet correction field " + std::to_string(field));
    const MappedTable& table = TableOf(kPlanetFile);
    const std::int64_t n = PlanetRecordOf(jd);
    const unsigned char* first = table.record(n, kPlanetRecordSize);
    const unsigned char* second = table.record(n + 1, kPlanetRecordSize);
    const long double v0 = FieldValue(first, field);
    const long double v1 = FieldValue(second, field);
    const long double t = DecodeReal48(first);
    return Wrapped(v0 + (jd - t) * (v1 - v0) / kPlanetRecordDays);
}

const CorrectionSource& ProgramFolderCorrections() {
    static const FolderCorrections source;
    return source;
}

const CorrectionSource& NoCorrections() {
    static const ZeroCorrections source;
    return source;
}

void ForgetCorrectionFiles() {
    CheckedNames().clear();
    Tables().clear();
}

CorrectionFileScope::CorrectionFileScope() : outer_(gActiveScope) {
    if (gActiveScope == 0)
        gActiveScope = ++gLastScope;
}

CorrectionFileScope::~CorrectionFileScope() {
    gActiveScope = outer_;
}

} // namespace exo
