#pragma once
// The drawing surface shared by the screen, the printer and the metafiles: its scale
// factors are set once at start-up from the screen and the printer.
#include <cstdint>

namespace exo {

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
};

DrawingSurface& GlobalDrawingSurface();

// Start-up: PageScale = width ÷ 210 × (height ÷ width), FontBase = PageScale × 3.7, Zoom 1.
void SetScreenScale(int screenWidth, int screenHeight,
                    DrawingSurface& surface = GlobalDrawingSurface());

// A printer that answered with its page width (0 taken as 1000): page width ÷ 210 × 0.776.
void SetPrinterScale(int pageWidth, DrawingSurface& surface = GlobalDrawingSurface());

} // namespace exo
