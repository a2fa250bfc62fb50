#include "analysis/PlacementKeys.h"

#include "analysis/Aspects.h"
#include "analysis/Dignities.h"
#include "astro/TextHelpers.h"
#include "platform/Cp1252.h"
#include "platform/TextFile.h"

#include <stdexcept>

namespace exo {

namespace {

constexpr int kSigns = 12;

// Characters first … first + count − 1 (1-based) of a line; what is there of them.
std::string Columns(const std::string& line, std::size_t first, std::size_t count) {
    if (line.size() < first)
        return {};
    return line.substr(first - 1, count);
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::string TwoDigits(int n) {
    return PadLeftZeros(n, 2);
}

long double Longitude(const ChartState& chart, int point) {
    return chart.ChartLongitude[static_cast<std::size_t>(point)];
}

// The houses of the key file: each cusp moved 15° back, so the 15° before a cusp already
// count in the house it begins.
std::array<std::uint8_t, kPointSlots> PlacementHouses(const ChartState& chart) {
    std::array<long double, 16> moved{};
    for (int h = 1; h <= 12; ++h) {
        long double cusp = chart.HouseCusp[static_cast<std::size_t>(h)] - 15.0L;
        if (cusp < 0)
            cusp += 360;
        moved[static_cast<std::size_t>(h)] = cusp;
    }
    std::array<std::uint8_t, kPointSlots> house{};
    HouseOfPoints(kDivisionPoints, chart.ChartLongitude, moved, house);
    for (int point = 1; point <= kDivisionPoints; ++point) {
        if (house[static_cast<std::size_t>(point)] == 0)
            throw std::runtime_error("the house cusps place point " + std::to_string(point) +
                                     " in no house: no chart has been computed");
    }
    return house;
}

// A longitude off 0° that has a mirror point; 0 stands for an absent point.
bool HasMirror(long double longitude) {
    return longitude > 0 && longitude < 360;
}

// The text of a key in SpgPianSpe.Txt: columns 22 – 91 of the first line whose leading
// `width` characters are the key; nothing when no line has it.
void AddDivisionText(const std::vector<std::string>& texts, const std::string& key,
                     std::size_t width, std::vector<std::string>& memo) {
    for (const std::string& line : texts) {
        if (line.substr(0, width) == key) {
            memo.push_back(Columns(line, 22, 70));
            return;
        }
    }
}

struct DivisionTable {
    const DivisionNumbers& terms;
    const DivisionKeys& decans;
    const DivisionNumbers& decades;
};

std::vector<std::string> DivisionTexts(const DivisionTable& table, const std::string& termTitle,
                                       const std::string& decanTitle,
                                       const std::string& decadeTitle) {
    const std::vector<std::string> texts = ReadTextLines(kPointKeyTextFile);
    std::vector<std::string> memo = {termTitle};
    for (int point = 1; point <= kDivisionPoints; ++point) {
        const auto i = static_cast<std::size_t>(point);
        AddDivisionText(texts, PointKeyCode4(point) + TwoDigits(table.terms[i]), 6, memo);
    }
    memo.push_back("  ");
    memo.push_back(decanTitle);
    for (int point = 1; point <= kDivisionPoints; ++point)
        AddDivisionText(texts, table.decans[static_cast<std::size_t>(point)], 8, memo);
    memo.push_back("    ");
    memo.push_back(decadeTitle);
    for (int point = 1; point <= kDivisionPoints; ++point) {
        const auto i = static_cast<std::size_t>(point);
        AddDivisionText(texts, PointUpperCode2(point) + TwoDigits(table.decades[i]), 4, memo);
    }
    return memo;
}

// Whether an 8-character key names an aspect: 3-letter point, aspect code, 3-letter point.
bool IsAspectKey(const std::string& key) {
    if (key.size() != 8)
        return false;
    const std::string code = key.substr(3, 2);
    for (const int kind : {Cong, Sest, Quad, Trig, Oppo}) {
        if (AspectCode(kind) == code)
            return true;
    }
    return false;
}

// Whether a point key names the point: its lookup code opens the key, or, in an aspect
// key, opens the second point. Only aspect keys are read at the second place: the antiscia
// in Sagittarius ("SolAnSag") also hold "Sa" there, and they are not Saturn's.
bool NamesPoint(const std::string& key, const std::string& lookupCode) {
    const std::size_t at = key.find(lookupCode);
    return at == 0 || (at == 5 && IsAspectKey(key));
}

// The text of one key of PosiPian.txt in SpgPianSpe.Txt for the point, or false. Three
// kinds of line answer it: an 8-character key (a Midheaven key with a blank at its 7th
// character is read as 6 characters, which finds the Midheaven's terms); a 6-character term
// key of the point; a 4-character década key of the point.
bool FindPointText(const std::vector<std::string>& texts, const std::string& key, int point,
                   std::string& text) {
    const std::string& lookupCode = PointLookupCode2(point);
    // The term keys are written with the mixed-case point codes ("Sole05"), so they are
    // compared with the same codes: thus every point finds its term texts, not only the
    // Midheaven through the 6-character reading above.
    const std::string& termCode = PointKeyCode4(point);
    const std::string& decadeCode = PointUpperCode2(point);
    for (const std::string& line : texts) {
        std::string head = line.substr(0, 8);
        if (StartsWith(head, "Mcie") && head.size() >= 7 && head[6] == ' ')
            head.resize(6);
        if (key == head && NamesPoint(key, lookupCode)) {
            text = Columns(line, 22, 60);
            return true;
        }
        if (key == line.substr(0, 6) && StartsWith(key, termCode)) {
            text = Columns(line, 22, 80);
            return true;
        }
        if (key == line.substr(0, 4) && StartsWith(key, decadeCode)) {
            text = Columns(line, 22, 80);
            return true;
        }
    }
    return false;
}

// The position as the analysis lists show it: degrees, minutes, the sign name and the
// retrograde word of a point moving backward.
std::string PositionText(const ChartState& chart, int point) {
    return RetroPositionText(chart.RetroMark[static_cast<std::size_t>(point)].str(),
                             Longitude(chart, point));
}

} // namespace

std::vector<std::string> PlacementKeyLines(const ChartState& chart, const DivisionValues& values,
                                           const OrbTable& orbs) {
    std::vector<std::string> lines;
    for (int point = 1; point <= kDivisionPoints; ++point)
        lines.push_back(PointKeyCode4(point) +
                        SignKeyCode4(SignOfLongitude(Longitude(chart, point))));
    const auto house = PlacementHouses(chart);
    for (int point = 1; point <= kDivisionPoints; ++point)
        lines.push_back(PointKeyCode4(point) +
                        HouseOrdinalCode(house[static_cast<std::size_t>(point)]));
    for (int point = 1; point <= kDivisionPoints; ++point)
        lines.push_back(PointKeyCode4(point) +
                        TwoDigits(values.TermNumber[static_cast<std::size_t>(point)]));
    for (int point = 1; point <= kDivisionPoints; ++point)
        lines.push_back(values.DecanKey[static_cast<std::size_t>(point)]);
    for (int point = 1; point <= kDivisionPoints; ++point)
        lines.push_back(PointUpperCode2(point) +
                        TwoDigits(values.DecadeNumber[static_cast<std::size_t>(point)]));
    for (int point = 1; point <= kDivisionPoints; ++point) {
        const long double longitude = Longitude(chart, point);
        if (HasMirror(longitude))
            lines.push_back(PointKeyCode3(point) + "An" +
                            SignAbbreviation3(SignOfLongitude(Antiscion(longitude))));
    }
    for (int point = 1; point <= kDivisionPoints; ++point) {
        const long double longitude = Longitude(chart, point);
        if (HasMirror(longitude))
            lines.push_back(PointKeyCode3(point) + "Ca" +
                            SignAbbreviation3(SignOfLongitude(Contrantiscion(longitude))));
    }
    for (std::string& line : AspectKeyLines(chart, orbs))
        lines.push_back(std::move(line));
    return lines;
}

std::vector<std::string> SignKeyLines() {
    std::vector<std::string> lines;
    // Aquarius is written with its key code "Ac"; the sign attribution looks the keys up
    // with the same code, so that its specific texts are found.
    for (int sign = 1; sign <= kSigns; ++sign)
        lines.push_back(SignKeyCode2(sign) + "An" +
                        SignAbbreviation3(SignOfLongitude(Antiscion(SignMidpoint(sign)))));
    for (int sign = 1; sign <= kSigns; ++sign)
        lines.push_back(SignKeyCode2(sign) + "Ca" +
                        SignAbbreviation3(SignOfLongitude(Contrantiscion(SignMidpoint(sign)))));
    return lines;
}

void WritePlacementKeys(const ChartState& chart, const DivisionValues& values,
                        const OrbTable& orbs) {
    // Both files are composed before either is written: a chart without houses leaves the
    // files of the last drawing whole.
    const std::vector<std::string> pointKeys = PlacementKeyLines(chart, values, orbs);
    WriteTextLines(kPointKeyFile, pointKeys);
    WriteTextLines(kSignKeyFile, SignKeyLines());
}

std::vector<std::string> ListDivisionTexts(const DivisionValues& values) {
    return DivisionTexts({values.TermNumber, values.DecanKey, values.DecadeNumber},
                         "PLANETAS EN LOS TÉRMINOS"_cp, "PLANETAS EN LOS DECANOS",
                         "PLANETAS EN LAS DÉCADAS"_cp);
}

std::vector<std::string> ListDodecaDivisionTexts(const DivisionValues& values) {
    return DivisionTexts(
        {values.DodecaTermNumber, values.DodecaDecanKey, values.DodecaDecadeNumber},
        "DODECATEMORIAS EN LOS TÉRMINOS"_cp, "DODECATEMORIAS EN LOS DECANOS",
        "DODECATEMORIAS EN LAS DÉCADAS"_cp);
}

Attribution ShowPointAttribution(int point, const ChartState& chart, const DivisionValues& values) {
    const std::string& name = PointMemoName(point);
    Attribution result;
    result.MemoL1.push_back(name + "  " + PositionText(chart, point));

    const std::vector<std::string> keys = ReadTextLines(kPointKeyFile);
    const std::vector<std::string> texts = ReadTextLines(kPointKeyTextFile);
    for (const std::string& key : keys) {
        std::string text;
        if (FindPointText(texts, key, point, text)) {
            result.MemoL1.push_back(text);
            result.MatchedKeys.push_back(key);
        }
    }
    result.MemoL1.push_back(
        "Dodecatemorias " + name + " = " +
        RetroPositionText(" ", values.DodecatemoriaLongitude[static_cast<std::size_t>(point)]));

    const std::string& lookupCode = PointLookupCode2(point);
    for (const std::string& line : ReadTextLines(kPlanetTextFile)) {
        if (line.substr(0, 2) == lookupCode)
            result.MemoL2.push_back(Columns(line, 4, 80));
    }
    result.LabSpecific = "ESPECÍFICA ATRIBUCIÓN al PLANETA"_cp;
    result.LabGeneral = "GENERAL ATRIBUCIÓN al PLANETA"_cp;
    return result;
}

Attribution ShowSignAttribution(int sign) {
    const std::string& name = SignMemoName(sign);
    Attribution result;
    result.MemoL1.push_back(name);
    result.MemoL2.push_back(name);
    const std::string& lookupCode = SignLookupCode2(sign);
    for (const std::string& line : ReadTextLines(kSignTextFile)) {
        if (line.substr(0, 2) == lookupCode)
            result.MemoL2.push_back(Columns(line, 4, 80));
    }
    // The sign keys are taken by the code PosiSegn.txt writes them with ("Ac" for
    // Aquarius, where the general texts above use "Aq").
    const std::string& keyCode = SignKeyCode2(sign);
    const std::vector<std::string> texts = ReadTextLines(kSignKeyTextFile);
    for (const std::string& key : ReadTextLines(kSignKeyFile)) {
        if (key.substr(0, 2) != keyCode)
            continue;
        for (const std::string& line : texts) {
            if (line.substr(0, 7) == key)
                result.MemoL2.push_back(Columns(line, 21, 50));
        }
    }
    result.LabSpecific = "ESPECÍFICA ATRIBUCIÓN al SIGNO"_cp;
    result.LabGeneral = "GENERAL ATRIBUCIÓN al SIGNO"_cp;
    return result;
}

} // namespace exo
