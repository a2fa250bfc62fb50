// The subject's stored date-time field and the date text made from it, on arbitrary text:
// only a correction that does not convert may raise, and then only ConvertError.
#include "FuzzCheck.h"
#include "astro/Calendar.h"
#include "chart/ChartState.h"
#include "platform/Errors.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

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

    const std::string stamp = exo::StampFromDateText(text);
    FUZZ_CHECK(stamp.size() <= 12);

    chart->BirthDateText = text;
    exo::BirthFieldsOf(*chart);
    for (long double field : {chart->BirthDay, chart->BirthMonth, chart->BirthYear,
                              chart->BirthHour, chart->BirthMinute})
        FUZZ_CHECK(std::isfinite(field) && std::fabs(field) < 1e4L);

    exo::ShortString<80> dotted(text);
    exo::DotToComma(dotted);
    FUZZ_CHECK(dotted.size() == std::min<std::size_t>(size, 80));
    FUZZ_CHECK(dotted.view().find('.') == std::string::npos);
    return 0;
}
