// The handbooks of the prepared program folder: the main window opens them by name, so each
// must be there as a whole PDF file of the planned length.
#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace {

namespace fs = std::filesystem;

const fs::path kProgramFolder = EXORVEX_PROGRAM_DIR;

std::string ReadWhole(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Page objects carry "/Type /Page"; the page tree's "/Type /Pages" does not count.
int PageObjectCount(std::string_view pdf) {
    constexpr std::string_view kPageType = "/Type /Page";
    int count = 0;
    for (std::size_t at = pdf.find(kPageType); at != std::string_view::npos;
         at = pdf.find(kPageType, at + 1)) {
        const std::size_t after = at + kPageType.size();
        if (after == pdf.size() || pdf[after] != 's')
            ++count;
    }
    return count;
}

struct Handbook {
    const char* fileName;
    int fewestPages;
    int mostPages;
};

TEST(HandbooksTest, EachHandbookIsAWholePdfOfItsPlannedLength) {
    const Handbook handbooks[] = {
        {"Dispensa.pdf", 3, 5},     // the booklet "Libreto"
        {"Istruzioni_J.pdf", 2, 3}, // "Instrucciones sumarias"
        {"Istruzioni.pdf", 6, 10},  // "Instrucciones extendidas"
    };
    for (const Handbook& handbook : handbooks) {
        SCOPED_TRACE(handbook.fileName);
        const fs::path file = kProgramFolder / handbook.fileName;
        ASSERT_TRUE(fs::is_regular_file(file)) << file;
        const std::string pdf = ReadWhole(file);
        EXPECT_TRUE(pdf.starts_with("%PDF-"));
        // A file cut short by a failed write lacks its end marker.
        EXPECT_NE(pdf.find("%%EOF", pdf.size() > 64 ? pdf.size() - 64 : 0), std::string::npos);
        const int pages = PageObjectCount(pdf);
        EXPECT_GE(pages, handbook.fewestPages);
        EXPECT_LE(pages, handbook.mostPages);
    }
}

} // namespace
