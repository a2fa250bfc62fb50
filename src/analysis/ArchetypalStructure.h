#pragma once
// The archetypal structure of a chart ("ESTRUCTURA ARQUETIPAL"): one column per traditional
// planet that is strong or weak by sign, or that belongs to a mutual reception, with the
// other planets hanging under it by domicile rulership. Receptions of two to five planets
// are looked up in the exchange files Scambi\Scambio22.txt … Scambio55.txt. Planets are the
// chart points 1 (Sun) … 7 (Saturn); signs 1 Aries … 12 Pisces. Texts are Windows-1252.
#include "chart/ChartState.h"
#include "platform/ShortString.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace exo {

inline constexpr int kStructurePlanets = 7;
inline constexpr int kStructureSlots = 8;
inline constexpr int kSmallestReception = 2;
inline constexpr int kLargestReception = 5;

// The reception group of a planet, later of a column. A chart can hold up to three
// disjoint mutual pairs and two disjoint triples; each found group keeps its own code so
// that the connectors join only the columns of one group.
enum ReceptionGroupCode : int {
    NoReceptionGroup = 0,
    FirstReceptionPair = 21,
    SecondReceptionPair = 22,
    ThirdReceptionPair = 23,
    ReceptionTriple = 3,
    SecondReceptionTriple = 32,
    ReceptionQuadruple = 4,
    ReceptionQuintuple = 5,
};

// Per planet (or per column) 1 … 7; entry 0 unused.
using StructureBytes = std::array<std::uint8_t, kStructurePlanets + 1>;
// [column 1 … 7][slot 1 … 8]; row and slot 0 unused. Slot 1 holds the column's head.
using StructureTable =
    std::array<std::array<std::uint8_t, kStructureSlots + 1>, kStructurePlanets + 1>;

struct ArchetypalStructure {
    // "SoleToro": 4-letter point code + 4-letter sign code of each planet.
    std::array<ShortString<8>, kStructurePlanets + 1> PlanetSignCode{};
    // Per column after the build: 0 none, 1 domicile, 2 exaltation, 3 exile, 4 fall,
    // 5 reception. The columns in use come first, in display order; the rest hold 0.
    StructureBytes DignityCode{};
    StructureBytes ReceptionGroup{};
    // Per planet: 1 when the planet stands somewhere in the structure.
    StructureBytes Placed{};
    StructureTable StructurePlanet{}; // planet number, 0 for an empty slot
    StructureTable StructureLevel{};  // 1 head, 2 ruled by the head, 3 …; 0 empty
    StructureTable StructureParent{}; // planet the slot hangs under; 0 for a head
};

// The structure the displays draw; the user-interface thread is its only user.
ArchetypalStructure& GlobalArchetypalStructure();

// Computes the structure of points 1 … 7 of `chart`, reading the four exchange files from
// the program folder (the current folder). Raises InOutError when one of them is missing;
// an empty file lists no reception.
ArchetypalStructure ComputeArchetypalStructure(const ChartState& chart = GlobalChart());

// Computes the structure of the chart into the process-wide result and returns it. On a
// failure the previous result stays as it was.
const ArchetypalStructure& BuildArchetypalStructure(const ChartState& chart = GlobalChart());

// --- The exchange files ---------------------------------------------------------------

struct PlanetPlacement {
    int planet = 0; // 1 … 7
    int sign = 0;   // 1 … 12
};

// "Scambi\Scambio22.txt" for 2 … "Scambi\Scambio55.txt" for 5.
std::string ExchangeFileName(int size);

// The key of a group of placements: for each planet in ascending planet number, its number
// and its sign as two digits each (Sun in Cancer with Moon in Leo: "01040205"). The
// placements may come in any order.
std::string ReceptionKey(std::span<const PlanetPlacement> placements);

// The lines of the exchange file of `size` planets: every placement of every group of that
// many planets in which each planet stands in a domicile of the next one around a closed
// cycle, in ascending key order.
std::vector<std::string> ExchangeFileLines(int size);

// --- What the displays draw -----------------------------------------------------------

// Frame colours in the platform's blue-green-red order.
inline constexpr std::uint32_t kStrengthFrameColour = 0xFFFF00;  // blue-green: domicile, exaltation
inline constexpr std::uint32_t kWeaknessFrameColour = 0x0000FF;  // red: exile, fall
inline constexpr std::uint32_t kReceptionFrameColour = 0x00FFFF; // yellow: reception

struct StructureSlotView {
    int planet = 0;
    int level = 0;
    int parent = 0;         // 0 for the head
    std::string parentCode; // "sun", "moo", "mer", "ven", "mar", "júp", "sat"; empty for the head
};

struct StructureColumnView {
    int head = 0;
    int dignityCode = 0;
    int receptionGroup = 0;
    std::string label; // "Domic.", "Exaltac.", "Exilio", "Caida" or "Intercam."
    std::uint32_t frameColour = 0;
    int levelCount = 0;                     // the deepest level: the box's height follows it
    std::vector<StructureSlotView> entries; // the filled slots from the head down
    bool joinedToNext = false; // a connector leads to the next column of the same reception
};

// The columns to draw, left to right: those with a non-zero dignity code.
std::vector<StructureColumnView>
StructureColumns(const ArchetypalStructure& structure = GlobalArchetypalStructure());

// The three-letter lower-case code of a planet 1 … 7 under which a slot hangs.
const std::string& ParentCode(int planet);

// "Nessuna Debilità né Dignità Planetaria": the page when no column is drawn.
const std::string& NoStructureMessage();

} // namespace exo
