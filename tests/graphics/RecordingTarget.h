#pragma once
// A device that keeps what it was asked to do: the drawing tests read back texts, lines,
// pictures and the pen each was drawn with.
#include "graphics/DrawingTarget.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace exo::test {

class RecordingTarget final : public DrawingTarget {
  public:
    struct Event {
        std::string kind; // "move", "line", "arc", "ellipse", "rectangle", "text", "picture"
        DeviceRect box;   // points in left/top
        DevicePoint start, end;
        std::string text;
        TextAlign align = TextAlign::Left;
        std::optional<FontInfo> font; // selected when the text was written
        Colour textColour = 0;
        PenInfo pen;
    };
    enum Kind { Pen, Brush, Font };
    struct Object {
        Kind kind;
        PenInfo pen;
        Colour brush = 0;
        FontInfo font;
        bool stock = false;
    };

    RecordingTarget() {
        selected[Pen] = add({Pen, {}, 0, {}, true});
        selected[Brush] = add({Brush, {}, kWhite, {}, true});
        selected[Font] = add({Font, {}, 0, {}, true});
    }

    ObjectHandle createPen(const PenInfo& pen) override { return add({Pen, pen, 0, {}, false}); }
    ObjectHandle createBrush(Colour colour) override { return add({Brush, {}, colour, {}, false}); }
    ObjectHandle createFont(const FontInfo& font) override {
        return add({Font, {}, 0, font, false});
    }
    ObjectHandle selectObject(ObjectHandle handle) override {
        EXPECT_TRUE(objects.count(handle)) << "selecting a deleted object";
        const Kind kind = objects.at(handle).kind;
        const ObjectHandle previous = selected[kind];
        selected[kind] = handle;
        return previous;
    }
    void deleteObject(ObjectHandle handle) override {
        ASSERT_TRUE(objects.count(handle)) << "deleting an unknown object";
        EXPECT_NE(selected[objects.at(handle).kind], handle) << "deleting the selected object";
        objects.erase(handle);
    }
    void setTextColour(Colour colour) override { textColour_ = colour; }
    Colour textColour() const override { return textColour_; }
    void setBackgroundColour(Colour colour) override { background_ = colour; }
    Colour backgroundColour() const override { return background_; }
    void setBackgroundMode(BackgroundMode) override {}
    void setFillMode(FillMode) override {}

    void moveTo(DevicePoint p) override { record("move", {p.x, p.y, 0, 0}); }
    void lineTo(DevicePoint p) override { record("line", {p.x, p.y, 0, 0}); }
    void arc(const DeviceRect& box, DevicePoint start, DevicePoint end) override {
        Event& e = record("arc", box);
        e.start = start;
        e.end = end;
    }
    void ellipse(const DeviceRect& box) override { record("ellipse", box); }
    void rectangle(const DeviceRect& box) override { record("rectangle", box); }
    void polygon(const std::vector<DevicePoint>&) override { record("polygon", {}); }
    void text(DevicePoint p, TextAlign align, std::string_view text) override {
        Event& e = record("text", {p.x, p.y, 0, 0});
        e.align = align;
        e.text = std::string(text);
        if (!objects.at(selected[Font]).stock)
            e.font = objects.at(selected[Font]).font;
        e.textColour = textColour_;
    }
    void picture(const std::string& path, const DeviceRect& box) override {
        record("picture", box).text = path;
    }
    bool visible() const override { return shown; }

    const PenInfo* selectedPen() const {
        const Object& pen = objects.at(selected.at(Pen));
        return pen.stock ? nullptr : &pen.pen;
    }
    std::size_t createdAlive() const {
        std::size_t count = 0;
        for (const auto& [handle, object] : objects)
            count += object.stock ? 0 : 1;
        return count;
    }
    std::vector<Event> ofKind(const std::string& kind) const {
        std::vector<Event> found;
        for (const Event& e : events)
            if (e.kind == kind)
                found.push_back(e);
        return found;
    }

    std::vector<Event> events;
    std::map<ObjectHandle, Object> objects;
    std::map<Kind, ObjectHandle> selected;
    ObjectHandle stockPen() const { return 1; }
    bool shown = true;

  private:
    ObjectHandle add(Object object) {
        objects.emplace(next_, object);
        return next_++;
    }
    Event& record(const std::string& kind, DeviceRect box) {
        Event e;
        e.kind = kind;
        e.box = box;
        if (const PenInfo* pen = selectedPen())
            e.pen = *pen;
        events.push_back(e);
        return events.back();
    }
    ObjectHandle next_ = 1;
    Colour textColour_ = kBlack;
    Colour background_ = kWhite;
};

} // namespace exo::test
