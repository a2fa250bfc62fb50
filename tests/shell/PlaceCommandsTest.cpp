#include "shell/ExorvexCommands.h"

#include "TestFolder.h"
#include "ToolRun.h"
#include "archive/PlaceRecords.h"
#include "astro/Calendar.h"
#include "platform/Cp1252.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace exo {
namespace {

using test::Exorvex;
using test::ToolRun;

long double Jd(int year, int month, int day, int hour = 0, int minute = 0) {
    return JulianDayOf(1, minute, hour, year, month, day);
}

std::string Period(long double startDay, const char* type, double offset) {
    ZonePeriodRecord r;
    r.StartValue = startDay + kZoneStartOffset;
    r.Type = type;
    r.Offset = offset;
    std::string bytes(ZonePeriodRecord::kSize, '\0');
    r.encode(bytes.data());
    return bytes;
}

struct Place {
    const char* name; // UTF-8
    const char* country;
    long double latitude, longitude;
    std::int32_t zoneCode;
};

std::string Localities(const std::vector<Place>& places) {
    std::string bytes(LocalityRecord::kSize, '\0');
    for (const Place& p : places) {
        LocalityRecord r;
        r.Name = Cp1252FromUtf8(p.name);
        r.Country = Cp1252FromUtf8(p.country);
        r.Latitude = p.latitude;
        r.Longitude = p.longitude;
        r.ZoneCode = p.zoneCode;
        std::string one(LocalityRecord::kSize, '\0');
        r.encode(one.data());
        bytes += one;
    }
    return bytes;
}

// A small program folder: one Italian zone and two foreign ones, the second continued in the
// first.
class PlaceFolder {
  public:
    PlaceFolder() {
        folder.write("Localita/ITALIA.LOC",
                     Localities({{"MILANO*MI*", " ITALIA", 45 + 28 / 60.0L, 9 + 11 / 60.0L, 390000},
                                 {"ROMA*RM*", " ITALIA", 41.9L, 12.5L, 390000}}));
        folder.write("Localita/ESTERO.LOC",
                     Localities({{"AACHEN", " GERMANIA", 50.8L, 6.1L, 330000},
                                 {"ÅLESUND", " NORVEGIA", 62.5L, 6.2L, 330000},
                                 {"BRÜSSEL", " BELGIO", 50.8L, 4.4L, 330000},
                                 {"BRUXELLES", " BELGIO", 50.8L, 4.4L, 330000},
                                 {"CÓRDOBA", " SPAGNA", 37.9L, -4.8L, 330000},
                                 {"LONDRA", " GRAN BRETAGNA", 51.5L, -0.13L, 440000},
                                 {"PARIGI", " FRANCIA", 48.8566L, 2.3522L, 330000},
                                 {"ZÜRICH", " SVIZZERA", 47.37L, 8.54L, 330000}}));
        folder.write("Calendar/00390000.CAL", Period(2299161.5L, "GREG", 0) +
                                                  Period(Jd(1866, 12, 12), "LMT ", -0.8322222) +
                                                  Period(Jd(1893, 11, 1), "STD ", -1) +
                                                  Period(Jd(2020, 3, 29, 2), "DST ", -2) +
                                                  Period(Jd(2020, 10, 25, 3), "STD ", -1));
        ZonePeriodRecord rich;
        rich.StartValue = 330000;
        rich.Type = "RICH";
        std::string richBytes(ZonePeriodRecord::kSize, '\0');
        rich.encode(richBytes.data());
        const std::string paris = Period(1721423.5L, "GREG", 0) +
                                  Period(Jd(1911, 3, 11), "STD ", -1) +
                                  Period(Jd(1950, 4, 1, 2), "DST ", -2) +
                                  Period(Jd(1950, 10, 1, 3), "STD ", -1) + Period(0, "****", 0);
        const std::string london =
            Period(Jd(1752, 9, 14), "GREG", 0) + Period(Jd(1900, 1, 1), "STD ", 0) + richBytes;
        folder.write("Calendar/Database.cll", paris + london);
        folder.write("Calendar/Elencal.002", "00330000.CAL       0\r\n00440000.CAL       5\r\n");
    }
    test::ScratchFolder folder;
};

TEST(PlaceCommand, WindowAroundTheTypedName) {
    const PlaceFolder fixture;
    const ToolRun json = Exorvex({"place", "--file", "ESTERO", "BRÜSSEL", "--json"});
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out,
              "{\"centre\":4,\"lines\":[\"AACHEN GERMANIA\",\"ÅLESUND NORVEGIA\","
              "\"BRÜSSEL BELGIO\",\"BRUXELLES BELGIO\",\"CÓRDOBA SPAGNA\","
              "\"LONDRA GRAN BRETAGNA\",\"PARIGI FRANCIA\"],\"count\":8,\"position\":3}\n");

    // Typed in lower case and without the accent, the last locality: the window ends with the
    // file and the found line is marked.
    const ToolRun plain = Exorvex({"place", "--file=ESTERO", "zurich"});
    EXPECT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.out, "  ÅLESUND NORVEGIA\n  BRÜSSEL BELGIO\n  BRUXELLES BELGIO\n"
                         "  CÓRDOBA SPAGNA\n  LONDRA GRAN BRETAGNA\n  PARIGI FRANCIA\n"
                         "> ZÜRICH SVIZZERA\n");

    const ToolRun italian = Exorvex({"place", "--file", "ITALIA", "ROMA*RM*", "--json"});
    EXPECT_EQ(italian.status, 0) << italian.err;
    EXPECT_EQ(italian.out, "{\"centre\":4,\"lines\":[\"MILANO*MI* ITALIA\",\"ROMA*RM* ITALIA\"],"
                           "\"count\":2,\"position\":2}\n");
}

TEST(ZoneCommand, ResultsOfALocality) {
    const PlaceFolder fixture;
    const ToolRun run = Exorvex({"zone", "--file", "ITALIA", "--locality", "MILANO*MI*", "--date",
                                 "15/07/2020", "--time", "12:00", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* part : {
             "\"calendar\":\"GREG\"",
             "\"correction\":\"-2\"",
             "\"lmt\":false",
             "\"jd_text\":\"2459045.916\"", // 10:00 UT
             "\"date\":\"15/07/2020 12:00\"",
             "\"coordinates\":\"45N28-009E11\"",
             "\"locality\":\"MILANO*MI*\"",
             "\"country\":\" ITALIA\"",
             "\"zone\":\"00390000.CAL\"",
             "\"note\":true",
             "\"list\":[\"15/10/1582 00:00 GREG\",\"12/12/1866 00:00 -0.832 LMT \","
             "\"01/11/1893 00:00 -1.000 STD \",\"29/03/2020 02:00 -2.000 DST \","
             "\"25/10/2020 03:00 -1.000 STD \"]",
         }) {
        EXPECT_NE(run.out.find(part), std::string::npos) << part << " in " << run.out;
    }

    const ToolRun lmt = Exorvex({"zone", "--file", "ITALIA", "--locality", "MILANO*MI*", "--date",
                                 "01/01/1850", "--time", "12:00"});
    ASSERT_EQ(lmt.status, 0) << lmt.err;
    EXPECT_EQ(lmt.out.rfind("Fecha: 01/01/1850 12:00\nCalendario: GREG\n"
                            "Corrección total (h): -0,6122222\nUsar hora local: sí\n",
                            0),
              0u)
        << lmt.out;

    const ToolRun london = Exorvex({"zone", "--file", "ESTERO", "--locality", "LONDRA", "--date",
                                    "15/06/1950", "--time", "12:00", "--json"});
    ASSERT_EQ(london.status, 0) << london.err;
    EXPECT_NE(london.out.find("\"CAMBIO FILE: 00330000.CAL\""), std::string::npos) << london.out;
    EXPECT_NE(london.out.find("\"correction\":\"-2\""), std::string::npos) << london.out;

    const ToolRun zurich = Exorvex({"zone", "--file", "ESTERO", "--locality", "ZÜRICH", "--date",
                                    "1/1/2000", "--time", "0:00", "--json"});
    ASSERT_EQ(zurich.status, 0) << zurich.err;
    EXPECT_NE(zurich.out.find("\"locality\":\"ZÜRICH\""), std::string::npos) << zurich.out;
}

TEST(ZoneCommand, ReformOptionFromTheSettingsOrTheCommandLine) {
    const PlaceFolder fixture;
    const auto calendar = [](std::vector<std::string> extra) {
        std::vector<std::string> args = {"zone",   "--file",     "ESTERO", "--locality", "PARIGI",
                                         "--date", "01/03/1500", "--time", "12:00",      "--json"};
        args.insert(args.end(), extra.begin(), extra.end());
        const ToolRun run = Exorvex(args);
        EXPECT_EQ(run.status, 0) << run.err;
        return run.out.substr(0, run.out.find(','));
    };
    EXPECT_EQ(calendar({}), "{\"calendar\":\"GIUL\""); // no settings file: the reform decides
    fixture.folder.write("FileSet/MMVarLas.stt", "1\r\n0\r\n0\r\n0\r\n1.0\r\n\r\n1.0\r\n1.0\r\n");
    EXPECT_EQ(calendar({}), "{\"calendar\":\"GREG\"");
    EXPECT_EQ(calendar({"--reform", "1"}), "{\"calendar\":\"GIUL\"");
    // --folder names the same folder
    EXPECT_EQ(calendar({"--folder", fixture.folder.path().string()}), "{\"calendar\":\"GREG\"");
}

TEST(ZoneCommand, UnknownLocalityFailsAndBadArgumentsAreUsageErrors) {
    const PlaceFolder fixture;
    const ToolRun missing = Exorvex({"zone", "--file", "ITALIA", "--locality", "MILANO", "--date",
                                     "01/01/2000", "--time", "12:00"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("MILANO"), std::string::npos) << missing.err;

    const std::vector<std::vector<std::string>> usage = {
        {"zone", "--file", "ITALIA", "--locality", "ROMA*RM*", "--date", "32/01/2000", "--time",
         "12:00"},
        {"zone", "--file", "ITALIA", "--locality", "ROMA*RM*", "--date", "01/01/2081", "--time",
         "12:00"},
        {"zone", "--file", "ITALIA", "--locality", "ROMA*RM*", "--date", "01/01/2000", "--time",
         "12:60"},
        {"zone", "--file", "ITALIA", "--locality", "ROMA*RM*", "--date", "01//2000", "--time",
         "12:00"},
        {"zone", "--file", "ITALIA", "--locality", "ROMA*RM*", "--time", "12:00"},
        {"zone", "--file", "ITALIA", "--date", "01/01/2000", "--time", "12:00"},
        {"zone", "--file", "ITALIA", "--locality", "ROMA*RM*", "--date", "01/01/2000", "--time",
         "12:00", "--reform", "2"},
        {"zone", "--file", "FRANCIA", "--locality", "ROMA*RM*", "--date", "01/01/2000", "--time",
         "12:00"},
        {"place", "--file", "ITALIA"},
        {"place", "--file", "ITALIA", "ROMA", "MILANO"},
    };
    for (const auto& args : usage) {
        std::string joined;
        for (const std::string& a : args)
            joined += a + " ";
        const ToolRun run = Exorvex(args);
        EXPECT_EQ(run.status, 2) << joined << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    }

    // A folder without the files: a file error.
    const test::ScratchFolder empty;
    EXPECT_EQ(Exorvex({"place", "--file", "ITALIA", "ROMA"}).status, 1);
}

} // namespace
} // namespace exo
