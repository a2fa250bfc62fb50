#include "analysis/Webs.h"

#include "analysis/MasterScoring.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/NumberText.h"
#include "platform/ProgramPaths.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <cmath>

namespace exo {

namespace {

// Signs outside 1 … 12 are taken as Aries rather than read out of the tables.
int SignIndex(int sign) {
    return (sign >= 1 && sign <= 12) ? sign - 1 : 0;
}

HumoralTable HumoralOf(const TraditionalSigns& signs, int (*elementOf)(int)) {
    HumoralTable table;
    for (int sign : signs)
        ++table.count[elementOf(sign)];
    const auto& n = table.count;
    table.hot = n[Element::Air] + n[Element::Fire];
    table.moist = n[Element::Air] + n[Element::Water];
    table.cold = n[Element::Earth] + n[Element::Water];
    table.dry = n[Element::Fire] + n[Element::Earth];
    return table;
}

bool ReadScore(const std::string& line, long double& x) {
    return ParseReal(line, x) || ParseLocaleReal(line, x);
}

} // namespace

int ElementOfSign(int sign) {
    return SignIndex(sign) % 4;
}

int PrincipleOfSign(int sign) {
    return SignIndex(sign) / 4;
}

int QualityOfSign(int sign) {
    return SignIndex(sign) % 3;
}

int SeasonOfSign(int sign) {
    return SignIndex(sign) / 3;
}

int SeasonElementOfSign(int sign) {
    static constexpr int kSeasonElement[kSeasons] = {Element::Air, Element::Fire, Element::Earth,
                                                     Element::Water};
    return kSeasonElement[SeasonOfSign(sign)];
}

char ElementLetter(int element) {
    static constexpr char kLetters[kElements] = {'F', 'T', 'A', 'W'};
    return kLetters[std::clamp(element, 0, kElements - 1)];
}

std::string ElementalWebCode(int sign) {
    static constexpr char kPrincipleLetters[kPrinciples] = {'S', 'Z', 'M'};
    return {ElementLetter(ElementOfSign(sign)), kPrincipleLetters[PrincipleOfSign(sign)]};
}

std::string SeasonalWebCode(int sign) {
    static constexpr char kQualityLetters[kQualities] = {'C', 'F', 'M'};
    return {kQualityLetters[QualityOfSign(sign)], ElementLetter(SeasonElementOfSign(sign))};
}

std::uint32_t ElementColour(int element) {
    static constexpr std::uint32_t kColours[kElements] = {kWebRed, kWebGreen, kWebYellow, kWebAqua};
    return kColours[std::clamp(element, 0, kElements - 1)];
}

std::uint32_t SeasonColour(int season) {
    static constexpr std::uint32_t kColours[kSeasons] = {kWebYellow, kWebRed, kWebGreen, kWebAqua};
    return kColours[std::clamp(season, 0, kSeasons - 1)];
}

TraditionalSigns TraditionalSignsOf(const ChartState& chart) {
    TraditionalSigns signs{};
    for (int planet = 1; planet <= 7; ++planet) {
        const long double longitude = std::fabs(chart.ChartLongitude[planet]);
        signs[planet - 1] = std::clamp<int>(SignOfLongitude(longitude), 1, 12);
    }
    return signs;
}

ElementalWeb ElementalWebOf(const TraditionalSigns& signs) {
    ElementalWeb web;
    for (int sign : signs) {
        const int p = PrincipleOfSign(sign);
        const int e = ElementOfSign(sign);
        ++web.count[p][e];
        ++web.principleTotal[p];
        ++web.elementTotal[e];
        ++web.total;
    }
    return web;
}

SeasonalWeb SeasonalWebOf(const TraditionalSigns& signs) {
    SeasonalWeb web;
    for (int sign : signs) {
        const int q = QualityOfSign(sign);
        const int s = SeasonOfSign(sign);
        ++web.count[q][s];
        ++web.qualityTotal[q];
        ++web.seasonTotal[s];
        ++web.total;
    }
    return web;
}

HumoralTable HumoralElementalOf(const TraditionalSigns& signs) {
    return HumoralOf(signs, ElementOfSign);
}

HumoralTable HumoralSeasonalOf(const TraditionalSigns& signs) {
    return HumoralOf(signs, SeasonElementOfSign);
}

std::array<HumoralRow, 4> HumoralRows(const HumoralTable& table) {
    const auto row = [&table](int element, const char* name, const char* first, const char* second,
                              const char* quality, int value, const char* temperament) {
        HumoralRow r;
        r.element = element;
        r.name = Cp1252FromUtf8(name);
        r.elementLetters = {first, second};
        r.count = table.count[element];
        r.colour = ElementColour(element);
        r.qualityLetter = quality;
        r.qualityValue = value;
        r.temperament = Cp1252FromUtf8(temperament);
        return r;
    };
    return {
        row(Element::Air, "Aire", "C", "U", "C", table.hot, "Extrovertido"),
        row(Element::Fire, "Fuego", "C", "S", "U", table.moist, "Heterónomo"),
        row(Element::Earth, "Tierra", "F", "S", "F", table.cold, "Introvertido"),
        row(Element::Water, "Agua", "F", "U", "S", table.dry, "Autónomo"),
    };
}

std::vector<AffinityLink> AffinityLinks(int mode) {
    // Signs: 1 Aries … 12 Pisces.
    static const std::vector<AffinityLink> kMagnetic = {
        {7, 1, kWebYellow, false}, {8, 2, kWebYellow, false}, {12, 6, kWebRed, false},
        {5, 3, kWebRed, false},    {11, 9, kWebAqua, false},  {10, 4, kWebAqua, false},
    };
    static const std::vector<AffinityLink> kSoliLunar = {
        {11, 4, kWebAqua, true}, {10, 9, kWebAqua, true},  {12, 3, kWebRed, true},
        {6, 5, kWebRed, true},   {2, 1, kWebYellow, true}, {8, 7, kWebYellow, true},
    };
    std::vector<AffinityLink> links;
    if (mode == 0 || mode == 2)
        links.insert(links.end(), kMagnetic.begin(), kMagnetic.end());
    if (mode == 1 || mode == 2)
        links.insert(links.end(), kSoliLunar.begin(), kSoliLunar.end());
    return links;
}

std::vector<AffinityQuadrilateral> AffinityQuadrilaterals(int mode) {
    if (mode != 3)
        return {};
    return {
        {{12, 1, 6, 7}, kWebYellow},
        {{3, 4, 9, 10}, kWebAqua},
        {{2, 5, 8, 11}, kWebRed},
    };
}

std::string AffinityLabel(int mode) {
    if (mode == 0)
        return "Magnéticas"_cp;
    if (mode == 1)
        return "Soli-lunares";
    return {};
}

long double AffinityDotAngle(long double signMidpoint, long double ascendant) {
    return 360 - std::nearbyint(signMidpoint) + std::nearbyint(ascendant);
}

PlanetaryPowers PlanetaryPowersOf(const PowerScores& scores) {
    PlanetaryPowers powers;
    for (int k = 1; k <= kPowerPlanets; ++k) {
        PowerBar& bar = powers.bars[k];
        bar.score = scores[k];
        bar.text = GeneralText(scores[k]).substr(0, 4);
        bar.colour = (!bar.text.empty() && bar.text[0] == '-') ? kWebRed : kWebBlue;
        if (scores[k] > powers.max) {
            powers.max = scores[k];
            powers.master = k;
        }
    }
    if (!powers.hasBars())
        return powers;
    const long double unit = powers.max / 30;
    for (int k = 1; k <= kPowerPlanets; ++k) {
        PowerBar& bar = powers.bars[k];
        bar.value = bar.score / unit;
        if (std::fabs(bar.value) < 3)
            bar.value = 3;
        // A score far below the strongest (a damaged powers file) would give a bar taller
        // than any page and beyond the range of an integer: it is drawn as tall as a page.
        constexpr long double kTallestBar = 1000;
        bar.height = static_cast<int>(std::min(std::fabs(std::nearbyint(bar.value)), kTallestBar));
    }
    return powers;
}

PowerScores ReadPowerScores() {
    const std::vector<std::string> lines = ReadTextLines(kMasterPowersFile);
    PowerScores scores{};
    for (int k = 1; k <= kPowerPlanets; ++k) {
        if (static_cast<int>(lines.size()) < k || !ReadScore(lines[k - 1], scores[k]))
            throw InOutError(ResolveProgramPath(kMasterPowersFile), "read",
                             "la línea " + std::to_string(k) + " no es un número");
    }
    return scores;
}

std::vector<std::string> PowersSummaryLines(const PlanetaryPowers& powers,
                                            const ChartState& chart) {
    const auto signOf = [](long double longitude) {
        return std::clamp<int>(SignOfLongitude(std::fabs(longitude)), 1, 12);
    };
    return {
        SignLabel(signOf(chart.ChartLongitude[1])),
        SignLabel(signOf(chart.HouseCusp[1])),
        powers.master > 0 ? PointLabel(powers.master) : std::string(),
    };
}

PlanetaryPowers LoadPlanetaryPowers(const ChartState& chart) {
    const PlanetaryPowers powers = PlanetaryPowersOf(ReadPowerScores());
    if (!FolderExists("FileDum"))
        MakeFolder("FileDum");
    WriteTextLines(kPowersSummaryFile, PowersSummaryLines(powers, chart));
    return powers;
}

} // namespace exo
