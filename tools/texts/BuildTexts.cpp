// Writes the interpretation texts of the program folder:
//
//   build_texts <data/texts folder> <program folder> [--stats]
//
// from the authored tables of data/texts (UTF-8, tab-separated):
//   OpzioneT/SpgPianSpe.Txt  one text for every key PosiPian.txt can hold: point in sign,
//                            in house, in term, decan, década, antiscion, contrantiscion,
//                            aspect (key in columns 1–8, text from column 22)
//   OpzioneT/SpgPianCan.Txt  the texts of the printed terms block (the same layout)
//   OpzioneT/SpgPian.txt     the general texts of each point (code, blank, text)
//   OpzioneT/SpgSegnSpe.txt  one text for every key PosiSegn.txt can hold (key in columns
//                            1–7, text from column 21)
//   OpzioneT/SpgSegni.txt    the general texts of each sign (code, blank, text)
//
// Every text is composed from the tables with the sentence forms of templates.tsv: a text
// takes the first form of its kind that fits the width its readers show, so nothing is cut.
// A table with a missing or doubled row, a form naming an unknown value, a character that
// Windows-1252 cannot hold or a text that no form fits stops the builder before any file is
// written. --stats prints how many texts each form gave.
#include "analysis/Dignities.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/ProgramPaths.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using namespace exo;
namespace fs = std::filesystem;

constexpr int kPoints = 11;
constexpr int kPlanets = 7;
constexpr int kSigns = 12;
constexpr int kHouses = 12;
constexpr int kTerms = 60;
constexpr int kDecans = 36;
constexpr int kTermsPerHouse = 5;
constexpr int kThirds = 3;
constexpr int kAspectRows = 9; // the aspect keys pair points 1 … 9 with the later ones
const char* const kAspectCodes[] = {"Co", "Se", "Qu", "Tr", "Op"};
const char* const kChaldeanOrder[] = {"Saturno", "Júpiter",  "Marte", "Sol",
                                      "Venus",   "Mercurio", "Luna"};

// What the readers of each file show of a text. The attribution memo shows columns 22–81
// of the 8-character keys (signs, houses, decans, antiscia, aspects, and the Midheaven's
// terms, whose key it reads as 6 characters) and 22–101 of the other terms and of the
// décadas; the division memo shows 22–91 of terms, decans and décadas.
constexpr std::size_t kKeyTextWidth = 60;      // attribution columns 22–81
constexpr std::size_t kDivisionTextWidth = 70; // division memo columns 22–91
constexpr int kMidheaven = 11;
// The terms block prints characters 22–81, but beside the latitudes of the vertical sheet
// and at the page edge of the horizontal one only about 40 of them have room.
constexpr std::size_t kSheetTextWidth = 40;
constexpr std::size_t kGeneralWidth = 80;     // attribution columns 4–83
constexpr std::size_t kSignKeyTextWidth = 50; // sign attribution columns 21–70

constexpr std::size_t kPointKeyColumns = 21; // the text begins in column 22
constexpr std::size_t kSignKeyColumns = 20;  // the text begins in column 21

// ---- tables ---------------------------------------------------------------------------

struct Row {
    std::string where;               // file:line, for messages
    std::vector<std::string> fields; // Windows-1252
};

std::runtime_error TableError(const std::string& where, const std::string& what) {
    return std::runtime_error(where + ": " + what);
}

// The Windows-1252 text of an authored UTF-8 field; anything it cannot hold is an error
// rather than the '?' of the general converter.
std::string StrictCp1252(const std::string& utf8, const std::string& where) {
    const std::string bytes = Cp1252FromUtf8(utf8);
    if (Utf8FromCp1252(bytes) != utf8)
        throw TableError(where, "text that Windows-1252 cannot hold: " + utf8);
    // The five bytes Windows-1252 leaves undefined come back from their C1 controls.
    for (const unsigned char byte : bytes) {
        if (byte < 0x20 || byte == 0x7F || byte == 0x81 || byte == 0x8D || byte == 0x8F ||
            byte == 0x90 || byte == 0x9D)
            throw TableError(where, "control character in: " + utf8);
    }
    return bytes;
}

// The rows of a tab-separated file with exactly `columns` fields; '#' starts a comment.
std::vector<Row> ReadTable(const fs::path& file, std::size_t columns) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw InOutError(file.string(), "open");
    std::vector<Row> rows;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line.front() == '#')
            continue;
        Row row{file.filename().string() + ":" + std::to_string(number), {}};
        std::istringstream split(line);
        for (std::string field; std::getline(split, field, '\t');) {
            if (field.empty() || field.front() == ' ' || field.back() == ' ')
                throw TableError(row.where, "empty field or field with outer blanks");
            row.fields.push_back(StrictCp1252(field, row.where));
        }
        if (row.fields.size() != columns)
            throw TableError(row.where, std::to_string(columns) + " fields expected");
        rows.push_back(std::move(row));
    }
    if (in.bad())
        throw InOutError(file.string(), "read");
    return rows;
}

// The rows of a table numbered 1 … count in its first field, each exactly once.
std::vector<Row> NumberedRows(const fs::path& file, std::size_t columns, int count) {
    std::vector<Row> byNumber(static_cast<std::size_t>(count));
    for (Row& row : ReadTable(file, columns)) {
        int number = 0;
        try {
            number = std::stoi(row.fields[0]);
        } catch (const std::exception&) {
        }
        if (number < 1 || number > count || std::to_string(number) != row.fields[0])
            throw TableError(row.where, "number 1 … " + std::to_string(count) + " expected");
        Row& slot = byNumber[static_cast<std::size_t>(number - 1)];
        if (!slot.fields.empty())
            throw TableError(row.where, "number " + row.fields[0] + " given twice");
        slot = std::move(row);
    }
    for (int number = 1; number <= count; ++number) {
        if (byNumber[static_cast<std::size_t>(number - 1)].fields.empty())
            throw TableError(file.filename().string(), "no row " + std::to_string(number));
    }
    return byNumber;
}

// ---- sentence forms -------------------------------------------------------------------

using Values = std::map<std::string, std::string>;

unsigned char LowerByte(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    if (value >= 'A' && value <= 'Z')
        return static_cast<unsigned char>(value + ('a' - 'A'));
    return value == 0xCD ? 0xED : value; // Í
}

bool IsVowelByte(unsigned char lower) {
    return std::string_view("aeiou").find(static_cast<char>(lower)) != std::string_view::npos ||
           lower == 0xE1 || lower == 0xE9 || lower == 0xED || lower == 0xF3 || lower == 0xFA;
}

// Whether the word at `at` begins with the sound i: "i", "í", "hi" before a consonant.
bool BeginsWithSoundI(const std::string& text, std::size_t at) {
    if (at >= text.size())
        return false;
    const unsigned char first = LowerByte(text[at]);
    if (first == 'i' || first == 0xED)
        return true;
    if (first != 'h' || at + 1 >= text.size())
        return false;
    const unsigned char second = LowerByte(text[at + 1]);
    if (second != 'i' && second != 0xED)
        return false;
    return at + 2 >= text.size() || !IsVowelByte(LowerByte(text[at + 2])); // "y hielo"
}

// Spanish writes "e" for "y" before the sound i ("fe e independencia"); the forms join
// nouns they do not know in advance.
std::string WithSpanishConjunctions(std::string text) {
    for (std::size_t at = text.find(" y "); at != std::string::npos;
         at = text.find(" y ", at + 1)) {
        if (BeginsWithSoundI(text, at + 3))
            text[at + 1] = 'e';
    }
    return text;
}

// The form with every {name} replaced by its value; an unknown name is an error.
std::string Fill(const std::string& form, const Values& values, const std::string& where) {
    std::string text;
    std::size_t at = 0;
    while (at < form.size()) {
        const std::size_t open = form.find('{', at);
        if (open == std::string::npos) {
            text += form.substr(at);
            break;
        }
        const std::size_t close = form.find('}', open);
        if (close == std::string::npos)
            throw TableError(where, "unclosed brace in: " + Utf8FromCp1252(form));
        text += form.substr(at, open - at);
        const std::string name = form.substr(open + 1, close - open - 1);
        const auto value = values.find(name);
        if (value == values.end())
            throw TableError(where, "no value {" + name + "} here");
        text += value->second;
        at = close + 1;
    }
    return WithSpanishConjunctions(std::move(text));
}

class SentenceForms {
  public:
    explicit SentenceForms(const fs::path& file) {
        for (const Row& row : ReadTable(file, 2))
            forms_[row.fields[0]].push_back({row.fields[1], row.where});
    }

    // The text of `key` in the first form of `kind` that fits `width`.
    std::string compose(const std::string& kind, const Values& values, std::size_t width,
                        const std::string& key) {
        const auto forms = forms_.find(kind);
        if (forms == forms_.end())
            throw std::runtime_error("templates.tsv: no form of kind " + kind);
        std::size_t shortest = std::string::npos;
        for (std::size_t index = 0; index < forms->second.size(); ++index) {
            const Form& form = forms->second[index];
            const std::string text = Fill(form.text, values, form.where);
            if (text.size() <= width) {
                ++uses_[kind][index];
                return text;
            }
            shortest = std::min(shortest, text.size());
        }
        throw std::runtime_error("no form of kind " + kind + " fits " + std::to_string(width) +
                                 " characters for key " + Utf8FromCp1252(key) + " (shortest " +
                                 std::to_string(shortest) + ")");
    }

    void printStats() const {
        for (const auto& [kind, uses] : uses_) {
            std::printf("%-20s", kind.c_str());
            for (const auto& [index, count] : uses)
                std::printf("  form %zu: %d", index + 1, count);
            std::printf("\n");
        }
    }

  private:
    struct Form {
        std::string text;
        std::string where;
    };
    std::map<std::string, std::vector<Form>> forms_;
    std::map<std::string, std::map<std::size_t, int>> uses_;
};

// ---- the authored tables --------------------------------------------------------------

std::string TwoDigits(int number) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", number);
    return text;
}

// "a", "a y b", "a, b y c".
std::string JoinWithAnd(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t index = 0; index < items.size(); ++index) {
        if (index > 0)
            text += index + 1 == items.size() ? " y " : ", ";
        text += items[index];
    }
    return text;
}

int SignOfLongitude(long double longitude) {
    long double normal = std::fmod(longitude, 360.0L);
    if (normal < 0)
        normal += 360.0L;
    return static_cast<int>(normal / 30.0L) + 1;
}

// The sign `offset` signs further on, 1 … 12.
int SignAfter(int sign, int offset) {
    return (sign - 1 + offset) % kSigns + 1;
}

class TextTables {
  public:
    explicit TextTables(const fs::path& folder)
        : points_(NumberedRows(folder / "points.tsv", 7, kPoints)),
          signs_(NumberedRows(folder / "signs.tsv", 7, kSigns)),
          houses_(NumberedRows(folder / "houses.tsv", 4, kHouses)),
          dignityWords_(NumberedRows(folder / "dignities.tsv", 2, Fall)),
          decanRulers_(NumberedRows(folder / "decans.tsv", 2, kDecans)),
          thirds_(NumberedRows(folder / "thirds.tsv", 6, kThirds)),
          bands_(NumberedRows(folder / "term_bands.tsv", 3, kTermsPerHouse)),
          pointLines_(ReadTable(folder / "point_general.tsv", 2)),
          signLines_(ReadTable(folder / "sign_general.tsv", 2)) {
        for (const Row& row : ReadTable(folder / "overrides.tsv", 2)) {
            if (!overrides_.emplace(row.fields[0], row).second)
                throw TableError(row.where, "key given twice");
        }
        for (const Row& row : ReadTable(folder / "elements.tsv", 3))
            elements_[row.fields[0]] = row;
        for (const Row& row : ReadTable(folder / "aspects.tsv", 4))
            aspects_[row.fields[0]] = row;
        for (const char* code : kAspectCodes) {
            if (!aspects_.contains(code))
                throw TableError("aspects.tsv", std::string("no row ") + code);
        }
        for (int sign = 1; sign <= kSigns; ++sign) {
            if (!elements_.contains(Sign(sign)[2]))
                throw TableError(signs_[static_cast<std::size_t>(sign - 1)].where,
                                 "element not in elements.tsv");
        }
        for (int third = 1; third <= kThirds; ++third) {
            const std::string& offset = thirds_[static_cast<std::size_t>(third - 1)].fields[4];
            if (offset != "0" && offset != "4" && offset != "8")
                throw TableError(thirds_[static_cast<std::size_t>(third - 1)].where,
                                 "tint offset 0, 4 or 8 expected");
        }
        CheckDecanRulers();
    }

    void addPoint(Values& values, const std::string& prefix, int point) const {
        const std::vector<std::string>& row = Point(point);
        values[prefix + ".name"] = row[1];
        values[prefix + ".of"] = row[2];
        values[prefix + ".noun"] = row[3];
        values[prefix + ".short"] = row[4];
        values[prefix + ".o"] = row[5];
        if (row[6] != "-")
            values[prefix + ".manner"] = row[6];
        if (point <= kPlanets) {
            values[prefix + ".dignities"] = PlanetPlaces(point, Domicile, Exaltation);
            values[prefix + ".debilities"] = PlanetPlaces(point, Exile, Fall);
        }
    }

    void addSign(Values& values, const std::string& prefix, int sign) const {
        const std::vector<std::string>& row = Sign(sign);
        const std::vector<std::string>& element = elements_.at(row[2]).fields;
        values[prefix + ".name"] = row[1];
        values[prefix + ".element"] = row[2];
        values[prefix + ".quality"] = row[3];
        values[prefix + ".polarity"] = row[4];
        values[prefix + ".manner"] = row[5];
        values[prefix + ".noun"] = row[6];
        values[prefix + ".qualities"] = element[1];
        values[prefix + ".temperament"] = element[2];
        values[prefix + ".ruler"] = Point(DomicileRuler(sign))[1];
        values[prefix + ".dignities"] = SignGuests(sign, Domicile, Exaltation);
        values[prefix + ".debilities"] = SignGuests(sign, Exile, Fall);
    }

    void addHouse(Values& values, int house) const {
        const std::vector<std::string>& row = houses_[static_cast<std::size_t>(house - 1)].fields;
        values["house.roman"] = row[1];
        values["house.domain"] = row[2];
        values["house.theme"] = row[3];
    }

    void addBand(Values& values, int band) const {
        const std::vector<std::string>& row = bands_[static_cast<std::size_t>(band - 1)].fields;
        values["band.place"] = row[1];
        values["band.note"] = row[2];
    }

    // The third of a sign and its tint: the sign of the same element it leans to.
    void addThird(Values& values, int sign, int third) const {
        const Row& row = thirds_[static_cast<std::size_t>(third - 1)];
        values["third.roman"] = row.fields[1];
        values["third.range"] = row.fields[2];
        values["third.ordinal"] = row.fields[3];
        addSign(values, "tint", SignAfter(sign, std::stoi(row.fields[4])));
        values["third.tint"] = Fill(row.fields[5], values, row.where);
    }

    void addAspect(Values& values, const std::string& code) const {
        const std::vector<std::string>& row = aspects_.at(code).fields;
        values["aspect.name"] = row[1];
        values["aspect.verb"] = row[2];
        values["aspect.nature"] = row[3];
    }

    void addDignity(Values& values, int code) const { values["dignity.word"] = DignityWord(code); }

    // The hand-written text of a key of SpgPianSpe.Txt, or nothing.
    const Row* override(const std::string& key) const {
        const auto found = overrides_.find(key);
        return found == overrides_.end() ? nullptr : &found->second;
    }
    const std::map<std::string, Row>& overrides() const { return overrides_; }

    int decanRuler(int decan) const {
        return decanRulerPoint_[static_cast<std::size_t>(decan - 1)];
    }

    // The general lines of a point or a sign, in file order ("*" rows go to every sign).
    std::vector<std::pair<std::string, std::string>> pointLines(int point) const {
        return LinesOf(pointLines_, std::to_string(point), "");
    }
    std::vector<std::pair<std::string, std::string>> signLines(int sign) const {
        return LinesOf(signLines_, std::to_string(sign), "*");
    }

  private:
    const std::vector<std::string>& Point(int point) const {
        return points_[static_cast<std::size_t>(point - 1)].fields;
    }
    const std::vector<std::string>& Sign(int sign) const {
        return signs_[static_cast<std::size_t>(sign - 1)].fields;
    }
    const std::string& DignityWord(int code) const {
        return dignityWords_[static_cast<std::size_t>(code - 1)].fields[1];
    }

    // "domicilio en Géminis y Virgo; exaltación en Acuario" for Mercury's dignities.
    std::string PlanetPlaces(int planet, int first, int second) const {
        std::vector<std::string> parts;
        for (const int code : {first, second}) {
            std::vector<std::string> signs;
            for (int sign = 1; sign <= kSigns; ++sign) {
                if (DignityOf(planet, sign) == code)
                    signs.push_back(Sign(sign)[1]);
            }
            if (!signs.empty())
                parts.push_back(DignityWord(code) + " en " + JoinWithAnd(signs));
        }
        return Joined(parts);
    }

    // "domicilio de Marte; exaltación del Sol" for the dignities in Aries.
    std::string SignGuests(int sign, int first, int second) const {
        std::vector<std::string> parts;
        for (const int code : {first, second}) {
            std::vector<std::string> planets;
            for (int planet = 1; planet <= kPlanets; ++planet) {
                if (DignityOf(planet, sign) == code)
                    planets.push_back(Point(planet)[2]);
            }
            if (!planets.empty())
                parts.push_back(DignityWord(code) + " " + JoinWithAnd(planets));
        }
        return Joined(parts);
    }

    static std::string Joined(const std::vector<std::string>& parts) {
        std::string text;
        for (const std::string& part : parts)
            text += (text.empty() ? "" : "; ") + part;
        return text;
    }

    static std::vector<std::pair<std::string, std::string>>
    LinesOf(const std::vector<Row>& rows, const std::string& number, const std::string& every) {
        std::vector<std::pair<std::string, std::string>> lines;
        for (const Row& row : rows) {
            if (row.fields[0] == number || row.fields[0] == every)
                lines.emplace_back(row.fields[1], row.where);
        }
        return lines;
    }

    // The faces follow the Chaldean order from Mars in the first decan of Aries; a table
    // that breaks the cycle has a slip in it.
    void CheckDecanRulers() {
        std::vector<std::string> order;
        for (const char* name : kChaldeanOrder)
            order.push_back(Cp1252FromUtf8(name));
        std::size_t expected = 2; // Marte
        for (int decan = 1; decan <= kDecans; ++decan) {
            const Row& row = decanRulers_[static_cast<std::size_t>(decan - 1)];
            if (row.fields[1] != order[expected])
                throw TableError(row.where, "the Chaldean order wants " +
                                                Utf8FromCp1252(order[expected]) + " here");
            int point = 0;
            for (int planet = 1; planet <= kPlanets; ++planet) {
                if (Point(planet)[1] == row.fields[1])
                    point = planet;
            }
            if (point == 0)
                throw TableError(row.where, "ruler not among the planets of points.tsv");
            decanRulerPoint_.push_back(point);
            expected = (expected + 1) % order.size();
        }
    }

    std::vector<Row> points_, signs_, houses_, dignityWords_, decanRulers_, thirds_, bands_;
    std::vector<Row> pointLines_, signLines_;
    std::map<std::string, Row> elements_, aspects_, overrides_;
    std::vector<int> decanRulerPoint_;
};

// ---- the files ------------------------------------------------------------------------

std::string KeyedLine(const std::string& key, std::size_t columns, const std::string& text) {
    if (key.size() > columns)
        throw std::logic_error("key " + key + " longer than its columns");
    return key + std::string(columns - key.size(), ' ') + text;
}

class TextBuilder {
  public:
    TextBuilder(const TextTables& tables, SentenceForms& forms) : tables_(tables), forms_(forms) {}

    std::vector<std::string> pointKeyTexts() {
        std::vector<std::string> lines;
        std::set<std::string> overridden;
        auto add = [&](const std::string& key, const std::string& kind, const Values& values,
                       std::size_t width) {
            std::string text = forms_.compose(kind, values, width, key);
            if (const Row* row = tables_.override(key)) {
                text = row->fields[1];
                if (text.size() > width)
                    throw TableError(row->where,
                                     "text longer than " + std::to_string(width) + " characters");
                overridden.insert(key);
            }
            lines.push_back(KeyedLine(key, kPointKeyColumns, text));
        };
        for (int point = 1; point <= kPoints; ++point) {
            for (int sign = 1; sign <= kSigns; ++sign) {
                Values values = pointValues(point);
                tables_.addSign(values, "sign", sign);
                const int dignity = DignityOf(point, sign);
                if (dignity != NoDignity)
                    tables_.addDignity(values, dignity);
                add(PointKeyCode4(point) + SignKeyCode4(sign),
                    dignity != NoDignity ? "sign_dignity" : "sign", values, kKeyTextWidth);
            }
        }
        for (int point = 1; point <= kPoints; ++point) {
            for (int house = 1; house <= kHouses; ++house) {
                Values values = pointValues(point);
                tables_.addHouse(values, house);
                add(PointKeyCode4(point) + HouseOrdinalCode(house), "house", values, kKeyTextWidth);
            }
        }
        for (int point = 1; point <= kPoints; ++point) {
            for (int term = 1; term <= kTerms; ++term)
                add(PointKeyCode4(point) + TwoDigits(term), "term", termValues(point, term),
                    point == kMidheaven ? kKeyTextWidth : kDivisionTextWidth);
        }
        for (int point = 1; point <= kPoints; ++point) {
            for (int decan = 1; decan <= kDecans; ++decan) {
                Values values = pointValues(point);
                values["number"] = TwoDigits(decan);
                const int sign = (decan - 1) / kThirds + 1;
                tables_.addSign(values, "sign", sign);
                tables_.addThird(values, sign, (decan - 1) % kThirds + 1);
                tables_.addPoint(values, "ruler", tables_.decanRuler(decan));
                add(PointKeyCode3(point) + "Dec" + TwoDigits(decan), "decan", values,
                    kKeyTextWidth);
            }
        }
        for (int point = 1; point <= kPoints; ++point) {
            for (int decade = 1; decade <= kDecans; ++decade) {
                Values values = pointValues(point);
                values["number"] = TwoDigits(decade);
                const int sign = (decade - 1) / kThirds + 1;
                tables_.addSign(values, "sign", sign);
                tables_.addThird(values, sign, (decade - 1) % kThirds + 1);
                add(PointUpperCode2(point) + TwoDigits(decade), "decade", values,
                    kDivisionTextWidth);
            }
        }
        const std::pair<const char*, const char*> mirrors[] = {{"An", "antiscion"},
                                                               {"Ca", "contrantiscion"}};
        for (const auto& [tag, kind] : mirrors) {
            for (int point = 1; point <= kPoints; ++point) {
                for (int sign = 1; sign <= kSigns; ++sign) {
                    Values values = pointValues(point);
                    tables_.addSign(values, "sign", sign);
                    add(PointKeyCode3(point) + tag + SignAbbreviation3(sign), kind, values,
                        kKeyTextWidth);
                }
            }
        }
        for (int first = 1; first <= kAspectRows; ++first) {
            for (int second = first + 1; second <= kPoints; ++second) {
                for (const char* code : kAspectCodes) {
                    Values values = pointValues(first);
                    tables_.addPoint(values, "second", second);
                    tables_.addAspect(values, code);
                    add(PointKeyCode3(first) + code + PointKeyCode3(second), "aspect", values,
                        kKeyTextWidth);
                }
            }
        }
        for (const auto& [key, row] : tables_.overrides()) {
            if (!overridden.contains(key))
                throw TableError(row.where, "no key " + Utf8FromCp1252(key) + " to replace");
        }
        return lines;
    }

    std::vector<std::string> sheetTermTexts() {
        std::vector<std::string> lines;
        for (int point = 1; point <= kPoints; ++point) {
            for (int term = 1; term <= kTerms; ++term) {
                const std::string key = PointKeyCode4(point) + TwoDigits(term);
                lines.push_back(KeyedLine(
                    key, kPointKeyColumns,
                    forms_.compose("sheet_term", termValues(point, term), kSheetTextWidth, key)));
            }
        }
        return lines;
    }

    std::vector<std::string> pointGeneralTexts() const {
        std::vector<std::string> lines;
        for (int point = 1; point <= kPoints; ++point) {
            const auto rows = tables_.pointLines(point);
            if (rows.empty())
                throw TableError("point_general.tsv", "no line of point " + std::to_string(point));
            for (const auto& [form, where] : rows)
                lines.push_back(PointLookupCode2(point) + " " +
                                GeneralLine(form, pointValues(point), where));
        }
        return lines;
    }

    std::vector<std::string> signKeyTexts() {
        std::vector<std::string> lines;
        // PosiSegn.txt mirrors each sign by its midpoint: 360 − m, then 180 − m.
        const std::pair<const char*, long double> mirrors[] = {{"An", 360.0L}, {"Ca", 540.0L}};
        for (const auto& [tag, axis] : mirrors) {
            for (int sign = 1; sign <= kSigns; ++sign) {
                const int mirror = SignOfLongitude(axis - SignMidpoint(sign));
                Values values;
                tables_.addSign(values, "sign", sign);
                tables_.addSign(values, "mirror", mirror);
                const std::string key = SignKeyCode2(sign) + tag + SignAbbreviation3(mirror);
                const std::string kind =
                    std::string(tag) == "An" ? "sign_antiscion" : "sign_contrantiscion";
                lines.push_back(KeyedLine(key, kSignKeyColumns,
                                          forms_.compose(kind, values, kSignKeyTextWidth, key)));
            }
        }
        return lines;
    }

    std::vector<std::string> signGeneralTexts() const {
        std::vector<std::string> lines;
        for (int sign = 1; sign <= kSigns; ++sign) {
            Values values;
            tables_.addSign(values, "sign", sign);
            for (const auto& [form, where] : tables_.signLines(sign))
                lines.push_back(SignLookupCode2(sign) + " " + GeneralLine(form, values, where));
        }
        return lines;
    }

  private:
    Values pointValues(int point) const {
        Values values;
        tables_.addPoint(values, "point", point);
        return values;
    }

    // Term n lies in band (n − 1) mod 5 + 1 of house (n − 1) div 5 + 1 (see term_bands.tsv).
    Values termValues(int point, int term) const {
        Values values = pointValues(point);
        values["number"] = TwoDigits(term);
        tables_.addHouse(values, (term - 1) / kTermsPerHouse + 1);
        tables_.addBand(values, (term - 1) % kTermsPerHouse + 1);
        return values;
    }

    static std::string GeneralLine(const std::string& form, const Values& values,
                                   const std::string& where) {
        const std::string text = Fill(form, values, where);
        if (text.size() > kGeneralWidth)
            throw TableError(where, "line longer than " + std::to_string(kGeneralWidth) +
                                        " characters: " + Utf8FromCp1252(text));
        return text;
    }

    const TextTables& tables_;
    SentenceForms& forms_;
};

int Run(const fs::path& dataFolder, const fs::path& programFolder, bool stats) {
    const TextTables tables(dataFolder);
    SentenceForms forms(dataFolder / "templates.tsv");
    TextBuilder builder(tables, forms);

    // Everything is composed before the first file is written.
    const std::vector<std::pair<const char*, std::vector<std::string>>> files = {
        {"SpgPianSpe.Txt", builder.pointKeyTexts()},  {"SpgPianCan.Txt", builder.sheetTermTexts()},
        {"SpgPian.txt", builder.pointGeneralTexts()}, {"SpgSegnSpe.txt", builder.signKeyTexts()},
        {"SpgSegni.txt", builder.signGeneralTexts()},
    };
    const fs::path folder = programFolder / "OpzioneT";
    MakeFolder(folder.string());
    for (const auto& [name, lines] : files) {
        WriteTextLines((folder / name).string(), lines);
        std::printf("OpzioneT/%s: %zu lines\n", name, lines.size());
    }
    if (stats)
        forms.printStats();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const bool stats = argc == 4 && std::string(argv[3]) == "--stats";
    if (argc != 3 && !stats) {
        std::fprintf(stderr, "usage: build_texts <data/texts folder> <program folder> [--stats]\n");
        return 2;
    }
    try {
        return Run(argv[1], argv[2], stats);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "build_texts: %s\n", error.what());
        return 1;
    }
}
