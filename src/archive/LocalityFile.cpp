#include "archive/LocalityFile.h"

#include "astro/TextHelpers.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/RecordFile.h"

#include <algorithm>
#include <array>

namespace exo {

std::string LocalityFileName(LocalitySource source) {
    return source == LocalitySource::Italian ? "Localita\\ITALIA.LOC" : "Localita\\ESTERO.LOC";
}

namespace {

// The replacements of the normalisation as one byte table. No replacement produces a byte
// that a later one replaces again except a-z, which are upper-cased, so applying the table
// once gives the same text as applying the replacements one after the other.
std::array<unsigned char, 256> NormalisationTable() {
    std::array<unsigned char, 256> to{};
    for (int b = 0; b < 256; ++b)
        to[b] = static_cast<unsigned char>(b);
    const auto map = [&to](std::initializer_list<int> from, char target) {
        for (const int b : from)
            to[b] = static_cast<unsigned char>(target);
    };
    map({224, 225, 226, 227, 228, 229, 230}, 'A');
    map({242, 243, 244, 246, 248}, 'O');
    map({223}, 'S');
    map({249, 250, 251, 252}, 'U');
    map({232, 233, 234, 235}, 'E');
    map({236, 237, 238, 239}, 'I');
    map({241}, 'N');
    map({231}, 'C');
    for (int b = 'a'; b <= 'z'; ++b)
        to[b] = static_cast<unsigned char>(b - 'a' + 'A');
    map({193, 194, 196, 197, 198}, 'A');
    map({211, 212, 214, 216}, 'O');
    map({218, 220}, 'U');
    map({205, 206, 207}, 'I');
    map({200, 201, 203}, 'E');
    map({45, 40}, ' ');
    map({199}, 'C');
    // The table gives the small letters with a grave, tilde or circumflex but leaves out
    // several of their capitals (and õ altogether); the stored names are upper case, so
    // "SÃO PAULO" or "ÑUÑOA" could never be found by typing them plainly. Their plain letters:
    map({192, 195}, 'A');
    map({210, 213, 245}, 'O');
    map({217, 219}, 'U');
    map({202}, 'E');
    map({204}, 'I');
    map({209}, 'N');
    return to;
}

} // namespace

std::string NormalizeLocalityName(std::string_view name) {
    static const std::array<unsigned char, 256> table = NormalisationTable();
    std::string out(name);
    for (char& c : out)
        c = static_cast<char>(table[static_cast<unsigned char>(c)]);
    if (!out.empty() && out.front() == '\'')
        out.erase(0, 1);
    return out;
}

LocalityFile::LocalityFile(LocalitySource source)
    : source_(source),
      file_(std::make_unique<RecordFile>(LocalityFileName(source), LocalityRecord::kSize)) {
    count(); // a damaged size is reported on opening, before any search
}

LocalityFile::~LocalityFile() = default;

const std::string& LocalityFile::path() const {
    return file_->path();
}

std::int64_t LocalityFile::count() const {
    return std::max<std::int64_t>(file_->count() - 1, 0);
}

LocalityRecord LocalityFile::read(std::int64_t n) const {
    if (n < 1 || n > count())
        throw InOutError(path(), "read",
                         "locality " + std::to_string(n) + " of " + std::to_string(count()));
    return LocalityRecord::decode(file_->read(n).data());
}

std::string LocalityFile::searchName(std::int64_t n) const {
    const std::string name = read(n).Name.str();
    return source_ == LocalitySource::Foreign ? NormalizeLocalityName(name) : name;
}

std::int64_t ClampLocalityCentre(std::int64_t centre, std::int64_t count) {
    if (count < kLocalityWindowLines)
        return kFirstLocalityCentre;
    return std::clamp(centre, kFirstLocalityCentre, count - 3);
}

std::int64_t LocalityLineUp(std::int64_t centre, std::int64_t count) {
    return ClampLocalityCentre(centre > 4 ? centre - 1 : centre, count);
}

std::int64_t LocalityLineDown(std::int64_t centre, std::int64_t count) {
    return ClampLocalityCentre(centre < count - 3 ? centre + 1 : centre, count);
}

std::int64_t LocalityPageUp(std::int64_t centre, std::int64_t count) {
    return ClampLocalityCentre(centre > 12 ? centre - 7 : centre, count);
}

std::int64_t LocalityPageDown(std::int64_t centre, std::int64_t count) {
    return ClampLocalityCentre(centre < count - 11 ? centre + 7 : centre, count);
}

std::int64_t LocalityThumb(std::int64_t position, std::int64_t count) {
    return ClampLocalityCentre(position, count);
}

std::int64_t LocalityListDown(std::int64_t centre, std::int64_t count) {
    return LocalityLineDown(centre, count);
}

std::int64_t LocalityListUp(std::int64_t centre, std::int64_t count) {
    return LocalityLineUp(centre, count);
}

std::int64_t LocalityListPageDown(std::int64_t centre, std::int64_t count) {
    return ClampLocalityCentre(centre + 6, count);
}

std::int64_t LocalityListPageUp(std::int64_t centre, std::int64_t count) {
    return ClampLocalityCentre(centre - 6, count);
}

std::optional<std::int64_t> LocalityOfLine(std::int64_t centre, int line, std::int64_t count) {
    if (line < 0 || line >= kLocalityWindowLines)
        return std::nullopt;
    const std::int64_t record = centre + line - 3;
    if (record < 1 || record > count)
        return std::nullopt;
    return record;
}

std::string LocalityLineText(const LocalityRecord& record) {
    return StripTrailingBlanks(record.Name.view()) + StripTrailingBlanks(record.Country.view());
}

std::vector<std::string> LocalityWindow(const LocalityFile& file, std::int64_t centre) {
    std::vector<std::string> lines;
    const std::int64_t count = file.count();
    for (int line = 0; line < kLocalityWindowLines; ++line) {
        if (const auto record = LocalityOfLine(centre, line, count))
            lines.push_back(LocalityLineText(file.read(*record)));
    }
    return lines;
}

LocalitySearchResult SearchLocality(const LocalityFile& file, std::string_view typed) {
    LocalitySearchResult result;
    const std::int64_t count = file.count();
    if (count < 1) {
        result.line = -1;
        return result;
    }
    const std::string probe = NormalizeLocalityName(typed) + std::string(25, '!');
    // Once the bounds meet the same record is compared round after round.
    std::int64_t readAt = 0;
    std::string name;
    const auto probeAbove = [&](std::int64_t n) {
        if (n != readAt) {
            name = file.searchName(n);
            readAt = n;
        }
        return CompareBytes(probe, name) > 0;
    };

    std::int64_t low = 1, high = count, mid = 1;
    for (int round = 0; round < 100; ++round) {
        mid = (low + high) / 2;
        if (probeAbove(mid))
            low = mid;
        else
            high = mid;
        low = std::max<std::int64_t>(low, 1);
    }
    // The halving never lands on the upper bound, so the last locality is only found by
    // looking at it.
    if (high == count && mid < count && probeAbove(count))
        mid = count;

    result.position = mid;
    result.centre = ClampLocalityCentre(mid, count);
    result.line = static_cast<int>(mid - result.centre + 3);
    return result;
}

std::optional<std::int64_t> FindLocalityByName(const LocalityFile& file, std::string_view name) {
    const std::int64_t count = file.count();
    const auto named = [&](std::int64_t n) {
        return StripTrailingBlanks(file.read(n).Name.view()) == name;
    };
    // In a sorted file the names that begin with the searched one and sort below the probe
    // end at the search's position; the first exact one among them is the answer.
    const std::string key = NormalizeLocalityName(name);
    const LocalitySearchResult found = SearchLocality(file, name);
    std::optional<std::int64_t> first;
    for (std::int64_t n = found.position; n >= 1; --n) {
        const std::string searched = file.searchName(n);
        if (searched.compare(0, key.size(), key) != 0)
            break;
        if (named(n))
            first = n;
    }
    if (first)
        return first;
    // A file out of order still answers, only more slowly.
    for (std::int64_t n = 1; n <= count; ++n) {
        if (named(n))
            return n;
    }
    return std::nullopt;
}

} // namespace exo
