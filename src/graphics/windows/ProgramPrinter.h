#pragma once
// The program's printer. A machine without a system printer still has one: printing then
// writes a PDF file the user names.
class QPrinter;

namespace exo {

QPrinter& ProgramPrinter();

// Whether the printer is the PDF writer that stands in for a missing system printer.
bool PrinterIsPdfFile();

} // namespace exo
