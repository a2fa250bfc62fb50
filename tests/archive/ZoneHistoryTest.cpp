// The zones of the built program folder against the IANA time zone database of the system:
// for sampled localities and local times the correction must be minus the UTC offset glibc
// gives for the locality's zone at that local time.
#include "archive/BirthResults.h"
#include "archive/LocalityFile.h"
#include "platform/Cp1252.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace exo {
namespace {

constexpr int kSamples = 3000;
constexpr long double kUnixEpochJulianDay = 2440587.5L;

class EnterFolder {
  public:
    explicit EnterFolder(const std::filesystem::path& folder)
        : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~EnterFolder() {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
    }

  private:
    std::filesystem::path previous_;
};

// Switches glibc's zone for the test and gives the process its own zone back afterwards.
class ZoneSwitch {
  public:
    ZoneSwitch() {
        if (const char* tz = std::getenv("TZ"))
            saved_ = tz;
    }
    ~ZoneSwitch() {
        if (saved_)
            ::setenv("TZ", saved_->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }
    void use(const std::string& iana) {
        if (iana == current_)
            return;
        ::setenv("TZ", (":" + iana).c_str(), 1);
        ::tzset();
        current_ = iana;
    }
    // Seconds east of UTC in force at the instant.
    long offsetAt(std::int64_t unixSeconds) const {
        const std::time_t t = static_cast<std::time_t>(unixSeconds);
        std::tm tm{};
        ::localtime_r(&t, &tm);
        return tm.tm_gmtoff;
    }

  private:
    std::optional<std::string> saved_;
    std::string current_;
};

// Zonas.txt: zone file name, IANA name, country code.
std::map<std::string, std::string> IanaNames() {
    std::map<std::string, std::string> names;
    for (const std::string& line : ReadTextLines("Calendar\\Zonas.txt")) {
        std::istringstream words(line);
        std::string zone, iana;
        if (words >> zone >> iana)
            names[zone] = iana;
    }
    return names;
}

// Deterministic draws (a 64-bit linear congruential generator).
class Draw {
  public:
    int below(std::int64_t n) {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<int>((state_ >> 33) % static_cast<std::uint64_t>(n));
    }

  private:
    std::uint64_t state_ = 20240501;
};

enum class Kind { Match, LocalMeanTime, SpecialZone, Skipped, Ambiguous, Changeover, Mismatch };

struct Verdict {
    Kind kind = Kind::Mismatch;
    std::set<long> valid; // seconds east of UTC that give the local clock reading
};

// The offsets under which the zone's clock reads `local` (seconds of the clock reading
// counted as if it were UTC): none in a skipped hour, two in a repeated one.
std::set<long> ValidOffsets(const ZoneSwitch& zone, std::int64_t local) {
    std::set<long> valid;
    for (int hours = -26; hours <= 26; ++hours) {
        const long offset = zone.offsetAt(local + hours * 3600);
        if (zone.offsetAt(local - offset) == offset)
            valid.insert(offset);
    }
    return valid;
}

Verdict Judge(const ZoneSwitch& zone, const BirthResults& r) {
    const auto local =
        static_cast<std::int64_t>(std::llround((r.localJulianDay - kUnixEpochJulianDay) * 86400));
    const auto ours = static_cast<long>(std::lround(-r.correctionHours * 3600));
    const std::int64_t universal = local - ours;
    Verdict v;
    if (zone.offsetAt(universal) == ours) {
        v.kind = Kind::Match;
        return v;
    }
    v.valid = ValidOffsets(zone, local);
    if (r.localMeanTime)
        v.kind = Kind::LocalMeanTime;
    else if (r.specialZone && r.universalJulianDay > 2433919.5L)
        v.kind = Kind::SpecialZone;
    else if (v.valid.empty())
        v.kind = Kind::Skipped;
    else if (v.valid.size() > 1 && v.valid.count(ours) != 0)
        v.kind = Kind::Ambiguous;
    else if (zone.offsetAt(universal - 1) == ours) // the very instant of a change
        v.kind = Kind::Changeover;
    return v;
}

TEST(ZoneHistory, CorrectionsAgreeWithTheTimeZoneDatabase) {
    const std::filesystem::path folder = EXORVEX_PROGRAM_DIR;
    for (const char* needed :
         {"Localita/ITALIA.LOC", "Localita/ESTERO.LOC", "Calendar/Database.cll",
          "Calendar/Elencal.002", "Calendar/Zonas.txt"}) {
        if (!std::filesystem::exists(folder / needed))
            GTEST_SKIP() << "the built program folder has no " << needed << " (" << folder << ")";
    }
    const EnterFolder inside(folder);
    ZoneSwitch zone;
    const std::map<std::string, std::string> iana = IanaNames();
    const LocalityFile italian(LocalitySource::Italian);
    const LocalityFile foreign(LocalitySource::Foreign);
    ASSERT_GT(italian.count(), 0);
    ASSERT_GT(foreign.count(), 0);

    Draw draw;
    std::map<Kind, int> counts;
    int reported = 0;
    for (int i = 0; i < kSamples; ++i) {
        const LocalityFile& file = i % 2 == 0 ? italian : foreign;
        BirthInput input;
        input.source = file.source();
        const std::int64_t n = 1 + draw.below(file.count());
        input.locality = file.read(n);
        input.when = {1 + draw.below(28), 1 + draw.below(12), 1850 + draw.below(251),
                      draw.below(24), draw.below(60)};
        input.reformOption = 1;
        const BirthResults r = ComputeBirthResults(input);
        // Local mean time is the locality's own: four minutes of time per degree east.
        if (r.localMeanTime) {
            EXPECT_NEAR(static_cast<double>(r.correctionHours),
                        static_cast<double>(-input.locality.Longitude / 15), 2e-6)
                << Utf8FromCp1252(r.locality) << " at " << r.dateText;
        }
        const auto name = iana.find(r.zoneName);
        if (name == iana.end()) {
            ADD_FAILURE() << "zone " << r.zoneName << " of " << Utf8FromCp1252(r.locality)
                          << " is not in Calendar\\Zonas.txt";
            continue;
        }
        zone.use(name->second);
        const Verdict v = Judge(zone, r);
        ++counts[v.kind];
        if (v.kind == Kind::Mismatch && reported++ < 20) {
            std::string valid;
            for (const long offset : v.valid)
                valid += " " + std::to_string(offset);
            ADD_FAILURE() << Utf8FromCp1252(r.locality) << " (" << name->second << ", "
                          << r.zoneName << ") at " << r.dateText << ": correction "
                          << Utf8FromCp1252(r.correctionText)
                          << " h, the zone's offsets (s):" << valid;
        }
    }
    std::printf("zone history: %d samples, %d agree; local mean time %d, special zone %d, "
                "skipped hour %d, repeated hour %d, instant of a change %d, mismatches %d\n",
                kSamples, counts[Kind::Match], counts[Kind::LocalMeanTime],
                counts[Kind::SpecialZone], counts[Kind::Skipped], counts[Kind::Ambiguous],
                counts[Kind::Changeover], counts[Kind::Mismatch]);
    EXPECT_EQ(counts[Kind::Mismatch], 0);
    EXPECT_GE(counts[Kind::Match], 2000);
    const int transitions = counts[Kind::Skipped] + counts[Kind::Ambiguous] +
                            counts[Kind::Changeover] + counts[Kind::SpecialZone];
    EXPECT_LE(transitions, kSamples / 50);
    EXPECT_LE(counts[Kind::LocalMeanTime], kSamples / 4);
}

} // namespace
} // namespace exo
