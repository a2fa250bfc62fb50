#include "archive/LocalityFile.h"

#include "TestFolder.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace exo {
namespace {

struct Place {
    std::string name;    // UTF-8
    std::string country; // UTF-8
};

// A locality file: record 0 empty, then the places in the order given.
std::string LocalityBytes(const std::vector<Place>& places) {
    std::string bytes(LocalityRecord::kSize, '\0');
    for (const Place& place : places) {
        LocalityRecord record;
        record.Name = Cp1252FromUtf8(place.name);
        record.Country = Cp1252FromUtf8(place.country);
        record.Latitude = 45;
        record.Longitude = 9;
        record.ZoneCode = 390000;
        std::string one(LocalityRecord::kSize, '\0');
        record.encode(one.data());
        bytes += one;
    }
    return bytes;
}

void WriteLocalities(const test::ScratchFolder& folder, LocalitySource source,
                     const std::vector<Place>& places) {
    const std::string name =
        source == LocalitySource::Italian ? "Localita/ITALIA.LOC" : "Localita/ESTERO.LOC";
    folder.write(name, LocalityBytes(places));
}

// Names N0001, N0002, …: sorted as they are numbered.
std::vector<Place> NumberedPlaces(int count) {
    std::vector<Place> places;
    for (int i = 1; i <= count; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "N%04d", i);
        places.push_back({name, " PAESE"});
    }
    return places;
}

TEST(LocalityNames, NormalisationFollowsTheTable) {
    const struct {
        const char* from; // UTF-8, converted to Windows-1252
        const char* to;
    } cases[] = {
        {"àáâãäåæ", "AAAAAAA"},
        {"òóôöø", "OOOOO"},
        {"õ", "O"},
        {"ß", "S"},
        {"ùúûü", "UUUU"},
        {"èéêë", "EEEE"},
        {"ìíîï", "IIII"},
        {"ñç", "NC"},
        {"abcxyz", "ABCXYZ"},
        {"ÁÂÄÅÆ", "AAAAA"},
        {"ÀÃÑ", "AAN"}, // capitals of the small letters above, so "SÃO PAULO" is found
        {"ÒÕÙÛÊÌ", "OOUUEI"},
        {"ÓÔÖØ", "OOOO"},
        {"ÚÜ", "UU"},
        {"ÍÎÏ", "III"},
        {"ÈÉË", "EEE"},
        {"Ç", "C"},
        {"SAINT-DENIS (RÉUNION)", "SAINT DENIS  REUNION)"},
        {"'S-GRAVENHAGE", "S GRAVENHAGE"},
        {"''A", "'A"}, // one apostrophe only
        {"L'AQUILA", "L'AQUILA"},
        {"'", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from);
        EXPECT_EQ(Utf8FromCp1252(NormalizeLocalityName(Cp1252FromUtf8(c.from))), c.to);
    }
}

TEST(LocalityWindow, MovesKeepTheCentreInsideTheFile) {
    using Move = std::int64_t (*)(std::int64_t, std::int64_t);
    const struct {
        const char* what;
        Move move;
        std::int64_t centre, count, expected;
    } cases[] = {
        {"line up at the top", LocalityLineUp, 4, 100, 4},
        {"line up", LocalityLineUp, 5, 100, 4},
        {"line down at the bottom", LocalityLineDown, 97, 100, 97},
        {"line down", LocalityLineDown, 96, 100, 97},
        {"page up needs room", LocalityPageUp, 12, 100, 12},
        {"page up", LocalityPageUp, 13, 100, 6},
        {"page down needs room", LocalityPageDown, 89, 100, 89},
        {"page down", LocalityPageDown, 88, 100, 95},
        {"thumb at the top", LocalityThumb, 1, 100, 4},
        {"thumb at the bottom", LocalityThumb, 100, 100, 97},
        {"thumb inside", LocalityThumb, 50, 100, 50},
        {"list down on the last line", LocalityListDown, 96, 100, 97},
        {"list down at the bottom", LocalityListDown, 97, 100, 97},
        {"list up on the first line", LocalityListUp, 5, 100, 4},
        {"list page down", LocalityListPageDown, 10, 100, 16},
        {"list page down clamped", LocalityListPageDown, 95, 100, 97},
        {"list page up", LocalityListPageUp, 20, 100, 14},
        {"list page up clamped", LocalityListPageUp, 7, 100, 4},
        {"seven localities: one centre", LocalityLineDown, 4, 7, 4},
        {"seven localities: page down", LocalityListPageDown, 4, 7, 4},
        {"five localities: thumb", LocalityThumb, 5, 5, 4},
        {"five localities: line down", LocalityLineDown, 4, 5, 4},
        {"no localities: page up", LocalityListPageUp, 4, 0, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.move(c.centre, c.count), c.expected);
    }
}

TEST(LocalityWindow, LinesShowOnlyRecordsOfTheFile) {
    EXPECT_EQ(LocalityOfLine(4, 0, 100), 1);
    EXPECT_EQ(LocalityOfLine(97, 6, 100), 100);
    EXPECT_EQ(LocalityOfLine(50, 3, 100), 50);
    EXPECT_EQ(LocalityOfLine(4, 1, 2), 2);
    EXPECT_EQ(LocalityOfLine(4, 2, 2), std::nullopt);
    EXPECT_EQ(LocalityOfLine(4, 7, 100), std::nullopt);
    EXPECT_EQ(LocalityOfLine(4, -1, 100), std::nullopt);
}

TEST(LocalityFile, LineIsNameAndCountryWithoutTrailingBlanks) {
    const test::ScratchFolder folder;
    WriteLocalities(folder, LocalitySource::Foreign,
                    {{"PARIGI   ", " FRANCIA  "}, {"ROMA*RM*", " ITALIA"}});
    const LocalityFile file(LocalitySource::Foreign);
    ASSERT_EQ(file.count(), 2);
    EXPECT_EQ(LocalityWindow(file, 4),
              (std::vector<std::string>{"PARIGI FRANCIA", "ROMA*RM* ITALIA"}));
}

// Every locality of files of 1 to 20 records is found by its full name, the last one too,
// and sits on the window line the search names.
TEST(LocalitySearch, FullNameFindsEveryLocality) {
    for (int count = 1; count <= 20; ++count) {
        const test::ScratchFolder folder;
        const std::vector<Place> places = NumberedPlaces(count);
        WriteLocalities(folder, LocalitySource::Italian, places);
        const LocalityFile file(LocalitySource::Italian);
        for (int n = 1; n <= count; ++n) {
            SCOPED_TRACE(std::to_string(count) + " localities, typed number " + std::to_string(n));
            const LocalitySearchResult found = SearchLocality(file, places[n - 1].name);
            EXPECT_EQ(found.position, n);
            const std::vector<std::string> window = LocalityWindow(file, found.centre);
            ASSERT_GE(found.line, 0);
            ASSERT_LT(found.line, static_cast<int>(window.size()));
            EXPECT_EQ(window[found.line].rfind(places[n - 1].name, 0), 0u);
        }
    }
}

TEST(LocalitySearch, LastLocalityOfTheFile) {
    const test::ScratchFolder folder;
    const std::vector<Place> places = NumberedPlaces(300);
    WriteLocalities(folder, LocalitySource::Italian, places);
    const LocalityFile file(LocalitySource::Italian);
    const LocalitySearchResult found = SearchLocality(file, "N0300");
    EXPECT_EQ(found.position, 300);
    EXPECT_EQ(found.centre, 297); // the window ends with the file
    EXPECT_EQ(found.line, 6);
    EXPECT_EQ(LocalityWindow(file, found.centre)[6], "N0300 PAESE");

    const LocalitySearchResult middle = SearchLocality(file, "N0150");
    EXPECT_EQ(middle.position, 150);
    EXPECT_EQ(middle.centre, 150);
    EXPECT_EQ(middle.line, 3);
}

TEST(LocalitySearch, ProbeSortsAfterTheExactNameOnly) {
    const test::ScratchFolder folder;
    WriteLocalities(folder, LocalitySource::Italian,
                    {{"ABANO TERME *PD*", " ITALIA"},
                     {"MILANERE *TO*", " ITALIA"},
                     {"MILANO *MI*", " ITALIA"},
                     {"MILAZZO *ME*", " ITALIA"},
                     {"ROMA *RM*", " ITALIA"},
                     {"ROMAGNANO SESIA *NO*", " ITALIA"},
                     {"TORINO *TO*", " ITALIA"},
                     {"VENEZIA*VE*", " ITALIA"}});
    const LocalityFile file(LocalitySource::Italian);
    const struct {
        const char* typed;
        std::int64_t position;
    } cases[] = {
        // A blank before the province sorts below "!": the whole name finds its locality.
        {"MILANO", 3},
        {"MILANO *MI*", 3},
        // Every MILAN… name goes on with a letter, above the probe.
        {"MILAN", 1},
        {"ROMA", 5},
        {"ROMAGNANO", 6},
        // An asterisk right after the name sorts above "!".
        {"VENEZIA", 7},
        {"A", 1},   // nothing sorts below
        {"ZZZ", 8}, // everything does
        {"ABANO TERME", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(SearchLocality(file, c.typed).position, c.position);
    }
}

// The foreign file is sorted by the normalised names; typed text with or without accents
// finds the accented name.
TEST(LocalitySearch, ForeignFileComparesNormalisedNames) {
    const test::ScratchFolder folder;
    WriteLocalities(folder, LocalitySource::Foreign,
                    {{"AACHEN", " GERMANIA"},
                     {"ÅLESUND", " NORVEGIA"},
                     {"BRÜSSEL", " BELGIO"},
                     {"BRUXELLES", " BELGIO"},
                     {"CÓRDOBA", " SPAGNA"},
                     {"CRAIOVA", " ROMANIA"},
                     {"GENÈVE", " SVIZZERA"},
                     {"'S-HERTOGENBOSCH", " OLANDA"},
                     {"SÃO PAULO", " BRASILE"},
                     {"ZÜRICH", " SVIZZERA"}});
    const LocalityFile file(LocalitySource::Foreign);
    const struct {
        const char* typed; // UTF-8 as typed, upper case
        std::int64_t position;
    } cases[] = {
        {"ALESUND", 2}, {"ÅLESUND", 2}, {"BRUSSEL", 3},         {"BRÜSSEL", 3},
        {"CORDOBA", 5}, {"GENEVE", 7},  {"S HERTOGENBOSCH", 8}, {"'S-HERTOGENBOSCH", 8},
        {"ZURICH", 10}, {"ZÜRICH", 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(SearchLocality(file, Cp1252FromUtf8(c.typed)).position, c.position);
    }
    EXPECT_EQ(FindLocalityByName(file, Cp1252FromUtf8("ZÜRICH")), 10);
    EXPECT_EQ(FindLocalityByName(file, Cp1252FromUtf8("ZURICH")), std::nullopt);
}

TEST(LocalitySearch, ByNameTakesTheFirstOfEqualNames) {
    const test::ScratchFolder folder;
    WriteLocalities(folder, LocalitySource::Foreign,
                    {{"PARIS", " FRANCIA"},
                     {"PARIS", " STATI UNITI"},
                     {"PARIS TEXAS", " STATI UNITI"},
                     {"PARMA", " ITALIA"}});
    const LocalityFile file(LocalitySource::Foreign);
    EXPECT_EQ(FindLocalityByName(file, "PARIS"), 1);
    EXPECT_EQ(FindLocalityByName(file, "PARIS TEXAS"), 3);
    EXPECT_EQ(FindLocalityByName(file, "PARMA"), 4);
    EXPECT_EQ(FindLocalityByName(file, "PAR"), std::nullopt);
}

TEST(LocalitySearch, FilesOfFewerThanSevenLocalities) {
    {
        const test::ScratchFolder folder;
        WriteLocalities(folder, LocalitySource::Italian, NumberedPlaces(3));
        const LocalityFile file(LocalitySource::Italian);
        const LocalitySearchResult found = SearchLocality(file, "N0003");
        EXPECT_EQ(found.position, 3);
        EXPECT_EQ(found.centre, 4);
        EXPECT_EQ(found.line, 2);
        EXPECT_EQ(LocalityWindow(file, found.centre).size(), 3u);
    }
    for (const std::string& bytes : {std::string(), std::string(LocalityRecord::kSize, '\0')}) {
        const test::ScratchFolder folder;
        folder.write("Localita/ITALIA.LOC", bytes);
        const LocalityFile file(LocalitySource::Italian);
        EXPECT_EQ(file.count(), 0);
        const LocalitySearchResult found = SearchLocality(file, "ROMA");
        EXPECT_EQ(found.position, 0);
        EXPECT_TRUE(LocalityWindow(file, found.centre).empty());
        EXPECT_THROW(file.read(1), InOutError);
        EXPECT_EQ(FindLocalityByName(file, "ROMA"), std::nullopt);
    }
}

TEST(LocalityFile, DamagedOrMissingFilesAreErrors) {
    const test::ScratchFolder folder;
    EXPECT_THROW(LocalityFile(LocalitySource::Italian), InOutError);
    folder.write("Localita/ESTERO.LOC", LocalityBytes(NumberedPlaces(4)).substr(0, 88 * 3 + 50));
    EXPECT_THROW(LocalityFile(LocalitySource::Foreign), InOutError);

    WriteLocalities(folder, LocalitySource::Italian, NumberedPlaces(4));
    const LocalityFile file(LocalitySource::Italian);
    EXPECT_THROW(file.read(0), InOutError); // record 0 is no locality
    EXPECT_THROW(file.read(5), InOutError);
    EXPECT_EQ(file.read(4).Name, "N0004");
}

} // namespace
} // namespace exo
