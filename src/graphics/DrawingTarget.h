#pragma once
// What the drawing surface needs from a device: GDI-like objects selected into a device
// context, and drawing in device pixels. The surface does every transform, pen, brush and
// font choice itself, so each back end (a QPainter, an EMF file) only has to carry out
// these calls.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace exo {

// 0x00BBGGRR: blue in the high byte, as the device colours are stored (0x0000FF is red).
using Colour = std::uint32_t;
inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kWhite = 0xFFFFFF;

struct DevicePoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const DevicePoint&, const DevicePoint&) = default;
};

// Right and bottom are outside the box, as the device rectangles have it.
struct DeviceRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const DeviceRect&, const DeviceRect&) = default;
};

enum class PenStyle { Solid, Dash };

struct PenInfo {
    Colour colour = kBlack;
    std::int32_t width = 0; // device pixels; 0 draws one pixel wide
    PenStyle style = PenStyle::Solid;
    friend bool operator==(const PenInfo&, const PenInfo&) = default;
};

struct FontInfo {
    std::string face;             // family name
    std::int32_t height = 0;      // cell height in device pixels
    std::int32_t width = 0;       // average character width in device pixels; 0: the face's own
    std::int32_t escapement = 0;  // baseline angle, tenths of a degree counter-clockwise
    std::int32_t orientation = 0; // character angle, tenths of a degree
    std::int32_t weight = 400;
    bool italic = false;
    std::uint8_t charset = 0;
    std::uint8_t quality = 0;
    friend bool operator==(const FontInfo&, const FontInfo&) = default;
};

enum class TextAlign { Left, Right, Centre }; // horizontal; the text's top is at the point
enum class FillMode { Alternate, Winding };
enum class BackgroundMode { Transparent, Opaque };

// Handles of created objects; 0 is never a valid handle.
using ObjectHandle = std::uint32_t;

class DrawingTarget {
  public:
    DrawingTarget() : serial_(++LastSerial()) { LiveSerials().insert(serial_); }
    DrawingTarget(const DrawingTarget&) = delete;
    DrawingTarget& operator=(const DrawingTarget&) = delete;
    virtual ~DrawingTarget() { LiveSerials().erase(serial_); }

    // A paint ends and its target goes while the surface may still hold one of its
    // objects (a ring leaves its pen selected); the serial tells that the target is gone,
    // even when a new one takes its address.
    std::uint64_t serial() const { return serial_; }
    static bool IsLive(std::uint64_t serial) { return LiveSerials().count(serial) != 0; }

    virtual ObjectHandle createPen(const PenInfo& pen) = 0;
    virtual ObjectHandle createBrush(Colour colour) = 0; // solid
    virtual ObjectHandle createFont(const FontInfo& font) = 0;
    // Selects the object and returns the object of the same kind it replaced.
    virtual ObjectHandle selectObject(ObjectHandle object) = 0;
    // Deleting the selected object or an unknown handle is a program fault.
    virtual void deleteObject(ObjectHandle object) = 0;

    virtual void setTextColour(Colour colour) = 0;
    virtual Colour textColour() const = 0;
    virtual void setBackgroundColour(Colour colour) = 0;
    virtual Colour backgroundColour() const = 0;
    virtual void setBackgroundMode(BackgroundMode mode) = 0;
    virtual void setFillMode(FillMode mode) = 0;

    virtual void moveTo(DevicePoint point) = 0;
    virtual void lineTo(DevicePoint point) = 0;
    // Counter-clockwise from the ray through start to the ray through end; equal rays draw
    // the whole ellipse.
    virtual void arc(const DeviceRect& box, DevicePoint start, DevicePoint end) = 0;
    // Outlined with the pen, filled with the brush.
    virtual void ellipse(const DeviceRect& box) = 0;
    virtual void rectangle(const DeviceRect& box) = 0;
    virtual void polygon(const std::vector<DevicePoint>& points) = 0;
    // Windows-1252 text in the selected font and the text colour.
    virtual void text(DevicePoint point, TextAlign align, std::string_view text) = 0;
    // An enhanced metafile stretched into box; a file that cannot be read raises InOutError.
    virtual void picture(const std::string& path, const DeviceRect& box) = 0;
    // Whether the window this target paints is showing (printers and files always are).
    virtual bool visible() const { return true; }

  private:
    static std::uint64_t& LastSerial() {
        static std::uint64_t last = 0;
        return last;
    }
    static std::unordered_set<std::uint64_t>& LiveSerials() {
        static std::unordered_set<std::uint64_t> live;
        return live;
    }
    std::uint64_t serial_;
};

} // namespace exo
