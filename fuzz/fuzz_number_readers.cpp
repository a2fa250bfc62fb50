// Every number reader on arbitrary text. When a reader accepts, the writers must take the
// value, and the texts the program writes must read back as the same text.
#include "FuzzCheck.h"
#include "platform/Errors.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

void CheckWriters(long double x, int decimals) {
    FUZZ_CHECK(std::isfinite(x));

    const std::string scientific = exo::ScientificText(x);
    FUZZ_CHECK(scientific.size() == 23);
    long double rounded = 0; // x at the 15 significant digits the program writes
    FUZZ_CHECK(exo::ParseReal(scientific, rounded));
    FUZZ_CHECK(exo::ScientificText(rounded) == scientific);

    long double back = 0;
    const std::string general = exo::GeneralText(x);
    FUZZ_CHECK(exo::ParseLocaleReal(general, back));
    FUZZ_CHECK(exo::GeneralText(back) == general);
    std::string pointed = general;
    for (char& c : pointed) {
        if (c == ',')
            c = '.';
    }
    FUZZ_CHECK(exo::GeneralText(x, '.') == pointed);

    // Cut, not rounded, from the 15 digits: never farther from zero, and less than one unit
    // of the last decimal nearer.
    const std::string fixed = exo::FixedCutText(x, decimals);
    FUZZ_CHECK(exo::ParseLocaleReal(fixed, back));
    FUZZ_CHECK(std::fabs(back) <= std::fabs(rounded));
    const long double unit = std::pow(10.0L, -std::clamp(decimals, 0, 64));
    FUZZ_CHECK(std::fabs(rounded) - std::fabs(back) <=
               unit * (1 + 1e-15L) + std::fabs(rounded) * 1e-17L);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const int decimals = size == 0 ? 2 : static_cast<int>(data[0] % 72) - 4;

    long double x = 0;
    const bool real = exo::ParseReal(text, x);
    if (real) {
        long double leading = 0;
        FUZZ_CHECK(exo::ParseLeadingReal(text, leading) && leading == x);
        FUZZ_CHECK(exo::RealOrZero(text) == x);
        CheckWriters(x, decimals);
    } else {
        FUZZ_CHECK(exo::RealOrZero(text) == 0);
    }

    long double leading = 0;
    if (exo::ParseLeadingReal(text, leading))
        CheckWriters(leading, decimals);

    long double local = 0;
    const bool localReal = exo::ParseLocaleReal(text, local);
    if (localReal)
        CheckWriters(local, decimals);
    try {
        const long double thrown = exo::LocaleReal(text);
        FUZZ_CHECK(localReal && thrown == local);
    } catch (const exo::ConvertError&) {
        FUZZ_CHECK(!localReal);
    }

    std::int32_t n = 0;
    const bool integer = exo::ParseInteger(text, n);
    FUZZ_CHECK(exo::IntegerOrZero(text) == (integer ? n : 0));
    try {
        const std::int32_t thrown = exo::IntegerOf(text);
        FUZZ_CHECK(integer && thrown == n);
    } catch (const exo::ConvertError&) {
        FUZZ_CHECK(!integer);
    }
    if (integer) {
        // Every integer text is a real text of the same value.
        FUZZ_CHECK(real && x == n);
        std::int32_t again = 0;
        FUZZ_CHECK(exo::ParseInteger(std::to_string(n), again) && again == n);
    }
    return 0;
}
