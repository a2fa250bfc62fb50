#include "platform/RecordFile.h"
#include "platform/Errors.h"
#include "platform/ShortString.h"

#include "TestFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace exo {
namespace {

using test::ScratchFolder;

// Expects an InOutError for this operation, naming a file whose path ends with `file`.
void ExpectInOutError(const std::function<void()>& action, const std::string& operation,
                      const std::string& file) {
    try {
        action();
        ADD_FAILURE() << "no InOutError for " << operation;
    } catch (const InOutError& error) {
        EXPECT_EQ(error.operation(), operation);
        EXPECT_TRUE(error.fileName().ends_with(file)) << error.fileName();
        const std::string message = error.what();
        EXPECT_NE(message.find(error.fileName()), std::string::npos) << message;
        EXPECT_NE(message.find("no se puede"), std::string::npos) << message;
    }
}

std::vector<std::string> AllRecords(const RecordFile& file) {
    std::vector<std::string> records;
    for (std::int64_t n = 0; n < file.count(); ++n)
        records.push_back(file.read(n));
    return records;
}

using Records = std::vector<std::string>;

TEST(RecordFile, CreateEmptyGivesNoRecords) {
    ScratchFolder folder;
    RecordFile file("data.dat", 4, RecordFile::Mode::CreateEmpty);
    EXPECT_EQ(file.count(), 0);
    EXPECT_EQ(file.recordSize(), 4u);
    EXPECT_EQ(folder.read("data.dat"), "");
}

TEST(RecordFile, CreateEmptyReplacesAnExistingFile) {
    ScratchFolder folder;
    folder.write("data.dat", "abcdefgh");
    RecordFile file("data.dat", 4, RecordFile::Mode::CreateEmpty);
    EXPECT_EQ(file.count(), 0);
}

TEST(RecordFile, RecordsLieOneAfterTheOtherWithNoHeader) {
    ScratchFolder folder;
    {
        RecordFile file("data.dat", 3, RecordFile::Mode::CreateEmpty);
        file.append("abc");
        file.append("def");
        file.write(2, "ghi");
        EXPECT_EQ(file.count(), 3);
    }
    EXPECT_EQ(folder.read("data.dat"), "abcdefghi");
}

TEST(RecordFile, ReadsRecordNAtNTimesTheRecordSize) {
    ScratchFolder folder;
    folder.write("data.dat", std::string("ab\0\xFF"
                                         "cdefgh",
                                         10));
    RecordFile file("data.dat", 2);
    EXPECT_EQ(file.count(), 5);
    EXPECT_EQ(file.read(0), "ab");
    EXPECT_EQ(file.read(1), std::string("\0\xFF", 2));
    EXPECT_EQ(file.read(4), "gh");
}

TEST(RecordFile, WriteReplacesOneRecordInPlace) {
    ScratchFolder folder;
    folder.write("data.dat", "aabbcc");
    RecordFile file("data.dat", 2);
    file.write(1, "XY");
    EXPECT_EQ(file.count(), 3);
    EXPECT_EQ(AllRecords(file), (Records{"aa", "XY", "cc"}));
    EXPECT_EQ(folder.read("data.dat"), "aaXYcc");
}

TEST(RecordFile, OpenOrCreateKeepsAnExistingFileAndCreatesAMissingOne) {
    ScratchFolder folder;
    folder.write("old.dat", "aabb");
    RecordFile old("old.dat", 2, RecordFile::Mode::OpenOrCreate);
    EXPECT_EQ(old.count(), 2);
    RecordFile created("new.dat", 2, RecordFile::Mode::OpenOrCreate);
    EXPECT_EQ(created.count(), 0);
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "new.dat"));
}

TEST(RecordFile, OpensANameWrittenInAnotherCaseWithBackslashes) {
    ScratchFolder folder;
    folder.write("FileSet/DbMain.Rnd", "1234");
    RecordFile file("FILESET\\dbmain.rnd", 2);
    EXPECT_EQ(file.count(), 2);
    EXPECT_EQ(file.read(1), "34");
    EXPECT_TRUE(file.path().ends_with("FileSet/DbMain.Rnd")) << file.path();
}

TEST(RecordFile, OpeningAMissingFileRaises) {
    ScratchFolder folder;
    ExpectInOutError([] { RecordFile file("missing.dat", 4); }, "open", "missing.dat");
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "missing.dat"));
}

TEST(RecordFile, CreatingInAMissingFolderRaises) {
    ScratchFolder folder;
    ExpectInOutError([] { RecordFile file("nowhere/new.dat", 4, RecordFile::Mode::CreateEmpty); },
                     "open", "nowhere/new.dat");
}

TEST(RecordFile, OpeningAFolderRaises) {
    ScratchFolder folder;
    std::filesystem::create_directories(folder.path() / "FileSet");
    ExpectInOutError([] { RecordFile file("fileset", 2); }, "open", "FileSet");
    ExpectInOutError([] { RecordFile file("FileSet", 2, RecordFile::Mode::OpenOrCreate); }, "open",
                     "FileSet");
}

TEST(RecordFile, ADamagedFileIsNeverRead) {
    ScratchFolder folder;
    folder.write("damaged.dat", "abcdefg");
    RecordFile file("damaged.dat", 3);
    ExpectInOutError([&] { file.count(); }, "size", "damaged.dat");
    ExpectInOutError([&] { file.read(0); }, "size", "damaged.dat");
    ExpectInOutError([&] { file.append("xyz"); }, "size", "damaged.dat");
    EXPECT_EQ(folder.read("damaged.dat"), "abcdefg");
}

TEST(RecordFile, ReadingOutsideTheRecordsRaises) {
    ScratchFolder folder;
    folder.write("data.dat", "aabb");
    RecordFile file("data.dat", 2);
    ExpectInOutError([&] { file.read(2); }, "read", "data.dat");
    ExpectInOutError([&] { file.read(-1); }, "read", "data.dat");
    RecordFile empty("empty.dat", 2, RecordFile::Mode::CreateEmpty);
    ExpectInOutError([&] { empty.read(0); }, "read", "empty.dat");
}

TEST(RecordFile, WritingBeyondTheEndRaisesAndLeavesNoGap) {
    ScratchFolder folder;
    folder.write("data.dat", "aabb");
    RecordFile file("data.dat", 2);
    ExpectInOutError([&] { file.write(3, "cc"); }, "write", "data.dat");
    ExpectInOutError([&] { file.write(-1, "cc"); }, "write", "data.dat");
    EXPECT_EQ(folder.read("data.dat"), "aabb");
}

TEST(RecordFile, ARecordOfTheWrongSizeRaises) {
    ScratchFolder folder;
    folder.write("data.dat", "aabb");
    RecordFile file("data.dat", 2);
    ExpectInOutError([&] { file.write(0, "x"); }, "write", "data.dat");
    ExpectInOutError([&] { file.append("xyz"); }, "write", "data.dat");
    ExpectInOutError([&] { file.append(""); }, "write", "data.dat");
    EXPECT_EQ(folder.read("data.dat"), "aabb");
}

TEST(RecordFile, RecordSizeZeroRaises) {
    ScratchFolder folder;
    folder.write("data.dat", "aabb");
    ExpectInOutError([] { RecordFile file("data.dat", 0); }, "open", "data.dat");
}

TEST(RecordFile, TruncateKeepsTheFirstRecords) {
    ScratchFolder folder;
    folder.write("data.dat", "aabbccdd");
    RecordFile file("data.dat", 2);
    file.truncate(2);
    EXPECT_EQ(file.count(), 2);
    EXPECT_EQ(folder.read("data.dat"), "aabb");
    file.truncate(2);
    EXPECT_EQ(file.count(), 2);
    file.truncate(0);
    EXPECT_EQ(file.count(), 0);
    EXPECT_EQ(folder.read("data.dat"), "");
}

TEST(RecordFile, TruncateToMoreRecordsThanThereAreRaises) {
    ScratchFolder folder;
    folder.write("data.dat", "aabb");
    RecordFile file("data.dat", 2);
    ExpectInOutError([&] { file.truncate(3); }, "truncate", "data.dat");
    ExpectInOutError([&] { file.truncate(-1); }, "truncate", "data.dat");
    EXPECT_EQ(file.count(), 2);
}

struct Removal {
    std::int64_t index;
    Records after;
};

class RecordFileRemoveAt : public ::testing::TestWithParam<Removal> {};

TEST_P(RecordFileRemoveAt, MovesTheLaterRecordsDownInOrder) {
    ScratchFolder folder;
    folder.write("data.dat", "aabbccdd");
    RecordFile file("data.dat", 2);
    file.removeAt(GetParam().index);
    EXPECT_EQ(AllRecords(file), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Table, RecordFileRemoveAt,
                         ::testing::Values(Removal{0, {"bb", "cc", "dd"}},
                                           Removal{1, {"aa", "cc", "dd"}},
                                           Removal{2, {"aa", "bb", "dd"}},
                                           Removal{3, {"aa", "bb", "cc"}}));

TEST(RecordFile, RemovingTheOnlyRecordLeavesAnEmptyFile) {
    ScratchFolder folder;
    folder.write("data.dat", "xy");
    RecordFile file("data.dat", 2);
    file.removeAt(0);
    EXPECT_EQ(file.count(), 0);
    EXPECT_EQ(folder.read("data.dat"), "");
}

TEST(RecordFile, RemovingAMissingRecordRaises) {
    ScratchFolder folder;
    folder.write("data.dat", "aabb");
    RecordFile file("data.dat", 2);
    ExpectInOutError([&] { file.removeAt(2); }, "delete", "data.dat");
    ExpectInOutError([&] { file.removeAt(-1); }, "delete", "data.dat");
    EXPECT_EQ(folder.read("data.dat"), "aabb");
}

TEST(RecordFile, AReadOnlyFileOpensForReading) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser opens read-only files for writing";
    ScratchFolder folder;
    folder.write("fixed.dat", "aabb");
    std::filesystem::permissions(folder.path() / "fixed.dat", std::filesystem::perms::owner_read);
    RecordFile file("fixed.dat", 2);
    EXPECT_EQ(file.read(1), "bb");
    ExpectInOutError([&] { file.write(0, "xx"); }, "write", "fixed.dat");
}

// A record of two numbers and a name, as the program's record types are built.
struct Entry {
    static constexpr std::size_t kSize = 2 + 1 + ShortString<4>::kStoredSize;
    std::uint16_t number = 0;
    std::uint8_t flag = 0;
    ShortString<4> name;

    void encode(char* out) const {
        out[0] = static_cast<char>(number & 0xFF);
        out[1] = static_cast<char>(number >> 8);
        out[2] = static_cast<char>(flag);
        name.writeTo(out + 3);
    }
    static Entry decode(const char* in) {
        Entry e;
        e.number = static_cast<std::uint16_t>(static_cast<unsigned char>(in[0]) |
                                              static_cast<unsigned char>(in[1]) << 8);
        e.flag = static_cast<std::uint8_t>(in[2]);
        e.name = ShortString<4>::readFrom(in + 3);
        return e;
    }
    friend bool operator==(const Entry&, const Entry&) = default;
};

Entry MakeEntry(std::uint16_t number, std::uint8_t flag, std::string_view name) {
    Entry e;
    e.number = number;
    e.flag = flag;
    e.name = name;
    return e;
}

TEST(TypedRecordFile, StoresAndReadsRecordsOfOneType) {
    ScratchFolder folder;
    {
        TypedRecordFile<Entry> file("entries.dat", RecordFile::Mode::CreateEmpty);
        file.append(MakeEntry(0x1234, 1, "Aries"));
        file.append(MakeEntry(7, 0, "Leo"));
        file.append(MakeEntry(65535, 255, ""));
        file.write(1, MakeEntry(8, 2, "Virgo"));
        EXPECT_EQ(file.count(), 3);
        EXPECT_EQ(file.read(0), MakeEntry(0x1234, 1, "Arie"));
        EXPECT_EQ(file.read(1), MakeEntry(8, 2, "Virg"));
        EXPECT_EQ(file.read(2), MakeEntry(65535, 255, ""));
    }
    EXPECT_EQ(folder.read("entries.dat"), std::string("\x34\x12\x01\x04"
                                                      "Arie"
                                                      "\x08\x00\x02\x04"
                                                      "Virg"
                                                      "\xFF\xFF\xFF\x00\0\0\0\0",
                                                      24));
    TypedRecordFile<Entry> file("entries.dat");
    file.removeAt(0);
    EXPECT_EQ(file.count(), 2);
    EXPECT_EQ(file.read(0).name, std::string_view("Virg"));
    file.truncate(1);
    EXPECT_EQ(file.count(), 1);
}

TEST(TypedRecordFile, OpeningAMissingFileRaises) {
    ScratchFolder folder;
    ExpectInOutError([] { TypedRecordFile<Entry> file("none.dat"); }, "open", "none.dat");
}

} // namespace
} // namespace exo
