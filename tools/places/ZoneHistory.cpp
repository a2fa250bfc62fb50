#include "ZoneHistory.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QTimeZone>

#include <stdexcept>

namespace exo::places {

namespace {

constexpr long double kJulianDayOfUnixEpoch = 2440587.5L;
constexpr long double kMillisecondsPerDay = 86400000.0L;
constexpr long double kSecondsPerDay = 86400.0L;
constexpr double kSecondsPerHour = 3600.0;

QDateTime UtcMidnight(int year, int month, int day) {
    return QDateTime(QDate(year, month, day), QTime(0, 0), Qt::UTC);
}

// Hours to add to local time to obtain universal time.
double OffsetHours(int offsetFromUtc) {
    return -offsetFromUtc / kSecondsPerHour;
}

const char* PeriodType(const QTimeZone::OffsetData& data) {
    return data.daylightTimeOffset > 0 ? "DST " : "STD ";
}

ZonePeriodRecord Period(long double startDay, const char* type, int offsetFromUtc) {
    ZonePeriodRecord record;
    record.StartValue = startDay + kZoneStartOffset;
    record.Type = type;
    record.Offset = OffsetHours(offsetFromUtc);
    return record;
}

// The instant of a change as a Julian Day on the clock that was in force until it.
long double LocalDayBefore(const QDateTime& atUtc, int offsetBefore) {
    return atUtc.toMSecsSinceEpoch() / kMillisecondsPerDay + kJulianDayOfUnixEpoch +
           offsetBefore / kSecondsPerDay;
}

} // namespace

std::vector<ZonePeriodRecord> ZonePeriods(const std::string& ianaName) {
    const QTimeZone zone(QByteArray::fromStdString(ianaName));
    if (!zone.isValid())
        throw std::runtime_error("the IANA database has no zone " + ianaName);

    // Stepping with nextTransition rather than asking for all transitions at once: the
    // latter stops at the last transition the zone file lists, before the rule that
    // continues it.
    const QDateTime beginning = UtcMidnight(1, 1, 1);
    const QDateTime end = UtcMidnight(2101, 1, 1);
    const QTimeZone::OffsetData first = zone.offsetData(beginning);
    const bool localMeanTime = first.abbreviation == QLatin1String("LMT");

    std::vector<ZonePeriodRecord> records;
    if (!localMeanTime)
        records.push_back(Period(kBeginningOfTime, PeriodType(first), first.offsetFromUtc));
    int offset = first.offsetFromUtc;
    QDateTime after = beginning;
    for (;;) {
        QTimeZone::OffsetData change = zone.nextTransition(after);
        // From the very instant of the last transition the zone file lists, Qt finds none;
        // a second later it goes on with the rule that continues the list.
        if (!change.atUtc.isValid())
            change = zone.nextTransition(after.addSecs(1));
        if (!change.atUtc.isValid() || change.atUtc >= end)
            break;
        if (change.atUtc <= after)
            throw std::runtime_error("the transitions of " + ianaName + " do not advance");
        after = change.atUtc;
        if (change.offsetFromUtc == offset)
            continue;
        const char* type = records.empty() ? "LMT " : PeriodType(change);
        records.push_back(Period(LocalDayBefore(change.atUtc, offset), type, change.offsetFromUtc));
        offset = change.offsetFromUtc;
    }
    if (records.empty()) // local mean time to this day: one period for all time
        records.push_back(Period(kBeginningOfTime, "STD ", first.offsetFromUtc));
    return records;
}

} // namespace exo::places
