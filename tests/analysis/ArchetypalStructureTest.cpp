#include "analysis/ArchetypalStructure.h"

#include "TestFolder.h"
#include "analysis/Dignities.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/ProgramPaths.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace exo {
namespace {

using Signs = std::array<int, 7>; // Sun … Saturn

ChartState ChartWithSigns(const Signs& signs) {
    ChartState chart;
    for (int p = 1; p <= 7; ++p)
        chart.ChartLongitude[static_cast<std::size_t>(p)] = 30.0L * (signs[p - 1] - 1) + 15;
    return chart;
}

// The four exchange files as the installed program folder holds them.
void WriteInstalledExchangeFiles() {
    MakeFolder("Scambi");
    for (int size = 2; size <= 5; ++size)
        WriteTextLines(ExchangeFileName(size), ExchangeFileLines(size));
}

void WriteExchangeFixture(const std::array<std::vector<std::string>, 4>& bySize) {
    MakeFolder("Scambi");
    for (int size = 2; size <= 5; ++size)
        WriteTextLines(ExchangeFileName(size), bySize[static_cast<std::size_t>(size - 2)]);
}

// Each drawn column as "head:dignity/group[planet.level<parent> …]", joined by " - " where a
// connector leads to the next column and by " | " elsewhere.
std::string Describe(const std::vector<StructureColumnView>& columns) {
    std::string text;
    for (const StructureColumnView& column : columns) {
        text += std::to_string(column.head) + ":" + std::to_string(column.dignityCode) + "/" +
                std::to_string(column.receptionGroup) + "[";
        for (std::size_t i = 0; i < column.entries.size(); ++i) {
            const StructureSlotView& slot = column.entries[i];
            text += (i ? " " : "") + std::to_string(slot.planet) + "." +
                    std::to_string(slot.level) + slot.parentCode;
        }
        text += "]";
        text += column.joinedToNext ? " - " : " | ";
    }
    return text.empty() ? text : text.substr(0, text.size() - 3);
}

struct StructureCase {
    const char* name;
    Signs signs;
    std::string columns;
};

TEST(ArchetypalStructureTest, ColumnsOfTypicalCharts) {
    const StructureCase cases[] = {
        // A closed cycle of all seven planets, none dignified: nothing to draw.
        {"seven-planet cycle", {4, 3, 2, 9, 5, 11, 8}, ""},
        // Mercury falls in Leo: its own column, not hung under the Sun that rules Leo.
        {"Sun and Mercury in Leo",
         {5, 5, 5, 3, 6, 1, 8},
         "3:4/0[3.1 4.2mer 5.2mer 6.3mar 7.3mar] | 1:1/0[1.1 2.2sun]"},
        {"Moon in Aries under Mars in Cancer",
         {5, 1, 3, 2, 4, 9, 10},
         "5:4/0[5.1 2.2mar] | 1:1/0[1.1] | 3:1/0[3.1] | 4:1/0[4.1] | 6:1/0[6.1] | 7:1/0[7.1]"},
        // Sun in Gemini, Mercury in Taurus, Venus in Leo; the Moon in Virgo hangs under
        // Mercury.
        {"listed triple",
         {3, 6, 2, 5, 1, 9, 10},
         "1:5/3[1.1] - 3:5/3[3.1 2.2mer] - 4:5/3[4.1] | 5:1/0[5.1] | 6:1/0[6.1] | 7:1/0[7.1]"},
        {"Sun in Cancer and Moon in Leo",
         {4, 5, 3, 7, 8, 12, 11},
         "1:5/21[1.1] - 2:5/21[2.1] | 3:1/0[3.1] | 4:1/0[4.1] | 5:1/0[5.1] | 6:1/0[6.1] | "
         "7:1/0[7.1]"},
        // Exiles (in planet order), fall, the pair, exaltation, domicile.
        {"column order",
         {11, 8, 7, 3, 10, 12, 5},
         "1:3/0[1.1] | 7:3/0[7.1] | 2:4/0[2.1] | 3:5/21[3.1] - 4:5/21[4.1] | 5:2/0[5.1] | "
         "6:1/0[6.1]"},
        {"three mutual pairs",
         {9, 4, 8, 10, 6, 5, 2},
         "1:5/21[1.1] - 6:5/21[6.1] | 3:5/22[3.1] - 5:5/22[5.1] | 4:5/23[4.1] - 7:5/23[7.1] | "
         "2:1/0[2.1]"},
        {"two triples",
         {3, 4, 2, 5, 9, 11, 8},
         "1:5/3[1.1] - 3:5/3[3.1] - 4:5/3[4.1] | 5:5/32[5.1] - 6:5/32[6.1] - 7:5/32[7.1] | "
         "2:1/0[2.1]"},
        {"quadruple",
         {5, 4, 6, 9, 11, 8, 2},
         "4:5/4[4.1] - 5:5/4[5.1] - 6:5/4[6.1] - 7:5/4[7.1] | 1:1/0[1.1] | 2:1/0[2.1] | "
         "3:1/0[3.1]"},
        {"pair and quintuple",
         {4, 5, 2, 9, 11, 1, 3},
         "1:5/21[1.1] - 2:5/21[2.1] | 3:5/5[3.1] - 4:5/5[4.1] - 5:5/5[5.1] - 6:5/5[6.1] - "
         "7:5/5[7.1]"},
        // Venus in Aries and Mars in Taurus receive each other, but both are in exile.
        {"mutual exiles",
         {5, 4, 3, 1, 2, 9, 10},
         "4:3/0[4.1] | 5:3/0[5.1] | 1:1/0[1.1] | 2:1/0[2.1] | 3:1/0[3.1] | 6:1/0[6.1] | "
         "7:1/0[7.1]"},
        // One chain from Saturn in Capricorn down to Mars in Leo, seven levels deep.
        {"seven levels",
         {4, 3, 2, 9, 5, 11, 10},
         "7:1/0[7.1 6.2sat 4.3" + "júp"_cp + " 3.4ven 2.5mer 1.6moo 5.7sun]"},
    };
    test::ScratchFolder folder;
    WriteInstalledExchangeFiles();
    for (const StructureCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Describe(StructureColumns(ComputeArchetypalStructure(ChartWithSigns(c.signs)))),
                  c.columns);
    }
}

TEST(ArchetypalStructureTest, UnusedColumnsAreEmpty) {
    test::ScratchFolder folder;
    WriteInstalledExchangeFiles();
    // Mars in Cancer (fall) with the Moon under it; the others dignified: six columns.
    const ArchetypalStructure s =
        ComputeArchetypalStructure(ChartWithSigns({5, 1, 3, 2, 4, 9, 10}));
    EXPECT_EQ(s.DignityCode[7], 0);
    EXPECT_EQ(s.ReceptionGroup[7], 0);
    for (int slot = 1; slot <= kStructureSlots; ++slot) {
        EXPECT_EQ(s.StructurePlanet[7][static_cast<std::size_t>(slot)], 0);
        EXPECT_EQ(s.StructureLevel[7][static_cast<std::size_t>(slot)], 0);
    }
    EXPECT_EQ(s.StructureParent[1][2], 5); // the Moon hangs under Mars
    for (int p = 1; p <= 7; ++p)
        EXPECT_EQ(s.Placed[static_cast<std::size_t>(p)], 1) << p;
}

TEST(ArchetypalStructureTest, PlanetSignCodes) {
    test::ScratchFolder folder;
    WriteInstalledExchangeFiles();
    ChartState chart = ChartWithSigns({2, 4, 3, 7, 1, 9, 12});
    chart.ChartLongitude[1] = 30; // the first degree of Taurus
    chart.ChartLongitude[2] = 119.999L;
    const ArchetypalStructure s = ComputeArchetypalStructure(chart);
    const char* expected[] = {"SoleToro", "LunaCanc", "MercGeme", "VeneBila",
                              "MartArie", "GiovSagi", "SatuPesc"};
    for (int p = 1; p <= 7; ++p)
        EXPECT_EQ(s.PlanetSignCode[static_cast<std::size_t>(p)].str(), expected[p - 1]);
}

TEST(ArchetypalStructureTest, WhatTheColumnsShow) {
    test::ScratchFolder folder;
    WriteInstalledExchangeFiles();
    // Sun and Saturn in exile, Moon in fall, the Mercury–Venus pair, Mars exalted, Jupiter at
    // home.
    const auto columns =
        StructureColumns(ComputeArchetypalStructure(ChartWithSigns({11, 8, 7, 3, 10, 12, 5})));
    ASSERT_EQ(columns.size(), 7u);
    const struct {
        const char* label;
        std::uint32_t colour;
    } expected[] = {{"Exilio", kWeaknessFrameColour},     {"Exilio", kWeaknessFrameColour},
                    {"Caida", kWeaknessFrameColour},      {"Intercam.", kReceptionFrameColour},
                    {"Intercam.", kReceptionFrameColour}, {"Exaltac.", kStrengthFrameColour},
                    {"Domic.", kStrengthFrameColour}};
    for (std::size_t i = 0; i < columns.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(columns[i].label, expected[i].label);
        EXPECT_EQ(columns[i].frameColour, expected[i].colour);
        EXPECT_EQ(columns[i].levelCount, 1);
    }
    EXPECT_EQ(kWeaknessFrameColour, 0x0000FFu);  // red
    EXPECT_EQ(kReceptionFrameColour, 0x00FFFFu); // yellow
    EXPECT_EQ(ParentCode(6), "j\xFAp");
    EXPECT_EQ(NoStructureMessage(), "Nessuna Debilit\xE0 n\xE9 Dignit\xE0 Planetaria");
}

TEST(ArchetypalStructureTest, LevelCountIsTheDeepestLevel) {
    test::ScratchFolder folder;
    WriteInstalledExchangeFiles();
    const auto columns =
        StructureColumns(ComputeArchetypalStructure(ChartWithSigns({5, 5, 5, 3, 6, 1, 8})));
    ASSERT_EQ(columns.size(), 2u);
    EXPECT_EQ(columns[0].levelCount, 3); // Mercury, two under it, two under Mars
    EXPECT_EQ(columns[1].levelCount, 2); // the Sun and the Moon
}

// Venus, Mars, Jupiter and Saturn unplaced; the file lists the triple at positions 1, 2, 4
// and the one at 2, 3, 4. The triple search tries 2, 3, 4 before 1, 2, 4.
TEST(ArchetypalStructureTest, TripleSearchOrder) {
    test::ScratchFolder folder;
    WriteExchangeFixture({{{}, {"040905110702", "051106080702"}, {}, {}}});
    const auto columns =
        StructureColumns(ComputeArchetypalStructure(ChartWithSigns({5, 4, 6, 9, 11, 8, 2})));
    // Venus, left over, hangs under Jupiter that rules Sagittarius.
    EXPECT_EQ(Describe(columns), "5:5/3[5.1] - 6:5/3[6.1 4.2" + "júp"_cp +
                                     "] - 7:5/3[7.1] | 1:1/0[1.1] | 2:1/0[2.1] | 3:1/0[3.1]");
}

TEST(ArchetypalStructureTest, AKeyMatchesOnlyAWholeLine) {
    const struct {
        std::vector<std::string> pairs;
        bool found;
    } cases[] = {
        {{"01040205"}, true},
        {{"0104020", "x01040205", "01040205 ", "010402050"}, false},
        {{"02050104"}, false}, // the planets in descending order
        {{}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pairs.empty() ? std::string("empty") : c.pairs.front());
        test::ScratchFolder folder;
        WriteExchangeFixture({c.pairs, {}, {}, {}});
        const ArchetypalStructure s =
            ComputeArchetypalStructure(ChartWithSigns({4, 5, 3, 7, 8, 12, 11}));
        const int expectedGroup = c.found ? FirstReceptionPair : NoReceptionGroup;
        EXPECT_EQ(s.ReceptionGroup[1], expectedGroup);
        EXPECT_EQ(s.ReceptionGroup[2], expectedGroup);
        // Unreceived, Sun and Moon rule each other's sign and no chain reaches them.
        EXPECT_EQ(s.Placed[1], c.found ? 1 : 0);
        EXPECT_EQ(s.Placed[2], c.found ? 1 : 0);
        EXPECT_EQ(StructureColumns(s).size(), c.found ? 7u : 5u);
    }
}

TEST(ArchetypalStructureTest, AMissingExchangeFileStopsTheComputation) {
    for (int missing = 2; missing <= 5; ++missing) {
        SCOPED_TRACE(missing);
        test::ScratchFolder folder;
        WriteInstalledExchangeFiles();
        DeleteFile(ExchangeFileName(missing));
        EXPECT_THROW(ComputeArchetypalStructure(ChartWithSigns({5, 4, 3, 2, 1, 9, 10})),
                     InOutError);
    }
}

TEST(ArchetypalStructureTest, BuildKeepsTheResultAndAFailedBuildLeavesIt) {
    test::ScratchFolder folder;
    WriteInstalledExchangeFiles();
    const ArchetypalStructure& built =
        BuildArchetypalStructure(ChartWithSigns({4, 5, 3, 7, 8, 12, 11}));
    EXPECT_EQ(&built, &GlobalArchetypalStructure());
    EXPECT_EQ(Describe(StructureColumns()).substr(0, 22), "1:5/21[1.1] - 2:5/21[2");
    DeleteFile(ExchangeFileName(3));
    EXPECT_THROW(BuildArchetypalStructure(ChartWithSigns({5, 4, 3, 2, 1, 9, 10})), InOutError);
    EXPECT_EQ(GlobalArchetypalStructure().ReceptionGroup[1], FirstReceptionPair);
}

TEST(ArchetypalStructureTest, ReceptionKeys) {
    const PlanetPlacement sunMoon[] = {{2, 5}, {1, 4}};
    EXPECT_EQ(ReceptionKey(sunMoon), "01040205");
    const PlanetPlacement five[] = {{7, 11}, {3, 2}, {5, 8}, {4, 12}, {6, 1}};
    EXPECT_EQ(ReceptionKey(five), "03020412050806010711");
    EXPECT_EQ(ExchangeFileName(2), "Scambi\\Scambio22.txt");
    EXPECT_EQ(ExchangeFileName(5), "Scambi\\Scambio55.txt");
}

// Invariants over many charts, with an oracle written apart from the search: a planet
// stands in the structure exactly when it is dignified, lies on a dispositor cycle of two to
// five planets, or its chain of dispositors reaches such a planet.
TEST(ArchetypalStructureTest, EveryChartKeepsTheStructureRules) {
    test::ScratchFolder folder;
    WriteInstalledExchangeFiles();
    std::uint32_t seed = 12345;
    auto nextSign = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % 12) + 1;
    };
    for (int run = 0; run < 400; ++run) {
        Signs signs;
        for (int& sign : signs)
            sign = nextSign();
        SCOPED_TRACE(::testing::PrintToString(signs));
        const ArchetypalStructure s = ComputeArchetypalStructure(ChartWithSigns(signs));
        auto ruler = [&](int p) { return DomicileRuler(signs[static_cast<std::size_t>(p - 1)]); };
        auto dignified = [&](int p) {
            return DignityOf(p, signs[static_cast<std::size_t>(p - 1)]) != NoDignity;
        };
        auto onShortCycle = [&](int p) {
            int x = p;
            for (int length = 1; length <= 7; ++length) {
                x = ruler(x);
                if (x == p)
                    return length >= 2 && length <= 5;
            }
            return false;
        };
        std::set<int> seen;
        int columnsInUse = 0;
        for (int c = 1; c <= 7; ++c) {
            const auto col = static_cast<std::size_t>(c);
            if (s.DignityCode[col] == 0)
                continue;
            EXPECT_EQ(c, ++columnsInUse) << "the columns in use come first";
            const int head = s.StructurePlanet[col][1];
            EXPECT_TRUE(seen.insert(head).second) << "planet " << head << " twice";
            const int dignity = DignityOf(head, signs[static_cast<std::size_t>(head - 1)]);
            EXPECT_EQ(s.DignityCode[col], dignity != NoDignity ? dignity : Reception);
            EXPECT_EQ(s.ReceptionGroup[col] != 0, dignity == NoDignity);
            for (int slot = 2; slot <= kStructureSlots; ++slot) {
                const int planet = s.StructurePlanet[col][static_cast<std::size_t>(slot)];
                if (planet == 0)
                    continue;
                EXPECT_TRUE(seen.insert(planet).second) << "planet " << planet << " twice";
                const int parent = s.StructureParent[col][static_cast<std::size_t>(slot)];
                EXPECT_EQ(parent, ruler(planet));
                int parentLevel = 0;
                for (int t = 1; t < slot; ++t) {
                    if (s.StructurePlanet[col][static_cast<std::size_t>(t)] == parent)
                        parentLevel = s.StructureLevel[col][static_cast<std::size_t>(t)];
                }
                EXPECT_EQ(s.StructureLevel[col][static_cast<std::size_t>(slot)], parentLevel + 1);
            }
        }
        for (int p = 1; p <= 7; ++p) {
            bool inStructure = false;
            int x = p;
            for (int step = 0; step < 8 && !inStructure; ++step, x = ruler(x))
                inStructure = dignified(x) || onShortCycle(x);
            EXPECT_EQ(seen.contains(p), inStructure) << "planet " << p;
            EXPECT_EQ(s.Placed[static_cast<std::size_t>(p)] == 1, inStructure) << "planet " << p;
        }
    }
}

} // namespace
} // namespace exo
