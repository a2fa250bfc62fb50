#include "graphics/windows/ProgramPrinter.h"

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

namespace exo {

namespace {
bool& PdfFile() {
    static bool pdf = false;
    return pdf;
}
} // namespace

QPrinter& ProgramPrinter() {
    static QPrinter* printer = [] {
        auto* p = new QPrinter(QPrinter::HighResolution);
        if (QPrinterInfo::availablePrinters().isEmpty()) {
            p->setOutputFormat(QPrinter::PdfFormat);
            PdfFile() = true;
        }
        return p;
    }();
    return *printer;
}

bool PrinterIsPdfFile() {
    ProgramPrinter();
    return PdfFile();
}

bool PrinterIsLandscape() {
    return ProgramPrinter().pageLayout().orientation() == QPageLayout::Landscape;
}

void SetPrinterLandscape(bool landscape) {
    ProgramPrinter().setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

} // namespace exo
