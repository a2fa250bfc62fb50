#include "astro/TextHelpers.h"
#include "astro/Angles.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace exo {
namespace {

TEST(Angles, Normalize) {
    EXPECT_EQ(Normalize360(-30), 330);
    EXPECT_EQ(Normalize360(720), 0);
    EXPECT_EQ(Normalize360(359.5L), 359.5L);
    EXPECT_EQ(Normalize360(-720.25L), 359.75L);
    EXPECT_EQ(Normalize30(45), 15);
    EXPECT_EQ(Normalize30(-1), 29);
    // A tiny negative angle stays inside [0, 360).
    const long double tiny = Normalize360(-1e-30L);
    EXPECT_GE(tiny, 0);
    EXPECT_LT(tiny, 360);
}

TEST(Angles, TrigonometryInDegrees) {
    EXPECT_NEAR(static_cast<double>(SinDeg(30)), 0.5, 1e-15);
    EXPECT_NEAR(static_cast<double>(CosDeg(60)), 0.5, 1e-15);
    EXPECT_NEAR(static_cast<double>(TanDeg(45)), 1.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(RadToDeg(ArcSin(0.5L))), 30.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(RadToDeg(ArcSin(1))), 90.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(RadToDeg(ArcCos(0.5L))), 60.0, 1e-12);
    // The arctangent form is negative for negative arguments, not the principal arccosine.
    EXPECT_NEAR(static_cast<double>(RadToDeg(ArcCos(-0.5L))), -60.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(RadToDeg(ArcCos(0))), 90.0, 1e-12);
}

struct PositionCase {
    long double x;
    const char* sign1; // SignPositionText mode 1
    const char* sign2; // SignPositionText mode 2
    const char* degree1;
    const char* degree2;
    const char* retro; // RetroPositionText with mark "r"
};

TEST(PositionTexts, Table) {
    const PositionCase cases[] = {
        {125.13L, "05Leo08", "05Leo07:48", "05°08'", "05°07'48\"", "05°08' Leo Retrogrado "},
        {59.995L, "29Tau59", "29Tau59:42", "29°59'", "29°59'42\"", "29°59' Tauro Retrogrado "},
        {42.5826L, "12Tau35", "12Tau34:57", "12°35'", "12°34'57\"", "12°35' Tauro Retrogrado "},
        {0, "00Ari00", "00Ari00:00", "00°00'", "00°00'00\"", "00°00' Aries Retrogrado "},
        {75.5L, "15Gém30", "15Gém30:00", "15°30'", "15°30'00\"", "15°30' Géminis Retrogrado "},
        {359.99999L, "29Pis59", "29Pis59:59", "29°59'", "29°59'59\"", "29°59' Piscis Retrogrado "},
        // 30 seconds exactly does not round up; 31 does, and 59'31" carries into the degree.
        {10 + 20.0L / 60 + 30.0L / 3600, "10Ari20", "10Ari20:30", "10°20'", "10°20'30\"",
         "10°20' Aries Retrogrado "},
        {10 + 59.0L / 60 + 31.0L / 3600, "11Ari00", "10Ari59:31", "11°00'", "10°59'31\"",
         "11°00' Aries Retrogrado "},
        // Seconds that round to 60 carry into the minute instead of reading 60.
        {10 + 20.0L / 60 + 59.7L / 3600, "10Ari21", "10Ari21:00", "10°21'", "10°21'00\"",
         "10°21' Aries Retrogrado "},
        {270.25L, "00Cap15", "00Cap15:00", "00°15'", "00°15'00\"",
         "00°15' Capricornio Retrogrado "},
        // Outside [0, 360) the longitude is reduced first.
        {365.5L, "05Ari30", "05Ari30:00", "05°30'", "05°30'00\"", "05°30' Aries Retrogrado "},
    };
    for (const PositionCase& c : cases) {
        const double x = static_cast<double>(c.x);
        EXPECT_EQ(SignPositionText(1, c.x), Cp1252FromUtf8(c.sign1)) << x;
        EXPECT_EQ(SignPositionText(2, c.x), Cp1252FromUtf8(c.sign2)) << x;
        EXPECT_EQ(DegreeText(0, c.x), Cp1252FromUtf8(c.degree1)) << x;
        EXPECT_EQ(DegreeText(2, c.x), Cp1252FromUtf8(c.degree2)) << x;
        EXPECT_EQ(RetroPositionText("r", c.x), Cp1252FromUtf8(c.retro)) << x;
    }
}

TEST(RetroPositionText, MarkChoosesTheWord) {
    EXPECT_EQ(RetroPositionText("R", 125.13L), "05°08' Leo Retrogrado "_cp);
    EXPECT_EQ(RetroPositionText(" ", 125.13L), "05°08' Leo "_cp);
    EXPECT_EQ(RetroPositionText("", 125.13L), "05°08' Leo"_cp);
    EXPECT_EQ(RetroPositionText("x", 125.13L), "05°08' Leox"_cp);
}

TEST(PositionTexts, RefuseValuesThatAreNoAngle) {
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    const long double inf = std::numeric_limits<long double>::infinity();
    for (long double x : {nan, inf, -inf, 1e300L}) {
        EXPECT_THROW(SignPositionText(1, x), ConvertError);
        EXPECT_THROW(DegreeText(2, x), ConvertError);
        EXPECT_THROW(RetroPositionText("r", x), ConvertError);
        EXPECT_THROW(LatitudeText(x), ConvertError);
    }
}

TEST(LatitudeText, HemisphereAndTruncatedMinutes) {
    EXPECT_EQ(LatitudeText(45.4666L), "45° 27' Norte"_cp);
    EXPECT_EQ(LatitudeText(-5.999L), "05° 59' Sur"_cp);
    EXPECT_EQ(LatitudeText(0), "00° 00' Norte"_cp);
    EXPECT_EQ(LatitudeText(-0.5L), "00° 30' Sur"_cp);
}

struct PlainCase {
    int n;
    long double x;
    const char* text;
};

TEST(PlainDecimal, Table) {
    const PlainCase cases[] = {
        {4, 1.0L, "1.00"},
        {4, -1.5L, "1.50"},
        {7, 2451545.5L, "2451545"},
        {5, 0.0123L, "0.012"},
        {4, 0, "0.00"},
        {4, 2.999L, "2.99"}, // cut, not rounded
        {6, 123.456L, "123.45"},
        {4, 10, "10.0"},
        {8, 0.000123L, "0.000123"},
        {3, 0.5L, "0.5"},
        {0, 12, ""},
        {30, 1.5L, "1.50000000000000"}, // the exponent never shows, however long n is
        {25, 1e20L, "100000000000000000000."},
        {12, 2451545.123456789L, "2451545.1234"},
    };
    for (const PlainCase& c : cases)
        EXPECT_EQ(PlainDecimal(c.n, c.x), c.text) << c.n << " " << static_cast<double>(c.x);
}

TEST(PadLeftZeros, WidthAndFiveCharacterLimit) {
    EXPECT_EQ(PadLeftZeros(7, 2), "07");
    EXPECT_EQ(PadLeftZeros(2000, 4), "2000");
    EXPECT_EQ(PadLeftZeros(123, 2), "123");
    EXPECT_EQ(PadLeftZeros(0, 3), "000");
    EXPECT_EQ(PadLeftZeros(5, 9), "00000");
    EXPECT_EQ(PadLeftZeros(1234567, 1), "12345");
}

TEST(TextHelpers, RepeatUpperStrip) {
    EXPECT_EQ(RepeatChar(3, '-'), "---");
    EXPECT_EQ(RepeatChar(0, '-'), "");
    EXPECT_EQ(RepeatChar(-2, '-'), "");
    EXPECT_EQ(UpperAscii("Milano, città 12"_cp), "MILANO, CITTà 12"_cp);
    EXPECT_EQ(StripTrailingBlanks("abc   "), "abc");
    EXPECT_EQ(StripTrailingBlanks("  "), "");
    EXPECT_EQ(StripTrailingBlanks(std::string(79, 'a') + "   b"), std::string(79, 'a'));
}

TEST(TrimTail, RemovesAtMostTenTrailingCharactersOutsideTheKeptSet) {
    EXPECT_EQ(TrimTail("Milano(MI)  ,;"), "Milano(MI)");
    EXPECT_EQ(TrimTail("Forlì"_cp), "Forlì"_cp);
    EXPECT_EQ(TrimTail("Bari."), "Bari.");
    EXPECT_EQ(TrimTail("a" + std::string(12, ' ')), "a  ") << "ten rounds only";
    EXPECT_EQ(TrimTail("   "), "");
    EXPECT_EQ(TrimTail("Ñ"_cp), "") << "only the listed accented letters are kept";
}

TEST(CleanLocality, StarsAndBlanks) {
    EXPECT_EQ(CleanLocality("Milano*MI*"), "Milano(MI)");
    EXPECT_EQ(CleanLocality("SAN  DONATO   MILANESE*MI*"), "SAN DONATO MILANESE(MI)");
    EXPECT_EQ(CleanLocality("A*B*C*"), "A(B)C)");
    EXPECT_EQ(CleanLocality(" X"), " X");
    EXPECT_EQ(CleanLocality(std::string(100, 'x')).size(), 80u);
}

} // namespace
} // namespace exo
