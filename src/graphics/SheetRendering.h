#pragma once
// A chart sheet drawn into a file by the same call sequence as in the natal chart window:
// a PNG as the screen shows it, a PDF as the printer prints it, an EMF as the window
// exports it. The render command and the benchmarks use these.
#include "graphics/ChartSheets.h"

#include <cstdint>
#include <string>
#include <vector>

class QImage;

namespace exo {

struct SheetRenderOptions {
    bool blackMode = false;
    int width = 1600; // pixels across the page, for the screen picture and the metafile
};

// The logical page of a sheet: 279 × 202 units in landscape, 279 × 405 in portrait.
bool SheetIsLandscape(std::int32_t layout);

// The sheet on a black screen canvas of `width` pixels across the page.
QImage RenderSheetImage(DrawingSurface& surface, const NatalSheetState& state,
                        const SheetInputs& inputs, const SheetRenderOptions& options);
// The sheet printed on one A4 page of a PDF, in the sheet's orientation.
std::vector<char> RenderSheetPdf(DrawingSurface& surface, const NatalSheetState& state,
                                 const SheetInputs& inputs, const SheetRenderOptions& options);
// The sheet as an enhanced metafile, the drawing of the exported files.
std::vector<std::uint8_t> RenderSheetMetafile(DrawingSurface& surface, const NatalSheetState& state,
                                              const SheetInputs& inputs,
                                              const SheetRenderOptions& options);

// By the file's extension (.png, .pdf, .emf, any case); another extension raises
// std::invalid_argument, a failed write InOutError.
void RenderSheetFile(const std::string& path, DrawingSurface& surface, const NatalSheetState& state,
                     const SheetInputs& inputs, const SheetRenderOptions& options);

} // namespace exo
