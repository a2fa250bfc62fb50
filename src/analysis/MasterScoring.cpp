#include "analysis/MasterScoring.h"

#include "astro/Angles.h"
#include "astro/Calendar.h"
#include "astro/Ephemeris.h"
#include "astro/Houses.h"
#include "astro/TextHelpers.h"
#include "platform/Errors.h"
#include "platform/NumberText.h"
#include "platform/ProgramPaths.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace exo {

namespace {

constexpr int kSigns = 12;
constexpr int kHouses = 12;

// Rows: signs 1 Aries … 12 Pisces; columns: planets 1 Sun … 10 Pluto.
constexpr std::int32_t kSignPlanetValue[kSigns][kScoredPlanets] = {
    {8, 0, 2, -2, 11, 5, -2, 3, 0, -1}, {0, 9, 3, 10, -3, 2, 6, -2, 3, 2},
    {1, 0, 8, 2, 3, 1, 5, 5, 5, -1},    {0, 9, 3, 6, 1, 8, -3, 6, 5, 1},
    {8, 0, 2, 2, 3, 6, 0, -5, 10, 5},   {1, 3, 13, 2, 2, -3, 5, 8, -5, 1},
    {-4, 1, 5, 8, -3, 6, 10, 6, 3, 8},  {1, -1, 2, 1, 10, 2, 2, 9, 6, 1},
    {3, 1, -1, 2, 5, 10, 3, 3, 6, 8},   {1, -2, 2, 5, 7, 1, 10, 6, 3, 1},
    {-5, 1, 6, 3, 2, 5, 10, 9, -2, 3},  {0, 3, -3, 9, 6, 9, 2, 6, 8, 1},
};

// One sector of every quadrant for each traditional planet, both bounds excluded. The small
// gaps between some neighbouring sectors belong to no planet.
struct Sector {
    double low, high;
};
constexpr Sector kTraditionalSectors[7][4] = {
    {{0, 12.8572}, {90, 102.8572}, {180, 192.8572}, {270, 282.8572}},
    {{12.8572, 25.7144}, {102.8572, 115.7144}, {192.8572, 205.7144}, {282.8572, 295.7144}},
    {{38.5717, 51.4289}, {128.5717, 141.4289}, {218.5717, 231.4289}, {308.5717, 321.4289}},
    {{64.2864, 77.1433}, {154.2864, 167.1433}, {244.2864, 257.1433}, {334.2864, 347.1433}},
    {{25.7147, 38.5717}, {115.7147, 128.5717}, {205.7147, 218.5717}, {295.7147, 308.5717}},
    {{51.4292, 64.2861}, {141.4292, 154.2861}, {231.4292, 244.2861}, {321.4292, 334.2861}},
    {{77.1436, 90.0}, {167.1436, 180.0}, {257.1436, 270.0}, {347.1436, 360.0}},
};

// Per house: the number of equal divisions and where its run starts in kHouseDivisionValue.
struct HouseDivision {
    int count, offset;
};
constexpr HouseDivision kHouseDivisions[kHouses] = {
    {4, 0},  {5, 4},  {6, 9},  {3, 15}, {5, 18}, {5, 23},
    {4, 28}, {5, 32}, {3, 37}, {3, 40}, {3, 43}, {6, 46},
};
// Entries 1 … 53, one run around the wheel; entry 53 follows the end of house 12.
constexpr std::int32_t kHouseDivisionValue[54] = {
    0, 11, 10, 9,  8, 7, 6, 4, 2, 2, 2, 2, 2, 4, 6,  8, 10, 9, 8, 7, 6, 4, 3, 2, 2, 2, 2,
    4, 7,  10, 10, 9, 8, 7, 6, 4, 2, 4, 5, 6, 8, 10, 9, 8,  8, 7, 6, 4, 3, 2, 4, 6, 8, 0,
};

// Rows: planets; columns: houses 1 … 12.
constexpr std::int32_t kPlanetHouseAffinity[kScoredPlanets][kHouses] = {
    {4, 0, 0, 0, 4, 0, -3, 0, 0, 0, -2, 0},  {0, 4, 0, 4, 0, 0, 0, -1, 0, -3, 0, 0},
    {0, 0, 2, 0, 0, 3, 0, 0, -1, 0, 0, -2},  {-1, 3, 0, 0, 0, -1, 2, -1, 0, 0, 0, 2},
    {4, -1, 0, -1, 1, 0, -1, 2, 0, 3, 0, 0}, {0, 0, -1, 2, 0, -1, 0, 0, 2, 0, 0, 2},
    {-1, 0, 0, -2, -1, 0, 1, 0, 0, 3, 2, 0}, {0, -1, 0, 0, -2, 1, 0, 2, 0, 0, 2, 0},
    {0, 0, 0, 0, 2, -1, 0, 0, 0, 0, -1, 2},  {-1, 1, -1, 0, 0, 0, 2, 0, 2, 0, 0, 0},
};

// Rows: planets; columns: signs. Odd signs are masculine, even ones feminine; Saturn agrees
// only with Capricorn and Aquarius.
constexpr std::int32_t kPlanetSignGender[kScoredPlanets][kSigns] = {
    {3, -3, 3, -3, 3, -3, 3, -3, 3, -3, 3, -3}, {-3, 3, -3, 3, -3, 3, -3, 3, -3, 3, -3, 3},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},       {-3, 3, -3, 3, -3, 3, -3, 3, -3, 3, -3, 3},
    {3, -3, 3, -3, 3, -3, 3, -3, 3, -3, 3, -3}, {3, -3, 3, -3, 3, -3, 3, -3, 3, -3, 3, -3},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 3, 0},       {3, -3, 3, -3, 3, -3, 3, -3, 3, -3, 3, -3},
    {-3, 3, -3, 3, -3, 3, -3, 3, -3, 3, -3, 3}, {3, -3, 3, -3, 3, -3, 3, -3, 3, -3, 3, -3},
};

// Degrees per day: slow and fast limits of direct motion, then of backward motion.
struct SpeedLimits {
    double directSlow, directFast, backwardSlow, backwardFast;
};
constexpr SpeedLimits kSpeedThresholds[kScoredPlanets] = {
    {0.966, 1.0, 0, 0},
    {12.5, 14.0, 0, 0},
    {0.8333, 1.6667, 0.4167, 0.8334},
    {0.6, 1.0, 0.3, 0.5},
    {0.3333, 0.6167, 0.1667, 0.3084},
    {0.0833, 0.1667, 0.0417, 0.0834},
    {0.05, 0.0917, 0.025, 0.0419},
    {0.025, 0.05, 0.0125, 0.025},
    {0.0139, 0.0278, 0.007, 0.0139},
    {0.0083, 0.0194, 0.0042, 0.0097},
};

// Two hours, as the scorer has always written it.
constexpr long double kTwoHours = 0.08333333L;

const char* const kBlockTitles[kScoreBlocks] = {
    "AFFINITA' CON SEGNO ASCEND ", "VALORE PIANETI NEI SEGNI",   "MAGGIORAZ PIAN TRADIZION ",
    "VALORE PIANETI NELLE CASE",   "AFFINITA' PIANETA CON CASA", "AFFIN SESSO PIANETA/SEGNO",
    "VALORE PER VELOC PIANETA",
};

bool IsPlanet(int planet) {
    return planet >= 1 && planet <= kScoredPlanets;
}
bool IsSign(int sign) {
    return sign >= 1 && sign <= kSigns;
}
bool IsHouse(int house) {
    return house >= 1 && house <= kHouses;
}

// Characters `from` (1-based) to from + count − 1 of s, as far as s reaches.
std::string Copy(std::string_view s, std::size_t from, std::size_t count) {
    if (from < 1 || from > s.size())
        return {};
    return std::string(s.substr(from - 1, count));
}

// Sign 1 … 12 of a longitude in [0, 360); the last fraction of a degree below 360 that
// would round up to a thirteenth sign stays in Pisces.
int SignOf(long double longitude) {
    return std::clamp<int>(SignOfLongitude(longitude), 1, kSigns);
}

// The width of house h: to the next cusp, plus 360 across 0°.
long double HouseSpan(int house, const CuspArray& cusp) {
    const long double next = house == kHouses ? cusp[1] : cusp[house + 1];
    long double span = next - cusp[house];
    if (span < 0)
        span += 360;
    return span;
}

// An integer as the report writes it: decimal text cut to 5 characters.
std::string ScoreText(std::int32_t value) {
    return std::to_string(value).substr(0, 5);
}

// The sign sums over the twelve points, scaled to the strongest sign, summed by element.
ElementStrengths StrengthsOf(const std::array<long double, kSigns + 1>& signSum) {
    long double max = 0;
    for (int s = 1; s <= kSigns; ++s) {
        if (signSum[s] > max)
            max = signSum[s];
    }
    std::array<long double, kSigns + 1> scaled{};
    for (int s = 1; s <= kSigns; ++s) {
        // With no positive sign there is no scale: every sign counts 1.
        scaled[s] = max > 0 ? signSum[s] / max * 50 : 1;
        if (scaled[s] <= 0)
            scaled[s] = 1;
    }
    ElementStrengths strengths{};
    for (int element = 0; element < 4; ++element) {
        const long double sum = scaled[element + 1] + scaled[element + 5] + scaled[element + 9];
        strengths[element] = static_cast<long>(std::nearbyint(sum));
    }
    return strengths;
}

std::vector<std::string> ScoreLines(const PlanetScores& scores) {
    std::vector<std::string> lines;
    for (int k = 1; k <= kScoredPlanets; ++k)
        lines.push_back(ScoreText(scores[k]));
    return lines;
}

std::vector<std::string> StrengthLines(const ElementStrengths& strengths) {
    std::vector<std::string> lines;
    for (long value : strengths)
        lines.push_back(PadLeftZeros(value, 3));
    return lines;
}

void Append(std::vector<std::string>& to, const std::vector<std::string>& lines) {
    to.insert(to.end(), lines.begin(), lines.end());
}

// Where the run leaves its files; the folder is made when it is missing.
void MakeFolderOf(const std::string& name) {
    const std::string folder = name.substr(0, name.find('\\'));
    if (!FolderExists(folder))
        MakeFolder(folder);
}

// The house values go through FileDum\Dati.dum and are added to the totals as read back.
PlanetScores HouseValuesThroughScratchFile(const PlanetScores& values) {
    MakeFolderOf(kMasterScratchFile);
    WriteTextLines(kMasterScratchFile, ScoreLines(values));
    const std::vector<std::string> lines = ReadTextLines(kMasterScratchFile);
    PlanetScores read{};
    for (int k = 1; k <= kScoredPlanets; ++k) {
        std::int32_t value = 0;
        if (static_cast<int>(lines.size()) < k || !ParseInteger(lines[k - 1], value))
            throw InOutError(ResolveProgramPath(kMasterScratchFile), "read",
                             "la línea " + std::to_string(k) + " no es un número entero");
        read[k] = value;
    }
    return read;
}

// MasterTotal of the ten planets.
PlanetScores PlanetTotals(const MasterScores& scores) {
    PlanetScores totals{};
    std::copy_n(scores.total.begin(), totals.size(), totals.begin());
    return totals;
}

std::vector<std::string> ReportLines(const ChartState& chart, const std::string& header,
                                     const MasterScores& scores) {
    std::vector<std::string> lines = {
        ("*MaitreZevururi*" + chart.SubjectName.str()).substr(0, 96),
        chart.SubjectName.str(),
        header,
        "SOL  LUN  MER  VEN  MAR  GIO  SAT  URA  NET  PLU",
    };
    for (int block = 0; block < kScoreBlocks; ++block) {
        lines.push_back(kBlockTitles[block]);
        Append(lines, ScoreLines(scores.blocks[block]));
    }
    lines.push_back("TOTALE");
    Append(lines, ScoreLines(PlanetTotals(scores)));
    Append(lines, StrengthLines(scores.elements));
    return lines;
}

std::vector<std::string> PowersLines(const MasterScores& scores) {
    std::vector<std::string> lines = ScoreLines(PlanetTotals(scores));
    Append(lines, StrengthLines(scores.elements));
    Append(lines, StrengthLines(scores.traditionalElements));
    return lines;
}

// The correction as typed: a signed decimal number with "." or "," before its fraction.
bool ReadCorrection(std::string_view text, long double& x) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    std::string number;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        number += text[i++];
    bool digits = false;
    bool separator = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            number += c;
            digits = true;
        } else if ((c == '.' || c == ',') && !separator) {
            number += '.';
            separator = true;
        } else {
            return false;
        }
    }
    return digits && ParseReal(number, x);
}

void TakeHouses(ChartState& chart) {
    chart.HouseMode = 1;
    ComputeHouses(HouseInputsOf(chart), chart);
}

} // namespace

std::int32_t SignValue(int planet, int sign) {
    if (!IsPlanet(planet) || !IsSign(sign))
        return 0;
    return kSignPlanetValue[sign - 1][planet - 1];
}

std::int32_t RisingSignAffinity(int planet, long double ascendant) {
    const int rising = SignOf(ascendant);
    std::int32_t value = SignValue(planet, rising);
    if (30 - Normalize30(ascendant) < 3)
        value += SignValue(planet, rising % kSigns + 1);
    return value;
}

std::int32_t TraditionalBonus(int planet, long double longitude) {
    if (planet < 1 || planet > 7)
        return 0;
    for (const Sector& sector : kTraditionalSectors[planet - 1]) {
        if (sector.low < longitude && longitude < sector.high)
            return 5;
    }
    return 0;
}

int ScoringHouse(long double longitude, const CuspArray& cusp) {
    for (int h = 1; h <= kHouses; ++h) {
        long double offset = longitude - cusp[h];
        if (offset < 0)
            offset += 360;
        if (offset <= HouseSpan(h, cusp))
            return h;
    }
    return 0;
}

std::int32_t HousePositionValue(long double longitude, int house, const CuspArray& cusp) {
    if (!IsHouse(house))
        return 0;
    const HouseDivision division = kHouseDivisions[house - 1];
    const long double step = HouseSpan(house, cusp) / division.count;
    long double degrees = std::nearbyint(longitude - cusp[house]);
    if (degrees < 0)
        degrees += 360;
    // Rounding can carry a point past the house's end, never further than the next run's
    // first value, however narrow the house.
    int k = 1;
    long double mark = step;
    while (degrees > mark && k <= division.count) {
        mark += step;
        ++k;
    }
    return kHouseDivisionValue[division.offset + k];
}

std::int32_t HouseAffinity(int planet, int house) {
    if (!IsPlanet(planet) || !IsHouse(house))
        return 0;
    return kPlanetHouseAffinity[planet - 1][house - 1];
}

std::int32_t GenderAgreement(int planet, int sign) {
    if (!IsPlanet(planet) || !IsSign(sign))
        return 0;
    return kPlanetSignGender[planet - 1][sign - 1];
}

double DailySpeed(long double birth, long double later) {
    long double d = later - birth;
    if (d > 180)
        d -= 360;
    if (d < -180)
        d += 360;
    return static_cast<double>(d * 12);
}

std::int32_t SpeedValue(int planet, double speed) {
    if (!IsPlanet(planet))
        return 0;
    const SpeedLimits& limits = kSpeedThresholds[planet - 1];
    if (speed >= 0) {
        if (speed < limits.directSlow)
            return 1;
        return speed <= limits.directFast ? 3 : 5;
    }
    const double s = std::fabs(speed);
    if (s < limits.backwardSlow)
        return -1;
    return s <= limits.backwardFast ? -3 : -5;
}

ElementStrengths ElementStrengthsOf(const std::array<std::int32_t, kScoringPoints + 1>& total,
                                    const std::array<int, kScoringPoints + 1>& sign) {
    std::array<long double, kSigns + 1> signSum{};
    for (int k = 1; k <= kScoringPoints; ++k) {
        if (IsSign(sign[k]))
            signSum[sign[k]] += total[k];
    }
    return StrengthsOf(signSum);
}

MasterScores ScoreBlocks(const ScoringChart& chart) {
    MasterScores scores;
    for (int k = 1; k <= kScoringPoints; ++k) {
        scores.sign[k] = SignOf(chart.longitude[k]);
        scores.house[k] = ScoringHouse(chart.longitude[k], chart.cusp);
    }
    scores.risingSign = SignOf(chart.cusp[1]);
    for (int k = 1; k <= kScoredPlanets; ++k) {
        const long double lambda = chart.longitude[k];
        scores.speed[k] = DailySpeed(lambda, chart.later[k]);
        auto& b = scores.blocks;
        b[RisingBlock][k] = RisingSignAffinity(k, chart.cusp[1]);
        b[SignBlock][k] = SignValue(k, scores.sign[k]);
        b[TraditionalBlock][k] = TraditionalBonus(k, lambda);
        b[HousePositionBlock][k] = HousePositionValue(lambda, scores.house[k], chart.cusp);
        b[HouseAffinityBlock][k] = HouseAffinity(k, scores.house[k]);
        b[GenderBlock][k] = GenderAgreement(k, scores.sign[k]);
        b[SpeedBlock][k] = SpeedValue(k, scores.speed[k]);
    }
    return scores;
}

void AddUpScores(MasterScores& scores) {
    scores.total.fill(0);
    for (const PlanetScores& block : scores.blocks) {
        for (int k = 1; k <= kScoredPlanets; ++k)
            scores.total[k] += block[k];
    }
    scores.elements = ElementStrengthsOf(scores.total, scores.sign);
    std::array<std::int32_t, kScoringPoints + 1> traditional = scores.total;
    for (int k = 8; k <= kScoredPlanets; ++k)
        traditional[k] = 0;
    scores.traditionalElements = ElementStrengthsOf(traditional, scores.sign);
}

std::string ReadNatalData(ChartState& chart) {
    const std::vector<std::string> lines = ReadTextLines(kNatalDataFile);
    long double storedJulianDay = 0;
    if (lines.size() < 5 || !ParseReal(lines[4], storedJulianDay))
        throw InOutError(ResolveProgramPath(kNatalDataFile), "read",
                         "line 5 is not the Julian Day");
    const ShortString<80> name(lines[0]);
    const ShortString<80> stampField(lines[1]);
    const ShortString<80> placeField(lines[2]);
    const std::string stamp = stampField.str();
    const std::string place = placeField.str();
    chart.SubjectName = name.view();
    chart.BirthStamp = stamp;
    chart.BirthPlaceField = place;
    chart.JulianDay = storedJulianDay;

    chart.BirthYear = IntegerOrZero(Copy(stamp, 1, 4));
    chart.BirthMonth = IntegerOrZero(Copy(stamp, 5, 2));
    chart.BirthDay = IntegerOrZero(Copy(stamp, 7, 2));
    chart.BirthHour = IntegerOrZero(Copy(stamp, 9, 2));
    chart.BirthHourWhole = static_cast<std::int32_t>(std::nearbyint(chart.BirthHour));
    chart.BirthMinute = IntegerOrZero(Copy(stamp, 11, 2));
    chart.BirthMinuteWhole = static_cast<std::int32_t>(std::nearbyint(chart.BirthMinute));

    const std::string correction = StripTrailingBlanks(Copy(stamp, 13, 6));
    chart.CorrectionText = correction;
    long double timeCorrection = 0;
    chart.TimeCorrection = ReadCorrection(correction, timeCorrection) ? timeCorrection : 0;
    // The header names the zone as seen from Greenwich: the opposite sign of the correction.
    std::string gmt;
    if (!correction.empty() && correction[0] == '-')
        gmt = "+" + Copy(correction, 2, 5);
    else if (!correction.empty() && correction[0] == '+')
        gmt = "-" + Copy(correction, 2, 5);

    chart.LatitudeDegrees = IntegerOrZero(Copy(place, 1, 2));
    chart.LatitudeLetter = Copy(place, 3, 1);
    chart.LatitudeMinutes = IntegerOrZero(Copy(place, 4, 2));
    chart.LongitudeDegrees = IntegerOrZero(Copy(place, 7, 3));
    chart.LongitudeLetter = Copy(place, 10, 1);
    chart.LongitudeMinutes = IntegerOrZero(Copy(place, 11, 2));
    chart.CoordinatesText = Copy(place, 1, 12);
    const std::string locality = StripTrailingBlanks(Copy(place, 13, 27));

    // Strictly after: 15 October 1582 itself is reckoned in the Julian calendar.
    chart.GregorianCalendar = Copy(stamp, 1, 8) > "15821015";
    chart.JulianDay =
        JulianDayOf(chart.GregorianCalendar ? 1 : 0, chart.BirthMinute, chart.BirthHour,
                    chart.BirthYear, chart.BirthMonth, chart.BirthDay) +
        chart.TimeCorrection / 24;

    const std::string header = "Nascita a " + locality + " il " + Copy(stamp, 7, 2) + "/" +
                               Copy(stamp, 5, 2) + "/" + Copy(stamp, 1, 4) + " " +
                               Copy(stamp, 9, 2) + ":" + Copy(stamp, 11, 2) + "  GMT" + gmt;
    return header.substr(0, 80);
}

void WriteNatalDataFile(const ChartState& chart) {
    std::vector<std::string> lines = {
        chart.SubjectName.str(),     chart.BirthStamp.str(),          chart.BirthPlaceField.str(),
        chart.HouseSystemName.str(), ScientificText(chart.JulianDay),
    };
    for (int point = kFirstPoint; point <= kLastPoint; ++point)
        lines.push_back(ScientificText(chart.ChartLongitude[point]));
    for (int h = 1; h <= kHouses; ++h)
        lines.push_back(ScientificText(chart.HouseCusp[h]));
    lines.push_back("LATITUDINI");
    for (int point = 1; point <= 12; ++point)
        lines.push_back(ScientificText(chart.ChartLatitude[point]));
    lines.push_back("RETROGRADI");
    for (int point = kFirstPoint; point <= kLastPoint; ++point)
        lines.push_back(chart.RetroMark[point].str());
    for (int point = 13; point <= kLastPoint; ++point)
        lines.push_back(ScientificText(chart.ChartLatitude[point]));
    MakeFolderOf(kNatalDataFile);
    WriteTextLines(kNatalDataFile, lines);
}

void RunMasterScoring(ChartState& chart) {
    const std::string header = ReadNatalData(chart);

    ComputeBodies(BodyMode::All, false, chart.JulianDay, chart);
    for (int k = 1; k <= kScoringPoints; ++k)
        chart.ChartLongitude[k] = std::fabs(chart.ChartLongitude[k]);
    TakeHouses(chart);
    chart.ChartLongitude[kScoringAscendant] = chart.HouseCusp[1];
    chart.ChartLongitude[kScoringMidheaven] = chart.HouseCusp[10];

    ScoringChart scoring;
    for (int k = 1; k <= kScoringPoints; ++k)
        scoring.longitude[k] = chart.ChartLongitude[k];
    std::copy(chart.HouseCusp.begin(), chart.HouseCusp.end(), scoring.cusp.begin());

    ComputeBodies(BodyMode::All, false, chart.JulianDay + kTwoHours, chart);
    for (int k = 1; k <= kScoredPlanets; ++k) {
        chart.ChartLongitude[k] = std::fabs(chart.ChartLongitude[k]);
        scoring.later[k] = chart.ChartLongitude[k];
    }

    MasterScores scores = ScoreBlocks(scoring);
    scores.blocks[HousePositionBlock] =
        HouseValuesThroughScratchFile(scores.blocks[HousePositionBlock]);
    AddUpScores(scores);

    MakeFolderOf(kMasterReportFile);
    WriteTextLines(kMasterReportFile, ReportLines(chart, header, scores));
    WriteTextLines(kMasterPowersFile, PowersLines(scores));
}

PowersRetroMarks PreparePowersChart(ChartState& chart) {
    chart.HouseSystemName = "PLACIDO";
    chart.BirthMinuteWhole = static_cast<std::int32_t>(std::nearbyint(chart.BirthMinute));
    chart.BirthHourWhole = static_cast<std::int32_t>(std::nearbyint(chart.BirthHour));
    TakeHouses(chart);
    const auto setAngles = [&chart] {
        chart.ChartLongitude[EphemerisOrder::Ascendant] = chart.HouseCusp[1];
        chart.ChartLongitude[EphemerisOrder::Ascendant + 1] = chart.HouseCusp[10];
    };
    setAngles();
    ComputeBodies(BodyMode::All, false, chart.JulianDay, chart);
    PowersRetroMarks marks{};
    for (int point = kFirstPoint; point <= kLastPoint; ++point) {
        marks[point] = chart.ChartLongitude[point] < 0 ? "r" : " ";
        chart.ChartLongitude[point] = std::fabs(chart.ChartLongitude[point]);
    }
    setAngles();
    return marks;
}

PowersRetroMarks RunPlanetaryPowersScoring(ChartState& chart) {
    const long double timeCorrection = chart.TimeCorrection;
    const long double julianDay = chart.JulianDay;
    PreparePowersChart(chart);
    WriteNatalDataFile(chart);
    RunMasterScoring(chart);
    chart.TimeCorrection = timeCorrection;
    chart.JulianDay = julianDay;
    PowersRetroMarks marks = PreparePowersChart(chart);
    WriteNatalDataFile(chart);
    return marks;
}

} // namespace exo
