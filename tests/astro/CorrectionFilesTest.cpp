#include "astro/CorrectionFiles.h"

#include "platform/Errors.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace exo {
namespace {

std::string Int16Records(const std::vector<std::int16_t>& values) {
    std::string bytes;
    for (std::int16_t v : values) {
        const auto u = static_cast<std::uint16_t>(v);
        bytes += static_cast<char>(u & 0xFF);
        bytes += static_cast<char>(u >> 8);
    }
    return bytes;
}

std::string Int32Records(std::size_t leadingZeros, const std::vector<std::int32_t>& values) {
    std::string bytes(leadingZeros * 4, '\0');
    for (std::int32_t v : values) {
        const auto u = static_cast<std::uint32_t>(v);
        for (int i = 0; i < 4; ++i)
            bytes += static_cast<char>((u >> (8 * i)) & 0xFF);
    }
    return bytes;
}

class CorrectionFilesTest : public ::testing::Test {
  protected:
    void SetUp() override { ForgetCorrectionFiles(); }
    void TearDown() override { ForgetCorrectionFiles(); }
    test::ScratchFolder folder;
};

TEST(Real48Test, KnownBytesAndRoundTrip) {
    struct Case {
        long double value;
        std::array<unsigned char, 6> bytes;
    };
    const Case cases[] = {
        {0.0L, {0, 0, 0, 0, 0, 0}},
        {1.0L, {0x81, 0, 0, 0, 0, 0}},
        {-2.5L, {0x82, 0, 0, 0, 0, 0xA0}},
        {0.75L, {0x80, 0, 0, 0, 0, 0x40}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<double>(c.value));
        EXPECT_EQ(EncodeReal48(c.value), c.bytes);
        EXPECT_EQ(DecodeReal48(c.bytes.data()), c.value);
    }
    // Record instants of the planet table are whole and half days: held exactly.
    for (long double jd : {1721409.0L, 2415020.5L, 2499373.5L, 2451545.0L}) {
        const auto bytes = EncodeReal48(jd);
        EXPECT_EQ(DecodeReal48(bytes.data()), jd);
    }
    EXPECT_THROW(EncodeReal48(1e300L), std::range_error);
}

TEST(PlanetRecordTest, FieldsSitAtTheirOffsets) {
    PlanetRecord record;
    record.julianDay = 1721409.0L + 5 * 7;
    for (int field = 1; field <= kPlanetFields; ++field)
        record.field[field] = field * (field % 2 ? 1 : -1);
    record.field[8] = -300;  // Pluto's longitude needs two bytes
    record.field[17] = 1000; // and its latitude
    record.field[1] = 500;   // too large for one byte: held at the limit
    const std::string bytes = EncodePlanetRecord(record);
    ASSERT_EQ(bytes.size(), 32u);
    EXPECT_EQ(static_cast<signed char>(bytes[6]), 127);
    EXPECT_EQ(static_cast<signed char>(bytes[7]), -2);
    EXPECT_EQ(static_cast<unsigned char>(bytes[14]) | (static_cast<unsigned char>(bytes[15]) << 8),
              0x10000 - 300);
    EXPECT_EQ(static_cast<signed char>(bytes[16]), 9);
    EXPECT_EQ(bytes[13], '\0');
    const PlanetRecord back = DecodePlanetRecord(bytes.data());
    EXPECT_EQ(back.julianDay, record.julianDay);
    EXPECT_EQ(back.field[8], -300);
    EXPECT_EQ(back.field[17], 1000);
    EXPECT_EQ(back.field[10], -10);
}

TEST(RecordNumberTest, RecordsOfTheThreeTables) {
    struct Case {
        long double jd;
        std::int64_t moon, planet, apogee;
    };
    // Daily tables round to the nearest record (halves to even); the planet table truncates.
    const Case cases[] = {
        {1721420.5L, 0, 2, -620552},      {1721421.4L, 0, 2, -620552},
        {1721421.6L, 1, 2, -620551},      {1721414.0L, -7, 1, -620559},
        {1721413.9L, -7, 0, -620559},     {2341972.5L, 620552, 124112, 0},
        {2341973.49L, 620552, 124112, 0}, {2341973.51L, 620553, 124112, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<double>(c.jd));
        EXPECT_EQ(MoonRecordOf(c.jd), c.moon);
        EXPECT_EQ(PlanetRecordOf(c.jd), c.planet);
        EXPECT_EQ(ApogeeRecordOf(c.jd), c.apogee);
    }
}

TEST_F(CorrectionFilesTest, MoonTableInterpolatesBetweenDays) {
    folder.write("FilePosi/DSEL.rnd", Int16Records({0, 10, 20, 21602, 21610, -4}));
    struct Case {
        long double jd;
        long double arcseconds;
    };
    const Case cases[] = {
        {1721421.5L, 10},  {1721421.75L, 12.5}, {1721422.5L, 20},
        {1721423.0L, 10811},
        {1721423.5L, 2}, // 21602 is above 21600, so it wraps
        {1721424.0L, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<double>(c.jd));
        EXPECT_NEAR(ReadMoonCorrection(c.jd), c.arcseconds, 1e-9);
    }
}

TEST_F(CorrectionFilesTest, ApogeeTableInterpolatesBetweenDays) {
    const std::size_t n = static_cast<std::size_t>(ApogeeRecordOf(kApogeeCorrectionFrom));
    folder.write("FilePosi/NOJLNE.rnd", Int32Records(n, {-100000, 100000, 7}));
    const long double t = static_cast<long double>(n) + kApogeeTableStart;
    EXPECT_NEAR(ReadApogeeCorrection(t), -100000, 1e-6);
    EXPECT_NEAR(ReadApogeeCorrection(t + 0.5L), 0, 1e-6);
    EXPECT_NEAR(ReadApogeeCorrection(t + 1.25L), 100000 - 0.25L * 99993, 1e-6);
}

TEST_F(CorrectionFilesTest, PlanetTableUsesTheStoredInstant) {
    std::string bytes;
    for (int n = 0; n < 4; ++n) {
        PlanetRecord record;
        record.julianDay = kPlanetTableStart + 5 * n;
        record.field[1] = 10 * n;
        record.field[8] = -300 * n;
        bytes += EncodePlanetRecord(record);
    }
    folder.write("FilePosi/DPR1.rnd", bytes);
    EXPECT_NEAR(ReadPlanetCorrection(1, kPlanetTableStart + 5), 10, 1e-9);
    EXPECT_NEAR(ReadPlanetCorrection(1, kPlanetTableStart + 6), 12, 1e-9);
    EXPECT_NEAR(ReadPlanetCorrection(8, kPlanetTableStart + 12.5L), -750, 1e-9);
    EXPECT_THROW(ReadPlanetCorrection(0, kPlanetTableStart), std::out_of_range);
}

TEST_F(CorrectionFilesTest, MissingOrShortTablesRaiseTheFileError) {
    EXPECT_THROW(ReadMoonCorrection(1721421.5L), InOutError);
    folder.write("FilePosi/DSEL.rnd", Int16Records({0, 10}));
    EXPECT_NO_THROW(ReadMoonCorrection(1721420.7L));
    try {
        ReadMoonCorrection(1721421.7L); // needs record 2
        FAIL() << "a short table was read";
    } catch (const InOutError& error) {
        EXPECT_NE(error.fileName().find("DSEL.rnd"), std::string::npos);
    }
    EXPECT_THROW(ReadApogeeCorrection(kApogeeCorrectionFrom), InOutError);
    EXPECT_THROW(ReadPlanetCorrection(1, kPlanetCorrectionFrom), InOutError);
}

TEST_F(CorrectionFilesTest, ReplacedTableIsReadAfresh) {
    folder.write("FilePosi/DSEL.rnd", Int16Records({0, 10, 20}));
    EXPECT_NEAR(ReadMoonCorrection(1721421.5L), 10, 1e-9);
    folder.write("FilePosi/DSEL.rnd", Int16Records({0, -30, 20, 40}));
    EXPECT_NEAR(ReadMoonCorrection(1721421.5L), -30, 1e-9);
    std::filesystem::remove(folder.path() / "FilePosi/DSEL.rnd");
    EXPECT_THROW(ReadMoonCorrection(1721421.5L), InOutError);
}

TEST_F(CorrectionFilesTest, FolderNamesAreFoundWithoutRegardToCase) {
    folder.write("filepoSI/dsel.RND", Int16Records({0, 10, 20}));
    EXPECT_NEAR(ReadMoonCorrection(1721421.5L), 10, 1e-9);
}

} // namespace
} // namespace exo
