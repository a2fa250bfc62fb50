// The chart codes of a stored subject: planets with houses, signs and degrees, the cusps
// rounded to whole minutes, the aspects with their orb digit.
#include "archive/SubjectArchive.h"

#include "TestFolder.h"
#include "astro/Calendar.h"
#include "chart/ChartState.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace exo {
namespace {

constexpr long double Dms(int degrees, int minutes, int seconds) {
    return degrees + minutes / 60.0L + seconds / 3600.0L;
}

TEST(ChartCodes, CuspsRoundToWholeMinutesWithinTheirSign) {
    std::array<long double, 16> cusp{};
    cusp[1] = Dms(14, 58, 40);      // 14°59′: degree 14
    cusp[2] = 30 + Dms(14, 59, 40); // 15°00′: degree 15
    cusp[3] = 60 + Dms(29, 59, 40); // stays 29°59′ of Gemini
    cusp[4] = 90;
    cusp[5] = 330 + Dms(29, 59, 40); // never into Aries
    cusp[6] = 200.5L;
    cusp[7] = 10;
    cusp[8] = 45;
    cusp[9] = 100.25L;
    cusp[10] = 250;
    cusp[11] = 300;
    cusp[12] = 330.999L; // 0°59′56″ of Pisces: 1°00′
    EXPECT_EQ(CuspCodes(cusp), "01A1402T1503G2904N0005P2906B2007A1008T1509N1010R1011Q0012P01");
}

TEST(ChartCodes, PlanetsWithTheirHousesSignsAndTruncatedDegrees) {
    // Equal houses from 10°: a point on a cusp belongs to the house that begins there.
    std::array<long double, 16> cusp{};
    for (int h = 1; h <= 12; ++h)
        cusp[h] = 10 + 30 * (h - 1);
    PointReals longitude{};
    const long double points[] = {40,       39.99L, 5,   -200.5L /* backward: taken as 200.5 */,
                                  359.999L, 10,     130, 0,
                                  89.9999L, 250,    181, 345};
    for (int i = 1; i <= 12; ++i)
        longitude[i] = points[i - 1];
    EXPECT_EQ(PlanetCodes(longitude, cusp),
              "02eT1001lT0912mA0507vB2012aP2901gA1005sL1012uA0003nG2909pR1006dB0112hP15");
}

// The group of Sun and Moon is always the first one when they form an aspect.
std::string SunMoonGroup(long double sun, long double moon) {
    PointReals longitude{};
    longitude[1] = sun;
    longitude[2] = moon;
    const std::string codes = AspectCodes(longitude);
    return codes.size() >= 4 && codes[2] == 'l' ? codes.substr(0, 4) : std::string();
}

TEST(ChartCodes, AspectWindowsAndTheOrbDigit) {
    struct Case {
        long double sun, moon;
        const char* group;
    };
    const Case cases[] = {
        {10, 15, "eKl5"},    {10, 12.5L, "eKl2"}, {10, 13.5L, "eKl4"}, // halves to even
        {10, 18.6L, "eKl9"}, {10, 19, ""},        {355, 3, "eKl8"},    // across 0°
        {-10, 5, "eKl5"},    {-350, 5, ""},                            // absolute values
        {0, 171, ""},        {0, 171.5L, "eOl8"}, {200, 20, "eOl0"},   {0, 112, ""},
        {0, 112.5L, "eZl8"}, {0, 127.4L, "eZl7"}, {0, 128, ""},        {0, 84, ""},
        {0, 90.5L, "eWl0"},  {0, 95.9L, "eWl6"},  {0, 96, ""},         {0, 56, ""},
        {0, 61.5L, "eJl2"},  {0, 63.99L, "eJl4"}, {0, 64, ""},         {0, 300, "eJl0"},
        {0, 40, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<double>(c.sun)) + " " +
                     std::to_string(static_cast<double>(c.moon)));
        EXPECT_EQ(SunMoonGroup(c.sun, c.moon), c.group);
    }
}

TEST(ChartCodes, AspectsLeaveOutNodeAndBlackMoonAndStopAt124Characters) {
    // Every body at 0°: each pair is a conjunction; the node (d) and the Black Moon (h)
    // never appear, the Ascendant (x) and the empty slot (y) do.
    const PointReals longitude{};
    EXPECT_EQ(AspectCodes(longitude), "eKl0eKm0eKv0eKa0eKg0eKs0eKu0eKn0eKp0eKx0eKy0"
                                      "lKm0lKv0lKa0lKg0lKs0lKu0lKn0lKp0lKx0lKy0"
                                      "mKv0mKa0mKg0mKs0mKu0mKn0mKp0mKx0mKy0"
                                      "vKa0");
}

// A program folder that reads the built correction tables.
class ChartCodesWithTables : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::filesystem::path tables =
            std::filesystem::path(EXORVEX_PROGRAM_DIR) / "FilePosi";
        ASSERT_TRUE(std::filesystem::exists(tables / "DSEL.rnd"))
            << "the correction tables are built into " << tables;
        std::filesystem::create_directory_symlink(tables, folder_.path() / "FilePosi");
        settings_.NodeKind = "MEDIO";
        settings_.ApogeeKind = "MEDIA";
    }
    test::ScratchFolder folder_;
    ChartState settings_;
};

SubjectEntry Einstein() {
    // 14 March 1879, 11:30 local mean time of 10° E (40 minutes before Greenwich), Ulm.
    SubjectEntry entry;
    entry.Name = "EINSTEIN ALBERT";
    entry.BirthDateText = "14/03/1879 11:30";
    entry.Correction = -0.6667L;
    entry.CoordinatesText = "48N24-010E00";
    entry.Gregorian = true;
    entry.JulianDay = JulianDayOf(1, 30, 11, 1879, 3, 14) + entry.Correction / 24;
    return entry;
}

TEST_F(ChartCodesWithTables, AChartAgreesWithTheReferenceEphemeris) {
    // The Swiss Ephemeris at that instant (mean node, mean apogee, Placidus): Sun 23°30′
    // Pisces, Moon 14°31′ Sagittarius, Mercury 3°08′, Venus 16°59′, Saturn 4°11′ Aries, Mars
    // 26°54′ Capricorn, Jupiter 27°29′ Aquarius, Uranus 1°17′ Virgo, Neptune 7°52′ and
    // Pluto 24°43′ Taurus, node 1°28′ Aquarius, Black Moon 27°58′ Aries; cusps 11°38′46″
    // Cancer, 28°37′ Cancer, 17°48′ Leo, 12°50′ Virgo, 18°19′56″ Libra, 3°06′ Sagittarius.
    const ChartCodes codes = ComputeChartCodes(Einstein(), settings_);
    EXPECT_EQ(codes.Planets,
              "10eP2306lR1410mA0310vA1607aC2609gQ2710sA0403uV0111nT0711pT2408dQ0111hA27");
    EXPECT_EQ(codes.Cusps, "01N1102N2803L1704V1205B1806R0307C1108C2809Q1710P1211A1812G03");
    EXPECT_EQ(codes.Aspects, "eJa3eJp1eKy6lZv2mKs1mKy3vWx5aZp2aJy3gOu4gWp3sKy4uZn7nJx4");
}

TEST_F(ChartCodesWithTables, WestMayBeWrittenOAndTheCurrentChartIsLeftAlone) {
    SubjectEntry west = Einstein();
    west.CoordinatesText = "40N43-074W00";
    SubjectEntry ovest = west;
    ovest.CoordinatesText = "40N43-074O00";
    GlobalChart().ChartLongitude[1] = 123;
    const ChartCodes codes = ComputeChartCodes(west, settings_);
    EXPECT_EQ(ComputeChartCodes(ovest, settings_).Cusps, codes.Cusps);
    EXPECT_NE(codes.Cusps, ComputeChartCodes(Einstein(), settings_).Cusps);
    EXPECT_EQ(GlobalChart().ChartLongitude[1], 123);
    GlobalChart().ChartLongitude[1] = 0;
}

TEST(ChartCodes, AMissingCorrectionTableIsAnInputOutputError) {
    const test::ScratchFolder folder; // no FilePosi
    EXPECT_THROW(ComputeChartCodes(Einstein()), InOutError);
}

} // namespace
} // namespace exo
