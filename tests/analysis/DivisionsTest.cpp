// The dignities and the classical divisions of the chart points.
#include "analysis/Divisions.h"
#include "DivisionsSample.h"
#include "analysis/Dignities.h"
#include "platform/Cp1252.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace exo {
namespace {

constexpr long double kTolerance = 1e-12L;

// The dignity table written out sign by sign: {planet, sign} → code.
TEST(DignityOf, TheTableOfTheSevenPlanets) {
    const std::map<std::pair<int, int>, int> table = {
        {{1, 5}, Domicile},    {{1, 1}, Exaltation}, {{1, 11}, Exile},      {{1, 7}, Fall},
        {{2, 4}, Domicile},    {{2, 2}, Exaltation}, {{2, 10}, Exile},      {{2, 8}, Fall},
        {{3, 3}, Domicile},    {{3, 6}, Domicile},   {{3, 11}, Exaltation}, {{3, 9}, Exile},
        {{3, 12}, Exile},      {{3, 5}, Fall},       {{4, 2}, Domicile},    {{4, 7}, Domicile},
        {{4, 12}, Exaltation}, {{4, 1}, Exile},      {{4, 8}, Exile},       {{4, 6}, Fall},
        {{5, 1}, Domicile},    {{5, 8}, Domicile},   {{5, 10}, Exaltation}, {{5, 2}, Exile},
        {{5, 7}, Exile},       {{5, 4}, Fall},       {{6, 9}, Domicile},    {{6, 12}, Domicile},
        {{6, 4}, Exaltation},  {{6, 3}, Exile},      {{6, 6}, Exile},       {{6, 10}, Fall},
        {{7, 10}, Domicile},   {{7, 11}, Domicile},  {{7, 7}, Exaltation},  {{7, 4}, Exile},
        {{7, 5}, Exile},       {{7, 1}, Fall},
    };
    for (int planet = 1; planet <= 7; ++planet) {
        for (int sign = 1; sign <= 12; ++sign) {
            const auto found = table.find({planet, sign});
            EXPECT_EQ(DignityOf(planet, sign), found == table.end() ? NoDignity : found->second)
                << "planet " << planet << " sign " << sign;
        }
    }
    // The nodes, the angles and signs out of range hold no dignity.
    EXPECT_EQ(DignityOf(8, 5), NoDignity);
    EXPECT_EQ(DignityOf(1, 0), NoDignity);
    EXPECT_EQ(DignityOf(1, 13), NoDignity);
}

TEST(DomicileRuler, EverySignHasItsRuler) {
    const int rulers[12] = {5, 4, 3, 2, 1, 3, 4, 5, 6, 7, 7, 6};
    for (int sign = 1; sign <= 12; ++sign)
        EXPECT_EQ(DomicileRuler(sign), rulers[sign - 1]) << "sign " << sign;
    EXPECT_THROW(DomicileRuler(0), std::out_of_range);
}

TEST(DignityLabel, TheScreenLabels) {
    EXPECT_EQ(DignityLabel(NoDignity), "");
    EXPECT_EQ(DignityLabel(Domicile), "Domic.");
    EXPECT_EQ(DignityLabel(Exaltation), "Exaltac.");
    EXPECT_EQ(DignityLabel(Exile), "Exilio");
    EXPECT_EQ(DignityLabel(Fall), "Caida");
    EXPECT_EQ(DignityLabel(Reception), "Intercam.");
}

TEST(CodeTables, MemoNamesKeepTheirBlanksAndAccents) {
    EXPECT_EQ(PointMemoName(6), "JÚPITER"_cp);
    EXPECT_EQ(PointMemoName(11), "MEDIOCIELO");
    EXPECT_EQ(SignMemoName(1), "ARIES      ");
    EXPECT_EQ(SignMemoName(3), "GÉMINIS    "_cp);
    EXPECT_EQ(SignMemoName(5), "LEO       ");
    EXPECT_EQ(SignMemoName(11), "ACUARIO ");
    EXPECT_EQ(SignAbbreviation3(4), "Cán"_cp);
    // Aquarius: written "Ac" in the sign key file, looked up "Aq" in the general texts.
    EXPECT_EQ(SignKeyCode2(11), "Ac");
    EXPECT_EQ(SignLookupCode2(11), "Aq");
    EXPECT_EQ(HouseOrdinalCode(12), "Dodi");
    EXPECT_EQ(SignMidpoint(12), 345.0L);
    EXPECT_THROW(PointKeyCode4(12), std::out_of_range);
    EXPECT_THROW(SignKeyCode4(0), std::out_of_range);
}

TEST(Mirrors, AntiscionAndContrantiscion) {
    struct Case {
        long double longitude, antiscion, contrantiscion;
    };
    const Case cases[] = {
        {15, 345, 165}, {90, 270, 90}, {180, 180, 0}, {195, 165, 345}, {359.5L, 0.5L, 180.5L},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(Antiscion(c.longitude), c.antiscion, kTolerance) << c.longitude;
        EXPECT_NEAR(Contrantiscion(c.longitude), c.contrantiscion, kTolerance) << c.longitude;
    }
}

TEST(DodecatemoriaOf, TwelveTimesThePlaceInTheSign) {
    struct Case {
        long double longitude, dodecatemoria;
    };
    const Case cases[] = {
        {15, 195}, {0, 0}, {29.5L, 23.5L}, {30, 30}, {100, 220}, {359, 347},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(DodecatemoriaOf(c.longitude), c.dodecatemoria, 1e-9L) << c.longitude;
}

// A point on a multiple of 10° belongs to the década and the decan that begin there, the
// one at 10° too (it closes the sector 0°–10° as well).
TEST(DecadeAndDecan, TenDegreeSectorsFromAries) {
    struct Case {
        long double longitude;
        int sector;
    };
    const Case cases[] = {
        {0, 1},  {5, 1},    {9.999L, 1}, {10, 2},        {20, 3},
        {25, 3}, {180, 19}, {350, 36},   {359.999L, 36}, {15, 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecadeOf(c.longitude), c.sector) << c.longitude;
        EXPECT_EQ(DecanOf(c.longitude), c.sector) << c.longitude;
    }
    EXPECT_EQ(DecanKeyOf(1, 45), "SolDec05");
    EXPECT_EQ(DecanKeyOf(11, 355), "MciDec36");
    EXPECT_EQ(DecanKeyOf(8, 0), "NonDec01");
}

// Sixty 6° sectors, the first beginning 15° before the Ascendant.
TEST(TermOf, SixDegreeSectorsFromFifteenBeforeTheAscendant) {
    struct Case {
        long double ascendant, longitude;
        int term;
    };
    const Case cases[] = {
        {100, 85, 1},
        {100, 90.99L, 1},
        {100, 91, 2},
        {100, 96.9L, 2},
        {100, 97, 3},
        {100, 84.9L, 60},
        {100, 79, 60},
        {100, 265, 31},
        {100, 0, 46},
        // The sectors cross 0° Aries.
        {5, 350, 1},
        {5, 349.9L, 60},
        {5, 0, 2},
        {5, 356, 2},
        {359, 344, 1},
        {359, 343.9L, 60},
        {0, 345, 1},
        {0, 351, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TermOf(c.longitude, c.ascendant), c.term)
            << "ascendant " << c.ascendant << " point " << c.longitude;
}

TEST(ComputeDivisions, EveryTableOfTheElevenPoints) {
    DivisionValues values;
    ComputeDivisions(test::DivisionsSampleChart(), values);
    const int dignity[8] = {0,         Exaltation, NoDignity, NoDignity,
                            NoDignity, Fall,       NoDignity, NoDignity};
    for (int planet = 1; planet <= 7; ++planet)
        EXPECT_EQ(values.DignityCode[static_cast<std::size_t>(planet)], dignity[planet]);

    struct Row {
        int decade, term;
        const char* decan;
        long double dodecatemoria;
        int dodecaSign, dodecaDecade, dodecaTerm;
        const char* dodecaDecan;
    };
    const Row rows[12] = {
        {},
        {2, 49, "SolDec02", 195, 7, 20, 19, "SolDec20"},
        {1, 46, "LunDec01", 0, 1, 1, 46, "LunDec01"},
        {3, 50, "MerDec03", 260, 9, 27, 30, "MerDec27"},
        {9, 60, "VenDec09", 23.7L, 1, 3, 50, "VenDec03"},
        {10, 2, "MarDec10", 103, 4, 11, 4, "MarDec11"},
        {21, 20, "GioDec21", 80, 3, 9, 60, "GioDec09"},
        {26, 28, "SatDec26", 16.5L, 1, 2, 49, "SatDec02"},
        {14, 8, "NonDec14", 250, 9, 26, 28, "NonDec26"},
        {32, 38, "NosDec32", 70, 3, 8, 58, "NosDec08"},
        {11, 3, "AscDec11", 220, 8, 23, 23, "AscDec23"},
        {2, 48, "MciDec02", 130, 5, 14, 8, "MciDec14"},
    };
    for (int point = 1; point <= 11; ++point) {
        const auto i = static_cast<std::size_t>(point);
        const Row& row = rows[point];
        EXPECT_EQ(values.DecadeNumber[i], row.decade) << point;
        EXPECT_EQ(values.TermNumber[i], row.term) << point;
        EXPECT_EQ(values.DecanKey[i], row.decan) << point;
        EXPECT_NEAR(values.DodecatemoriaLongitude[i], row.dodecatemoria, 1e-9L) << point;
        EXPECT_EQ(values.DodecatemoriaSign[i], row.dodecaSign) << point;
        EXPECT_EQ(values.DodecaDecadeNumber[i], row.dodecaDecade) << point;
        EXPECT_EQ(values.DodecaTermNumber[i], row.dodecaTerm) << point;
        EXPECT_EQ(values.DodecaDecanKey[i], row.dodecaDecan) << point;
    }
}

} // namespace
} // namespace exo
