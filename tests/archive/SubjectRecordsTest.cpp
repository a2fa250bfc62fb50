#include "archive/SubjectRecords.h"
#include "archive/PlaceRecords.h"

#include <gtest/gtest.h>

namespace exo {
namespace {

// The layouts are shared with files written elsewhere: every field at its byte offset.
TEST(ArchiveRecords, FieldsSitAtTheirOffsets) {
    SubjectRecord record;
    record.Place = "45N28-009E11MILANO";
    record.NotesNumber = "00042";
    std::string bytes(SubjectRecord::kSize, '\x7f');
    record.encode(bytes.data());
    EXPECT_EQ(bytes[21], 18);
    EXPECT_EQ(bytes.substr(22, 12), "45N28-009E11");
    EXPECT_EQ(bytes[379], 5);
    EXPECT_EQ(bytes.substr(380, 5), "00042");
    EXPECT_EQ(SubjectRecord::decode(bytes.data()).Place, record.Place);

    LocalityRecord place;
    place.Name = "MILANO";
    place.Latitude = 1.0L;
    place.Longitude = -9.1895L;
    place.ZoneCode = 100920000;
    place.Country = "*MI*";
    std::string raw(LocalityRecord::kSize, '\x7f');
    place.encode(raw.data());
    // 1.0 as an x87 extended real: explicit integer bit, exponent 0x3FFF.
    EXPECT_EQ(raw.substr(32, 10), std::string("\0\0\0\0\0\0\0\x80\xff\x3f", 10));
    EXPECT_EQ(raw.substr(60, 4), "\xc0\xea\x03\x06"); // 100920000, little-endian
    EXPECT_EQ(raw.substr(42, 6), std::string(6, '\0'));
    const LocalityRecord back = LocalityRecord::decode(raw.data());
    EXPECT_EQ(back.ZoneCode, 100920000);
    EXPECT_EQ(back.Latitude, place.Latitude);
    EXPECT_EQ(back.Longitude, place.Longitude);
    EXPECT_EQ(back.Country, "*MI*");
    EXPECT_EQ(ZoneNameOfCode(back.ZoneCode), "00920000.CAL");
}

} // namespace
} // namespace exo
