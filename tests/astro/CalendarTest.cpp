#include "astro/Calendar.h"
#include "TestFolder.h"
#include "platform/Errors.h"

#include <QCoreApplication>
#include <QDate>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

namespace exo {
namespace {

struct JulianDayCase {
    int flag;
    int minute, hour, year, month, day;
    long double jd;
};

TEST(JulianDayOf, KnownDates) {
    const JulianDayCase cases[] = {
        {1, 0, 0, 2000, 1, 1, 2451544.5L},
        {1, 0, 12, 2000, 1, 1, 2451545.0L},
        {0, 0, 0, 1582, 10, 4, 2299159.5L},  // last Julian day
        {1, 0, 0, 1582, 10, 15, 2299160.5L}, // first Gregorian day
        {1, 0, 0, 1899, 12, 30, 2415018.5L},
        {1, 30, 18, 1987, 4, 10, 2446896.2708333333L}, // 18:30 of a mid-year date
        {0, 0, 12, -4712, 1, 1, 0.0L},                 // the epoch, Julian calendar
        {0, 0, 0, 333, 1, 27, 1842713.0L - 0.5L},      // a Julian date in late antiquity
        {1, 0, 0, 1900, 3, 1, 2415079.5L},             // after the skipped 29 February 1900
        {1, 0, 0, 2000, 2, 29, 2451603.5L},            // 2000 is a leap year
    };
    for (const JulianDayCase& c : cases) {
        EXPECT_NEAR(
            static_cast<double>(JulianDayOf(c.flag, c.minute, c.hour, c.year, c.month, c.day)),
            static_cast<double>(c.jd), 1e-8)
            << c.day << "/" << c.month << "/" << c.year << " flag " << c.flag;
    }
}

TEST(JulianDayOf, DaysAreCountedRightBeforeTheYearOne) {
    // March of a negative leap year: 365.25 × year is a whole number there.
    EXPECT_EQ(JulianDayOf(0, 0, 0, -100, 3, 1), 1684592.5L);
    EXPECT_EQ(JulianDayOf(0, 0, 0, -100, 3, 1) - JulianDayOf(0, 0, 0, -100, 2, 28), 2.0L)
        << "-100 is a Julian leap year";
}

TEST(DateTextOfJulianDayByFlag, GregorianDatesBeforeTheYear400ReadBack) {
    for (const auto& [year, month, day] : {std::tuple{300, 3, 1}, {300, 2, 28}, {-100, 3, 1}}) {
        const long double jd = JulianDayOf(1, 0, 0, year, month, day);
        char expected[32];
        std::snprintf(expected, sizeof expected, "%02d/%02d/%04d 00:00", day, month, year);
        EXPECT_EQ(DateTextOfJulianDayByFlag(jd, true), expected);
    }
}

TEST(JulianDayOf, GregorianFlagAppliesToAnyDate) {
    // No switch-over date: flag 1 on a date of 1000 still applies the Gregorian correction.
    EXPECT_EQ(JulianDayOf(0, 0, 0, 1000, 1, 1) - JulianDayOf(1, 0, 0, 1000, 1, 1), 5.0L);
    EXPECT_EQ(JulianDayOf(7, 0, 0, 1000, 1, 1), JulianDayOf(0, 0, 0, 1000, 1, 1))
        << "any flag other than 1 is the Julian calendar";
}

struct DateTextCase {
    long double jd;
    const char* text;
};

TEST(DateTextOfJulianDay, KnownDays) {
    const DateTextCase cases[] = {
        {2451545.0L, "01/01/2000 12:00"},
        {2451544.5L, "01/01/2000 00:00"},
        {2299160.5L, "15/10/1582 00:00"},
        {2299159.5L, "04/10/1582 00:00"},
        {2415018.5L, "30/12/1899 00:00"},
        {2446896.2708333333L, "10/04/1987 18:30"},
        {2451603.5L, "29/02/2000 00:00"},
        {2451545.0L + (10.0L + 59.0L / 60 + 59.9L / 3600 - 12) / 24, "01/01/2000 11:00"},
        {2451545.0L + (23.0L + 59.0L / 60 + 59.9L / 3600 - 12) / 24, "02/01/2000 00:00"},
        {2451545.0L + (12.0L + 29.0L / 60 + 29.0L / 3600 - 12) / 24, "01/01/2000 12:29"},
        {2451545.0L + (12.0L + 29.0L / 60 + 31.0L / 3600 - 12) / 24, "01/01/2000 12:30"},
    };
    for (const DateTextCase& c : cases)
        EXPECT_EQ(DateTextOfJulianDay(c.jd), c.text) << static_cast<double>(c.jd);
}

TEST(DateTextOfJulianDay, RoundTripsEveryMinuteOfADay) {
    for (int minute = 0; minute < 24 * 60; ++minute) {
        const int h = minute / 60, m = minute % 60;
        const long double jd = JulianDayOf(1, m, h, 1987, 4, 10);
        char expected[32];
        std::snprintf(expected, sizeof expected, "10/04/1987 %02d:%02d", h, m);
        ASSERT_EQ(DateTextOfJulianDay(jd), expected);
    }
}

TEST(DateTextOfJulianDayByFlag, FlagChoosesTheCalendarWhateverTheDate) {
    // 1 January 2000 Gregorian is 19 December 1999 Julian.
    EXPECT_EQ(DateTextOfJulianDayByFlag(2451544.5L, false), "19/12/1999 00:00");
    EXPECT_EQ(DateTextOfJulianDayByFlag(2451544.5L, true), "01/01/2000 00:00");
    // Before the reform, the flag still forces the Gregorian rules.
    EXPECT_EQ(DateTextOfJulianDayByFlag(2299159.5L, true), "14/10/1582 00:00");
    ChartState& chart = GlobalChart();
    chart.GregorianCalendar = false;
    EXPECT_EQ(DateTextOfJulianDayByFlag(2451544.5L), "19/12/1999 00:00");
    chart.GregorianCalendar = true;
    EXPECT_EQ(DateTextOfJulianDayByFlag(2451544.5L), "01/01/2000 00:00");
    ClearChartState();
}

TEST(DateTextOfJulianDay, RefusesValuesThatAreNoDate) {
    EXPECT_THROW(DateTextOfJulianDay(std::numeric_limits<long double>::quiet_NaN()), ConvertError);
    EXPECT_THROW(DateTextOfJulianDay(std::numeric_limits<long double>::infinity()), ConvertError);
    EXPECT_THROW(DateTextOfJulianDay(1e300L), ConvertError);
}

struct StampCase {
    const char* stamp;
    const char* dateText;
    const char* correctionText;
    long double correction;
};

TEST(SplitBirthStamp, DateTextCorrectionTextAndCorrection) {
    const StampCase cases[] = {
        {"198704101830-1,00", "10/04/1987 18:30", "-1,00", -1.0L},
        {"198704101830-1.00", "10/04/1987 18:30", "-1.00", -1.0L},
        {"190001010000+2", "01/01/1900 00:00", "+2", 2.0L},
        {"190001010000-0,75", "01/01/1900 00:00", "-0,75", -0.75L},
        {"190001010000 -1  ", "01/01/1900 00:00", " -1  ",
         -1.0L}, // blanks around: the comma reader
        {"190001010000-1,005678", "01/01/1900 00:00", "-1,00", -1.0L}, // only five characters
    };
    for (const StampCase& c : cases) {
        ChartState chart;
        const SplitStamp split = SplitBirthStamp(c.stamp, chart);
        EXPECT_EQ(split.dateText, c.dateText) << c.stamp;
        EXPECT_EQ(split.correctionText, c.correctionText) << c.stamp;
        EXPECT_EQ(chart.TimeCorrection, c.correction) << c.stamp;
    }
}

TEST(SplitBirthStamp, UnreadableCorrectionRaisesConvertError) {
    for (const char* stamp : {"198704101830", "198704101830abc", "198704101830--1", "1987"}) {
        ChartState chart;
        chart.TimeCorrection = 5;
        EXPECT_THROW(SplitBirthStamp(stamp, chart), ConvertError) << stamp;
        EXPECT_EQ(chart.TimeCorrection, 5) << "a failed read leaves the correction alone";
    }
}

TEST(StampFromDateText, RebuildsTheStoredOrder) {
    EXPECT_EQ(StampFromDateText("10/04/1987 18:30"), "198704101830");
    EXPECT_EQ(StampFromDateText("01/01/2000 00:00"), "200001010000");
    EXPECT_EQ(StampFromDateText("10/04"), "0410") << "a short text gives what it has";
    EXPECT_EQ(StampFromDateText(""), "");
}

TEST(BirthFieldsOf, FiveNumbersAndZeroForAFieldThatIsNoNumber) {
    ChartState chart;
    chart.BirthDateText = "10/04/1987 18:30";
    BirthFieldsOf(chart);
    EXPECT_EQ(chart.BirthDay, 10);
    EXPECT_EQ(chart.BirthMonth, 4);
    EXPECT_EQ(chart.BirthYear, 1987);
    EXPECT_EQ(chart.BirthHour, 18);
    EXPECT_EQ(chart.BirthMinute, 30);
    chart.BirthDateText = "xx/04/1987 18:";
    BirthFieldsOf(chart);
    EXPECT_EQ(chart.BirthDay, 0);
    EXPECT_EQ(chart.BirthMonth, 4);
    EXPECT_EQ(chart.BirthMinute, 0);
}

TEST(DotToComma, EveryPoint) {
    ShortString<80> stamp("198704101830-1.00.5");
    DotToComma(stamp);
    EXPECT_EQ(stamp.view(), "198704101830-1,00,5");
}

TEST(TodayText, IsTodaysDate) {
    const std::string before = QDate::currentDate().toString("dd/MM/yyyy").toStdString();
    const std::string today = TodayText();
    const std::string after = QDate::currentDate().toString("dd/MM/yyyy").toStdString();
    EXPECT_TRUE(today == before || today == after) << today;
    EXPECT_EQ(today.size(), 10u);
}

TEST(FileDateText, MissingFileAndWrittenFile) {
    test::ScratchFolder folder;
    EXPECT_EQ(FileDateText("FileDum\\Nothing.dum"), "Non Valida");
    folder.write("FileDum/Written.dum", "x");
    // 10 April 1987 18:30 local time.
    const QDateTime stamp(QDate(1987, 4, 10), QTime(18, 30));
    const auto since = std::chrono::seconds(stamp.toSecsSinceEpoch());
    std::filesystem::last_write_time(
        folder.path() / "FileDum/Written.dum",
        std::filesystem::file_time_type::clock::from_sys(std::chrono::sys_seconds(since)));
    EXPECT_EQ(FileDateText("FILEDUM\\written.DUM"), "10/04/1987 18:30");
}

TEST(Delay, WaitsWhileEventsGoOnBeingHandled) {
    int argc = 1;
    char name[] = "calendar_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    bool timerFired = false;
    QTimer::singleShot(5, [&] { timerFired = true; });
    const auto start = std::chrono::steady_clock::now();
    Delay(0, 60);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(60));
    EXPECT_TRUE(timerFired) << "the event loop went on during the wait";
}

} // namespace
} // namespace exo
