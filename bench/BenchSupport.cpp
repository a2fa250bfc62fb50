#include "BenchSupport.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace exo::bench {

namespace fs = std::filesystem;

namespace {

fs::path ProgramFolderCandidate() {
    if (const char* named = std::getenv("EXORVEX_PROGRAM_FOLDER"); named && *named)
        return named;
    // The build puts the executables in <build>/bin and prepares <build>/program.
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error)
        throw std::runtime_error("cannot locate this executable; set EXORVEX_PROGRAM_FOLDER");
    return self.parent_path().parent_path() / "program";
}

} // namespace

std::string EnterProgramFolder() {
    const fs::path folder = ProgramFolderCandidate();
    if (!fs::is_directory(folder))
        throw std::runtime_error("no program folder at " + folder.string() +
                                 " (build the program folder or set EXORVEX_PROGRAM_FOLDER)");
    for (const char* table : {"DSEL.rnd", "DPR1.rnd", "NOJLNE.rnd"}) {
        if (!fs::is_regular_file(folder / "FilePosi" / table))
            throw std::runtime_error("the correction table FilePosi/" + std::string(table) +
                                     " is missing in " + folder.string());
    }
    fs::current_path(folder);
    return fs::current_path().string();
}

HouseInputs HouseInputsAt(long double midnightJulianDay, int minuteOfDay) {
    constexpr int kClockAheadOfUt = 1;
    const int clockMinute = (minuteOfDay + 60 * kClockAheadOfUt) % 1440;
    HouseInputs in;
    in.mode = 1;
    in.referenceLetter = "N";
    in.extraHours = 0;
    in.timeCorrection = -kClockAheadOfUt;
    in.hour = clockMinute / 60;
    in.minute = clockMinute % 60;
    in.latitudeLetter = "N";
    in.latitudeDegrees = kLatitudeDegrees;
    in.latitudeMinutes = kLatitudeMinutes;
    in.longitudeLetter = "E";
    in.longitudeDegrees = kLongitudeDegrees;
    in.longitudeMinutes = kLongitudeMinutes;
    in.julianDay = midnightJulianDay + minuteOfDay / 1440.0L;
    return in;
}

} // namespace exo::bench
