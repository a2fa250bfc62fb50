// The texts of dates, positions and latitudes for any extended real, taken from the raw
// bytes (10 bytes as an x87 80-bit real, or 8 bytes as a double): only ConvertError may
// escape, never undefined behaviour, never an endless loop.
#include "FuzzCheck.h"
#include "astro/Angles.h"
#include "astro/Calendar.h"
#include "astro/TextHelpers.h"
#include "platform/Errors.h"
#include "platform/NumberText.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace {

int Number(std::string_view text, std::size_t first, std::size_t count) {
    int n = 0;
    for (std::size_t i = first; i < first + count; ++i) {
        FUZZ_CHECK(text[i] >= '0' && text[i] <= '9');
        n = n * 10 + (text[i] - '0');
    }
    return n;
}

// "DD/MM/YYYY hh:mm" of a Julian Day from 0 on holds a real date and time.
void CheckDateText(const std::string& text, long double jd) {
    if (!(jd >= 0))
        return;
    FUZZ_CHECK(text.size() == 16 || text.size() == 17);
    const std::size_t timeAt = text.size() - 5;
    const int day = Number(text, 0, 2), month = Number(text, 3, 2);
    const int hour = Number(text, timeAt, 2), minute = Number(text, timeAt + 3, 2);
    FUZZ_CHECK(day >= 1 && day <= 31 && month >= 1 && month <= 12);
    FUZZ_CHECK(hour <= 23 && minute <= 59);
}

// Degrees and minutes inside the sign, and the value they stand for, within one minute of x.
void CheckSignPlace(long double x, int sign, int degrees, int minutes) {
    FUZZ_CHECK(degrees <= 29 && minutes <= 59);
    const long double shown = (sign - 1) * 30.0L + degrees + minutes / 60.0L;
    long double gap = std::fabs(shown - exo::Normalize360(x));
    gap = std::min(gap, 360 - gap);
    FUZZ_CHECK(gap <= 1.0L / 60 + 1e-9L);
}

int SignOf(const std::string& abbreviation) {
    for (int sign = 1; sign <= 12; ++sign) {
        if (exo::SignAbbreviation(sign) == abbreviation)
            return sign;
    }
    FUZZ_CHECK(false);
    return 0;
}

void Texts(long double x, int mode, int count, std::string_view mark) {
    try {
        CheckDateText(exo::DateTextOfJulianDay(x), x);
        CheckDateText(exo::DateTextOfJulianDayByFlag(x, true), x);
        CheckDateText(exo::DateTextOfJulianDayByFlag(x, false), x);
    } catch (const exo::ConvertError&) {
        FUZZ_CHECK(!std::isfinite(x) || std::fabs(x) > 1e11L);
    }

    const std::string plain = exo::PlainDecimal(count, x);
    FUZZ_CHECK(plain.size() <= static_cast<std::size_t>(std::max(count, 0)));
    // Digits and one point, whatever the exponent and the length asked for.
    if (std::isfinite(x)) {
        FUZZ_CHECK(plain.find_first_not_of("0123456789.") == std::string::npos);
        FUZZ_CHECK(plain.find('.') == plain.rfind('.'));
    }

    exo::ScientificText(x);
    exo::GeneralText(x);
    exo::FixedCutText(x, count % 70);

    try {
        const std::string sign = exo::SignPositionText(mode, x);
        if (mode == 2) {
            FUZZ_CHECK(sign.size() == 10 && sign[7] == ':');
            FUZZ_CHECK(Number(sign, 8, 2) <= 59);
        } else {
            FUZZ_CHECK(sign.size() == 7);
        }
        CheckSignPlace(x, SignOf(sign.substr(2, 3)), Number(sign, 0, 2), Number(sign, 5, 2));
        exo::DegreeText(mode, x);
        exo::RetroPositionText(mark, x);
        FUZZ_CHECK(std::isfinite(x) && std::fabs(x) <= 1e15L);
    } catch (const exo::ConvertError&) {
        FUZZ_CHECK(!std::isfinite(x) || std::fabs(x) > 1e15L);
    }
    try {
        exo::LatitudeText(x);
    } catch (const exo::ConvertError&) {
        FUZZ_CHECK(!std::isfinite(x) || std::fabs(x) > 1e15L);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One control byte: the real's form, the position mode and the plain-text length.
    if (size < 1)
        return 0;
    const std::uint8_t control = data[0];
    ++data, --size;
    const bool extended = (control & 1) != 0;
    const std::size_t width = extended ? 10 : 8;
    if (size < width)
        return 0;
    long double x = 0;
    if (extended) {
        static_assert(sizeof(long double) >= 10);
        std::memcpy(&x, data, 10);
    } else {
        double d = 0;
        std::memcpy(&d, data, 8);
        x = d;
    }
    const int mode = (control >> 1) & 3;
    const int count = static_cast<int>(control >> 3) - 2;
    const std::string_view mark(reinterpret_cast<const char*>(data + width), size - width);
    Texts(x, mode, count, mark);

    // The date of a calendar date: the Julian Day of any date text fields.
    if (std::isfinite(x) && std::fabs(x) < 1e6L) {
        const long double jd = exo::JulianDayOf(mode & 1, 0, 0, x, 1, 1);
        try {
            exo::DateTextOfJulianDay(jd);
        } catch (const exo::ConvertError&) {
            FUZZ_CHECK(false);
        }
    }
    return 0;
}
