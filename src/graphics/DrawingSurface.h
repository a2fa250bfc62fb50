#pragma once
// The drawing surface shared by the screen, the printer and the metafiles. A picture is a
// sequence of calls in logical page units (x to the right, y downward); the surface turns
// them into device pixels, pens, brushes and fonts and hands them to the target the
// process-wide flags choose. Its scale factors are set once at start-up from the screen
// and the printer.
#include "graphics/DrawingTarget.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace exo {

struct LogicalPoint {
    long double x = 0;
    long double y = 0;
};

// Rounds halves to the even neighbour; values beyond 32 bits are held at the limits.
std::int32_t RoundHalfEven(long double value);

// A created object selected into a target, and the object it replaced there.
struct SelectedObject {
    DrawingTarget* target = nullptr;
    std::uint64_t targetSerial = 0;
    ObjectHandle created = 0;
    ObjectHandle replaced = 0;
};

struct DrawingSurface {
    long double PageScale = 0; // device pixels per logical unit
    float FontBase = 0;        // base of every font height
    long double Zoom = 1.0L;
    std::int32_t OffsetX = 0;
    std::int32_t OffsetY = 0;
    long double StretchH = 1.0L;
    long double StretchV = 1.0L;
    long double LineFactor = 1.0L;
    bool Printing = false;
    bool MetafileOutput = false;
    bool PrinterPresent = false;
    bool BlackMode = false;
    // Printer pixels per millimetre of the sheet as the printed pages lay it out.
    long double PrinterMillimetreScale = 0;

    // The canvas of the chart window that is active, the printer's, the metafile's being
    // written; the windows and the print and export jobs set them.
    DrawingTarget* ActiveChartWindow = nullptr;
    bool NatalChartActive = false; // ActiveChartWindow is the natal chart window
    DrawingTarget* PrinterCanvas = nullptr;
    DrawingTarget* MetafileCanvas = nullptr;

    SelectedObject CurrentPen;
    SelectedObject CurrentBrush;
    SelectedObject CurrentFont;

    // Neither printing nor writing a metafile.
    bool OnScreen() const { return !Printing && !MetafileOutput; }
    // Where drawing goes now; none while printing without a printer.
    DrawingTarget* Target() const;

    std::int32_t ToDeviceX(long double x) const;
    std::int32_t ToDeviceY(long double y) const;
    DevicePoint ToDevice(long double x, long double y) const {
        return {ToDeviceX(x), ToDeviceY(y)};
    }

    // Black mode: every colour but white becomes black on paper or metafile, white on screen.
    Colour DisplayColour(Colour colour) const;
    PenInfo PenOfCode(int code) const;
    // The pen code of a role on the present target; none for roles 2 and 7 off screen.
    std::optional<int> PenCodeOfRole(int role) const;
    // None for a code outside the font table.
    std::optional<FontInfo> FontOfCode(int code) const;

    void SelectPen(DrawingTarget& dc, int code);
    void SelectRolePen(DrawingTarget& dc, int role);
    void ReleasePen(DrawingTarget& dc);
    void SelectBrush(DrawingTarget& dc, Colour colour);
    void ReleaseBrush(DrawingTarget& dc);
    void SetTextRole(DrawingTarget& dc, int role);
    void SelectFont(DrawingTarget& dc, int code);
    void ReleaseFont(DrawingTarget& dc);

    void MoveToPoint(DrawingTarget& dc, long double x, long double y);
    void LineToPoint(DrawingTarget& dc, long double x, long double y);
    // A line from one point to the other with the selected pen.
    void DrawLine(DrawingTarget& dc, LogicalPoint from, LogicalPoint to);
    void DrawRectangle(DrawingTarget& dc, long double x1, long double y1, long double x2,
                       long double y2);
    void DrawEllipse(DrawingTarget& dc, long double x1, long double y1, long double x2,
                     long double y2);
    void DrawCircle(DrawingTarget& dc, long double r, long double x, long double y);
    void DrawDashedLine(DrawingTarget& dc, LogicalPoint from, LogicalPoint to);
    void DrawDottedLine(DrawingTarget& dc, LogicalPoint from, LogicalPoint to);
    void DrawFineDottedLine(DrawingTarget& dc, LogicalPoint from, LogicalPoint to);

    // Windows-1252 text with its top at y; the font is selected for the text only.
    void TextLeft(DrawingTarget& dc, const std::string& text, int fontCode, long double x,
                  long double y);
    void TextRight(DrawingTarget& dc, const std::string& text, int fontCode, long double x,
                   long double y);
    void TextCentre(DrawingTarget& dc, const std::string& text, int fontCode, long double x,
                    long double y);

    // The symbol pictures, centred on (x, y) in a square of side size (not stretched).
    void DrawPlanetSymbol(DrawingTarget& dc, int point, long double size, long double x,
                          long double y);
    void DrawSignSymbol(DrawingTarget& dc, int sign, const std::string& prefix, long double size,
                        long double x, long double y);
    void DrawElementSymbol(DrawingTarget& dc, int element, long double size, long double x,
                           long double y);
    DeviceRect SymbolSquare(long double size, long double x, long double y) const;

    // The aspect marker glyphs 1 … 14; other codes draw nothing.
    void DrawMarkerGlyph(DrawingTarget& dc, int code, long double size, long double x,
                         long double y);

    // The printer's sheet outlined in yellow, on screen only and only with a printer.
    void DrawPageFrame(DrawingTarget& dc, bool printerLandscape);

    // The screen's scale, kept while a print job draws at the printer's.
    struct ScreenScale {
        long double PageScale = 0;
        long double StretchH = 1.0L;
        long double StretchV = 1.0L;
    };
    // Printing on, the printer's page scale and font base, no stretch.
    ScreenScale BeginPrintScale(int printerPageWidth);
    // The screen's scale back, the font base rounded from it, printing off.
    void EndPrintScale(const ScreenScale& saved);
    // The natal chart window closes: no zoom, no pan, colours back.
    void ResetChartView();

  private:
    void select(DrawingTarget& dc, SelectedObject& slot, ObjectHandle created);
    void release(SelectedObject& slot);
    void text(DrawingTarget& dc, const std::string& text, int fontCode, TextAlign align,
              long double x, long double y);
    void dots(DrawingTarget& dc, LogicalPoint from, LogicalPoint to, long double radius);
    void symbol(DrawingTarget& dc, const std::string& file, long double size, long double x,
                long double y);
};

DrawingSurface& GlobalDrawingSurface();

// Start-up: PageScale = width ÷ 210 × (height ÷ width), FontBase = PageScale × 3.7, Zoom 1.
void SetScreenScale(int screenWidth, int screenHeight,
                    DrawingSurface& surface = GlobalDrawingSurface());

// A printer that answered with its page width (0 taken as 1000): page width ÷ 210 × 0.776.
void SetPrinterScale(int pageWidth, DrawingSurface& surface = GlobalDrawingSurface());

// Symbol picture names below the program folder. `screen` picks the black-mode "B" files,
// otherwise the "N" files.
std::string PlanetSymbolFile(int point, bool blackMode, bool screen);
std::string SignSymbolFile(int sign, const std::string& prefix, bool blackMode, bool screen);
std::string ElementSymbolFile(int element, bool blackMode, bool screen);

// A marker glyph: its pen on screen or off it, and its polylines in glyph units.
struct MarkerGlyph {
    int screenPen = 0;
    int paperPen = 0;
    std::vector<std::vector<LogicalPoint>> polylines;
};
// Empty polylines for a code outside 1 … 14.
MarkerGlyph MarkerGlyphOfCode(int code);

} // namespace exo
