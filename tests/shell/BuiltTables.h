#pragma once
// The correction tables of the built program folder, linked into a test's scratch folder so
// that charts inside the tables' range compute as in the program.
#include "astro/CorrectionFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace exo::test {

inline void LinkBuiltCorrectionTables(const std::filesystem::path& folder) {
    const std::filesystem::path tables = std::filesystem::path(EXORVEX_PROGRAM_DIR) / "FilePosi";
    ASSERT_TRUE(std::filesystem::exists(tables / "DSEL.rnd"))
        << "the correction tables are built by the target correction_tables";
    std::filesystem::create_directory_symlink(tables, folder / "FilePosi");
    ForgetCorrectionFiles();
}

} // namespace exo::test
