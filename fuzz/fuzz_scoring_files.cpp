// The scoring files of any content: FileTmp\DatiNasc.Tmp and FileDum\MMMaitr2.dum are the
// input's first two pieces (cut at 0xFF; a missing piece is a missing file), over a chart
// whose Sun and first cusp come from the first two bytes. Then: the natal data reader
// raises only InOutError, its header keeps to 80 characters and its Julian Day is a number;
// the powers reader raises only InOutError, its master is one of the ten planets or none,
// its bars have a scale only above 0, and the summary it writes has three lines.
#include "FuzzFiles.h"
#include "analysis/MasterScoring.h"
#include "analysis/Webs.h"
#include "chart/ChartState.h"
#include "platform/Errors.h"
#include "platform/TextFile.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

void FuzzNatalData() {
    exo::ChartState chart;
    try {
        const std::string header = exo::ReadNatalData(chart);
        FUZZ_CHECK(header.size() <= 80);
        FUZZ_CHECK(!std::isnan(chart.JulianDay));
    } catch (const exo::InOutError&) {
    }
}

void FuzzPowers(const exo::ChartState& chart) {
    fuzzfiles::RemoveProgramFile(exo::kPowersSummaryFile);
    try {
        const exo::PlanetaryPowers powers = exo::LoadPlanetaryPowers(chart);
        FUZZ_CHECK(powers.master >= 0 && powers.master <= exo::kPowerPlanets);
        FUZZ_CHECK(!powers.hasBars() || powers.max > 0);
        for (int planet = 1; planet <= exo::kPowerPlanets; ++planet)
            FUZZ_CHECK(powers.bars[static_cast<std::size_t>(planet)].text.size() <= 4);
        FUZZ_CHECK(exo::ReadTextLines(exo::kPowersSummaryFile).size() == 3);
    } catch (const exo::InOutError&) {
        FUZZ_CHECK(!exo::FileExists(exo::kPowersSummaryFile));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3)
        return 0;
    fuzzfiles::EnterScratchFolder("exorvex-fuzz-scoring");
    const std::vector<std::string> pieces = fuzzfiles::SplitFiles(data + 3, size - 3);
    fuzzfiles::PlaceProgramFile(pieces, 0, exo::kNatalDataFile);
    fuzzfiles::PlaceProgramFile(pieces, 1, exo::kMasterPowersFile);
    exo::ChartState chart;
    chart.ChartLongitude[1] = (data[1] - 128) * 3.0L;
    chart.HouseCusp[1] = (data[2] - 128) * 3.0L;
    if (data[0] & 1)
        FuzzPowers(chart);
    else
        FuzzNatalData();
    return 0;
}
