#include "editor/ReportText.h"

#include "platform/Cp1252.h"

#include <QFont>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace exo {

namespace {

constexpr double kDefaultPointSize = 12.0; // RTF's size when a text names none (\fs24)

int Twips(double pixels) {
    return static_cast<int>(std::lround(pixels * kTwipsPerPixel));
}

// ---- Writing ------------------------------------------------------------------------

void AppendEscaped(const QString& text, std::string& out) {
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (unit == u'\\' || unit == u'{' || unit == u'}') {
            out += '\\';
            out += static_cast<char>(unit);
        } else if (unit == u'\t') {
            out += "\\tab ";
        } else if (unit == QChar::LineSeparator || unit == u'\n') {
            out += "\\line ";
        } else if (unit == QChar::ObjectReplacementCharacter) {
            continue;
        } else if (unit >= 0x20 && unit < 0x80) {
            out += static_cast<char>(unit);
        } else {
            unsigned char byte = 0;
            char escape[16];
            if (unit >= 0x80 && !c.isSurrogate() && Cp1252OfCodePoint(unit, byte))
                std::snprintf(escape, sizeof escape, "\\'%02x", byte);
            else
                std::snprintf(escape, sizeof escape, "\\u%d?",
                              static_cast<int>(static_cast<int16_t>(unit)));
            out += escape;
        }
    }
}

class FontTable {
  public:
    int indexOf(const QString& family) {
        const auto found = std::find(families_.begin(), families_.end(), family);
        if (found != families_.end())
            return static_cast<int>(found - families_.begin());
        families_.push_back(family);
        return static_cast<int>(families_.size() - 1);
    }
    std::string text() const {
        std::string out = "{\\fonttbl";
        for (std::size_t i = 0; i < families_.size(); ++i) {
            out += "{\\f" + std::to_string(i) + "\\fnil ";
            AppendEscaped(families_[i], out);
            out += ";}";
        }
        return out + "}";
    }

  private:
    std::vector<QString> families_;
};

QString FamilyOf(const QTextCharFormat& format, const QTextDocument& document) {
    const QString family = format.fontFamilies().toStringList().value(0);
    return family.isEmpty() ? document.defaultFont().family() : family;
}

double PointSizeOf(const QTextCharFormat& format, const QTextDocument& document) {
    if (format.hasProperty(QTextFormat::FontPointSize) && format.fontPointSize() > 0)
        return format.fontPointSize();
    const double size = document.defaultFont().pointSizeF();
    return size > 0 ? size : kDefaultPointSize;
}

std::string ParagraphControls(const QTextBlockFormat& format) {
    std::string out = "\\pard";
    const Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
    if (alignment & Qt::AlignHCenter)
        out += "\\qc";
    else if (alignment & (Qt::AlignRight))
        out += "\\qr";
    else if (alignment & Qt::AlignJustify)
        out += "\\qj";
    else
        out += "\\ql";
    out += "\\li" + std::to_string(Twips(format.leftMargin()));
    out += "\\fi" + std::to_string(Twips(format.textIndent()));
    out += "\\ri" + std::to_string(Twips(format.rightMargin()));
    return out;
}

std::string CharControls(const QTextCharFormat& format, const QTextDocument& document,
                         FontTable& fonts) {
    std::string out = "\\f" + std::to_string(fonts.indexOf(FamilyOf(format, document)));
    out += "\\fs" + std::to_string(std::lround(PointSizeOf(format, document) * 2));
    if (format.fontWeight() >= QFont::Bold)
        out += "\\b";
    if (format.fontItalic())
        out += "\\i";
    if (format.fontUnderline())
        out += "\\ul";
    if (format.fontStrikeOut())
        out += "\\strike";
    return out;
}

// ---- Reading ------------------------------------------------------------------------

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Groups whose content is not text of the report.
bool IsSkippedDestination(const std::string& word) {
    static const char* const kSkipped[] = {"colortbl",     "stylesheet",
                                           "info",         "pict",
                                           "header",       "footer",
                                           "headerl",      "headerr",
                                           "headerf",      "footerl",
                                           "footerr",      "footerf",
                                           "footnote",     "object",
                                           "listtable",    "listoverridetable",
                                           "revtbl",       "rsidtbl",
                                           "xmlnstbl",     "generator",
                                           "themedata",    "colorschememapping",
                                           "latentstyles", "datastore",
                                           "fldinst",      "pgdsctbl",
                                           "filetbl",      "private",
                                           "bkmkstart",    "bkmkend",
                                           "mmathPr",      "pn",
                                           "pntext",       "listtext"};
    for (const char* skipped : kSkipped) {
        if (word == skipped)
            return true;
    }
    return false;
}

class RichTextReader {
  public:
    RichTextReader(const QByteArray& bytes, QTextDocument& document)
        : bytes_(bytes), cursor_(&document) {}

    void run() {
        std::size_t i = 0;
        const std::size_t n = static_cast<std::size_t>(bytes_.size());
        while (i < n) {
            const char c = bytes_[static_cast<qsizetype>(i)];
            if (c == '{') {
                stack_.push_back(state_);
                ++i;
            } else if (c == '}') {
                flush();
                if (stack_.size() == 1)
                    finalParagraph_ = state_.paragraph;
                if (!stack_.empty()) {
                    state_ = stack_.back();
                    stack_.pop_back();
                }
                ++i;
            } else if (c == '\\') {
                i = control(i + 1);
            } else {
                if (c != '\r' && c != '\n')
                    character(CodePointOfCp1252(static_cast<unsigned char>(c)));
                ++i;
            }
        }
        flush();
        cursor_.setBlockFormat(stack_.empty() && finalParagraph_ ? *finalParagraph_
                                                                 : state_.paragraph);
    }

  private:
    enum class Destination { Text, FontTable, Skip };
    struct State {
        Destination destination = Destination::Text;
        QTextCharFormat chars;
        QTextBlockFormat paragraph;
        int unicodeSkip = 1;
        int fontNumber = -1;
    };

    char at(std::size_t i) const {
        return i < static_cast<std::size_t>(bytes_.size()) ? bytes_[static_cast<qsizetype>(i)]
                                                           : '\0';
    }

    // Reads the control word or symbol after a backslash at i; returns where reading goes on.
    std::size_t control(std::size_t i) {
        const char c = at(i);
        if (IsLetter(c)) {
            std::string word;
            while (IsLetter(at(i)))
                word += at(i++);
            bool hasParameter = false;
            bool negative = false;
            long parameter = 0;
            if (at(i) == '-' && IsDigit(at(i + 1))) {
                negative = true;
                ++i;
            }
            while (IsDigit(at(i))) {
                hasParameter = true;
                parameter = std::min(parameter * 10 + (at(i++) - '0'), 1000000000L);
            }
            if (at(i) == ' ')
                ++i;
            controlWord(word, hasParameter, static_cast<int>(negative ? -parameter : parameter));
            return i;
        }
        if (c == '\'') {
            const int high = HexValue(at(i + 1));
            const int low = HexValue(at(i + 2));
            if (high >= 0 && low >= 0) {
                character(CodePointOfCp1252(static_cast<unsigned char>(high * 16 + low)));
                return i + 3;
            }
            // An incomplete escape is dropped with the digits it has.
            return i + 1 + (high >= 0 ? 1 : 0);
        }
        switch (c) {
        case '\\':
        case '{':
        case '}':
            character(static_cast<unsigned char>(c));
            break;
        case '~':
            character(0x00A0);
            break;
        case '_':
            character(0x2011);
            break;
        case '*':
            state_.destination = Destination::Skip;
            break;
        case '\r':
        case '\n':
            paragraphEnd();
            break;
        default:
            break;
        }
        return c == '\0' ? i : i + 1;
    }

    void controlWord(const std::string& word, bool hasParameter, int parameter) {
        if (word == "u" && hasParameter) {
            character(static_cast<char16_t>(static_cast<std::uint16_t>(parameter)));
            fallbackToSkip_ = state_.unicodeSkip;
            return;
        }
        fallbackToSkip_ = 0;
        const bool on = !hasParameter || parameter != 0;
        QTextCharFormat& chars = state_.chars;
        QTextBlockFormat& paragraph = state_.paragraph;
        if (word == "fonttbl") {
            state_.destination = Destination::FontTable;
        } else if (IsSkippedDestination(word)) {
            state_.destination = Destination::Skip;
        } else if (word == "deff") {
            defaultFont_ = parameter;
        } else if (word == "f") {
            if (state_.destination == Destination::FontTable) {
                state_.fontNumber = parameter;
                fontName_.clear();
            } else if (fonts_.count(parameter) != 0) {
                chars.setFontFamilies(QStringList{fonts_[parameter]});
            }
        } else if (word == "fs") {
            if (parameter > 0)
                chars.setFontPointSize(parameter / 2.0);
        } else if (word == "b") {
            chars.setFontWeight(on ? QFont::Bold : QFont::Normal);
        } else if (word == "i") {
            chars.setFontItalic(on);
        } else if (word == "ul") {
            chars.setFontUnderline(on);
        } else if (word == "ulnone") {
            chars.setFontUnderline(false);
        } else if (word == "strike") {
            chars.setFontStrikeOut(on);
        } else if (word == "plain") {
            chars = QTextCharFormat();
            if (fonts_.count(defaultFont_) != 0)
                chars.setFontFamilies(QStringList{fonts_[defaultFont_]});
            chars.setFontPointSize(kDefaultPointSize);
        } else if (word == "pard") {
            paragraph = QTextBlockFormat();
        } else if (word == "li") {
            paragraph.setLeftMargin(parameter / kTwipsPerPixel);
        } else if (word == "ri") {
            paragraph.setRightMargin(parameter / kTwipsPerPixel);
        } else if (word == "fi") {
            paragraph.setTextIndent(parameter / kTwipsPerPixel);
        } else if (word == "ql") {
            paragraph.setAlignment(Qt::AlignLeft);
        } else if (word == "qc") {
            paragraph.setAlignment(Qt::AlignHCenter);
        } else if (word == "qr") {
            paragraph.setAlignment(Qt::AlignRight);
        } else if (word == "qj") {
            paragraph.setAlignment(Qt::AlignJustify);
        } else if (word == "par" || word == "sect" || word == "page") {
            paragraphEnd();
        } else if (word == "line") {
            character(QChar::LineSeparator);
        } else if (word == "tab") {
            character(u'\t');
        } else if (word == "uc") {
            state_.unicodeSkip = std::max(0, parameter);
        } else {
            static const std::map<std::string, char16_t> kCharacters = {
                {"emdash", 0x2014},    {"endash", 0x2013}, {"bullet", 0x2022},
                {"lquote", 0x2018},    {"rquote", 0x2019}, {"ldblquote", 0x201C},
                {"rdblquote", 0x201D}, {"emspace", u' '},  {"enspace", u' '}};
            const auto found = kCharacters.find(word);
            if (found != kCharacters.end())
                character(found->second);
        }
    }

    void character(char16_t unit) {
        if (fallbackToSkip_ > 0) {
            --fallbackToSkip_;
            return;
        }
        switch (state_.destination) {
        case Destination::Skip:
            return;
        case Destination::FontTable:
            if (unit == u';') {
                if (state_.fontNumber >= 0)
                    fonts_[state_.fontNumber] = fontName_.trimmed();
                fontName_.clear();
            } else {
                fontName_ += QChar(unit);
            }
            return;
        case Destination::Text:
            if (!pending_.isEmpty() && !(pendingFormat_ == state_.chars))
                flush();
            pendingFormat_ = state_.chars;
            pending_ += QChar(unit);
            return;
        }
    }

    void paragraphEnd() {
        if (state_.destination != Destination::Text)
            return;
        flush();
        cursor_.setBlockFormat(state_.paragraph);
        cursor_.insertBlock(state_.paragraph, state_.chars);
    }

    void flush() {
        if (pending_.isEmpty())
            return;
        cursor_.insertText(pending_, pendingFormat_);
        pending_.clear();
    }

    const QByteArray& bytes_;
    QTextCursor cursor_;
    State state_;
    std::vector<State> stack_;
    std::map<int, QString> fonts_;
    QString fontName_;
    int defaultFont_ = 0;
    int fallbackToSkip_ = 0;
    // The paragraph in effect when the outermost group closed.
    std::optional<QTextBlockFormat> finalParagraph_;
    QString pending_;
    QTextCharFormat pendingFormat_;
};

} // namespace

bool IsRichText(const QByteArray& bytes) {
    return bytes.startsWith("{\\rtf");
}

QByteArray RichTextOf(const QTextDocument& document) {
    FontTable fonts;
    fonts.indexOf(document.defaultFont().family());
    std::string body;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        body += ParagraphControls(block.blockFormat());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            body += '{' + CharControls(fragment.charFormat(), document, fonts) + ' ';
            AppendEscaped(fragment.text(), body);
            body += '}';
        }
        if (block.next().isValid())
            body += "\\par\r\n";
    }
    const std::string text =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0" + fonts.text() + "\r\n\\uc1" + body + "}\r\n";
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

void LoadReportText(const QByteArray& bytes, QTextDocument& document) {
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    if (IsRichText(bytes)) {
        RichTextReader(bytes, document).run();
    } else {
        QString text = QStringFromCp1252(std::string_view(bytes.constData(), bytes.size()));
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        document.setPlainText(text);
    }
    document.setUndoRedoEnabled(undo);
    document.setModified(false);
}

} // namespace exo
