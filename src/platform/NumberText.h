#pragma once
// The texts in which the program writes and reads numbers. None of them depends on the C
// locale of the process (Qt sets it from the environment), so files read the same on every
// machine. The program's decimal separator is the comma.
#include <cstdint>
#include <string>
#include <string_view>

namespace exo {

inline constexpr char kDecimalSeparator = ',';

// The fixed scientific form of an extended real, 23 characters: a blank or "-", one digit,
// ".", 14 digits, "E", the exponent sign and four exponent digits (ten is
// " 1.00000000000000E+0001"). Infinities and NaN give " +INF", " -INF", " NAN" padded to 23.
std::string ScientificText(long double x);

// The general decimal text with up to 15 significant digits: fixed notation from 0.00001
// up to fifteen integer digits, otherwise "d,dddE±x" with no plus sign and no leading
// exponent zeros ("1E20", "1,5E-7"); trailing zeros and a bare separator are dropped.
std::string GeneralText(long double x, char separator = kDecimalSeparator);

// x in fixed notation with `decimals` digits after the separator, cut, not rounded, from
// its 15 significant digits (2.999 with 2 decimals gives "2,99", 0.29 gives "0,29";
// −0.001 gives "-0,00").
std::string FixedCutText(long double x, int decimals, char separator = kDecimalSeparator);

// The free-format reader: optional leading blanks, an optional sign, digits with an
// optional "." and fraction, an optional exponent ("E" or "e", optional sign, digits); the
// whole text must be the number. Returns false, leaving x alone, otherwise.
bool ParseReal(std::string_view text, long double& x);

// The first blank-separated token of a line read as by ParseReal, as settings readers take
// a real and skip the rest of the line.
bool ParseLeadingReal(std::string_view line, long double& x);

// The locale reader: blanks around the number are allowed and the decimal separator is the
// comma (the point is not a separator here); raises nothing.
bool ParseLocaleReal(std::string_view text, long double& x);
// The same, raising ConvertError for a text that does not convert.
long double LocaleReal(std::string_view text);

// Integer conversion: optional leading blanks, an optional sign, decimal digits, nothing
// after them. Returns false for anything else or a value outside 32 bits.
bool ParseInteger(std::string_view text, std::int32_t& n);
// The integer of a text, or 0 when it does not convert (the rule for stored fields).
std::int32_t IntegerOrZero(std::string_view text);
// The integer of a text, raising ConvertError when it does not convert.
std::int32_t IntegerOf(std::string_view text);
// The real of a text read with ParseReal, or 0 when it does not convert.
long double RealOrZero(std::string_view text);

} // namespace exo
