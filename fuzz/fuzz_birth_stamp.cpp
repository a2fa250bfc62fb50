// The subject's stored date-time field and the date text made from it, on arbitrary text:
// only a correction that does not convert may raise, and then only ConvertError.
#include "FuzzCheck.h"
#include "astro/Calendar.h"
#include "astro/TextHelpers.h"
#include "chart/ChartState.h"
#include "platform/Errors.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace {

int DaysInMonth(int year, int month, bool gregorian) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = year % 4 == 0 && (!gregorian || year % 100 != 0 || year % 400 == 0);
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// The day number (from noon of 1 January 4713 BC, Julian) of a date, by whole-number
// arithmetic of its own, for years from -4712 on.
long long DayNumber(int year, int month, int day, bool gregorian) {
    const int a = (14 - month) / 12;
    const long long y = year + 4800 - a;
    const long long m = month + 12 * a - 3;
    long long n = day + (153 * m + 2) / 5 + 365 * y + y / 4 - 32083;
    if (gregorian)
        n += 38 - y / 100 + y / 400;
    return n;
}

// A stamp whose year (four characters, "-999" to "9999"), month, day, hour and minute name
// a real date and time has the Julian Day of either calendar, and gives the same date text
// back from it.
void CheckCalendarRoundTrip(const std::string& stamp) {
    if (stamp.size() < 12)
        return;
    const std::size_t yearDigits = stamp[0] == '-' ? 1 : 0;
    if (stamp.find_first_not_of("0123456789", yearDigits) < 12)
        return;
    const auto field = [&](std::size_t first, std::size_t count) {
        return std::stoi(stamp.substr(first, count));
    };
    const int year = field(0, 4), month = field(4, 2), day = field(6, 2);
    const int hour = field(8, 2), minute = field(10, 2);
    if (month < 1 || month > 12 || day < 1 || hour > 23 || minute > 59)
        return;
    // Years are written as the program pads them ("-100", "00-1").
    const std::string expected = stamp.substr(6, 2) + "/" + stamp.substr(4, 2) + "/" +
                                 exo::PadLeftZeros(year, 4) + " " + stamp.substr(8, 2) + ":" +
                                 stamp.substr(10, 2);
    for (const bool gregorian : {false, true}) {
        if (day > DaysInMonth(year, month, gregorian))
            continue;
        const long double jd = exo::JulianDayOf(gregorian ? 1 : 0, minute, hour, year, month, day);
        const long double reference =
            DayNumber(year, month, day, gregorian) - 0.5L + (hour * 60 + minute) / 1440.0L;
        FUZZ_CHECK(std::fabs(jd - reference) < 1e-6L);
        FUZZ_CHECK(exo::DateTextOfJulianDayByFlag(jd, gregorian) == expected);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto chart = std::make_unique<exo::ChartState>();

    try {
        const exo::SplitStamp split = exo::SplitBirthStamp(text, *chart);
        FUZZ_CHECK(split.correctionText.size() <= 5);
        FUZZ_CHECK(std::isfinite(chart->TimeCorrection));
        // Year, month, day, hour and minute come back in their places.
        if (size >= 12)
            FUZZ_CHECK(exo::StampFromDateText(split.dateText) == text.substr(0, 12));
    } catch (const exo::ConvertError&) {
    }

    CheckCalendarRoundTrip(text);

    const std::string stamp = exo::StampFromDateText(text);
    FUZZ_CHECK(stamp.size() <= 12);

    chart->BirthDateText = text;
    exo::BirthFieldsOf(*chart);
    for (long double field : {chart->BirthDay, chart->BirthMonth, chart->BirthYear,
                              chart->BirthHour, chart->BirthMinute})
        FUZZ_CHECK(std::isfinite(field)); // "9E99" is a four-character year

    exo::ShortString<80> dotted(text);
    exo::DotToComma(dotted);
    FUZZ_CHECK(dotted.size() == std::min<std::size_t>(size, 80));
    FUZZ_CHECK(dotted.view().find('.') == std::string::npos);
    return 0;
}
