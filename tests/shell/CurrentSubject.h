#pragma once
// The current subject of a test's program folder, written as the archive stores it: record 0
// of TMPR.ST1 and TMPR.ST2 and the notes line of FileDum\Annotaz.dum. Texts are
// Windows-1252 bytes.
#include "TestFolder.h"

#include <string>
#include <string_view>

namespace exo::test {

// A length-prefixed field of `capacity` characters, zero-filled.
inline std::string Field(std::string_view text, std::size_t capacity) {
    std::string bytes(1, static_cast<char>(text.size()));
    bytes += text;
    bytes.resize(capacity + 1, '\0');
    return bytes;
}

struct StoredSubject {
    std::string_view key;   // the name padded to 38, then the text number
    std::string_view stamp; // YYYYMMDDhhmm and the correction
    std::string_view place; // coordinates and locality
    std::string_view calendar;
    std::string_view country;
    std::string_view notesLine;
};

inline void WriteCurrentSubject(const ScratchFolder& folder, const StoredSubject& s) {
    folder.write("TMPR.ST1", Field(s.key, 43));
    std::string record =
        Field(s.stamp, 20) + Field(s.place, 39) + Field(s.calendar, 2) + Field(s.country, 20);
    record.resize(385, '\0');
    folder.write("TMPR.ST2", record);
    folder.write("FileDum/Annotaz.dum", std::string(s.notesLine) + "\r\n");
}

// Rossi Mario, born in Milan on 1 January 1960 at 10:30, correction −1.
inline constexpr StoredSubject kRossiMilano{"ROSSI MARIO                           00001",
                                            "196001011030-1.00",
                                            "45N28-009E11MILANO *MI*",
                                            "GR",
                                            "Italia",
                                            ""};

} // namespace exo::test
