// FileSet\MMVarLas.stt written from memory and read back, as the settings dialogs and the
// next start of the program use it.
#include "graphics/DisplaySettings.h"

#include "TestFolder.h"
#include "platform/ProgramPaths.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

namespace exo {
namespace {

TEST(DisplaySettings, StretchDivisorsAreLinesSevenAndEight) {
    test::ScratchFolder folder;
    MakeFolder("FileSet");
    DisplaySettings settings;
    settings.StretchH = 0.9L;
    settings.StretchV = 1.1L;
    WriteDisplaySettings(settings);

    const std::vector<std::string> lines = ReadTextLines(kDisplaySettingsFile);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[6], " 9.00000000000000E-0001");
    EXPECT_EQ(lines[7], " 1.10000000000000E+0000");
    EXPECT_EQ(lines[4], " 1.00000000000000E+0000");

    const DisplaySettings read = ReadDisplaySettings();
    EXPECT_NEAR(static_cast<double>(read.StretchH), 0.9, 1e-15);
    EXPECT_NEAR(static_cast<double>(read.StretchV), 1.1, 1e-15);
    EXPECT_EQ(read.LineFactor, 1.0L);
}

TEST(DisplaySettings, EveryLineSurvivesTheRoundTrip) {
    test::ScratchFolder folder;
    MakeFolder("FileSet");
    DisplaySettings settings;
    settings.Line1 = 7;
    settings.DummyPrintJob = 1;
    settings.Line3 = 2;
    settings.CalendarReformOption = 0;
    settings.LineFactor = 0.8075L;
    settings.BackupFolder = "/home/usuario/Copias";
    WriteDisplaySettings(settings);

    const DisplaySettings read = ReadDisplaySettings();
    EXPECT_EQ(read.Line1, 7);
    EXPECT_EQ(read.DummyPrintJob, 1);
    EXPECT_EQ(read.Line3, 2);
    EXPECT_EQ(read.CalendarReformOption, 0);
    EXPECT_NEAR(static_cast<double>(read.LineFactor), 0.8075, 1e-15);
    EXPECT_EQ(read.BackupFolder, "/home/usuario/Copias");
}

TEST(DisplaySettings, RealsThatReadAsZeroAreOne) {
    test::ScratchFolder folder;
    folder.write("FileSet/MMVarLas.stt", "1\r\n0\r\n0\r\n1\r\n0\r\n\r\n 0.0\r\n0\r\n");
    const DisplaySettings read = ReadDisplaySettings();
    EXPECT_EQ(read.LineFactor, 1.0L);
    EXPECT_EQ(read.StretchH, 1.0L);
    EXPECT_EQ(read.StretchV, 1.0L);
}

} // namespace
} // namespace exo
