#pragma once
// Windows-1252 text. Every file of the program holds Windows-1252 bytes and the
// computations work on those bytes (std::string); UTF-8 and QString appear only at the
// window boundary and in the command-line tool.
//
// The five byte values that Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// map to the C1 control characters of the same number, as the Windows converter does, so
// every byte string survives the round trip through UTF-8 unchanged.
#include <QString>
#include <string>
#include <string_view>

namespace exo {

// The Unicode code point of one Windows-1252 byte.
char32_t CodePointOfCp1252(unsigned char byte);

// The Windows-1252 byte of a code point, or nothing when it has none.
bool Cp1252OfCodePoint(char32_t codePoint, unsigned char& byte);

std::string Utf8FromCp1252(std::string_view bytes);
// Characters that Windows-1252 cannot hold, and malformed UTF-8, become '?'.
std::string Cp1252FromUtf8(std::string_view utf8);

QString QStringFromCp1252(std::string_view bytes);
std::string Cp1252FromQString(const QString& text);

// Byte-wise comparison as unsigned bytes: negative, zero or positive.
int CompareBytes(std::string_view a, std::string_view b);

// Source literals are written in UTF-8; "Géminis"_cp is the Windows-1252 text.
inline std::string operator""_cp(const char* utf8, std::size_t length) {
    return Cp1252FromUtf8(std::string_view(utf8, length));
}

} // namespace exo
