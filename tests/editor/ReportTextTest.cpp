// The report texts on disk: RTF written and read back, foreign RTF, plain Windows-1252.
#include "editor/ReportText.h"

#include "GuiApplication.h"

#include <QGuiApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace exo {
namespace {

// Fonts need the application object.
class ReportText : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { test::EnsureGuiApplication(); }
};

QByteArray Bytes(const char* text) {
    return QByteArray(text);
}

struct Run {
    QString text;
    QString family;
    double size;
    bool bold = false, italic = false, underline = false, strike = false;
};

struct Paragraph {
    std::vector<Run> runs;
    Qt::Alignment alignment = Qt::AlignLeft;
    double left = 0, indent = 0, right = 0;
};

void Build(QTextDocument& document, const std::vector<Paragraph>& paragraphs) {
    QTextCursor cursor(&document);
    for (std::size_t p = 0; p < paragraphs.size(); ++p) {
        if (p > 0)
            cursor.insertBlock();
        QTextBlockFormat block;
        block.setAlignment(paragraphs[p].alignment);
        block.setLeftMargin(paragraphs[p].left);
        block.setTextIndent(paragraphs[p].indent);
        block.setRightMargin(paragraphs[p].right);
        cursor.setBlockFormat(block);
        for (const Run& run : paragraphs[p].runs) {
            QTextCharFormat chars;
            chars.setFontFamilies(QStringList{run.family});
            chars.setFontPointSize(run.size);
            chars.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
            chars.setFontItalic(run.italic);
            chars.setFontUnderline(run.underline);
            chars.setFontStrikeOut(run.strike);
            cursor.insertText(run.text, chars);
        }
    }
}

std::vector<Paragraph> Read(const QTextDocument& document) {
    std::vector<Paragraph> paragraphs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        Paragraph p;
        const QTextBlockFormat format = block.blockFormat();
        p.alignment = format.alignment() & Qt::AlignHorizontal_Mask;
        p.left = format.leftMargin();
        p.indent = format.textIndent();
        p.right = format.rightMargin();
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat chars = it.fragment().charFormat();
            p.runs.push_back({it.fragment().text(), chars.fontFamilies().toStringList().value(0),
                              chars.fontPointSize(), chars.fontWeight() >= QFont::Bold,
                              chars.fontItalic(), chars.fontUnderline(), chars.fontStrikeOut()});
        }
        paragraphs.push_back(p);
    }
    return paragraphs;
}

void ExpectSame(const std::vector<Paragraph>& got, const std::vector<Paragraph>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t p = 0; p < want.size(); ++p) {
        SCOPED_TRACE(p);
        EXPECT_EQ(got[p].alignment, want[p].alignment);
        EXPECT_DOUBLE_EQ(got[p].left, want[p].left);
        EXPECT_DOUBLE_EQ(got[p].indent, want[p].indent);
        EXPECT_DOUBLE_EQ(got[p].right, want[p].right);
        ASSERT_EQ(got[p].runs.size(), want[p].runs.size());
        for (std::size_t r = 0; r < want[p].runs.size(); ++r) {
            const Run& g = got[p].runs[r];
            const Run& w = want[p].runs[r];
            EXPECT_EQ(g.text.toStdString(), w.text.toStdString());
            EXPECT_EQ(g.family.toStdString(), w.family.toStdString());
            EXPECT_DOUBLE_EQ(g.size, w.size);
            EXPECT_EQ(g.bold, w.bold);
            EXPECT_EQ(g.italic, w.italic);
            EXPECT_EQ(g.underline, w.underline);
            EXPECT_EQ(g.strike, w.strike);
        }
    }
}

TEST_F(ReportText, PlainWindows1252FilesLoadAsPlainText) {
    QTextDocument document;
    LoadReportText(Bytes("P\xE9rez \x80\r\nl\xEDnea 2\r\n"), document);
    EXPECT_EQ(document.toPlainText().toStdString(), "Pérez €\nlínea 2\n");
    EXPECT_FALSE(document.isModified());
    EXPECT_FALSE(document.isUndoAvailable());
    EXPECT_FALSE(IsRichText(Bytes("ROSSI MARIO\r\n")));
    EXPECT_TRUE(IsRichText(Bytes("{\\rtf1 x}")));
}

TEST_F(ReportText, WrittenTextReadsBackWithItsFormats) {
    const std::vector<Paragraph> paragraphs = {
        {{{"Hola ", "Courier New", 10}, {"negrita", "Arial", 14, true}}},
        {{{"Llaves {} \\ y\ttab é € ж 😀", "Arial Narrow", 12, false, true, true, true}},
         Qt::AlignHCenter,
         30,
         -10,
         20},
        {{}, Qt::AlignRight},
        {{{"fin", "Courier New", 9.5}}, Qt::AlignJustify, 4, 8, 0},
    };
    QTextDocument written;
    Build(written, paragraphs);
    const QByteArray rtf = RichTextOf(written);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
    for (const char* piece : {"\\'e9", "\\'80", "\\u1078?", "\\{\\}", "\\\\", "\\tab ", "\\b ",
                              "\\qc\\li450\\fi-150\\ri300", "\\fs19 "})
        EXPECT_NE(rtf.indexOf(piece), -1) << piece;
    QTextDocument read;
    LoadReportText(rtf, read);
    ExpectSame(Read(read), paragraphs);
    EXPECT_EQ(read.toPlainText(), written.toPlainText());
}

TEST_F(ReportText, ForeignRtfKeepsTextFontsAndParagraphs) {
    QTextDocument document;
    LoadReportText(
        Bytes("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New "
              "Roman;}}\r\n{\\colortbl ;\\red255\\green0\\blue0;}{\\*\\generator Riched20 "
              "10.0;}\\viewkind4\\uc1\r\n\\pard\\f0\\fs20 Uno \\b dos\\b0  \\u8364? "
              "\\'e9\\par\r\n\\pard\\qc\\li720\\f1 cuatro\\line cinco\\par\r\n}"),
        document);
    const std::vector<Paragraph> paragraphs = Read(document);
    ASSERT_EQ(paragraphs.size(), 3u);
    EXPECT_EQ(document.toPlainText().toStdString(), "Uno dos € é\ncuatro\ncinco\n");
    EXPECT_EQ(document.findBlockByNumber(1).text(), QStringLiteral("cuatro\u2028cinco"));
    ASSERT_EQ(paragraphs[0].runs.size(), 3u);
    EXPECT_EQ(paragraphs[0].runs[1].text.toStdString(), "dos");
    EXPECT_TRUE(paragraphs[0].runs[1].bold);
    EXPECT_EQ(paragraphs[0].runs[0].family.toStdString(), "Arial");
    EXPECT_DOUBLE_EQ(paragraphs[0].runs[0].size, 10);
    EXPECT_EQ(paragraphs[1].alignment, Qt::AlignHCenter);
    EXPECT_DOUBLE_EQ(paragraphs[1].left, 48);
    EXPECT_EQ(paragraphs[1].runs[0].family.toStdString(), "Times New Roman");
}

TEST_F(ReportText, DamagedRtfLoadsWhatItCan) {
    const struct {
        const char* bytes;
        const char* text;
    } cases[] = {
        {"{\\rtf1 abc", "abc"},
        {"{\\rtf1 a}}}b{{", "ab"},
        {"{\\rtf1 x\\'4", "x"},
        {"{\\rtf1 x\\u", "x"},
        {"{\\rtf1 x\\u233 y\\uc2\\u-3 abc}", "xé\xEF\xBF\xBD"
                                             "c"},
        {"{\\rtf1 \\fs-5 \\f99 z\\", "z"},
        {"{\\rtf1 {\\*\\unknown skipped}{\\pict 0102}shown}", "shown"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        QTextDocument document;
        LoadReportText(Bytes(c.bytes), document);
        EXPECT_EQ(document.toPlainText().toStdString(), c.text);
    }
}

} // namespace
} // namespace exo
