// build_symbols <program folder> <DejaVuSans.ttf>
//
// Writes the symbol pictures the chart wheel and the analysis window load: the planet and
// point glyphs Simboli\PiaXnn.emf, the sign glyphs Zodiaco\SegMnn.emf and the element and
// principle glyphs Simboli\El*.emf, each in colour, in white ("B", black-and-white mode on
// the black screen) and in black ("N", black-and-white mode on paper and in metafiles).
// The glyphs are the outlines of a free font, written as filled polygons; the alchemical
// signs that font lacks are drawn here from strokes. Same font, same files.
#include "graphics/EmfWriter.h"

#include <QGuiApplication>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRawFont>
#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// The picture is a square of this many logical units (one per device pixel); the glyph is
// fitted inside a margin so the corners stay empty whatever size it is stretched to.
constexpr int kPictureSide = 1000;
constexpr double kGlyphSide = 860.0;
constexpr int kPictureMm = 50;
constexpr double kStrokeWidth = 80.0;

struct Rgb {
    int red, green, blue;
};

constexpr Rgb kFire{225, 40, 30};
constexpr Rgb kEarth{40, 160, 40};
constexpr Rgb kAir{220, 190, 0};
constexpr Rgb kWater{40, 110, 230};

QPainterPath TextOutline(const QRawFont& font, const QString& text) {
    const QList<quint32> glyphs = font.glyphIndexesForString(text);
    const QList<QPointF> advances = font.advancesForGlyphIndexes(glyphs);
    QPainterPath outline;
    outline.setFillRule(Qt::WindingFill);
    QPointF pen;
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        if (glyphs[i] == 0)
            throw std::runtime_error("the font has no glyph for U+" +
                                     QString::number(text.toUcs4().value(i), 16).toStdString());
        outline.addPath(font.pathForGlyph(glyphs[i]).translated(pen));
        pen += advances[i];
    }
    return outline;
}

std::function<QPainterPath(const QRawFont&)> Glyph(char32_t codePoint) {
    return [codePoint](const QRawFont& font) {
        return TextOutline(font, QString::fromUcs4(&codePoint, 1));
    };
}

std::function<QPainterPath(const QRawFont&)> Letters(const char* text) {
    return [text](const QRawFont& font) { return TextOutline(font, QString::fromLatin1(text)); };
}

// Strokes of the alchemical signs, in picture units with y downward.
QPainterPath Strokes(const std::vector<std::vector<QPointF>>& lines) {
    QPainterPath centre;
    for (const auto& line : lines) {
        centre.moveTo(line.front());
        for (std::size_t i = 1; i < line.size(); ++i)
            centre.lineTo(line[i]);
        if (line.size() > 2 && line.front() == line.back())
            centre.closeSubpath();
    }
    QPainterPathStroker stroker;
    stroker.setWidth(kStrokeWidth);
    stroker.setJoinStyle(Qt::MiterJoin);
    stroker.setCapStyle(Qt::FlatCap);
    QPainterPath outline = stroker.createStroke(centre);
    outline.setFillRule(Qt::WindingFill);
    return outline;
}

const QPointF kUpApex{500, 100}, kUpLeft{80, 830}, kUpRight{920, 830};
const QPointF kDownApex{500, 900}, kDownLeft{80, 170}, kDownRight{920, 170};

QPainterPath FireSign(const QRawFont&) {
    return Strokes({{kUpApex, kUpLeft, kUpRight, kUpApex}});
}
QPainterPath AirSign(const QRawFont&) {
    return Strokes({{kUpApex, kUpLeft, kUpRight, kUpApex}, {{150, 560}, {850, 560}}});
}
QPainterPath WaterSign(const QRawFont&) {
    return Strokes({{kDownApex, kDownLeft, kDownRight, kDownApex}});
}
QPainterPath EarthSign(const QRawFont&) {
    return Strokes({{kDownApex, kDownLeft, kDownRight, kDownApex}, {{150, 440}, {850, 440}}});
}
// A triangle over a cross.
QPainterPath SulphurSign(const QRawFont&) {
    return Strokes({{{500, 60}, {220, 540}, {780, 540}, {500, 60}},
                    {{500, 540}, {500, 960}},
                    {{290, 750}, {710, 750}}});
}

struct Symbol {
    std::string folder;
    std::string stem;   // before the variant letter
    std::string suffix; // after it
    Rgb colour;
    std::function<QPainterPath(const QRawFont&)> outline;
};

std::string TwoDigits(int n) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

std::vector<Symbol> AllSymbols() {
    std::vector<Symbol> symbols;
    // Points by picture number: the ten bodies, the north node, the black moon, the south
    // node, the ascendant and the midheaven.
    struct Point {
        int number;
        Rgb colour;
        std::function<QPainterPath(const QRawFont&)> outline;
    };
    const std::vector<Point> points = {
        {1, {235, 150, 0}, Glyph(U'\u2609')},  {2, {140, 150, 210}, Glyph(U'\u263D')},
        {3, {0, 170, 170}, Glyph(U'\u263F')},  {4, {20, 170, 70}, Glyph(U'\u2640')},
        {5, {220, 30, 30}, Glyph(U'\u2642')},  {6, {50, 100, 235}, Glyph(U'\u2643')},
        {7, {160, 120, 70}, Glyph(U'\u2644')}, {8, {0, 160, 220}, Glyph(U'\u2645')},
        {9, {80, 120, 255}, Glyph(U'\u2646')}, {10, {180, 60, 180}, Glyph(U'\u2647')},
        {11, {200, 120, 0}, Glyph(U'\u260A')}, {12, {150, 80, 200}, Glyph(U'\u26B8')},
        {13, {200, 120, 0}, Glyph(U'\u260B')}, {14, {220, 30, 30}, Letters("AC")},
        {15, {220, 30, 30}, Letters("MC")},
    };
    for (const Point& point : points)
        symbols.push_back(
            {"Simboli", "PiaX", TwoDigits(point.number), point.colour, point.outline});
    // Signs in the colour of their element: fire, earth, air, water, round the zodiac.
    const Rgb elementColours[] = {kFire, kEarth, kAir, kWater};
    for (int sign = 1; sign <= 12; ++sign)
        symbols.push_back({"Zodiaco", "SegM", TwoDigits(sign), elementColours[(sign - 1) % 4],
                           Glyph(static_cast<char32_t>(0x2648 + sign - 1))});
    symbols.push_back({"Simboli", "ElFuo1", "", kFire, FireSign});
    symbols.push_back({"Simboli", "ElTer1", "", kEarth, EarthSign});
    symbols.push_back({"Simboli", "ElAri1", "", kAir, AirSign});
    symbols.push_back({"Simboli", "ElAcq1", "", kWater, WaterSign});
    symbols.push_back({"Simboli", "ElSal2", "", {150, 150, 150}, Glyph(U'\u2296')});
    symbols.push_back({"Simboli", "ElZol2", "", {230, 170, 0}, SulphurSign});
    symbols.push_back({"Simboli", "ElMer2", "", {0, 170, 170}, Glyph(U'\u263F')});
    return symbols;
}

// The outline centred in the picture and scaled so its larger side is kGlyphSide, as
// integer polygons whose winding fill is the glyph.
std::vector<std::vector<exo::EmfPoint>> PicturePolygons(const QPainterPath& outline) {
    const QPainterPath merged = outline.simplified();
    const QRectF box = merged.boundingRect();
    if (box.isEmpty())
        throw std::runtime_error("empty glyph outline");
    const double scale = kGlyphSide / std::max(box.width(), box.height());
    QTransform fit;
    fit.translate(kPictureSide / 2.0, kPictureSide / 2.0);
    fit.scale(scale, scale);
    fit.translate(-box.center().x(), -box.center().y());
    std::vector<std::vector<exo::EmfPoint>> polygons;
    for (const QPolygonF& polygon : merged.toFillPolygons(fit)) {
        std::vector<exo::EmfPoint> points;
        for (const QPointF& p : polygon) {
            const exo::EmfPoint q{static_cast<std::int32_t>(std::lround(p.x())),
                                  static_cast<std::int32_t>(std::lround(p.y()))};
            if (points.empty() || points.back().x != q.x || points.back().y != q.y)
                points.push_back(q);
        }
        if (points.size() >= 3)
            polygons.push_back(std::move(points));
    }
    return polygons;
}

void WritePicture(const std::string& path, const std::vector<std::vector<exo::EmfPoint>>& polygons,
                  Rgb colour) {
    exo::EmfWriter writer(kPictureSide, kPictureSide, kPictureMm, kPictureMm);
    writer.selectObject(exo::emf::NullPen);
    const std::uint32_t brush = writer.createBrush(
        exo::emf::BrushSolid, exo::EmfColour(colour.red, colour.green, colour.blue));
    writer.selectObject(brush);
    writer.setPolyFillMode(exo::emf::Winding);
    for (const auto& polygon : polygons)
        writer.polygon(polygon);
    writer.selectObject(exo::emf::NullBrush);
    writer.deleteObject(brush);
    writer.save(path);
}

void BuildSymbols(const std::filesystem::path& programFolder, const QRawFont& font) {
    std::filesystem::create_directories(programFolder / "Simboli");
    std::filesystem::create_directories(programFolder / "Zodiaco");
    struct Variant {
        const char* letter;
        bool own; // the symbol's own colour
        Rgb colour;
    };
    const Variant variants[] = {
        {"", true, {}}, {"B", false, {255, 255, 255}}, {"N", false, {0, 0, 0}}};
    for (const Symbol& symbol : AllSymbols()) {
        const auto polygons = PicturePolygons(symbol.outline(font));
        for (const Variant& variant : variants) {
            const std::string name = symbol.stem + variant.letter + symbol.suffix + ".emf";
            WritePicture((programFolder / symbol.folder / name).string(), polygons,
                         variant.own ? symbol.colour : variant.colour);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: build_symbols <program folder> <DejaVuSans.ttf>\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);
    try {
        const QRawFont font(QString::fromLocal8Bit(argv[2]), 1000.0);
        if (!font.isValid())
            throw std::runtime_error(std::string("cannot read the font ") + argv[2]);
        BuildSymbols(argv[1], font);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "build_symbols: %s\n", error.what());
        return 1;
    }
    return 0;
}
