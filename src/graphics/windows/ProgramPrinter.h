#pragma once
// The program's printer. A machine without a system printer still has one: printing then
// writes a PDF file the user names.
class QPrinter;

namespace exo {

QPrinter& ProgramPrinter();

// Whether the printer is the PDF writer that stands in for a missing system printer.
bool PrinterIsPdfFile();

// The orientation the printer is set to: the sheets print, and record their metafiles, in it.
bool PrinterIsLandscape();
void SetPrinterLandscape(bool landscape);

} // namespace exo
