// Backups of any content: the input's first three pieces (cut at 0xFF) are BASE.ST1 to
// BASE.ST3 of a backup folder, the fourth its text counter BASEtxt\FlagTxt.set; a missing
// piece is a missing file. The first byte also restores the backup over a sound personal
// archive. Then: the check never raises and finds a fault exactly when the archive files
// are missing or their bytes are not a sound archive; a restore goes ahead exactly from a
// sound backup, and whatever it does the personal archive is sound afterwards.
#include "FuzzFiles.h"
#include "archive/Backup.h"
#include "archive/SubjectArchive.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

const char* const kArchiveFiles[] = {"BASE.ST1", "BASE.ST2", "BASE.ST3"};

// The bytes of a new archive's files, placeholder records only.
const std::vector<std::string>& NewArchiveBytes() {
    static const std::vector<std::string> bytes = [] {
        exo::CreateArchive("NUEV");
        std::vector<std::string> files;
        for (const char* name : {"NUEV.ST1", "NUEV.ST2", "NUEV.ST3"}) {
            std::ifstream in(exo::ResolveProgramPath(name), std::ios::binary);
            files.emplace_back(std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>());
            fuzzfiles::RemoveProgramFile(name);
        }
        return files;
    }();
    return bytes;
}

// The personal archive before each restore.
void PlaceSoundArchive(const std::vector<std::string>& pieces) {
    for (const char* name : kArchiveFiles)
        fuzzfiles::RemoveProgramFile(name);
    // Whatever the fuzzer found sound serves as the program's archive too, so that the
    // restore replaces one sound archive by another; otherwise the archive is a new one.
    const std::string_view notes = pieces.size() > 2 ? std::string_view(pieces[2]) : "";
    if (pieces.size() >= 2 && !exo::VerifyArchiveBytes("BASE", pieces[0], pieces[1],
                                                       pieces.size() > 2 ? &notes : nullptr)) {
        fuzzfiles::WriteProgramFile("BASE.ST1", pieces[0]);
        fuzzfiles::WriteProgramFile("BASE.ST2", pieces[1]);
        if (pieces.size() > 2)
            fuzzfiles::WriteProgramFile("BASE.ST3", pieces[2]);
    } else {
        for (std::size_t file = 0; file < 3; ++file)
            fuzzfiles::WriteProgramFile(kArchiveFiles[file], NewArchiveBytes()[file]);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    fuzzfiles::EnterScratchFolder("exorvex-fuzz-backup");
    const std::vector<std::string> pieces = fuzzfiles::SplitFiles(data + 1, size - 1);
    const std::string root = fs::current_path().string() + "/volume";
    const std::string folder = exo::BackupFolderOn(root);
    for (std::size_t file = 0; file < 3; ++file) {
        const std::string path = folder + "/DatiBase/" + kArchiveFiles[file];
        if (file < pieces.size())
            fuzzfiles::WriteNativeFile(path, pieces[file]);
        else
            fs::remove(path);
    }
    const std::string counter = folder + "/BASEtxt/FlagTxt.set";
    if (pieces.size() > 3)
        fuzzfiles::WriteNativeFile(counter, pieces[3]);
    else
        fs::remove(counter);

    const std::optional<std::string> fault = exo::BackupFault(folder);
    const std::string_view notes = pieces.size() > 2 ? std::string_view(pieces[2]) : "";
    const bool sound =
        pieces.size() >= 2 && !exo::VerifyArchiveBytes("BASE", pieces[0], pieces[1],
                                                       pieces.size() > 2 ? &notes : nullptr);
    FUZZ_CHECK(fault.has_value() == !sound);

    if (data[0] & 1) {
        PlaceSoundArchive(data[0] & 2 ? pieces : std::vector<std::string>{});
        FUZZ_CHECK(!exo::VerifyArchive("BASE"));
        const exo::TransferResult restored = exo::RestorePersonalArchive(root);
        FUZZ_CHECK(restored.ok() == sound);
        FUZZ_CHECK(!exo::VerifyArchive("BASE"));
    }
    return 0;
}
