#include "analysis/MasterScoring.h"

#include "TestFolder.h"
#include "astro/Calendar.h"
#include "astro/CorrectionFiles.h"
#include "platform/Errors.h"
#include "platform/NumberText.h"
#include "platform/TextFile.h"
#include "shell/BuiltTables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace exo {
namespace {

using PlanetRow = std::array<std::int32_t, kScoredPlanets>;

PlanetRow RisingRow(long double ascendant) {
    PlanetRow row{};
    for (int k = 1; k <= kScoredPlanets; ++k)
        row[k - 1] = RisingSignAffinity(k, ascendant);
    return row;
}

TEST(RisingSignAffinity, TheLastThreeDegreesAddTheNextSign) {
    const PlanetRow taurus = {0, 9, 3, 10, -3, 2, 6, -2, 3, 2};
    const struct {
        long double ascendant;
        PlanetRow expected;
    } cases[] = {
        {30 + 27.5L, {1, 9, 11, 12, 0, 3, 11, 3, 8, 1}}, // Taurus + Gemini
        {30 + 26.9L, taurus},
        {30 + 27.0L, taurus},                             // 30 − 27 = 3 is not below 3
        {330 + 29.0L, {8, 3, -1, 7, 17, 14, 0, 9, 8, 0}}, // Pisces + Aries
    };
    for (const auto& c : cases)
        EXPECT_EQ(RisingRow(c.ascendant), c.expected) << c.ascendant;
}

TEST(TraditionalBonus, OnlyStrictlyInsideAPlanetsSectors) {
    // The bounds as the table holds them (doubles).
    const long double sunHigh = static_cast<double>(12.8572);
    const struct {
        int planet;
        long double longitude;
        int expected;
    } cases[] = {
        {1, sunHigh, 0},  {1, 0, 0},        {1, 95, 5},     {1, 6, 5},  {1, 275, 5},
        {2, sunHigh, 0},  {2, 13, 5},       {7, 359, 5},    {7, 90, 0}, {5, 25.7145L, 0},
        {6, 64.2862L, 0}, {4, 64.2862L, 0}, {3, 313.5L, 5}, {8, 6, 0},  {10, 95, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TraditionalBonus(c.planet, c.longitude), c.expected)
            << "planet " << c.planet << " at " << c.longitude;
}

// Equal houses of 30° from `first`.
CuspArray EqualCusps(long double first) {
    CuspArray cusp{};
    for (int h = 1; h <= 12; ++h)
        cusp[h] = std::fmod(first + 30 * (h - 1), 360.0L);
    return cusp;
}

TEST(ScoringHouse, APointOnACuspBelongsToTheHouseThatEndsThere) {
    const CuspArray cusp = EqualCusps(10);
    const struct {
        long double longitude;
        int expected;
    } cases[] = {{10, 1}, {40, 1}, {39.99L, 1}, {40.01L, 2}, {130, 4}, {280, 9}, {5, 12}};
    for (const auto& c : cases)
        EXPECT_EQ(ScoringHouse(c.longitude, cusp), c.expected) << c.longitude;

    // The chart's own rule puts a point on the cusp of house 5 in house 5.
    std::array<long double, 2> longitude = {0, 130};
    std::array<std::uint8_t, 2> house{};
    HouseOfPoints(1, longitude, cusp, house);
    EXPECT_EQ(house[1], 5);
}

TEST(HousePositionValue, WholeDegreesPastTheCuspPickTheDivision) {
    const CuspArray equal = EqualCusps(0);
    // House 1 spans 29.6°: a point on its end rounds to 30, one step past the house.
    CuspArray narrow = EqualCusps(0);
    narrow[2] = 29.6L;
    // House 12 spans 29.6° too: one step past it is the closing entry of the table.
    CuspArray narrowLast = EqualCusps(0);
    narrowLast[1] = 359.6L;
    // House 5 spans 0.6° (steps of 0.12°): rounding carries its end a whole degree out, and
    // the value still stops at the first of house 6's run.
    CuspArray sliver = EqualCusps(0);
    sliver[6] = 120.6L;
    const struct {
        const CuspArray* cusp;
        long double longitude;
        int house;
        int expected;
    } cases[] = {
        {&equal, 10.2L, 1, 10},       // d = 10, K = 2
        {&equal, 7.5L, 1, 10},        // d = 8 (halves to even), K = 2
        {&equal, 7.4L, 1, 11},        // d = 7, K = 1
        {&equal, 0, 1, 11},           // d = 0, K = 1
        {&equal, 29.9L, 1, 8},        // d = 30, the end of the fourth step: K = 4
        {&narrow, 29.6L, 1, 7},       // d = 30 > 29.6: K = n + 1, house 2's first value
        {&equal, 355, 12, 6},         // d = 25, K = 5
        {&narrowLast, 359.6L, 12, 0}, // d = 30 > 29.6: K = n + 1
        {&sliver, 120, 5, 7},         // d = 0
        {&sliver, 120.6L, 5, 2},      // d = 1, stopped at K = n + 1
        {&equal, 100, 0, 0},          // no house
    };
    for (const auto& c : cases)
        EXPECT_EQ(HousePositionValue(c.longitude, c.house, *c.cusp), c.expected)
            << c.longitude << " in house " << c.house;
}

TEST(SpeedValue, SlowOrdinaryAndFastMotionEitherWay) {
    const struct {
        int planet;
        double speed;
        int expected;
    } cases[] = {
        {1, 0.9856, 3}, {1, 0.95, 1},      {1, 1.02, 5},      {1, 0.966, 3}, {1, 1.0, 3},
        {2, 14.0, 3},   {2, 14.2, 5},      {3, -0.5, -3},     {3, -0.2, -1}, {3, -1.0, -5},
        {3, 0, 1},      {10, -0.0097, -3}, {10, -0.0098, -5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SpeedValue(c.planet, c.speed), c.expected)
            << "planet " << c.planet << " at " << c.speed;
}

TEST(DailySpeed, TheShortWayRoundAries) {
    EXPECT_NEAR(DailySpeed(0.001L, 359.9995L), -0.018, 1e-9);
    EXPECT_EQ(SpeedValue(3, DailySpeed(0.001L, 359.9995L)), -1);
    EXPECT_NEAR(DailySpeed(359.95L, 0.03L), 0.96, 1e-9);
    EXPECT_NEAR(DailySpeed(297.292129L, 297.377001L), 1.018464, 1e-9);
}

TEST(GenderAgreement, OddSignsAreMasculine) {
    EXPECT_EQ(GenderAgreement(1, 1), 3);
    EXPECT_EQ(GenderAgreement(1, 2), -3);
    EXPECT_EQ(GenderAgreement(2, 1), -3);
    EXPECT_EQ(GenderAgreement(9, 12), 3);
    EXPECT_EQ(GenderAgreement(3, 5), 0);
    for (int sign = 1; sign <= 12; ++sign)
        EXPECT_EQ(GenderAgreement(7, sign), sign == 10 || sign == 11 ? 3 : 0) << sign;
}

TEST(ElementStrengths, ScaledToTheStrongestSign) {
    using Totals = std::array<std::int32_t, kScoringPoints + 1>;
    using Signs = std::array<int, kScoringPoints + 1>;
    // Only Aries and Leo hold points.
    const Signs ariesAndLeo = {0, 1, 1, 1, 5, 5, 5, 1, 5, 1, 5, 1, 5};
    const struct {
        Totals total;
        Signs sign;
        ElementStrengths expected;
    } cases[] = {
        // Sign sums 20 and 10: 50 + 25 + 1 fire, 1 + 1 + 1 for the others.
        {{0, 15, 5, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0}, ariesAndLeo, {76, 3, 3, 3}},
        // Sums 40 and 30: 50 + 37.5 + 1 = 88.5 rounds to even.
        {{0, 40, 0, 0, 30, 0, 0, 0, 0, 0, 0, 0, 0}, ariesAndLeo, {88, 3, 3, 3}},
        // A negative sign counts 1 like an empty one.
        {{0, 20, 0, 0, -10, 0, 0, 0, 0, 0, 0, 0, 0}, ariesAndLeo, {52, 3, 3, 3}},
        // No positive sign: every sign counts 1.
        {{0, -3, 0, 0, -10, 0, 0, 0, 0, 0, 0, 0, 0}, ariesAndLeo, {3, 3, 3, 3}},
        {{}, ariesAndLeo, {3, 3, 3, 3}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ElementStrengthsOf(c.total, c.sign), c.expected);
}

TEST(ScoreBlocks, TheAnglesGetASignAndAHouseButNoScore) {
    ScoringChart chart;
    chart.cusp = EqualCusps(10);
    for (int k = 1; k <= kScoredPlanets; ++k) {
        chart.longitude[k] = 12.0L * k;
        chart.later[k] = 12.0L * k + 0.05L;
    }
    chart.longitude[kScoringAscendant] = chart.cusp[1];
    chart.longitude[kScoringMidheaven] = chart.cusp[10];
    MasterScores scores = ScoreBlocks(chart);
    AddUpScores(scores);
    EXPECT_EQ(scores.house[kScoringAscendant], 1);
    EXPECT_EQ(scores.house[kScoringMidheaven], 9);
    EXPECT_EQ(scores.sign[kScoringMidheaven], 10);
    EXPECT_EQ(scores.total[kScoringAscendant], 0);
    EXPECT_EQ(scores.total[kScoringMidheaven], 0);
    for (int k = 1; k <= kScoredPlanets; ++k) {
        std::int32_t sum = 0;
        for (const PlanetScores& block : scores.blocks)
            sum += block[k];
        EXPECT_EQ(scores.total[k], sum) << k;
    }
}

// DatiNasc.Tmp as the analysis window writes it (lines 1 to 5 are what the scorer reads).
void WriteNatalLines(const test::ScratchFolder& folder, const std::string& name,
                     const std::string& stamp, const std::string& place,
                     const std::string& julianDay = ScientificText(2436935.0L)) {
    folder.write("FileTmp/DatiNasc.Tmp",
                 name + "\r\n" + stamp + "\r\n" + place + "\r\nPLACIDO\r\n" + julianDay + "\r\n");
}

TEST(ReadNatalData, TheBirthHeaderAndTheJulianDayOfTheStamp) {
    const test::ScratchFolder folder;
    WriteNatalLines(folder, "ROSSI MARIO", "196001011030-1,00", "45N28-009E11Milano     ");
    ChartState chart;
    EXPECT_EQ(ReadNatalData(chart), "Nascita a Milano il 01/01/1960 10:30  GMT+1,00");
    EXPECT_EQ(chart.TimeCorrection, -1);
    EXPECT_EQ(chart.JulianDay, JulianDayOf(1, 30, 10, 1960, 1, 1) - 1.0L / 24);
    EXPECT_TRUE(chart.GregorianCalendar);
    EXPECT_EQ(chart.SubjectName, "ROSSI MARIO");
    EXPECT_EQ(chart.CorrectionText, "-1,00");
    EXPECT_EQ(chart.CoordinatesText, "45N28-009E11");
    EXPECT_EQ(chart.LatitudeDegrees, 45);
    EXPECT_EQ(chart.LatitudeMinutes, 28);
    EXPECT_EQ(chart.LongitudeDegrees, 9);
    EXPECT_EQ(chart.LongitudeMinutes, 11);
    EXPECT_EQ(chart.LongitudeLetter, "E");
    EXPECT_EQ(chart.BirthHourWhole, 10);
    EXPECT_EQ(chart.BirthMinuteWhole, 30);
}

TEST(ReadNatalData, CorrectionAndCalendarCases) {
    const struct {
        std::string stamp;
        long double correction;
        std::string headerEnd;
        bool gregorian;
    } cases[] = {
        {"196001011030-1.00", -1, "10:30  GMT+1.00", true},
        {"194201171835+6", 6, "18:35  GMT-6", true},
        {"1942011718352", 2, "18:35  GMT", true},      // an unsigned correction names no zone
        {"194201171835abc", 0, "18:35  GMT", true},    // no number: 0
        {"1942011718359E4000", 0, "18:35  GMT", true}, // no exponents either
        {"194201171835-1,5,0", 0, "18:35  GMT+1,5,0", true},
        {"194201171835-0.75", -0.75L, "18:35  GMT+0.75", true},
        {"194201171835", 0, "18:35  GMT", true},
        {"158210151200+0,5", 0.5L, "12:00  GMT-0,5", false}, // the reform day is Julian
        {"158210161200+0,5", 0.5L, "12:00  GMT-0,5", true},
    };
    for (const auto& c : cases) {
        const test::ScratchFolder folder;
        WriteNatalLines(folder, "X", c.stamp, "45N28-009E11Milano");
        ChartState chart;
        const std::string header = ReadNatalData(chart);
        EXPECT_EQ(chart.TimeCorrection, c.correction) << c.stamp;
        EXPECT_EQ(header.substr(header.size() - c.headerEnd.size()), c.headerEnd) << c.stamp;
        EXPECT_EQ(chart.GregorianCalendar, c.gregorian) << c.stamp;
    }
}

TEST(ReadNatalData, AMissingOrDamagedFileIsAnError) {
    const test::ScratchFolder folder;
    ChartState chart;
    EXPECT_THROW(ReadNatalData(chart), InOutError);
    folder.write("FileTmp/DatiNasc.Tmp", "X\r\n196001011030-1,00\r\n45N28-009E11\r\nPLACIDO\r\n");
    EXPECT_THROW(ReadNatalData(chart), InOutError);
    WriteNatalLines(folder, "X", "196001011030-1,00", "45N28-009E11", "JD");
    EXPECT_THROW(ReadNatalData(chart), InOutError);
}

TEST(WriteNatalDataFile, EightyFiveLinesFromTheChart) {
    const test::ScratchFolder folder;
    ChartState chart;
    chart.SubjectName = "ROSSI MARIO";
    chart.BirthStamp = "196001011030-1,00";
    chart.BirthPlaceField = "45N28-009E11Milano";
    chart.HouseSystemName = "PLACIDO";
    chart.JulianDay = 2436934.89583333L;
    for (int point = 1; point <= kLastPoint; ++point) {
        chart.ChartLongitude[point] = 10.0L * point;
        chart.ChartLatitude[point] = -0.5L * point;
        chart.RetroMark[point] = point == 4 ? "r" : " ";
    }
    for (int h = 1; h <= 12; ++h)
        chart.HouseCusp[h] = 30.0L * h;
    WriteNatalDataFile(chart);

    const std::vector<std::string> lines = ReadTextLines("FileTmp\\DatiNasc.Tmp");
    ASSERT_EQ(lines.size(), 85u);
    EXPECT_EQ(lines[0], "ROSSI MARIO");
    EXPECT_EQ(lines[1], "196001011030-1,00");
    EXPECT_EQ(lines[2], "45N28-009E11Milano");
    EXPECT_EQ(lines[3], "PLACIDO");
    EXPECT_EQ(lines[4], " 2.43693489583333E+0006");
    EXPECT_EQ(lines[5], " 1.00000000000000E+0001");  // longitude 1
    EXPECT_EQ(lines[26], " 2.20000000000000E+0002"); // longitude 22
    EXPECT_EQ(lines[27], " 3.00000000000000E+0001"); // cusp 1
    EXPECT_EQ(lines[38], " 3.60000000000000E+0002"); // cusp 12
    EXPECT_EQ(lines[39], "LATITUDINI");
    EXPECT_EQ(lines[40], "-5.00000000000000E-0001"); // latitude 1
    EXPECT_EQ(lines[51], "-6.00000000000000E+0000"); // latitude 12
    EXPECT_EQ(lines[52], "RETROGRADI");
    EXPECT_EQ(lines[53], " ");
    EXPECT_EQ(lines[56], "r");
    EXPECT_EQ(lines[75], "-6.50000000000000E+0000"); // latitude 13
    EXPECT_EQ(lines[84], "-1.10000000000000E+0001"); // latitude 22
    EXPECT_NE(folder.read("FileTmp/DatiNasc.Tmp").find("PLACIDO\r\n"), std::string::npos);
}

// The scorer's own chart needs the built correction tables (the Moon's table covers 1942).
class MasterScoringRun : public testing::Test {
  protected:
    void SetUp() override {
        test::LinkBuiltCorrectionTables(folder.path());
        chart.HouseSystemName = "PLACIDO";
        chart.NodeKind = "MEDIO";
        chart.ApogeeKind = "MEDIA";
    }
    void TearDown() override { ForgetCorrectionFiles(); }

    const test::ScratchFolder folder;
    ChartState chart;
};

// ALI MUHAMMAD of the installed TMPR archive: born 17 January 1942 at 18:35 in Louisville
// (38N15 085W46), correction +6. Julian Day 2430377.52430556. The scorer's chart:
//   λ at birth and two hours later, sign, house (Placidus):
//    1 Sun      297.292129 → 297.377001  Capricorn (10)   house 6
//    2 Moon     312.432226 → 313.618316  Aquarius  (11)   house 6
//    3 Mercury  313.516761 → 313.644221  Aquarius         house 6
//    4 Venus    320.681607 → 320.664058  Aquarius         house 7
//    5 Mars      33.072411 →  33.115010  Taurus    (2)    house 9
//    6 Jupiter   71.954186 →  71.949073  Gemini    (3)    house 10
//    7 Saturn    51.660692 →  51.659871  Taurus           house 10
//    8 Uranus    56.468963 →  56.467774  Taurus           house 10
//    9 Neptune  179.801340 → 179.800565  Virgo     (6)    house 2
//   10 Pluto    124.803989 → 124.802111  Leo       (5)    house 12
//   11 Ascendant 139.525519 Leo, 12 Midheaven 42.221331 Taurus.
//   Cusps 1–12: 139.525519 162.099400 189.556313 222.221331 257.340489 290.423090
//               319.525519 342.099400   9.556313  42.221331  77.340489 110.423090
TEST_F(MasterScoringRun, AliMuhammadReportLineByLine) {
    WriteNatalLines(folder, "ALI MUHAMMAD                          ", "194201171835+6",
                    "38N15-085W46Louisville (KY)", ScientificText(2430377.52430556L));
    RunMasterScoring(chart);

    const std::vector<std::string> expected = {
        "*MaitreZevururi*ALI MUHAMMAD                          ",
        "ALI MUHAMMAD                          ",
        // The correction +6 is named from Greenwich: GMT-6.
        "Nascita a Louisville (KY) il 17/01/1942 18:35  GMT-6",
        "SOL  LUN  MER  VEN  MAR  GIO  SAT  URA  NET  PLU",
        // The Ascendant is at 19.53° Leo (30 − 19.53 ≥ 3): the Leo row alone.
        "AFFINITA' CON SEGNO ASCEND ",
        "8",
        "0",
        "2",
        "2",
        "3",
        "6",
        "0",
        "-5",
        "10",
        "5",
        // SignPlanetValue of each planet's own sign: Sun in Capricorn 1; Moon, Mercury and
        // Venus in Aquarius 1, 6, 3; Mars in Taurus −3; Jupiter in Gemini 1; Saturn and
        // Uranus in Taurus 6, −2; Neptune in Virgo −5; Pluto in Leo 5.
        "VALORE PIANETI NEI SEGNI",
        "1",
        "1",
        "6",
        "3",
        "-3",
        "1",
        "6",
        "-2",
        "-5",
        "5",
        // Mercury 313.52 lies in its sector 308.5717–321.4289, Mars 33.07 in 25.7147–38.5717;
        // Sun 297.29, Moon 312.43, Venus 320.68, Jupiter 71.95 and Saturn 51.66 lie in none
        // of theirs; Uranus to Pluto never score.
        "MAGGIORAZ PIAN TRADIZION ",
        "0",
        "0",
        "5",
        "0",
        "5",
        "0",
        "0",
        "0",
        "0",
        "0",
        // Whole degrees past the cusp against steps of span ÷ n:
        // Sun h6 (29.10°, 5 steps of 5.82): d = 7, K = 2 → entry 25 = 2;
        // Moon h6: d = 22, K = 4 → 4; Mercury h6: d = 23 (< 23.28), K = 4 → 4;
        // Venus h7 (22.57°, 4 of 5.64): d = 1, K = 1 → 10;
        // Mars h9 (32.67°, 3 of 10.89): d = 24, K = 3 → 8;
        // Jupiter h10 (35.12°, 3 of 11.71): d = 30, K = 3 → 8; Saturn d = 9, K = 1 → 10;
        // Uranus d = 14, K = 2 → 9; Neptune h2 (27.46°, 5 of 5.49): d = 18, K = 4 → 2;
        // Pluto h12 (29.10°, 6 of 4.85): d = 14 (< 14.55), K = 3 → 2.
        "VALORE PIANETI NELLE CASE",
        "2",
        "4",
        "4",
        "10",
        "8",
        "8",
        "10",
        "9",
        "2",
        "2",
        // PlanetHouseAffinity: Sun h6 0, Moon h6 0, Mercury h6 3, Venus h7 2, Mars h9 0,
        // Jupiter h10 0, Saturn h10 3, Uranus h10 0, Neptune h2 0, Pluto h12 0.
        "AFFINITA' PIANETA CON CASA",
        "0",
        "0",
        "3",
        "2",
        "0",
        "0",
        "3",
        "0",
        "0",
        "0",
        // Odd signs masculine: Sun in Capricorn −3, Moon in Aquarius −3, Mercury 0, Venus in
        // Aquarius −3, Mars in Taurus −3, Jupiter in Gemini 3, Saturn 0 (only Capricorn and
        // Aquarius agree), Uranus in Taurus −3, Neptune in Virgo 3, Pluto in Leo 3.
        "AFFIN SESSO PIANETA/SEGNO",
        "-3",
        "-3",
        "0",
        "-3",
        "-3",
        "3",
        "0",
        "-3",
        "3",
        "3",
        // (later − birth) × 12: Sun 1.0185 > 1.0 → 5; Moon 14.233 > 14 → 5; Mercury 1.5295
        // in 0.8333–1.6667 → 3; Venus −0.2106, below 0.3 → −1; Mars 0.5112 in
        // 0.3333–0.6167 → 3; Jupiter −0.0614 in 0.0417–0.0834 → −3; Saturn −0.0099, below
        // 0.025 → −1; Uranus −0.0143 in 0.0125–0.025 → −3; Neptune −0.0093 in
        // 0.007–0.0139 → −3; Pluto −0.0225 beyond 0.0097 → −5.
        "VALORE PER VELOC PIANETA",
        "5",
        "5",
        "3",
        "-1",
        "3",
        "-3",
        "-1",
        "-3",
        "-3",
        "-5",
        // The column sums: Sun 8+1+0+2+0−3+5 = 13, Moon 7, Mercury 23, Venus 13, Mars 13,
        // Jupiter 15, Saturn 18, Uranus −4, Neptune 7, Pluto 10.
        "TOTALE",
        "13",
        "7",
        "23",
        "13",
        "13",
        "15",
        "18",
        "-4",
        "7",
        "10",
        // Sign sums: Capricorn 13, Aquarius 43 (the maximum), Taurus 27, Gemini 15, Virgo 7,
        // Leo 10, the rest 0 → 1. Scaled by 50/43: fire 1 + 11.63 + 1 = 13.63 → 14; earth
        // 31.40 + 8.14 + 15.12 = 54.65 → 55; air 17.44 + 1 + 50 = 68.44 → 68; water 3.
        "014",
        "055",
        "068",
        "003",
    };
    EXPECT_EQ(ReadTextLines("FileDum\\MMMaitre.dum"), expected);

    // The powers, then the strengths of all ten and of Sun to Saturn (Taurus 31, Leo and
    // Virgo 0: earth 36.05 + 1 + 15.12 = 52.16 → 52, fire 3).
    const std::vector<std::string> powers = {"13",  "7",   "23",  "13",  "13",  "15",
                                             "18",  "-4",  "7",   "10",  "014", "055",
                                             "068", "003", "003", "052", "068", "003"};
    EXPECT_EQ(ReadTextLines("FileDum\\MMMaitr2.dum"), powers);
    EXPECT_EQ(ReadTextLines("FileDum\\Dati.dum"),
              (std::vector<std::string>{"2", "4", "4", "10", "8", "8", "10", "9", "2", "2"}));

    // The chart is left with the birth data of the file and the positions two hours later.
    EXPECT_EQ(chart.TimeCorrection, 6);
    EXPECT_EQ(chart.JulianDay, JulianDayOf(1, 35, 18, 1942, 1, 17) + 6.0L / 24);
    EXPECT_NEAR(chart.ChartLongitude[1], 297.377001L, 1e-5);
    EXPECT_NEAR(chart.HouseCusp[2], 162.0994L, 1e-4);
    EXPECT_EQ(chart.LongitudeLetter, "W");
}

TEST_F(MasterScoringRun, AMissingDataFileWritesNothing) {
    EXPECT_THROW(RunMasterScoring(chart), InOutError);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "FileDum"));
}

} // namespace
} // namespace exo
