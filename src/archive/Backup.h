#pragma once
// Backup and restore of the personal archive BASE: BASE.ST1, BASE.ST2, BASE.ST3 and the
// text folder BASEtxt, copied to the folder ExorvexBck at the root of a mounted volume and
// back. The program copies every file itself and reads each copy back before it counts; a
// set of files is put in place only once every copy of the set is whole, so a failure
// leaves the files it was to replace as they were. Paths of volumes and folders are native
// UTF-8 paths; program-folder names are Windows-1252 as everywhere else.
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace exo {

inline constexpr const char* kBackupFolderName = "ExorvexBck";
// The date of the last backup: one line, DD/MM/YYYY.
inline constexpr const char* kBackupDateFile = "FileDum\\MMbakMod1.dum";
// What the destination shows while no volume has been chosen.
inline constexpr const char* kUnchosenBackupFolder = "?:\\ExorvexBck";

// A volume the backup can go to: its root folder and its name.
struct BackupVolume {
    std::string root;
    std::string name;
};

// The mounted volumes that can be read, in the order the system lists them.
std::vector<BackupVolume> BackupVolumes();
// Window tests offer their own volumes (folders of the scratch folder); an empty lister
// restores the system's.
void SetBackupVolumeLister(std::function<std::vector<BackupVolume>()> lister);

// ROOT/ExorvexBck.
std::string BackupFolderOn(const std::string& root);

// The date of the last backup as the dialog shows it: the first 10 characters of the date
// file, or "Mai" when there is none.
std::string LastBackupDate();
// Today as DD/MM/YYYY.
std::string TodayDateText();

// Copies one file's bytes to a new file (both native paths); raises InOutError.
void CopyFileBytes(const std::string& from, const std::string& to);
// The copy every backup and restore goes through. Tests put a failing or damaging copy in
// its place; an empty function restores CopyFileBytes. Whatever the copy does, its result
// is read back and compared with the original.
using FileCopyFunction = std::function<void(const std::string& from, const std::string& to)>;
void SetBackupFileCopy(FileCopyFunction copy);

struct TransferResult {
    int filesCopied = 0;
    // The first failure (UTF-8); nothing when every file was copied and verified.
    std::optional<std::string> failure;
    bool ok() const { return !failure; }
};

// Copies the previous date file to ROOT/ExorvexBck, the archive files to its DatiBase
// folder and every file of BASEtxt to its BASEtxt folder, replacing the files of an earlier
// backup only once all the new copies are whole; then records `dateText` as the date of
// the last backup. A damaged personal archive is not copied over a sound backup.
TransferResult BackupPersonalArchive(const std::string& root, const std::string& dateText);

// The first fault of the backup in `folder` (UTF-8), or nothing when its archive files are
// present, whole records, and their keys point into the subject file.
std::optional<std::string> BackupFault(const std::string& folder);

// Checks the backup on ROOT and, when it is sound, replaces BASE.ST1-BASE.ST3 and the text
// files of the same names in BASEtxt by their copies, all together: until every copy is
// whole the personal archive stays as it was. Text files that only the program folder has
// stay, and the text counter never goes back (so no text number is handed out twice).
TransferResult RestorePersonalArchive(const std::string& root);

} // namespace exo
