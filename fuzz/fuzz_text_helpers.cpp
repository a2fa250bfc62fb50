// The helpers that tidy names and places on arbitrary text: each keeps to what it promises
// and changes nothing else.
#include "FuzzCheck.h"
#include "astro/TextHelpers.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace {

bool IsKept(char c) {
    static const std::string kKept = std::string(").abcdefghijklmnopqrstuvwxyz"
                                                 "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789") +
                                     "\xE0\xE9\xE8\xF9\xF2\xEC"; // àéèùòì in Windows-1252
    return kKept.find(c) != std::string::npos;
}

void CheckCleanLocality(std::string_view s) {
    const std::string clean = exo::CleanLocality(s);
    FUZZ_CHECK(clean.size() <= 80);
    FUZZ_CHECK(clean.find('*') == std::string::npos);
    FUZZ_CHECK(clean.find("  ") == std::string::npos);
    const std::size_t open = clean.find('(');
    if (s.find('(') == std::string_view::npos && open != std::string::npos)
        FUZZ_CHECK(clean.find('(', open + 1) == std::string::npos);
    if (s.size() <= 80 && s.find('*') == std::string_view::npos &&
        s.find("  ") == std::string_view::npos)
        FUZZ_CHECK(clean == s);
}

void CheckTrimTail(std::string_view s) {
    const std::string trimmed = exo::TrimTail(s);
    FUZZ_CHECK(s.substr(0, trimmed.size()) == trimmed);
    const std::size_t removed = s.size() - trimmed.size();
    FUZZ_CHECK(removed <= 10);
    for (std::size_t i = trimmed.size(); i < s.size(); ++i)
        FUZZ_CHECK(!IsKept(s[i]));
    if (removed < 10)
        FUZZ_CHECK(trimmed.empty() || IsKept(trimmed.back()));
}

void CheckStripTrailingBlanks(std::string_view s) {
    const std::string stripped = exo::StripTrailingBlanks(s);
    const std::string_view cut = s.substr(0, 80);
    FUZZ_CHECK(cut.substr(0, stripped.size()) == stripped);
    FUZZ_CHECK(stripped.empty() || stripped.back() != ' ');
    FUZZ_CHECK(cut.find_first_not_of(' ', stripped.size()) == std::string_view::npos);
}

void CheckUpperAscii(std::string_view s) {
    const std::string upper = exo::UpperAscii(s);
    FUZZ_CHECK(upper.size() == s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] >= 'a' && s[i] <= 'z')
            FUZZ_CHECK(upper[i] == s[i] - 'a' + 'A');
        else
            FUZZ_CHECK(upper[i] == s[i]);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckCleanLocality(text);
    CheckTrimTail(text);
    CheckStripTrailingBlanks(text);
    CheckUpperAscii(text);

    // The first bytes as a number and a width for the zero-padded texts.
    if (size >= sizeof(std::int32_t) + 1) {
        std::int32_t n = 0;
        std::memcpy(&n, data, sizeof n);
        const int width = static_cast<std::int8_t>(data[sizeof n]);
        const std::string padded = exo::PadLeftZeros(n, width);
        FUZZ_CHECK(padded.size() <= 5);
        FUZZ_CHECK(exo::RepeatChar(width, '-').size() ==
                   static_cast<std::size_t>(std::max(width, 0)));
    }
    return 0;
}
