#include "archive/BirthResults.h"

#include "archive/BirthZone.h"
#include "astro/Calendar.h"
#include "astro/TextHelpers.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/NumberText.h"
#include "platform/TextFile.h"

#include <cmath>
#include <memory>
#include <set>

namespace exo {

namespace {

// Start day of a zone's record 0 that means "Gregorian since 1 January of year 1".
constexpr std::int64_t kAlwaysGregorianDay = 1721423;
// 15 October 1582, the first day of the Gregorian reform.
constexpr long double kReformDay = 2299161;
constexpr long double kAfterReform = 2299160.5L;
// From 30 September 1951 the special zone keeps UTC+5 whatever its periods say.
constexpr long double kSpecialZoneFrom = 2433919.5L;
constexpr const char* kSpecialZoneCorrection = "-5";

std::string TrimmedBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

// Julian when the birth is on or before the zone's adoption day, with the reform option
// deciding for the zones that were always Gregorian and for every birth after the reform.
bool GregorianAt(const ZonePeriodRecord& first, long double adoptionDay, long double provisionalDay,
                 int reformOption) {
    if (!(first.Type == "GREG"))
        return true;
    bool julian = false;
    if (static_cast<std::int64_t>(std::trunc(adoptionDay)) != kAlwaysGregorianDay)
        julian = provisionalDay <= adoptionDay;
    else
        julian = reformOption == 1 && provisionalDay < kReformDay;
    if (reformOption == 1 && provisionalDay > kAfterReform)
        julian = false;
    return !julian;
}

std::string PeriodListLine(const ZonePeriodRecord& period) {
    return DateTextOfJulianDay(period.startDay()) + " " + (period.Offset < 0 ? "-" : "+") +
           PlainDecimal(5, period.Offset) + " " + period.Type.str();
}

// The offset of the period in force at the local Julian Day: the last period starting before
// it (a birth exactly on a start still belongs to the period before), the first period for
// a birth before every start. A "RICH" record continues the zone in another one; its periods
// that start no later than the last period already passed are history the first zone has
// covered, so they neither count nor show.
double ScanPeriods(LocalitySource source, std::unique_ptr<ZoneWorkingCopy>& copy,
                   long double julianDay, std::vector<std::string>& list) {
    const std::string startZone = copy->zoneName();
    std::set<std::string> visited{startZone};
    bool haveCurrent = false, havePrevious = false, continued = false;
    ZonePeriodRecord current, previous;
    std::int64_t next = 1;
    while (next < copy->count()) {
        const ZonePeriodRecord record = copy->read(next++);
        if (record.Type == "RICH") {
            const std::string zone = ContinuationZoneName(record, copy->zoneName());
            if (!visited.insert(zone).second)
                throw InOutError(Utf8FromCp1252(ZoneSourceName(source, zone)), "read",
                                 "the \"RICH\" records of zone " + Utf8FromCp1252(startZone) +
                                     " lead back to zone " + Utf8FromCp1252(zone));
            copy.reset(); // the working copy of one zone at a time
            list.push_back("CAMBIO FILE: " + zone);
            copy = std::make_unique<ZoneWorkingCopy>(source, zone);
            next = 1;
            continued = true;
            continue;
        }
        if (continued && haveCurrent && record.startDay() <= current.startDay())
            continue;
        list.push_back(PeriodListLine(record));
        previous = current;
        havePrevious = haveCurrent;
        current = record;
        haveCurrent = true;
        if (current.startDay() >= julianDay)
            break;
    }
    if (!haveCurrent)
        throw InOutError(Utf8FromCp1252(ZoneSourceName(source, copy->zoneName())), "read",
                         "zone " + Utf8FromCp1252(copy->zoneName()) +
                             " ends before its first period");
    if (current.startDay() < julianDay || !havePrevious)
        return current.Offset; // after the last start, or before every start
    return previous.Offset;
}

void CheckCoordinates(const BirthInput& input) {
    const long double latitude = input.locality.Latitude;
    const long double longitude = input.locality.Longitude;
    if (std::fabs(latitude) <= 90 && std::fabs(longitude) <= 180) // false for NaN
        return;
    throw InOutError(Utf8FromCp1252(LocalityFileName(input.source)), "read",
                     "the locality " +
                         Utf8FromCp1252(StripTrailingBlanks(input.locality.Name.view())) +
                         " has no usable coordinates");
}

} // namespace

BirthDateCheck CheckBirthDate(const std::array<std::string, 5>& fields) {
    struct Range {
        BirthDateField field;
        int low, high;
        int BirthDateTime::*value;
    };
    static constexpr Range kRanges[] = {
        {BirthDateField::Day, 1, 31, &BirthDateTime::day},
        {BirthDateField::Month, 1, 12, &BirthDateTime::month},
        {BirthDateField::Year, 0, 2080, &BirthDateTime::year},
        {BirthDateField::Hour, 0, 23, &BirthDateTime::hour},
        {BirthDateField::Minute, 0, 59, &BirthDateTime::minute},
    };
    BirthDateCheck check;
    for (const std::string& field : fields) {
        if (TrimmedBlanks(field).empty())
            return check;
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
        std::int32_t n = 0;
        const Range& range = kRanges[i];
        if (!ParseInteger(TrimmedBlanks(fields[i]), n) || n < range.low || n > range.high) {
            check.status = BirthDateStatus::Invalid;
            check.failing = range.field;
            return check;
        }
        check.value.*range.value = n;
    }
    check.status = BirthDateStatus::Valid;
    return check;
}

int ReadReformOption() {
    std::vector<std::string> lines;
    std::int32_t option = 0;
    if (!TryReadTextLines(kReformSettingsName, lines) || lines.size() < 4 ||
        !ParseInteger(TrimmedBlanks(lines[3]), option))
        return 1;
    return option;
}

long double UniversalJulianDay(bool gregorian, const BirthDateTime& when,
                               long double correctionHours) {
    return JulianDayOf(gregorian ? 1 : 0, when.minute, when.hour + correctionHours, when.year,
                       when.month, when.day);
}

std::string JulianDayEditText(long double jd) {
    return PlainDecimal(11, jd);
}

std::string LocalityCoordinatesText(long double latitude, long double longitude) {
    const auto part = [](long double value, int degreeDigits, char positive, char negative) {
        const long double magnitude = std::fabs(value);
        const long double degrees = std::trunc(magnitude);
        const long double minutes = std::nearbyint((magnitude - degrees) * 60);
        return PadLeftZeros(static_cast<long>(degrees), degreeDigits) +
               (value >= 0 ? positive : negative) + PadLeftZeros(static_cast<long>(minutes), 2);
    };
    return part(latitude, 2, 'N', 'S') + "-" + part(longitude, 3, 'E', 'W');
}

std::string LocalMeanTimeCorrectionText(long double longitude) {
    const long double hours = std::fabs(longitude) * 4 / 60;
    return (std::string(longitude >= 0 ? "-" : "+") + GeneralText(hours)).substr(0, 10);
}

std::string OffsetCorrectionText(double offset) {
    if (offset == 0)
        return "+0";
    return (offset > 0 ? "+" : "") + GeneralText(offset);
}

BirthResults ComputeBirthResults(const BirthInput& input) {
    CheckCoordinates(input);
    const BirthDateTime& when = input.when;
    BirthResults results;
    results.zoneCode = input.locality.ZoneCode;
    results.zoneName = ZoneNameOfCode(input.locality.ZoneCode);
    results.specialZone = results.zoneName == kSpecialZoneName;
    results.provisionalJulianDay =
        JulianDayOf(1, when.minute, when.hour, when.year, when.month, when.day);

    auto copy = std::make_unique<ZoneWorkingCopy>(input.source, results.zoneName);
    if (copy->count() < 1)
        throw InOutError(Utf8FromCp1252(ZoneSourceName(input.source, results.zoneName)), "read",
                         "zone " + Utf8FromCp1252(results.zoneName) + " has no records");

    // The calendar. The Italian zones store the day after the adoption.
    const ZonePeriodRecord first = copy->read(0);
    long double adoptionDay = first.startDay();
    if (input.source == LocalitySource::Italian)
        adoptionDay -= 1;
    results.gregorian =
        GregorianAt(first, adoptionDay, results.provisionalJulianDay, input.reformOption);
    results.calendar = results.gregorian ? "GREG" : "GIUL";
    results.periodList.push_back(DateTextOfJulianDay(adoptionDay) + " " + first.Type.str());
    results.localJulianDay = JulianDayOf(results.gregorian ? 1 : 0, when.minute, when.hour,
                                         when.year, when.month, when.day);

    // Local mean time, judged on the birth's own Julian Day: a Julian-calendar date read by
    // the Gregorian rules would be days away from the end of local mean time.
    if (copy->count() > 1) {
        const ZonePeriodRecord second = copy->read(1);
        results.localMeanTime =
            second.Type == "LMT " && second.startDay() >= results.localJulianDay;
    }

    const double offset =
        ScanPeriods(input.source, copy, results.localJulianDay, results.periodList);
    copy.reset();
    if (results.localMeanTime) {
        results.correctionHours = -input.locality.Longitude * 4 / 60;
        results.correctionText = LocalMeanTimeCorrectionText(input.locality.Longitude);
    } else {
        results.correctionHours = offset;
        results.correctionText = OffsetCorrectionText(offset);
    }
    results.showNote = when.year > 2010 && input.source == LocalitySource::Italian;

    results.universalJulianDay =
        UniversalJulianDay(results.gregorian, when, results.correctionHours);
    // The special zone's fixed correction is applied before the Julian Day is shown, so the
    // day and the correction handed on agree.
    if (results.specialZone && results.universalJulianDay > kSpecialZoneFrom) {
        results.correctionHours = -5;
        results.correctionText = kSpecialZoneCorrection;
        results.universalJulianDay = UniversalJulianDay(results.gregorian, when, -5);
    }
    results.julianDayText = JulianDayEditText(results.universalJulianDay);
    // The date as typed, in the calendar in force (the Gregorian rules read from the day
    // number alone would turn a Julian date after 1582 into its Gregorian equivalent).
    results.dateText = DateTextOfJulianDayByFlag(results.localJulianDay, results.gregorian);
    results.coordinatesText =
        LocalityCoordinatesText(input.locality.Latitude, input.locality.Longitude);
    results.locality = StripTrailingBlanks(input.locality.Name.view());
    results.country = StripTrailingBlanks(input.locality.Country.view());
    return results;
}

} // namespace exo
