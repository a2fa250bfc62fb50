#include "archive/BirthZone.h"

#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/NumberText.h"
#include "platform/ProgramPaths.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace exo {

namespace {

// Start days beyond this are no dates the calendar helpers can write.
constexpr long double kLargestStartDay = 1e8L;
// No clock in the world is a day away from universal time.
constexpr double kLargestOffset = 24;

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

[[noreturn]] void DamagedZone(const std::string& file, const std::string& zoneName,
                              const std::string& detail) {
    throw InOutError(Utf8FromCp1252(file), "read",
                     "zone " + Utf8FromCp1252(zoneName) + ": " + detail);
}

// An open descriptor, closed however the reading ends.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

  private:
    int fd_;
};

[[noreturn]] void FileFailure(const std::string& path, const std::string& operation,
                              const std::string& detail) {
    throw InOutError(path, operation, detail);
}

// The zone's records of a period file from record `first` up to, not including, a "****"
// record or the end of the file, read in blocks. A size that is no whole number of records
// marks a damaged file.
std::string ReadZoneRun(const std::string& name, std::int64_t first) {
    constexpr std::size_t kSize = ZonePeriodRecord::kSize;
    constexpr std::size_t kBlock = 256 * kSize;
    const std::string path = ResolveProgramPath(name);
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0)
        FileFailure(path, "open", std::strerror(errno));
    struct stat st {};
    if (::fstat(file.get(), &st) != 0)
        FileFailure(path, "size", std::strerror(errno));
    const auto size = static_cast<std::uint64_t>(st.st_size);
    if (size % kSize != 0)
        FileFailure(path, "size",
                    "the size " + std::to_string(size) + " is not a multiple of the record size " +
                        std::to_string(kSize));
    std::string run;
    std::string block(kBlock, '\0');
    for (std::uint64_t at = static_cast<std::uint64_t>(first) * kSize; at < size;) {
        const std::size_t want =
            static_cast<std::size_t>(std::min<std::uint64_t>(kBlock, size - at));
        const ssize_t got = ::pread(file.get(), block.data(), want, static_cast<off_t>(at));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            FileFailure(path, "read", got < 0 ? std::strerror(errno) : "unexpected end of file");
        const std::size_t whole = static_cast<std::size_t>(got) / kSize * kSize;
        if (whole == 0)
            FileFailure(path, "read", "a record cut short");
        for (std::size_t r = 0; r < whole; r += kSize) {
            if (ZonePeriodRecord::decode(block.data() + r).Type == "****")
                return run;
            run.append(block, r, kSize);
        }
        at += whole;
    }
    return run;
}

// Creates the file anew with exactly these bytes.
void WriteWholeFile(const std::string& name, const std::string& bytes) {
    const std::string path = ResolveProgramPath(name);
    Descriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (file.get() < 0)
        FileFailure(path, "open", std::strerror(errno));
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t put = ::write(file.get(), bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            FileFailure(path, "write", put < 0 ? std::strerror(errno) : "nothing written");
        done += static_cast<std::size_t>(put);
    }
    if (::close(file.release()) != 0)
        FileFailure(path, "write", std::strerror(errno));
}

} // namespace

std::int64_t ZoneStartRecord(const std::string& zoneName) {
    const std::vector<std::string> lines = ReadTextLines(kZoneIndexName);
    for (const std::string& line : lines) {
        if (line.size() < 12 || line.compare(0, 12, zoneName) != 0)
            continue;
        std::int32_t start = -1;
        if (line.size() < 15 || !ParseInteger(Trimmed(line.substr(14, 6)), start) || start < 0)
            DamagedZone(kZoneIndexName, zoneName,
                        "the index line gives no record number: \"" + Utf8FromCp1252(line) + "\"");
        return start;
    }
    DamagedZone(kZoneIndexName, zoneName, "the zone is not listed in the index");
}

std::string ZoneSourceName(LocalitySource source, const std::string& zoneName) {
    return source == LocalitySource::Italian ? "Calendar\\" + zoneName : kZoneDatabaseName;
}

std::string ContinuationZoneName(const ZonePeriodRecord& record, const std::string& file) {
    const long double number = std::nearbyint(record.StartValue);
    if (!std::isfinite(number) || number < 0 || number > 99999999)
        throw InOutError(Utf8FromCp1252(file), "read",
                         "a \"RICH\" record names no zone (start value " +
                             GeneralText(record.StartValue, '.') + ")");
    std::string digits = std::to_string(static_cast<std::int64_t>(number));
    digits.insert(0, 8 - digits.size(), '0');
    return digits + ".CAL";
}

ZoneWorkingCopy::ZoneWorkingCopy(LocalitySource source, const std::string& zoneName)
    : zoneName_(zoneName), sourceName_(ZoneSourceName(source, zoneName)) {
    const std::int64_t first = source == LocalitySource::Italian ? 0 : ZoneStartRecord(zoneName);
    records_ = ReadZoneRun(sourceName_, first);
    try {
        WriteWholeFile(zoneName_, records_);
    } catch (...) {
        remove();
        throw;
    }
}

ZoneWorkingCopy::~ZoneWorkingCopy() {
    remove();
}

void ZoneWorkingCopy::remove() noexcept {
    try {
        DeleteFile(zoneName_);
    } catch (...) {
        // A copy left behind is replaced by the next computation of the zone.
    }
}

std::int64_t ZoneWorkingCopy::count() const {
    return static_cast<std::int64_t>(records_.size() / ZonePeriodRecord::kSize);
}

ZonePeriodRecord ZoneWorkingCopy::read(std::int64_t n) const {
    if (n < 0 || n >= count())
        throw InOutError(ResolveProgramPath(zoneName_), "read",
                         "record " + std::to_string(n) + " of " + std::to_string(count()));
    const ZonePeriodRecord record = ZonePeriodRecord::decode(
        records_.data() + static_cast<std::size_t>(n) * ZonePeriodRecord::kSize);
    const std::string where = "record " + std::to_string(n) + " of the zone";
    if (!std::isfinite(record.StartValue) || std::fabs(record.startDay()) > kLargestStartDay)
        DamagedZone(sourceName_, zoneName_, where + " has no usable start value");
    const bool period = !(record.Type == "GREG") && !(record.Type == "RICH");
    if (period && !(std::fabs(record.Offset) <= kLargestOffset)) // also NaN
        DamagedZone(sourceName_, zoneName_, where + " has no usable offset");
    return record;
}

} // namespace exo
