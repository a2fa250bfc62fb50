#pragma once
// Writes enhanced metafiles (little-endian EMF records) that other programs open: the
// chart sheets exported to the Emf folder and the symbol pictures. Coordinates are integer
// logical units; the writer keeps the mapping so the header's bounds are in device pixels.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace exo {

namespace emf {
// Record types.
enum : std::uint32_t {
    Header = 1,
    Polygon = 3,
    Polyline = 4,
    SetWindowExtEx = 9,
    SetWindowOrgEx = 10,
    SetViewportExtEx = 11,
    SetViewportOrgEx = 12,
    Eof = 14,
    SetMapMode = 17,
    SetBkMode = 18,
    SetPolyFillMode = 19,
    SetTextAlign = 22,
    SetTextColor = 24,
    MoveToEx = 27,
    SelectObject = 37,
    CreatePen = 38,
    CreateBrushIndirect = 39,
    DeleteObject = 40,
    Ellipse = 42,
    Rectangle = 43,
    Arc = 45,
    LineTo = 54,
    ExtCreateFontIndirectW = 82,
    ExtTextOutW = 84,
    Polygon16 = 86,
    Polyline16 = 87,
};
constexpr std::uint32_t Signature = 0x464D4520; // " EMF"
constexpr std::uint32_t StockObject = 0x80000000;
// Stock objects, as StockObject | index.
enum : std::uint32_t {
    WhiteBrush = StockObject | 0,
    BlackBrush = StockObject | 4,
    NullBrush = StockObject | 5,
    WhitePen = StockObject | 6,
    BlackPen = StockObject | 7,
    NullPen = StockObject | 8,
    SystemFont = StockObject | 13,
};
enum : std::uint32_t { PenSolid = 0, PenDash = 1, PenDot = 2, PenNull = 5 };
enum : std::uint32_t { BrushSolid = 0, BrushNull = 1 };
enum : std::uint32_t { Transparent = 1, Opaque = 2 };
enum : std::uint32_t { Alternate = 1, Winding = 2 };
enum : std::uint32_t { MapText = 1, MapIsotropic = 7, MapAnisotropic = 8 };
// Text alignment bits.
enum : std::uint32_t {
    AlignLeft = 0,
    AlignRight = 2,
    AlignCenter = 6,
    AlignTop = 0,
    AlignBottom = 8,
    AlignBaseline = 24,
};
constexpr std::uint32_t HeaderSize = 108;
constexpr std::uint32_t LogFontSize = 92;
constexpr std::uint32_t FontRecordSize = 332; // with the panose tail other readers expect
} // namespace emf

// 0x00BBGGRR, as the records store colours.
constexpr std::uint32_t EmfColour(int red, int green, int blue) {
    return static_cast<std::uint32_t>(red & 0xFF) | static_cast<std::uint32_t>(green & 0xFF) << 8 |
           static_cast<std::uint32_t>(blue & 0xFF) << 16;
}

struct EmfPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

struct EmfRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

struct EmfFont {
    std::int32_t height = 0;     // negative: character height; positive: cell height
    std::int32_t width = 0;      // 0: the face's own
    std::int32_t escapement = 0; // tenths of a degree, counter-clockwise
    std::int32_t orientation = 0;
    std::int32_t weight = 400;
    bool italic = false;
    bool underline = false;
    std::u16string faceName; // up to 31 characters
};

class EmfWriter {
  public:
    // The reference device: its size in pixels and in millimetres. The frame is the whole
    // device.
    EmfWriter(std::int32_t deviceWidth, std::int32_t deviceHeight, std::int32_t widthMm,
              std::int32_t heightMm);

    void setMapMode(std::uint32_t mode);
    void setWindowExt(std::int32_t cx, std::int32_t cy);
    void setWindowOrg(std::int32_t x, std::int32_t y);
    void setViewportExt(std::int32_t cx, std::int32_t cy);
    void setViewportOrg(std::int32_t x, std::int32_t y);

    // The create calls return the object's handle for select and delete.
    std::uint32_t createPen(std::uint32_t style, std::int32_t width, std::uint32_t colour);
    std::uint32_t createBrush(std::uint32_t style, std::uint32_t colour);
    std::uint32_t createFont(const EmfFont& font);
    void selectObject(std::uint32_t handle);
    // Stock objects are never deleted (no record is written); other handles are freed for
    // reuse. An unknown handle is a program fault: std::invalid_argument.
    void deleteObject(std::uint32_t handle);

    void setTextColour(std::uint32_t colour);
    void setBackgroundMode(std::uint32_t mode);
    void setTextAlign(std::uint32_t align);
    void setPolyFillMode(std::uint32_t mode);

    void moveTo(std::int32_t x, std::int32_t y);
    void lineTo(std::int32_t x, std::int32_t y);
    // Counter-clockwise from the ray through start to the ray through end.
    void arc(const EmfRect& box, EmfPoint start, EmfPoint end);
    void ellipse(const EmfRect& box);
    void rectangle(const EmfRect& box);
    // 16-bit records when every point fits, 32-bit otherwise.
    void polygon(const std::vector<EmfPoint>& points);
    void polyline(const std::vector<EmfPoint>& points);
    void textOut(std::int32_t x, std::int32_t y, std::u16string_view text);

    // The finished file: the end record appended and the header's totals filled in.
    // Drawing after this is a program fault.
    const std::vector<std::uint8_t>& finish();
    // finish(), then the bytes written to path; a failed write raises InOutError.
    void save(const std::string& path);

  private:
    void begin(std::uint32_t type, std::uint32_t size);
    void put32(std::uint32_t value);
    void putI32(std::int32_t value) { put32(static_cast<std::uint32_t>(value)); }
    void put16(std::uint16_t value);
    void putRect(const EmfRect& r);
    void single(std::uint32_t type, std::uint32_t value);
    void pair(std::uint32_t type, std::int32_t a, std::int32_t b);
    std::uint32_t newHandle();
    void poly(std::uint32_t type16, std::uint32_t type32, const std::vector<EmfPoint>& points);
    EmfPoint toDevice(EmfPoint p) const;
    void include(EmfPoint logical, std::int32_t margin = 0);
    void includeBox(const EmfRect& box);
    void patch32(std::size_t offset, std::uint32_t value);

    std::vector<std::uint8_t> bytes_;
    std::uint32_t records_ = 0;
    std::vector<bool> handles_{true}; // index 0 is reserved
    bool finished_ = false;
    std::int32_t deviceWidth_, deviceHeight_;
    std::uint32_t mapMode_ = emf::MapText;
    EmfPoint windowOrg_, viewportOrg_;
    EmfPoint windowExt_{1, 1}, viewportExt_{1, 1};
    std::int32_t penHalfWidth_ = 0;
    std::vector<std::int32_t> penHalfWidths_{0};
    bool haveBounds_ = false;
    EmfRect bounds_;
    EmfPoint current_;
};

} // namespace exo
