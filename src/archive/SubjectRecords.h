#pragma once
// The record layouts of an archive: the sorted key file NAME.ST1, the subject file NAME.ST2
// and the notes file NAME.ST3, and the subject as the program holds it in memory.
#include "platform/ShortString.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>

namespace exo {

// NAME.ST1: the 38-character padded name followed by the five-digit subject-record number.
struct SubjectKey {
    static constexpr std::size_t kSize = 44;
    ShortString<43> Key;

    void encode(char* out) const { Key.writeTo(out); }
    static SubjectKey decode(const char* in) { return {ShortString<43>::readFrom(in)}; }
};

// NAME.ST2, in order of arrival; never moved.
struct SubjectRecord {
    static constexpr std::size_t kSize = 385;

    ShortString<20> BirthStamp;   // YYYYMMDDhhmm followed by the signed correction
    ShortString<39> Place;        // coordinates text (12) and the locality
    ShortString<2> Calendar;      // "GR" Gregorian, anything else Julian
    ShortString<20> Country;      // country or province
    ShortString<72> PlanetCodes;  // bodies 1-12
    ShortString<60> CuspCodes;    // cusps 1-12
    ShortString<124> AspectCodes; // aspects between bodies
    ShortString<21> ReservedA;
    ShortString<12> ReservedB;
    ShortString<5> NotesNumber; // five digits in NAME.ST3, "00000" for none

    void encode(char* out) const {
        BirthStamp.writeTo(out + 0);
        Place.writeTo(out + 21);
        Calendar.writeTo(out + 61);
        Country.writeTo(out + 64);
        PlanetCodes.writeTo(out + 85);
        CuspCodes.writeTo(out + 158);
        AspectCodes.writeTo(out + 219);
        ReservedA.writeTo(out + 344);
        ReservedB.writeTo(out + 366);
        NotesNumber.writeTo(out + 379);
    }
    static SubjectRecord decode(const char* in) {
        SubjectRecord r;
        r.BirthStamp = ShortString<20>::readFrom(in + 0);
        r.Place = ShortString<39>::readFrom(in + 21);
        r.Calendar = ShortString<2>::readFrom(in + 61);
        r.Country = ShortString<20>::readFrom(in + 64);
        r.PlanetCodes = ShortString<72>::readFrom(in + 85);
        r.CuspCodes = ShortString<60>::readFrom(in + 158);
        r.AspectCodes = ShortString<124>::readFrom(in + 219);
        r.ReservedA = ShortString<21>::readFrom(in + 344);
        r.ReservedB = ShortString<12>::readFrom(in + 366);
        r.NotesNumber = ShortString<5>::readFrom(in + 379);
        return r;
    }
};

// NAME.ST3, in order of arrival; never moved. Line 4 holds the fourth note padded to 64
// characters and then the five-digit text number.
struct SubjectNotes {
    static constexpr std::size_t kSize = 284;
    std::array<ShortString<70>, 4> Lines;

    void encode(char* out) const {
        for (std::size_t i = 0; i < Lines.size(); ++i)
            Lines[i].writeTo(out + 71 * i);
    }
    static SubjectNotes decode(const char* in) {
        SubjectNotes n;
        for (std::size_t i = 0; i < n.Lines.size(); ++i)
            n.Lines[i] = ShortString<70>::readFrom(in + 71 * i);
        return n;
    }
};

// A subject as the archive operations exchange it. Texts are Windows-1252 bytes.
struct SubjectEntry {
    std::string Name;            // up to 38 characters, upper case
    std::string BirthDateText;   // DD/MM/YYYY hh:mm, local civil time
    long double Correction = 0;  // hours: universal time = local time + Correction
    std::string CorrectionText;  // as read from or written to the birth stamp
    std::string CoordinatesText; // 45N28-009E11
    std::string Locality;        // up to 27 characters
    std::string Country;         // up to 20 characters
    bool Gregorian = true;
    long double JulianDay = 0; // universal time
    std::array<std::string, 4> NoteLines;
    std::string TextNumber; // five digits or empty
};

} // namespace exo
