#pragma once
// The record layouts of the locality files (Localita\ITALIA.LOC, Localita\ESTERO.LOC) and
// of the time-zone periods (Calendar\Database.cll, Calendar\<zone>.CAL, the working copy).
#include "platform/BinaryFields.h"
#include "platform/ShortString.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace exo {

// One locality, 88 bytes. Record 0 of a locality file is not a locality; records 1 … count
// are sorted by name.
struct LocalityRecord {
    static constexpr std::size_t kSize = 88;

    ShortString<31> Name;      // upper case
    long double Latitude = 0;  // degrees, north positive
    long double Longitude = 0; // degrees, east positive
    std::int32_t ZoneCode = 0; // nine decimal digits; digits 2-9 name the zone
    ShortString<23> Country;   // country, or the province of an Italian locality

    void encode(char* out) const {
        std::fill(out, out + kSize, '\0');
        Name.writeTo(out);
        WriteExtended(out + 32, Latitude);
        WriteExtended(out + 48, Longitude);
        WriteInt32(out + 60, ZoneCode);
        Country.writeTo(out + 64);
    }
    static LocalityRecord decode(const char* in) {
        LocalityRecord r;
        r.Name = ShortString<31>::readFrom(in);
        r.Latitude = ReadExtended(in + 32);
        r.Longitude = ReadExtended(in + 48);
        r.ZoneCode = ReadInt32(in + 60);
        r.Country = ShortString<23>::readFrom(in + 64);
        return r;
    }
};

// Start values hold the Julian Day of a period's start plus this fixed offset.
inline constexpr long double kZoneStartOffset = 39.57108263519275063L;

// One period of a zone, 24 bytes.
struct ZonePeriodRecord {
    static constexpr std::size_t kSize = 24;

    long double StartValue = 0; // Julian Day of the start on the local clock + kZoneStartOffset
    ShortString<4> Type;        // "GREG", "LMT ", "RICH", "****" or a shown-only marker
    double Offset = 0;          // hours to add to local time to obtain universal time

    long double startDay() const { return StartValue - kZoneStartOffset; }

    void encode(char* out) const {
        std::fill(out, out + kSize, '\0');
        WriteExtended(out, StartValue);
        Type.writeTo(out + 10);
        WriteDouble(out + 16, Offset);
    }
    static ZonePeriodRecord decode(const char* in) {
        ZonePeriodRecord r;
        r.StartValue = ReadExtended(in);
        r.Type = ShortString<4>::readFrom(in + 10);
        r.Offset = ReadDouble(in + 16);
        return r;
    }
};

// The file name of a zone: the code's nine-digit text without its first digit, then ".CAL"
// (code 100920000 names 00920000.CAL).
inline std::string ZoneNameOfCode(std::int32_t code) {
    std::string digits = std::to_string(code < 0 ? -static_cast<std::int64_t>(code) : code);
    if (digits.size() < 9)
        digits.insert(0, 9 - digits.size(), '0');
    return digits.substr(digits.size() - 8) + ".CAL";
}

// The zone whose localities keep UTC+5 from 30 September 1951 whatever the periods say.
inline constexpr const char* kSpecialZoneName = "00920000.CAL";

} // namespace exo
