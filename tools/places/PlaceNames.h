#pragma once
// The texts of the locality files: names in upper case Windows-1252, and the normalised form
// the foreign file is sorted and searched by.
#include <QString>

#include <cstddef>
#include <string>
#include <string_view>

namespace exo::places {

// The upper case Windows-1252 bytes of a name. A character that code page 1252 cannot hold
// loses its accents (compatibility decomposition, marks dropped) and, when even its base
// letter is outside the code page, becomes its nearest ASCII letter; raises
// std::runtime_error for a character without one, so that no name loses letters silently.
// Typographic single quotes become the apostrophe a user types (and the search drops in
// front of a name).
std::string UpperCp1252(const QString& name);

// The first `capacity` bytes of a text, without the blanks the cut leaves at its end.
std::string CutToCapacity(std::string text, std::size_t capacity);

} // namespace exo::places
