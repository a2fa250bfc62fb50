#include "PlaceNames.h"

#include "platform/Cp1252.h"

#include <QChar>
#include <QList>

#include <map>
#include <stdexcept>

namespace exo::places {

namespace {

// Letters that keep no Windows-1252 base letter after decomposition, the capital Cyrillic
// letters (romanised), and the apostrophes and dashes of transliterated names.
const std::map<char32_t, const char*>& AsciiStandIns() {
    static const std::map<char32_t, const char*> table = {
        {U'\u0110', "D"},  {U'\u0126', "H"},    {U'\u0131', "I"},  {U'\u013F', "L"},
        {U'\u0141', "L"},  {U'\u014A', "N"},    {U'\u0166', "T"},  {U'\u0181', "B"},
        {U'\u0186', "O"},  {U'\u0189', "D"},    {U'\u018A', "D"},  {U'\u018F', "E"},
        {U'\u0190', "E"},  {U'\u0198', "K"},    {U'\u019D', "N"},  {U'\u01B3', "Y"},
        {U'\u0259', "E"},  {U'\u02B9', "'"},    {U'\u02BB', "'"},  {U'\u02BC', "'"},
        {U'\u02BE', "'"},  {U'\u02BF', "'"},    {U'\u02C8', "'"},  {U'\u2010', "-"},
        {U'\u2011', "-"},  {U'\u2012', "-"},    {U'\u2032', "'"},  {U'\u0401', "E"},
        {U'\u0404', "YE"}, {U'\u0406', "I"},    {U'\u0407', "YI"}, {U'\u040E', "U"},
        {U'\u0410', "A"},  {U'\u0411', "B"},    {U'\u0412', "V"},  {U'\u0413', "G"},
        {U'\u0414', "D"},  {U'\u0415', "E"},    {U'\u0416', "ZH"}, {U'\u0417', "Z"},
        {U'\u0418', "I"},  {U'\u0419', "Y"},    {U'\u041A', "K"},  {U'\u041B', "L"},
        {U'\u041C', "M"},  {U'\u041D', "N"},    {U'\u041E', "O"},  {U'\u041F', "P"},
        {U'\u0420', "R"},  {U'\u0421', "S"},    {U'\u0422', "T"},  {U'\u0423', "U"},
        {U'\u0424', "F"},  {U'\u0425', "KH"},   {U'\u0426', "TS"}, {U'\u0427', "CH"},
        {U'\u0428', "SH"}, {U'\u0429', "SHCH"}, {U'\u042A', ""},   {U'\u042B', "Y"},
        {U'\u042C', ""},   {U'\u042D', "E"},    {U'\u042E', "YU"}, {U'\u042F', "YA"},
        {U'\u0490', "G"},  {U'\u04AE', "U"},    {U'\u04E8', "O"},
    };
    return table;
}

bool IsMark(char32_t c) {
    const QChar::Category category = QChar::category(c);
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
           category == QChar::Mark_Enclosing;
}

void AppendTransliterated(char32_t c, const QString& name, std::string& out) {
    const QString decomposed =
        QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_KD).toUpper();
    for (const char32_t part : decomposed.toUcs4()) {
        if (IsMark(part))
            continue;
        unsigned char byte = 0;
        if (Cp1252OfCodePoint(part, byte)) {
            out.push_back(static_cast<char>(byte));
            continue;
        }
        const auto standIn = AsciiStandIns().find(part);
        if (standIn == AsciiStandIns().end())
            throw std::runtime_error("no Windows-1252 form for U+" +
                                     QString::number(part, 16).toUpper().toStdString() + " in \"" +
                                     name.toStdString() + "\"");
        out += standIn->second;
    }
}

} // namespace

std::string UpperCp1252(const QString& name) {
    std::string out;
    for (const char32_t c : name.toUpper().toUcs4()) {
        unsigned char byte = 0;
        if (c == U'\u2018' || c == U'\u2019')
            out.push_back('\'');
        else if (Cp1252OfCodePoint(c, byte))
            out.push_back(static_cast<char>(byte));
        else
            AppendTransliterated(c, name, out);
    }
    return out;
}

std::string CutToCapacity(std::string text, std::size_t capacity) {
    if (text.size() > capacity)
        text.resize(capacity);
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

} // namespace exo::places
