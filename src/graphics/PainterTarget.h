#pragma once
// The drawing surface's target on a QPainter: a window, the printer, a PDF or an image.
// Objects, text colour, background and fill mode behave as on a device context, which
// starts with a black one-pixel pen, a white brush and black text. Text is written without
// a background box unless the opaque mode is asked for: the chart pages are filled first.
#include "graphics/DrawingTarget.h"
#include "graphics/TargetObjects.h"

#include <QBrush>
#include <QFont>
#include <QPen>
#include <QPoint>

#include <map>

class QPainter;

namespace exo {

class PainterTarget final : public DrawingTarget {
  public:
    explicit PainterTarget(QPainter& painter);

    // Windows that are hidden or minimised say so; the symbol pictures skip them.
    void setVisible(bool visible) { visible_ = visible; }

    ObjectHandle createPen(const PenInfo& pen) override;
    ObjectHandle createBrush(Colour colour) override;
    ObjectHandle createFont(const FontInfo& font) override;
    ObjectHandle selectObject(ObjectHandle object) override;
    void deleteObject(ObjectHandle object) override;

    void setTextColour(Colour colour) override { textColour_ = colour; }
    Colour textColour() const override { return textColour_; }
    void setBackgroundColour(Colour colour) override { backgroundColour_ = colour; }
    Colour backgroundColour() const override { return backgroundColour_; }
    void setBackgroundMode(BackgroundMode mode) override { backgroundMode_ = mode; }
    void setFillMode(FillMode mode) override { fillMode_ = mode; }

    void moveTo(DevicePoint point) override;
    void lineTo(DevicePoint point) override;
    void arc(const DeviceRect& box, DevicePoint start, DevicePoint end) override;
    void ellipse(const DeviceRect& box) override;
    void rectangle(const DeviceRect& box) override;
    void polygon(const std::vector<DevicePoint>& points) override;
    void text(DevicePoint point, TextAlign align, std::string_view text) override;
    void picture(const std::string& path, const DeviceRect& box) override;
    bool visible() const override { return visible_; }

    // The Qt colour, pen and font of a device description (public for their tests).
    static QColor ToQColor(Colour colour);
    static QPen ToQPen(const PenInfo& pen);
    static QFont ToQFont(const FontInfo& font);

  private:
    struct Object {
        ObjectKind kind;
        QPen pen;
        QBrush brush;
        QFont font;
        int escapement = 0;
        bool stock = false;
    };

    void applyPenAndBrush();

    QPainter& painter_;
    TargetObjects<Object> objects_{"PainterTarget"};
    QPoint current_;
    Colour textColour_ = kBlack;
    Colour backgroundColour_ = kWhite;
    BackgroundMode backgroundMode_ = BackgroundMode::Transparent;
    FillMode fillMode_ = FillMode::Alternate;
    bool visible_ = true;
};

} // namespace exo
