// Checks of the symbol pictures in the prepared program folder: every name the chart
// wheel, the analysis window and the printed sheets load is there, reads back, and draws
// a glyph that stays clear of the picture's corners.
#include "graphics/EmfPlayer.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRectF>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

const std::filesystem::path kProgramFolder = EXORVEX_PROGRAM_DIR;

std::string TwoDigits(int n) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

// Relative paths of every picture: normal, "B" and "N" variants.
std::vector<std::string> ExpectedPictures() {
    std::vector<std::string> names;
    for (const std::string variant : {"", "B", "N"}) {
        for (int point = 1; point <= 15; ++point)
            names.push_back("Simboli/PiaX" + variant + TwoDigits(point) + ".emf");
        for (int sign = 1; sign <= 12; ++sign)
            names.push_back("Zodiaco/SegM" + variant + TwoDigits(sign) + ".emf");
        for (const char* element :
             {"ElFuo1", "ElTer1", "ElAri1", "ElAcq1", "ElSal2", "ElZol2", "ElMer2"})
            names.push_back(std::string("Simboli/") + element + variant + ".emf");
    }
    return names;
}

// The picture played into a transparent square image.
QImage Played(const std::string& name, int side) {
    const exo::EmfPlayer player = exo::EmfPlayer::fromFile((kProgramFolder / name).string());
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    player.play(painter, QRectF(0, 0, side, side));
    painter.end();
    return image;
}

int PaintedPixels(const QImage& image, const QRect& area) {
    int painted = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            painted += qAlpha(image.pixel(x, y)) != 0;
    return painted;
}

TEST(SymbolPictures, EveryPictureDrawsAGlyphClearOfTheCorners) {
    constexpr int side = 64;
    constexpr int corner = 4;
    for (const std::string& name : ExpectedPictures()) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(std::filesystem::exists(kProgramFolder / name));
        const QImage image = Played(name, side);
        EXPECT_GT(PaintedPixels(image, image.rect()), side * side / 20);
        for (const QPoint origin : {QPoint(0, 0), QPoint(side - corner, 0),
                                    QPoint(0, side - corner), QPoint(side - corner, side - corner)})
            EXPECT_EQ(PaintedPixels(image, QRect(origin, QSize(corner, corner))), 0);
    }
}

// The colour variants share the outline: "B" paints white, "N" black, the normal picture
// some other colour, all on the same pixels.
TEST(SymbolPictures, VariantsDifferOnlyInColour) {
    constexpr int side = 48;
    const std::vector<std::pair<std::string, std::string>> pictures = {
        {"Simboli/PiaX", "01"}, {"Simboli/PiaX", "15"}, {"Zodiaco/SegM", "07"},
        {"Simboli/ElFuo1", ""}, {"Simboli/ElZol2", ""},
    };
    for (const auto& [stem, number] : pictures) {
        SCOPED_TRACE(stem + number);
        const QImage normal = Played(stem + number + ".emf", side);
        const QImage white = Played(stem + "B" + number + ".emf", side);
        const QImage black = Played(stem + "N" + number + ".emf", side);
        bool coloured = false;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                const QRgb n = normal.pixel(x, y), w = white.pixel(x, y), b = black.pixel(x, y);
                ASSERT_EQ(qAlpha(n), qAlpha(w));
                ASSERT_EQ(qAlpha(n), qAlpha(b));
                if (qAlpha(n) != 255)
                    continue;
                EXPECT_EQ(QColor(w), QColor(Qt::white));
                EXPECT_EQ(QColor(b), QColor(Qt::black));
                coloured |= QColor(n) != QColor(Qt::white) && QColor(n) != QColor(Qt::black);
            }
        EXPECT_TRUE(coloured);
    }
}

} // namespace
