// Speed of the chart sheets: one sheet drawn as the natal chart window draws it on a
// 1920 × 1080 screen, printed to an A4 PDF page, and exported as an enhanced metafile,
// for each of the four sheets of Rossi Mario (Milan, 1 January 1960). Targets: screen at
// most 30 ms, PDF 300 ms, metafile 100 ms a sheet (medians).
//
//   build/bin/bench-graphics
//
// Nine repetitions and only the aggregates unless told otherwise; compare the medians. The
// subject lives in a temporary folder into which the program folder's contents are linked
// (the folders the drawing writes into are copied), so the program folder is never written.
#include "BenchSupport.h"
#include "graphics/ChartSheets.h"
#include "graphics/DrawingSurface.h"
#include "graphics/PainterTarget.h"
#include "graphics/SheetRendering.h"
#include "shell/SheetChart.h"

#include "BenchMain.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <stdlib.h>
#include <string>
#include <string_view>

namespace exo::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;

fs::path MakeSubjectFolder(const fs::path& programFolder) {
    std::string pattern = (fs::temp_directory_path() / "exorvex-bench-graphics-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder");
    const fs::path folder = pattern;
    for (const fs::directory_entry& entry : fs::directory_iterator(programFolder)) {
        const std::string name = entry.path().filename().string();
        if (name == "OpzioneT" || name == "FileSet" || name == "FileDum")
            fs::copy(entry.path(), folder / name, fs::copy_options::recursive);
        else if (name != "TMPR.ST1" && name != "TMPR.ST2" && name != "Emf")
            fs::create_symlink(entry.path(), folder / name);
    }
    WriteFile(folder / "TMPR.ST1", Field("ROSSI MARIO                           00001", 43));
    std::string record = Field("196001011030-1.00", 20) + Field("45N28-009E11Milano*MI*", 39) +
                         Field("GR", 2) + Field(" ITALIA", 20);
    record.resize(385, '\0');
    WriteFile(folder / "TMPR.ST2", record);
    WriteFile(folder / "FileDum" / "Annotaz.dum", "Nota\r\n");
    return folder;
}

fs::path& SubjectFolder() {
    static fs::path folder;
    return folder;
}

constexpr std::int32_t kLayouts[] = {SheetLayout::Vertical1, SheetLayout::Vertical2,
                                     SheetLayout::Horizontal1, SheetLayout::Horizontal2};
const char* const kNames[] = {"V1", "V2", "H1", "H2"};

NatalSheetState Prepare(benchmark::State& state) {
    fs::current_path(SubjectFolder());
    const std::int32_t layout = kLayouts[state.range(0)];
    state.SetLabel(kNames[state.range(0)]);
    return PrepareSheetChart(layout);
}

// As the window: the screen's scale, a portrait sheet at half size shifted right.
void BM_SheetOnScreen(benchmark::State& state) {
    const NatalSheetState sheet = Prepare(state);
    DrawingSurface& surface = GlobalDrawingSurface();
    SetScreenScale(kScreenWidth, kScreenHeight, surface);
    const bool landscape = SheetIsLandscape(sheet.SummaryLayout);
    surface.Zoom = landscape ? 1.0L : 0.5L;
    surface.OffsetX = landscape ? 0 : kScreenWidth / 4;
    surface.OffsetY = 0;
    surface.PrinterPresent = true;
    surface.NatalChartActive = true;
    QImage canvas(kScreenWidth, kScreenHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        canvas.fill(Qt::black);
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::Antialiasing);
        PainterTarget target(painter);
        surface.ActiveChartWindow = &target;
        DrawCurrentSheet(surface, target, sheet, CurrentSheetInputs(), landscape);
        surface.ActiveChartWindow = nullptr;
        painter.end();
        benchmark::DoNotOptimize(canvas.constBits());
    }
}

void BM_SheetToPdf(benchmark::State& state) {
    const NatalSheetState sheet = Prepare(state);
    for (auto _ : state) {
        const std::vector<char> pdf =
            RenderSheetPdf(GlobalDrawingSurface(), sheet, CurrentSheetInputs(), {});
        benchmark::DoNotOptimize(pdf.data());
    }
}

void BM_SheetToMetafile(benchmark::State& state) {
    const NatalSheetState sheet = Prepare(state);
    SheetRenderOptions options;
    options.width = kScreenWidth;
    for (auto _ : state) {
        const std::vector<std::uint8_t> emf =
            RenderSheetMetafile(GlobalDrawingSurface(), sheet, CurrentSheetInputs(), options);
        benchmark::DoNotOptimize(emf.data());
    }
}

BENCHMARK(BM_SheetOnScreen)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SheetToPdf)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SheetToMetafile)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace exo::bench

int main(int argc, char** argv) {
    using namespace exo::bench;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (!InitializeWithMedians(argc, argv))
        return 2;
    int status = 0;
    try {
        SubjectFolder() = MakeSubjectFolder(EnterProgramFolder());
        benchmark::RunSpecifiedBenchmarks();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench-graphics: %s\n", error.what());
        status = 1;
    }
    std::error_code ignored;
    std::filesystem::current_path(std::filesystem::temp_directory_path(), ignored);
    std::filesystem::remove_all(SubjectFolder(), ignored);
    benchmark::Shutdown();
    return status;
}
