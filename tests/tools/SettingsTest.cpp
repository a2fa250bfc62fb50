// The settings files put into the prepared program folder, and the builder's rule that a
// file the user has changed is kept.
#include "TestFolder.h"
#include "graphics/MetafileSlots.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

const std::string kFifteenLandscapeSlots = [] {
    std::string bytes;
    for (int n = 0; n < exo::kMetafileSlots; ++n)
        bytes += "L\r\n";
    return bytes;
}();

// Runs the builder on program/ with its record of installed copies in copies/.
int RunBuilder() {
    const std::string command =
        std::string("\"") + EXORVEX_SETTINGS_BUILDER + "\" program copies >builder.log 2>&1";
    return std::system(command.c_str());
}

// Installed with every slot landscape; exports run on the prepared folder may have turned
// slots to portrait since.
TEST(SettingsTest, PreparedFolderHasAnOrientationForEveryMetafileSlot) {
    const fs::path program = EXORVEX_PROGRAM_DIR;
    ASSERT_TRUE(fs::is_directory(program / "Emf"));
    exo::test::ScratchFolder scratch;
    fs::copy_file(program / "Emf" / "TipGraf.Set", "TipGraf.Set");
    const std::string bytes = scratch.read("TipGraf.Set");
    ASSERT_EQ(bytes.size(), kFifteenLandscapeSlots.size());
    for (std::size_t at = 0; at < bytes.size(); at += 3) {
        EXPECT_TRUE(bytes[at] == 'L' || bytes[at] == 'P') << "line " << at / 3 + 1;
        EXPECT_EQ(bytes.substr(at + 1, 2), "\r\n");
    }
}

TEST(SettingsTest, BuilderPutsBackAMissingFileAndKeepsAChangedOne) {
    exo::test::ScratchFolder scratch;
    ASSERT_EQ(RunBuilder(), 0);
    EXPECT_EQ(scratch.read("program/Emf/TipGraf.Set"), kFifteenLandscapeSlots);

    // An export in portrait changed slot 3: the next build keeps it.
    std::string changed = kFifteenLandscapeSlots;
    changed[6] = 'P';
    scratch.write("program/Emf/TipGraf.Set", changed);
    ASSERT_EQ(RunBuilder(), 0);
    EXPECT_EQ(scratch.read("program/Emf/TipGraf.Set"), changed);

    fs::remove("program/Emf/TipGraf.Set");
    ASSERT_EQ(RunBuilder(), 0);
    EXPECT_EQ(scratch.read("program/Emf/TipGraf.Set"), kFifteenLandscapeSlots);
    EXPECT_TRUE(fs::exists("program/FileSet/OrbiDomi.stt"));
    EXPECT_TRUE(fs::exists("program/FileDum/MMVarOrb.dum"));
}

} // namespace
