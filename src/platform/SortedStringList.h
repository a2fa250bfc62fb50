#pragma once
// The one sorted-list order of the program: case-insensitive collation of the Spanish
// locale (ICU through QCollator), duplicates kept. Items are Windows-1252 byte strings.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace exo {

// Negative, zero or positive as a sorts before, with or after b.
int CollateCompare(std::string_view a, std::string_view b);

class SortedStringList {
  public:
    // Inserts the item before any equal items; returns its index.
    std::size_t add(std::string item);
    // Binary search: true when an equal item exists; `index` is the first equal item, or
    // where the item would be inserted.
    bool find(std::string_view item, std::size_t& index) const;
    const std::string& operator[](std::size_t index) const { return items_[index]; }
    std::size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    void removeAt(std::size_t index);
    void clear() { items_.clear(); }
    const std::vector<std::string>& items() const { return items_; }

  private:
    std::vector<std::string> items_;
};

} // namespace exo
