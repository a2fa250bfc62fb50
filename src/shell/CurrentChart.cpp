#include "shell/CurrentChart.h"

#include "archive/SubjectRecords.h"
#include "astro/Angles.h"
#include "astro/Calendar.h"
#include "astro/Ephemeris.h"
#include "astro/Houses.h"
#include "astro/TextHelpers.h"
#include "platform/Cp1252.h"
#include "platform/NumberText.h"
#include "platform/ProgramPaths.h"
#include "platform/RecordFile.h"
#include "platform/TextFile.h"

#include <cmath>
#include <cstdlib>

namespace exo {

namespace {

// Characters `from` (1-based) to from + count − 1 of s, as far as s reaches.
std::string Copy(std::string_view s, std::size_t from, std::size_t count) {
    if (from < 1 || from > s.size())
        return {};
    return std::string(s.substr(from - 1, count));
}

// Round to the nearest integer, halves to even, as the clock fields are rounded.
std::int32_t RoundedWhole(long double x) {
    return static_cast<std::int32_t>(std::nearbyint(x));
}

struct CurrentSubject {
    SubjectKey key;
    SubjectRecord record;
};

CurrentSubject ReadCurrentSubject() {
    CurrentSubject subject;
    subject.key = TypedRecordFile<SubjectKey>("TMPR.ST1").read(0);
    subject.record = TypedRecordFile<SubjectRecord>("TMPR.ST2").read(0);
    return subject;
}

void TakeDateAndPlace(SubjectRecord& record, ChartState& chart) {
    // A correction typed with a point is read with the decimal comma from here on.
    ShortString<80> stamp(record.BirthStamp.view());
    DotToComma(stamp);
    record.BirthStamp = stamp.view();
    chart.BirthStamp = stamp.view();

    const SplitStamp split = SplitBirthStamp(chart.BirthStamp.str(), chart);
    chart.BirthDateText = split.dateText;
    chart.CorrectionText = split.correctionText;

    const std::string_view place = record.Place.view();
    chart.BirthPlaceField = place;
    chart.CoordinatesText = Copy(place, 1, 12);
    chart.LocalityText = CleanLocality(Copy(place, 13, 28));
    chart.NationalityText = record.Country.view();
    chart.GregorianCalendar = record.Calendar == "GR";
}

std::array<std::string, 6> MemoDatiLines(const ChartState& chart) {
    return {
        chart.SubjectName.str(),
        "Nascita " + chart.BirthDateText.str() + "  Correz. " + chart.CorrectionText.str(),
        "Località: "_cp + chart.LocalityText.str(),
        "Nazionalità: "_cp + chart.NationalityText.str(),
        "Coordinate: " + chart.CoordinatesText.str(),
        chart.GregorianCalendar ? "Calendario GREGORIANO" : "Calendario GIULIANO",
    };
}

std::string FirstLineOfNotes() {
    const std::vector<std::string> lines = ReadTextLines("FileDum\\Annotaz.dum");
    return lines.empty() ? std::string() : lines.front();
}

// The coordinate field: latitude degrees, letter, minutes, a separator, longitude degrees,
// letter, minutes; a number that does not convert counts as 0.
void TakeCoordinates(ChartState& chart) {
    const std::string field = chart.CoordinatesText.str();
    chart.LatitudeDegrees = IntegerOrZero(Copy(field, 1, 2));
    chart.LatitudeLetter = Copy(field, 3, 1);
    chart.LatitudeMinutes = IntegerOrZero(Copy(field, 4, 2));
    chart.LongitudeDegrees = IntegerOrZero(Copy(field, 7, 3));
    chart.LongitudeLetter = Copy(field, 10, 1);
    chart.LongitudeMinutes = IntegerOrZero(Copy(field, 11, 2));
}

void ComputeHousesOfBirth(ChartState& chart) {
    chart.HouseMode = 1;
    chart.BirthMinuteWhole = RoundedWhole(chart.BirthMinute);
    chart.BirthHourWhole = RoundedWhole(chart.BirthHour);
    chart.HouseSystemName = "CASE_MEDIE";
    ComputeHouses(HouseInputsOf(chart), chart);
}

// The ephemeris leaves backward motion as negative longitudes: turn it into the marks of
// points 1 to 9 (8 and 9 are the two nodes once the chart order is made), then keep only
// the absolute values.
void MarkRetrogradePoints(ChartState& chart) {
    for (int point = EphemerisOrder::Sun; point <= EphemerisOrder::Saturn; ++point)
        chart.RetroMark[point] = chart.ChartLongitude[point] < 0 ? "r" : " ";
    const char* nodeMark = chart.ChartLongitude[EphemerisOrder::LunarNode] < 0 ? "r" : " ";
    chart.RetroMark[ChartOrder::NorthNode] = nodeMark;
    chart.RetroMark[ChartOrder::SouthNode] = nodeMark;
    for (int point = ChartOrder::Ascendant; point <= kLastPoint; ++point)
        chart.RetroMark[point] = " ";
    for (int point = kFirstPoint; point <= kLastPoint; ++point)
        chart.ChartLongitude[point] = std::fabs(chart.ChartLongitude[point]);
}

// Uranus, Neptune and Pluto give way to the nodes and the angles of the traditional chart.
void MakeChartOrder(ChartState& chart) {
    const long double node = chart.ChartLongitude[EphemerisOrder::LunarNode];
    chart.ChartLongitude[ChartOrder::NorthNode] = node;
    chart.ChartLongitude[ChartOrder::SouthNode] = Normalize360(node + 180);
    chart.ChartLongitude[ChartOrder::Ascendant] = chart.HouseCusp[1];
    chart.ChartLongitude[ChartOrder::Midheaven] = RadToDeg(chart.MidheavenRad);
    for (int point = ChartOrder::NorthNode; point <= ChartOrder::Midheaven; ++point)
        chart.ChartLatitude[point] = 0;
}

SubjectPanel Compute(ChartState& chart, bool quiet) {
    CurrentSubject subject = ReadCurrentSubject();
    chart.SubjectName = subject.key.Key.view();
    TakeDateAndPlace(subject.record, chart);

    SubjectPanel panel;
    if (!quiet) {
        chart.SubjectName = Copy(chart.SubjectName.view(), 1, 38);
        panel.MemoDati = MemoDatiLines(chart);
    }
    chart.SubjectNotes = FirstLineOfNotes();
    panel.MemoAnnotaz = chart.SubjectNotes;

    BirthFieldsOf(chart);
    chart.JulianDay =
        JulianDayOf(chart.GregorianCalendar ? 1 : 0, chart.BirthMinute, chart.BirthHour,
                    chart.BirthYear, chart.BirthMonth, chart.BirthDay) +
        chart.TimeCorrection / 24;
    TakeCoordinates(chart);
    ComputeHousesOfBirth(chart);

    ComputePositionsWithMotion(0, chart.JulianDay, chart);
    MarkRetrogradePoints(chart);
    ClearMinorBodiesOutsideRange(chart);
    // In ephemeris order still: the windows that read the signs recompute them first.
    SignOfPoints(kLastPoint, chart.ChartLongitude, chart.PointSign);
    chart.ZoneText = ZoneTextOf(chart.TimeCorrection);
    chart.JulianDayText = JulianDayTextOf(chart.JulianDay);
    MakeChartOrder(chart);

    if (!quiet)
        panel.BBApriTestoVisible = SubjectTextExists();
    return panel;
}

} // namespace

SubjectPanel ComputeCurrentChart(ChartState& chart) {
    return Compute(chart, false);
}

SubjectPanel ComputeCurrentChartQuiet(ChartState& chart) {
    return Compute(chart, true);
}

std::string ZoneTextOf(long double timeCorrection) {
    return (-timeCorrection >= 0 ? "+" : "-") + PlainDecimal(4, timeCorrection);
}

std::string JulianDayTextOf(long double julianDay) {
    return "JD=" + GeneralText(julianDay).substr(0, 12);
}

bool SubjectTextExists() {
    std::vector<std::string> lines;
    if (!TryReadTextLines("FileDum\\StrText.dum", lines))
        return false;
    // A line the file does not have reads as empty, and then names no file.
    lines.resize(2);
    return FileExists(lines[0] + "txt/" + lines[1] + ".txt");
}

} // namespace exo
