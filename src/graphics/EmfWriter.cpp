#include "graphics/EmfWriter.h"

#include "platform/Errors.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace exo {

namespace {

bool Fits16(const std::vector<EmfPoint>& points) {
    constexpr auto low = std::numeric_limits<std::int16_t>::min();
    constexpr auto high = std::numeric_limits<std::int16_t>::max();
    return std::all_of(points.begin(), points.end(), [](EmfPoint p) {
        return p.x >= low && p.x <= high && p.y >= low && p.y <= high;
    });
}

EmfRect BoundsOf(const std::vector<EmfPoint>& points) {
    EmfRect r{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const EmfPoint p : points) {
        r.left = std::min(r.left, p.x);
        r.top = std::min(r.top, p.y);
        r.right = std::max(r.right, p.x);
        r.bottom = std::max(r.bottom, p.y);
    }
    return r;
}

std::int32_t Clamp32(long double v) {
    return static_cast<std::int32_t>(
        std::clamp<long double>(std::lround(v), std::numeric_limits<std::int32_t>::min() / 2,
                                std::numeric_limits<std::int32_t>::max() / 2));
}

} // namespace

EmfWriter::EmfWriter(std::int32_t deviceWidth, std::int32_t deviceHeight, std::int32_t widthMm,
                     std::int32_t heightMm)
    : deviceWidth_(deviceWidth), deviceHeight_(deviceHeight) {
    if (deviceWidth <= 0 || deviceHeight <= 0 || widthMm <= 0 || heightMm <= 0)
        throw std::invalid_argument("metafile device size must be positive");
    begin(emf::Header, emf::HeaderSize);
    putRect({0, 0, -1, -1}); // bounds, filled in by finish()
    putRect({0, 0, widthMm * 100, heightMm * 100});
    put32(emf::Signature);
    put32(0x10000); // version
    put32(0);       // total bytes
    put32(0);       // records
    put16(0);       // handles
    put16(0);       // reserved
    put32(0);       // description length and offset
    put32(0);
    put32(0); // palette entries
    putI32(deviceWidth);
    putI32(deviceHeight);
    putI32(widthMm);
    putI32(heightMm);
    put32(0); // pixel format size and offset
    put32(0);
    put32(0); // no OpenGL
    putI32(widthMm * 1000);
    putI32(heightMm * 1000);
}

void EmfWriter::begin(std::uint32_t type, std::uint32_t size) {
    if (finished_)
        throw std::logic_error("metafile already finished");
    put32(type);
    put32(size);
    ++records_;
}

void EmfWriter::put32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        bytes_.push_back(static_cast<std::uint8_t>(value >> shift));
}

void EmfWriter::put16(std::uint16_t value) {
    bytes_.push_back(static_cast<std::uint8_t>(value));
    bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
}

void EmfWriter::putRect(const EmfRect& r) {
    putI32(r.left);
    putI32(r.top);
    putI32(r.right);
    putI32(r.bottom);
}

void EmfWriter::patch32(std::size_t offset, std::uint32_t value) {
    for (int n = 0; n < 4; ++n)
        bytes_[offset + n] = static_cast<std::uint8_t>(value >> (8 * n));
}

void EmfWriter::single(std::uint32_t type, std::uint32_t value) {
    begin(type, 12);
    put32(value);
}

void EmfWriter::pair(std::uint32_t type, std::int32_t a, std::int32_t b) {
    begin(type, 16);
    putI32(a);
    putI32(b);
}

void EmfWriter::setMapMode(std::uint32_t mode) {
    mapMode_ = mode;
    single(emf::SetMapMode, mode);
}

void EmfWriter::setWindowExt(std::int32_t cx, std::int32_t cy) {
    windowExt_ = {cx, cy};
    pair(emf::SetWindowExtEx, cx, cy);
}

void EmfWriter::setWindowOrg(std::int32_t x, std::int32_t y) {
    windowOrg_ = {x, y};
    pair(emf::SetWindowOrgEx, x, y);
}

void EmfWriter::setViewportExt(std::int32_t cx, std::int32_t cy) {
    viewportExt_ = {cx, cy};
    pair(emf::SetViewportExtEx, cx, cy);
}

void EmfWriter::setViewportOrg(std::int32_t x, std::int32_t y) {
    viewportOrg_ = {x, y};
    pair(emf::SetViewportOrgEx, x, y);
}

std::uint32_t EmfWriter::newHandle() {
    const auto free = std::find(handles_.begin() + 1, handles_.end(), false);
    const auto index = static_cast<std::uint32_t>(free - handles_.begin());
    if (free == handles_.end()) {
        // The header counts the table in 16 bits.
        if (handles_.size() > 0xFFFE)
            throw std::length_error("metafile object table full");
        handles_.push_back(true);
        penHalfWidths_.push_back(-1);
    } else {
        *free = true;
    }
    penHalfWidths_[index] = -1;
    return index;
}

std::uint32_t EmfWriter::createPen(std::uint32_t style, std::int32_t width, std::uint32_t colour) {
    const std::uint32_t handle = newHandle();
    penHalfWidths_[handle] = style == emf::PenNull ? 0 : std::max(width, 1) / 2 + 1;
    begin(emf::CreatePen, 28);
    put32(handle);
    put32(style);
    putI32(width);
    putI32(0);
    put32(colour);
    return handle;
}

std::uint32_t EmfWriter::createBrush(std::uint32_t style, std::uint32_t colour) {
    const std::uint32_t handle = newHandle();
    begin(emf::CreateBrushIndirect, 24);
    put32(handle);
    put32(style);
    put32(colour);
    put32(0); // hatch
    return handle;
}

std::uint32_t EmfWriter::createFont(const EmfFont& font) {
    const std::uint32_t handle = newHandle();
    begin(emf::ExtCreateFontIndirectW, emf::FontRecordSize);
    put32(handle);
    putI32(font.height);
    putI32(font.width);
    putI32(font.escapement);
    putI32(font.orientation);
    putI32(font.weight);
    bytes_.push_back(font.italic ? 1 : 0);
    bytes_.push_back(font.underline ? 1 : 0);
    bytes_.push_back(0); // strike-out
    bytes_.push_back(1); // default character set
    bytes_.push_back(0); // precisions, quality, pitch and family: defaults
    bytes_.push_back(0);
    bytes_.push_back(0);
    bytes_.push_back(0);
    for (std::size_t n = 0; n < 32; ++n)
        put16(n < 31 && n < font.faceName.size() ? font.faceName[n] : 0);
    bytes_.resize(bytes_.size() + emf::FontRecordSize - 12 - emf::LogFontSize, 0);
    return handle;
}

void EmfWriter::selectObject(std::uint32_t handle) {
    if (handle & emf::StockObject) {
        if (handle == emf::NullPen)
            penHalfWidth_ = 0;
        else if (handle == emf::BlackPen || handle == emf::WhitePen)
            penHalfWidth_ = 1;
    } else if (handle >= handles_.size() || !handles_[handle]) {
        throw std::invalid_argument("metafile object not created");
    } else if (penHalfWidths_[handle] >= 0) {
        penHalfWidth_ = penHalfWidths_[handle];
    }
    single(emf::SelectObject, handle);
}

void EmfWriter::deleteObject(std::uint32_t handle) {
    if (handle & emf::StockObject)
        return;
    if (handle == 0 || handle >= handles_.size() || !handles_[handle])
        throw std::invalid_argument("metafile object not created");
    handles_[handle] = false;
    single(emf::DeleteObject, handle);
}

void EmfWriter::setTextColour(std::uint32_t colour) {
    single(emf::SetTextColor, colour);
}
void EmfWriter::setBackgroundMode(std::uint32_t mode) {
    single(emf::SetBkMode, mode);
}
void EmfWriter::setTextAlign(std::uint32_t align) {
    single(emf::SetTextAlign, align);
}
void EmfWriter::setPolyFillMode(std::uint32_t mode) {
    single(emf::SetPolyFillMode, mode);
}

EmfPoint EmfWriter::toDevice(EmfPoint p) const {
    if (mapMode_ != emf::MapIsotropic && mapMode_ != emf::MapAnisotropic)
        return {Clamp32(static_cast<long double>(p.x) - windowOrg_.x + viewportOrg_.x),
                Clamp32(static_cast<long double>(p.y) - windowOrg_.y + viewportOrg_.y)};
    const auto scale = [](std::int32_t v, std::int32_t org, std::int32_t vExt, std::int32_t wExt,
                          std::int32_t vOrg) {
        return Clamp32((static_cast<long double>(v) - org) * vExt / (wExt == 0 ? 1 : wExt) + vOrg);
    };
    return {scale(p.x, windowOrg_.x, viewportExt_.x, windowExt_.x, viewportOrg_.x),
            scale(p.y, windowOrg_.y, viewportExt_.y, windowExt_.y, viewportOrg_.y)};
}

void EmfWriter::include(EmfPoint logical, std::int32_t margin) {
    const EmfPoint p = toDevice(logical);
    const EmfRect r{p.x - margin, p.y - margin, p.x + margin, p.y + margin};
    if (!haveBounds_) {
        bounds_ = r;
        haveBounds_ = true;
        return;
    }
    bounds_.left = std::min(bounds_.left, r.left);
    bounds_.top = std::min(bounds_.top, r.top);
    bounds_.right = std::max(bounds_.right, r.right);
    bounds_.bottom = std::max(bounds_.bottom, r.bottom);
}

void EmfWriter::includeBox(const EmfRect& box) {
    include({box.left, box.top}, penHalfWidth_);
    include({box.right, box.bottom}, penHalfWidth_);
}

void EmfWriter::moveTo(std::int32_t x, std::int32_t y) {
    current_ = {x, y};
    pair(emf::MoveToEx, x, y);
}

void EmfWriter::lineTo(std::int32_t x, std::int32_t y) {
    include(current_, penHalfWidth_);
    include({x, y}, penHalfWidth_);
    current_ = {x, y};
    pair(emf::LineTo, x, y);
}

void EmfWriter::arc(const EmfRect& box, EmfPoint start, EmfPoint end) {
    includeBox(box);
    begin(emf::Arc, 40);
    putRect(box);
    putI32(start.x);
    putI32(start.y);
    putI32(end.x);
    putI32(end.y);
}

void EmfWriter::ellipse(const EmfRect& box) {
    includeBox(box);
    begin(emf::Ellipse, 24);
    putRect(box);
}

void EmfWriter::rectangle(const EmfRect& box) {
    includeBox(box);
    begin(emf::Rectangle, 24);
    putRect(box);
}

void EmfWriter::poly(std::uint32_t type16, std::uint32_t type32,
                     const std::vector<EmfPoint>& points) {
    if (points.empty())
        return;
    const EmfRect box = BoundsOf(points);
    includeBox(box);
    const auto count = static_cast<std::uint32_t>(points.size());
    if (Fits16(points)) {
        begin(type16, 28 + 4 * count);
        putRect(box);
        put32(count);
        for (const EmfPoint p : points) {
            put16(static_cast<std::uint16_t>(p.x));
            put16(static_cast<std::uint16_t>(p.y));
        }
    } else {
        begin(type32, 28 + 8 * count);
        putRect(box);
        put32(count);
        for (const EmfPoint p : points) {
            putI32(p.x);
            putI32(p.y);
        }
    }
}

void EmfWriter::polygon(const std::vector<EmfPoint>& points) {
    poly(emf::Polygon16, emf::Polygon, points);
}

void EmfWriter::polyline(const std::vector<EmfPoint>& points) {
    poly(emf::Polyline16, emf::Polyline, points);
}

void EmfWriter::textOut(std::int32_t x, std::int32_t y, std::u16string_view text) {
    const auto count = static_cast<std::uint32_t>(text.size());
    const std::uint32_t stringOffset = 76;
    const std::uint32_t stringBytes = (2 * count + 3) / 4 * 4;
    // The text's extent depends on the reader's fonts: the reference point stands for it.
    include({x, y});
    begin(emf::ExtTextOutW, stringOffset + stringBytes);
    putRect({0, 0, -1, -1});
    put32(1); // compatible graphics mode
    put32(0); // scales, unused in that mode
    put32(0);
    putI32(x);
    putI32(y);
    put32(count);
    put32(stringOffset);
    put32(0); // options
    putRect({0, 0, -1, -1});
    put32(0); // no spacing array: the reader's font spaces the characters
    for (const char16_t c : text)
        put16(c);
    if (count % 2 != 0)
        put16(0);
}

const std::vector<std::uint8_t>& EmfWriter::finish() {
    if (finished_)
        return bytes_;
    begin(emf::Eof, 20);
    put32(0);  // palette entries
    put32(16); // palette offset
    put32(20); // this record's size
    finished_ = true;
    const EmfRect b = haveBounds_ ? bounds_ : EmfRect{0, 0, -1, -1};
    patch32(8, static_cast<std::uint32_t>(b.left));
    patch32(12, static_cast<std::uint32_t>(b.top));
    patch32(16, static_cast<std::uint32_t>(b.right));
    patch32(20, static_cast<std::uint32_t>(b.bottom));
    patch32(48, static_cast<std::uint32_t>(bytes_.size()));
    patch32(52, records_);
    const auto handles = static_cast<std::uint16_t>(handles_.size());
    bytes_[56] = static_cast<std::uint8_t>(handles);
    bytes_[57] = static_cast<std::uint8_t>(handles >> 8);
    return bytes_;
}

void EmfWriter::save(const std::string& path) {
    finish();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        throw InOutError(path, "rewrite", std::strerror(errno));
    const bool written = std::fwrite(bytes_.data(), 1, bytes_.size(), file) == bytes_.size();
    if (std::fclose(file) != 0 || !written)
        throw InOutError(path, "rewrite", "incomplete write");
}

} // namespace exo
