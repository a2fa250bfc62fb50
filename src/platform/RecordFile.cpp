#include "platform/RecordFile.h"

#include "platform/Errors.h"
#include "platform/ProgramPaths.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace exo {

RecordFile::RecordFile(const std::string& name, std::size_t recordSize, Mode mode)
    : path_(ResolveProgramPath(name)), recordSize_(recordSize) {
    if (recordSize_ == 0)
        fail("open", "record size 0");
    int flags = O_RDWR | O_CLOEXEC;
    if (mode == Mode::CreateEmpty)
        flags |= O_CREAT | O_TRUNC;
    else if (mode == Mode::OpenOrCreate)
        flags |= O_CREAT;
    fd_ = ::open(path_.c_str(), flags, 0644);
    if (fd_ < 0 && errno == EACCES && mode == Mode::OpenExisting)
        fd_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC); // installed read-only files
    if (fd_ < 0)
        fail("open", std::strerror(errno));
}

RecordFile::~RecordFile() {
    if (fd_ >= 0)
        ::close(fd_);
}

void RecordFile::fail(const std::string& operation, const std::string& detail) const {
    throw InOutError(path_, operation, detail);
}

std::int64_t RecordFile::count() const {
    struct stat st {};
    if (::fstat(fd_, &st) != 0)
        fail("size", std::strerror(errno));
    const auto size = static_cast<std::uint64_t>(st.st_size);
    if (size % recordSize_ != 0)
        fail("size", "the size " + std::to_string(size) + " is not a multiple of the record size " +
                         std::to_string(recordSize_));
    return static_cast<std::int64_t>(size / recordSize_);
}

void RecordFile::checkRecord(const std::string& record) const {
    if (record.size() != recordSize_)
        fail("write", "a record of " + std::to_string(record.size()) + " bytes instead of " +
                          std::to_string(recordSize_));
}

std::string RecordFile::read(std::int64_t n) const {
    const std::int64_t total = count();
    if (n < 0 || n >= total)
        fail("read", "record " + std::to_string(n) + " of " + std::to_string(total));
    std::string record(recordSize_, '\0');
    std::size_t done = 0;
    const auto offset = static_cast<off_t>(n) * static_cast<off_t>(recordSize_);
    while (done < recordSize_) {
        const ssize_t got = ::pread(fd_, record.data() + done, recordSize_ - done,
                                    offset + static_cast<off_t>(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            fail("read", got < 0 ? std::strerror(errno) : "unexpected end of file");
        done += static_cast<std::size_t>(got);
    }
    return record;
}

void RecordFile::write(std::int64_t n, const std::string& record) {
    checkRecord(record);
    const std::int64_t total = count();
    if (n < 0 || n > total)
        fail("write", "record " + std::to_string(n) + " beyond the end (" + std::to_string(total) +
                          " records)");
    std::size_t done = 0;
    const auto offset = static_cast<off_t>(n) * static_cast<off_t>(recordSize_);
    while (done < recordSize_) {
        const ssize_t put = ::pwrite(fd_, record.data() + done, recordSize_ - done,
                                     offset + static_cast<off_t>(done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            fail("write", put < 0 ? std::strerror(errno) : "nothing written");
        done += static_cast<std::size_t>(put);
    }
}

void RecordFile::append(const std::string& record) {
    write(count(), record);
}

void RecordFile::truncate(std::int64_t newCount) {
    const std::int64_t total = count();
    if (newCount < 0 || newCount > total)
        fail("truncate",
             "to " + std::to_string(newCount) + " of " + std::to_string(total) + " records");
    if (::ftruncate(fd_, static_cast<off_t>(newCount) * static_cast<off_t>(recordSize_)) != 0)
        fail("truncate", std::strerror(errno));
}

void RecordFile::removeAt(std::int64_t n) {
    const std::int64_t total = count();
    if (n < 0 || n >= total)
        fail("delete", "record " + std::to_string(n) + " of " + std::to_string(total));
    for (std::int64_t k = n + 1; k < total; ++k)
        write(k - 1, read(k));
    truncate(total - 1);
}

} // namespace exo
