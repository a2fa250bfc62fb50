#include "platform/Cp1252.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace exo {
namespace {

std::string AllBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes += static_cast<char>(b);
    return bytes;
}

TEST(Cp1252, EveryByteSurvivesTheRoundTripThroughUtf8) {
    const std::string bytes = AllBytes();
    const std::string utf8 = Utf8FromCp1252(bytes);
    EXPECT_EQ(Cp1252FromUtf8(utf8), bytes);
}

TEST(Cp1252, EveryByteSurvivesTheRoundTripThroughQString) {
    const std::string bytes = AllBytes();
    const QString text = QStringFromCp1252(bytes);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(Cp1252FromQString(text), bytes);
}

TEST(Cp1252, EachByteIsOneCharacterThatMapsBack) {
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        const char32_t cp = CodePointOfCp1252(byte);
        unsigned char back = 0;
        ASSERT_TRUE(Cp1252OfCodePoint(cp, back)) << "byte " << b;
        EXPECT_EQ(back, byte) << "byte " << b;
        const QString text = QStringFromCp1252(std::string(1, static_cast<char>(byte)));
        ASSERT_EQ(text.size(), 1);
        EXPECT_EQ(static_cast<char32_t>(text[0].unicode()), cp) << "byte " << b;
    }
}

struct Mapping {
    unsigned char byte;
    char32_t codePoint;
    const char* utf8;
};

class Cp1252Mapping : public ::testing::TestWithParam<Mapping> {};

TEST_P(Cp1252Mapping, ByteAndCodePointCorrespond) {
    const Mapping m = GetParam();
    const std::string byte(1, static_cast<char>(m.byte));
    EXPECT_EQ(CodePointOfCp1252(m.byte), m.codePoint);
    unsigned char back = 0;
    ASSERT_TRUE(Cp1252OfCodePoint(m.codePoint, back));
    EXPECT_EQ(back, m.byte);
    EXPECT_EQ(Utf8FromCp1252(byte), m.utf8);
    EXPECT_EQ(Cp1252FromUtf8(m.utf8), byte);
    EXPECT_EQ(QStringFromCp1252(byte), QString::fromUtf8(m.utf8));
    EXPECT_EQ(Cp1252FromQString(QString::fromUtf8(m.utf8)), byte);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Cp1252Mapping,
    ::testing::Values(
        Mapping{'A', U'A', "A"}, Mapping{0x7F, 0x007F, "\x7F"}, Mapping{0x80, 0x20AC, "€"},
        Mapping{0x81, 0x0081, "\xC2\x81"}, Mapping{0x82, 0x201A, "‚"}, Mapping{0x83, 0x0192, "ƒ"},
        Mapping{0x85, 0x2026, "…"}, Mapping{0x8A, 0x0160, "Š"}, Mapping{0x8C, 0x0152, "Œ"},
        Mapping{0x8D, 0x008D, "\xC2\x8D"}, Mapping{0x8E, 0x017D, "Ž"},
        Mapping{0x8F, 0x008F, "\xC2\x8F"}, Mapping{0x90, 0x0090, "\xC2\x90"},
        Mapping{0x91, 0x2018, "‘"}, Mapping{0x96, 0x2013, "–"}, Mapping{0x99, 0x2122, "™"},
        Mapping{0x9A, 0x0161, "š"}, Mapping{0x9D, 0x009D, "\xC2\x9D"}, Mapping{0x9E, 0x017E, "ž"},
        Mapping{0x9F, 0x0178, "Ÿ"}, Mapping{0xA0, 0x00A0, "\xC2\xA0"}, Mapping{0xBA, 0x00BA, "º"},
        Mapping{0xC1, 0x00C1, "Á"}, Mapping{0xD1, 0x00D1, "Ñ"}, Mapping{0xE9, 0x00E9, "é"},
        Mapping{0xF1, 0x00F1, "ñ"}, Mapping{0xFF, 0x00FF, "ÿ"}));

TEST(Cp1252, NulByteIsKept) {
    const std::string bytes("a\0b", 3);
    EXPECT_EQ(Utf8FromCp1252(bytes), bytes);
    EXPECT_EQ(Cp1252FromUtf8(bytes), bytes);
}

TEST(Cp1252, CodePointsWithoutAByteHaveNone) {
    // U+0080 and U+009F are C1 controls whose bytes Windows-1252 gives to € and Ÿ.
    for (char32_t cp :
         {char32_t(0x0080), char32_t(0x009F), char32_t(0x0100), char32_t(0x20AD), char32_t(0x4E2D),
          char32_t(0xFFFD), char32_t(0x1F600), char32_t(0xD800), char32_t(0x110000)}) {
        unsigned char byte = 'x';
        EXPECT_FALSE(Cp1252OfCodePoint(cp, byte)) << std::hex << static_cast<unsigned>(cp);
    }
}

struct Lossy {
    const char* name;
    std::string utf8;
    std::string cp1252;
};

class Cp1252FromBadUtf8 : public ::testing::TestWithParam<Lossy> {};

TEST_P(Cp1252FromBadUtf8, BecomesQuestionMarks) {
    const Lossy& c = GetParam();
    EXPECT_EQ(Cp1252FromUtf8(c.utf8), c.cp1252);
}

// One '?' for a character Windows-1252 cannot hold, one per byte that does not start a
// well-formed sequence; the characters after a bad byte are kept.
INSTANTIATE_TEST_SUITE_P(Table, Cp1252FromBadUtf8,
                         ::testing::Values(Lossy{"Chinese", "a中b", "a?b"},
                                           Lossy{"Emoji", "😀!", "?!"},
                                           Lossy{"ReplacementCharacter", "\xEF\xBF\xBD", "?"},
                                           Lossy{"LoneContinuation", "\x80z", "?z"},
                                           Lossy{"LeadThenAscii",
                                                 "\xC3"
                                                 "A",
                                                 "?A"},
                                           Lossy{"TruncatedTwoByteAtEnd", "ab\xC3", "ab?"},
                                           Lossy{"TruncatedThreeByteAtEnd", "\xE2\x82", "??"},
                                           Lossy{"TruncatedFourByteAtEnd", "x\xF0\x9F\x98", "x???"},
                                           Lossy{"OverlongSlash", "\xC0\xAF", "??"},
                                           Lossy{"OverlongThreeByte", "\xE0\x80\xAF", "???"},
                                           Lossy{"EncodedSurrogate", "\xED\xA0\x80", "???"},
                                           Lossy{"BeyondUnicode", "\xF4\x90\x80\x80", "????"},
                                           Lossy{"InvalidLead", "\xFF\xFE", "??"},
                                           Lossy{"LatinOneBytesAsIfUtf8", "G\xE9minis", "G?minis"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Cp1252, TruncatedSequenceIsNotReadPastTheEnd) {
    // The view ends inside a sequence whose continuation bytes follow in memory.
    const std::string buffer = "ab\xE2\x82\xAC";
    EXPECT_EQ(Cp1252FromUtf8(std::string_view(buffer.data(), 3)), "ab?");
    EXPECT_EQ(Cp1252FromUtf8(std::string_view(buffer.data(), 4)), "ab??");
    EXPECT_EQ(Cp1252FromUtf8(std::string_view(buffer.data(), 5)), "ab\x80");
}

TEST(Cp1252, QStringCharactersWithoutAByteBecomeQuestionMarks) {
    EXPECT_EQ(Cp1252FromQString(QString::fromUtf8("a中b")), "a?b");
    // A surrogate pair is one character, so one '?'.
    EXPECT_EQ(Cp1252FromQString(QString::fromUtf8("😀!")), "?!");
    QString lone;
    lone += QChar(0xD800);
    lone += QLatin1Char('x');
    lone += QChar(0xDC00);
    EXPECT_EQ(Cp1252FromQString(lone), "?x?");
    QString highAtEnd = QStringLiteral("y");
    highAtEnd += QChar(0xDBFF);
    EXPECT_EQ(Cp1252FromQString(highAtEnd), "y?");
}

TEST(Cp1252, LiteralGivesWindows1252Bytes) {
    const std::string text = "Géminis"_cp;
    EXPECT_EQ(text, std::string("G\xE9minis"));
    EXPECT_EQ(text.size(), 7u);
    EXPECT_EQ("Año €"_cp, std::string("A\xF1o \x80"));
    EXPECT_EQ(""_cp, "");
}

struct Ordering {
    std::string a;
    std::string b;
    int sign;
};

class CompareBytesTable : public ::testing::TestWithParam<Ordering> {};

TEST_P(CompareBytesTable, GivesTheSignOfTheUnsignedOrder) {
    const Ordering& o = GetParam();
    const auto sign = [](int c) { return (c > 0) - (c < 0); };
    EXPECT_EQ(sign(CompareBytes(o.a, o.b)), o.sign);
    EXPECT_EQ(sign(CompareBytes(o.b, o.a)), -o.sign);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CompareBytesTable,
    ::testing::Values(Ordering{"", "", 0}, Ordering{"abc", "abc", 0}, Ordering{"abc", "abd", -1},
                      Ordering{"\xE9", "z", 1}, Ordering{"\x80", "\x7F", 1},
                      Ordering{"\xFF", "\xFE", 1}, Ordering{"ab", "abc", -1}, Ordering{"", "a", -1},
                      Ordering{"z", "\xE9t", -1}, Ordering{std::string("a\0", 2), "a", 1},
                      Ordering{std::string("a\0b", 3), std::string("a\0c", 3), -1},
                      Ordering{"B", "a", -1}));

} // namespace
} // namespace exo
