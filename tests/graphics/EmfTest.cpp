#include "TestFolder.h"
#include "graphics/EmfPlayer.h"
#include "graphics/EmfWriter.h"
#include "platform/Errors.h"

#include "GuiApplication.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace exo {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Text needs the font database, which needs an application object.
class EmfTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { test::EnsureGuiApplication(); }
};

void Put32(Bytes& b, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8)
        b.push_back(static_cast<std::uint8_t>(v >> shift));
}

void Put32s(Bytes& b, std::initializer_list<std::int64_t> values) {
    for (const std::int64_t v : values)
        Put32(b, static_cast<std::uint32_t>(v));
}

std::uint32_t Get32(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

void Set32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int n = 0; n < 4; ++n)
        b[at + n] = static_cast<std::uint8_t>(v >> (8 * n));
}

// Offset of the first record of that type.
std::size_t RecordAt(const Bytes& b, std::uint32_t type) {
    for (std::size_t at = 0; at + 8 <= b.size(); at += Get32(b, at + 4))
        if (Get32(b, at) == type)
            return at;
    ADD_FAILURE() << "no record of type " << type;
    return 0;
}

TEST_F(EmfTest, SmallPictureIsWrittenByteForByte) {
    EmfWriter w(100, 80, 50, 40);
    const std::uint32_t pen = w.createPen(emf::PenSolid, 2, EmfColour(255, 0, 0));
    w.selectObject(pen);
    w.moveTo(10, 10);
    w.lineTo(30, 20);
    w.selectObject(emf::BlackPen);
    w.deleteObject(pen);
    w.deleteObject(emf::BlackPen); // stock: nothing written
    const Bytes& got = w.finish();

    Bytes want;
    // Header: bounds widened by the pen's half width, frame in 0.01 mm, then the totals.
    Put32s(want, {1, 108, 8, 8, 32, 22, 0, 0, 5000, 4000, 0x464D4520, 0x10000, 224, 8});
    Put32(want, 2); // two handles (index 0 reserved), reserved word 0
    Put32s(want, {0, 0, 0, 100, 80, 50, 40, 0, 0, 0, 50000, 40000});
    Put32s(want, {38, 28, 1, 0, 2, 0, 0x0000FF}); // pen 1: solid, width 2, red
    Put32s(want, {37, 12, 1});
    Put32s(want, {27, 16, 10, 10});
    Put32s(want, {54, 16, 30, 20});
    Put32s(want, {37, 12, 0x80000007});
    Put32s(want, {40, 12, 1});
    Put32s(want, {14, 20, 0, 16, 20});
    EXPECT_EQ(got, want);

    const EmfPlayer player(got, "small.emf");
    EXPECT_EQ(player.header().records, 8u);
    EXPECT_EQ(player.header().handles, 2);
    EXPECT_EQ(player.header().frame.right, 5000);
}

TEST_F(EmfTest, RecordLayouts) {
    EmfWriter w(200, 200, 100, 100);
    EmfFont font;
    font.height = -12;
    font.escapement = 900;
    font.orientation = 900;
    font.weight = 700;
    font.faceName = u"Arial";
    const std::uint32_t handle = w.createFont(font);
    w.polygon({{0, 0}, {10, 0}, {5, 8}});
    w.polygon({{0, 0}, {40000, 0}, {5, 8}});
    w.textOut(7, 9, u"Sol");
    const Bytes& b = w.finish();

    const std::size_t f = RecordAt(b, emf::ExtCreateFontIndirectW);
    EXPECT_EQ(Get32(b, f + 4), emf::FontRecordSize);
    EXPECT_EQ(Get32(b, f + 8), handle);
    EXPECT_EQ(static_cast<std::int32_t>(Get32(b, f + 12)), -12);
    EXPECT_EQ(Get32(b, f + 20), 900u); // escapement
    EXPECT_EQ(Get32(b, f + 24), 900u); // orientation
    EXPECT_EQ(Get32(b, f + 28), 700u);
    EXPECT_EQ(b[f + 40], 'A');
    EXPECT_EQ(b[f + 48], 'l');
    EXPECT_EQ(b[f + 50], 0);

    const std::size_t p16 = RecordAt(b, emf::Polygon16);
    EXPECT_EQ(Get32(b, p16 + 4), 28u + 3 * 4);
    EXPECT_EQ(Get32(b, p16 + 16), 10u); // bounds right
    EXPECT_EQ(Get32(b, p16 + 24), 3u);
    EXPECT_EQ(Get32(b, p16 + 32), 10u); // second point, x and y as 16 bits
    const std::size_t p32 = RecordAt(b, emf::Polygon);
    EXPECT_EQ(Get32(b, p32 + 4), 28u + 3 * 8);
    EXPECT_EQ(Get32(b, p32 + 36), 40000u);

    const std::size_t t = RecordAt(b, emf::ExtTextOutW);
    EXPECT_EQ(Get32(b, t + 4), 76u + 8); // three characters padded to four bytes
    EXPECT_EQ(Get32(b, t + 36), 7u);
    EXPECT_EQ(Get32(b, t + 40), 9u);
    EXPECT_EQ(Get32(b, t + 44), 3u);
    EXPECT_EQ(Get32(b, t + 48), 76u);
    EXPECT_EQ(b[t + 76], 'S');
    EXPECT_EQ(b[t + 80], 'l');
    EXPECT_EQ(Get32(b, 48), b.size());
}

TEST_F(EmfTest, DeletingAnUnknownObjectIsAProgramFault) {
    EmfWriter w(10, 10, 10, 10);
    EXPECT_THROW(w.deleteObject(1), std::invalid_argument);
    EXPECT_THROW(w.selectObject(3), std::invalid_argument);
    const std::uint32_t a = w.createBrush(emf::BrushSolid, 0);
    w.deleteObject(a);
    EXPECT_EQ(w.createBrush(emf::BrushSolid, 0), a); // freed handles are reused
    while (w.createBrush(emf::BrushSolid, 0) < 0xFFFE) {
    }
    EXPECT_THROW(w.createBrush(emf::BrushSolid, 0), std::length_error);
    EXPECT_EQ(EmfPlayer(w.finish(), "full.emf").header().handles, 0xFFFF);
}

constexpr int Side = 160;

QPen ThePen(QColor colour, int width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QFont TheFont(int pixels) {
    QFont font;
    font.setPixelSize(pixels);
    return font;
}

// The same picture drawn straight onto an image …
void DrawDirectly(QPainter& p) {
    p.setPen(ThePen(Qt::red, 3));
    p.drawLine(10, 10, 150, 30);
    p.setBrush(QColor(0, 0, 255));
    p.drawRect(QRectF(20, 40, 50, 30));
    p.setPen(ThePen(QColor(0, 128, 0), 1));
    p.setBrush(QColor(255, 255, 0));
    p.drawEllipse(QRectF(90, 40, 60, 40));
    const QPointF star[] = {{40, 90}, {60, 150}, {10, 110}, {70, 110}, {20, 150}};
    p.drawPolygon(star, 5, Qt::WindingFill);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(90, 90, 60, 60), 0, 90 * 16);
    const QPointF line[] = {{90, 150}, {120, 130}, {150, 150}};
    p.drawPolyline(line, 3);
    p.setFont(TheFont(14));
    p.setPen(Qt::black);
    const QFontMetricsF m(p.font(), p.device());
    const double width = m.horizontalAdvance("Luna");
    p.drawText(QPointF(80 - width / 2, 100), "Luna");
    p.translate(150, 120);
    p.rotate(-90);
    p.drawText(QPointF(0, m.ascent()), "Sol");
}

// … and written as a metafile.
void WritePicture(EmfWriter& w) {
    w.setBackgroundMode(emf::Transparent);
    const std::uint32_t red = w.createPen(emf::PenSolid, 3, EmfColour(255, 0, 0));
    const std::uint32_t blue = w.createBrush(emf::BrushSolid, EmfColour(0, 0, 255));
    w.selectObject(red);
    w.selectObject(blue);
    w.moveTo(10, 10);
    w.lineTo(150, 30);
    w.rectangle({20, 40, 70, 70});
    const std::uint32_t green = w.createPen(emf::PenSolid, 1, EmfColour(0, 128, 0));
    const std::uint32_t yellow = w.createBrush(emf::BrushSolid, EmfColour(255, 255, 0));
    w.selectObject(green);
    w.selectObject(yellow);
    w.deleteObject(red);
    w.deleteObject(blue);
    w.ellipse({90, 40, 150, 80});
    w.setPolyFillMode(emf::Winding);
    w.polygon({{40, 90}, {60, 150}, {10, 110}, {70, 110}, {20, 150}});
    w.arc({90, 90, 150, 150}, {150, 120}, {120, 90});
    w.polyline({{90, 150}, {120, 130}, {150, 150}});
    EmfFont font;
    font.height = -14;
    const std::uint32_t upright = w.createFont(font);
    w.selectObject(upright);
    w.setTextAlign(emf::AlignCenter | emf::AlignBaseline);
    w.textOut(80, 100, u"Luna");
    font.escapement = font.orientation = 900;
    const std::uint32_t turned = w.createFont(font);
    w.selectObject(turned);
    w.setTextAlign(emf::AlignLeft | emf::AlignTop);
    w.textOut(150, 120, u"Sol");
    w.selectObject(emf::SystemFont);
    w.deleteObject(upright);
    w.deleteObject(turned);
}

QImage Blank() {
    QImage image(Side, Side, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

int DifferingPixels(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < Side; ++y)
        for (int x = 0; x < Side; ++x)
            count += a.pixel(x, y) != b.pixel(x, y);
    return count;
}

TEST_F(EmfTest, PlayedPictureMatchesTheDirectDrawing) {
    QImage direct = Blank();
    {
        QPainter p(&direct);
        DrawDirectly(p);
    }
    EmfWriter w(Side, Side, 40, 40);
    WritePicture(w);
    const EmfPlayer player(w.finish(), "picture.emf");
    QImage played = Blank();
    {
        QPainter p(&played);
        player.play(p, QRectF(0, 0, Side, Side));
    }
    EXPECT_GT(DifferingPixels(direct, Blank()), 2000); // the picture is really there
    EXPECT_LT(DifferingPixels(direct, played), Side * Side / 200);

    // Played into the lower right quarter the picture shrinks to it.
    QImage quarter = Blank();
    {
        QPainter p(&quarter);
        player.play(p, QRectF(Side / 2, Side / 2, Side / 2, Side / 2));
    }
    EXPECT_EQ(quarter.pixel(Side / 2 + 22, Side / 2 + 27), QColor(0, 0, 255).rgb());
    EXPECT_EQ(quarter.pixel(30, 30), QColor(Qt::white).rgb());
}

TEST_F(EmfTest, MappingModesScaleLogicalUnits) {
    EmfWriter w(100, 100, 50, 50);
    w.setMapMode(emf::MapAnisotropic);
    w.setWindowExt(1000, 1000);
    w.setViewportExt(100, 100);
    const std::uint32_t brush = w.createBrush(emf::BrushSolid, EmfColour(0, 0, 0));
    w.selectObject(brush);
    w.selectObject(emf::NullPen);
    w.rectangle({500, 500, 1000, 1000});
    const Bytes& b = w.finish();
    EXPECT_EQ(Get32(b, 8), 50u); // bounds in device pixels
    EXPECT_EQ(Get32(b, 16), 100u);
    QImage image = Blank();
    {
        QPainter p(&image);
        EmfPlayer(b, "mapped.emf").play(p, QRectF(0, 0, Side, Side));
    }
    EXPECT_EQ(image.pixel(Side * 3 / 4, Side * 3 / 4), QColor(Qt::black).rgb());
    EXPECT_EQ(image.pixel(Side / 4, Side / 4), QColor(Qt::white).rgb());
}

TEST_F(EmfTest, EllipseFarLargerThanTheTargetIsDrawnWhereItShows) {
    EmfWriter w(100, 100, 50, 50);
    const std::uint32_t brush = w.createBrush(emf::BrushSolid, EmfColour(0, 0, 0));
    w.selectObject(brush);
    w.ellipse({-2000000, -2000000, 2000000, 2000000});
    QImage image = Blank();
    {
        QPainter p(&image);
        EmfPlayer(w.finish(), "huge.emf").play(p, QRectF(0, 0, Side, Side));
    }
    EXPECT_EQ(image.pixel(Side / 2, Side / 2), QColor(Qt::black).rgb());
    EXPECT_EQ(image.pixel(2, 2), QColor(Qt::black).rgb());
}

Bytes GoodFile() {
    EmfWriter w(50, 50, 20, 20);
    const std::uint32_t pen = w.createPen(emf::PenSolid, 1, 0);
    w.selectObject(pen);
    w.polygon({{1, 1}, {20, 1}, {10, 20}});
    w.textOut(5, 5, u"ab");
    w.deleteObject(pen);
    return w.finish();
}

TEST_F(EmfTest, DamagedFilesAreRefused) {
    const Bytes good = GoodFile();
    EXPECT_NO_THROW(EmfPlayer(good, "good.emf"));
    const std::size_t pen = RecordAt(good, emf::CreatePen);
    const std::size_t select = RecordAt(good, emf::SelectObject);
    const std::size_t polygon = RecordAt(good, emf::Polygon16);
    const std::size_t text = RecordAt(good, emf::ExtTextOutW);
    const std::size_t del = RecordAt(good, emf::DeleteObject);
    struct Damage {
        const char* what;
        std::function<void(Bytes&)> apply;
    };
    const Damage damages[] = {
        {"empty", [](Bytes& b) { b.clear(); }},
        {"cut inside the header", [](Bytes& b) { b.resize(60); }},
        {"last bytes cut off", [](Bytes& b) { b.resize(b.size() - 4); }},
        {"end record missing",
         [](Bytes& b) {
             b.resize(b.size() - 20);
             Set32(b, 48, static_cast<std::uint32_t>(b.size()));
         }},
        {"wrong signature", [](Bytes& b) { b[40] = 'X'; }},
        {"size larger than the file", [](Bytes& b) { Set32(b, 48, Get32(b, 48) + 4); }},
        {"record count wrong", [](Bytes& b) { Set32(b, 52, Get32(b, 52) + 1); }},
        {"record size zero", [=](Bytes& b) { Set32(b, pen + 4, 0); }},
        {"record size not whole words", [=](Bytes& b) { Set32(b, pen + 4, 26); }},
        {"record size past the end", [=](Bytes& b) { Set32(b, pen + 4, 0xFFFFFFF0); }},
        {"record shorter than its kind", [=](Bytes& b) { Set32(b, select + 4, 8); }},
        {"pen index out of the table", [=](Bytes& b) { Set32(b, pen + 8, 7); }},
        {"pen index zero", [=](Bytes& b) { Set32(b, pen + 8, 0); }},
        {"selected index out of the table", [=](Bytes& b) { Set32(b, select + 8, 2); }},
        {"unknown stock object", [=](Bytes& b) { Set32(b, select + 8, 0x80000063); }},
        {"deleted index out of the table", [=](Bytes& b) { Set32(b, del + 8, 0x7FFFFFFF); }},
        {"no object table", [](Bytes& b) { b[56] = b[57] = 0; }},
        {"more points than the record holds", [=](Bytes& b) { Set32(b, polygon + 24, 4); }},
        {"point count overflowing", [=](Bytes& b) { Set32(b, polygon + 24, 0x40000000); }},
        {"more characters than the record holds", [=](Bytes& b) { Set32(b, text + 44, 5); }},
        {"text offset past the record", [=](Bytes& b) { Set32(b, text + 48, 0xFFFFFFFE); }},
        {"second header", [=](Bytes& b) { Set32(b, pen, emf::Header); }},
        {"empty frame", [](Bytes& b) { Set32(b, 32, Get32(b, 24)); }},
    };
    for (const Damage& d : damages) {
        Bytes bytes = good;
        d.apply(bytes);
        EXPECT_THROW(EmfPlayer(bytes, "damaged.emf"), InOutError) << d.what;
    }
}

TEST_F(EmfTest, ObjectUsedOutsideItsLifetimeIsRefused) {
    EmfWriter w(50, 50, 20, 20);
    const std::uint32_t pen = w.createPen(emf::PenSolid, 1, 0);
    w.deleteObject(pen);
    w.selectObject(emf::BlackPen);
    const Bytes b = w.finish();
    EXPECT_NO_THROW(EmfPlayer(b, "ok.emf"));
    Bytes selectedAfterDeletion = b;
    Set32(selectedAfterDeletion, RecordAt(b, emf::SelectObject) + 8, pen);
    EXPECT_THROW(EmfPlayer(selectedAfterDeletion, "selected.emf"), InOutError);
    Bytes deletedBeforeCreation = b;
    Set32(deletedBeforeCreation, RecordAt(b, emf::CreatePen), 120); // now an unknown record
    EXPECT_THROW(EmfPlayer(deletedBeforeCreation, "deleted.emf"), InOutError);
}

TEST_F(EmfTest, UnknownRecordsAndStockDeletionsArePassedOver) {
    Bytes b = GoodFile();
    // A stock object deleted by another writer is left alone.
    Set32(b, RecordAt(b, emf::DeleteObject) + 8, emf::BlackPen);
    EXPECT_NO_THROW(EmfPlayer(b, "stock.emf"));
    Set32(b, RecordAt(b, emf::Polygon16), 0x7777);
    EXPECT_NO_THROW(EmfPlayer(b, "unknown.emf"));
}

TEST_F(EmfTest, SavedFileReadsBackAndMissingFileIsRefused) {
    test::ScratchFolder folder;
    EmfWriter w(50, 50, 20, 20);
    w.ellipse({1, 1, 30, 30});
    w.save("GRAF01.EMF");
    EXPECT_EQ(EmfPlayer::fromFile("GRAF01.EMF").header().bytes,
              std::filesystem::file_size("GRAF01.EMF"));
    EXPECT_THROW(EmfPlayer::fromFile("none.emf"), InOutError);
    EXPECT_THROW(w.save("missing/GRAF02.EMF"), InOutError);
}

TEST_F(EmfTest, OfficeSuiteOpensTheWrittenFile) {
    if (std::system("command -v libreoffice >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "libreoffice not installed";
    test::ScratchFolder folder;
    EmfWriter w(Side, Side, 40, 40);
    WritePicture(w);
    w.save("sheet.emf");
    ASSERT_EQ(std::system("libreoffice --headless --convert-to png sheet.emf >/dev/null 2>&1"), 0);
    ASSERT_TRUE(std::filesystem::exists("sheet.png"));
    QImage image("sheet.png");
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(image.width(), 0);
}

} // namespace
} // namespace exo
