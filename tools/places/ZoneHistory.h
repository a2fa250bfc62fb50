#pragma once
// The history of civil time of one IANA zone as the program's zone periods.
#include "archive/PlaceRecords.h"

#include <string>
#include <vector>

namespace exo::places {

// The Julian Day taken as the start of time: 1 January of year 1, whose Trunc (1721423) the
// program reads as "always" in a zone's first record.
inline constexpr long double kBeginningOfTime = 1721423.5L;

// Records 1 … of a zone, from the system's IANA database, up to the end of 2100: a first
// record "LMT " ending local mean time when the zone begins in it (its offset the one that
// follows), otherwise the zone's first period from the beginning of time; then one record
// per change of the UTC offset ("DST " for daylight-saving time, "STD " otherwise). Each
// start is the instant of the change on the clock in force before it. Raises
// std::runtime_error for a zone the database does not know.
std::vector<ZonePeriodRecord> ZonePeriods(const std::string& ianaName);

} // namespace exo::places
