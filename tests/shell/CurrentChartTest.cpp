#include "shell/CurrentChart.h"

#include "BuiltTables.h"
#include "TestFolder.h"
#include "astro/Calendar.h"
#include "astro/CorrectionFiles.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

namespace exo {
namespace {

// A length-prefixed field as the record files hold it: the length byte, the characters,
// zeros up to the capacity.
std::string Field(std::string_view text, std::size_t capacity) {
    const std::size_t length = std::min(text.size(), capacity);
    std::string bytes(1, static_cast<char>(length));
    bytes += text.substr(0, length);
    bytes.resize(capacity + 1, '\0');
    return bytes;
}

// The current subject as the subject windows leave it, in Windows-1252.
struct StoredSubject {
    std::string key = "ROSSI MARIO                           00001";
    std::string stamp = "196001011030-1.00";
    std::string place = "45N28-009E11Milano*MI*";
    std::string calendar = "GR";
    std::string country = "Italia";
};

// Record 0 of TMPR.ST1 (44 bytes) and TMPR.ST2 (385 bytes), written byte by byte: the
// name at 0 of the key; the stamp at 0, the place at 21, the calendar at 61 and the
// country at 64 of the subject record.
std::string KeyRecord(const StoredSubject& s) {
    return Field(s.key, 43);
}
std::string SubjectRecordBytes(const StoredSubject& s) {
    std::string record =
        Field(s.stamp, 20) + Field(s.place, 39) + Field(s.calendar, 2) + Field(s.country, 20);
    record.resize(385, '\0');
    record.replace(379, 6, Field("00000", 5));
    return record;
}

class CurrentChart : public testing::Test {
  protected:
    void SetUp() override {
        test::LinkBuiltCorrectionTables(folder.path());
        if (HasFatalFailure())
            return;
        chart.NodeKind = "VERO";
        chart.ApogeeKind = "VERA";
        notes("");
    }
    void TearDown() override { ForgetCorrectionFiles(); }

    void store(const StoredSubject& subject) const {
        folder.write("TMPR.ST1", KeyRecord(subject));
        folder.write("TMPR.ST2", SubjectRecordBytes(subject));
    }
    void notes(const std::string& bytes) const { folder.write("FileDum/Annotaz.dum", bytes); }

    const test::ScratchFolder folder;
    ChartState chart;
};

TEST_F(CurrentChart, MilanoSubjectFillsTheBirthFieldsAndThePanel) {
    store({});
    notes("Nata in casa; parto rapido\r\nsecond line\r\n");
    const SubjectPanel panel = ComputeCurrentChart(chart);

    EXPECT_EQ(chart.BirthStamp.str(), "196001011030-1,00");
    EXPECT_EQ(chart.BirthDateText.str(), "01/01/1960 10:30");
    EXPECT_EQ(chart.CorrectionText.str(), "-1,00");
    EXPECT_EQ(chart.TimeCorrection, -1);
    EXPECT_TRUE(chart.GregorianCalendar);
    EXPECT_EQ(chart.BirthPlaceField.str(), "45N28-009E11Milano*MI*");
    EXPECT_EQ(chart.CoordinatesText.str(), "45N28-009E11");
    EXPECT_EQ(chart.LocalityText.str(), "Milano(MI)");
    EXPECT_EQ(chart.NationalityText.str(), "Italia");
    EXPECT_EQ(chart.SubjectNotes, "Nata in casa; parto rapido");

    ASSERT_TRUE(panel.MemoDati.has_value());
    const std::array<std::string, 6> lines = {
        "ROSSI MARIO                           ",
        "Nascita 01/01/1960 10:30  Correz. -1,00",
        "Località: Milano(MI)"_cp,
        "Nazionalità: Italia"_cp,
        "Coordinate: 45N28-009E11",
        "Calendario GREGORIANO",
    };
    EXPECT_EQ(*panel.MemoDati, lines);
    EXPECT_EQ(panel.MemoAnnotaz, "Nata in casa; parto rapido");

    // 10:30 at one hour east of Greenwich is 09:30 UT: 0h UT of that day is 2436934.5.
    EXPECT_EQ(chart.JulianDay, JulianDayOf(1, 30, 10, 1960, 1, 1) - 1.0L / 24);
    EXPECT_NEAR(static_cast<double>(chart.JulianDay), 2436934.5 + 9.5 / 24, 1e-9);
    EXPECT_EQ(chart.ZoneText.str(), "+1.00");
    EXPECT_EQ(chart.JulianDayText.str(), "JD=2436934,8958");

    EXPECT_EQ(chart.LatitudeDegrees, 45);
    EXPECT_EQ(chart.LatitudeLetter, "N");
    EXPECT_EQ(chart.LatitudeMinutes, 28);
    EXPECT_EQ(chart.LongitudeDegrees, 9);
    EXPECT_EQ(chart.LongitudeLetter, "E");
    EXPECT_EQ(chart.LongitudeMinutes, 11);
    EXPECT_EQ(chart.HouseMode, 1);
    EXPECT_EQ(chart.HouseSystemName.str(), "CASE_MEDIE");
    EXPECT_EQ(chart.BirthHourWhole, 10);
    EXPECT_EQ(chart.BirthMinuteWhole, 30);
}

// Apparent positions from the Swiss Ephemeris for the two births below, in chart order:
// Sun … Saturn, the true node, the South node, the Ascendant and the Midheaven.
struct ReferenceChart {
    const char* what;
    StoredSubject subject;
    std::array<double, 12> longitude; // [1..11]
};

TEST_F(CurrentChart, PointsInChartOrderMatchTheReferenceEphemeris) {
    const ReferenceChart cases[] = {
        {"Milano, 1 January 1960 09:30 UT",
         {},
         {0, 279.978457, 315.988735, 265.550528, 238.845875, 260.595495, 258.825000, 279.503065,
          177.973391, 357.973391, 326.124831, 253.152182}},
        {"Buenos Aires (south, west), 16 July 1975 01:10 UT",
         {"GARCIA ANA", "197507152210+3", "34S36-058O22Buenos Aires", "GR", "Argentina"},
         {0, 112.916058, 205.831624, 95.842521, 154.461697, 40.434021, 23.287151, 112.558694,
          239.544296, 59.544296, 345.250616, 253.767221}},
    };
    for (const ReferenceChart& c : cases) {
        SCOPED_TRACE(c.what);
        store(c.subject);
        ComputeCurrentChart(chart);
        for (int point = 1; point <= 11; ++point) {
            SCOPED_TRACE(point);
            EXPECT_NEAR(static_cast<double>(chart.ChartLongitude[point]), c.longitude[point], 0.01);
            EXPECT_GE(chart.ChartLongitude[point], 0);
            EXPECT_LT(chart.ChartLongitude[point], 360);
        }
        for (int point = ChartOrder::NorthNode; point <= ChartOrder::Midheaven; ++point)
            EXPECT_EQ(chart.ChartLatitude[point], 0) << point;
        // Equal houses from the Ascendant; point 13 is its copy.
        EXPECT_EQ(chart.ChartLongitude[ChartOrder::Ascendant], chart.HouseCusp[1]);
        EXPECT_EQ(chart.ChartLongitude[ChartOrder::AscendantCopy], chart.HouseCusp[1]);
        for (int h = 2; h <= 12; ++h) {
            EXPECT_NEAR(static_cast<double>(std::remainder(
                            chart.HouseCusp[h] - chart.HouseCusp[1] - 30.0L * (h - 1), 360.0L)),
                        0.0, 1e-9)
                << h;
        }
        for (int point : {14, 20, 21, 22})
            EXPECT_EQ(chart.ChartLongitude[point], 0) << point;
    }
}

TEST_F(CurrentChart, NameIsCutTo38OnlyByTheFullComputation) {
    StoredSubject subject;
    subject.key = "FERNANDEZ DE CORDOBA Y DE LA TORRE MARIA JOSE";
    subject.key.resize(43);
    ASSERT_EQ(subject.key.size(), 43u);
    store(subject);

    const SubjectPanel full = ComputeCurrentChart(chart);
    EXPECT_EQ(chart.SubjectName.str(), subject.key.substr(0, 38));
    ASSERT_TRUE(full.MemoDati.has_value());
    EXPECT_EQ((*full.MemoDati)[0], subject.key.substr(0, 38));

    const SubjectPanel quiet = ComputeCurrentChartQuiet(chart);
    EXPECT_EQ(chart.SubjectName.str(), subject.key);
    EXPECT_FALSE(quiet.MemoDati.has_value());
}

TEST_F(CurrentChart, QuietRunGivesTheSameChart) {
    StoredSubject subject;
    subject.stamp = "200003011300-1";
    store(subject);
    ComputeCurrentChart(chart);
    ChartState quiet = chart;
    quiet.HouseSystemName = "PLACIDO"; // whatever a window left there is rebuilt
    quiet.JulianDay = 0;
    ComputeCurrentChartQuiet(quiet);
    EXPECT_EQ(quiet.ChartLongitude, chart.ChartLongitude);
    EXPECT_EQ(quiet.ChartLatitude, chart.ChartLatitude);
    EXPECT_EQ(quiet.HouseCusp, chart.HouseCusp);
    EXPECT_EQ(quiet.JulianDay, chart.JulianDay);
    EXPECT_EQ(quiet.HouseSystemName.str(), "CASE_MEDIE");
    for (int point = 1; point <= 22; ++point)
        EXPECT_EQ(quiet.RetroMark[point].str(), chart.RetroMark[point].str()) << point;
}

struct MarkCase {
    const char* what;
    const char* stamp; // UT births
    const char* nodeKind;
    const char* marks; // points 1 … 9
};

TEST_F(CurrentChart, RetrogradeMarks) {
    // Motion from the Swiss Ephemeris speeds: on 1 March 2000 Mercury moves backward and the
    // true node forward; on 1 May 2000 every planet moves forward and the true node backward.
    // The mean node always moves backward.
    const MarkCase cases[] = {
        {"Mercury retrograde, true node direct", "200003011200+0", "VERO", "  r      "},
        {"mean node", "200003011200+0", "MEDIO", "  r    rr"},
        {"all direct, true node retrograde", "200005011200+0", "VERO", "       rr"},
        {"mean node again", "200005011200+0", "MEDIO", "       rr"},
        {"Milano 1960: Uranus retrograde is no mark", "196001011030-1.00", "MEDIO", "       rr"},
    };
    for (const MarkCase& c : cases) {
        SCOPED_TRACE(c.what);
        StoredSubject subject;
        subject.stamp = c.stamp;
        store(subject);
        chart.NodeKind = c.nodeKind;
        ComputeCurrentChart(chart);
        std::string marks;
        for (int point = 1; point <= 9; ++point)
            marks += chart.RetroMark[point].str();
        EXPECT_EQ(marks, c.marks);
        for (int point = 10; point <= 22; ++point)
            EXPECT_EQ(chart.RetroMark[point].str(), " ") << point;
        for (int point = 1; point <= 22; ++point)
            EXPECT_GE(chart.ChartLongitude[point], 0) << point;
    }
}

struct MinorBodyCase {
    const char* what;
    const char* stamp;
    bool shown;
};

TEST_F(CurrentChart, MinorBodiesOnlyFrom1850To2080) {
    const MinorBodyCase cases[] = {
        {"1820", "182006151200+0", false},
        {"one hour before 1850", "184912312300+0", false},
        {"0h UT, 1 January 1850", "185001010000+0", true},
        {"1960", "196001011030-1.00", true},
        {"2081", "208103011200+0", false},
    };
    for (const MinorBodyCase& c : cases) {
        SCOPED_TRACE(c.what);
        StoredSubject subject;
        subject.stamp = c.stamp;
        store(subject);
        ComputeCurrentChart(chart);
        for (int point = ChartOrder::Ceres; point <= ChartOrder::Chiron; ++point) {
            SCOPED_TRACE(point);
            if (c.shown) {
                EXPECT_GT(chart.ChartLongitude[point], 0);
                EXPECT_NE(chart.ChartLatitude[point], 0);
            } else {
                EXPECT_EQ(chart.ChartLongitude[point], 0);
                EXPECT_EQ(chart.ChartLatitude[point], 0);
            }
            EXPECT_EQ(chart.RetroMark[point].str(), " ");
        }
        EXPECT_GT(chart.ChartLongitude[ChartOrder::Sun], 0) << "the chart itself is computed";
    }
}

struct CalendarCase {
    const char* stamp;
    const char* calendar;
    bool gregorian;
    long double julianDay;
    const char* line5;
};

TEST_F(CurrentChart, CalendarFieldChoosesTheRules) {
    // 4 October 1582 (Julian) was followed by 15 October 1582 (Gregorian).
    const CalendarCase cases[] = {
        {"158210040000+0", "GI", false, 2299159.5L, "Calendario GIULIANO"},
        {"158210150000+0", "GR", true, 2299160.5L, "Calendario GREGORIANO"},
        {"158210150000+0", "gr", false, 2299170.5L, "Calendario GIULIANO"},
        {"158210150000+0", "", false, 2299170.5L, "Calendario GIULIANO"},
    };
    for (const CalendarCase& c : cases) {
        SCOPED_TRACE(std::string(c.stamp) + " " + c.calendar);
        StoredSubject subject;
        subject.stamp = c.stamp;
        subject.calendar = c.calendar;
        store(subject);
        const SubjectPanel panel = ComputeCurrentChart(chart);
        EXPECT_EQ(chart.GregorianCalendar, c.gregorian);
        EXPECT_EQ(chart.JulianDay, c.julianDay);
        ASSERT_TRUE(panel.MemoDati.has_value());
        EXPECT_EQ((*panel.MemoDati)[5], c.line5);
    }
}

struct CorrectionCase {
    const char* stamp;
    const char* correctionText;
    long double correction;
    const char* zoneText;
};

TEST_F(CurrentChart, StoredCorrections) {
    const CorrectionCase cases[] = {
        {"196001011030+5.5", "+5,5", 5.5L, "-5.50"},
        {"196001011030-5,5", "-5,5", -5.5L, "+5.50"},
        {"196001011030+0", "+0", 0, "+0.00"},
        {"196001011030+10", "+10", 10, "-10.0"},
        // Only five characters of the correction are read: a local mean time correction
        // of 9°59′ east loses its last digits.
        {"187903141130-0,6656", "-0,66", -0.66L, "+0.66"},
    };
    for (const CorrectionCase& c : cases) {
        SCOPED_TRACE(c.stamp);
        StoredSubject subject;
        subject.stamp = c.stamp;
        store(subject);
        ComputeCurrentChart(chart);
        EXPECT_EQ(chart.CorrectionText.str(), c.correctionText);
        EXPECT_NEAR(static_cast<double>(chart.TimeCorrection), static_cast<double>(c.correction),
                    1e-15);
        EXPECT_EQ(chart.ZoneText.str(), c.zoneText);
        EXPECT_EQ(chart.JulianDay, JulianDayOf(1, chart.BirthMinute, chart.BirthHour,
                                               chart.BirthYear, chart.BirthMonth, chart.BirthDay) +
                                       chart.TimeCorrection / 24);
    }
}

TEST(CurrentChartTexts, ZoneAndJulianDayTexts) {
    EXPECT_EQ(ZoneTextOf(-1), "+1.00");
    EXPECT_EQ(ZoneTextOf(3), "-3.00");
    EXPECT_EQ(ZoneTextOf(-0.75L), "+0.75");
    EXPECT_EQ(JulianDayTextOf(2451545), "JD=2451545");
    EXPECT_EQ(JulianDayTextOf(2451545.25L), "JD=2451545,25");
    EXPECT_EQ(JulianDayTextOf(2436934.5L + 9.5L / 24), "JD=2436934,8958");
}

struct PlaceCase {
    const char* place;
    const char* coordinates;
    const char* locality;
    int latitude[2];
    const char* letters; // latitude, longitude
    int longitude[2];
};

TEST_F(CurrentChart, PlaceField) {
    const PlaceCase cases[] = {
        {"45N28-009E11Milano*MI*", "45N28-009E11", "Milano(MI)", {45, 28}, "NE", {9, 11}},
        {"40N25-003O42Madrid  *   Madrid  *",
         "40N25-003O42",
         "Madrid ( Madrid )",
         {40, 25},
         "NO",
         {3, 42}},
        // Characters 13 to 39: a 27-character locality, whole.
        {"34S36-058W22ABCDEFGHIJKLMNOPQRSTUVWXYZ0",
         "34S36-058W22",
         "ABCDEFGHIJKLMNOPQRSTUVWXYZ0",
         {34, 36},
         "SW",
         {58, 22}},
        // Numbers that do not convert count as 0; a short field gives empty letters.
        {"4xN28-0O9E1", "4xN28-0O9E1", "", {0, 28}, "NE", {0, 1}},
        {"45N", "45N", "", {45, 0}, "N", {0, 0}},
    };
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(c.place);
        StoredSubject subject;
        subject.place = c.place;
        store(subject);
        const SubjectPanel panel = ComputeCurrentChart(chart);
        EXPECT_EQ(chart.CoordinatesText.str(), c.coordinates);
        EXPECT_EQ(chart.LocalityText.str(), c.locality);
        EXPECT_EQ(chart.LatitudeDegrees, c.latitude[0]);
        EXPECT_EQ(chart.LatitudeMinutes, c.latitude[1]);
        EXPECT_EQ(chart.LatitudeLetter, std::string(c.letters).substr(0, 1));
        EXPECT_EQ(chart.LongitudeLetter, std::string(c.letters).substr(1));
        EXPECT_EQ(chart.LongitudeDegrees, c.longitude[0]);
        EXPECT_EQ(chart.LongitudeMinutes, c.longitude[1]);
        ASSERT_TRUE(panel.MemoDati.has_value());
        EXPECT_EQ((*panel.MemoDati)[2], "Localit\xE0: " + std::string(c.locality));
        EXPECT_EQ((*panel.MemoDati)[4], "Coordinate: " + std::string(c.coordinates));
    }
}

TEST_F(CurrentChart, NotesAreTheFirstLineAsStored) {
    store({});
    const struct {
        std::string file;
        std::string notes;
    } cases[] = {
        {"", ""},
        {"\r\n", ""},
        {"Nacida en Córdoba  \r\nsegunda"_cp, "Nacida en Córdoba  "_cp},
        {"sin final de línea"_cp, "sin final de línea"_cp},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        notes(c.file);
        const SubjectPanel quiet = ComputeCurrentChartQuiet(chart);
        EXPECT_EQ(quiet.MemoAnnotaz, c.notes);
        EXPECT_EQ(chart.SubjectNotes, c.notes);
    }
}

struct TextButtonCase {
    const char* what;
    const char* strText; // nullptr: no FileDum/StrText.dum
    const char* textFile;
    bool shown;
};

TEST_F(CurrentChart, TextButtonShowsWhenTheSubjectsTextExists) {
    const TextButtonCase cases[] = {
        {"no exchange file", nullptr, "BASEtxt/00007.txt", false},
        {"named text exists", "BASE\r\n00007\r\n", "BASEtxt/00007.txt", true},
        {"found whatever the letter case", "BASE\r\n00007\r\n", "BASETXT/00007.TXT", true},
        {"named text missing", "BASE\r\n00008\r\n", "BASEtxt/00007.txt", false},
        {"no text number", "BASE\r\n", "BASEtxt/00007.txt", false},
        {"blank text number", "BASE\r\n     \r\n", "BASEtxt/00007.txt", false},
        {"another archive", "RICE\r\n00007\r\n", "BASEtxt/00007.txt", false},
    };
    for (const TextButtonCase& c : cases) {
        SCOPED_TRACE(c.what);
        const test::ScratchFolder texts; // a fresh program folder for each case
        test::LinkBuiltCorrectionTables(texts.path());
        texts.write("TMPR.ST1", KeyRecord({}));
        texts.write("TMPR.ST2", SubjectRecordBytes({}));
        texts.write("FileDum/Annotaz.dum", "");
        if (c.strText != nullptr)
            texts.write("FileDum/StrText.dum", c.strText);
        texts.write(c.textFile, "ROSSI MARIO\r\n");

        EXPECT_EQ(SubjectTextExists(), c.shown);
        const SubjectPanel panel = ComputeCurrentChart(chart);
        ASSERT_TRUE(panel.BBApriTestoVisible.has_value());
        EXPECT_EQ(*panel.BBApriTestoVisible, c.shown);
        EXPECT_FALSE(ComputeCurrentChartQuiet(chart).BBApriTestoVisible.has_value())
            << "the quiet run leaves the button as it was";
    }
}

struct FailureCase {
    const char* what;
    const char* removed; // a file taken away, or nullptr
    const char* file;    // a file written instead, or nullptr
    std::string bytes;
    bool conversion; // ConvertError rather than InOutError
};

TEST_F(CurrentChart, MissingFilesAndBadCorrectionsStopTheComputation) {
    StoredSubject badCorrection;
    badCorrection.stamp = "196001011030abc";
    StoredSubject noCorrection;
    noCorrection.stamp = "196001011030";
    const FailureCase cases[] = {
        {"no TMPR.ST1", "TMPR.ST1", nullptr, "", false},
        {"no TMPR.ST2", "TMPR.ST2", nullptr, "", false},
        {"empty TMPR.ST2", nullptr, "TMPR.ST2", "", false},
        {"empty TMPR.ST1", nullptr, "TMPR.ST1", "", false},
        {"damaged TMPR.ST2", nullptr, "TMPR.ST2", std::string(384, '\0'), false},
        {"no FileDum\\Annotaz.dum", "FileDum/Annotaz.dum", nullptr, "", false},
        {"a correction that is no number", nullptr, "TMPR.ST2", SubjectRecordBytes(badCorrection),
         true},
        {"no correction", nullptr, "TMPR.ST2", SubjectRecordBytes(noCorrection), true},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.what);
        for (const bool quiet : {false, true}) {
            store({});
            notes("");
            if (c.removed != nullptr)
                std::filesystem::remove(folder.path() / c.removed);
            if (c.file != nullptr)
                folder.write(c.file, c.bytes);
            const auto run = [&] {
                if (quiet)
                    ComputeCurrentChartQuiet(chart);
                else
                    ComputeCurrentChart(chart);
            };
            if (c.conversion)
                EXPECT_THROW(run(), ConvertError) << quiet;
            else
                EXPECT_THROW(run(), InOutError) << quiet;
        }
    }
}

TEST_F(CurrentChart, MissingCorrectionTableIsAFileError) {
    store({});
    std::filesystem::remove(folder.path() / "FilePosi");
    ForgetCorrectionFiles();
    EXPECT_THROW(ComputeCurrentChart(chart), InOutError);
}

} // namespace
} // namespace exo
