#pragma once
// The results of the birth-data form: from a locality and the local date and time of birth,
// the calendar in force, the total time correction (hours to add to local time to obtain
// universal time), the Julian Days and the texts the result panel shows. The computation
// reads the locality's zone from the program folder; it uses no window.
#include "archive/LocalityFile.h"
#include "archive/PlaceRecords.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace exo {

struct BirthDateTime {
    int day = 0;
    int month = 0;
    int year = 0;
    int hour = 0;
    int minute = 0;
};

// The date check of the five edits.
enum class BirthDateField { Day, Month, Year, Hour, Minute };
enum class BirthDateStatus {
    Incomplete, // an edit is empty: nothing is computed and nothing is said
    Invalid,    // `failing` holds no integer in its range: "Fecha Incorrectas"
    Valid,
};
struct BirthDateCheck {
    BirthDateStatus status = BirthDateStatus::Incomplete;
    BirthDateField failing = BirthDateField::Day; // the first failing edit when Invalid
    BirthDateTime value;                          // when Valid
};

// The texts of the day, month, year, hour and minute edits, in that order; each is trimmed
// and must be an integer of day 1-31, month 1-12, year 0-2080, hour 0-23, minute 0-59.
BirthDateCheck CheckBirthDate(const std::array<std::string, 5>& fields);

inline constexpr const char* kReformSettingsName = "FileSet\\MMVarLas.stt";
// Line 4 of FileSet\MMVarLas.stt, the reform option: 1 lets the Gregorian reform of
// 15 October 1582 decide the calendar. 1 when the file, the line or its number is missing.
int ReadReformOption();

struct BirthInput {
    LocalityRecord locality;
    LocalitySource source = LocalitySource::Italian;
    BirthDateTime when; // local clock time, not checked here (years beyond 2080 work)
    int reformOption = 1;
};

struct BirthResults {
    std::int32_t zoneCode = 0;
    std::string zoneName;     // "00390000.CAL"
    bool specialZone = false; // 00920000.CAL
    bool gregorian = true;
    std::string calendar; // "GREG" or "GIUL"
    bool localMeanTime = false;
    long double correctionHours = 0;      // hours added to local time to give universal time
    std::string correctionText;           // always signed: "+1", "-5,5", "-0,6122222"
    long double provisionalJulianDay = 0; // local date and time, Gregorian rules
    long double localJulianDay = 0;       // local date and time in the calendar in force
    long double universalJulianDay = 0;
    std::string julianDayText;           // universalJulianDay, plain decimal cut to 11 characters
    std::string dateText;                // "DD/MM/YYYY hh:mm" of the local date in its calendar
    std::string coordinatesText;         // "45N28-009E11"
    std::string locality;                // name without trailing blanks
    std::string country;                 // without trailing blanks
    std::vector<std::string> periodList; // the diagnostic list of the zone's periods
    bool showNote = false; // "TIEMPOS DE REG. NO ACTUALIZADOS": Italian file, year after 2010
};

// Computes the results for one birth. Reads the zone into its working copy in the program
// folder (deleted when the computation ends, also by an error). Raises InOutError for a
// missing or damaged locality, zone or index file, a zone the index does not list, a zone
// without periods, a locality with unusable coordinates and a loop of "RICH" continuations.
BirthResults ComputeBirthResults(const BirthInput& input);

// The universal-time Julian Day of the local date and time in one calendar: the hour
// increased by the correction.
long double UniversalJulianDay(bool gregorian, const BirthDateTime& when,
                               long double correctionHours);
// A Julian Day as the Julian day edit shows it: plain decimal with a point, 11 characters.
std::string JulianDayEditText(long double jd);
// "45N28-009E11": whole degrees, rounded minutes (60 stays 60), N/S and E/W by sign.
std::string LocalityCoordinatesText(long double latitude, long double longitude);
// The correction by the longitude while local mean time applies: longitude × 4 / 60 hours,
// "-" in front for east longitudes and zero, "+" for west, the text cut to 10 characters.
std::string LocalMeanTimeCorrectionText(long double longitude);
// A period's offset as the correction edit shows it: "+" before zero and positive values.
std::string OffsetCorrectionText(double offset);

} // namespace exo
