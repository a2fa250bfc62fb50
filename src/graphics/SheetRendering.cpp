#include "graphics/SheetRendering.h"

#include "graphics/EmfTarget.h"
#include "graphics/PainterTarget.h"
#include "platform/TextFile.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace exo {

namespace {

constexpr long double kPageWidthUnits = 279;
constexpr int kPdfResolution = 600;

// Keeps the surface's scale, zoom, pan, flags and targets, and puts them back.
class SurfaceScope {
  public:
    explicit SurfaceScope(DrawingSurface& surface) : surface_(surface), saved_(surface) {}
    ~SurfaceScope() {
        // The pen, brush and font slots refer to the targets of this drawing: they were
        // released by the drawing itself.
        const SelectedObject pen = surface_.CurrentPen, brush = surface_.CurrentBrush,
                             font = surface_.CurrentFont;
        surface_ = saved_;
        surface_.CurrentPen = pen;
        surface_.CurrentBrush = brush;
        surface_.CurrentFont = font;
    }
    SurfaceScope(const SurfaceScope&) = delete;
    SurfaceScope& operator=(const SurfaceScope&) = delete;

  private:
    DrawingSurface& surface_;
    DrawingSurface saved_;
};

int PageHeightPixels(std::int32_t layout, int width) {
    const long double units = SheetIsLandscape(layout) ? 202 : 405;
    return static_cast<int>(std::lround(width * units / kPageWidthUnits));
}

// The screen scale of a page `width` pixels across.
void UsePageWidth(DrawingSurface& surface, int width) {
    surface.PageScale = width / kPageWidthUnits;
    surface.FontBase = static_cast<float>(surface.PageScale * 3.7L);
    surface.Zoom = 1.0L;
    surface.OffsetX = surface.OffsetY = 0;
}

void Draw(DrawingSurface& surface, DrawingTarget& target, const NatalSheetState& state,
          const SheetInputs& inputs) {
    DrawCurrentSheet(surface, target, state, inputs, SheetIsLandscape(state.SummaryLayout));
}

std::string LowerExtension(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    std::string extension = dot == std::string::npos ? std::string() : path.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

} // namespace

bool SheetIsLandscape(std::int32_t layout) {
    return SheetOrientationOf(layout) == "L";
}

QImage RenderSheetImage(DrawingSurface& surface, const NatalSheetState& state,
                        const SheetInputs& inputs, const SheetRenderOptions& options) {
    const SurfaceScope scope(surface);
    const int width = std::max(options.width, 16);
    QImage image(width, PageHeightPixels(state.SummaryLayout, width), QImage::Format_RGB32);
    image.fill(Qt::black);
    UsePageWidth(surface, width);
    surface.Printing = surface.MetafileOutput = false;
    surface.PrinterPresent = false; // no page frame on the picture
    surface.BlackMode = options.blackMode;
    surface.NatalChartActive = true;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    {
        PainterTarget target(painter);
        surface.ActiveChartWindow = &target;
        Draw(surface, target, state, inputs);
    }
    painter.end();
    return image;
}

std::vector<char> RenderSheetPdf(DrawingSurface& surface, const NatalSheetState& state,
                                 const SheetInputs& inputs, const SheetRenderOptions& options) {
    const SurfaceScope scope(surface);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setCreator(QStringLiteral("ExOrvexEsp"));
        writer.setPageLayout(QPageLayout(
            QPageSize(QPageSize::A4),
            SheetIsLandscape(state.SummaryLayout) ? QPageLayout::Landscape : QPageLayout::Portrait,
            QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        surface.Zoom = 1.0L;
        surface.OffsetX = surface.OffsetY = 0;
        surface.PrinterPresent = true;
        surface.BlackMode = options.blackMode;
        QPainter painter(&writer);
        {
            PainterTarget target(painter);
            surface.PrinterCanvas = &target;
            const DrawingSurface::ScreenScale saved = surface.BeginPrintScale(writer.width());
            Draw(surface, target, state, inputs);
            surface.EndPrintScale(saved);
        }
        painter.end();
    }
    return {bytes.begin(), bytes.end()};
}

std::vector<std::uint8_t> RenderSheetMetafile(DrawingSurface& surface, const NatalSheetState& state,
                                              const SheetInputs& inputs,
                                              const SheetRenderOptions& options) {
    const SurfaceScope scope(surface);
    const int width = std::max(options.width, 16);
    const int height = PageHeightPixels(state.SummaryLayout, width);
    UsePageWidth(surface, width);
    surface.MetafileOutput = true;
    surface.Printing = false;
    surface.PrinterPresent = true;
    surface.BlackMode = options.blackMode;
    EmfTarget metafile(width, height);
    surface.MetafileCanvas = &metafile;
    Draw(surface, metafile, state, inputs);
    return metafile.finish();
}

void RenderSheetFile(const std::string& path, DrawingSurface& surface, const NatalSheetState& state,
                     const SheetInputs& inputs, const SheetRenderOptions& options) {
    const std::string extension = LowerExtension(path);
    if (extension == ".png") {
        const QImage image = RenderSheetImage(surface, state, inputs, options);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        ReplaceFileBytes(path, {bytes.constData(), static_cast<std::size_t>(bytes.size())},
                         "write");
    } else if (extension == ".pdf") {
        const std::vector<char> bytes = RenderSheetPdf(surface, state, inputs, options);
        ReplaceFileBytes(path, {bytes.data(), bytes.size()}, "write");
    } else if (extension == ".emf") {
        const std::vector<std::uint8_t> bytes =
            RenderSheetMetafile(surface, state, inputs, options);
        ReplaceFileBytes(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()},
                         "write");
    } else {
        throw std::invalid_argument("the file must end in .png, .pdf or .emf: " + path);
    }
}

} // namespace exo
