#pragma once
// The archive files as whole byte strings: read at once, replaced at once, and the key
// file's records moved in memory exactly as the record-by-record procedures move them.
#include "archive/SubjectRecords.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace exo::subject_files {

std::string KeyFileName(const std::string& archive);     // NAME.ST1
std::string SubjectFileName(const std::string& archive); // NAME.ST2
std::string NotesFileName(const std::string& archive);   // NAME.ST3

// Raises InOutError for a name that cannot be an archive's.
void CheckArchiveName(const std::string& archive);

// The whole file; raises InOutError when it cannot be read.
std::string ReadWholeFile(const std::string& name);
// Replaces the file (or creates it) with exactly these bytes: written beside it and renamed
// over it, so the old content stays whole until the new one is complete.
void ReplaceFile(const std::string& name, std::string_view bytes);

// The significant characters of a key record (the length byte taken at most as 43).
std::string_view KeyText(std::string_view record);
// A key record of exactly 44 bytes holding the text (cut to 43).
std::string KeyRecordOf(std::string_view key);

// The records of a key file, kept as their bytes so that the characters after a key's
// length travel with it.
class KeyRecords {
  public:
    // Reads NAME.ST1; raises InOutError when the size is not whole records or record 0 is
    // missing.
    static KeyRecords Load(const std::string& fileName);
    void save(const std::string& fileName) const { ReplaceFile(fileName, bytes_); }

    std::int64_t size() const { return static_cast<std::int64_t>(bytes_.size() / kSize); }
    std::string_view record(std::int64_t n) const;
    std::string_view key(std::int64_t n) const { return KeyText(record(n)); }
    const std::string& bytes() const { return bytes_; }

    // Whether keys 1 … size−1 ascend strictly.
    bool ascending() const;

    void set(std::int64_t n, std::string_view record);
    void erase(std::int64_t n);

    // Appends the key and runs the ordered-insertion pass: for o from size−1 down to 2, the
    // records o and o−1 are swapped when key o ≤ key o−1. Returns where the new key ends.
    std::int64_t appendAndInsert(std::string_view keyRecord);
    // The same for many keys, one after another; the result is the same as that many
    // appendAndInsert calls. Returns the final position of each new key.
    std::vector<std::int64_t> appendAndInsertAll(const std::vector<std::string>& keyRecords);

    // Moves the key at `position`, now `keyRecord`, to its sorted place: upwards while it is
    // below the key before it when it sorts below `oldName`, downwards while it is above the
    // key after it otherwise. Returns its new position.
    std::int64_t reposition(std::int64_t position, std::string_view keyRecord,
                            std::string_view oldName);

  private:
    static constexpr std::size_t kSize = SubjectKey::kSize;
    void swap(std::int64_t a, std::int64_t b);
    std::string bytes_;
};

} // namespace exo::subject_files
