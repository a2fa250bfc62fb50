#include "graphics/MetafileSlots.h"
#include "TestFolder.h"
#include "platform/Errors.h"
#include "platform/ProgramPaths.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

namespace exo {
namespace {

TEST(MetafileSlotsTest, OnlyTheEmfExtensionPasses) {
    const struct {
        const char* name;
        bool accepted;
    } cases[] = {
        {"GRAF03.EMF", true},
        {"GRAF03", true}, // no dot
        {"", true},
        {"graf03.emf", false}, // letter case counts
        {"GRAF03.Emf", false},
        {"GRAF03.EMF.BAK", false},
        {"GRAF03.BAK.EMF", false},
        {"GRAF03.EMFX", false},
        {"GRAF03.EM", false},
        {"GRAF03.", false},
        {".EMF", true},
        {"GRAF03.WMF", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MetafileNameAccepted(c.name), c.accepted) << '"' << c.name << '"';
}

TEST(MetafileSlotsTest, SlotIsCharactersFiveAndSix) {
    const struct {
        const char* name;
        std::optional<int> slot;
    } cases[] = {
        {"GRAF01.EMF", 1},  {"GRAF15.EMF", 15}, {"GRAF07", 7},      {"SHEET9.EMF", {}},
        {"GRAF00.EMF", {}}, {"GRAF16.EMF", {}}, {"GRAF", {}},       {"GRAF1", 1},
        {"GRAF-1.EMF", {}}, {"", {}},           {"GRAFAB.EMF", {}}, {"MIO  3.EMF", 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MetafileSlotNumber(c.name), c.slot) << '"' << c.name << '"';
}

class MetafileStyleFileTest : public ::testing::Test {
  protected:
    MetafileStyleFileTest() {
        MakeFolder("Emf");
        WriteTextLines(kMetafileStyleFile, DefaultMetafileStyleLines());
    }
    static std::vector<std::string> Lines() { return ReadTextLines(kMetafileStyleFile); }

    test::ScratchFolder folder;
};

TEST_F(MetafileStyleFileTest, PortraitExportIsShownInAPortraitViewer) {
    ASSERT_TRUE(RecordMetafileOrientation("GRAF03.EMF", true, false));
    std::vector<std::string> expected(15, "L");
    expected[2] = "P";
    EXPECT_EQ(Lines(), expected);
    EXPECT_EQ(folder.read("Emf/TipGraf.Set").substr(0, 9), "L\r\nL\r\nP\r\n");
    EXPECT_EQ(MetafileViewerSize("GRAF03.EMF", 1280, 1024), (ViewerSize{450, 680}));
    EXPECT_EQ(MetafileViewerSize("GRAF03.EMF", 1920, 1200), (ViewerSize{525, 680})) << "16:10";
    EXPECT_EQ(MetafileViewerSize("GRAF04.EMF", 1920, 1200), (ViewerSize{755, 510}));
    EXPECT_EQ(MetafileViewerSize("GRAF04.EMF", 1280, 1024), (ViewerSize{660, 510}));
}

TEST_F(MetafileStyleFileTest, LandscapeOrNoPrinterRecordsLandscape) {
    RecordMetafileOrientation("GRAF05.EMF", true, false);
    RecordMetafileOrientation("GRAF05.EMF", true, true);
    EXPECT_EQ(Lines()[4], "L");
    RecordMetafileOrientation("GRAF05.EMF", true, false);
    RecordMetafileOrientation("GRAF05.EMF", false, false); // no printer
    EXPECT_EQ(Lines()[4], "L");
}

TEST_F(MetafileStyleFileTest, OnlyTheLimitsOfTheRatioAreExcluded) {
    // 0.62 and 0.63 themselves keep the normal width.
    EXPECT_EQ(MetafileViewerSize("GRAF01.EMF", 1000, 620).width, 660);
    EXPECT_EQ(MetafileViewerSize("GRAF01.EMF", 1000, 621).width, 755);
    EXPECT_EQ(MetafileViewerSize("GRAF01.EMF", 1000, 629).width, 755);
    EXPECT_EQ(MetafileViewerSize("GRAF01.EMF", 1000, 630).width, 660);
    EXPECT_EQ(MetafileViewerSize("GRAF01.EMF", 0, 0).width, 660);
}

TEST_F(MetafileStyleFileTest, ViewerTakesTheFirstCharacterOfTheLine) {
    std::vector<std::string> lines(15, "L");
    lines[1] = "Lx";
    lines[2] = "";
    lines[3] = "l";
    WriteTextLines(kMetafileStyleFile, lines);
    EXPECT_EQ(MetafileViewerSize("GRAF02.EMF", 1280, 1024).width, 660);
    EXPECT_EQ(MetafileViewerSize("GRAF03.EMF", 1280, 1024).width, 450);
    EXPECT_EQ(MetafileViewerSize("GRAF04.EMF", 1280, 1024).width, 450);
}

TEST_F(MetafileStyleFileTest, NameWithoutASlotRecordsNothing) {
    const std::string before = folder.read("Emf/TipGraf.Set");
    EXPECT_FALSE(RecordMetafileOrientation("GRAF16.EMF", true, false));
    EXPECT_FALSE(RecordMetafileOrientation("SHEET.EMF", true, false));
    EXPECT_EQ(folder.read("Emf/TipGraf.Set"), before);
    EXPECT_EQ(MetafileViewerSize("SHEET.EMF", 1280, 1024), (ViewerSize{660, 510}));
}

TEST_F(MetafileStyleFileTest, ShortFileIsCompletedWithLandscapeSlots) {
    WriteTextLines(kMetafileStyleFile, {"P", "P"});
    EXPECT_EQ(MetafileViewerSize("GRAF09.EMF", 1280, 1024).width, 660);
    RecordMetafileOrientation("GRAF09.EMF", true, false);
    std::vector<std::string> expected(15, "L");
    expected[0] = expected[1] = expected[8] = "P";
    EXPECT_EQ(Lines(), expected);
}

TEST_F(MetafileStyleFileTest, MissingFileStopsTheCommand) {
    DeleteFile(kMetafileStyleFile);
    EXPECT_THROW(RecordMetafileOrientation("GRAF03.EMF", true, false), InOutError);
    EXPECT_THROW(MetafileViewerSize("GRAF03.EMF", 1280, 1024), InOutError);
    EXPECT_THROW(MetafileViewerSize("SHEET.EMF", 1280, 1024), InOutError);
    EXPECT_FALSE(FileExists(kMetafileStyleFile)) << "the file is not created";
}

} // namespace
} // namespace exo
