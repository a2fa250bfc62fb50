#pragma once
// The report texts on disk. A text is saved in rich text format (RTF, Windows-1252 with
// \uN escapes for other characters): paragraphs with their alignment and first, left and
// right indents, runs with font name, size, bold, italic, underline and strike-out. A file
// that does not begin with "{\rtf" is a plain Windows-1252 text and loads as plain text.
#include <QByteArray>

class QTextDocument;

namespace exo {

// Twips (RTF's unit, 1/20 point) per pixel of the document: indents are held in pixels of
// 3/4 point, as the ruler shows them.
inline constexpr double kTwipsPerPixel = 15.0;

bool IsRichText(const QByteArray& bytes);

// The document as an RTF file.
QByteArray RichTextOf(const QTextDocument& document);

// Replaces the document's content by the file's: RTF read as above (other groups and
// control words are passed over), anything else as plain text in the document's default
// font.
void LoadReportText(const QByteArray& bytes, QTextDocument& document);

} // namespace exo
