// The four chart sheets of a real current subject drawn by their whole call sequences on a
// recording device, and the render command that writes them to files.
#include "graphics/ChartSheets.h"

#include "CurrentSubject.h"
#include "GuiApplication.h"
#include "ProgramFolderLinks.h"
#include "ToolRun.h"
#include "graphics/RecordingTarget.h"
#include "graphics/SheetRendering.h"
#include "platform/Errors.h"
#include "platform/TextFile.h"
#include "shell/SheetChart.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace exo {
namespace {

using test::RecordingTarget;

class SheetDrawing : public ::testing::Test {
  protected:
    void SetUp() override {
        test::EnsureGuiApplication();
        test::WriteCurrentSubject(folder_, test::kRossiMilano);
        test::FurnishFromBuiltProgram(folder_.path());
        surface_.PageScale = 5;
        surface_.FontBase = 18.5F;
        surface_.Printing = true;
        surface_.PrinterPresent = true;
    }

    // The sheet drawn on paper; its texts in order.
    const RecordingTarget& Draw(std::int32_t layout, DrawingSurface& surface) {
        state_ = PrepareSheetChart(layout);
        RecordingTarget& dc = *drawn_.emplace_back(std::make_unique<RecordingTarget>());
        surface.PrinterCanvas = &dc;
        DrawCurrentSheet(surface, dc, state_, CurrentSheetInputs(), false);
        surface.PrinterCanvas = nullptr;
        return dc;
    }

    static std::vector<std::string> Texts(const RecordingTarget& dc) {
        std::vector<std::string> texts;
        for (const auto& e : dc.ofKind("text"))
            texts.push_back(e.text);
        return texts;
    }
    static bool Has(const RecordingTarget& dc, const std::string& text) {
        const auto texts = Texts(dc);
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }
    static const RecordingTarget::Event* TextEvent(const RecordingTarget& dc,
                                                   const std::string& text) {
        for (const auto& e : dc.events)
            if (e.kind == "text" && e.text == text)
                return &e;
        return nullptr;
    }

    test::ScratchFolder folder_;
    DrawingSurface surface_;
    NatalSheetState state_;
    std::vector<std::unique_ptr<RecordingTarget>> drawn_;
};

TEST_F(SheetDrawing, VerticalOneHeaderNotesAndScale) {
    const RecordingTarget& dc = Draw(SheetLayout::Vertical1, surface_);
    const ChartState& chart = GlobalChart();
    EXPECT_EQ(chart.SubjectName.str().rfind("ROSSI MARIO", 0), 0u);
    EXPECT_TRUE(Has(dc, chart.SubjectName.str()));
    // 1 January 1960 was a Friday; the Gregorian calendar adds no mark.
    const std::string birth =
        "NACIMIENTO Viernes " + chart.BirthDateText.str() + " (GMT" + chart.ZoneText.str() + ")";
    EXPECT_TRUE(Has(dc, birth)) << birth;
    EXPECT_TRUE(Has(dc, "DOMIFICACI\xD3N: " + chart.HouseSystemName.str()));
    EXPECT_TRUE(Has(dc, "NODO: " + chart.NodeKind.str()));
    EXPECT_TRUE(Has(dc, "que implican los nodos lunares"));
    EXPECT_TRUE(Has(dc, "T\xC9RMINOS"));
    EXPECT_TRUE(Has(dc, "DODECATEMORIAS"));
    EXPECT_TRUE(Has(dc, "LATITUDES"));
    EXPECT_TRUE(Has(dc, "LONGITUDES"));
    EXPECT_TRUE(Has(dc, "ESTRUCTURA ARQUETIPAL"));
    // The whole sheet is enlarged by 1.15: the title's right edge at 230 units.
    const auto* title = TextEvent(dc, "TEMA DE NACIMIENTO");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->box.left, RoundHalfEven(230 * 5 * 1.15L));
    EXPECT_EQ(title->align, TextAlign::Right);
    EXPECT_EQ(surface_.Zoom, 1.0L) << "the sheet's factor is taken back";
    // The sheet keys were rewritten in their short form.
    EXPECT_EQ(ReadTextLines("OpzioneT\\PosiPian.txt").size(), 18u);
}

TEST_F(SheetDrawing, HorizontalSheetsNameTheMeanHousesWhateverTheSystem) {
    for (const std::int32_t layout : {SheetLayout::Horizontal1, SheetLayout::Horizontal2}) {
        const RecordingTarget& dc = Draw(layout, surface_);
        EXPECT_NE(GlobalChart().HouseSystemName.str(), "CASAS MEDIANAS");
        EXPECT_TRUE(Has(dc, "DOMIFICACI\xD3N: CASAS MEDIANAS")) << layout;
        EXPECT_TRUE(Has(dc, "NODO " + GlobalChart().NodeKind.str())) << layout;
        const std::string birth = "NACIDO el Viernes " + GlobalChart().BirthDateText.str();
        const std::vector<std::string> texts = Texts(dc);
        EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [&](const std::string& t) {
            return t.rfind(birth, 0) == 0;
        })) << layout;
        EXPECT_EQ(surface_.Zoom, 1.0L);
    }
    const RecordingTarget& h1 = Draw(SheetLayout::Horizontal1, surface_);
    EXPECT_TRUE(Has(h1, "LONGITUDES relativas (entre par\xE9ntesis: Longitudes absolutas)"));
    EXPECT_TRUE(Has(h1, "que implican los Nodos Lunares"));
    const RecordingTarget& h2 = Draw(SheetLayout::Horizontal2, surface_);
    EXPECT_TRUE(Has(h2, "AFINIDADES ESPECULARES"));
    EXPECT_FALSE(Has(h2, "ESTRUCTURA ARQUETIPAL"));
}

TEST_F(SheetDrawing, VerticalTwoHasTheCompactWheelsAndWebsButNoKeys) {
    std::filesystem::remove("OpzioneT/PosiPian.txt");
    const RecordingTarget& dc = Draw(SheetLayout::Vertical2, surface_);
    EXPECT_TRUE(Has(dc, "AFINIDAD' ENERG\xC9TICA"));
    EXPECT_TRUE(Has(dc, "(por Antiscia y Contrantiscia)"));
    EXPECT_TRUE(Has(dc, "DOMIFICATION: " + GlobalChart().HouseSystemName.str()));
    EXPECT_TRUE(Has(dc, "TELA ELEMENTAL"));
    EXPECT_TRUE(Has(dc, "TELA ESTACIONAL"));
    EXPECT_FALSE(std::filesystem::exists("OpzioneT/PosiPian.txt"));
}

TEST_F(SheetDrawing, JulianCalendarMarksTheBirthLine) {
    test::StoredSubject julian = test::kRossiMilano;
    julian.stamp = "158201011030-0,61";
    julian.calendar = "GI";
    test::WriteCurrentSubject(folder_, julian);
    const RecordingTarget& dc = Draw(SheetLayout::Vertical1, surface_);
    const auto texts = Texts(dc);
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const std::string& t) {
        return t.rfind("NACIMIENTO ", 0) == 0 && t.ends_with(") Calend. Giuliano");
    }));
}

TEST_F(SheetDrawing, UnknownLayoutDrawsNothingButTheFrame) {
    NatalSheetState state = PrepareSheetChart(SheetLayout::Vertical1);
    state.SummaryLayout = 7;
    RecordingTarget dc;
    DrawSheet(surface_, dc, state, CurrentSheetInputs());
    EXPECT_TRUE(dc.events.empty());
}

TEST_F(SheetDrawing, MissingTermTextsStopTheDrawingAndTheScaleComesBack) {
    std::filesystem::remove("OpzioneT/SpgPianCan.Txt");
    state_ = PrepareSheetChart(SheetLayout::Vertical1);
    RecordingTarget dc;
    EXPECT_THROW(DrawSheet(surface_, dc, state_, CurrentSheetInputs()), InOutError);
    surface_.ReleasePen(dc);
    EXPECT_EQ(surface_.Zoom, 1.0L);
}

TEST_F(SheetDrawing, BlackModeTakesTheBlackSymbolsOnScreenAndTheNeutralOnPaper) {
    const auto pictures = [&](bool onScreen) {
        DrawingSurface surface = surface_;
        surface.BlackMode = true;
        surface.Printing = !onScreen;
        surface.NatalChartActive = true;
        state_ = PrepareSheetChart(SheetLayout::Vertical1);
        RecordingTarget dc;
        surface.ActiveChartWindow = surface.PrinterCanvas = &dc;
        DrawSheet(surface, dc, state_, CurrentSheetInputs());
        surface.ReleasePen(dc);
        std::vector<std::string> files;
        for (const auto& e : dc.ofKind("picture"))
            files.push_back(e.text);
        std::vector<Colour> lineColours;
        for (const auto& e : dc.ofKind("line"))
            lineColours.push_back(e.pen.colour);
        return std::pair{files, lineColours};
    };
    const auto [screenFiles, screenLines] = pictures(true);
    const auto [paperFiles, paperLines] = pictures(false);
    ASSERT_FALSE(screenFiles.empty());
    ASSERT_FALSE(paperFiles.empty());
    // The variant letter follows the picture's prefix: Simboli\PiaXB05.emf, Zodiaco\SegMN01.emf.
    const auto allOfVariant = [](const std::vector<std::string>& files, char variant) {
        return std::all_of(files.begin(), files.end(), [&](const std::string& f) {
            const std::size_t at = f.find('\\') + 5;
            return at < f.size() && f[at] == variant;
        });
    };
    EXPECT_TRUE(allOfVariant(screenFiles, 'B')) << ::testing::PrintToString(screenFiles);
    EXPECT_TRUE(allOfVariant(paperFiles, 'N')) << ::testing::PrintToString(paperFiles);
    EXPECT_TRUE(
        std::all_of(screenLines.begin(), screenLines.end(), [](Colour c) { return c == kWhite; }));
    EXPECT_TRUE(
        std::all_of(paperLines.begin(), paperLines.end(), [](Colour c) { return c == kBlack; }));
}

TEST_F(SheetDrawing, RenderCommandWritesEachKindOfFile) {
    const struct {
        const char* sheet;
        const char* file;
        std::string_view magic;
    } cases[] = {
        {"V1", "v1.png", "\x89PNG"},
        {"H2", "h2.PDF", "%PDF"},
        {"H1", "h1.emf", std::string_view("\x01\x00\x00\x00", 4)},
    };
    for (const auto& c : cases) {
        const test::ToolRun run =
            test::Exorvex({"render", "--sheet", c.sheet, "--out", c.file, "--width", "800"});
        ASSERT_EQ(run.status, 0) << run.err;
        std::ifstream in(c.file, std::ios::binary);
        std::string head(4, '\0');
        in.read(head.data(), 4);
        EXPECT_EQ(head, c.magic) << c.file;
    }
    const QImage png(QStringLiteral("v1.png"));
    EXPECT_EQ(png.width(), 800);
    EXPECT_EQ(png.height(), 1161); // 405 units at 800 pixels for 279

    const struct {
        std::vector<std::string> args;
    } refused[] = {
        {{"render", "--out", "x.png"}},
        {{"render", "--sheet", "V3", "--out", "x.png"}},
        {{"render", "--sheet", "V1"}},
        {{"render", "--sheet", "V1", "--out", "x.bmp"}},
        {{"render", "--sheet", "V1", "--out", "x.png", "--width", "0"}},
    };
    for (const auto& r : refused) {
        const test::ToolRun run = test::Exorvex(r.args);
        EXPECT_EQ(run.status, 2) << r.args.back();
        EXPECT_FALSE(std::filesystem::exists("x.png"));
    }
}

} // namespace
} // namespace exo
