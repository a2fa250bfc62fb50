#include "graphics/DrawingSurface.h"

namespace exo {

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

} // namespace exo
