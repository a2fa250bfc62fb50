#pragma once
// Files of fixed-size records with no header: record n starts at n × record size and the
// record count is the file size divided by the record size. Every operation is checked and
// a failure raises InOutError naming the file and the operation; a file whose size is not a
// whole number of records is damaged and never read.
#include <cstddef>
#include <cstdint>
#include <string>

namespace exo {

class RecordFile {
  public:
    enum class Mode {
        OpenExisting, // the file must exist
        CreateEmpty,  // a new empty file, replacing one that exists
        OpenOrCreate, // open when present, else create empty
    };

    // `name` is a program-folder name (backslashes allowed), resolved as the path helper does.
    RecordFile(const std::string& name, std::size_t recordSize, Mode mode = Mode::OpenExisting);
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    std::size_t recordSize() const { return recordSize_; }
    const std::string& path() const { return path_; }

    std::int64_t count() const;
    // Record n (0-based) as recordSize bytes.
    std::string read(std::int64_t n) const;
    // Writes record n; n may equal count() to append.
    void write(std::int64_t n, const std::string& record);
    void append(const std::string& record);
    // Keeps records 0 … count−1.
    void truncate(std::int64_t count);
    // Removes record n, moving every later record down by one.
    void removeAt(std::int64_t n);

  private:
    [[noreturn]] void fail(const std::string& operation, const std::string& detail = {}) const;
    void checkRecord(const std::string& record) const;
    void seek(std::int64_t n, const std::string& operation) const;

    std::string path_;
    std::size_t recordSize_;
    int fd_ = -1;
};

// A record file of one record type. T has `static constexpr std::size_t kSize`,
// `void encode(char*) const` and `static T decode(const char*)`.
template <typename T> class TypedRecordFile {
  public:
    explicit TypedRecordFile(const std::string& name,
                             RecordFile::Mode mode = RecordFile::Mode::OpenExisting)
        : file_(name, T::kSize, mode) {}
    std::int64_t count() const { return file_.count(); }
    T read(std::int64_t n) const { return T::decode(file_.read(n).data()); }
    void write(std::int64_t n, const T& value) { file_.write(n, bytesOf(value)); }
    void append(const T& value) { file_.append(bytesOf(value)); }
    void truncate(std::int64_t count) { file_.truncate(count); }
    void removeAt(std::int64_t n) { file_.removeAt(n); }

  private:
    static std::string bytesOf(const T& value) {
        std::string bytes(T::kSize, '\0');
        value.encode(bytes.data());
        return bytes;
    }
    RecordFile file_;
};

} // namespace exo
