#pragma once
// A test's scratch folder furnished from the built program folder: everything linked, except
// the folders the program writes into while it draws or prints, which are copied so the
// built folder is never changed.
#include <filesystem>
#include <set>
#include <stdexcept>
#include <string>

namespace exo::test {

inline void FurnishFromBuiltProgram(const std::filesystem::path& folder,
                                    const std::set<std::string>& copied = {
                                        "OpzioneT", "FileSet", "FileDum", "Emf", "FileTmp"}) {
    namespace fs = std::filesystem;
    const fs::path program = EXORVEX_PROGRAM_DIR;
    if (!fs::exists(program / "Simboli"))
        throw std::runtime_error("the program folder is built by its tools: " + program.string());
    for (const fs::directory_entry& entry : fs::directory_iterator(program)) {
        const std::string name = entry.path().filename().string();
        if (fs::exists(folder / name))
            continue;
        if (copied.count(name))
            fs::copy(entry.path(), folder / name, fs::copy_options::recursive);
        else if (entry.is_directory())
            fs::create_directory_symlink(entry.path(), folder / name);
        else if (name.rfind("TMPR.", 0) != 0)
            fs::copy(entry.path(), folder / name);
    }
}

} // namespace exo::test
