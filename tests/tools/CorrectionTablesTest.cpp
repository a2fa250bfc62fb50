// The correction tables of the prepared program folder: their sizes, their record days,
// and the engine with them against the reference ephemeris they were made from.
#include "astro/CorrectionFiles.h"
#include "astro/Ephemeris.h"
#include "reference/SwissReference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace exo {
namespace {

namespace fs = std::filesystem;

const fs::path kProgramFolder = EXORVEX_TEST_PROGRAM_DIR;

std::string ReadWhole(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The engine reads the tables of the current folder, as the program does.
class CorrectionTablesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = fs::current_path();
        fs::current_path(kProgramFolder);
        ForgetCorrectionFiles();
    }
    void TearDown() override {
        ForgetCorrectionFiles();
        fs::current_path(previous_);
    }

  private:
    fs::path previous_;
};

TEST_F(CorrectionTablesTest, EachTableReachesTheLastRecordItsRangeReads) {
    // The last instant of each range lies just before its (exclusive) end:
    //   DSEL, before 2499373.5: record round(777952.5 − ε) = 777952 and the next one, so
    //   777954 records of 2 bytes;
    //   DPR1, before 2499373.5: record trunc(777964.5 − ε) div 5 = 155592 and the next one,
    //   so 155594 records of 32 bytes;
    //   NOJLNE, before 2488433.5: record round(146460.5 − ε) = 146460 and the next one, so
    //   146462 records of 4 bytes.
    const struct {
        const char* file;
        std::uintmax_t bytes;
    } cases[] = {
        {"FilePosi/DSEL.rnd", 777954u * 2},
        {"FilePosi/DPR1.rnd", 155594u * 32},
        {"FilePosi/NOJLNE.rnd", 146462u * 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        ASSERT_TRUE(fs::exists(c.file));
        EXPECT_EQ(fs::file_size(c.file), c.bytes);
    }
}

TEST_F(CorrectionTablesTest, PlanetRecordsCarryTheirDayAndNoPlanetFieldsAfter1900) {
    const std::string table = ReadWhole("FilePosi/DPR1.rnd");
    ASSERT_EQ(table.size(), 155594u * 32);
    // Record 138723 (JD 2415024) is the first at or after 1900 January 0.5, the last one a
    // lookup before it interpolates towards; the planets' fields stop after it.
    const struct {
        std::int64_t record;
        long double julianDay;
        bool planetFieldsZero;
    } cases[] = {
        {0, 1721409.0L, false},     {1, 1721414.0L, false},     {138723, 2415024.0L, false},
        {138724, 2415029.0L, true}, {155593, 2499374.0L, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.record);
        const PlanetRecord record = DecodePlanetRecord(table.data() + c.record * kPlanetRecordSize);
        EXPECT_EQ(record.julianDay, c.julianDay);
        if (c.planetFieldsZero) {
            for (int field = 1; field <= kPlanetFields; ++field) {
                if (field == 9) // the node's field runs on
                    continue;
                EXPECT_EQ(record.field[field], 0) << "field " << field;
            }
        }
    }
}

long double AngleBetween(long double a, long double b) {
    long double difference = std::fmod(std::fabs(a - b), 360.0L);
    return std::min(difference, 360 - difference);
}

// At a record's own instant the lookup returns that record's value, so the engine with
// the tables matches the reference to the rounding of the table's unit; the margins allow
// for that rounding and nothing else worth speaking of.
TEST_F(CorrectionTablesTest, EngineWithTablesMatchesTheReferenceAtRecordInstants) {
    constexpr long double kArcsecond = 1.0L / 3600;
    constexpr long double kArcminute = 1.0L / 60;
    const struct {
        int body;
        long double jd;
        long double tolerance; // degrees
        const char* what;
    } cases[] = {
        // The Moon, daily records at 0h.
        {2, 1721423.5L, 2 * kArcsecond, "Moon, first whole day of its range (year 1)"},
        {2, 1903682.5L, 2 * kArcsecond, "Moon, year 500"},
        {2, 2232406.5L, 2 * kArcsecond, "Moon, year 1400"},
        {2, 2400000.5L, 2 * kArcsecond, "Moon, 1858, from the ephemeris files"},
        {2, 2451544.5L, 2 * kArcsecond, "Moon, 1999 December 31"},
        {2, 2499372.5L, 2 * kArcsecond, "Moon, last record day of its range (2131)"},
        // The planets, records every 5 days at 12h, before 1900.
        {3, 1721424.0L, kArcminute, "Mercury, year 1"},
        {4, 2000004.0L, kArcminute, "Venus, year 764"},
        {5, 2300004.0L, kArcminute, "Mars, year 1585"},
        {6, 2400004.0L, kArcminute, "Jupiter, 1858"},
        {7, 1721424.0L, kArcminute, "Saturn, year 1"},
        {8, 2300004.0L, kArcminute, "Uranus, year 1585"},
        {9, 2415019.0L, kArcminute, "Neptune, last record day before 1900"},
        {10, 1721424.0L, kArcminute, "Pluto, year 1"},
        {10, 2415019.0L, kArcminute, "Pluto, last record day before 1900"},
        // The true node, same records, until 2131.
        {11, 1721434.0L, kArcminute, "true node, first record day of its range"},
        {11, 2000004.0L, kArcminute, "true node, year 764"},
        {11, 2451544.0L, kArcminute, "true node, 1999 December 31"},
        {11, 2499369.0L, kArcminute, "true node, last record day of its range"},
        // The corrected Black Moon, daily records at 0h, 1850 to 2100.
        {12, 2396758.5L, 5 * kArcsecond, "Black Moon, first day of its range"},
        {12, 2451544.5L, 5 * kArcsecond, "Black Moon, 1999 December 31"},
        {12, 2488432.5L, 5 * kArcsecond, "Black Moon, last day of its range"},
    };
    auto chart = std::make_unique<ChartState>();
    chart->NodeKind = "VERO";
    chart->ApogeeKind = "VERA";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ComputeBodies(BodyMode::All, false, c.jd, *chart, ProgramFolderCorrections());
        const auto reference = reference::Apparent(c.body, static_cast<double>(c.jd));
        EXPECT_LE(AngleBetween(chart->ChartLongitude[c.body], reference.longitude), c.tolerance)
            << "engine " << static_cast<double>(chart->ChartLongitude[c.body]) << ", reference "
            << reference.longitude;
        if (c.body >= 3 && c.body <= 10) {
            EXPECT_LE(std::fabs(chart->ChartLatitude[c.body] - reference.latitude), c.tolerance)
                << "latitude: engine " << static_cast<double>(chart->ChartLatitude[c.body])
                << ", reference " << reference.latitude;
        }
    }
}

} // namespace
} // namespace exo
