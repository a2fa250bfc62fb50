#include "archive/SubjectFiles.h"

#include "archive/SubjectArchive.h"

#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/ProgramPaths.h"
#include "platform/TextFile.h"

#include <QString>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <numeric>
#include <sys/stat.h>
#include <unistd.h>

namespace exo::subject_files {

std::string KeyFileName(const std::string& archive) {
    return archive + ".ST1";
}
std::string SubjectFileName(const std::string& archive) {
    return archive + ".ST2";
}
std::string NotesFileName(const std::string& archive) {
    return archive + ".ST3";
}

void CheckArchiveName(const std::string& archive) {
    if (!IsArchiveName(archive))
        throw InOutError(Utf8FromCp1252(archive), "open",
                         "un archivo de sujetos se llama con cuatro letras, como BASE");
}

std::string ReadWholeFile(const std::string& name) {
    const std::string path = ResolveProgramPath(name);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw InOutError(path, "open", std::strerror(errno));
    std::string bytes;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && info.st_size > 0)
        bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            throw InOutError(path, "read", std::strerror(error));
        }
        if (got == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return bytes;
}

void ReplaceFile(const std::string& name, std::string_view bytes) {
    ReplaceFileBytes(ResolveProgramPath(name), bytes, "rewrite");
}

std::string_view KeyText(std::string_view record) {
    const std::size_t length =
        std::min<std::size_t>(static_cast<unsigned char>(record[0]), SubjectKey::kSize - 1);
    return record.substr(1, length);
}

std::string KeyRecordOf(std::string_view key) {
    std::string record(SubjectKey::kSize, '\0');
    SubjectKey{key}.encode(record.data());
    return record;
}

KeyRecords KeyRecords::Load(const std::string& fileName) {
    KeyRecords keys;
    keys.bytes_ = ReadWholeFile(fileName);
    const std::string path = ResolveProgramPath(fileName);
    if (keys.bytes_.size() % kSize != 0)
        throw InOutError(path, "size",
                         "el tamaño " + std::to_string(keys.bytes_.size()) +
                             " no es un número entero de claves de 44 bytes");
    if (keys.bytes_.empty())
        throw InOutError(path, "read", "falta el registro 0");
    return keys;
}

std::string_view KeyRecords::record(std::int64_t n) const {
    return std::string_view(bytes_).substr(static_cast<std::size_t>(n) * kSize, kSize);
}

bool KeyRecords::ascending() const {
    for (std::int64_t n = 2; n < size(); ++n) {
        if (CompareBytes(key(n - 1), key(n)) >= 0)
            return false;
    }
    return true;
}

void KeyRecords::set(std::int64_t n, std::string_view record) {
    std::copy_n(record.data(), kSize, bytes_.begin() + static_cast<std::ptrdiff_t>(n * kSize));
}

void KeyRecords::erase(std::int64_t n) {
    bytes_.erase(static_cast<std::size_t>(n) * kSize, kSize);
}

void KeyRecords::swap(std::int64_t a, std::int64_t b) {
    std::swap_ranges(bytes_.begin() + static_cast<std::ptrdiff_t>(a * kSize),
                     bytes_.begin() + static_cast<std::ptrdiff_t>((a + 1) * kSize),
                     bytes_.begin() + static_cast<std::ptrdiff_t>(b * kSize));
}

std::int64_t KeyRecords::appendAndInsert(std::string_view keyRecord) {
    bytes_.append(keyRecord.substr(0, kSize));
    std::int64_t position = size() - 1;
    // The whole pass runs, as the record-by-record procedure does, so a file that was out of
    // order before ends exactly as that procedure leaves it.
    for (std::int64_t o = size() - 1; o >= 2; --o) {
        if (CompareBytes(key(o), key(o - 1)) <= 0) {
            swap(o, o - 1);
            if (position == o)
                position = o - 1;
            else if (position == o - 1)
                position = o;
        }
    }
    return position;
}

std::vector<std::int64_t>
KeyRecords::appendAndInsertAll(const std::vector<std::string>& keyRecords) {
    const auto count = static_cast<std::int64_t>(keyRecords.size());
    std::vector<std::int64_t> order(keyRecords.size());
    std::iota(order.begin(), order.end(), 0);
    const auto newKey = [&](std::int64_t i) {
        return KeyText(std::string_view(keyRecords[static_cast<std::size_t>(i)]));
    };
    std::stable_sort(order.begin(), order.end(), [&](std::int64_t a, std::int64_t b) {
        return CompareBytes(newKey(a), newKey(b)) < 0;
    });
    bool distinct = ascending();
    for (std::size_t i = 1; distinct && i < order.size(); ++i)
        distinct = CompareBytes(newKey(order[i - 1]), newKey(order[i])) != 0;

    // A strictly ascending file and keys that equal no other: each pass only carries its
    // key down to its place, so a merge gives the same records.
    std::vector<std::int64_t> finalPosition(keyRecords.size());
    if (distinct) {
        std::string merged;
        merged.reserve(bytes_.size() + keyRecords.size() * kSize);
        merged.append(bytes_, 0, kSize);
        std::int64_t old = 1;
        std::int64_t position = 1;
        for (const std::int64_t i : order) {
            while (old < size() && CompareBytes(key(old), newKey(i)) < 0) {
                merged.append(record(old));
                ++old;
                ++position;
            }
            if (old < size() && CompareBytes(key(old), newKey(i)) == 0) {
                distinct = false;
                break;
            }
            merged.append(
                std::string_view(keyRecords[static_cast<std::size_t>(i)]).substr(0, kSize));
            finalPosition[static_cast<std::size_t>(i)] = position++;
        }
        if (distinct) {
            merged.append(std::string_view(bytes_).substr(static_cast<std::size_t>(old) * kSize));
            bytes_ = std::move(merged);
            return finalPosition;
        }
    }

    // Otherwise the passes themselves, one per key, each new key followed as it moves.
    std::vector<std::int64_t> owner(static_cast<std::size_t>(size()), -1);
    for (std::int64_t i = 0; i < count; ++i) {
        bytes_.append(std::string_view(keyRecords[static_cast<std::size_t>(i)]).substr(0, kSize));
        owner.push_back(i);
        for (std::int64_t o = size() - 1; o >= 2; --o) {
            if (CompareBytes(key(o), key(o - 1)) <= 0) {
                swap(o, o - 1);
                std::swap(owner[static_cast<std::size_t>(o)],
                          owner[static_cast<std::size_t>(o - 1)]);
            }
        }
    }
    for (std::int64_t n = 0; n < size(); ++n) {
        if (const std::int64_t i = owner[static_cast<std::size_t>(n)]; i >= 0)
            finalPosition[static_cast<std::size_t>(i)] = n;
    }
    return finalPosition;
}

std::int64_t KeyRecords::reposition(std::int64_t position, std::string_view keyRecord,
                                    std::string_view oldName) {
    const std::string moving(keyRecord.substr(0, kSize));
    const std::string_view text = KeyText(moving);
    if (CompareBytes(text, oldName) < 0) {
        while (position > 1 && CompareBytes(text, key(position - 1)) < 0) {
            set(position, record(position - 1));
            --position;
        }
    } else {
        while (position + 1 < size() && CompareBytes(text, key(position + 1)) > 0) {
            set(position, record(position + 1));
            ++position;
        }
    }
    set(position, moving);
    return position;
}

} // namespace exo::subject_files
