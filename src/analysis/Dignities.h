#pragma once
// The fixed code tables of the chart points and signs, and the classical dignities of the
// seven traditional planets. Points are numbered in chart order 1 … 11 (1 Sun … 7 Saturn,
// 8 North Node, 9 South Node, 10 Ascendant, 11 Midheaven); signs 1 Aries … 12 Pisces;
// houses 1 … 12. Texts are Windows-1252 bytes. The code tables raise std::out_of_range for a
// number outside their range.
#include <string>

namespace exo {

// Point codes: "Sole", "Sol", "SO", "So", "SOL" for point 1, and so on.
const std::string& PointKeyCode4(int point);
const std::string& PointKeyCode3(int point);
const std::string& PointUpperCode2(int point);
const std::string& PointLookupCode2(int point);
const std::string& PointMemoName(int point);

// Sign codes: "Arie", "Ari", "Ar" (key code of the sign key file), "Ar" (lookup code),
// "ARIES      " (memo name, trailing blanks kept) for sign 1, and so on.
const std::string& SignKeyCode4(int sign);
const std::string& SignAbbreviation3(int sign);
const std::string& SignKeyCode2(int sign);
const std::string& SignLookupCode2(int sign);
const std::string& SignMemoName(int sign);

// "Prim", "Seco", … "Dodi".
const std::string& HouseOrdinalCode(int house);

// 30·sign − 15: the longitude that stands for a whole sign.
long double SignMidpoint(int sign);

enum DignityKind : int {
    NoDignity = 0,
    Domicile = 1,   // "Ad"
    Exaltation = 2, // "Ae"
    Exile = 3,      // "De"
    Fall = 4,       // "Dc"
    Reception = 5,  // added by the archetypal structure
};

// The dignity of a traditional planet (1 … 7) in a sign (1 … 12); NoDignity otherwise.
int DignityOf(int planet, int sign);
// "Domic.", "Exaltac.", "Exilio", "Caida", "Intercam."; empty for NoDignity.
const std::string& DignityLabel(int code);
// The traditional planet (1 … 7) that rules a sign by domicile.
int DomicileRuler(int sign);

} // namespace exo
