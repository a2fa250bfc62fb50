// Record files of any content: the first input byte is the record size, the rest the file.
// A file that is not a whole number of records, or a record outside the file, raises
// InOutError and nothing else; every record reads as the bytes at its place, and moving
// records down keeps the others whole.
#include "FuzzCheck.h"
#include "platform/Errors.h"
#include "platform/RecordFile.h"
#include "platform/ShortString.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

const std::string& ScratchFile() {
    static const std::string path = [] {
        static char folder[] = "/tmp/exorvex-fuzz-XXXXXX";
        FUZZ_CHECK(::mkdtemp(folder) != nullptr);
        std::atexit([] {
            std::remove((std::string(folder) + "/records.rnd").c_str());
            ::rmdir(folder);
        });
        return std::string(folder) + "/records.rnd";
    }();
    return path;
}

void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    FUZZ_CHECK(out.good());
}

// A record seen as the stored form of a string as long as it allows.
template <std::size_t N> void CheckShortString(const std::string& record) {
    if (record.size() != N + 1)
        return;
    const auto s = exo::ShortString<N>::readFrom(record.data());
    FUZZ_CHECK(s.size() <= N && s.view() == record.substr(1, s.size()));
    std::string stored(N + 1, 'x');
    s.writeTo(stored.data());
    FUZZ_CHECK(exo::ShortString<N>::readFrom(stored.data()) == s);
    FUZZ_CHECK(stored.find_first_not_of('\0', 1 + s.size()) == std::string::npos);
}

void ReadRecords(const std::string& content, std::size_t recordSize) {
    exo::RecordFile file(ScratchFile(), recordSize);
    const std::int64_t count = file.count();
    FUZZ_CHECK(content.size() % recordSize == 0);
    FUZZ_CHECK(static_cast<std::size_t>(count) * recordSize == content.size());
    for (std::int64_t n = 0; n < count; ++n) {
        const std::string record = file.read(n);
        FUZZ_CHECK(record == content.substr(static_cast<std::size_t>(n) * recordSize, recordSize));
        CheckShortString<1>(record);
        CheckShortString<15>(record);
        CheckShortString<39>(record);
        CheckShortString<80>(record);
        CheckShortString<255>(record);
    }
    for (std::int64_t outside : {std::int64_t{-1}, count}) {
        try {
            file.read(outside);
            FUZZ_CHECK(false);
        } catch (const exo::InOutError&) {
        }
    }
    if (count == 0)
        return;
    // Remove one record chosen by the content, then cut the last one off.
    const auto gone = static_cast<std::int64_t>(static_cast<unsigned char>(content[0])) % count;
    file.removeAt(gone);
    std::string expected = content;
    expected.erase(static_cast<std::size_t>(gone) * recordSize, recordSize);
    FUZZ_CHECK(file.count() == count - 1);
    for (std::int64_t n = 0; n < count - 1; ++n)
        FUZZ_CHECK(file.read(n) ==
                   expected.substr(static_cast<std::size_t>(n) * recordSize, recordSize));
    if (count > 1) {
        file.truncate(count - 2);
        FUZZ_CHECK(file.count() == count - 2);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const std::size_t recordSize = data[0];
    const std::string content(reinterpret_cast<const char*>(data + 1), size - 1);
    WriteFile(ScratchFile(), content);
    try {
        ReadRecords(content, recordSize);
    } catch (const exo::InOutError&) {
        // Only a record size of 0 or a file that is not whole records may be refused.
        FUZZ_CHECK(recordSize == 0 || content.size() % recordSize != 0);
    }
    return 0;
}
