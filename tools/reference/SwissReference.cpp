#include "reference/SwissReference.h"

#include <swephexp.h>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace exo::reference {
namespace {

const char* const kDebianEphemerisFolder = "/usr/share/libswe/ephe";

// A geocentric position needs the Earth as well as the body, and light time and ΔT move
// the instant the library reads a little before the one asked for: keep this far inside
// the files' own limits so that no answer comes half from the files and half from the
// analytic ephemeris.
constexpr double kFileMarginDays = 2.0;

constexpr int kEphemerisBits = SEFLG_JPLEPH | SEFLG_SWIEPH | SEFLG_MOSEPH;

struct FileRange {
    double from = 0;
    double to = 0;
    bool contains(double jd) const { return jd >= from && jd <= to; }
};

struct LibraryState {
    bool open = false;
    FileRange planets; // sepl: Sun, Earth, Mercury … Pluto
    FileRange moon;    // semo: Moon, node, apogee
    FileRange minor;   // seas: the main asteroids and Chiron
};

LibraryState& State() {
    static LibraryState state;
    return state;
}

bool IsMinorBody(int body) {
    return body >= 15 && body <= 19;
}

int LibraryBody(int body) {
    if (body == 0)
        return SE_EARTH;
    if (body >= 1 && body <= 10)
        return body - 1; // SE_SUN = 0, SE_MOON = 1, SE_MERCURY = 2 … SE_PLUTO = 9
    switch (body) {
    case 11:
        return SE_TRUE_NODE;
    case 12:
        return SE_OSCU_APOG;
    case 15:
        return SE_CERES;
    case 16:
        return SE_PALLAS;
    case 17:
        return SE_JUNO;
    case 18:
        return SE_VESTA;
    case 19:
        return SE_CHIRON;
    }
    throw std::runtime_error("reference: no body with index " + std::to_string(body));
}

[[noreturn]] void Fail(const std::string& what, const char* message) {
    throw std::runtime_error("reference: " + what + ": " + message);
}

// The range of the file the library used for its last computation, narrowed by the margin.
FileRange CurrentFileRange(int fileNumber, const char* which) {
    double from = 0, to = 0;
    int denum = 0;
    if (swe_get_current_file_data(fileNumber, &from, &to, &denum) == nullptr)
        Fail("no ephemeris file for", which);
    return {from + kFileMarginDays, to - kFileMarginDays};
}

// Asks the library for one body at J2000 through its files, which opens them, then reads
// their ranges.
void LearnFileRanges(LibraryState& state) {
    const double j2000 = 2451545.0;
    char message[AS_MAXCH] = "";
    double values[6];
    for (int body : {SE_SUN, SE_MOON, SE_CERES}) {
        if (swe_calc_ut(j2000, body, SEFLG_SWIEPH, values, message) < 0)
            Fail("opening the ephemeris files", message);
    }
    state.planets = CurrentFileRange(0, "the planets");
    state.moon = CurrentFileRange(1, "the Moon");
    state.minor = CurrentFileRange(2, "the asteroids");
}

FileRange RangeFor(const LibraryState& state, int body) {
    const FileRange& own = IsMinorBody(body)                         ? state.minor
                           : (body == 2 || body == 11 || body == 12) ? state.moon
                                                                     : state.planets;
    // Every geocentric answer needs the Earth from the planets' file too.
    return {std::max(own.from, state.planets.from), std::min(own.to, state.planets.to)};
}

// Which ephemeris to ask for at jd; asteroids have no analytic fallback.
int EphemerisFlag(int body, double jdUt) {
    if (InsideFileRange(body, jdUt))
        return SEFLG_SWIEPH;
    if (IsMinorBody(body))
        throw std::runtime_error("reference: body " + std::to_string(body) +
                                 " is outside the ephemeris files at JD " + std::to_string(jdUt));
    return SEFLG_MOSEPH;
}

// Runs one computation and insists that the library used the ephemeris it was asked for
// (it silently falls back to the analytic one when a file is missing).
void Calculate(int body, double jdUt, int flags, double values[6]) {
    Open();
    char message[AS_MAXCH] = "";
    const int used = swe_calc_ut(jdUt, LibraryBody(body), flags, values, message);
    const std::string what = "body " + std::to_string(body) + " at JD " + std::to_string(jdUt);
    if (used < 0)
        Fail(what, message);
    const int wanted = flags & kEphemerisBits;
    if ((used & kEphemerisBits) != wanted)
        Fail(what, message[0] != '\0' ? message : "the library changed the ephemeris");
}

} // namespace

void Open(const std::string& folder) {
    LibraryState& state = State();
    if (state.open)
        return;
    const std::string path = folder.empty() ? kDebianEphemerisFolder : folder;
    swe_set_ephe_path(path.c_str());
    LearnFileRanges(state);
    state.open = true;
}

void Close() {
    swe_close();
    State().open = false;
}

bool InsideFileRange(int body, double jdUt) {
    Open();
    return RangeFor(State(), body).contains(jdUt);
}

Position Apparent(int body, double jdUt, bool withSpeed) {
    double values[6];
    const int flags = EphemerisFlag(body, jdUt) | (withSpeed ? SEFLG_SPEED : 0);
    Calculate(body, jdUt, flags, values);
    return {values[0], values[1], withSpeed ? values[3] : 0.0};
}

Rectangular Heliocentric(int body, double jdUt) {
    double values[6];
    const int flags =
        EphemerisFlag(body, jdUt) | SEFLG_HELCTR | SEFLG_XYZ | SEFLG_TRUEPOS | SEFLG_NONUT;
    Calculate(body, jdUt, flags, values);
    return {values[0], values[1], values[2]};
}

Houses PlacidusHouses(double jdUt, double latitude, double eastLongitude) {
    Open();
    // The flag only chooses the ephemeris behind ΔT; the houses themselves need none.
    const int flags = InsideFileRange(1, jdUt) ? SEFLG_SWIEPH : SEFLG_MOSEPH;
    double cusps[13] = {};
    double angles[10] = {};
    if (swe_houses_ex(jdUt, flags, latitude, eastLongitude, 'P', cusps, angles) < 0)
        throw std::runtime_error("reference: no Placidus houses at latitude " +
                                 std::to_string(latitude));
    Houses houses;
    for (int i = 1; i <= 12; ++i)
        houses.cusp[i] = cusps[i];
    houses.ascendant = angles[SE_ASC];
    houses.midheaven = angles[SE_MC];
    return houses;
}

} // namespace exo::reference
