// The interpretation texts and the exchange files of any content, over a chart whose
// longitudes come from the input. The first byte picks the reader and its point or sign,
// the next 12 bytes the longitudes of points 1 … 11 and the cusp of house 1 (with the top
// bit a backward-moving point); the rest, cut at 0xFF, are the files: for the texts
// PosiPian.txt, PosiSegn.txt, SpgPianSpe.Txt, SpgPian.txt, SpgSegnSpe.txt and SpgSegni.txt,
// for the structure Scambio22.txt … Scambio55.txt (a missing piece is a missing file). Then:
// the text readers raise only InOutError, and only while a file is missing; the memos keep
// their fixed lines; the structure raises only InOutError, only while a file is missing,
// and places each planet at most once.
#include "FuzzFiles.h"
#include "analysis/ArchetypalStructure.h"
#include "analysis/Divisions.h"
#include "analysis/PlacementKeys.h"
#include "chart/ChartState.h"
#include "platform/Errors.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

const std::array<const char*, 6> kTextFiles = {exo::kPointKeyFile,     exo::kSignKeyFile,
                                               exo::kPointKeyTextFile, exo::kPlanetTextFile,
                                               exo::kSignKeyTextFile,  exo::kSignTextFile};

exo::ChartState ChartOf(const std::uint8_t* bytes) {
    exo::ChartState chart;
    for (int point = 1; point <= 11; ++point) {
        const std::uint8_t b = bytes[point - 1];
        const long double longitude = (b & 0x7F) * (360.0L / 128) + b * 0.013L;
        chart.ChartLongitude[static_cast<std::size_t>(point)] = b & 0x80 ? -longitude : longitude;
    }
    for (int house = 1; house <= 12; ++house)
        chart.HouseCusp[static_cast<std::size_t>(house)] = bytes[11] * 1.4L + (house - 1) * 30;
    return chart;
}

void FuzzTexts(std::uint8_t choice, const exo::ChartState& chart, std::size_t files) {
    exo::DivisionValues values;
    exo::ComputeDivisions(chart, values);
    const bool complete = files >= kTextFiles.size();
    try {
        switch (choice % 4) {
        case 0:
            (void)exo::ListDivisionTexts(values);
            break;
        case 1:
            (void)exo::ListDodecaDivisionTexts(values);
            break;
        case 2: {
            const int point = 1 + (choice >> 2) % 11;
            const exo::Attribution shown = exo::ShowPointAttribution(point, chart, values);
            FUZZ_CHECK(!shown.MemoL1.empty());
            FUZZ_CHECK(shown.MatchedKeys.size() + 2 == shown.MemoL1.size());
            break;
        }
        default: {
            const int sign = 1 + (choice >> 2) % 12;
            const exo::Attribution shown = exo::ShowSignAttribution(sign);
            FUZZ_CHECK(shown.MemoL1.size() == 1 && !shown.MemoL2.empty());
            break;
        }
        }
    } catch (const exo::InOutError&) {
        FUZZ_CHECK(!complete);
    }
}

void FuzzStructure(const exo::ChartState& chart, std::size_t files) {
    try {
        const exo::ArchetypalStructure& s = exo::BuildArchetypalStructure(chart);
        std::array<int, exo::kStructurePlanets + 1> seen{};
        for (int column = 1; column <= exo::kStructurePlanets; ++column) {
            for (int slot = 1; slot <= exo::kStructureSlots; ++slot) {
                const int planet = s.StructurePlanet[column][slot];
                FUZZ_CHECK(planet >= 0 && planet <= exo::kStructurePlanets);
                if (planet > 0)
                    ++seen[static_cast<std::size_t>(planet)];
            }
        }
        for (int planet = 1; planet <= exo::kStructurePlanets; ++planet) {
            FUZZ_CHECK(seen[static_cast<std::size_t>(planet)] <= 1);
            FUZZ_CHECK(s.Placed[static_cast<std::size_t>(planet)] ==
                       (seen[static_cast<std::size_t>(planet)] ? 1 : 0));
        }
        for (const exo::StructureColumnView& column : exo::StructureColumns(s))
            FUZZ_CHECK(column.head >= 1 && column.head <= exo::kStructurePlanets);
    } catch (const exo::InOutError&) {
        FUZZ_CHECK(files < 4);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kHead = 13;
    if (size < kHead)
        return 0;
    fuzzfiles::EnterScratchFolder("exorvex-fuzz-texts");
    const std::vector<std::string> pieces = fuzzfiles::SplitFiles(data + kHead, size - kHead);
    const exo::ChartState chart = ChartOf(data + 1);
    const std::uint8_t choice = data[0];
    if (choice & 0x80) {
        for (int group = exo::kSmallestReception; group <= exo::kLargestReception; ++group)
            fuzzfiles::PlaceProgramFile(pieces, static_cast<std::size_t>(group - 2),
                                        exo::ExchangeFileName(group));
        FuzzStructure(chart, pieces.size());
    } else {
        for (std::size_t file = 0; file < kTextFiles.size(); ++file)
            fuzzfiles::PlaceProgramFile(pieces, file, kTextFiles[file]);
        FuzzTexts(choice, chart, pieces.size());
    }
    return 0;
}
