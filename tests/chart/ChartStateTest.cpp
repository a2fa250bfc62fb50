#include "chart/ChartState.h"
#include "platform/Cp1252.h"

#include <gtest/gtest.h>

#include <limits>

namespace exo {
namespace {

TEST(SignOfPoints, SignBoundaries) {
    PointReals longitude{};
    PointBytes sign{};
    longitude[1] = 0;
    longitude[2] = 29.9999L;
    longitude[3] = 30;
    longitude[4] = 359.9999L;
    longitude[22] = 180;
    SignOfPoints(kLastPoint, longitude, sign);
    EXPECT_EQ(sign[1], 1);
    EXPECT_EQ(sign[2], 1);
    EXPECT_EQ(sign[3], 2);
    EXPECT_EQ(sign[4], 12);
    EXPECT_EQ(sign[22], 7);
    EXPECT_EQ(sign[0], 0) << "slot 0 is never used";
    EXPECT_EQ(sign[23], 0) << "slot 23 is never used";
    EXPECT_EQ(SignOfLongitude(std::numeric_limits<long double>::quiet_NaN()), 0);
    EXPECT_EQ(SignOfLongitude(1e300L), 0);
}

std::array<long double, 16> EqualCusps(long double first) {
    std::array<long double, 16> cusp{};
    for (int h = 1; h <= 12; ++h) {
        long double c = first + 30.0L * (h - 1);
        cusp[h] = c >= 360 ? c - 360 : c;
    }
    return cusp;
}

struct HouseCase {
    long double longitude;
    int house;
};

TEST(HouseOfPoints, EqualHousesFromTenDegrees) {
    const HouseCase cases[] = {
        {40, 2},     // exactly on the cusp of house 2: the house that begins there
        {39.99L, 1}, //
        {5, 12},     // before the first cusp, across 0°
        {10, 1},     // on the Ascendant
        {340, 12},   // on the last cusp
        {339.9L, 11}, {0, 12}, {195, 7},
    };
    const auto cusp = EqualCusps(10);
    PointReals longitude{};
    PointBytes house{};
    int n = 0;
    for (const HouseCase& c : cases)
        longitude[++n] = c.longitude;
    HouseOfPoints(n, longitude, cusp, house);
    for (int i = 1; i <= n; ++i)
        EXPECT_EQ(house[i], cases[i - 1].house)
            << "longitude " << static_cast<double>(longitude[i]);
}

TEST(HouseOfPoints, UnequalHousesAcrossAries) {
    // Cusps that wrap through 0° Aries inside house 12 and house 1.
    std::array<long double, 16> cusp{};
    const long double cusps[12] = {350, 20, 45, 70, 100, 140, 170, 200, 225, 250, 280, 320};
    for (int h = 1; h <= 12; ++h)
        cusp[h] = cusps[h - 1];
    PointReals longitude{};
    PointBytes house{};
    longitude[1] = 355;
    longitude[2] = 5;
    longitude[3] = 349;
    longitude[4] = 321;
    HouseOfPoints(4, longitude, cusp, house);
    EXPECT_EQ(house[1], 1);
    EXPECT_EQ(house[2], 1);
    EXPECT_EQ(house[3], 12);
    EXPECT_EQ(house[4], 12);
}

TEST(HouseOfPoints, PointNoHouseTakesKeepsItsEntry) {
    // A longitude outside [0, 360) matches no house.
    const auto cusp = EqualCusps(10);
    PointReals longitude{};
    PointBytes house{};
    longitude[1] = 800;
    house[1] = 9;
    HouseOfPoints(1, longitude, cusp, house);
    EXPECT_EQ(house[1], 9);
}

TEST(ClearChartState, EverythingBackToZeroAndEmpty) {
    ChartState chart;
    chart.ChartLongitude[5] = 12.5L;
    chart.RetroMark[3] = "r";
    chart.PointSign[7] = 4;
    chart.HouseCusp[12] = 300;
    chart.SubjectName = "Somebody";
    chart.GregorianCalendar = true;
    chart.HouseMode = 1;
    chart.SubjectNotes = "notes";
    chart.LatitudeLetter = "N";
    ClearChartState(chart);
    EXPECT_EQ(chart.ChartLongitude[5], 0);
    EXPECT_TRUE(chart.RetroMark[3].empty());
    EXPECT_EQ(chart.PointSign[7], 0);
    EXPECT_EQ(chart.HouseCusp[12], 0);
    EXPECT_TRUE(chart.SubjectName.empty());
    EXPECT_FALSE(chart.GregorianCalendar);
    EXPECT_EQ(chart.HouseMode, 0);
    EXPECT_TRUE(chart.SubjectNotes.empty());
    EXPECT_TRUE(chart.LatitudeLetter.empty());
}

TEST(ChartState, FieldCapacitiesCutLongTexts) {
    ChartState chart;
    chart.BirthPlaceField = std::string(60, 'x');
    chart.HouseSystemName = "CASE_MEDIE_AND_MORE_TEXT";
    EXPECT_EQ(chart.BirthPlaceField.size(), 39u);
    EXPECT_EQ(chart.HouseSystemName.view(), "CASE_MEDIE_AND_");
}

TEST(NameTables, ValuesKeepTheirBlanksAndAccents) {
    EXPECT_EQ(PointLabel(1), "SOL      ");
    EXPECT_EQ(PointLabel(6), "JÚPITER  "_cp);
    EXPECT_EQ(PointLabel(10), "PLUTÓN    "_cp);
    EXPECT_EQ(PointLabel(12), "LUNA NEGRA");
    EXPECT_EQ(SignLabel(3), "GÉMINIS    "_cp);
    EXPECT_EQ(SignLabel(9), "SAGITARIO");
    EXPECT_EQ(SignLabel(10), "CAPRICORNIO");
    EXPECT_EQ(ChartPointLabel(8), "NODONORTE");
    EXPECT_EQ(ChartPointLabel(9), "NODOSUR");
    EXPECT_EQ(ChartPointLabel(11), "");
    for (int i = 1; i <= 12; ++i) {
        EXPECT_LE(PointLabel(i).size(), 10u) << i;
        EXPECT_LE(SignLabel(i).size(), 11u) << i;
    }
    EXPECT_THROW(PointLabel(13), std::out_of_range);
    EXPECT_THROW(SignLabel(0), std::out_of_range);
    EXPECT_THROW(ChartPointLabel(12), std::out_of_range);
}

TEST(PointNumbering, BothOrdersShareTheSevenPlanetsAndDifferAfter) {
    EXPECT_EQ(EphemerisOrder::Saturn, ChartOrder::Saturn);
    EXPECT_EQ(EphemerisOrder::Uranus, ChartOrder::NorthNode);
    EXPECT_EQ(EphemerisOrder::Ascendant, ChartOrder::AscendantCopy);
    EXPECT_EQ(EphemerisOrder::Chiron, 19);
    EXPECT_EQ(ChartOrder::Midheaven, kTraditionalPoints);
}

} // namespace
} // namespace exo
