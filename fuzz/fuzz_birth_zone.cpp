// Locality files, zone indexes and zone periods of any content. The first bytes choose the
// locality file (Italian or foreign), how many locality and period records there are and
// the birth's date and time; the rest fills the records, the index line and the typed
// text. Then: the search and its window never read outside the file; the results raise
// only InOutError or ConvertError, and when they come back their correction and Julian
// Days are finite and the working copy is gone.
#include "FuzzCheck.h"
#include "archive/BirthResults.h"
#include "archive/LocalityFile.h"
#include "platform/Errors.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

void EnterScratchFolder() {
    static const bool entered = [] {
        static char folder[] = "/tmp/exorvex-fuzz-zone-XXXXXX";
        FUZZ_CHECK(::mkdtemp(folder) != nullptr);
        FUZZ_CHECK(::chdir(folder) == 0);
        fs::create_directories("Localita");
        fs::create_directories("Calendar");
        std::atexit([] { fs::remove_all(folder); });
        return true;
    }();
    (void)entered;
}

void WriteFile(const std::string& name, const std::string& bytes) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    FUZZ_CHECK(out.good());
}

class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::string bytes(std::size_t n) {
        std::string out(n, '\0');
        for (char& b : out)
            b = static_cast<char>(size_ ? data_[at_++ % size_] : 0);
        return out;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace exo;
    EnterScratchFolder();
    Input in(data, size);
    const std::uint8_t shape = in.byte();
    const bool italian = shape & 1;
    const std::size_t localities = in.byte() % 12;
    const std::size_t periods = in.byte() % 16;
    const std::size_t cut = shape & 2 ? in.byte() % 24 : 0; // a file that ends early

    const LocalitySource source = italian ? LocalitySource::Italian : LocalitySource::Foreign;
    std::string places = in.bytes((localities + 1) * LocalityRecord::kSize);
    places.resize(places.size() - std::min(places.size(), cut));
    WriteFile(italian ? "Localita/ITALIA.LOC" : "Localita/ESTERO.LOC", places);
    fs::remove(italian ? "Localita/ESTERO.LOC" : "Localita/ITALIA.LOC");

    // Every zone the localities may name reads these periods: the Italian way through its
    // own file, the foreign way through an index line that may or may not name it.
    const std::string zone = in.bytes(periods * ZonePeriodRecord::kSize);
    std::string index = in.bytes(in.byte() % 48);
    WriteFile("Calendar/Database.cll", zone);
    WriteFile("Calendar/Elencal.002", index);
    const BirthDateTime when{1 + in.byte() % 31, 1 + in.byte() % 12, in.byte() * 10, in.byte() % 24,
                             in.byte() % 60};
    const std::string typed = in.bytes(in.byte() % 8);

    try {
        const LocalityFile file(source);
        const LocalitySearchResult found = SearchLocality(file, typed);
        FUZZ_CHECK(found.position >= 0 && found.position <= file.count());
        (void)LocalityWindow(file, found.centre);
        for (std::int64_t n = 1; n <= file.count(); ++n) {
            BirthInput input;
            input.locality = file.read(n);
            input.source = source;
            input.when = when;
            input.reformOption = shape >> 7;
            const std::string zoneName = ZoneNameOfCode(input.locality.ZoneCode);
            if (italian)
                WriteFile("Calendar/" + zoneName, zone);
            try {
                const BirthResults r = ComputeBirthResults(input);
                FUZZ_CHECK(std::isfinite(r.correctionHours));
                FUZZ_CHECK(std::isfinite(r.localJulianDay));
                FUZZ_CHECK(std::isfinite(r.universalJulianDay));
                FUZZ_CHECK(r.calendar == "GREG" || r.calendar == "GIUL");
            } catch (const InOutError&) {
            } catch (const ConvertError&) {
            }
            FUZZ_CHECK(!fs::exists(zoneName));
            if (italian)
                fs::remove("Calendar/" + zoneName);
        }
    } catch (const InOutError&) {
    } catch (const ConvertError&) {
    }
    return 0;
}
