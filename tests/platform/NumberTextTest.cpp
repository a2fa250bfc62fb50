#include "platform/NumberText.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <limits>
#include <string>

namespace exo {
namespace {

struct Written {
    long double x;
    std::string text;
};

class ScientificTextTable : public ::testing::TestWithParam<Written> {};

TEST_P(ScientificTextTable, IsTheFixedScientificForm) {
    const std::string text = ScientificText(GetParam().x);
    EXPECT_EQ(text, GetParam().text);
    EXPECT_EQ(text.size(), 23u);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ScientificTextTable,
    ::testing::Values(
        Written{10, " 1.00000000000000E+0001"}, Written{-0.5L, "-5.00000000000000E-0001"},
        Written{0, " 0.00000000000000E+0000"}, Written{-0.0L, " 0.00000000000000E+0000"},
        Written{1, " 1.00000000000000E+0000"}, Written{1e-300L, " 1.00000000000000E-0300"},
        Written{-1e300L, "-1.00000000000000E+0300"},
        Written{0.123456789012345678L, " 1.23456789012346E-0001"},
        Written{2451545.0L, " 2.45154500000000E+0006"},
        Written{9.999999999999999L, " 1.00000000000000E+0001"},
        Written{1e4000L, " 1.00000000000000E+4000"}, Written{1e-4000L, " 1.00000000000000E-4000"},
        Written{std::numeric_limits<long double>::infinity(), " +INF                  "},
        Written{-std::numeric_limits<long double>::infinity(), " -INF                  "},
        Written{std::numeric_limits<long double>::quiet_NaN(), " NAN                   "}));

class GeneralTextTable : public ::testing::TestWithParam<Written> {};

TEST_P(GeneralTextTable, HasUpToFifteenSignificantDigits) {
    EXPECT_EQ(GeneralText(GetParam().x), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, GeneralTextTable,
    ::testing::Values(Written{0, "0"}, Written{1, "1"}, Written{-1, "-1"}, Written{100, "100"},
                      Written{2451545.5L, "2451545,5"}, Written{0.1L, "0,1"}, Written{0.1, "0,1"},
                      Written{-2.5L, "-2,5"}, Written{1.0L / 3.0L, "0,333333333333333"},
                      Written{2.0L / 3.0L, "0,666666666666667"}, Written{1e15L, "1E15"},
                      Written{999999999999999.0L, "999999999999999"},
                      Written{123456789012345.6L, "123456789012346"},
                      Written{1e14L, "100000000000000"}, Written{1e20L, "1E20"},
                      Written{-1.5e20L, "-1,5E20"}, Written{1e-5L, "0,00001"},
                      Written{1e-5, "0,00001"}, Written{1.5e-5L, "0,000015"},
                      Written{1e-6L, "1E-6"}, Written{1.5e-7L, "1,5E-7"},
                      Written{-1.25e-300L, "-1,25E-300"}, Written{0.30000000000000004, "0,3"},
                      Written{1.1, "1,1"}, Written{12.5L, "12,5"}));

TEST(GeneralText, UsesTheSeparatorGiven) {
    EXPECT_EQ(GeneralText(2.5L, '.'), "2.5");
    EXPECT_EQ(GeneralText(1.5e-7L, '.'), "1.5E-7");
}

TEST(GeneralText, NonFiniteValues) {
    EXPECT_EQ(GeneralText(std::numeric_limits<long double>::infinity()), "INF");
    EXPECT_EQ(GeneralText(-std::numeric_limits<long double>::infinity()), "-INF");
    EXPECT_EQ(GeneralText(std::numeric_limits<long double>::quiet_NaN()), "NAN");
}

// Qt sets the C locale of the process from the environment, and a Spanish user has the
// comma there; the texts of the files must not change with it.
class CommaLocale : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = std::setlocale(LC_ALL, nullptr);
        for (const char* name : {"es_ES.UTF-8", "es_ES.utf8", "es_ES", "de_DE.UTF-8", "de_DE.utf8",
                                 "fr_FR.UTF-8", "fr_FR.utf8"}) {
            if (std::setlocale(LC_ALL, name) &&
                std::localeconv()->decimal_point == std::string(","))
                return;
        }
        std::setlocale(LC_ALL, previous_.c_str());
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }
    void TearDown() override { std::setlocale(LC_ALL, previous_.c_str()); }
    std::string previous_;
};

TEST_F(CommaLocale, TextsAreTheSameInEveryLocale) {
    EXPECT_EQ(ScientificText(-0.5L), "-5.00000000000000E-0001");
    EXPECT_EQ(GeneralText(2451545.5L), "2451545,5");
    EXPECT_EQ(GeneralText(2.5L, '.'), "2.5");
    EXPECT_EQ(FixedCutText(2.999L, 2), "2,99");
    long double x = 0;
    EXPECT_TRUE(ParseReal("2.5", x));
    EXPECT_EQ(x, 2.5L);
    EXPECT_FALSE(ParseReal("2,5", x));
    EXPECT_TRUE(ParseLocaleReal("-1,25", x));
    EXPECT_EQ(x, -1.25L);
    EXPECT_FALSE(ParseLocaleReal("1.5", x));
}

struct Cut {
    long double x;
    int decimals;
    std::string text;
};

class FixedCutTextTable : public ::testing::TestWithParam<Cut> {};

TEST_P(FixedCutTextTable, CutsWithoutRounding) {
    EXPECT_EQ(FixedCutText(GetParam().x, GetParam().decimals), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FixedCutTextTable,
    ::testing::Values(Cut{2.999L, 2, "2,99"}, Cut{2.999, 2, "2,99"}, Cut{-1.005L, 2, "-1,00"},
                      Cut{-1.005, 2, "-1,00"}, Cut{2.7L, 0, "2"}, Cut{-2.7L, 0, "-2"},
                      Cut{0, 0, "0"}, Cut{0, 3, "0,000"}, Cut{5, 2, "5,00"},
                      Cut{-0.001L, 2, "-0,00"}, Cut{12.5L, 1, "12,5"},
                      Cut{0.999999999L, 3, "0,999"}, Cut{123456.789L, 2, "123456,78"},
                      Cut{1.5L, 4, "1,5000"}, Cut{1e20L, 1, "100000000000000000000,0"},
                      Cut{0.29, 2, "0,29"}, Cut{-0.0L, 2, "0,00"}, Cut{0.000123L, 5, "0,00012"}));

TEST(FixedCutText, UsesTheSeparatorGiven) {
    EXPECT_EQ(FixedCutText(3.14159L, 3, '.'), "3.141");
}

struct Parsed {
    std::string text;
    bool ok;
    long double x;
};

class ParseRealTable : public ::testing::TestWithParam<Parsed> {};

TEST_P(ParseRealTable, ReadsTheWholeText) {
    const Parsed& p = GetParam();
    long double x = -777;
    EXPECT_EQ(ParseReal(p.text, x), p.ok) << '"' << p.text << '"';
    EXPECT_EQ(x, p.ok ? p.x : -777) << '"' << p.text << '"';
    EXPECT_EQ(RealOrZero(p.text), p.ok ? p.x : 0) << '"' << p.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseRealTable,
    ::testing::Values(
        Parsed{"1", true, 1}, Parsed{"  1.5", true, 1.5L}, Parsed{"\t-2.25", true, -2.25L},
        Parsed{"1.", true, 1}, Parsed{".5", true, 0.5L}, Parsed{"-.5", true, -0.5L},
        Parsed{"+2", true, 2}, Parsed{"1e3", true, 1000}, Parsed{"1E3", true, 1000},
        Parsed{"2.5e-1", true, 0.25L}, Parsed{"-1.5E+2", true, -150}, Parsed{"0.1", true, 0.1L},
        Parsed{"007", true, 7}, Parsed{"1e4000", true, 1e4000L}, Parsed{"2451545.0", true, 2451545},
        Parsed{"1e", false, 0}, Parsed{"1e+", false, 0}, Parsed{"e3", false, 0},
        Parsed{".", false, 0}, Parsed{"", false, 0}, Parsed{"   ", false, 0}, Parsed{"-", false, 0},
        Parsed{"+", false, 0}, Parsed{"1,5", false, 0}, Parsed{"1.5 ", false, 0},
        Parsed{"1.5x", false, 0}, Parsed{"1 2", false, 0}, Parsed{"--1", false, 0},
        Parsed{"+-1", false, 0}, Parsed{"1.2.3", false, 0}, Parsed{"1e3.5", false, 0},
        Parsed{"0x10", false, 0}, Parsed{"inf", false, 0}, Parsed{"nan", false, 0},
        Parsed{"1e99999", false, 0}, Parsed{"-1e99999", false, 0}, Parsed{"- 1", false, 0}));

TEST(ParseReal, GivesTheNearestExtendedReal) {
    long double x = 0;
    ASSERT_TRUE(ParseReal("0.1", x));
    EXPECT_EQ(x, 0.1L);
    EXPECT_NE(x, static_cast<long double>(0.1));
    ASSERT_TRUE(ParseReal("2451545.123456789012", x));
    EXPECT_EQ(x, 2451545.123456789012L);
}

class ParseLeadingRealTable : public ::testing::TestWithParam<Parsed> {};

TEST_P(ParseLeadingRealTable, ReadsTheFirstToken) {
    const Parsed& p = GetParam();
    long double x = -777;
    EXPECT_EQ(ParseLeadingReal(p.text, x), p.ok) << '"' << p.text << '"';
    EXPECT_EQ(x, p.ok ? p.x : -777) << '"' << p.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseLeadingRealTable,
    ::testing::Values(Parsed{"1.5", true, 1.5L}, Parsed{"  -2.5   latitud del lugar", true, -2.5L},
                      Parsed{"3e2\tcomentario", true, 300}, Parsed{"4 ", true, 4},
                      Parsed{"", false, 0}, Parsed{"   ", false, 0}, Parsed{"1,5 coma", false, 0},
                      Parsed{"x 1.5", false, 0}, Parsed{"1.5x rest", false, 0}));

class ParseLocaleRealTable : public ::testing::TestWithParam<Parsed> {};

TEST_P(ParseLocaleRealTable, ReadsTheCommaForm) {
    const Parsed& p = GetParam();
    long double x = -777;
    EXPECT_EQ(ParseLocaleReal(p.text, x), p.ok) << '"' << p.text << '"';
    EXPECT_EQ(x, p.ok ? p.x : -777) << '"' << p.text << '"';
    if (p.ok)
        EXPECT_EQ(LocaleReal(p.text), p.x);
    else
        EXPECT_THROW(LocaleReal(p.text), ConvertError);
}

INSTANTIATE_TEST_SUITE_P(Table, ParseLocaleRealTable,
                         ::testing::Values(Parsed{"-1,00", true, -1}, Parsed{" 2,5 ", true, 2.5L},
                                           Parsed{"\t2,5\t", true, 2.5L}, Parsed{"3", true, 3},
                                           Parsed{",25", true, 0.25L}, Parsed{"1,5E2", true, 150},
                                           Parsed{"0,1", true, 0.1L}, Parsed{"1.5", false, 0},
                                           Parsed{"1.000,5", false, 0}, Parsed{"", false, 0},
                                           Parsed{" ", false, 0}, Parsed{",", false, 0},
                                           Parsed{"1,5x", false, 0}, Parsed{"1 ,5", false, 0},
                                           Parsed{"1e99999", false, 0}));

TEST(LocaleReal, TheErrorQuotesTheTextInUtf8) {
    try {
        LocaleReal("G\xE9minis");
        ADD_FAILURE() << "no ConvertError";
    } catch (const ConvertError& error) {
        EXPECT_NE(std::string(error.what()).find("'Géminis'"), std::string::npos) << error.what();
    }
}

struct ParsedInteger {
    std::string text;
    bool ok;
    std::int32_t n;
};

class ParseIntegerTable : public ::testing::TestWithParam<ParsedInteger> {};

TEST_P(ParseIntegerTable, ReadsDecimalDigitsOnly) {
    const ParsedInteger& p = GetParam();
    std::int32_t n = -777;
    EXPECT_EQ(ParseInteger(p.text, n), p.ok) << '"' << p.text << '"';
    EXPECT_EQ(n, p.ok ? p.n : -777) << '"' << p.text << '"';
    EXPECT_EQ(IntegerOrZero(p.text), p.ok ? p.n : 0) << '"' << p.text << '"';
    if (p.ok)
        EXPECT_EQ(IntegerOf(p.text), p.n);
    else
        EXPECT_THROW(IntegerOf(p.text), ConvertError) << '"' << p.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseIntegerTable,
    ::testing::Values(ParsedInteger{"0", true, 0}, ParsedInteger{"42", true, 42},
                      ParsedInteger{"  42", true, 42}, ParsedInteger{"\t7", true, 7},
                      ParsedInteger{"-15", true, -15}, ParsedInteger{"+15", true, 15},
                      ParsedInteger{"-0", true, 0}, ParsedInteger{"000123", true, 123},
                      ParsedInteger{"2147483647", true, 2147483647},
                      ParsedInteger{"-2147483648", true, std::numeric_limits<std::int32_t>::min()},
                      ParsedInteger{"00000000002147483647", true, 2147483647},
                      ParsedInteger{"2147483648", false, 0}, ParsedInteger{"-2147483649", false, 0},
                      ParsedInteger{"99999999999999999999", false, 0},
                      ParsedInteger{"12a", false, 0}, ParsedInteger{"", false, 0},
                      ParsedInteger{"   ", false, 0}, ParsedInteger{"-", false, 0},
                      ParsedInteger{"+", false, 0}, ParsedInteger{"12 ", false, 0},
                      ParsedInteger{"1 2", false, 0}, ParsedInteger{"- 1", false, 0},
                      ParsedInteger{"1.0", false, 0}, ParsedInteger{"1e3", false, 0},
                      ParsedInteger{"0x1F", false, 0}, ParsedInteger{"--1", false, 0}));

TEST(IntegerOf, TheErrorQuotesTheTextInUtf8) {
    try {
        IntegerOf("1\xBA");
        ADD_FAILURE() << "no ConvertError";
    } catch (const ConvertError& error) {
        EXPECT_NE(std::string(error.what()).find("'1º'"), std::string::npos) << error.what();
    }
}

} // namespace
} // namespace exo
