#include "graphics/EmfTarget.h"

#include "graphics/EmfPlayer.h"
#include "graphics/PainterTarget.h"
#include "platform/Cp1252.h"
#include "platform/ProgramPaths.h"

#include <QFontMetricsF>

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace exo {

namespace {

// The font a device context starts with; its size is the one the painter target uses.
const FontInfo kSystemFont{"MS Sans Serif", 16, 0, 0, 0, 400, false, 0, 0};

std::u16string Utf16FromCp1252(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    // Every Windows-1252 character lies in the basic plane: one UTF-16 unit each.
    for (const char byte : bytes)
        text.push_back(static_cast<char16_t>(CodePointOfCp1252(static_cast<unsigned char>(byte))));
    return text;
}

std::uint32_t EmfAlign(TextAlign align) {
    switch (align) {
    case TextAlign::Right:
        return emf::AlignRight | emf::AlignTop;
    case TextAlign::Centre:
        return emf::AlignCenter | emf::AlignTop;
    case TextAlign::Left:
        break;
    }
    return emf::AlignLeft | emf::AlignTop;
}

EmfRect ToEmfRect(const DeviceRect& box) {
    return {box.left, box.top, box.right, box.bottom};
}

EmfPoint ToEmfPoint(DevicePoint point) {
    return {point.x, point.y};
}

std::int32_t ScreenMillimetres(std::int32_t pixels) {
    return static_cast<std::int32_t>(std::lround(pixels * 25.4 / 96));
}

} // namespace

EmfTarget::EmfTarget(std::int32_t deviceWidth, std::int32_t deviceHeight, std::int32_t widthMm,
                     std::int32_t heightMm)
    : writer_(deviceWidth, deviceHeight, widthMm, heightMm) {
    objects_.select(objects_.add({ObjectKind::Pen, emf::BlackPen, {}, true}));
    objects_.select(objects_.add({ObjectKind::Brush, emf::WhiteBrush, {}, true}));
    objects_.select(objects_.add({ObjectKind::Font, emf::SystemFont, kSystemFont, true}));
    // A device context starts opaque; the surface's targets write text without a box.
    writer_.setBackgroundMode(emf::Transparent);
}

EmfTarget::EmfTarget(std::int32_t deviceWidth, std::int32_t deviceHeight)
    : EmfTarget(deviceWidth, deviceHeight, ScreenMillimetres(deviceWidth),
                ScreenMillimetres(deviceHeight)) {}

EmfFont EmfTarget::ToEmfFont(const FontInfo& font) {
    EmfFont result;
    result.height = font.height;
    result.width = font.width;
    result.escapement = font.escapement;
    result.orientation = font.orientation;
    result.weight = font.weight;
    result.italic = font.italic;
    // The record holds 31 characters and the terminating zero.
    result.faceName = Utf16FromCp1252(std::string_view(font.face).substr(0, 31));
    return result;
}

ObjectHandle EmfTarget::createPen(const PenInfo& pen) {
    const std::uint32_t style = pen.style == PenStyle::Dash ? emf::PenDash : emf::PenSolid;
    return objects_.add(
        {ObjectKind::Pen, writer_.createPen(style, std::max(0, pen.width), pen.colour), {}});
}

ObjectHandle EmfTarget::createBrush(Colour colour) {
    return objects_.add({ObjectKind::Brush, writer_.createBrush(emf::BrushSolid, colour), {}});
}

ObjectHandle EmfTarget::createFont(const FontInfo& font) {
    return objects_.add({ObjectKind::Font, writer_.createFont(ToEmfFont(font)), font});
}

ObjectHandle EmfTarget::selectObject(ObjectHandle handle) {
    writer_.selectObject(objects_.at(handle).emfHandle);
    return objects_.select(handle);
}

void EmfTarget::deleteObject(ObjectHandle handle) {
    // The writer frees its handle for the next object, so the table stays small.
    if (const std::optional<Object> removed = objects_.remove(handle))
        writer_.deleteObject(removed->emfHandle);
}

void EmfTarget::setTextColour(Colour colour) {
    textColour_ = colour;
    writer_.setTextColour(colour);
}

void EmfTarget::setFillMode(FillMode mode) {
    fillMode_ = mode;
    writer_.setPolyFillMode(mode == FillMode::Winding ? emf::Winding : emf::Alternate);
}

void EmfTarget::moveTo(DevicePoint point) {
    current_ = point;
    writer_.moveTo(point.x, point.y);
}

void EmfTarget::lineTo(DevicePoint point) {
    current_ = point;
    writer_.lineTo(point.x, point.y);
}

void EmfTarget::arc(const DeviceRect& box, DevicePoint start, DevicePoint end) {
    writer_.arc(ToEmfRect(box), ToEmfPoint(start), ToEmfPoint(end));
}

void EmfTarget::ellipse(const DeviceRect& box) {
    writer_.ellipse(ToEmfRect(box));
}

void EmfTarget::rectangle(const DeviceRect& box) {
    writer_.rectangle(ToEmfRect(box));
}

void EmfTarget::polygon(const std::vector<DevicePoint>& points) {
    std::vector<EmfPoint> shape;
    shape.reserve(points.size());
    for (const DevicePoint point : points)
        shape.push_back(ToEmfPoint(point));
    writer_.polygon(shape);
}

void EmfTarget::writeTextAlign(std::uint32_t align) {
    if (align == textAlign_)
        return;
    textAlign_ = align;
    writer_.setTextAlign(align);
}

// The file's text stays transparent: the box is a polygon of the background colour, turned
// with the baseline, so every reader shows the same box whatever it does with opaque text.
void EmfTarget::fillTextBackground(DevicePoint point, TextAlign align, std::string_view text) {
    const FontInfo& font = objects_.selected(ObjectKind::Font).font;
    const QFontMetricsF metrics(PainterTarget::ToQFont(font));
    const double width = metrics.horizontalAdvance(QStringFromCp1252(text));
    const double height = metrics.ascent() + metrics.descent();
    const double left = align == TextAlign::Right    ? -width
                        : align == TextAlign::Centre ? -width / 2
                                                     : 0;
    const double angle = font.escapement / 10.0 * std::numbers::pi / 180;
    const double c = std::cos(angle), s = std::sin(angle);
    // Along the baseline (c, -s) on a y-down device; down the text (s, c).
    const auto corner = [&](double along, double down) {
        return EmfPoint{static_cast<std::int32_t>(std::lround(point.x + along * c + down * s)),
                        static_cast<std::int32_t>(std::lround(point.y - along * s + down * c))};
    };
    const std::uint32_t box = writer_.createBrush(emf::BrushSolid, backgroundColour_);
    writer_.selectObject(box);
    writer_.selectObject(emf::NullPen);
    writer_.polygon({corner(left, 0), corner(left + width, 0), corner(left + width, height),
                     corner(left, height)});
    writer_.selectObject(objects_.selected(ObjectKind::Pen).emfHandle);
    writer_.selectObject(objects_.selected(ObjectKind::Brush).emfHandle);
    writer_.deleteObject(box);
}

void EmfTarget::text(DevicePoint point, TextAlign align, std::string_view text) {
    if (backgroundMode_ == BackgroundMode::Opaque && !text.empty())
        fillTextBackground(point, align, text);
    writeTextAlign(EmfAlign(align));
    writer_.textOut(point.x, point.y, Utf16FromCp1252(text));
}

void EmfTarget::picture(const std::string& path, const DeviceRect& box) {
    // Read and checked whole before anything is written: a bad file adds nothing.
    const EmfPlayer player = EmfPlayer::fromFile(ResolveProgramPath(path));
    player.replay(writer_, ToEmfRect(box));
    restoreState();
}

void EmfTarget::restoreState() {
    writer_.selectObject(objects_.selected(ObjectKind::Pen).emfHandle);
    writer_.selectObject(objects_.selected(ObjectKind::Brush).emfHandle);
    writer_.selectObject(objects_.selected(ObjectKind::Font).emfHandle);
    writer_.setTextColour(textColour_);
    writer_.setBackgroundMode(emf::Transparent);
    writer_.setPolyFillMode(fillMode_ == FillMode::Winding ? emf::Winding : emf::Alternate);
    writer_.setTextAlign(textAlign_);
    writer_.moveTo(current_.x, current_.y);
}

} // namespace exo
