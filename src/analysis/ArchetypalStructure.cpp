#include "analysis/ArchetypalStructure.h"

#include "analysis/Dignities.h"
#include "astro/Angles.h"
#include "platform/Cp1252.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>
#include <stdexcept>
#include <unordered_set>

namespace exo {

namespace {

constexpr int kSigns = 12;

using KeySet = std::unordered_set<std::string>;
using ExchangeKeys = std::array<KeySet, kLargestReception + 1>; // by group size
using Group = std::vector<int>;                                 // planet numbers, ascending

std::size_t At(int index) {
    return static_cast<std::size_t>(index);
}

// The planet that rules a sign; 0 for a sign that is none (a longitude that is no angle).
int RulerOfSign(int sign) {
    return sign >= 1 && sign <= kSigns ? DomicileRuler(sign) : 0;
}

std::vector<int> DomicilesOf(int planet) {
    std::vector<int> signs;
    for (int sign = 1; sign <= kSigns; ++sign) {
        if (DomicileRuler(sign) == planet)
            signs.push_back(sign);
    }
    return signs;
}

// Every r-element subset of 1 … m, in lexicographic order.
std::vector<Group> Combinations(int r, int m) {
    std::vector<Group> subsets;
    Group current;
    auto extend = [&](auto&& self, int from) -> void {
        if (static_cast<int>(current.size()) == r) {
            subsets.push_back(current);
            return;
        }
        for (int x = from; x <= m; ++x) {
            current.push_back(x);
            self(self, x + 1);
            current.pop_back();
        }
    };
    extend(extend, 1);
    return subsets;
}

// The positions tried for a group of k among n unplaced planets: 1 … k first, then the
// subsets ending in k + 1, k + 2, … n. Those ending in each position come in lexicographic
// order, except that the triple search walks the ones ending in 4 and 5 backwards.
std::vector<Group> SubsetOrder(int k, int n) {
    std::vector<Group> order;
    Group first(At(k));
    std::iota(first.begin(), first.end(), 1);
    order.push_back(first);
    for (int last = k + 1; last <= n; ++last) {
        std::vector<Group> heads = Combinations(k - 1, last - 1);
        if (k == 3 && last <= 5)
            std::reverse(heads.begin(), heads.end());
        for (Group& head : heads) {
            head.push_back(last);
            order.push_back(std::move(head));
        }
    }
    return order;
}

// The codes that successive disjoint groups of one size receive.
std::vector<int> GroupCodes(int size) {
    switch (size) {
    case 2:
        return {FirstReceptionPair, SecondReceptionPair, ThirdReceptionPair};
    case 3:
        return {ReceptionTriple, SecondReceptionTriple};
    case 4:
        return {ReceptionQuadruple};
    default:
        return {ReceptionQuintuple};
    }
}

ExchangeKeys ReadExchangeFiles() {
    ExchangeKeys keys;
    for (int size = kSmallestReception; size <= kLargestReception; ++size) {
        for (std::string& line : ReadTextLines(ExchangeFileName(size)))
            keys[At(size)].insert(std::move(line));
    }
    return keys;
}

class StructureBuilder {
  public:
    explicit StructureBuilder(const ChartState& chart) {
        for (int p = 1; p <= kStructurePlanets; ++p)
            sign_[At(p)] = SignOfLongitude(Normalize360(chart.ChartLongitude[At(p)]));
    }

    ArchetypalStructure build(const ExchangeKeys& keys) {
        setSignCodes();
        setHeads();
        findPairs(keys.at(2));
        for (int size = 3; size <= kLargestReception; ++size)
            findGroups(size, keys.at(At(size)));
        hangUnderHeads();
        hangDeeper();
        return orderedColumns();
    }

  private:
    void setSignCodes() {
        for (int p = 1; p <= kStructurePlanets; ++p) {
            const int sign = sign_[At(p)];
            if (sign >= 1 && sign <= kSigns)
                s_.PlanetSignCode[At(p)] = PointKeyCode4(p) + SignKeyCode4(sign);
        }
    }

    void setHeads() {
        for (int p = 1; p <= kStructurePlanets; ++p) {
            s_.StructurePlanet[At(p)][1] = static_cast<std::uint8_t>(p);
            s_.DignityCode[At(p)] = static_cast<std::uint8_t>(DignityOf(p, sign_[At(p)]));
            if (s_.DignityCode[At(p)] != NoDignity) {
                s_.StructureLevel[At(p)][1] = 1;
                s_.Placed[At(p)] = 1;
            }
        }
    }

    std::string keyOf(const Group& planets) const {
        std::vector<PlanetPlacement> placements;
        for (const int p : planets)
            placements.push_back({p, sign_[At(p)]});
        return ReceptionKey(placements);
    }

    // A group heads its own columns as a reception.
    void markGroup(const Group& planets, int code) {
        for (const int p : planets) {
            s_.ReceptionGroup[At(p)] = static_cast<std::uint8_t>(code);
            if (s_.DignityCode[At(p)] == NoDignity)
                s_.DignityCode[At(p)] = Reception;
            s_.Placed[At(p)] = 1;
            s_.StructureLevel[At(p)][1] = 1;
        }
    }

    // Every pair i < j of unplaced planets in turn; each pair found is a reception of its
    // own, so none of up to three mutual pairs drops out of the structure.
    void findPairs(const KeySet& keys) {
        const std::vector<int> codes = GroupCodes(2);
        std::size_t next = 0;
        for (int i = 1; i < kStructurePlanets; ++i) {
            for (int j = i + 1; j <= kStructurePlanets && next < codes.size(); ++j) {
                if (s_.Placed[At(i)] || s_.Placed[At(j)])
                    continue;
                if (keys.contains(keyOf({i, j})))
                    markGroup({i, j}, codes[next++]);
            }
        }
    }

    // The first listed group of this size among the unplaced planets, then, while planets
    // enough remain, the next disjoint one.
    void findGroups(int size, const KeySet& keys) {
        for (const int code : GroupCodes(size)) {
            Group unplaced;
            for (int p = 1; p <= kStructurePlanets; ++p) {
                if (!s_.Placed[At(p)])
                    unplaced.push_back(p);
            }
            const int n = static_cast<int>(unplaced.size());
            if (n < size)
                return;
            bool found = false;
            for (const Group& positions : SubsetOrder(size, n)) {
                Group planets;
                for (const int position : positions)
                    planets.push_back(unplaced[At(position - 1)]);
                if (keys.contains(keyOf(planets))) {
                    markGroup(planets, code);
                    found = true;
                    break;
                }
            }
            if (!found)
                return;
        }
    }

    void hang(int column, int slot, int planet, int level, int parent) {
        s_.StructurePlanet[At(column)][At(slot)] = static_cast<std::uint8_t>(planet);
        s_.StructureLevel[At(column)][At(slot)] = static_cast<std::uint8_t>(level);
        s_.StructureParent[At(column)][At(slot)] = static_cast<std::uint8_t>(parent);
        s_.Placed[At(planet)] = 1;
    }

    int firstEmptySlot(int column) const {
        for (int slot = 1; slot <= kStructureSlots; ++slot) {
            if (s_.StructurePlanet[At(column)][At(slot)] == 0)
                return slot;
        }
        return 0; // unreachable: a column holds at most the seven planets
    }

    void hangUnderHeads() {
        for (int head = 1; head <= kStructurePlanets; ++head) {
            if (s_.DignityCode[At(head)] == NoDignity)
                continue;
            for (int v = 1; v <= kStructurePlanets; ++v) {
                if (v == head || s_.Placed[At(v)] || RulerOfSign(sign_[At(v)]) != head)
                    continue;
                hang(head, firstEmptySlot(head), v, 2, head);
            }
        }
    }

    // Level by level across the columns, so a chain grows under the column that reaches it
    // first.
    void hangDeeper() {
        for (int slot = 2; slot <= 6; ++slot) {
            for (int column = 1; column <= kStructurePlanets; ++column) {
                const int ruler = s_.StructurePlanet[At(column)][At(slot)];
                if (ruler == 0)
                    continue;
                const int level = s_.StructureLevel[At(column)][At(slot)] + 1;
                for (int v = 1; v <= kStructurePlanets; ++v) {
                    if (RulerOfSign(sign_[At(v)]) != ruler)
                        continue;
                    for (int t = 1; t <= kStructureSlots; ++t) {
                        const int held = s_.StructurePlanet[At(column)][At(t)];
                        if (held == v)
                            break;
                        if (held == 0) {
                            if (!s_.Placed[At(v)])
                                hang(column, t, v, level, ruler);
                            break;
                        }
                    }
                }
            }
        }
    }

    // Weaknesses first, then the receptions group by group, then the strengths.
    ArchetypalStructure orderedColumns() const {
        struct Rule {
            bool byDignity;
            int code;
        };
        static constexpr Rule kOrder[] = {
            {true, Exile},
            {true, Fall},
            {false, FirstReceptionPair},
            {false, SecondReceptionPair},
            {false, ThirdReceptionPair},
            {false, ReceptionTriple},
            {false, SecondReceptionTriple},
            {false, ReceptionQuadruple},
            {false, ReceptionQuintuple},
            {true, Exaltation},
            {true, Domicile},
        };
        ArchetypalStructure ordered;
        ordered.PlanetSignCode = s_.PlanetSignCode;
        ordered.Placed = s_.Placed;
        int next = 1;
        for (const Rule& rule : kOrder) {
            for (int p = 1; p <= kStructurePlanets; ++p) {
                const int dignity = s_.DignityCode[At(p)];
                const int value = rule.byDignity ? dignity : s_.ReceptionGroup[At(p)];
                if (dignity == NoDignity || value != rule.code)
                    continue;
                ordered.DignityCode[At(next)] = s_.DignityCode[At(p)];
                ordered.ReceptionGroup[At(next)] = s_.ReceptionGroup[At(p)];
                ordered.StructurePlanet[At(next)] = s_.StructurePlanet[At(p)];
                ordered.StructureLevel[At(next)] = s_.StructureLevel[At(p)];
                ordered.StructureParent[At(next)] = s_.StructureParent[At(p)];
                ++next;
            }
        }
        return ordered;
    }

    std::array<int, kStructurePlanets + 1> sign_{};
    ArchetypalStructure s_;
};

// Adds every placement in which cycle[i] stands in a domicile of cycle[i + 1], the last
// in one of the first.
void AddCyclePlacements(const Group& cycle, std::vector<std::string>& lines) {
    const std::size_t k = cycle.size();
    std::vector<std::vector<int>> choices;
    for (std::size_t i = 0; i < k; ++i)
        choices.push_back(DomicilesOf(cycle[(i + 1) % k]));
    std::vector<std::size_t> pick(k, 0);
    while (true) {
        std::vector<PlanetPlacement> placements;
        for (std::size_t i = 0; i < k; ++i)
            placements.push_back({cycle[i], choices[i][pick[i]]});
        lines.push_back(ReceptionKey(placements));
        std::size_t i = 0;
        while (i < k && ++pick[i] == choices[i].size())
            pick[i++] = 0;
        if (i == k)
            return;
    }
}

} // namespace

ArchetypalStructure& GlobalArchetypalStructure() {
    static ArchetypalStructure structure;
    return structure;
}

ArchetypalStructure ComputeArchetypalStructure(const ChartState& chart) {
    const ExchangeKeys keys = ReadExchangeFiles();
    return StructureBuilder(chart).build(keys);
}

const ArchetypalStructure& BuildArchetypalStructure(const ChartState& chart) {
    ArchetypalStructure structure = ComputeArchetypalStructure(chart);
    GlobalArchetypalStructure() = structure;
    return GlobalArchetypalStructure();
}

std::string ExchangeFileName(int size) {
    if (size < kSmallestReception || size > kLargestReception)
        throw std::out_of_range("reception size " + std::to_string(size));
    const std::string digit = std::to_string(size);
    return "Scambi\\Scambio" + digit + digit + ".txt";
}

std::string ReceptionKey(std::span<const PlanetPlacement> placements) {
    std::vector<PlanetPlacement> sorted(placements.begin(), placements.end());
    std::sort(sorted.begin(), sorted.end(), [](const PlanetPlacement& a, const PlanetPlacement& b) {
        return a.planet < b.planet;
    });
    auto twoDigits = [](int n) {
        const std::string text = std::to_string(n);
        return text.size() < 2 ? "0" + text : text;
    };
    std::string key;
    for (const PlanetPlacement& placement : sorted)
        key += twoDigits(placement.planet) + twoDigits(placement.sign);
    return key;
}

std::vector<std::string> ExchangeFileLines(int size) {
    if (size < kSmallestReception || size > kLargestReception)
        throw std::out_of_range("reception size " + std::to_string(size));
    std::vector<std::string> lines;
    for (const Group& group : Combinations(size, kStructurePlanets)) {
        // Every cyclic order once: the lowest planet first, the others in every order.
        Group rest(group.begin() + 1, group.end());
        do {
            Group cycle{group.front()};
            cycle.insert(cycle.end(), rest.begin(), rest.end());
            AddCyclePlacements(cycle, lines);
        } while (std::next_permutation(rest.begin(), rest.end()));
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

std::vector<StructureColumnView> StructureColumns(const ArchetypalStructure& structure) {
    std::vector<StructureColumnView> columns;
    for (int c = 1; c <= kStructurePlanets; ++c) {
        const int code = structure.DignityCode[At(c)];
        if (code == NoDignity)
            continue;
        StructureColumnView column;
        column.head = structure.StructurePlanet[At(c)][1];
        column.dignityCode = code;
        column.receptionGroup = structure.ReceptionGroup[At(c)];
        column.label = DignityLabel(code);
        column.frameColour = code == Reception               ? kReceptionFrameColour
                             : code == Exile || code == Fall ? kWeaknessFrameColour
                                                             : kStrengthFrameColour;
        for (int slot = 1; slot <= kStructureSlots; ++slot) {
            const int planet = structure.StructurePlanet[At(c)][At(slot)];
            const int level = structure.StructureLevel[At(c)][At(slot)];
            if (planet == 0 || level == 0)
                continue;
            const int parent = structure.StructureParent[At(c)][At(slot)];
            column.entries.push_back(
                {planet, level, parent, parent == 0 ? std::string() : ParentCode(parent)});
            column.levelCount = std::max(column.levelCount, level);
        }
        columns.push_back(std::move(column));
    }
    for (std::size_t i = 0; i + 1 < columns.size(); ++i) {
        const StructureColumnView& a = columns[i];
        const StructureColumnView& b = columns[i + 1];
        columns[i].joinedToNext = a.dignityCode == Reception && b.dignityCode == Reception &&
                                  a.receptionGroup != NoReceptionGroup &&
                                  a.receptionGroup == b.receptionGroup;
    }
    return columns;
}

const std::string& ParentCode(int planet) {
    static const std::array<std::string, kStructurePlanets> codes = {"sun", "moo",    "mer", "ven",
                                                                     "mar", "júp"_cp, "sat"};
    return codes.at(At(planet - 1));
}

const std::string& NoStructureMessage() {
    static const std::string message = "Nessuna Debilità né Dignità Planetaria"_cp;
    return message;
}

} // namespace exo
