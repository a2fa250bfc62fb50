#pragma once
// Calendar dates and clock times to Julian Days and back, and the subject's stored
// date-time field ("BirthStamp": year, month, day, hour, minute, then the time correction).
#include "chart/ChartState.h"

#include <string>

namespace exo {

// Julian Day of a date and time; flag 1 applies the Gregorian rules (for any date: there is
// no switch-over), anything else the Julian ones.
long double JulianDayOf(int calendarFlag, long double minute, long double hour, long double year,
                        long double month, long double day);

// "DD/MM/YYYY hh:mm" of a Julian Day; the Gregorian rules apply when the day number exceeds
// 2299160. Raises ConvertError for a value no calendar date has (not finite, or beyond
// ±10^11 days).
std::string DateTextOfJulianDay(long double jd);
// The same, with the Gregorian rules chosen by the flag whatever the date.
std::string DateTextOfJulianDayByFlag(long double jd, bool gregorian);
// The same, with the flag of the current chart.
std::string DateTextOfJulianDayByFlag(long double jd);

struct SplitStamp {
    std::string dateText;       // "DD/MM/YYYY hh:mm"
    std::string correctionText; // characters 13-17 of the stamp
};
// Splits a stored date-time field and sets chart.TimeCorrection from its correction text,
// read with "." as separator and, failing that, with the decimal comma. Raises ConvertError
// when neither reads it.
SplitStamp SplitBirthStamp(const std::string& stamp, ChartState& chart = GlobalChart());

// The 12 characters year, month, day, hour, minute of a date text.
std::string StampFromDateText(const std::string& dateText);

// BirthDay, BirthMonth, BirthYear, BirthHour, BirthMinute of chart from BirthDateText; a
// field that does not convert gives 0.
void BirthFieldsOf(ChartState& chart = GlobalChart());

// Every "." of the stamp becomes "," (capacity 80).
void DotToComma(ShortString<80>& stamp);

// Today's date, "DD/MM/YYYY".
std::string TodayText();

// The last-write time of a file as a date text, or "Non Valida" when it has none.
std::string FileDateText(const std::string& name);

// Waits the given time while the program's events go on being handled.
void Delay(int seconds, int milliseconds);

} // namespace exo
