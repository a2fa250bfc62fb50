#include "platform/ProgramPaths.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"

#include "TestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace exo {
namespace {

using test::ScratchFolder;

// The program folder of the tests: folders and files spelt as an installation has them.
class ProgramPaths : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_.write("FileSet/OrbiDomi.stt", "x");
        folder_.write("FileSet/Cartas/Natal.CRT", "x");
        folder_.write("DbMain.Rnd", "x");
        folder_.write("Año/Año.txt", "x");
        std::filesystem::create_directories(folder_.path() / "Empty" / "Inner");
    }
    ScratchFolder folder_;
};

struct Resolution {
    std::string name;
    std::string path;
};

class ProgramPathResolution : public ProgramPaths,
                              public ::testing::WithParamInterface<Resolution> {};

TEST_P(ProgramPathResolution, FindsTheSpellingOnDisk) {
    EXPECT_EQ(ResolveProgramPath(GetParam().name), GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProgramPathResolution,
    ::testing::Values(Resolution{"FileSet\\OrbiDomi.stt", "FileSet/OrbiDomi.stt"},
                      Resolution{"FILESET\\orbidomi.STT", "FileSet/OrbiDomi.stt"},
                      Resolution{"fileset/ORBIDOMI.stt", "FileSet/OrbiDomi.stt"},
                      Resolution{"DBmain.rnd", "DbMain.Rnd"}, Resolution{"fileset", "FileSet"},
                      Resolution{"FILESET\\", "FileSet/"},
                      Resolution{"fileset\\cartas\\natal.crt", "FileSet/Cartas/Natal.CRT"},
                      Resolution{"FileSet\\\\cartas\\NATAL.crt", "FileSet/Cartas/Natal.CRT"},
                      Resolution{".\\fileset\\orbidomi.stt", "./FileSet/OrbiDomi.stt"},
                      Resolution{"FileSet\\..\\dbmain.rnd", "FileSet/../DbMain.Rnd"},
                      // A missing last component stays as written below the folders found.
                      Resolution{"fileset\\cartas\\Nueva.CRT", "FileSet/Cartas/Nueva.CRT"},
                      Resolution{"FILESET\\Nuevo\\Otra.crt", "FileSet/Nuevo/Otra.crt"},
                      Resolution{"missing\\file.txt", "missing/file.txt"},
                      Resolution{"New.txt", "New.txt"},
                      // Windows-1252 names come back as UTF-8, found without regard to case.
                      Resolution{"A\xD1O\\a\xF1o.TXT", "Año/Año.txt"},
                      Resolution{"a\xF1o\\nuevo.txt", "Año/nuevo.txt"}, Resolution{"", ""}));

TEST_F(ProgramPaths, AbsoluteNamesAreResolvedToo) {
    const std::string root = folder_.path().string();
    EXPECT_EQ(ResolveProgramPath(root + "/fileset/orbidomi.STT"), root + "/FileSet/OrbiDomi.stt");
    EXPECT_EQ(ResolveProgramPath(root + "\\FILESET\\missing.stt"), root + "/FileSet/missing.stt");
}

TEST_F(ProgramPaths, AnExactSpellingIsPreferredWhenSeveralMatch) {
    folder_.write("fileset/orbidomi.stt", "lower");
    EXPECT_EQ(ResolveProgramPath("fileset\\orbidomi.stt"), "fileset/orbidomi.stt");
    EXPECT_EQ(ResolveProgramPath("FileSet\\OrbiDomi.stt"), "FileSet/OrbiDomi.stt");
}

TEST_F(ProgramPaths, FileExistsOnlyForFiles) {
    EXPECT_TRUE(FileExists("FILESET\\orbidomi.STT"));
    EXPECT_TRUE(FileExists("dbmain.rnd"));
    EXPECT_TRUE(FileExists("a\xF1o\\A\xD1O.txt"));
    EXPECT_FALSE(FileExists("fileset"));
    EXPECT_FALSE(FileExists("fileset\\missing.stt"));
    EXPECT_FALSE(FileExists(""));
}

TEST_F(ProgramPaths, FolderExistsOnlyForFolders) {
    EXPECT_TRUE(FolderExists("FILESET"));
    EXPECT_TRUE(FolderExists("fileset\\CARTAS"));
    EXPECT_TRUE(FolderExists("empty\\inner\\"));
    EXPECT_FALSE(FolderExists("fileset\\orbidomi.stt"));
    EXPECT_FALSE(FolderExists("Missing"));
}

TEST_F(ProgramPaths, MakeFolderCreatesTheFoldersAbove) {
    MakeFolder("Nuevo\\Uno\\Dos");
    EXPECT_TRUE(std::filesystem::is_directory(folder_.path() / "Nuevo" / "Uno" / "Dos"));
    EXPECT_TRUE(FolderExists("nuevo\\uno\\dos"));
}

TEST_F(ProgramPaths, MakeFolderGoesIntoTheExistingFolders) {
    MakeFolder("FILESET\\cartas\\Viejas");
    EXPECT_TRUE(std::filesystem::is_directory(folder_.path() / "FileSet" / "Cartas" / "Viejas"));
    EXPECT_FALSE(std::filesystem::exists(folder_.path() / "FILESET"));
}

TEST_F(ProgramPaths, MakeFolderOfAnExistingFolderDoesNothing) {
    EXPECT_NO_THROW(MakeFolder("fileset"));
    EXPECT_TRUE(std::filesystem::exists(folder_.path() / "FileSet" / "OrbiDomi.stt"));
}

TEST_F(ProgramPaths, MakeFolderWhereAFileIsRaises) {
    try {
        MakeFolder("dbmain.rnd");
        ADD_FAILURE() << "no InOutError";
    } catch (const InOutError& error) {
        EXPECT_EQ(error.fileName(), "DbMain.Rnd");
        EXPECT_EQ(error.operation(), "mkdir");
    }
    EXPECT_THROW(MakeFolder("DbMain.Rnd\\below"), InOutError);
}

TEST_F(ProgramPaths, DeleteFileRemovesTheFileFoundInAnyCase) {
    DeleteFile("FILESET\\ORBIDOMI.STT");
    EXPECT_FALSE(std::filesystem::exists(folder_.path() / "FileSet" / "OrbiDomi.stt"));
    EXPECT_TRUE(std::filesystem::is_directory(folder_.path() / "FileSet"));
}

TEST_F(ProgramPaths, DeletingAMissingFileIsNoError) {
    EXPECT_NO_THROW(DeleteFile("missing.txt"));
    EXPECT_NO_THROW(DeleteFile("missing\\missing.txt"));
}

TEST_F(ProgramPaths, DeletingAFolderWithFilesRaises) {
    try {
        DeleteFile("fileset\\cartas");
        ADD_FAILURE() << "no InOutError";
    } catch (const InOutError& error) {
        EXPECT_EQ(error.fileName(), "FileSet/Cartas");
        EXPECT_EQ(error.operation(), "delete");
    }
    EXPECT_TRUE(std::filesystem::exists(folder_.path() / "FileSet" / "Cartas" / "Natal.CRT"));
}

} // namespace
} // namespace exo
