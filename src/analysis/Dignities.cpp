#include "analysis/Dignities.h"

#include "platform/Cp1252.h"

#include <array>
#include <stdexcept>
#include <vector>

namespace exo {

namespace {

using CodeTable = std::vector<std::string>;

CodeTable Cp1252Table(std::initializer_list<const char*> utf8) {
    CodeTable table;
    for (const char* text : utf8)
        table.push_back(Cp1252FromUtf8(text));
    return table;
}

const std::string& Entry(const CodeTable& table, int index, const char* what) {
    if (index < 1 || index > static_cast<int>(table.size()))
        throw std::out_of_range(std::string(what) + " " + std::to_string(index));
    return table[static_cast<std::size_t>(index - 1)];
}

constexpr int kPlanets = 7;
constexpr int kSigns = 12;

// The dignity table by planet: the signs of domicile ("Ad"), exaltation ("Ae"), exile
// ("De") and fall ("Dc"); 0 closes a list of one sign.
struct PlanetDignities {
    std::array<int, 2> domicile;
    int exaltation;
    std::array<int, 2> exile;
    int fall;
};
constexpr std::array<PlanetDignities, kPlanets> kDignityTable = {{
    {{5, 0}, 1, {11, 0}, 7},  // Sun: Leo, Aries, Aquarius, Libra
    {{4, 0}, 2, {10, 0}, 8},  // Moon: Cancer, Taurus, Capricorn, Scorpio
    {{3, 6}, 11, {9, 12}, 5}, // Mercury: Gemini and Virgo, Aquarius, Sagittarius and Pisces, Leo
    {{2, 7}, 12, {1, 8}, 6},  // Venus: Taurus and Libra, Pisces, Aries and Scorpio, Virgo
    {{1, 8}, 10, {2, 7}, 4},  // Mars: Aries and Scorpio, Capricorn, Taurus and Libra, Cancer
    {{9, 12},
     4,
     {3, 6},
     10}, // Jupiter: Sagittarius and Pisces, Cancer, Gemini and Virgo, Capricorn
    {{10, 11}, 7, {4, 5}, 1}, // Saturn: Capricorn and Aquarius, Libra, Cancer and Leo, Aries
}};

bool Holds(const std::array<int, 2>& signs, int sign) {
    return signs[0] == sign || signs[1] == sign;
}

} // namespace

const std::string& PointKeyCode4(int point) {
    static const CodeTable table = {"Sole", "Luna", "Merc", "Vene", "Mart", "Giov",
                                    "Satu", "NNor", "NSud", "Asce", "Mcie"};
    return Entry(table, point, "point");
}

const std::string& PointKeyCode3(int point) {
    static const CodeTable table = {"Sol", "Lun", "Mer", "Ven", "Mar", "Gio",
                                    "Sat", "Non", "Nos", "Asc", "Mci"};
    return Entry(table, point, "point");
}

const std::string& PointUpperCode2(int point) {
    static const CodeTable table = {"SO", "LU", "ME", "VE", "MA", "GI",
                                    "SA", "NN", "NS", "AS", "MC"};
    return Entry(table, point, "point");
}

const std::string& PointLookupCode2(int point) {
    static const CodeTable table = {"So", "Lu", "Me", "Ve", "Ma", "Gi",
                                    "Sa", "Nn", "Ns", "As", "Mc"};
    return Entry(table, point, "point");
}

const std::string& PointMemoName(int point) {
    static const CodeTable table =
        Cp1252Table({"SOL", "LUNA", "MERCURIO", "VENUS", "MARTE", "JÚPITER", "SATURNO",
                     "NODO NORTE", "NODO SUR", "ASCENDENTE", "MEDIOCIELO"});
    return Entry(table, point, "point");
}

const std::string& SignKeyCode4(int sign) {
    static const CodeTable table = {"Arie", "Toro", "Geme", "Canc", "Leon", "Verg",
                                    "Bila", "Scor", "Sagi", "Capr", "Acqu", "Pesc"};
    return Entry(table, sign, "sign");
}

const std::string& SignAbbreviation3(int sign) {
    static const CodeTable table = Cp1252Table(
        {"Ari", "Tau", "Gém", "Cán", "Leo", "Vir", "Lib", "Esc", "Sag", "Cap", "Acu", "Pis"});
    return Entry(table, sign, "sign");
}

const std::string& SignKeyCode2(int sign) {
    static const CodeTable table = {"Ar", "To", "Ge", "Cn", "Le", "Ve",
                                    "Bi", "Sc", "Sa", "Cp", "Ac", "Pe"};
    return Entry(table, sign, "sign");
}

const std::string& SignLookupCode2(int sign) {
    static const CodeTable table = {"Ar", "To", "Ge", "Cn", "Le", "Ve",
                                    "Bi", "Sc", "Sa", "Cp", "Aq", "Pe"};
    return Entry(table, sign, "sign");
}

const std::string& SignMemoName(int sign) {
    // The trailing blanks are the program's own and differ from sign to sign.
    static const CodeTable table = Cp1252Table(
        {"ARIES      ", "TAURO     ", "GÉMINIS    ", "CÁNCER     ", "LEO       ", "VIRGO      ",
         "LIBRA      ", "ESCORPIO  ", "SAGITARIO", "CAPRICORNIO", "ACUARIO ", "PISCIS     "});
    return Entry(table, sign, "sign");
}

const std::string& HouseOrdinalCode(int house) {
    static const CodeTable table = {"Prim", "Seco", "Terz", "Quar", "Quin", "Sest",
                                    "Sett", "Otta", "Nona", "Deci", "Undi", "Dodi"};
    return Entry(table, house, "house");
}

long double SignMidpoint(int sign) {
    if (sign < 1 || sign > kSigns)
        throw std::out_of_range("sign " + std::to_string(sign));
    return 30.0L * sign - 15.0L;
}

int DignityOf(int planet, int sign) {
    if (planet < 1 || planet > kPlanets || sign < 1 || sign > kSigns)
        return NoDignity;
    const PlanetDignities& row = kDignityTable[static_cast<std::size_t>(planet - 1)];
    if (Holds(row.domicile, sign))
        return Domicile;
    if (row.exaltation == sign)
        return Exaltation;
    if (Holds(row.exile, sign))
        return Exile;
    if (row.fall == sign)
        return Fall;
    return NoDignity;
}

const std::string& DignityLabel(int code) {
    static const std::string none;
    static const CodeTable table =
        Cp1252Table({"Domic.", "Exaltac.", "Exilio", "Caida", "Intercam."});
    if (code < Domicile || code > Reception)
        return none;
    return table[static_cast<std::size_t>(code - 1)];
}

int DomicileRuler(int sign) {
    if (sign < 1 || sign > kSigns)
        throw std::out_of_range("sign " + std::to_string(sign));
    for (int planet = 1; planet <= kPlanets; ++planet) {
        if (Holds(kDignityTable[static_cast<std::size_t>(planet - 1)].domicile, sign))
            return planet;
    }
    return 0; // unreachable: every sign has a ruler
}

} // namespace exo
