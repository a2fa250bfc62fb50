#include "graphics/EmfTarget.h"
#include "TestFolder.h"
#include "graphics/DrawingSurface.h"
#include "graphics/EmfPlayer.h"
#include "graphics/PainterTarget.h"
#include "platform/Errors.h"

#include "GuiApplication.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>

namespace exo {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int Side = 200; // the reference device and the images, in pixels
constexpr QRgb kWhitePixel = 0xFFFFFF, kRedPixel = 0xFF0000, kGreenPixel = 0x00FF00;
constexpr QRgb kBluePixel = 0x0000FF;

std::uint32_t Get32(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

// The offsets of the records of one type, in file order.
std::vector<std::size_t> RecordsOf(const Bytes& b, std::uint32_t type) {
    std::vector<std::size_t> found;
    for (std::size_t at = 0; at + 8 <= b.size(); at += Get32(b, at + 4))
        if (Get32(b, at) == type)
            found.push_back(at);
    return found;
}

// A planet symbol in its own mapping (1000 units across a 100-pixel device): a green square
// over the whole frame with a red bar through the middle; it leaves its own pen, a green
// text colour and right-aligned text behind, as a careless picture may.
void WriteSymbol(const std::string& path) {
    EmfWriter w(100, 100, 100, 100);
    w.setMapMode(emf::MapAnisotropic);
    w.setWindowExt(1000, 1000);
    w.setViewportExt(100, 100);
    const std::uint32_t brush = w.createBrush(emf::BrushSolid, EmfColour(0, 255, 0));
    w.selectObject(brush);
    w.selectObject(emf::NullPen);
    w.rectangle({0, 0, 1000, 1000});
    const std::uint32_t pen = w.createPen(emf::PenSolid, 100, EmfColour(255, 0, 0));
    w.selectObject(pen);
    w.moveTo(100, 500);
    w.lineTo(900, 500);
    w.setTextColour(EmfColour(0, 255, 0));
    w.setTextAlign(emf::AlignRight);
    w.save(path);
}

class EmfTargetTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { test::EnsureGuiApplication(); }

    // 4 pixels per unit on a 200-pixel page, written as a metafile.
    EmfTargetTest() {
        surface.PageScale = 4;
        surface.FontBase = 10;
        surface.MetafileOutput = true;
        std::filesystem::create_directory("Simboli");
        WriteSymbol("Simboli/PiaX03.emf");
    }

    static QImage WhiteImage() {
        QImage image(Side, Side, QImage::Format_RGB32);
        image.fill(Qt::white);
        return image;
    }

    QImage throughPainter(const std::function<void(DrawingTarget&)>& draw) {
        QImage image = WhiteImage();
        QPainter painter(&image);
        PainterTarget dc(painter);
        draw(dc);
        return image;
    }

    Bytes throughMetafile(const std::function<void(DrawingTarget&)>& draw) {
        EmfTarget dc(Side, Side, 50, 50);
        draw(dc);
        return dc.finish();
    }

    static QImage Played(const Bytes& bytes) {
        QImage image = WhiteImage();
        QPainter painter(&image);
        EmfPlayer(bytes, "sheet.emf").play(painter, QRectF(0, 0, Side, Side));
        return image;
    }

    // A small sheet: lines, filled shapes, a circle, an arc, a symbol and text.
    void drawSheet(DrawingTarget& dc) {
        surface.SelectPen(dc, 22); // red, 3 pixels
        surface.MoveToPoint(dc, 2, 2);
        surface.LineToPoint(dc, 20, 10);
        surface.SelectBrush(dc, 0xFF0000); // blue
        surface.DrawRectangle(dc, 25, 2, 45, 12);
        surface.ReleaseBrush(dc);
        surface.SelectBrush(dc, 0x00FFFF); // yellow
        dc.setFillMode(FillMode::Winding);
        dc.polygon({surface.ToDevice(5, 15), surface.ToDevice(20, 15), surface.ToDevice(12, 28)});
        surface.ReleaseBrush(dc);
        surface.SelectPen(dc, 4); // blue
        surface.DrawCircle(dc, 6, 35, 22);
        dc.arc({surface.ToDeviceX(5), surface.ToDeviceY(30), surface.ToDeviceX(20),
                surface.ToDeviceY(45)},
               surface.ToDevice(20, 37), surface.ToDevice(5, 37));
        surface.ReleasePen(dc);
        surface.DrawPlanetSymbol(dc, 3, 10, 37, 38);
        surface.SetTextRole(dc, 4); // blue on a metafile
        surface.TextLeft(dc, "Orvexia", 1, 2, 46);
    }

    DrawingSurface surface;
    test::ScratchFolder folder; // before the fixture writes the symbol
};

// The share of the pixels painted in either image that have no pixel of nearly their colour
// within one pixel in the other (the two ways round each edge may fall a pixel apart).
double Mismatch(const QImage& a, const QImage& b) {
    const auto near = [](QRgb p, QRgb q) {
        return std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q)) <
               120;
    };
    const auto found = [&](const QImage& image, int x, int y, QRgb colour) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (image.valid(x + dx, y + dy) && near(image.pixel(x + dx, y + dy), colour))
                    return true;
        return false;
    };
    int painted = 0, missing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if ((p & 0xFFFFFF) == kWhitePixel && (q & 0xFFFFFF) == kWhitePixel)
                continue;
            ++painted;
            if (!found(b, x, y, p) || !found(a, x, y, q))
                ++missing;
        }
    return painted == 0 ? 1.0 : static_cast<double>(missing) / painted;
}

QRgb At(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

TEST_F(EmfTargetTest, PlayedMetafileMatchesTheScreenDrawing) {
    const QImage direct = throughPainter([this](DrawingTarget& dc) { drawSheet(dc); });
    const QImage played = Played(throughMetafile([this](DrawingTarget& dc) { drawSheet(dc); }));
    EXPECT_LT(Mismatch(direct, played), 0.03);
    // Spot checks: the red line, the blue box, the yellow triangle, the green symbol.
    EXPECT_EQ(At(played, 44, 24), kRedPixel);
    EXPECT_EQ(At(played, 140, 28), kBluePixel);
    EXPECT_EQ(At(played, 48, 80), 0xFFFF00u);
    EXPECT_EQ(At(played, 140, 145), kGreenPixel);
}

TEST_F(EmfTargetTest, SymbolIsCopiedIntoTheFileAsVectors) {
    const Bytes bytes = throughMetafile([this](DrawingTarget& dc) {
        surface.DrawPlanetSymbol(dc, 3, 10, 25, 25); // pixels 80 … 120
    });
    std::filesystem::remove("Simboli/PiaX03.emf");
    const std::vector<std::size_t> boxes = RecordsOf(bytes, emf::Rectangle);
    ASSERT_EQ(boxes.size(), 1u);
    // The symbol's 1000 units are the 40 pixels of its square.
    EXPECT_EQ(Get32(bytes, boxes[0] + 8), 80u);
    EXPECT_EQ(Get32(bytes, boxes[0] + 16), 120u);
    EXPECT_TRUE(RecordsOf(bytes, emf::SetMapMode).empty()) << "no mapping leaks into the sheet";
    const std::vector<std::size_t> pens = RecordsOf(bytes, emf::CreatePen);
    ASSERT_EQ(pens.size(), 1u);
    EXPECT_EQ(Get32(bytes, pens[0] + 16), 4u) << "100 units of the symbol are 4 pixels";
    const QImage played = Played(bytes);
    EXPECT_EQ(At(played, 100, 90), kGreenPixel);
    EXPECT_EQ(At(played, 100, 100), kRedPixel);
    EXPECT_EQ(At(played, 76, 100), kWhitePixel);
    EXPECT_EQ(At(played, 124, 100), kWhitePixel);
}

TEST_F(EmfTargetTest, SymbolWithAnUpwardAxisKeepsItsShape) {
    // Tenths of a millimetre, y upwards, on a device of one pixel per millimetre: a quarter
    // arc from the right round to the top, and a filled triangle at the bottom left.
    EmfWriter w(100, 100, 100, 100);
    w.setMapMode(2);
    const std::uint32_t pen = w.createPen(emf::PenSolid, 40, EmfColour(255, 0, 0));
    w.selectObject(pen);
    w.arc({100, -100, 900, -900}, {900, -500}, {500, -100});
    const std::uint32_t brush = w.createBrush(emf::BrushSolid, EmfColour(0, 0, 255));
    w.selectObject(brush);
    w.polygon({{100, -600}, {400, -900}, {100, -900}});
    w.save("Simboli/PiaX05.emf");
    const auto draw = [this](DrawingTarget& dc) { surface.DrawPlanetSymbol(dc, 5, 40, 25, 25); };
    const QImage direct = throughPainter(draw);
    const QImage played = Played(throughMetafile(draw));
    EXPECT_LT(Mismatch(direct, played), 0.03);
    EXPECT_EQ(At(played, 45, 155), kBluePixel);
}

TEST_F(EmfTargetTest, SymbolLeavesTheSheetsPenTextColourAndAlignment) {
    const QImage played = Played(throughMetafile([this](DrawingTarget& dc) {
        surface.SelectPen(dc, 4); // blue
        surface.MoveToPoint(dc, 2, 45);
        surface.DrawPlanetSymbol(dc, 3, 10, 25, 25);
        surface.LineToPoint(dc, 48, 45); // from where the sheet's line was, not the symbol's
        surface.ReleasePen(dc);
        surface.TextLeft(dc, "MMMM", 1, 2, 2);
    }));
    EXPECT_EQ(At(played, 100, 180), kBluePixel);
    EXPECT_EQ(At(played, 20, 180), kBluePixel);
    // The text is black and starts at its point, rather than ending there.
    int black = 0, green = 0;
    for (int y = 8; y < 40; ++y)
        for (int x = 8; x < 100; ++x) {
            const QRgb p = played.pixel(x, y);
            black += qRed(p) < 100 && qGreen(p) < 100 && qBlue(p) < 100;
            green += qGreen(p) > qRed(p) + 60;
        }
    EXPECT_GT(black, 20);
    EXPECT_EQ(green, 0);
}

TEST_F(EmfTargetTest, UnreadableSymbolRaisesAndWritesNothing) {
    EmfTarget untouched(Side, Side, 50, 50);
    {
        std::ofstream broken("Simboli/PiaX04.emf", std::ios::binary);
        broken << "not a picture";
    }
    const std::size_t before = untouched.finish().size();
    EmfTarget fresh(Side, Side, 50, 50);
    EXPECT_THROW(surface.DrawPlanetSymbol(fresh, 4, 10, 25, 25), InOutError);
    EXPECT_THROW(surface.DrawPlanetSymbol(fresh, 5, 10, 25, 25), InOutError); // missing
    EXPECT_EQ(fresh.finish().size(), before);
}

TEST_F(EmfTargetTest, FontsCarryTheirMeasuresAndFace) {
    const EmfFont font = EmfTarget::ToEmfFont({"Courier", 30, 10, 900, 1000, 700, true, 0, 2});
    EXPECT_EQ(font.height, 30) << "a cell height, as the device fonts have";
    EXPECT_EQ(font.width, 10);
    EXPECT_EQ(font.escapement, 900);
    EXPECT_EQ(font.orientation, 1000);
    EXPECT_EQ(font.weight, 700);
    EXPECT_TRUE(font.italic);
    EXPECT_EQ(font.faceName, u"Courier");
    EXPECT_EQ(EmfTarget::ToEmfFont({"Caf\xE9", 10}).faceName, u"Café");
    EXPECT_EQ(EmfTarget::ToEmfFont({std::string(40, 'A'), 10}).faceName.size(), 31u);
}

TEST_F(EmfTargetTest, TextIsUtf16AlignedByItsTop) {
    const Bytes bytes = throughMetafile([this](DrawingTarget& dc) {
        surface.TextCentre(dc, "G\xE9minis \x80", 1, 25, 25);
        surface.TextRight(dc, "x", 1, 25, 30);
        surface.TextRight(dc, "y", 1, 25, 35);
    });
    const std::vector<std::size_t> aligns = RecordsOf(bytes, emf::SetTextAlign);
    ASSERT_EQ(aligns.size(), 2u) << "written when it changes";
    EXPECT_EQ(Get32(bytes, aligns[0] + 8), emf::AlignCenter | emf::AlignTop);
    EXPECT_EQ(Get32(bytes, aligns[1] + 8), emf::AlignRight | emf::AlignTop);
    const std::size_t text = RecordsOf(bytes, emf::ExtTextOutW).at(0);
    ASSERT_EQ(Get32(bytes, text + 44), 9u);
    const std::size_t chars = text + Get32(bytes, text + 48);
    const auto unit = [&](int n) { return bytes[chars + 2 * n] | bytes[chars + 2 * n + 1] << 8; };
    EXPECT_EQ(unit(1), 0xE9);
    EXPECT_EQ(unit(8), 0x20AC) << "the euro sign of Windows-1252";
    const std::vector<std::size_t> fonts = RecordsOf(bytes, emf::ExtCreateFontIndirectW);
    ASSERT_EQ(fonts.size(), 3u);
    EXPECT_EQ(static_cast<std::int32_t>(Get32(bytes, fonts[0] + 12)),
              surface.FontOfCode(1)->height);

    const QImage played = Played(bytes);
    int above = 0, below = 0;
    for (int x = 0; x < Side; ++x) {
        for (int y = 60; y < 100; ++y)
            above += At(played, x, y) != kWhitePixel;
        for (int y = 100; y < 115; ++y)
            below += At(played, x, y) != kWhitePixel;
    }
    EXPECT_EQ(above, 0) << "the text hangs below its point";
    EXPECT_GT(below, 10);
}

TEST_F(EmfTargetTest, OpaqueTextHasItsBackgroundBox) {
    const auto draw = [this](DrawingTarget& dc) {
        dc.setBackgroundMode(BackgroundMode::Opaque);
        dc.setBackgroundColour(0x0000FF); // red
        dc.setTextColour(kWhite);
        surface.TextLeft(dc, "Orvexia 3", 15, 5, 20);
        dc.setBackgroundMode(BackgroundMode::Transparent);
        surface.TextLeft(dc, "Orvexia 3", 15, 5, 30);
    };
    const QImage direct = throughPainter(draw);
    const QImage played = Played(throughMetafile(draw));
    EXPECT_LT(Mismatch(direct, played), 0.05);
    int red = 0, redBelow = 0;
    for (int x = 0; x < Side; ++x) {
        for (int y = 80; y < 100; ++y)
            red += At(played, x, y) == kRedPixel;
        for (int y = 120; y < 140; ++y)
            redBelow += At(played, x, y) == kRedPixel;
    }
    EXPECT_GT(red, 200);
    EXPECT_EQ(redBelow, 0);
}

TEST_F(EmfTargetTest, SelectingReturnsTheReplacedObjectAndHandlesAreReused) {
    EmfTarget dc(Side, Side, 50, 50);
    const ObjectHandle red = dc.createPen({0x0000FF, 2, PenStyle::Solid});
    const ObjectHandle blue = dc.createPen({0xFF0000, 2, PenStyle::Dash});
    const ObjectHandle stockPen = dc.selectObject(red);
    EXPECT_NE(stockPen, 0u);
    EXPECT_EQ(dc.selectObject(blue), red);
    const ObjectHandle brush = dc.createBrush(kWhite);
    const ObjectHandle stockBrush = dc.selectObject(brush);
    EXPECT_NE(stockBrush, stockPen) << "each kind has its own slot";
    EXPECT_NE(stockBrush, blue);
    EXPECT_THROW(dc.deleteObject(blue), std::invalid_argument) << "selected";
    EXPECT_EQ(dc.selectObject(stockPen), blue);
    dc.deleteObject(blue);
    dc.deleteObject(red);
    EXPECT_THROW(dc.deleteObject(red), std::invalid_argument) << "gone";
    EXPECT_THROW(dc.selectObject(12345), std::invalid_argument);
    dc.deleteObject(stockPen); // stock objects stay
    EXPECT_EQ(dc.selectObject(stockPen), stockPen);

    // A long sheet selects and releases thousands of objects; the table stays small.
    for (int n = 0; n < 500; ++n) {
        surface.SelectPen(dc, n % 20);
        surface.SelectFont(dc, n % 2 == 0 ? 1 : 21);
        surface.TextLeft(dc, "x", 3, 10, 10);
        surface.ReleaseFont(dc);
        surface.DrawPlanetSymbol(dc, 3, 10, 25, 25);
    }
    surface.ReleasePen(dc);
    const Bytes& bytes = dc.finish();
    const EmfPlayer player(bytes, "sheet.emf");
    EXPECT_LE(player.header().handles, 8);
    EXPECT_EQ(RecordsOf(bytes, emf::DeleteObject).size(),
              RecordsOf(bytes, emf::CreatePen).size() +
                  RecordsOf(bytes, emf::ExtCreateFontIndirectW).size() +
                  RecordsOf(bytes, emf::CreateBrushIndirect).size() - 1)
        << "everything but the brush still selected is deleted";
}

TEST_F(EmfTargetTest, SavedFileReadsBackAndAFailedSaveRaises) {
    EmfTarget dc(Side, Side, 50, 50);
    drawSheet(dc);
    dc.save("GRAF01.EMF");
    EXPECT_EQ(EmfPlayer::fromFile("GRAF01.EMF").header().bytes,
              std::filesystem::file_size("GRAF01.EMF"));
    EXPECT_THROW(dc.save("missing/GRAF02.EMF"), InOutError);
}

// The office suite is the other reader the exported sheets are made for. It opens the sheet
// and draws each part where it belongs: a black frame round the page, red lines at the top
// left, a blue polygon at the top right, the green symbol at the bottom left and text at the
// bottom right. The command and its output are left in convert.log.
TEST_F(EmfTargetTest, OfficeSuiteDrawsTheExportedSheet) {
    if (std::system("command -v libreoffice >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "libreoffice not installed";
    EmfTarget dc(Side, Side, 50, 50);
    surface.SelectPen(dc, 0);
    surface.DrawRectangle(dc, 0, 0, 50, 50);
    surface.SelectPen(dc, 22);
    for (int n = 0; n < 4; ++n) {
        surface.MoveToPoint(dc, 3, 3 + 4 * n);
        surface.LineToPoint(dc, 20, 5 + 4 * n);
    }
    surface.SelectBrush(dc, 0xFF0000);
    dc.polygon({surface.ToDevice(28, 3), surface.ToDevice(47, 3), surface.ToDevice(47, 20),
                surface.ToDevice(28, 20)});
    surface.ReleaseBrush(dc);
    surface.ReleasePen(dc);
    surface.DrawPlanetSymbol(dc, 3, 16, 12, 37);
    dc.setTextColour(kBlack);
    surface.TextLeft(dc, "MMM", 5, 28, 32);
    dc.save("sheet.emf");

    ASSERT_EQ(std::system("libreoffice -env:UserInstallation=file://$PWD/profile --headless "
                          "--convert-to png sheet.emf >convert.log 2>&1"),
              0);
    ASSERT_TRUE(std::filesystem::exists("sheet.png"));
    const QImage image = QImage("sheet.png").convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(image.isNull());
    // The suite lays the picture out on a page of its own: the frame is the picture's box.
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != kWhitePixel)
                box |= QRect(x, y, 1, 1);
    ASSERT_GT(box.width(), 50);
    EXPECT_NEAR(double(box.height()) / box.width(), 1.0, 0.05);
    // The share of a part of the sheet (in fractions of its box) with that colour.
    const auto share = [&](double x0, double y0, double x1, double y1,
                           const std::function<bool(QRgb)>& wanted) {
        int hits = 0, all = 0;
        for (int y = box.top() + int(y0 * box.height()); y < box.top() + int(y1 * box.height());
             ++y)
            for (int x = box.left() + int(x0 * box.width()); x < box.left() + int(x1 * box.width());
                 ++x) {
                ++all;
                hits += wanted(image.pixel(x, y));
            }
        return all == 0 ? 0.0 : double(hits) / all;
    };
    const auto reddish = [](QRgb p) { return qRed(p) > 160 && qGreen(p) < 100 && qBlue(p) < 100; };
    const auto bluish = [](QRgb p) { return qBlue(p) > 160 && qRed(p) < 100 && qGreen(p) < 100; };
    const auto greenish = [](QRgb p) { return qGreen(p) > 160 && qRed(p) < 100 && qBlue(p) < 100; };
    const auto dark = [](QRgb p) { return qRed(p) < 100 && qGreen(p) < 100 && qBlue(p) < 100; };
    const auto white = [](QRgb p) { return qRed(p) > 230 && qGreen(p) > 230 && qBlue(p) > 230; };
    EXPECT_GT(share(0.05, 0.05, 0.42, 0.40, reddish), 0.05) << "lines";
    EXPECT_GT(share(0.58, 0.08, 0.92, 0.38, bluish), 0.8) << "polygon";
    EXPECT_GT(share(0.12, 0.60, 0.36, 0.86, greenish), 0.5) << "symbol";
    EXPECT_GT(share(0.55, 0.62, 0.95, 0.80, dark), 0.02) << "text";
    EXPECT_GT(share(0.55, 0.85, 0.95, 0.97, white), 0.95) << "below the text";
}

} // namespace
} // namespace exo
