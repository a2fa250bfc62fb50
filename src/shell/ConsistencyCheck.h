#pragma once
// The maintenance check of the knowledge base: remedies that no therapy of the repertory
// names. Texts are Windows-1252 bytes.
#include <string>
#include <vector>

namespace exo {

// The names of OpzioneH\DBmain.rnd (every record, the header too) that no record of
// OpzioneH\Repertorio.rnd names as its remedy, in the sorted-list order, duplicates kept.
// Raises InOutError when either file is missing or damaged.
std::vector<std::string> RemediesWithoutTherapy();

// Writes Mancanti1.txt from the sorted names, each run of equal names once.
void WriteMissingTherapiesReport(const std::vector<std::string>& sortedNames);

} // namespace exo
