#include "platform/TextFile.h"
#include "platform/Errors.h"

#include "TestFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace exo {
namespace {

using test::ScratchFolder;
using Lines = std::vector<std::string>;

std::vector<std::string> FolderEntries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct Split {
    const char* name;
    std::string content;
    Lines lines;
};

class TextFileSplit : public ::testing::TestWithParam<Split> {};

TEST_P(TextFileSplit, ReadsLinesAsStored) {
    const Split& c = GetParam();
    EXPECT_EQ(SplitTextLines(c.content), c.lines);
    ScratchFolder folder;
    folder.write("text.txt", c.content);
    EXPECT_EQ(ReadTextLines("text.txt"), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TextFileSplit,
    ::testing::Values(
        Split{"Empty", "", {}}, Split{"CrLf", "one\r\ntwo\r\n", {"one", "two"}},
        Split{"LoneLf", "one\ntwo\n", {"one", "two"}},
        Split{"Mixed", "one\r\ntwo\nthree\r\n", {"one", "two", "three"}},
        Split{"LastLineWithoutEnding", "one\r\ntwo", {"one", "two"}},
        Split{"OnlyALineWithoutEnding", "x", {"x"}},
        Split{"EmptyLines", "\r\n\n\r\n", {"", "", ""}},
        Split{"EmptyLineInTheMiddle", "a\r\n\r\nb\r\n", {"a", "", "b"}},
        Split{"LoneCrIsPartOfTheLine", "a\rb\r\n", {"a\rb"}},
        Split{"DoubleCrKeepsOne", "a\r\r\n", {"a\r"}},
        Split{"BlanksKept", "  a  \r\n\t\r\n", {"  a  ", "\t"}},
        Split{"Windows1252Bytes", "G\xE9minis\r\n\x80\xFF\r\n", {"G\xE9minis", "\x80\xFF"}},
        Split{"NulByte", std::string("a\0b\r\n", 5), {std::string("a\0b", 3)}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextFile, ReadsAVeryLongLine) {
    ScratchFolder folder;
    std::string line(100000, 'x');
    line[0] = 'a';
    line[99999] = 'z';
    folder.write("long.txt", line + "\r\nnext\r\n");
    const Lines lines = ReadTextLines("long.txt");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], line);
    EXPECT_EQ(lines[1], "next");
}

TEST(TextFile, WritesLinesEndedByCrLf) {
    ScratchFolder folder;
    WriteTextLines("out.txt", {"one", "", "G\xE9minis"});
    EXPECT_EQ(folder.read("out.txt"), "one\r\n\r\nG\xE9minis\r\n");
    EXPECT_EQ(ReadTextLines("out.txt"), (Lines{"one", "", "G\xE9minis"}));
}

TEST(TextFile, WritingNoLinesGivesAnEmptyFile) {
    ScratchFolder folder;
    WriteTextLines("out.txt", {});
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "out.txt"));
    EXPECT_EQ(folder.read("out.txt"), "");
}

TEST(TextFile, WriteReplacesTheWholeFileAndLeavesNoTemporaryFile) {
    ScratchFolder folder;
    folder.write("Settings.txt", "old one\r\nold two\r\nold three\r\n");
    WriteTextLines("settings.TXT", {"new"});
    EXPECT_EQ(folder.read("Settings.txt"), "new\r\n");
    EXPECT_EQ(FolderEntries(folder.path()), (std::vector<std::string>{"Settings.txt"}));
}

TEST(TextFile, WriteIntoAMissingFolderRaisesAndCreatesNothing) {
    ScratchFolder folder;
    try {
        WriteTextLines("missing\\out.txt", {"x"});
        ADD_FAILURE() << "no InOutError";
    } catch (const InOutError& error) {
        EXPECT_EQ(error.fileName(), "missing/out.txt");
        EXPECT_EQ(error.operation(), "rewrite");
    }
    EXPECT_TRUE(FolderEntries(folder.path()).empty());
}

TEST(TextFile, AppendAddsLinesAndCreatesAMissingFile) {
    ScratchFolder folder;
    AppendTextLines("log.txt", {"a"});
    EXPECT_EQ(folder.read("log.txt"), "a\r\n");
    AppendTextLines("LOG.txt", {"b", "c"});
    EXPECT_EQ(folder.read("log.txt"), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(FolderEntries(folder.path()), (std::vector<std::string>{"log.txt"}));
}

TEST(TextFile, AppendAfterALastLineWithoutEnding) {
    ScratchFolder folder;
    folder.write("log.txt", "a\r\nb");
    AppendTextLines("log.txt", {"c"});
    EXPECT_EQ(folder.read("log.txt"), "a\r\nbc\r\n");
}

TEST(TextFile, AppendIntoAMissingFolderRaises) {
    ScratchFolder folder;
    try {
        AppendTextLines("missing/log.txt", {"x"});
        ADD_FAILURE() << "no InOutError";
    } catch (const InOutError& error) {
        EXPECT_EQ(error.fileName(), "missing/log.txt");
        EXPECT_EQ(error.operation(), "append");
    }
}

TEST(TextFile, ReadingAMissingFileRaises) {
    ScratchFolder folder;
    try {
        ReadTextLines("FileSet\\missing.txt");
        ADD_FAILURE() << "no InOutError";
    } catch (const InOutError& error) {
        EXPECT_EQ(error.fileName(), "FileSet/missing.txt");
        EXPECT_EQ(error.operation(), "read");
        EXPECT_NE(std::string(error.what()).find("FileSet/missing.txt"), std::string::npos);
    }
}

TEST(TextFile, ReadingAFolderRaisesAnInOutError) {
    ScratchFolder folder;
    std::filesystem::create_directories(folder.path() / "FileSet");
    try {
        ReadTextLines("fileset");
        ADD_FAILURE() << "no InOutError";
    } catch (const InOutError& error) {
        EXPECT_EQ(error.fileName(), "FileSet");
        EXPECT_EQ(error.operation(), "read");
    }
    EXPECT_THROW(TextReader("FILESET"), InOutError);
    Lines lines{"left alone"};
    EXPECT_FALSE(TryReadTextLines("FileSet", lines));
    EXPECT_EQ(lines, (Lines{"left alone"}));
}

TEST(TextFile, ReadsANameWrittenInAnotherCase) {
    ScratchFolder folder;
    folder.write("FileSet/Textos.TXT", "uno\r\n");
    EXPECT_EQ(ReadTextLines("fileset\\TEXTOS.txt"), (Lines{"uno"}));
}

TEST(TextFile, TryReadNeverRaises) {
    ScratchFolder folder;
    Lines lines{"left alone"};
    EXPECT_FALSE(TryReadTextLines("missing.txt", lines));
    EXPECT_FALSE(TryReadTextLines("missing\\folder\\file.txt", lines));
    EXPECT_FALSE(TryReadTextLines("", lines));
    EXPECT_EQ(lines, (Lines{"left alone"}));
}

TEST(TextFile, TryReadGivesTheLines) {
    ScratchFolder folder;
    folder.write("present.txt", "a\nb");
    Lines lines{"old"};
    EXPECT_TRUE(TryReadTextLines("PRESENT.txt", lines));
    EXPECT_EQ(lines, (Lines{"a", "b"}));
    folder.write("empty.txt", "");
    EXPECT_TRUE(TryReadTextLines("empty.txt", lines));
    EXPECT_TRUE(lines.empty());
}

TEST(TextReader, WalksTheLinesAndRaisesPastTheEnd) {
    ScratchFolder folder;
    folder.write("Config.txt", "first\r\nsecond");
    TextReader reader("config.txt");
    EXPECT_EQ(reader.lineNumber(), 0u);
    ASSERT_FALSE(reader.atEnd());
    EXPECT_EQ(reader.readLine(), "first");
    EXPECT_EQ(reader.lineNumber(), 1u);
    EXPECT_EQ(reader.readLine(), "second");
    EXPECT_EQ(reader.lineNumber(), 2u);
    EXPECT_TRUE(reader.atEnd());
    try {
        reader.readLine();
        ADD_FAILURE() << "no InOutError";
    } catch (const InOutError& error) {
        EXPECT_EQ(error.fileName(), "Config.txt");
        EXPECT_EQ(error.operation(), "read");
    }
    EXPECT_EQ(reader.lineNumber(), 2u);
}

TEST(TextReader, AnEmptyFileIsAtItsEnd) {
    ScratchFolder folder;
    folder.write("empty.txt", "");
    TextReader reader("empty.txt");
    EXPECT_TRUE(reader.atEnd());
    EXPECT_THROW(reader.readLine(), InOutError);
}

TEST(TextReader, AMissingFileRaises) {
    ScratchFolder folder;
    EXPECT_THROW(TextReader("missing.txt"), InOutError);
}

} // namespace
} // namespace exo
