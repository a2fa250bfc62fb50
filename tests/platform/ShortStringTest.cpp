#include "platform/ShortString.h"

#include <gtest/gtest.h>

#include <string>

namespace exo {
namespace {

TEST(ShortString, StoredSizeIsTheLengthByteAndTheCapacity) {
    EXPECT_EQ(ShortString<1>::kStoredSize, 2u);
    EXPECT_EQ(ShortString<30>::kStoredSize, 31u);
    EXPECT_EQ(ShortString<255>::kStoredSize, 256u);
    EXPECT_EQ(ShortString<30>::kCapacity, 30u);
}

TEST(ShortString, StartsEmpty) {
    const ShortString<5> s;
    EXPECT_TRUE(s.empty());
    EXPECT_EQ(s.size(), 0u);
    EXPECT_EQ(s.str(), "");
}

struct Cut {
    std::string text;
    std::string kept;
};

class ShortStringCut : public ::testing::TestWithParam<Cut> {};

TEST_P(ShortStringCut, AssignKeepsAtMostTheCapacity) {
    const Cut& c = GetParam();
    ShortString<5> s;
    s = c.text;
    EXPECT_EQ(s.str(), c.kept);
    EXPECT_EQ(s.size(), c.kept.size());
    EXPECT_EQ(ShortString<5>(c.text).view(), c.kept);
}

INSTANTIATE_TEST_SUITE_P(Table, ShortStringCut,
                         ::testing::Values(Cut{"", ""}, Cut{"abc", "abc"}, Cut{"abcde", "abcde"},
                                           Cut{"abcdef", "abcde"}, Cut{"G\xE9minis", "G\xE9min"},
                                           Cut{std::string("a\0b", 3), std::string("a\0b", 3)},
                                           Cut{std::string(300, 'x'), "xxxxx"}));

TEST(ShortString, ReassigningAShorterTextForgetsTheOldTail) {
    ShortString<8> s("longtext");
    s = "ab";
    EXPECT_EQ(s, std::string_view("ab"));
    EXPECT_EQ(s.size(), 2u);
    char stored[9];
    s.writeTo(stored);
    EXPECT_EQ(std::string(stored, 9), std::string("\x02"
                                                  "ab\0\0\0\0\0\0",
                                                  9));
}

TEST(ShortString, WriteToGivesTheLengthCharactersAndZeros) {
    const ShortString<6> s("abc");
    std::string stored(ShortString<6>::kStoredSize + 2, '#');
    s.writeTo(stored.data());
    EXPECT_EQ(stored, std::string("\x03"
                                  "abc\0\0\0##",
                                  9))
        << "zeros fill up to the capacity and nothing after the stored size is written";
}

TEST(ShortString, WriteToAFullString) {
    const ShortString<3> s("xyz");
    char stored[4] = {'#', '#', '#', '#'};
    s.writeTo(stored);
    EXPECT_EQ(std::string(stored, 4), "\x03xyz");
}

TEST(ShortString, WriteToAnEmptyString) {
    const ShortString<3> s;
    char stored[4] = {'#', '#', '#', '#'};
    s.writeTo(stored);
    EXPECT_EQ(std::string(stored, 4), std::string(4, '\0'));
}

TEST(ShortString, ReadFromIgnoresTheBytesAfterTheLength) {
    const char stored[] = "\x02"
                          "abJUNK";
    const auto s = ShortString<6>::readFrom(stored);
    EXPECT_EQ(s.str(), "ab");
    EXPECT_EQ(s, ShortString<6>("ab"));
}

TEST(ShortString, ReadFromClampsADamagedLength) {
    const char stored[] = "\xC8"
                          "abcdefgh";
    const auto s = ShortString<4>::readFrom(stored);
    EXPECT_EQ(s.size(), 4u);
    EXPECT_EQ(s.str(), "abcd");
}

TEST(ShortString, ReadFromHighBytes) {
    // A length byte of 255 is read as unsigned, and characters above 0x7F are kept.
    std::string stored(256, '\xE9');
    stored[0] = '\xFF';
    const auto s = ShortString<255>::readFrom(stored.data());
    EXPECT_EQ(s.size(), 255u);
    EXPECT_EQ(s.str(), std::string(255, '\xE9'));
}

TEST(ShortString, StoredFormRoundTrips) {
    const ShortString<10> original("Tauro \xF1");
    char stored[11];
    original.writeTo(stored);
    EXPECT_EQ(ShortString<10>::readFrom(stored), original);
}

TEST(ShortString, EqualityComparesTheTextOnly) {
    ShortString<5> a("abcdef");
    ShortString<5> b("abcdeXYZ");
    EXPECT_EQ(a, b) << "both keep \"abcde\"";
    EXPECT_FALSE(a == ShortString<5>("abcd"));
    EXPECT_FALSE(a == std::string_view("abcdef"));
}

} // namespace
} // namespace exo
