#pragma once
// Spanish country names of Debian's iso-codes, read from the ISO 3166-1 list and its
// Spanish message catalogue.
#include <map>
#include <string>

namespace exo::places {

// The messages of a GNU gettext catalogue (.mo): original text → translation, both UTF-8.
// Raises std::runtime_error for a file that is not a catalogue.
std::map<std::string, std::string> ReadMessageCatalogue(const std::string& path);

// The Spanish name (UTF-8) of every ISO 3166-1 alpha-2 code: the translation of the
// country's common name where iso-codes gives one and the catalogue translates it, else
// the translation of its name; `overrides` (alpha-2 → Spanish name) take precedence and
// may add codes.
std::map<std::string, std::string>
SpanishCountryNames(const std::string& isoJsonPath, const std::string& catalogue,
                    const std::map<std::string, std::string>& overrides);

} // namespace exo::places
