// build_settings <program folder> <installed copies folder>
//
// Writes the chart settings installed with the program: FileSet\OrbiDomi.stt (set A active,
// the mean node, the mean Black Moon) and FileDum\MMVarOrb.dum (the three orb sets), and
// the metafile slots' Emf\TipGraf.Set (every slot landscape), from the program's own
// defaults. The settings are the user's once the program runs: a file that is no longer
// what the last build installed (a copy of which is kept in the second folder) is left as
// it is.
#include "analysis/OrbSettings.h"
#include "graphics/MetafileSlots.h"
#include "platform/ProgramPaths.h"
#include "platform/TextFile.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string Content(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// The bytes of a file, or false when it cannot be read.
bool ReadBytes(const fs::path& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out.flush())
        throw std::runtime_error("cannot write " + path.string());
}

// Installs `lines` as `name` of the program folder (the current folder) unless the user has
// changed the file since `copies` last recorded what was installed.
void Install(const std::string& name, const std::vector<std::string>& lines,
             const fs::path& copies) {
    const std::string path = exo::ResolveProgramPath(name);
    const fs::path copy = copies / path;
    const std::string content = Content(lines);
    std::string present, installed;
    const bool exists = ReadBytes(path, present);
    const bool recorded = ReadBytes(copy, installed);
    if (exists && present != content && (!recorded || present != installed)) {
        std::printf("settings: %s was changed in the program folder; kept as it is\n",
                    path.c_str());
        return;
    }
    if (!exists || present != content)
        exo::WriteTextLines(name, lines);
    WriteBytes(copy, content);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: build_settings <program folder> <installed copies folder>\n");
        return 2;
    }
    try {
        const fs::path copies = fs::absolute(argv[2]);
        fs::create_directories(argv[1]);
        fs::current_path(argv[1]);
        exo::MakeFolder("FileSet");
        exo::MakeFolder("FileDum");
        exo::MakeFolder("Emf");
        Install(exo::kOrbSettingsFile, exo::DefaultOrbSettingsLines(), copies);
        Install(exo::kOrbSetFile, exo::DefaultOrbSetLines(), copies);
        Install(exo::kMetafileStyleFile, exo::DefaultMetafileStyleLines(), copies);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "build_settings: %s\n", error.what());
        return 1;
    }
    return 0;
}
