#include "graphics/DrawingSurface.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace exo {

namespace {

constexpr Colour kRed = 0x0000FF;
constexpr Colour kGreen = 0x00FF00;
constexpr Colour kBlue = 0xFF0000;
constexpr Colour kAqua = 0xFFFF00;
constexpr Colour kFuchsia = 0xFF00FF;
constexpr Colour kYellow = 0x00FFFF;
constexpr Colour kDarkGrey = 0x454545;
constexpr Colour kGrey = 0x808080;
constexpr Colour kOrange = 0x4080FF;

struct PenRow {
    Colour colour;
    long double base; // multiple of PageScale
    bool zoomed;      // the width follows the zoom too
    PenStyle style;
};

PenRow PenRowOfCode(int code) {
    constexpr long double quarter = 0.25L, eighth = 0.125L;
    const auto solid = [](Colour c, long double base, bool zoomed = false) {
        return PenRow{c, base, zoomed, PenStyle::Solid};
    };
    switch (code) {
    case 0:
        return solid(kBlack, quarter);
    case 1:
        return solid(kWhite, quarter);
    case 2:
        return solid(kRed, quarter);
    case 3:
        return solid(kGreen, quarter);
    case 4:
        return solid(kBlue, quarter);
    case 5:
        return solid(kAqua, quarter);
    case 6:
        return solid(kFuchsia, quarter);
    case 7:
        return solid(kYellow, quarter);
    case 8:
        return solid(kDarkGrey, quarter);
    case 9:
        return solid(kGrey, quarter);
    case 10:
        return solid(kBlack, eighth);
    case 11:
        return solid(kBlue, eighth);
    case 12:
        return PenRow{kRed, eighth, false, PenStyle::Dash};
    case 13:
        return solid(kRed, eighth);
    case 14:
        return solid(kGreen, eighth);
    case 15:
        return solid(kBlue, eighth);
    case 16:
        return solid(kFuchsia, eighth);
    case 17:
        return solid(kWhite, eighth);
    case 18:
        return solid(kOrange, eighth);
    case 22:
        return solid(kRed, 0.8L);
    case 25:
        return solid(kAqua, eighth);
    case 26:
        return PenRow{kFuchsia, eighth, false, PenStyle::Dash};
    case 33:
        return solid(kAqua, 0.8L);
    case 58:
        return solid(kGreen, 2.0L, true);
    case 59:
        return solid(kGreen, 1.0L, true);
    case 60:
        return solid(kAqua, 1.0L, true);
    case 61:
        return solid(kBlue, 1.0L, true);
    case 62:
        return solid(kWhite, 1.0L, true);
    case 63:
        return solid(kBlack, 1.0L / 1.5L);
    case 64:
        return solid(kRed, 1.0L, true);
    case 71:
        return solid(kBlue, 0.5L);
    case 74:
        return solid(kRed, 0.5L);
    case 75:
        return solid(kAqua, 0.5L);
    case 76:
        return solid(kYellow, 0.5L);
    case 77:
        return solid(kYellow, 0.8L);
    case 78:
        return solid(0x24C8C4, 0.4L);
    case 79:
        return solid(kRed, 0.4L);
    case 80:
        return solid(kAqua, 0.4L);
    default:
        return solid(kBlack, eighth);
    }
}

struct FontRow {
    int code;
    const char* face;
    int divisor;
    bool italic = false;
    int width = 0;
    int orientation = 0;
};

constexpr FontRow kFonts[] = {
    {0, "Arial", 38},
    {33, "Arial", 33},
    {1, "Arial", 30},
    {15, "Arial", 27},
    {16, "Arial", 27, true, 10},
    {18, "Arial", 21},
    {2, "Arial", 23},
    {21, "Courier", 20, false, 0, 1000},
    {22, "Courier", 22, false, 0, 1000},
    {3, "Arial", 20},
    {4, "Arial", 16},
    {5, "Arial", 12},
};

std::string TwoDigits(int number) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02d", number);
    return digits;
}

const char* BlackModeLetter(bool blackMode, bool screen) {
    if (!blackMode)
        return "";
    return screen ? "B" : "N";
}

} // namespace

std::int32_t RoundHalfEven(long double value) {
    constexpr long double low = std::numeric_limits<std::int32_t>::min();
    constexpr long double high = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(value))
        return 0;
    // nearbyint follows the rounding mode, which is to-nearest-even unless someone changed
    // it; the program never does.
    const long double rounded = std::nearbyintl(value);
    if (rounded <= low)
        return std::numeric_limits<std::int32_t>::min();
    if (rounded >= high)
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(rounded);
}

DrawingSurface& GlobalDrawingSurface() {
    static DrawingSurface surface;
    return surface;
}

void SetScreenScale(int screenWidth, int screenHeight, DrawingSurface& surface) {
    const long double aspect = static_cast<long double>(screenHeight) / screenWidth;
    surface.PageScale = screenWidth / 210.0L * aspect;
    surface.FontBase = static_cast<float>(surface.PageScale * 3.7L);
    surface.Zoom = 1.0L;
}

void SetPrinterScale(int pageWidth, DrawingSurface& surface) {
    surface.PrinterPresent = true;
    surface.PrinterMillimetreScale = (pageWidth == 0 ? 1000 : pageWidth) / 210.0L * 0.776L;
}

DrawingTarget* DrawingSurface::Target() const {
    if (Printing)
        return PrinterPresent ? PrinterCanvas : nullptr;
    if (MetafileOutput)
        return MetafileCanvas;
    return ActiveChartWindow;
}

std::int32_t DrawingSurface::ToDeviceX(long double x) const {
    return RoundHalfEven(x / StretchH * PageScale * Zoom) + OffsetX;
}

std::int32_t DrawingSurface::ToDeviceY(long double y) const {
    return RoundHalfEven(y / StretchV * PageScale * Zoom) + OffsetY;
}

Colour DrawingSurface::DisplayColour(Colour colour) const {
    if (!BlackMode || colour == kWhite)
        return colour;
    return OnScreen() ? kWhite : kBlack;
}

PenInfo DrawingSurface::PenOfCode(int code) const {
    const PenRow row = PenRowOfCode(code);
    const long double base = PageScale * row.base * (row.zoomed ? Zoom : 1.0L);
    return PenInfo{DisplayColour(row.colour), RoundHalfEven(base * LineFactor), row.style};
}

std::optional<int> DrawingSurface::PenCodeOfRole(int role) const {
    const bool screen = OnScreen();
    switch (role) {
    case 0:
        return screen ? 1 : 0;
    case 4:
        return screen ? 5 : 4;
    case 10:
        return screen ? 17 : 10;
    case 2:
        return screen ? std::optional<int>(7) : std::nullopt;
    case 7:
        return screen ? std::optional<int>(2) : std::nullopt;
    default:
        return std::nullopt;
    }
}

std::optional<FontInfo> DrawingSurface::FontOfCode(int code) const {
    for (const FontRow& row : kFonts) {
        if (row.code != code)
            continue;
        const std::int32_t full = RoundHalfEven(FontBase * 30.0L * Zoom);
        FontInfo font;
        font.face = row.face;
        font.height = full / row.divisor;
        font.width = row.width;
        font.orientation = row.orientation;
        font.weight = 10;
        font.italic = row.italic;
        font.charset = 0;
        font.quality = 2;
        return font;
    }
    return std::nullopt;
}

void DrawingSurface::select(DrawingTarget& dc, SelectedObject& slot, ObjectHandle created) {
    release(slot);
    slot.target = &dc;
    slot.targetSerial = dc.serial();
    slot.created = created;
    slot.replaced = dc.selectObject(created);
}

void DrawingSurface::release(SelectedObject& slot) {
    if (slot.created == 0 || slot.target == nullptr)
        return;
    if (!DrawingTarget::IsLive(slot.targetSerial)) {
        slot = {}; // its objects went with it
        return;
    }
    slot.target->selectObject(slot.replaced);
    slot.target->deleteObject(slot.created);
    slot = {};
}

void DrawingSurface::SelectPen(DrawingTarget& dc, int code) {
    release(CurrentPen);
    select(dc, CurrentPen, dc.createPen(PenOfCode(code)));
}

void DrawingSurface::SelectRolePen(DrawingTarget& dc, int role) {
    if (const std::optional<int> code = PenCodeOfRole(role))
        SelectPen(dc, *code);
}

void DrawingSurface::ReleasePen(DrawingTarget&) {
    release(CurrentPen);
}

void DrawingSurface::SelectBrush(DrawingTarget& dc, Colour colour) {
    // A brush still selected from before is given back first, so that its release
    // restores the caller's brush and nothing is left undeleted.
    release(CurrentBrush);
    select(dc, CurrentBrush, dc.createBrush(DisplayColour(colour)));
}

void DrawingSurface::ReleaseBrush(DrawingTarget&) {
    release(CurrentBrush);
}

void DrawingSurface::SetTextRole(DrawingTarget& dc, int role) {
    if (role == 0)
        dc.setTextColour(OnScreen() ? kWhite : kBlack);
    else if (role == 4)
        dc.setTextColour(OnScreen() ? kAqua : kBlue);
}

void DrawingSurface::SelectFont(DrawingTarget& dc, int code) {
    if (BlackMode)
        SetTextRole(dc, 0);
    if (const std::optional<FontInfo> font = FontOfCode(code))
        select(dc, CurrentFont, dc.createFont(*font));
}

void DrawingSurface::ReleaseFont(DrawingTarget&) {
    release(CurrentFont);
}

void DrawingSurface::MoveToPoint(DrawingTarget& dc, long double x, long double y) {
    dc.moveTo(ToDevice(x, y));
}

void DrawingSurface::LineToPoint(DrawingTarget& dc, long double x, long double y) {
    dc.lineTo(ToDevice(x, y));
}

void DrawingSurface::DrawLine(DrawingTarget& dc, LogicalPoint from, LogicalPoint to) {
    MoveToPoint(dc, from.x, from.y);
    LineToPoint(dc, to.x, to.y);
}

void DrawingSurface::DrawRectangle(DrawingTarget& dc, long double x1, long double y1,
                                   long double x2, long double y2) {
    dc.rectangle({ToDeviceX(x1), ToDeviceY(y1), ToDeviceX(x2), ToDeviceY(y2)});
}

void DrawingSurface::DrawEllipse(DrawingTarget& dc, long double x1, long double y1, long double x2,
                                 long double y2) {
    dc.ellipse({ToDeviceX(x1), ToDeviceY(y1), ToDeviceX(x2), ToDeviceY(y2)});
}

void DrawingSurface::DrawCircle(DrawingTarget& dc, long double r, long double x, long double y) {
    if (OnScreen() && Zoom == 1.0L) {
        const DevicePoint start = ToDevice(x + r, y);
        dc.arc({ToDeviceX(x - r), ToDeviceY(y - r), ToDeviceX(x + r), ToDeviceY(y + r)}, start,
               start);
        return;
    }
    MoveToPoint(dc, x, y - r);
    for (int degrees = 5; degrees <= 360; degrees += 5) {
        const long double d = degrees * std::acos(-1.0L) / 180.0L;
        LineToPoint(dc, x + r * std::sin(d), y - r * std::cos(d));
    }
}

void DrawingSurface::DrawDashedLine(DrawingTarget& dc, LogicalPoint from, LogicalPoint to) {
    const long double dx = (to.x - from.x) / 44, dy = (to.y - from.y) / 44;
    for (int k = 0; k < 15; ++k) {
        MoveToPoint(dc, from.x + dx * (3 * k), from.y + dy * (3 * k));
        LineToPoint(dc, from.x + dx * (3 * k + 2), from.y + dy * (3 * k + 2));
    }
}

void DrawingSurface::dots(DrawingTarget& dc, LogicalPoint from, LogicalPoint to,
                          long double radius) {
    const long double dx = to.x - from.x, dy = to.y - from.y;
    const long double length = std::sqrt(dx * dx + dy * dy);
    // The dot count is not held in a byte: a line of more than 426 units keeps all its dots.
    const int count = RoundHalfEven(0.6L * length);
    for (int k = 0; k < count; ++k) {
        const long double step = k * 3 / (1.8L * length - 1);
        const long double cx = from.x + step * dx, cy = from.y + step * dy;
        DrawEllipse(dc, cx - radius, cy - radius, cx + radius, cy + radius);
    }
}

void DrawingSurface::DrawDottedLine(DrawingTarget& dc, LogicalPoint from, LogicalPoint to) {
    dots(dc, from, to, 0.5L);
}

void DrawingSurface::DrawFineDottedLine(DrawingTarget& dc, LogicalPoint from, LogicalPoint to) {
    dots(dc, from, to, 0.3L);
}

void DrawingSurface::text(DrawingTarget& dc, const std::string& text, int fontCode, TextAlign align,
                          long double x, long double y) {
    if (BlackMode)
        SetTextRole(dc, 0);
    const std::optional<FontInfo> font = FontOfCode(fontCode);
    ObjectHandle created = 0, replaced = 0;
    if (font) {
        created = dc.createFont(*font);
        replaced = dc.selectObject(created);
    }
    dc.text(ToDevice(x, y), align, text);
    if (font) {
        dc.selectObject(replaced);
        dc.deleteObject(created);
    }
}

void DrawingSurface::TextLeft(DrawingTarget& dc, const std::string& text, int fontCode,
                              long double x, long double y) {
    this->text(dc, text, fontCode, TextAlign::Left, x, y);
}

void DrawingSurface::TextRight(DrawingTarget& dc, const std::string& text, int fontCode,
                               long double x, long double y) {
    this->text(dc, text, fontCode, TextAlign::Right, x, y);
}

void DrawingSurface::TextCentre(DrawingTarget& dc, const std::string& text, int fontCode,
                                long double x, long double y) {
    this->text(dc, text, fontCode, TextAlign::Centre, x, y);
}

DeviceRect DrawingSurface::SymbolSquare(long double size, long double x, long double y) const {
    const DevicePoint centre = ToDevice(x, y);
    const std::int32_t half = RoundHalfEven(size / 2 * PageScale * Zoom);
    return {centre.x - half, centre.y - half, centre.x + half, centre.y + half};
}

void DrawingSurface::symbol(DrawingTarget& dc, const std::string& file, long double size,
                            long double x, long double y) {
    if (file.empty() || (OnScreen() && !dc.visible()))
        return;
    dc.picture(file, SymbolSquare(size, x, y));
}

void DrawingSurface::DrawPlanetSymbol(DrawingTarget& dc, int point, long double size, long double x,
                                      long double y) {
    symbol(dc, PlanetSymbolFile(point, BlackMode, OnScreen()), size, x, y);
}

void DrawingSurface::DrawSignSymbol(DrawingTarget& dc, int sign, const std::string& prefix,
                                    long double size, long double x, long double y) {
    if (OnScreen() && !NatalChartActive)
        return;
    symbol(dc, SignSymbolFile(sign, prefix, BlackMode, OnScreen()), size, x, y);
}

void DrawingSurface::DrawElementSymbol(DrawingTarget& dc, int element, long double size,
                                       long double x, long double y) {
    symbol(dc, ElementSymbolFile(element, BlackMode, OnScreen()), size, x, y);
}

void DrawingSurface::DrawMarkerGlyph(DrawingTarget& dc, int code, long double size, long double x,
                                     long double y) {
    const MarkerGlyph glyph = MarkerGlyphOfCode(code);
    if (glyph.polylines.empty())
        return;
    SelectPen(dc, OnScreen() ? glyph.screenPen : glyph.paperPen);
    const long double k = size * 0.45L;
    for (const std::vector<LogicalPoint>& line : glyph.polylines) {
        MoveToPoint(dc, x + line.front().x * k, y + line.front().y * k);
        for (std::size_t i = 1; i < line.size(); ++i)
            LineToPoint(dc, x + line[i].x * k, y + line[i].y * k);
    }
    ReleasePen(dc);
}

void DrawingSurface::DrawPageFrame(DrawingTarget& dc, bool printerLandscape) {
    if (!OnScreen() || !PrinterPresent)
        return;
    const long double height = printerLandscape ? 202 : 405;
    SelectPen(dc, 7);
    MoveToPoint(dc, 1, 1);
    LineToPoint(dc, 279, 1);
    LineToPoint(dc, 279, height);
    LineToPoint(dc, 1, height);
    LineToPoint(dc, 1, 1);
    ReleasePen(dc);
}

DrawingSurface::ScreenScale DrawingSurface::BeginPrintScale(int printerPageWidth) {
    const ScreenScale saved{PageScale, StretchH, StretchV};
    Printing = true;
    PageScale = printerPageWidth / 210.0L * 0.776L;
    StretchH = StretchV = 1.0L;
    FontBase = static_cast<float>(RoundHalfEven(printerPageWidth / 82.0L));
    return saved;
}

void DrawingSurface::EndPrintScale(const ScreenScale& saved) {
    PageScale = saved.PageScale;
    StretchH = saved.StretchH;
    StretchV = saved.StretchV;
    FontBase = static_cast<float>(RoundHalfEven(PageScale * 3.7L));
    Printing = false;
}

void DrawingSurface::ResetChartView() {
    Zoom = 1.0L;
    OffsetX = OffsetY = 0;
    BlackMode = false;
}

std::string PlanetSymbolFile(int point, bool blackMode, bool screen) {
    int number = point;
    switch (point) {
    case 8:
        number = 11;
        break; // North node
    case 9:
        number = 13;
        break; // South node
    case 10:
        number = 14;
        break; // Ascendant
    case 11:
        number = 15;
        break; // Midheaven
    default:
        break;
    }
    return std::string("Simboli\\PiaX") + BlackModeLetter(blackMode, screen) + TwoDigits(number) +
           ".emf";
}

std::string SignSymbolFile(int sign, const std::string& prefix, bool blackMode, bool screen) {
    return "Zodiaco\\Seg" + prefix + BlackModeLetter(blackMode, screen) + TwoDigits(sign) + ".emf";
}

std::string ElementSymbolFile(int element, bool blackMode, bool screen) {
    static const char* const names[] = {"ElFuo1", "ElTer1", "ElAri1", "ElAcq1",
                                        "ElSal2", "ElZol2", "ElMer2"};
    if (element < 1 || element > 7)
        return {};
    return std::string("Simboli\\") + names[element - 1] + BlackModeLetter(blackMode, screen) +
           ".emf";
}

} // namespace exo
