#include "graphics/EmfPlayer.h"

#include "platform/Errors.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <numbers>
#include <optional>
#include <utility>

namespace exo {

namespace {

// The largest pen width and font height taken as they are; larger ones are clamped, as no
// picture needs them and they only cost drawing time.
constexpr std::int32_t LargestSize = 32767;

struct GdiObject {
    enum Kind { Pen, Brush, Font } kind = Pen;
    std::uint32_t style = 0;
    std::uint32_t colour = 0;
    std::int32_t width = 0;
    std::uint32_t hatch = 0;
    EmfFont font;
};

// One record's bytes; every read is checked against the record's size.
class RecordView {
  public:
    RecordView(const std::uint8_t* data, std::uint32_t size, const std::string& name)
        : data_(data), size_(size), name_(name) {}
    std::uint32_t size() const { return size_; }
    std::uint32_t u32(std::uint64_t offset) const {
        need(offset, 4);
        return static_cast<std::uint32_t>(data_[offset]) |
               static_cast<std::uint32_t>(data_[offset + 1]) << 8 |
               static_cast<std::uint32_t>(data_[offset + 2]) << 16 |
               static_cast<std::uint32_t>(data_[offset + 3]) << 24;
    }
    std::int32_t i32(std::uint64_t offset) const { return static_cast<std::int32_t>(u32(offset)); }
    std::uint16_t u16(std::uint64_t offset) const {
        need(offset, 2);
        return static_cast<std::uint16_t>(data_[offset] | data_[offset + 1] << 8);
    }
    std::int16_t i16(std::uint64_t offset) const { return static_cast<std::int16_t>(u16(offset)); }
    std::uint8_t u8(std::uint64_t offset) const {
        need(offset, 1);
        return data_[offset];
    }
    EmfRect rect(std::uint64_t offset) const {
        return {i32(offset), i32(offset + 4), i32(offset + 8), i32(offset + 12)};
    }
    EmfPoint point(std::uint64_t offset) const { return {i32(offset), i32(offset + 4)}; }
    void need(std::uint64_t offset, std::uint64_t length) const {
        if (offset + length > size_)
            throw InOutError(name_, "read", "metafile record too short");
    }

  private:
    const std::uint8_t* data_;
    std::uint32_t size_;
    const std::string& name_;
};

std::uint32_t ReadU32(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return static_cast<std::uint32_t>(bytes[offset]) |
           static_cast<std::uint32_t>(bytes[offset + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[offset + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

QColor ToColour(std::uint32_t colorRef) {
    return QColor(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

QRectF ToRect(const EmfRect& r) {
    return QRectF(QPointF(r.left, r.top), QPointF(r.right, r.bottom)).normalized();
}

// Logical units → device pixels as the mapping records set them.
struct Mapping {
    std::uint32_t mode = emf::MapText;
    EmfPoint windowOrg, viewportOrg;
    EmfPoint windowExt{1, 1}, viewportExt{1, 1};

    QTransform toDevice(double pixelsPerMmX, double pixelsPerMmY) const {
        double sx = 1;
        double sy = 1;
        if (mode == emf::MapIsotropic || mode == emf::MapAnisotropic) {
            sx = static_cast<double>(viewportExt.x) / windowExt.x;
            sy = static_cast<double>(viewportExt.y) / windowExt.y;
            if (mode == emf::MapIsotropic) {
                const double s = std::min(std::abs(sx), std::abs(sy));
                sx = std::copysign(s, sx);
                sy = std::copysign(s, sy);
            }
        } else if (mode != emf::MapText) {
            // Metric and English modes, y upwards: millimetres per unit.
            static constexpr double unitMm[] = {0.1, 0.01, 0.254, 0.0254, 25.4 / 1440};
            const double mm = unitMm[mode - 2];
            sx = mm * pixelsPerMmX;
            sy = -mm * pixelsPerMmY;
        }
        return QTransform(sx, 0, 0, sy, viewportOrg.x - windowOrg.x * sx,
                          viewportOrg.y - windowOrg.y * sy);
    }
};

bool Sane(const QTransform& t) {
    const auto ok = [](double v) { return std::isfinite(v) && std::abs(v) < 1e7; };
    return ok(t.m11()) && ok(t.m22()) && ok(t.dx() / 1e3) && ok(t.dy() / 1e3) &&
           std::abs(t.m11()) > 1e-7 && std::abs(t.m22()) > 1e-7;
}

std::optional<GdiObject> StockObjectOf(std::uint32_t index) {
    GdiObject o;
    switch (index) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4: {
        static constexpr int grey[] = {255, 192, 128, 64, 0};
        o.kind = GdiObject::Brush;
        o.colour = EmfColour(grey[index], grey[index], grey[index]);
        return o;
    }
    case 5:
        o.kind = GdiObject::Brush;
        o.style = emf::BrushNull;
        return o;
    case 6:
    case 7:
    case 8:
        o.kind = GdiObject::Pen;
        o.style = index == 8 ? emf::PenNull : emf::PenSolid;
        o.colour = index == 6 ? EmfColour(255, 255, 255) : 0;
        return o;
    case 10:
    case 11:
    case 12:
    case 13:
    case 14:
    case 16:
    case 17:
        o.kind = GdiObject::Font;
        o.font.height = 16;
        return o;
    case 15: // the default palette: nothing to draw with
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

QPen ToPen(const GdiObject& o) {
    const std::uint32_t style = o.style & 0xF;
    if (style == emf::PenNull)
        return QPen(Qt::NoPen);
    static constexpr Qt::PenStyle styles[] = {Qt::SolidLine,   Qt::DashLine,       Qt::DotLine,
                                              Qt::DashDotLine, Qt::DashDotDotLine, Qt::NoPen,
                                              Qt::SolidLine};
    QPen pen(ToColour(o.colour), std::clamp(o.width, 0, LargestSize),
             style < std::size(styles) ? styles[style] : Qt::SolidLine, Qt::RoundCap,
             Qt::RoundJoin);
    pen.setCosmetic(o.width <= 0);
    return pen;
}

QBrush ToBrush(const GdiObject& o) {
    if (o.style == emf::BrushNull)
        return QBrush(Qt::NoBrush);
    if (o.style == 2) { // hatched
        static constexpr Qt::BrushStyle hatches[] = {Qt::HorPattern,   Qt::VerPattern,
                                                     Qt::BDiagPattern, Qt::FDiagPattern,
                                                     Qt::CrossPattern, Qt::DiagCrossPattern};
        return QBrush(ToColour(o.colour),
                      o.hatch < std::size(hatches) ? hatches[o.hatch] : Qt::SolidPattern);
    }
    return QBrush(ToColour(o.colour));
}

QFont ToFont(const EmfFont& f) {
    QFont font;
    if (!f.faceName.empty())
        font.setFamily(QString::fromStdU16String(f.faceName));
    const std::int32_t height = std::clamp(f.height, -LargestSize, LargestSize);
    if (height < 0) {
        font.setPixelSize(-height);
    } else if (height > 0) {
        // A cell height: the character height is what is left without the leading.
        QFont probe = font;
        probe.setPixelSize(1000);
        const double cell = QFontMetricsF(probe).height();
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(height * 1000 / cell))));
    } else {
        font.setPixelSize(12);
    }
    font.setWeight(static_cast<QFont::Weight>(std::clamp(f.weight == 0 ? 400 : f.weight, 1, 1000)));
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    return font;
}

// The drawing state while the records are read; painter is null on the checking pass.
struct State {
    QPainter* painter = nullptr;
    QTransform deviceToTarget;
    double pixelsPerMmX = 1, pixelsPerMmY = 1;
    const std::string* name = nullptr;
    std::vector<std::optional<GdiObject>> objects;
    GdiObject pen = *StockObjectOf(7);
    GdiObject brush = *StockObjectOf(0);
    GdiObject font = *StockObjectOf(13);
    std::uint32_t textColour = 0;
    std::uint32_t backColour = EmfColour(255, 255, 255);
    std::uint32_t backMode = emf::Opaque;
    std::uint32_t textAlign = 0;
    std::uint32_t fillMode = emf::Alternate;
    Mapping mapping;
    EmfPoint current;

    [[noreturn]] void refuse(const char* why) const { throw InOutError(*name, "read", why); }

    std::uint32_t objectIndex(std::uint32_t handle) const {
        if (handle == 0 || handle >= objects.size())
            refuse("metafile object index out of range");
        return handle;
    }

    // Sets the painter up for one primitive; false when the mapping makes it undrawable.
    bool prepare() {
        if (painter == nullptr)
            return false;
        const QTransform t = mapping.toDevice(pixelsPerMmX, pixelsPerMmY) * deviceToTarget;
        if (!Sane(t))
            return false;
        painter->setTransform(t);
        painter->setPen(ToPen(pen));
        painter->setBrush(ToBrush(brush));
        return true;
    }
};

std::vector<QPointF> ReadPoints(const RecordView& r, State& s, bool wide) {
    const std::uint32_t count = r.u32(24);
    const std::uint64_t each = wide ? 8 : 4;
    r.need(28, count * each);
    std::vector<QPointF> points;
    if (s.painter == nullptr)
        return points;
    points.reserve(count);
    for (std::uint64_t n = 0; n < count; ++n) {
        const std::uint64_t at = 28 + n * each;
        points.emplace_back(wide ? r.i32(at) : r.i16(at), wide ? r.i32(at + 4) : r.i16(at + 2));
    }
    return points;
}

void ReadFont(const RecordView& r, GdiObject& o) {
    r.need(12, emf::LogFontSize);
    o.kind = GdiObject::Font;
    EmfFont& f = o.font;
    f.height = r.i32(12);
    f.width = r.i32(16);
    f.escapement = r.i32(20);
    f.orientation = r.i32(24);
    f.weight = r.i32(28);
    f.italic = r.u8(32) != 0;
    f.underline = r.u8(33) != 0;
    for (std::uint64_t n = 0; n < 32; ++n) {
        const char16_t c = r.u16(40 + 2 * n);
        if (c == 0)
            break;
        f.faceName.push_back(c);
    }
}

// How far the transform stretches in its longest and its shortest direction (the singular
// values of its linear part).
std::pair<double, double> Stretches(const QTransform& t) {
    const double e = (t.m11() + t.m22()) / 2;
    const double f = (t.m11() - t.m22()) / 2;
    const double g = (t.m21() + t.m12()) / 2;
    const double h = (t.m21() - t.m12()) / 2;
    const double q = std::hypot(e, h);
    const double r = std::hypot(f, g);
    return {q + r, std::abs(q - r)};
}

void DrawText(const RecordView& r, State& s) {
    const std::uint32_t count = r.u32(44);
    const std::uint32_t offset = r.u32(48);
    r.need(offset, 2ull * count);
    EmfPoint at = r.point(36);
    if (s.textAlign & 1) // drawn at the current position, which moves on
        at = s.current;
    if (!s.prepare())
        return;
    std::u16string text;
    for (std::uint64_t n = 0; n < count; ++n)
        text.push_back(r.u16(offset + 2 * n));
    QPainter& p = *s.painter;
    const QFont font = ToFont(s.font.font);
    p.setFont(font);
    const QFontMetricsF metrics(font, p.device());
    const QString shown = QString::fromStdU16String(text);
    const double width = metrics.horizontalAdvance(shown);
    const std::uint32_t horizontal = s.textAlign & 6;
    const std::uint32_t vertical = s.textAlign & 24;
    const double dx = horizontal == emf::AlignCenter  ? -width / 2
                      : horizontal == emf::AlignRight ? -width
                                                      : 0;
    const double baseline = vertical == emf::AlignBaseline ? 0
                            : vertical == emf::AlignBottom ? -metrics.descent()
                                                           : metrics.ascent();
    p.translate(at.x, at.y);
    p.rotate(-std::clamp(s.font.font.escapement, -36000, 36000) / 10.0);
    if (s.backMode == emf::Opaque)
        p.fillRect(QRectF(dx, baseline - metrics.ascent(), width, metrics.height()),
                   ToColour(s.backColour));
    // Glyphs far larger than a page, or stretched far out of shape, are drawn as outlines:
    // the glyph cache is meant for ordinary sizes and fails on those.
    const auto [largest, smallest] = Stretches(p.transform());
    if (largest * font.pixelSize() <= 1024 && largest <= 8 * smallest) {
        p.setPen(ToColour(s.textColour));
        p.drawText(QPointF(dx, baseline), shown);
    } else {
        QPainterPath outline;
        outline.addText(QPointF(dx, baseline), font, shown);
        p.fillPath(outline, ToColour(s.textColour));
    }
    if ((s.textAlign & 1) && horizontal == emf::AlignLeft)
        s.current.x = static_cast<std::int32_t>(std::clamp(s.current.x + width, -2e9, 2e9));
}

// Ellipses far larger than the target: the painter's own ellipse walks every pixel of the
// outline, a path is clipped to the target first.
bool Huge(const QPainter& p, const QRectF& box) {
    const QRectF mapped = p.transform().mapRect(box);
    return mapped.width() > 8192 || mapped.height() > 8192;
}

QPainterPath EllipsePath(const QRectF& box, double start, double span, bool closed) {
    QPainterPath path;
    path.arcMoveTo(box, start);
    path.arcTo(box, start, span);
    if (closed)
        path.closeSubpath();
    return path;
}

double RayAngle(const QRectF& box, EmfPoint p) {
    const QPointF c = box.center();
    return std::atan2(-(p.y - c.y()), p.x - c.x()) * 180 / std::numbers::pi;
}

void Play(const RecordView& r, std::uint32_t type, State& s) {
    switch (type) {
    case emf::SetMapMode: {
        const std::uint32_t mode = r.u32(8);
        if (mode < 1 || mode > 8)
            s.refuse("unknown metafile mapping mode");
        s.mapping.mode = mode;
        break;
    }
    case emf::SetWindowExtEx:
    case emf::SetViewportExtEx: {
        const EmfPoint ext = r.point(8);
        if (ext.x == 0 || ext.y == 0)
            s.refuse("metafile extent of zero");
        (type == emf::SetWindowExtEx ? s.mapping.windowExt : s.mapping.viewportExt) = ext;
        break;
    }
    case emf::SetWindowOrgEx:
        s.mapping.windowOrg = r.point(8);
        break;
    case emf::SetViewportOrgEx:
        s.mapping.viewportOrg = r.point(8);
        break;
    case emf::SetBkMode:
        s.backMode = r.u32(8);
        break;
    case 25:
        s.backColour = r.u32(8);
        break; // SETBKCOLOR
    case emf::SetPolyFillMode:
        s.fillMode = r.u32(8);
        break;
    case emf::SetTextAlign:
        s.textAlign = r.u32(8);
        break;
    case emf::SetTextColor:
        s.textColour = r.u32(8);
        break;
    case emf::CreatePen: {
        GdiObject o;
        o.kind = GdiObject::Pen;
        o.style = r.u32(12);
        o.width = r.i32(16);
        o.colour = r.u32(24);
        s.objects[s.objectIndex(r.u32(8))] = o;
        break;
    }
    case emf::CreateBrushIndirect: {
        GdiObject o;
        o.kind = GdiObject::Brush;
        o.style = r.u32(12);
        o.colour = r.u32(16);
        o.hatch = r.u32(20);
        s.objects[s.objectIndex(r.u32(8))] = o;
        break;
    }
    case emf::ExtCreateFontIndirectW: {
        GdiObject o;
        ReadFont(r, o);
        s.objects[s.objectIndex(r.u32(8))] = o;
        break;
    }
    case emf::SelectObject: {
        const std::uint32_t handle = r.u32(8);
        std::optional<GdiObject> o;
        if (handle & emf::StockObject) {
            o = StockObjectOf(handle & ~emf::StockObject);
            if (!o && handle != (emf::StockObject | 15))
                s.refuse("unknown metafile stock object");
        } else {
            o = s.objects[s.objectIndex(handle)];
            if (!o)
                s.refuse("metafile object selected before it was created");
        }
        if (o)
            (o->kind == GdiObject::Pen     ? s.pen
             : o->kind == GdiObject::Brush ? s.brush
                                           : s.font) = *o;
        break;
    }
    case emf::DeleteObject: {
        const std::uint32_t handle = r.u32(8);
        if (handle & emf::StockObject)
            break; // stock objects are not deleted
        auto& slot = s.objects[s.objectIndex(handle)];
        if (!slot)
            s.refuse("metafile object deleted before it was created");
        slot.reset();
        break;
    }
    case emf::MoveToEx:
        s.current = r.point(8);
        break;
    case emf::LineTo: {
        const EmfPoint to = r.point(8);
        if (s.prepare())
            s.painter->drawLine(QPointF(s.current.x, s.current.y), QPointF(to.x, to.y));
        s.current = to;
        break;
    }
    case emf::Rectangle:
    case emf::Ellipse: {
        const QRectF box = ToRect(r.rect(8));
        if (!s.prepare())
            break;
        if (type == emf::Rectangle)
            s.painter->drawRect(box);
        else if (Huge(*s.painter, box))
            s.painter->drawPath(EllipsePath(box, 0, 360, true));
        else
            s.painter->drawEllipse(box);
        break;
    }
    case emf::Arc: {
        const QRectF box = ToRect(r.rect(8));
        const double start = RayAngle(box, r.point(24));
        double span = RayAngle(box, r.point(32)) - start;
        if (span <= 0)
            span += 360;
        if (s.prepare()) {
            s.painter->setBrush(Qt::NoBrush);
            if (Huge(*s.painter, box))
                s.painter->drawPath(EllipsePath(box, start, span, false));
            else
                s.painter->drawArc(box, static_cast<int>(std::lround(start * 16)),
                                   static_cast<int>(std::lround(span * 16)));
        }
        break;
    }
    case emf::Polygon:
    case emf::Polygon16:
    case emf::Polyline:
    case emf::Polyline16: {
        const bool wide = type == emf::Polygon || type == emf::Polyline;
        const std::vector<QPointF> points = ReadPoints(r, s, wide);
        if (!s.prepare() || points.empty())
            break;
        if (type == emf::Polygon || type == emf::Polygon16)
            s.painter->drawPolygon(points.data(), static_cast<int>(points.size()),
                                   s.fillMode == emf::Winding ? Qt::WindingFill : Qt::OddEvenFill);
        else
            s.painter->drawPolyline(points.data(), static_cast<int>(points.size()));
        break;
    }
    case emf::ExtTextOutW:
        DrawText(r, s);
        break;
    default:
        break; // other records change nothing this program draws
    }
}

// The smallest size of each record kind read here.
std::uint32_t MinimumSize(std::uint32_t type) {
    switch (type) {
    case emf::SetMapMode:
    case emf::SetBkMode:
    case 25:
    case emf::SetPolyFillMode:
    case emf::SetTextAlign:
    case emf::SetTextColor:
    case emf::SelectObject:
    case emf::DeleteObject:
        return 12;
    case emf::SetWindowExtEx:
    case emf::SetWindowOrgEx:
    case emf::SetViewportExtEx:
    case emf::SetViewportOrgEx:
    case emf::MoveToEx:
    case emf::LineTo:
        return 16;
    case emf::CreatePen:
        return 28;
    case emf::CreateBrushIndirect:
    case emf::Rectangle:
    case emf::Ellipse:
        return 24;
    case emf::Arc:
        return 40;
    case emf::ExtCreateFontIndirectW:
        return 12 + emf::LogFontSize;
    case emf::Polygon:
    case emf::Polygon16:
    case emf::Polyline:
    case emf::Polyline16:
        return 28;
    case emf::ExtTextOutW:
        return 76;
    case emf::Eof:
        return 20;
    default:
        return 8;
    }
}

using RecordVisitor = std::function<void(const RecordView&, std::uint32_t type)>;

// Walks the records after the header, checking the framing of each, and hands every
// record but the end record to visit.
void WalkRecords(const std::vector<std::uint8_t>& bytes, const EmfHeaderInfo& header,
                 const std::string& name, const RecordVisitor& visit) {
    const auto refuse = [&name](const char* why) { throw InOutError(name, "read", why); };
    std::uint64_t offset = ReadU32(bytes, 4);
    std::uint32_t records = 1;
    bool ended = false;
    while (!ended) {
        if (offset + 8 > header.bytes)
            refuse("metafile ends without its end record");
        const std::uint32_t type = ReadU32(bytes, offset);
        const std::uint32_t size = ReadU32(bytes, offset + 4);
        if (size < 8 || size % 4 != 0 || offset + size > header.bytes)
            refuse("metafile record size out of range");
        if (size < MinimumSize(type))
            refuse("metafile record too short");
        ++records;
        if (type == emf::Header)
            refuse("second metafile header");
        if (type == emf::Eof) {
            ended = true;
            if (offset + size != header.bytes)
                refuse("metafile data after the end record");
        } else {
            visit(RecordView(bytes.data() + offset, size, name), type);
        }
        offset += size;
    }
    if (records != header.records)
        refuse("metafile record count does not match its header");
}

double PixelsPerMmX(const EmfHeaderInfo& h) {
    return static_cast<double>(h.deviceWidth) / h.widthMm;
}
double PixelsPerMmY(const EmfHeaderInfo& h) {
    return static_cast<double>(h.deviceHeight) / h.heightMm;
}

// The frame, in the picture's device pixels, onto target.
QTransform FrameToTarget(const EmfHeaderInfo& h, const QRectF& target) {
    const EmfRect& f = h.frame;
    const double left = f.left * PixelsPerMmX(h) / 100;
    const double top = f.top * PixelsPerMmY(h) / 100;
    const double width = (static_cast<double>(f.right) - f.left) * PixelsPerMmX(h) / 100;
    const double height = (static_cast<double>(f.bottom) - f.top) * PixelsPerMmY(h) / 100;
    const double sx = target.width() / width;
    const double sy = target.height() / height;
    return QTransform(sx, 0, 0, sy, target.left() - left * sx, target.top() - top * sy);
}

std::int32_t RoundToInt(double v) {
    return static_cast<std::int32_t>(std::lround(std::clamp(v, -1e9, 1e9)));
}

// Copies records into a writer with every coordinate taken through the picture's mapping
// onto the box. The mapping has no rotation, so each axis is a scale and an offset.
class Replayer {
  public:
    Replayer(EmfWriter& writer, const EmfHeaderInfo& header, const QTransform& frameToBox)
        : writer_(writer), header_(header), frameToBox_(frameToBox), handles_(header.handles, 0) {}

    void record(const RecordView& r, std::uint32_t type);
    // Leaves the stock objects selected and deletes what the picture created.
    void end();

  private:
    QTransform transform() const {
        return mapping_.toDevice(PixelsPerMmX(header_), PixelsPerMmY(header_)) * frameToBox_;
    }
    EmfPoint map(EmfPoint p) const {
        const QPointF q = transform().map(QPointF(p.x, p.y));
        return {RoundToInt(q.x()), RoundToInt(q.y())};
    }
    EmfRect mapRect(const EmfRect& box) const {
        const EmfPoint a = map({box.left, box.top});
        const EmfPoint b = map({box.right, box.bottom});
        return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    }
    // Lengths keep their sign; a length that was not zero stays at least one pixel.
    static std::int32_t scaleLength(std::int32_t length, double scale) {
        if (length == 0)
            return 0;
        const std::int32_t scaled = RoundToInt(length * std::abs(scale));
        return scaled != 0 ? scaled : (length > 0 ? 1 : -1);
    }
    void created(std::uint32_t index, std::uint32_t handle) {
        if (handles_[index] != 0)
            writer_.deleteObject(handles_[index]);
        handles_[index] = handle;
    }
    std::vector<EmfPoint> points(const RecordView& r, bool wide) const {
        const std::uint32_t count = r.u32(24);
        std::vector<EmfPoint> result;
        result.reserve(count);
        for (std::uint64_t n = 0; n < count; ++n) {
            const std::uint64_t at = 28 + n * (wide ? 8 : 4);
            result.push_back(map(wide ? EmfPoint{r.i32(at), r.i32(at + 4)}
                                      : EmfPoint{r.i16(at), r.i16(at + 2)}));
        }
        return result;
    }

    EmfWriter& writer_;
    const EmfHeaderInfo& header_;
    QTransform frameToBox_;
    Mapping mapping_;
    std::vector<std::uint32_t> handles_; // the picture's object index → the writer's handle
};

void Replayer::record(const RecordView& r, std::uint32_t type) {
    switch (type) {
    case emf::SetMapMode:
        mapping_.mode = r.u32(8);
        break;
    case emf::SetWindowExtEx:
        mapping_.windowExt = r.point(8);
        break;
    case emf::SetViewportExtEx:
        mapping_.viewportExt = r.point(8);
        break;
    case emf::SetWindowOrgEx:
        mapping_.windowOrg = r.point(8);
        break;
    case emf::SetViewportOrgEx:
        mapping_.viewportOrg = r.point(8);
        break;
    case emf::SetBkMode:
        writer_.setBackgroundMode(r.u32(8));
        break;
    case emf::SetPolyFillMode:
        writer_.setPolyFillMode(r.u32(8));
        break;
    case emf::SetTextAlign:
        writer_.setTextAlign(r.u32(8));
        break;
    case emf::SetTextColor:
        writer_.setTextColour(r.u32(8));
        break;
    case emf::CreatePen: {
        const QTransform t = transform();
        const double scale = std::sqrt(std::abs(t.m11() * t.m22()));
        created(r.u32(8), writer_.createPen(r.u32(12), scaleLength(r.i32(16), scale), r.u32(24)));
        break;
    }
    case emf::CreateBrushIndirect:
        created(r.u32(8), writer_.createBrush(r.u32(12), r.u32(16)));
        break;
    case emf::ExtCreateFontIndirectW: {
        GdiObject o;
        ReadFont(r, o);
        const QTransform t = transform();
        o.font.height = scaleLength(o.font.height, t.m22());
        o.font.width = scaleLength(o.font.width, t.m11());
        created(r.u32(8), writer_.createFont(o.font));
        break;
    }
    case emf::SelectObject: {
        const std::uint32_t handle = r.u32(8);
        if (handle & emf::StockObject)
            writer_.selectObject(handle);
        else if (handles_[handle] != 0)
            writer_.selectObject(handles_[handle]);
        break;
    }
    case emf::DeleteObject: {
        const std::uint32_t handle = r.u32(8);
        if ((handle & emf::StockObject) == 0 && handles_[handle] != 0) {
            writer_.deleteObject(handles_[handle]);
            handles_[handle] = 0;
        }
        break;
    }
    case emf::MoveToEx: {
        const EmfPoint p = map(r.point(8));
        writer_.moveTo(p.x, p.y);
        break;
    }
    case emf::LineTo: {
        const EmfPoint p = map(r.point(8));
        writer_.lineTo(p.x, p.y);
        break;
    }
    case emf::Rectangle:
        writer_.rectangle(mapRect(r.rect(8)));
        break;
    case emf::Ellipse:
        writer_.ellipse(mapRect(r.rect(8)));
        break;
    case emf::Arc: {
        const QTransform t = transform();
        EmfPoint start = map(r.point(24));
        EmfPoint end = map(r.point(32));
        // A mirrored axis turns the arc's direction round.
        if (t.m11() * t.m22() < 0)
            std::swap(start, end);
        writer_.arc(mapRect(r.rect(8)), start, end);
        break;
    }
    case emf::Polygon:
    case emf::Polygon16:
        writer_.polygon(points(r, type == emf::Polygon));
        break;
    case emf::Polyline:
    case emf::Polyline16:
        writer_.polyline(points(r, type == emf::Polyline));
        break;
    case emf::ExtTextOutW: {
        const std::uint32_t count = r.u32(44);
        const std::uint32_t offset = r.u32(48);
        std::u16string text;
        for (std::uint64_t n = 0; n < count; ++n)
            text.push_back(r.u16(offset + 2 * n));
        const EmfPoint at = map(r.point(36));
        writer_.textOut(at.x, at.y, text);
        break;
    }
    default:
        break; // what the player passes over is not copied either
    }
}

void Replayer::end() {
    writer_.selectObject(emf::BlackPen);
    writer_.selectObject(emf::WhiteBrush);
    writer_.selectObject(emf::SystemFont);
    for (std::uint32_t& handle : handles_) {
        if (handle != 0)
            writer_.deleteObject(handle);
        handle = 0;
    }
}

} // namespace

EmfPlayer::EmfPlayer(std::vector<std::uint8_t> bytes, std::string name)
    : bytes_(std::move(bytes)), name_(std::move(name)) {
    const auto refuse = [this](const char* why) { throw InOutError(name_, "read", why); };
    if (bytes_.size() < 88)
        refuse("not an enhanced metafile");
    const std::uint32_t headerSize = ReadU32(bytes_, 4);
    if (ReadU32(bytes_, 0) != emf::Header || ReadU32(bytes_, 40) != emf::Signature ||
        headerSize < 88 || headerSize % 4 != 0 || headerSize > bytes_.size())
        refuse("not an enhanced metafile");
    RecordView h(bytes_.data(), headerSize, name_);
    header_.bounds = h.rect(8);
    header_.frame = h.rect(24);
    header_.bytes = h.u32(48);
    header_.records = h.u32(52);
    header_.handles = h.u16(56);
    header_.deviceWidth = h.i32(72);
    header_.deviceHeight = h.i32(76);
    header_.widthMm = h.i32(80);
    header_.heightMm = h.i32(84);
    if (header_.bytes > bytes_.size() || header_.bytes < headerSize)
        refuse("metafile size does not match the file");
    if (header_.deviceWidth <= 0 || header_.deviceHeight <= 0 || header_.widthMm <= 0 ||
        header_.heightMm <= 0)
        refuse("metafile device size missing");
    const EmfRect& f = header_.frame;
    if (static_cast<std::int64_t>(f.right) - f.left <= 0 ||
        static_cast<std::int64_t>(f.bottom) - f.top <= 0)
        refuse("metafile frame is empty");
    if (header_.handles == 0)
        refuse("metafile object table missing");
    run(nullptr, nullptr);
}

EmfPlayer EmfPlayer::fromFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw InOutError(path, "read", "cannot open");
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    if (in.bad())
        throw InOutError(path, "read", "cannot read");
    return EmfPlayer(std::move(bytes), path);
}

void EmfPlayer::play(QPainter& painter, const QRectF& target) const {
    painter.save();
    try {
        run(&painter, &target);
    } catch (...) {
        painter.restore();
        throw;
    }
    painter.restore();
}

void EmfPlayer::replay(EmfWriter& writer, const EmfRect& box) const {
    const QRectF target(box.left, box.top, static_cast<double>(box.right) - box.left,
                        static_cast<double>(box.bottom) - box.top);
    Replayer replayer(writer, header_, FrameToTarget(header_, target));
    WalkRecords(bytes_, header_, name_,
                [&replayer](const RecordView& r, std::uint32_t type) { replayer.record(r, type); });
    replayer.end();
}

void EmfPlayer::run(QPainter* painter, const QRectF* target) const {
    State s;
    s.painter = painter;
    s.name = &name_;
    s.objects.resize(header_.handles);
    s.pixelsPerMmX = PixelsPerMmX(header_);
    s.pixelsPerMmY = PixelsPerMmY(header_);
    if (target != nullptr)
        s.deviceToTarget = FrameToTarget(header_, *target) * painter->transform();
    WalkRecords(bytes_, header_, name_,
                [&s](const RecordView& r, std::uint32_t type) { Play(r, type, s); });
}

} // namespace exo
