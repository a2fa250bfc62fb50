#include "shell/ConsistencyCheck.h"

#include "platform/RecordFile.h"
#include "platform/ShortString.h"
#include "platform/SortedStringList.h"
#include "platform/TextFile.h"

#include <unordered_set>

namespace exo {

namespace {

constexpr std::size_t kRemedyRecordSize = 4814;
constexpr std::size_t kRepertoryRecordSize = 1206;
constexpr std::size_t kRepertoryRemedyOffset = 352;

// The length-prefixed string of capacity N at `offset` of a record.
template <std::size_t N> std::string FieldAt(const std::string& record, std::size_t offset) {
    return ShortString<N>::readFrom(record.data() + offset).str();
}

} // namespace

std::vector<std::string> RemediesWithoutTherapy() {
    const RecordFile remedies("OpzioneH\\DBmain.rnd", kRemedyRecordSize);
    const RecordFile repertory("OpzioneH\\Repertorio.rnd", kRepertoryRecordSize);
    std::unordered_set<std::string> named;
    for (std::int64_t n = 0; n < repertory.count(); ++n)
        named.insert(FieldAt<100>(repertory.read(n), kRepertoryRemedyOffset));
    SortedStringList missing;
    for (std::int64_t n = 0; n < remedies.count(); ++n) {
        std::string name = FieldAt<50>(remedies.read(n), 0);
        if (!named.contains(name))
            missing.add(std::move(name));
    }
    return missing.items();
}

void WriteMissingTherapiesReport(const std::vector<std::string>& sortedNames) {
    std::vector<std::string> lines;
    std::string previous = "ZZZ";
    for (const std::string& name : sortedNames) {
        if (name != previous)
            lines.push_back(name);
        previous = name;
    }
    WriteTextLines("Mancanti1.txt", lines);
}

} // namespace exo
