// Windows-1252 conversions: every byte string survives UTF-8 and QString unchanged, and
// arbitrary UTF-8 (malformed or not) converts without a crash to text that survives again.
#include "FuzzCheck.h"
#include "platform/Cp1252.h"

#include <QString>
#include <QStringDecoder>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

int Sign(int v) {
    return (v > 0) - (v < 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    // The input as Windows-1252 bytes.
    const std::string utf8 = exo::Utf8FromCp1252(input);
    FUZZ_CHECK(exo::Cp1252FromUtf8(utf8) == input);
    const QString qtext = exo::QStringFromCp1252(input);
    FUZZ_CHECK(qtext.size() == static_cast<qsizetype>(size));
    FUZZ_CHECK(exo::Cp1252FromQString(qtext) == input);
    FUZZ_CHECK(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())) == qtext);
    for (unsigned char byte : input) {
        unsigned char back = 0;
        FUZZ_CHECK(exo::Cp1252OfCodePoint(exo::CodePointOfCp1252(byte), back) && back == byte);
    }

    // The input as UTF-8: one byte or '?' for each character, never more bytes than given.
    const std::string bytes = exo::Cp1252FromUtf8(input);
    FUZZ_CHECK(bytes.size() <= size);
    FUZZ_CHECK(exo::Cp1252FromUtf8(exo::Utf8FromCp1252(bytes)) == bytes);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    const QString decoded = decoder(QByteArrayView(input.data(), static_cast<qsizetype>(size)));
    if (!decoder.hasError()) {
        // Well-formed UTF-8 reads the same as Qt reads it.
        FUZZ_CHECK(exo::Cp1252FromQString(decoded) == bytes);
    }

    // Byte-wise comparison of the two halves agrees with the unsigned comparison.
    const std::string_view a = input.substr(0, size / 2);
    const std::string_view b = input.substr(size / 2);
    FUZZ_CHECK(exo::CompareBytes(a, b) == Sign(a.compare(b)));
    FUZZ_CHECK(exo::CompareBytes(b, a) == -exo::CompareBytes(a, b));
    FUZZ_CHECK(exo::CompareBytes(a, a) == 0);
    return 0;
}
