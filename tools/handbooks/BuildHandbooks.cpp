// build_handbooks <handbook.md> <handbook.pdf>
//
// Lays one of the program's handbooks (Markdown, Spanish, UTF-8, in data/handbooks) out on
// A4 pages and writes it as PDF: Liberation Serif for the text, Liberation Sans for the
// headings, the product line at the head of the first page and the page number in every
// footer. The first level-1 heading is the handbook's title.
//
// The PDF writer stamps the creation time into the file; the builder replaces it by a
// fixed time, so that the same sources give the same bytes.
#include <QAbstractTextDocumentLayout>
#include <QByteArray>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHashFunctions>
#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>

#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace {

const QString kProductLine = QStringLiteral("Calyxa Esp Professional LUMENTA");
const QString kSerif = QStringLiteral("Liberation Serif");
const QString kSans = QStringLiteral("Liberation Sans");

const QColor kInk(0x1a, 0x1a, 0x1a);
const QColor kHeadingBlue(0x1b, 0x2a, 0x55);
const QColor kRuleGold(0xa8, 0x84, 0x2c);
const QColor kFooterGrey(0x55, 0x55, 0x55);

// Page geometry in millimetres.
constexpr double kMarginLeft = 25.0;
constexpr double kMarginRight = 22.0;
constexpr double kMarginTop = 24.0;
constexpr double kMarginBottom = 24.0;
constexpr double kHeaderBaseline = 15.0; // from the top edge, first page only
constexpr double kFooterBaseline = 13.0; // from the bottom edge

constexpr int kResolution = 1200; // device units per inch

struct BuildError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

double DeviceUnits(double millimetres) {
    return millimetres / 25.4 * kResolution;
}

QString ReadUtf8(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw BuildError("cannot read " + path.toStdString());
    return QString::fromUtf8(file.readAll());
}

// Falling back on another face would change every line break without a word; the fonts
// come from the fonts-liberation package.
QFont CheckedFont(const QString& family, double pointSize) {
    if (!QFontDatabase::hasFamily(family))
        throw BuildError(family.toStdString() + " is not installed (package fonts-liberation)");
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setKerning(true);
    return font;
}

struct HeadingStyle {
    double pointSize;
    double spaceBefore; // points
    double spaceAfter;
};

HeadingStyle HeadingStyleOf(int level) {
    switch (level) {
    case 1:
        return {19.0, 0.0, 10.0};
    case 2:
        return {13.5, 16.0, 5.0};
    default:
        return {11.5, 11.0, 3.0};
    }
}

// Device units of a length in points on the PDF writer.
double PointsToDevice(double points) {
    return points / 72.0 * kResolution;
}

// Lengths in text formats (margins, indents, borders, padding) are screen pixels of 96 dpi,
// which the layout scales to the writer's resolution.
double PointsToFormat(double points) {
    return points / 72.0 * 96.0;
}

void StyleHeading(QTextBlock block, int level) {
    const HeadingStyle style = HeadingStyleOf(level);
    QTextCursor cursor(block);
    QTextBlockFormat blockFormat = block.blockFormat();
    blockFormat.setTopMargin(PointsToFormat(style.spaceBefore));
    blockFormat.setBottomMargin(PointsToFormat(style.spaceAfter));
    blockFormat.setAlignment(Qt::AlignLeft);
    cursor.setBlockFormat(blockFormat);

    // The Markdown reader sizes headings relative to the default font; they get sizes of
    // their own here, fragment by fragment so that emphasis inside a heading stays. The
    // fragments are taken first, since a format change may merge them.
    QList<QTextFragment> parts;
    for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
        parts.append(fragment.fragment());
    for (const QTextFragment& part : parts) {
        QTextCharFormat format = part.charFormat();
        format.clearProperty(QTextFormat::FontSizeAdjustment);
        format.setFontFamilies({kSans});
        format.setFontPointSize(style.pointSize);
        format.setFontWeight(QFont::Bold);
        format.setForeground(kHeadingBlue);
        QTextCursor span(block);
        span.setPosition(part.position());
        span.setPosition(part.position() + part.length(), QTextCursor::KeepAnchor);
        span.setCharFormat(format);
    }
}

void StyleParagraph(QTextBlock block) {
    QTextCursor cursor(block);
    QTextBlockFormat blockFormat = block.blockFormat();
    blockFormat.setLineHeight(118, QTextBlockFormat::ProportionalHeight);
    blockFormat.setBottomMargin(PointsToFormat(block.textList() ? 2.0 : 6.0));
    if (!block.textList() && !cursor.currentTable())
        blockFormat.setAlignment(Qt::AlignJustify);
    cursor.setBlockFormat(blockFormat);
    QTextCharFormat ink;
    ink.setForeground(kInk);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.mergeCharFormat(ink);
}

void StyleTable(QTextTable* table) {
    QTextTableFormat format = table->format();
    format.setBorderCollapse(true);
    format.setBorder(0);
    format.setCellPadding(PointsToFormat(3.0));
    format.setCellSpacing(0);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    format.setHeaderRowCount(1);
    format.setTopMargin(PointsToFormat(4.0));
    format.setBottomMargin(PointsToFormat(8.0));
    table->setFormat(format);
    // A hairline under every row; the heading row shaded and bold.
    for (int row = 0; row < table->rows(); ++row)
        for (int column = 0; column < table->columns(); ++column) {
            QTextTableCell cell = table->cellAt(row, column);
            QTextTableCellFormat cellFormat = cell.format().toTableCellFormat();
            cellFormat.setBottomBorder(PointsToFormat(row == 0 ? 0.8 : 0.4));
            cellFormat.setBottomBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            cellFormat.setBottomBorderBrush(QColor(0x9a, 0x9f, 0xb3));
            if (row == 0)
                cellFormat.setBackground(QColor(0xe9, 0xec, 0xf4));
            cell.setFormat(cellFormat);
            if (row == 0) {
                QTextCursor span = cell.firstCursorPosition();
                span.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
                QTextCharFormat bold;
                bold.setFontWeight(QFont::Bold);
                span.mergeCharFormat(bold);
            }
        }
}

void StyleDocument(QTextDocument& document) {
    QFont body = CheckedFont(kSerif, 11.0);
    CheckedFont(kSans, 11.0);
    document.setDefaultFont(body);
    document.setDocumentMargin(0);
    document.setIndentWidth(PointsToFormat(16.0));
    QTextFrameFormat root = document.rootFrame()->frameFormat();
    root.setMargin(0);
    root.setPadding(0);
    document.rootFrame()->setFrameFormat(root);

    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level > 0)
            StyleHeading(block, level);
        else
            StyleParagraph(block);
    }
    for (QTextFrame* frame : document.rootFrame()->childFrames())
        if (auto* table = qobject_cast<QTextTable*>(frame))
            StyleTable(table);
}

QString TitleOf(const QTextDocument& document) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        if (block.blockFormat().headingLevel() == 1)
            return block.text().trimmed();
    throw BuildError("the handbook has no level-1 heading for its title");
}

// The layout keeps positions in 1/64 units, so a line pushed to the head of a page may sit
// a hair above the computed page edge.
int PageOf(double y, double pageHeight) {
    return static_cast<int>(std::floor((y + 1.0) / pageHeight));
}

double LineTop(const QTextLayout& layout, int line) {
    return layout.position().y() + layout.lineAt(line).y();
}

bool InRootFrame(const QTextBlock& block) {
    return QTextCursor(block).currentFrame() == block.document()->rootFrame();
}

// A heading must not stay alone at the foot of a page, and a paragraph must not leave a
// single line behind on one page or carry a single line over to the next.
bool BreaksBadly(const QTextBlock& block, double pageHeight) {
    const QTextLayout& layout = *block.layout();
    const int lines = layout.lineCount();
    if (lines == 0 || !InRootFrame(block))
        return false;
    const int firstPage = PageOf(LineTop(layout, 0), pageHeight);
    if (block.blockFormat().headingLevel() > 0) {
        const QTextBlock next = block.next();
        return next.isValid() && next.layout()->lineCount() > 0 &&
               PageOf(LineTop(*next.layout(), 0), pageHeight) > firstPage;
    }
    int linesOnFirstPage = 0;
    while (linesOnFirstPage < lines &&
           PageOf(LineTop(layout, linesOnFirstPage), pageHeight) == firstPage)
        ++linesOnFirstPage;
    const int linesCarried = lines - linesOnFirstPage;
    return linesCarried > 0 && (linesOnFirstPage < 2 || linesCarried < 2);
}

bool StartsPage(const QTextBlock& block) {
    return block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore;
}

// The headings just above a block go to the new page with it.
QTextBlock WithHeadingsAbove(QTextBlock block) {
    for (QTextBlock above = block.previous();
         above.isValid() && above.blockFormat().headingLevel() > 0 && InRootFrame(above) &&
         !StartsPage(block);
         above = block.previous())
        block = above;
    return block;
}

// Each block that breaks badly starts a new page; the layout is redone after each move,
// since a move shifts everything after it.
void KeepTextTogether(QTextDocument& document, double pageHeight) {
    for (bool moved = true; moved;) {
        moved = false;
        document.pageCount(); // lays the whole document out
        for (QTextBlock block = document.begin(); block.isValid() && !moved; block = block.next()) {
            if (StartsPage(block) || !BreaksBadly(block, pageHeight))
                continue;
            const QTextBlock first = WithHeadingsAbove(block);
            if (StartsPage(first))
                continue; // too long to fit on one page after its headings
            QTextBlockFormat format = first.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(first).setBlockFormat(format);
            moved = true;
        }
    }
}

void DrawHeader(QPainter& painter, const QRectF& page) {
    QFont font = CheckedFont(kSans, 9.0);
    font.setLetterSpacing(QFont::PercentageSpacing, 108);
    painter.setFont(font);
    painter.setPen(kHeadingBlue);
    const double baseline = DeviceUnits(kHeaderBaseline);
    const double left = DeviceUnits(kMarginLeft);
    const double right = page.width() - DeviceUnits(kMarginRight);
    painter.drawText(QPointF(left, baseline), kProductLine.toUpper());
    painter.setPen(QPen(kRuleGold, PointsToDevice(0.8)));
    const double rule = baseline + PointsToDevice(4.5);
    painter.drawLine(QPointF(left, rule), QPointF(right, rule));
}

void DrawFooter(QPainter& painter, const QRectF& page, const QString& title, int number,
                int count) {
    const double left = DeviceUnits(kMarginLeft);
    const double right = page.width() - DeviceUnits(kMarginRight);
    const double baseline = page.height() - DeviceUnits(kFooterBaseline);
    const double rule = baseline - PointsToDevice(10.0);
    painter.setPen(QPen(QColor(0xb9, 0xbd, 0xc9), PointsToDevice(0.5)));
    painter.drawLine(QPointF(left, rule), QPointF(right, rule));

    painter.setFont(CheckedFont(kSans, 8.0));
    painter.setPen(kFooterGrey);
    painter.drawText(QPointF(left, baseline), title);
    const QString pageText = QStringLiteral("Página %1 de %2").arg(number).arg(count);
    const double width = painter.fontMetrics().horizontalAdvance(pageText);
    painter.drawText(QPointF(right - width, baseline), pageText);
}

void PaintPages(QTextDocument& document, QPdfWriter& writer, const QString& title) {
    const QRectF page(0, 0, writer.width(), writer.height());
    const QRectF body(DeviceUnits(kMarginLeft), DeviceUnits(kMarginTop),
                      page.width() - DeviceUnits(kMarginLeft + kMarginRight),
                      page.height() - DeviceUnits(kMarginTop + kMarginBottom));
    document.documentLayout()->setPaintDevice(&writer);
    document.setPageSize(body.size());
    KeepTextTogether(document, body.height());

    QPainter painter;
    if (!painter.begin(&writer))
        throw BuildError("cannot start the PDF file");
    const int count = document.pageCount();
    for (int index = 0; index < count; ++index) {
        if (index > 0)
            writer.newPage();
        if (index == 0)
            DrawHeader(painter, page);
        painter.save();
        painter.translate(body.left(), body.top() - index * body.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, index * body.height(), body.width(), body.height());
        painter.setClipRect(context.clip);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        DrawFooter(painter, page, title, index + 1, count);
    }
    if (!painter.end())
        throw BuildError("cannot finish the PDF file");
}

// The writer stamps the current time into the information dictionary as
// "/CreationDate (D:YYYYMMDDHHmmSSZ)", the zone being "Z" or "+HH'mm'". The stamp is
// overwritten in place with a fixed time of the same length, so no offset in the file moves.
void FixCreationTime(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw BuildError("cannot reread " + path.toStdString());
    QByteArray bytes = file.readAll();
    file.close();

    const QByteArray key = "/CreationDate (D:";
    const qsizetype at = bytes.indexOf(key);
    const qsizetype start = at + key.size();
    const qsizetype end = at < 0 ? -1 : bytes.indexOf(')', start);
    const qsizetype zoneLength = end - start - 14;
    if (end < 0 || (zoneLength != 1 && zoneLength != 7))
        throw BuildError("no creation time of the expected form in " + path.toStdString());
    const QByteArray fixed = zoneLength == 1 ? "20000101000000Z" : "20000101000000+00'00'";
    bytes.replace(start, fixed.size(), fixed);

    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size() || !file.flush())
        throw BuildError("cannot rewrite " + path.toStdString());
}

void BuildHandbook(const QString& source, const QString& target) {
    QTextDocument document;
    document.setMarkdown(ReadUtf8(source), QTextDocument::MarkdownDialectGitHub);
    StyleDocument(document);
    const QString title = TitleOf(document);

    {
        QPdfWriter writer(target);
        writer.setResolution(kResolution);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("ExOrvexEsp"));
        PaintPages(document, writer, title);
    }
    FixCreationTime(target);
}

} // namespace

int main(int argc, char** argv) {
    // The writer keeps its fonts in hashes; a fixed seed keeps their order in the file. In
    // universal time the creation stamp has the same length wherever the builder runs.
    QHashSeed::setDeterministicGlobalSeed();
    qputenv("TZ", "UTC");
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: build_handbooks <handbook.md> <handbook.pdf>\n");
        return 2;
    }
    try {
        BuildHandbook(arguments.at(1), arguments.at(2));
    } catch (const BuildError& error) {
        std::fprintf(stderr, "build_handbooks: %s\n", error.what());
        return 1;
    }
    return 0;
}
