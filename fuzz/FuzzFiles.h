#pragma once
// What the file-reader targets share: one scratch program folder per process, made the
// current folder, and the fuzz input cut into the files a reader takes by name.
#include "FuzzCheck.h"
#include "platform/ProgramPaths.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace fuzzfiles {

// The byte that ends one file of the input and begins the next.
inline constexpr char kFileSeparator = '\xFF';

inline void EnterScratchFolder(const char* prefix) {
    static const bool entered = [prefix] {
        static std::string folder;
        folder = std::string("/tmp/") + prefix + "-XXXXXX";
        FUZZ_CHECK(::mkdtemp(folder.data()) != nullptr);
        FUZZ_CHECK(::chdir(folder.c_str()) == 0);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(folder, ignored);
        });
        return true;
    }();
    (void)entered;
}

// The input's pieces between separators; always at least one (perhaps empty).
inline std::vector<std::string> SplitFiles(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> pieces(1);
    for (std::size_t at = 0; at < size; ++at) {
        const char c = static_cast<char>(data[at]);
        if (c == kFileSeparator)
            pieces.emplace_back();
        else
            pieces.back() += c;
    }
    return pieces;
}

inline void WriteNativeFile(const std::string& path, std::string_view bytes) {
    const std::filesystem::path native(path);
    if (native.has_parent_path())
        std::filesystem::create_directories(native.parent_path());
    std::ofstream out(native, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    FUZZ_CHECK(out.good());
}

// Writes a program file ("FileSet\OrbiDomi.stt"), its folders made as needed.
inline void WriteProgramFile(const std::string& name, std::string_view bytes) {
    WriteNativeFile(exo::ResolveProgramPath(name), bytes);
}

inline void RemoveProgramFile(const std::string& name) {
    std::error_code ignored;
    std::filesystem::remove(exo::ResolveProgramPath(name), ignored);
}

// Piece `index` of `pieces` as the program file `name`; the file is absent when the input
// has no such piece.
inline void PlaceProgramFile(const std::vector<std::string>& pieces, std::size_t index,
                             const std::string& name) {
    if (index < pieces.size())
        WriteProgramFile(name, pieces[index]);
    else
        RemoveProgramFile(name);
}

} // namespace fuzzfiles
