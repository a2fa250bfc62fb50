#pragma once
// The fixed texts in which the program writes numbers, positions and places. Texts are
// Windows-1252 bytes.
#include <string>
#include <string_view>

namespace exo {

// Decimal text of n with "0" in front up to `width` characters; at most 5 characters.
std::string PadLeftZeros(long n, int width);
std::string RepeatChar(int count, char c);
// "a"–"z" to "A"–"Z"; every other byte unchanged.
std::string UpperAscii(std::string_view s);
// s (cut to 80 characters) without its trailing blanks.
std::string StripTrailingBlanks(std::string_view s);
// Up to ten characters removed from the end while the last is not a letter, a digit, ")",
// "." or one of "àéèùòì".
std::string TrimTail(std::string_view s);
// |x| in plain decimal notation cut (not rounded) to its first n characters: (4, 1.0) gives
// 1.00, (5, 0.0123) gives 0.012. Infinity and NaN give "INF" and "NAN" cut to n.
std::string PlainDecimal(int n, long double x);

// Position of a longitude inside its sign. Mode 2 shows seconds ("12Tau34:56"), any other
// mode whole rounded minutes ("12Tau35"); a position never rounds into the next sign.
std::string SignPositionText(int mode, long double x);
// Mode 2: 12°34'56"; any other mode: 12°35'.
std::string DegreeText(int mode, long double x);
// 05°08' Leo followed by " Retrogrado " for the mark "r" or "R", else by the mark itself.
std::string RetroPositionText(std::string_view mark, long double x);
// 45° 28' Norte, or Sur for a negative latitude; minutes truncated.
std::string LatitudeText(long double x);
// The first "*" becomes "(", every later one ")", and runs of blanks shrink to one:
// MILANO*MI* reads MILANO(MI). Capacity 80.
std::string CleanLocality(std::string_view s);

// Three-letter and full sign names, 1 … 12.
const std::string& SignAbbreviation(int sign);
const std::string& SignName(int sign);

} // namespace exo
