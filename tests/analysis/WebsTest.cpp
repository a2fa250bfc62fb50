#include "analysis/Webs.h"

#include "TestFolder.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace exo {
namespace {

TEST(SignClassification, TheWebCodesOfTheTwelveSigns) {
    const char* const elemental[12] = {"FS", "TS", "AS", "WS", "FZ", "TZ",
                                       "AZ", "WZ", "FM", "TM", "AM", "WM"};
    const char* const seasonal[12] = {"CA", "FA", "MA", "CF", "FF", "MF",
                                      "CT", "FT", "MT", "CW", "FW", "MW"};
    for (int sign = 1; sign <= 12; ++sign) {
        EXPECT_EQ(ElementalWebCode(sign), elemental[sign - 1]) << sign;
        EXPECT_EQ(SeasonalWebCode(sign), seasonal[sign - 1]) << sign;
    }
}

TEST(ElementalWeb, SevenPlanetsInAriesAndOneMovedToLeo) {
    TraditionalSigns signs = {1, 1, 1, 1, 1, 1, 1};
    ElementalWeb web = ElementalWebOf(signs);
    EXPECT_EQ(web.count[Principle::Salt][Element::Fire], 7);
    EXPECT_EQ(web.principleTotal[Principle::Salt], 7);
    EXPECT_EQ(web.elementTotal[Element::Fire], 7);
    EXPECT_EQ(web.total, 7);

    signs[3] = 5;
    web = ElementalWebOf(signs);
    EXPECT_EQ(web.count[Principle::Salt][Element::Fire], 6);
    EXPECT_EQ(web.count[Principle::Sulphur][Element::Fire], 1);
    EXPECT_EQ(web.principleTotal[Principle::Sulphur], 1);
    EXPECT_EQ(web.elementTotal[Element::Fire], 7);
    EXPECT_EQ(ElementColour(Element::Fire), kWebRed);
    EXPECT_EQ(ElementColour(Element::Water), kWebAqua);
}

TEST(SeasonalWeb, CancerIsCardinalSummer) {
    const TraditionalSigns signs = {4, 10, 10, 11, 2, 3, 12};
    const SeasonalWeb web = SeasonalWebOf(signs);
    EXPECT_EQ(web.count[Quality::Cardinal][Season::Summer], 1);
    EXPECT_EQ(web.count[Quality::Cardinal][Season::Winter], 2);
    EXPECT_EQ(web.count[Quality::Fixed][Season::Winter], 1);
    EXPECT_EQ(web.count[Quality::Mutable][Season::Winter], 1);
    EXPECT_EQ(web.seasonTotal, (std::array<int, 4>{2, 1, 0, 4}));
    EXPECT_EQ(web.qualityTotal, (std::array<int, 3>{3, 2, 2}));
    EXPECT_EQ(SeasonColour(Season::Summer), kWebRed);
    EXPECT_EQ(SeasonColour(Season::Spring), kWebYellow);
}

TEST(Humoral, CountsAndQualitiesInBothVersions) {
    // Three planets in Gemini (air, spring) and four in Aries (fire, spring).
    const TraditionalSigns signs = {3, 3, 3, 1, 1, 1, 1};
    const struct {
        HumoralTable table;
        std::array<int, 4> count;
        int hot, moist, cold, dry;
    } cases[] = {
        {HumoralElementalOf(signs), {4, 0, 3, 0}, 7, 3, 0, 4},
        // By the season every planet is in spring, the season of air.
        {HumoralSeasonalOf(signs), {0, 0, 7, 0}, 7, 7, 0, 0},
        // Cancer to Virgo are summer (fire), Libra to Sagittarius autumn (earth).
        {HumoralSeasonalOf({4, 5, 6, 7, 8, 9, 12}), {3, 3, 0, 1}, 3, 1, 4, 6},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.table.count, c.count);
        EXPECT_EQ(c.table.hot, c.hot);
        EXPECT_EQ(c.table.moist, c.moist);
        EXPECT_EQ(c.table.cold, c.cold);
        EXPECT_EQ(c.table.dry, c.dry);
    }
}

TEST(Humoral, RowsInTheOrderAirFireEarthWater) {
    const std::array<HumoralRow, 4> rows = HumoralRows(HumoralElementalOf({3, 3, 3, 1, 1, 1, 1}));
    EXPECT_EQ(rows[0].name, "Aire");
    EXPECT_EQ(rows[0].count, 3);
    EXPECT_EQ(rows[0].colour, kWebYellow);
    EXPECT_EQ(rows[0].qualityLetter, "C");
    EXPECT_EQ(rows[0].qualityValue, 7);
    EXPECT_EQ(rows[0].temperament, "Extrovertido");
    EXPECT_EQ(rows[1].name, "Fuego");
    EXPECT_EQ(rows[1].elementLetters, (std::array<std::string, 2>{"C", "S"}));
    EXPECT_EQ(rows[1].count, 4);
    EXPECT_EQ(rows[1].qualityLetter, "U");
    EXPECT_EQ(rows[1].qualityValue, 3);
    EXPECT_EQ(rows[1].temperament, "Heterónomo"_cp);
    EXPECT_EQ(rows[2].colour, kWebGreen);
    EXPECT_EQ(rows[2].qualityValue, 0);
    EXPECT_EQ(rows[3].name, "Agua");
    EXPECT_EQ(rows[3].qualityLetter, "S");
    EXPECT_EQ(rows[3].qualityValue, 4);
    EXPECT_EQ(rows[3].temperament, "Autónomo"_cp);
}

TEST(TraditionalSigns, TheSevenPlanetsByTheirLongitude) {
    ChartState chart;
    const long double longitudes[8] = {0, 0, 29.999L, 30, -320.68L, 359.9L, 123, 45};
    for (int k = 1; k <= 7; ++k)
        chart.ChartLongitude[k] = longitudes[k];
    chart.ChartLongitude[8] = 200; // the node does not count
    EXPECT_EQ(TraditionalSignsOf(chart), (TraditionalSigns{1, 1, 2, 11, 12, 5, 2}));
}

TEST(EnergeticAffinities, PairsAndQuadrilateralsByMode) {
    const std::vector<AffinityLink> magnetic = AffinityLinks(0);
    ASSERT_EQ(magnetic.size(), 6u);
    EXPECT_EQ(magnetic[0].from, 7);
    EXPECT_EQ(magnetic[0].to, 1);
    EXPECT_EQ(magnetic[0].colour, kWebYellow);
    EXPECT_FALSE(magnetic[0].curved);
    EXPECT_EQ(magnetic[2].colour, kWebRed);  // Pisces–Virgo
    EXPECT_EQ(magnetic[5].colour, kWebAqua); // Capricorn–Cancer

    const std::vector<AffinityLink> soliLunar = AffinityLinks(1);
    ASSERT_EQ(soliLunar.size(), 6u);
    EXPECT_TRUE(soliLunar[0].curved);
    EXPECT_EQ(soliLunar[0].from, 11);
    EXPECT_EQ(soliLunar[0].to, 4);
    EXPECT_EQ(soliLunar[4].colour, kWebYellow); // Taurus–Aries

    EXPECT_EQ(AffinityLinks(2).size(), 12u);
    EXPECT_TRUE(AffinityLinks(3).empty());
    EXPECT_TRUE(AffinityQuadrilaterals(2).empty());
    const std::vector<AffinityQuadrilateral> quads = AffinityQuadrilaterals(3);
    ASSERT_EQ(quads.size(), 3u);
    EXPECT_EQ(quads[0].signs, (std::array<int, 4>{12, 1, 6, 7}));
    EXPECT_EQ(quads[0].colour, kWebYellow);
    EXPECT_EQ(quads[2].colour, kWebRed);

    EXPECT_EQ(AffinityLabel(0), "Magnéticas"_cp);
    EXPECT_EQ(AffinityLabel(1), "Soli-lunares");
    EXPECT_EQ(AffinityLabel(2), "");
    // Whole degrees, halves to even: 100.5 counts 100.
    EXPECT_EQ(AffinityDotAngle(45, 100.5L), 415);
    EXPECT_EQ(AffinityDotAngle(345, 139.53L), 155);
}

PowerScores Scores(std::initializer_list<long double> values) {
    PowerScores scores{};
    int k = 1;
    for (long double v : values)
        scores[k++] = v;
    return scores;
}

TEST(PlanetaryPowers, BarsScaledToTheMaster) {
    const PlanetaryPowers powers = PlanetaryPowersOf(Scores({30, 0.5L, -12, 15, 30, -1, 0}));
    EXPECT_EQ(powers.max, 30);
    EXPECT_EQ(powers.master, 1); // Mars reaches 30 too, but not above
    EXPECT_TRUE(powers.hasBars());
    const struct {
        int planet;
        std::string text;
        long double value;
        int height;
        std::uint32_t colour;
    } cases[] = {
        {1, "30", 30, 30, kWebBlue}, {2, "0,5", 3, 3, kWebBlue}, {3, "-12", -12, 12, kWebRed},
        {4, "15", 15, 15, kWebBlue}, {6, "-1", 3, 3, kWebRed},   {7, "0", 3, 3, kWebBlue},
    };
    for (const auto& c : cases) {
        const PowerBar& bar = powers.bars[c.planet];
        EXPECT_EQ(bar.text, c.text) << c.planet;
        EXPECT_EQ(bar.value, c.value) << c.planet;
        EXPECT_EQ(bar.height, c.height) << c.planet;
        EXPECT_EQ(bar.colour, c.colour) << c.planet;
    }
}

TEST(PlanetaryPowers, TextsAreCutToFourCharacters) {
    const PlanetaryPowers powers = PlanetaryPowersOf(Scores({123.45L, -1234, 7}));
    EXPECT_EQ(powers.bars[1].text, "123,");
    EXPECT_EQ(powers.bars[2].text, "-123");
    EXPECT_EQ(powers.bars[2].colour, kWebRed);
    EXPECT_EQ(powers.bars[3].height, 3); // 7 ÷ 4.115 = 1.7, raised to 3
}

TEST(PlanetaryPowers, AScoreFarBelowTheStrongestIsDrawnAsTallAsAPage) {
    // A damaged powers file: −3·10¹⁴ against a strongest score of 22.
    const PlanetaryPowers powers = PlanetaryPowersOf(Scores({12, -3e14L, 22}));
    EXPECT_EQ(powers.master, 3);
    EXPECT_EQ(powers.bars[2].height, 1000);
    EXPECT_EQ(powers.bars[2].colour, kWebRed);
    EXPECT_EQ(powers.bars[3].height, 30);
}

TEST(PlanetaryPowers, NoPositiveScoreDrawsNoBarsAndNamesNoMaster) {
    const PlanetaryPowers powers = PlanetaryPowersOf(Scores({-3, 0, -7, 0, 0, 0, 0, 0, 0, -1}));
    EXPECT_FALSE(powers.hasBars());
    EXPECT_EQ(powers.master, 0);
    for (int k = 1; k <= kPowerPlanets; ++k)
        EXPECT_EQ(powers.bars[k].height, 0) << k;
    ChartState chart;
    chart.ChartLongitude[1] = 297.3L;
    chart.HouseCusp[1] = 139.5L;
    EXPECT_EQ(PowersSummaryLines(powers, chart),
              (std::vector<std::string>{"CAPRICORNIO", "LEO        ", ""}));
}

class PowersFiles : public testing::Test {
  protected:
    void SetUp() override {
        chart.ChartLongitude[1] = 297.292129L;
        chart.HouseCusp[1] = 139.525519L;
    }
    const test::ScratchFolder folder;
    ChartState chart;
};

TEST_F(PowersFiles, TheScoresOfTheMasterFileAndTheSummary) {
    folder.write("FileDum/MMMaitr2.dum",
                 "13\r\n7\r\n23\r\n13\r\n13\r\n15\r\n18\r\n-4\r\n7\r\n10\r\n"
                 "014\r\n055\r\n068\r\n003\r\n003\r\n052\r\n068\r\n003\r\n");
    const PlanetaryPowers powers = LoadPlanetaryPowers(chart);
    EXPECT_EQ(powers.master, 3);
    EXPECT_EQ(powers.bars[3].height, 30);
    EXPECT_EQ(powers.bars[2].height, 9); // 7 ÷ (23 ÷ 30) = 9.13
    EXPECT_EQ(powers.bars[8].height, 5); // −4 ÷ 0.767 = −5.2, red
    EXPECT_EQ(powers.bars[8].colour, kWebRed);
    EXPECT_EQ(folder.read("FileDum/Dati3.dum"), "CAPRICORNIO\r\nLEO        \r\nMERCURIO  \r\n");
}

TEST_F(PowersFiles, AllScoresNegativeLeaveTheMasterLineEmpty) {
    folder.write("FileDum/MMMaitr2.dum", "-1\n-2\n-3\n-4\n-5\n-6\n-7\n-8\n-9\n0\n");
    EXPECT_EQ(LoadPlanetaryPowers(chart).master, 0);
    EXPECT_EQ(folder.read("FileDum/Dati3.dum"), "CAPRICORNIO\r\nLEO        \r\n\r\n");
}

TEST_F(PowersFiles, AShortOrDamagedFileIsAnError) {
    EXPECT_THROW(ReadPowerScores(), InOutError);
    folder.write("FileDum/MMMaitr2.dum", "1\r\n2\r\n3\r\n");
    EXPECT_THROW(ReadPowerScores(), InOutError);
    folder.write("FileDum/MMMaitr2.dum", "1\r\n2\r\n3\r\nx\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n");
    EXPECT_THROW(LoadPlanetaryPowers(chart), InOutError);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "FileDum" / "Dati3.dum"));
}

} // namespace
} // namespace exo
