#pragma once
// The time-zone periods of a locality: the zone index Calendar\Elencal.002, the foreign
// zones of Calendar\Database.cll, the Italian zone files Calendar\<zone>.CAL, and the
// working copy of one zone that the results computation reads while it runs.
#include "archive/LocalityFile.h"
#include "archive/PlaceRecords.h"

#include <cstdint>
#include <string>

namespace exo {

inline constexpr const char* kZoneIndexName = "Calendar\\Elencal.002";
inline constexpr const char* kZoneDatabaseName = "Calendar\\Database.cll";

// The number of the zone's first record in Calendar\Database.cll (characters 15-20 of the
// index line whose first 12 characters are the zone name). Raises InOutError naming the
// zone and the index when no line lists it or its number is unreadable.
std::int64_t ZoneStartRecord(const std::string& zoneName);

// The source of a zone's records: Calendar\<zone> for an Italian locality, the index and
// Calendar\Database.cll for a foreign one.
std::string ZoneSourceName(LocalitySource source, const std::string& zoneName);

// The zone named by the start value of a "RICH" record: the value rounded, eight digits,
// then ".CAL". Raises InOutError (naming `file`) for a value that names no zone.
std::string ContinuationZoneName(const ZonePeriodRecord& record, const std::string& file);

// The records of one zone copied into a file of the program folder named after the zone,
// from the zone's first record up to (not including) a "****" record or the end of the
// source. The file is deleted when the copy goes out of scope, however the computation
// ends; an error while deleting it is ignored. The records are read and written in whole
// runs rather than one by one, and the copy keeps what it wrote for the reads.
class ZoneWorkingCopy {
  public:
    ZoneWorkingCopy(LocalitySource source, const std::string& zoneName);
    ~ZoneWorkingCopy();
    ZoneWorkingCopy(const ZoneWorkingCopy&) = delete;
    ZoneWorkingCopy& operator=(const ZoneWorkingCopy&) = delete;

    const std::string& zoneName() const { return zoneName_; }
    const std::string& fileName() const { return zoneName_; }
    std::int64_t count() const;
    // Record n of the copy. A start value or offset that is no usable number raises
    // InOutError naming the zone's source, so a damaged zone never yields a correction.
    ZonePeriodRecord read(std::int64_t n) const;

  private:
    void remove() noexcept;

    std::string zoneName_;
    std::string sourceName_;
    std::string records_; // the bytes of the working copy
};

} // namespace exo
