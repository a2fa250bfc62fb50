#include "graphics/PainterTarget.h"

#include "graphics/EmfPlayer.h"
#include "platform/Cp1252.h"
#include "platform/ProgramPaths.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace exo {

namespace {

QRectF OutlineBox(const DeviceRect& box) {
    // The device rectangle leaves out its right and bottom edge; the painter's outline
    // runs through the corner points, so the far edge is one pixel in.
    const int left = std::min(box.left, box.right), right = std::max(box.left, box.right);
    const int top = std::min(box.top, box.bottom), bottom = std::max(box.top, box.bottom);
    return QRectF(left, top, std::max(0, right - left - 1), std::max(0, bottom - top - 1));
}

// The parametric angle, in degrees counter-clockwise, of the ray from the box's centre
// through a point: the angle the painter's arcs are measured in.
double ArcAngle(const QRectF& box, DevicePoint point) {
    const double halfWidth = std::max(box.width() / 2, 0.5);
    const double halfHeight = std::max(box.height() / 2, 0.5);
    const double dx = (point.x - box.center().x()) / halfWidth;
    const double dy = (box.center().y() - point.y) / halfHeight;
    if (dx == 0 && dy == 0)
        return 0;
    return std::atan2(dy, dx) * 180 / std::acos(-1.0);
}

} // namespace

PainterTarget::PainterTarget(QPainter& painter) : painter_(painter) {
    Object pen{ObjectKind::Pen, ToQPen({kBlack, 0, PenStyle::Solid}), {}, {}, 0, true};
    Object brush{ObjectKind::Brush, {}, QBrush(Qt::white), {}, 0, true};
    Object font{ObjectKind::Font,
                {},
                {},
                ToQFont({"MS Sans Serif", 16, 0, 0, 0, 400, false, 0, 0}),
                0,
                true};
    objects_.select(objects_.add(pen));
    objects_.select(objects_.add(brush));
    objects_.select(objects_.add(font));
    applyPenAndBrush();
}

QColor PainterTarget::ToQColor(Colour colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

QPen PainterTarget::ToQPen(const PenInfo& info) {
    QPen pen(ToQColor(info.colour));
    pen.setWidth(std::max(0, info.width)); // 0: the one-pixel cosmetic pen
    pen.setStyle(info.style == PenStyle::Dash ? Qt::DashLine : Qt::SolidLine);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

QFont PainterTarget::ToQFont(const FontInfo& info) {
    QFont font(QString::fromStdString(info.face));
    // The device heights are cell heights (ascent and descent); the painter's pixel size is
    // the em, so it is scaled by the face's own ratio.
    if (info.height > 0) {
        font.setPixelSize(info.height);
        const QFontMetricsF metrics(font);
        const double cell = metrics.ascent() + metrics.descent();
        if (cell > 0)
            font.setPixelSize(std::max(
                1, static_cast<int>(std::lround(double(info.height) * info.height / cell))));
    } else if (info.height < 0) {
        font.setPixelSize(-info.height);
    }
    if (info.width > 0) {
        const double natural = QFontMetricsF(font).averageCharWidth();
        if (natural > 0)
            font.setStretch(
                std::clamp(static_cast<int>(std::lround(100 * info.width / natural)), 1, 4000));
    }
    // The faces come as regular and bold only: lighter weights take the regular face.
    font.setWeight(info.weight >= 550 ? QFont::Bold : QFont::Normal);
    font.setItalic(info.italic);
    return font;
}

ObjectHandle PainterTarget::createPen(const PenInfo& pen) {
    return objects_.add({ObjectKind::Pen, ToQPen(pen), {}, {}, 0, false});
}

ObjectHandle PainterTarget::createBrush(Colour colour) {
    return objects_.add({ObjectKind::Brush, {}, QBrush(ToQColor(colour)), {}, 0, false});
}

ObjectHandle PainterTarget::createFont(const FontInfo& font) {
    return objects_.add({ObjectKind::Font, {}, {}, ToQFont(font), font.escapement, false});
}

ObjectHandle PainterTarget::selectObject(ObjectHandle handle) {
    const ObjectHandle previous = objects_.select(handle);
    applyPenAndBrush();
    return previous;
}

void PainterTarget::deleteObject(ObjectHandle handle) {
    objects_.remove(handle);
}

void PainterTarget::applyPenAndBrush() {
    painter_.setPen(objects_.selected(ObjectKind::Pen).pen);
    painter_.setBrush(objects_.selected(ObjectKind::Brush).brush);
}

void PainterTarget::moveTo(DevicePoint point) {
    current_ = QPoint(point.x, point.y);
}

void PainterTarget::lineTo(DevicePoint point) {
    const QPoint to(point.x, point.y);
    painter_.drawLine(current_, to);
    current_ = to;
}

void PainterTarget::arc(const DeviceRect& box, DevicePoint start, DevicePoint end) {
    const QRectF outline = OutlineBox(box);
    const double from = ArcAngle(outline, start);
    double span = ArcAngle(outline, end) - from;
    while (span <= 0)
        span += 360;
    QPainterPath path;
    path.arcMoveTo(outline, from);
    path.arcTo(outline, from, span);
    painter_.strokePath(path, painter_.pen());
}

void PainterTarget::ellipse(const DeviceRect& box) {
    painter_.drawEllipse(OutlineBox(box));
}

void PainterTarget::rectangle(const DeviceRect& box) {
    painter_.drawRect(OutlineBox(box));
}

void PainterTarget::polygon(const std::vector<DevicePoint>& points) {
    QPolygon shape;
    for (const DevicePoint& point : points)
        shape << QPoint(point.x, point.y);
    painter_.drawPolygon(shape, fillMode_ == FillMode::Winding ? Qt::WindingFill : Qt::OddEvenFill);
}

void PainterTarget::text(DevicePoint point, TextAlign align, std::string_view bytes) {
    const Object& selectedFont = objects_.selected(ObjectKind::Font);
    const QString text = QStringFromCp1252(bytes);
    const QFontMetricsF metrics(selectedFont.font);
    const double width = metrics.horizontalAdvance(text);
    double left = 0;
    if (align == TextAlign::Right)
        left = -width;
    else if (align == TextAlign::Centre)
        left = -width / 2;
    painter_.save();
    painter_.translate(point.x, point.y);
    // Only the escapement turns the baseline; the character orientation alone leaves the
    // text upright, as on a device context in its compatible mode.
    if (selectedFont.escapement != 0)
        painter_.rotate(-selectedFont.escapement / 10.0);
    if (backgroundMode_ == BackgroundMode::Opaque)
        painter_.fillRect(QRectF(left, 0, width, metrics.ascent() + metrics.descent()),
                          ToQColor(backgroundColour_));
    painter_.setFont(selectedFont.font);
    painter_.setPen(ToQColor(textColour_));
    painter_.drawText(QPointF(left, metrics.ascent()), text);
    painter_.restore();
}

void PainterTarget::picture(const std::string& path, const DeviceRect& box) {
    const EmfPlayer player = EmfPlayer::fromFile(ResolveProgramPath(path));
    painter_.save();
    player.play(painter_, QRectF(box.left, box.top, box.right - box.left, box.bottom - box.top));
    painter_.restore();
}

} // namespace exo
