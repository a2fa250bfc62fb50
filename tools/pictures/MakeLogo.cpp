// Paints the bitmaps of the main window and writes them into a folder:
//   logo.jpg         the product logo across the top of the window (636 × 92)
//   corner.png       the sigil in the small panel at the top left (60 × 60)
//   FineProg.png     the exit picture (48 × 48), and FineProgClic.png, the same pressed
//
// The pictures are committed in src/shell/pictures; run this by hand after changing them:
//   g++ -std=c++20 -fPIC $(pkg-config --cflags Qt6Gui) tools/pictures/MakeLogo.cpp -o
//   /tmp/make_logo $(pkg-config --libs Qt6Gui) QT_QPA_PLATFORM=offscreen /tmp/make_logo
//   src/shell/pictures
// The lettering uses Liberation Serif and Liberation Sans (package fonts-liberation).
#include <QColor>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>
#include <QStringList>

#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

const QColor kDeepBlue(0x0e, 0x1a, 0x45);
const QColor kMidBlue(0x1c, 0x33, 0x78);
const QColor kGold(0xd4, 0xaf, 0x4a);
const QColor kPaleGold(0xf0, 0xdc, 0x9a);
const QColor kDarkGold(0x8c, 0x6c, 0x1e);

constexpr double kDegree = std::numbers::pi / 180.0;

QPointF OnCircle(QPointF centre, double radius, double degrees) {
    return centre +
           QPointF(radius * std::cos(degrees * kDegree), -radius * std::sin(degrees * kDegree));
}

QPen GoldPen(double width, const QColor& colour = kGold) {
    QPen pen(colour, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

// A leaf between two points, bulging to the left of the direction from base to tip.
QPainterPath Leaf(QPointF base, QPointF tip, double width) {
    const QPointF along = tip - base;
    const QPointF normal(-along.y(), along.x());
    const double length = std::hypot(along.x(), along.y());
    const QPointF bulge = normal / length * width;
    QPainterPath leaf(base);
    leaf.cubicTo(base + along * 0.25 + bulge, base + along * 0.75 + bulge, tip);
    leaf.cubicTo(base + along * 0.75 - bulge, base + along * 0.25 - bulge, base);
    return leaf;
}

void PaintBackground(QPainter& painter, const QRectF& area) {
    QLinearGradient sky(area.topLeft(), area.bottomLeft());
    sky.setColorAt(0.0, kMidBlue);
    sky.setColorAt(1.0, kDeepBlue);
    painter.fillRect(area, sky);
}

// The zodiac: two rings with the twelve sign boundaries and a mark at each sign's middle,
// the cardinal signs as small discs, the others as dots; the Sun's glyph in the middle.
void PaintZodiac(QPainter& painter, QPointF centre, double outer, double inner) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(GoldPen(1.6));
    painter.drawEllipse(centre, outer, outer);
    painter.setPen(GoldPen(1.0));
    painter.drawEllipse(centre, inner, inner);
    for (int sign = 0; sign < 12; ++sign) {
        const double boundary = 180.0 - sign * 30.0; // Aries rises at the left
        painter.setPen(GoldPen(0.9));
        painter.drawLine(OnCircle(centre, inner, boundary), OnCircle(centre, outer, boundary));
        const QPointF mark = OnCircle(centre, (outer + inner) / 2, boundary - 15.0);
        painter.setPen(Qt::NoPen);
        painter.setBrush(sign % 3 == 0 ? kPaleGold : kGold);
        const double size = sign % 3 == 0 ? 2.1 : 1.2;
        painter.drawEllipse(mark, size, size);
    }
    const double sun = inner * 0.42;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(GoldPen(1.5, kPaleGold));
    painter.drawEllipse(centre, sun, sun);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kPaleGold);
    painter.drawEllipse(centre, 1.8, 1.8);
    painter.setPen(GoldPen(0.8, kDarkGold));
    for (int ray = 0; ray < 8; ++ray) {
        const double angle = 22.5 + ray * 45.0;
        painter.drawLine(OnCircle(centre, sun + 2.5, angle), OnCircle(centre, inner - 3.0, angle));
    }
}

// A round-bellied flask with a long neck and a sprig growing out of it.
void PaintFlaskAndPlant(QPainter& painter, QPointF bellyCentre, double radius) {
    const double neckHalf = radius * 0.28;
    const double neckTop = bellyCentre.y() - radius * 2.0;
    const double shoulder = std::asin(neckHalf / radius) / kDegree;
    QPainterPath flask;
    flask.moveTo(bellyCentre.x() - neckHalf, neckTop);
    flask.lineTo(OnCircle(bellyCentre, radius, 90.0 + shoulder));
    flask.arcTo(QRectF(bellyCentre.x() - radius, bellyCentre.y() - radius, 2 * radius, 2 * radius),
                90.0 + shoulder, 360.0 - 2 * shoulder);
    flask.lineTo(bellyCentre.x() + neckHalf, neckTop);

    // The liquid fills the lower part of the belly.
    QPainterPath belly;
    belly.addEllipse(bellyCentre, radius - 1.5, radius - 1.5);
    QPainterPath below;
    below.addRect(
        QRectF(bellyCentre.x() - radius, bellyCentre.y() + radius * 0.15, 2 * radius, radius));
    QLinearGradient liquid(bellyCentre + QPointF(0, -radius), bellyCentre + QPointF(0, radius));
    liquid.setColorAt(0.0, QColor(0x3f, 0x8f, 0x5a));
    liquid.setColorAt(1.0, QColor(0x1d, 0x5a, 0x35));
    painter.setPen(Qt::NoPen);
    painter.setBrush(liquid);
    painter.drawPath(belly.intersected(below));

    painter.setBrush(Qt::NoBrush);
    painter.setPen(GoldPen(1.8));
    painter.drawPath(flask);
    painter.drawLine(QPointF(bellyCentre.x() - neckHalf - 2.5, neckTop),
                     QPointF(bellyCentre.x() + neckHalf + 2.5, neckTop));

    // The sprig: a stem out of the neck with leaves in pairs and a bud at its tip.
    const QPointF stemBase(bellyCentre.x(), neckTop + radius * 0.5);
    const QPointF stemTip(bellyCentre.x() + 2.0, neckTop - radius * 1.35);
    QPainterPath stem(stemBase);
    stem.cubicTo(stemBase + QPointF(-3, -radius * 0.6), stemTip + QPointF(-4, radius * 0.5),
                 stemTip);
    painter.setPen(GoldPen(1.3, QColor(0x9f, 0xd0, 0x8a)));
    painter.drawPath(stem);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x7f, 0xc2, 0x6e));
    for (int pair = 0; pair < 3; ++pair) {
        const double at = 0.35 + pair * 0.22;
        const QPointF node = stem.pointAtPercent(at);
        const double size = radius * (0.55 - pair * 0.1);
        painter.drawPath(Leaf(node, node + QPointF(-size, -size * 0.55), size * 0.28));
        painter.drawPath(Leaf(node, node + QPointF(size, -size * 0.55), -size * 0.28));
    }
    painter.setBrush(kPaleGold);
    painter.drawEllipse(stemTip, 2.2, 2.2);
}

void PaintLettering(QPainter& painter, const QRectF& area) {
    QFont name(QStringLiteral("Liberation Serif"));
    name.setPixelSize(54);
    name.setBold(true);
    name.setItalic(true);
    name.setLetterSpacing(QFont::PercentageSpacing, 104);
    painter.setFont(name);
    const QPointF baseline(area.left(), area.top() + 52);
    QPainterPath text;
    text.addText(baseline, name, QStringLiteral("Calyxa"));
    QLinearGradient gilt(area.topLeft(), area.topLeft() + QPointF(0, 60));
    gilt.setColorAt(0.0, kPaleGold);
    gilt.setColorAt(0.55, kGold);
    gilt.setColorAt(1.0, kDarkGold);
    painter.setPen(QPen(QColor(0x05, 0x0b, 0x25, 160), 2.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(text.translated(1.5, 1.5));
    painter.setPen(Qt::NoPen);
    painter.setBrush(gilt);
    painter.drawPath(text);

    QFont line(QStringLiteral("Liberation Sans"));
    line.setPixelSize(11);
    line.setLetterSpacing(QFont::AbsoluteSpacing, 2.6);
    painter.setFont(line);
    painter.setPen(kPaleGold);
    painter.drawText(QPointF(area.left() + 4, area.top() + 74),
                     QStringLiteral("ESP PROFESSIONAL  ·  LUMENTA"));
    painter.setPen(GoldPen(0.8, kDarkGold));
    painter.drawLine(QPointF(area.left() + 4, area.top() + 60),
                     QPointF(area.left() + 218, area.top() + 60));
}

QImage PaintLogo() {
    QImage logo(636, 92, QImage::Format_RGB32);
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    PaintBackground(painter, logo.rect());
    // The panel with the sigil covers the left end, up to x = 80.
    PaintZodiac(painter, QPointF(132, 46), 38, 28);
    PaintLettering(painter, QRectF(188, 8, 260, 80));
    // A faint line of stars between the lettering and the flask.
    painter.setPen(Qt::NoPen);
    for (int star = 0; star < 9; ++star) {
        painter.setBrush(QColor(0xf0, 0xdc, 0x9a, 110 + 25 * (star % 4)));
        const double x = 446 + star * 11.0;
        const double y = 34 + 16 * std::sin(star * 0.9);
        const double size = star % 3 == 0 ? 1.6 : 1.0;
        painter.drawEllipse(QPointF(x, y), size, size);
    }
    PaintFlaskAndPlant(painter, QPointF(578, 64), 17);
    painter.end();
    return logo;
}

// The sigil: within a gilt ring, the horns of the Moon over the circle of the Sun, and
// under it a stem with two leaves in place of the cross of matter.
QImage PaintCorner() {
    QImage corner(60, 60, QImage::Format_ARGB32);
    corner.fill(Qt::transparent);
    QPainter painter(&corner);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient field(QPointF(26, 22), 40);
    field.setColorAt(0.0, kMidBlue);
    field.setColorAt(1.0, kDeepBlue);
    painter.setPen(Qt::NoPen);
    painter.setBrush(field);
    painter.drawRoundedRect(QRectF(0, 0, 60, 60), 6, 6);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(GoldPen(1.4));
    painter.drawEllipse(QPointF(30, 30), 26, 26);
    painter.setPen(GoldPen(0.7, kDarkGold));
    painter.drawEllipse(QPointF(30, 30), 23, 23);

    const QPointF sun(30, 27);
    painter.setPen(GoldPen(2.0, kPaleGold));
    painter.drawEllipse(sun, 6.5, 6.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kPaleGold);
    painter.drawEllipse(sun, 1.5, 1.5);
    // The horns: an arc open upwards above the circle.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(GoldPen(2.0, kPaleGold));
    painter.drawArc(QRectF(22, 8, 16, 12), 200 * 16, 140 * 16);
    // The stem and its leaves.
    painter.setPen(GoldPen(2.0, kPaleGold));
    painter.drawLine(QPointF(30, 33.5), QPointF(30, 48));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x8f, 0xc9, 0x7a));
    painter.drawPath(Leaf(QPointF(30, 42), QPointF(21, 37), 2.6));
    painter.drawPath(Leaf(QPointF(30, 42), QPointF(39, 37), -2.6));
    painter.end();
    return corner;
}

// The exit picture: a power sign on a round red-brown button. Pressed, the button is
// darker and the whole face moves one pixel right and down.
QImage PaintExit(bool pressed) {
    QImage exit(48, 48, QImage::Format_ARGB32);
    exit.fill(Qt::transparent);
    QPainter painter(&exit);
    painter.setRenderHint(QPainter::Antialiasing);
    const double shift = pressed ? 1.0 : 0.0;
    const QPointF centre(23.5 + shift, 23.5 + shift);

    if (!pressed) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 70));
        painter.drawEllipse(centre + QPointF(1.5, 1.5), 21, 21);
    }
    QRadialGradient face(centre + QPointF(-6, -7), 28);
    face.setColorAt(0.0, pressed ? QColor(0x8a, 0x2e, 0x22) : QColor(0xc8, 0x4a, 0x36));
    face.setColorAt(1.0, pressed ? QColor(0x45, 0x10, 0x0c) : QColor(0x7a, 0x1d, 0x14));
    painter.setBrush(face);
    painter.setPen(GoldPen(1.6, pressed ? kDarkGold : kGold));
    painter.drawEllipse(centre, 20.5, 20.5);

    const QColor glyph = pressed ? QColor(0xd9, 0xc7, 0x9a) : QColor(0xff, 0xf4, 0xd6);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(GoldPen(3.2, glyph));
    const double ring = 10.5;
    painter.drawArc(QRectF(centre.x() - ring, centre.y() - ring + 1, 2 * ring, 2 * ring), 125 * 16,
                    290 * 16);
    painter.drawLine(centre + QPointF(0, -13), centre + QPointF(0, -2));
    painter.end();
    return exit;
}

bool Save(const QImage& image, const QString& folder, const QString& name, const char* format,
          int quality = -1) {
    const QString path = folder + QLatin1Char('/') + name;
    if (image.save(path, format, quality))
        return true;
    std::fprintf(stderr, "make_logo: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: make_logo <pictures folder>\n");
        return 2;
    }
    for (const char* family : {"Liberation Serif", "Liberation Sans"})
        if (!QFontDatabase::hasFamily(QString::fromLatin1(family))) {
            std::fprintf(stderr, "make_logo: %s is not installed (fonts-liberation)\n", family);
            return 1;
        }
    const QString folder = arguments.at(1);
    const bool written = Save(PaintLogo(), folder, QStringLiteral("logo.jpg"), "JPEG", 90) &&
                         Save(PaintCorner(), folder, QStringLiteral("corner.png"), "PNG") &&
                         Save(PaintExit(false), folder, QStringLiteral("FineProg.png"), "PNG") &&
                         Save(PaintExit(true), folder, QStringLiteral("FineProgClic.png"), "PNG");
    return written ? 0 : 1;
}
