#include "platform/SortedStringList.h"
#include "platform/Cp1252.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace exo {
namespace {

using Items = std::vector<std::string>;

Items Cp(const std::vector<const char*>& utf8) {
    Items items;
    for (const char* text : utf8)
        items.push_back(Cp1252FromUtf8(text));
    return items;
}

SortedStringList ListOf(const Items& items) {
    SortedStringList list;
    for (const std::string& item : items)
        list.add(item);
    return list;
}

int Sign(int c) {
    return (c > 0) - (c < 0);
}

TEST(SortedStringList, SortsNamesInTheSpanishOrder) {
    const SortedStringList list = ListOf(Cp({"Zaragoza", "ávila", "Avila", "MILANO", "milano",
                                             "Ñandú", "nzz", "Écija", "Ecija", "bari"}));
    // Ñ is a letter of its own after N; an accented letter sorts with its base letter, the
    // plain one first; letter case makes no difference, so equal names keep the one added
    // last in front.
    EXPECT_EQ(list.items(), Cp({"Avila", "ávila", "bari", "Ecija", "Écija", "milano", "MILANO",
                                "nzz", "Ñandú", "Zaragoza"}));
}

TEST(SortedStringList, OrderDoesNotDependOnTheOrderOfAdding) {
    Items names = Cp({"Zaragoza", "ávila", "Avila", "Ñandú", "nzz", "Écija", "Ecija", "bari",
                      "Nápoles", "ñu", "Oviedo", "Cádiz", "chile", "Coruña", "Lleida", "luna"});
    const Items expected =
        Cp({"Avila", "ávila", "bari", "Cádiz", "chile", "Coruña", "Ecija", "Écija", "Lleida",
            "luna", "Nápoles", "nzz", "Ñandú", "ñu", "Oviedo", "Zaragoza"});
    for (std::size_t k = 0; k < names.size(); ++k) {
        std::rotate(names.begin(), names.begin() + 1, names.end());
        EXPECT_EQ(ListOf(names).items(), expected);
    }
    std::reverse(names.begin(), names.end());
    EXPECT_EQ(ListOf(names).items(), expected);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(ListOf(names).items(), expected);
}

struct Collation {
    const char* a;
    const char* b;
    int sign;
};

class CollateCompareTable : public ::testing::TestWithParam<Collation> {};

TEST_P(CollateCompareTable, ComparesAsSpanishIgnoringCase) {
    const Collation& c = GetParam();
    const std::string a = Cp1252FromUtf8(c.a);
    const std::string b = Cp1252FromUtf8(c.b);
    EXPECT_EQ(Sign(CollateCompare(a, b)), c.sign) << c.a << " / " << c.b;
    EXPECT_EQ(Sign(CollateCompare(b, a)), -c.sign) << c.b << " / " << c.a;
}

INSTANTIATE_TEST_SUITE_P(
    Table, CollateCompareTable,
    ::testing::Values(Collation{"milano", "MILANO", 0}, Collation{"Ñandú", "ñANDÚ", 0},
                      Collation{"", "", 0}, Collation{"", "a", -1}, Collation{"nzz", "Ñandú", -1},
                      Collation{"Ñ", "O", -1}, Collation{"n", "ñ", -1},
                      Collation{"Avila", "ávila", -1}, Collation{"ávila", "Avilb", -1},
                      Collation{"Écija", "Ecijb", -1}, Collation{"bari", "Avila", 1},
                      Collation{"Zaragoza", "ávila", 1}, Collation{"ab", "abc", -1},
                      Collation{"chile", "cota", -1}, Collation{"llama", "luna", -1}));

TEST(SortedStringList, EqualItemsAreAllKept) {
    SortedStringList list;
    EXPECT_EQ(list.add("Leo"), 0u);
    EXPECT_EQ(list.add("LEO"), 0u);
    EXPECT_EQ(list.add("leo"), 0u);
    EXPECT_EQ(list.add("Aries"), 0u);
    EXPECT_EQ(list.add("Virgo"), 4u);
    EXPECT_EQ(list.items(), (Items{"Aries", "leo", "LEO", "Leo", "Virgo"}));
}

TEST(SortedStringList, AddReturnsTheIndexOfTheNewItem) {
    SortedStringList list;
    EXPECT_EQ(list.add("m"), 0u);
    EXPECT_EQ(list.add("z"), 1u);
    EXPECT_EQ(list.add("a"), 0u);
    EXPECT_EQ(list.add("p"), 2u);
    EXPECT_EQ(list.add("\xF1"), 2u); // ñ
    EXPECT_EQ(list.items(), (Items{"a", "m", "\xF1", "p", "z"}));
}

TEST(SortedStringList, FindGivesTheFirstEqualItem) {
    const SortedStringList list =
        ListOf({"Aries", "Leo", "LEO", "leo", "Libra", "Piscis", "Tauro"});
    std::size_t index = 99;
    EXPECT_TRUE(list.find("lEo", index));
    EXPECT_EQ(index, 1u);
    EXPECT_TRUE(list.find("aries", index));
    EXPECT_EQ(index, 0u);
    EXPECT_TRUE(list.find("TAURO", index));
    EXPECT_EQ(index, 6u);
}

TEST(SortedStringList, FindGivesWhereAMissingItemGoes) {
    const SortedStringList list = ListOf(Cp({"Aries", "Leo", "Libra", "Nápoles", "Ñandú"}));
    struct Case {
        const char* item;
        std::size_t index;
    };
    for (const Case c :
         {Case{"", 0}, Case{"Acuario", 0}, Case{"B", 1}, Case{"Lea", 1}, Case{"Leon", 2},
          Case{"Lib", 2}, Case{"nzz", 4}, Case{"ñu", 5}, Case{"Zaragoza", 5}, Case{"Napoles", 3}}) {
        std::size_t index = 99;
        EXPECT_FALSE(list.find(Cp1252FromUtf8(c.item), index)) << c.item;
        EXPECT_EQ(index, c.index) << c.item;
    }
    std::size_t index = 99;
    EXPECT_TRUE(list.find("N\xC1POLES", index));
    EXPECT_EQ(index, 3u);
}

TEST(SortedStringList, FindInAnEmptyList) {
    const SortedStringList list;
    std::size_t index = 99;
    EXPECT_FALSE(list.find("x", index));
    EXPECT_EQ(index, 0u);
}

TEST(SortedStringList, ItemsAreWindows1252Bytes) {
    const SortedStringList list = ListOf({"\xD1"
                                          "and\xFA",
                                          "nzz", "\xE1vila"});
    EXPECT_EQ(list.items(), (Items{"\xE1vila", "nzz",
                                   "\xD1"
                                   "and\xFA"}));
    EXPECT_EQ(list[2], "Ñandú"_cp);
}

TEST(SortedStringList, RemoveAtAndClear) {
    SortedStringList list = ListOf({"a", "b", "c"});
    list.removeAt(1);
    EXPECT_EQ(list.items(), (Items{"a", "c"}));
    list.removeAt(5);
    EXPECT_EQ(list.size(), 2u);
    list.removeAt(0);
    EXPECT_EQ(list.items(), (Items{"c"}));
    list.clear();
    EXPECT_TRUE(list.empty());
}

} // namespace
} // namespace exo
