// build_exchanges <program folder>
//
// Writes the exchange files Scambi\Scambio22.txt … Scambio55.txt: the mutual receptions of
// two to five planets, in the keys the archetypal structure looks up, so that the program
// and its files agree by construction.
#include "analysis/ArchetypalStructure.h"
#include "platform/Errors.h"
#include "platform/ProgramPaths.h"
#include "platform/TextFile.h"

#include <cstdio>
#include <exception>
#include <filesystem>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: build_exchanges <program folder>\n");
        return 2;
    }
    try {
        std::filesystem::create_directories(argv[1]);
        std::filesystem::current_path(argv[1]);
        exo::MakeFolder("Scambi");
        for (int size = exo::kSmallestReception; size <= exo::kLargestReception; ++size)
            exo::WriteTextLines(exo::ExchangeFileName(size), exo::ExchangeFileLines(size));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "build_exchanges: %s\n", error.what());
        return 1;
    }
    return 0;
}
