#pragma once
// The two locality files of the birth-data form (Localita\ITALIA.LOC and Localita\ESTERO.LOC),
// the search while the user types the first letters of a place, and the seven-line window
// the list shows around a centre record.
#include "archive/PlaceRecords.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace exo {

class RecordFile;

enum class LocalitySource { Italian, Foreign };

// "Localita\ITALIA.LOC" or "Localita\ESTERO.LOC".
std::string LocalityFileName(LocalitySource source);

// The name as the foreign file is sorted: accented letters to their plain letter, a-z to
// upper case, "-" and "(" to a blank, then one leading apostrophe removed (Windows-1252).
std::string NormalizeLocalityName(std::string_view name);

// One open locality file. Record 0 is no locality; localities are records 1 … count().
class LocalityFile {
  public:
    explicit LocalityFile(LocalitySource source);
    ~LocalityFile();
    LocalityFile(const LocalityFile&) = delete;
    LocalityFile& operator=(const LocalityFile&) = delete;

    LocalitySource source() const { return source_; }
    const std::string& path() const;
    // Records − 1; 0 for a file holding only record 0 (or nothing).
    std::int64_t count() const;
    // Locality n, 1 … count(); InOutError outside that range or on a damaged file.
    LocalityRecord read(std::int64_t n) const;
    // The name the search compares: normalised in the foreign file, as stored otherwise.
    std::string searchName(std::int64_t n) const;

  private:
    LocalitySource source_;
    std::unique_ptr<RecordFile> file_;
};

// The list window always shows seven lines; its centre stays within 4 … count − 3 so that
// the lines cover records 1 … count and nothing beyond. A file of fewer than seven
// localities has no such range: its centre is 4 and only the lines of existing records show.
inline constexpr int kLocalityWindowLines = 7;
inline constexpr std::int64_t kFirstLocalityCentre = 4;

std::int64_t ClampLocalityCentre(std::int64_t centre, std::int64_t count);

// Scroll-bar moves of the centre.
std::int64_t LocalityLineUp(std::int64_t centre, std::int64_t count);
std::int64_t LocalityLineDown(std::int64_t centre, std::int64_t count);
std::int64_t LocalityPageUp(std::int64_t centre, std::int64_t count);
std::int64_t LocalityPageDown(std::int64_t centre, std::int64_t count);
std::int64_t LocalityThumb(std::int64_t position, std::int64_t count);
// Keys in the list: Down or Page Down on the last line, Up or Page Up on the first line
// (the selection stays on that line); other lines move the selection, not the centre.
std::int64_t LocalityListDown(std::int64_t centre, std::int64_t count);
std::int64_t LocalityListUp(std::int64_t centre, std::int64_t count);
std::int64_t LocalityListPageDown(std::int64_t centre, std::int64_t count);
std::int64_t LocalityListPageUp(std::int64_t centre, std::int64_t count);

// The record shown on a line (0 … 6) of the window around centre, or nothing when that line
// is beyond the file.
std::optional<std::int64_t> LocalityOfLine(std::int64_t centre, int line, std::int64_t count);

// A list line: the name followed directly by the country, both without trailing blanks.
std::string LocalityLineText(const LocalityRecord& record);

// The lines of the window around centre (seven, fewer for a file of fewer localities).
std::vector<std::string> LocalityWindow(const LocalityFile& file, std::int64_t centre);

struct LocalitySearchResult {
    // The last locality sorting below the probe, 1 when none does; 0 in a file without
    // localities.
    std::int64_t position = 0;
    std::int64_t centre = kFirstLocalityCentre; // position kept within the centre range
    int line = 3; // the window line that shows position: 3 unless the centre was clamped
};

// The search of the typed text (upper case): the normalised text followed by 25 "!" as the
// probe, 100 rounds of bisection over 1 … count. The last locality is found too: the
// bisection alone never reaches record count, so it is compared once more at the end.
LocalitySearchResult SearchLocality(const LocalityFile& file, std::string_view typed);

// The first locality whose name, without trailing blanks, is exactly `name`; nothing when
// no record has it.
std::optional<std::int64_t> FindLocalityByName(const LocalityFile& file, std::string_view name);

} // namespace exo
