// The term and decan keys the sheets "Vertical 1" and "Horizontal 1" write before they draw.
#include "graphics/SheetPlacementKeys.h"

#include "TestFolder.h"
#include "platform/Errors.h"
#include "platform/ProgramPaths.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace exo {
namespace {

using Lines = std::vector<std::string>;

// A chart with the Ascendant at `ascendant` and points 1 … 9 at the given longitudes; the
// angles 10 and 11 far from them.
ChartState Chart(long double ascendant, const std::array<long double, kSheetKeyPoints>& at) {
    ChartState chart;
    for (int h = 1; h <= 12; ++h)
        chart.HouseCusp[static_cast<std::size_t>(h)] = ascendant + 30.0L * (h - 1);
    for (int point = 1; point <= kSheetKeyPoints; ++point)
        chart.ChartLongitude[static_cast<std::size_t>(point)] =
            at[static_cast<std::size_t>(point - 1)];
    chart.ChartLongitude[10] = ascendant;
    chart.ChartLongitude[11] = ascendant + 270;
    return chart;
}

TEST(SheetPlacementKeys, EighteenLinesOfTermsThenDecans) {
    // Ascendant 100°: term 1 begins at 85°, each term 6° wide; the decans count from 0° Aries.
    const ChartState chart =
        Chart(100, {85.0L, 84.999L, 91.0L, 10.0L, 9.999L, 359.9L, 0.0L, 145.5L, 325.5L});
    const Lines expected = {"Sole01",   "Luna60",   "Merc02",   "Vene48",   "Mart48",   "Giov46",
                            "Satu46",   "NNor11",   "NSud41",   "SolDec09", "LunDec09", "MerDec10",
                            "VenDec02", "MarDec01", "GioDec36", "SatDec01", "NonDec15", "NosDec33"};
    EXPECT_EQ(SheetPlacementKeyLines(chart), expected);
}

TEST(SheetPlacementKeys, PointAtExactlyTenDegreesIsInTheSecondDecan) {
    const ChartState chart = Chart(0, {10.0L, 20.0L, 30.0L, 0, 0, 0, 0, 0, 0});
    const Lines lines = SheetPlacementKeyLines(chart);
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_EQ(lines[9], "SolDec02");
    EXPECT_EQ(lines[10], "LunDec03");
    EXPECT_EQ(lines[11], "MerDec04");
}

TEST(SheetPlacementKeys, WrittenToThePointKeyFile) {
    test::ScratchFolder folder;
    MakeFolder("OpzioneT");
    // The analysis window's longer layout is replaced as a whole.
    folder.write("OpzioneT/PosiPian.txt", std::string(40, 'x') + "\r\n" + "SoleArie\r\n");
    const ChartState chart = Chart(100, {85, 91, 97, 103, 109, 115, 121, 127, 133});
    WriteSheetPlacementKeys(chart);
    const Lines written = ReadTextLines("OpzioneT\\PosiPian.txt");
    EXPECT_EQ(written, SheetPlacementKeyLines(chart));
    ASSERT_EQ(written.size(), 18u);
    EXPECT_EQ(written[0], "Sole01");
    EXPECT_EQ(written[8], "NSud09");
    EXPECT_EQ(folder.read("OpzioneT/PosiPian.txt").substr(0, 8), "Sole01\r\n");
}

TEST(SheetPlacementKeys, MissingFolderRaisesInOutError) {
    test::ScratchFolder folder;
    EXPECT_THROW(WriteSheetPlacementKeys(Chart(0, {})), InOutError);
}

} // namespace
} // namespace exo
