#pragma once
// The drawing surface's target in an enhanced metafile: the chart sheets exported to the
// Emf folder are drawn by the same calls as on screen. The surface's device pixels are the
// metafile's logical units (no mapping), on a reference device of the size the sheet is
// drawn for. The file starts as a device context does (black one-pixel pen, white brush,
// the system font, black text, alternate fill) except that text is written without a
// background box unless the opaque mode is asked for, as on the other targets. Symbol
// pictures are copied in as their own vector records.
#include "graphics/DrawingTarget.h"
#include "graphics/EmfWriter.h"
#include "graphics/TargetObjects.h"

#include <map>

namespace exo {

class EmfTarget final : public DrawingTarget {
  public:
    // The reference device the sheet is drawn for: its size in pixels and in millimetres.
    EmfTarget(std::int32_t deviceWidth, std::int32_t deviceHeight, std::int32_t widthMm,
              std::int32_t heightMm);
    // A reference device of 96 pixels per inch, as a screen.
    EmfTarget(std::int32_t deviceWidth, std::int32_t deviceHeight);

    ObjectHandle createPen(const PenInfo& pen) override;
    ObjectHandle createBrush(Colour colour) override;
    ObjectHandle createFont(const FontInfo& font) override;
    ObjectHandle selectObject(ObjectHandle object) override;
    void deleteObject(ObjectHandle object) override;

    void setTextColour(Colour colour) override;
    Colour textColour() const override { return textColour_; }
    void setBackgroundColour(Colour colour) override { backgroundColour_ = colour; }
    Colour backgroundColour() const override { return backgroundColour_; }
    void setBackgroundMode(BackgroundMode mode) override { backgroundMode_ = mode; }
    void setFillMode(FillMode mode) override;

    void moveTo(DevicePoint point) override;
    void lineTo(DevicePoint point) override;
    void arc(const DeviceRect& box, DevicePoint start, DevicePoint end) override;
    void ellipse(const DeviceRect& box) override;
    void rectangle(const DeviceRect& box) override;
    void polygon(const std::vector<DevicePoint>& points) override;
    void text(DevicePoint point, TextAlign align, std::string_view text) override;
    void picture(const std::string& path, const DeviceRect& box) override;

    // The finished file; drawing after this is a program fault.
    const std::vector<std::uint8_t>& finish() { return writer_.finish(); }
    // finish(), then the file written to path (a native path); a failed write raises
    // InOutError.
    void save(const std::string& path) { writer_.save(path); }

    // The metafile font of a device font (public for its test).
    static EmfFont ToEmfFont(const FontInfo& font);

  private:
    struct Object {
        ObjectKind kind;
        std::uint32_t emfHandle; // the writer's handle, or a stock object
        FontInfo font;           // fonts only: measured for the opaque text box
        bool stock = false;
    };

    void writeTextAlign(std::uint32_t align);
    void fillTextBackground(DevicePoint point, TextAlign align, std::string_view text);
    // What a symbol picture changed, put back as the surface had it.
    void restoreState();

    EmfWriter writer_;
    TargetObjects<Object> objects_{"EmfTarget"};
    DevicePoint current_;
    Colour textColour_ = kBlack;
    Colour backgroundColour_ = kWhite;
    BackgroundMode backgroundMode_ = BackgroundMode::Transparent;
    FillMode fillMode_ = FillMode::Alternate;
    std::uint32_t textAlign_ = emf::AlignLeft | emf::AlignTop;
};

} // namespace exo
