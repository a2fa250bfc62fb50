#include "CountryNames.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdint>
#include <stdexcept>

namespace exo::places {

namespace {

QByteArray ReadWholeFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path);
    return file.readAll();
}

constexpr std::uint32_t kCatalogueMagic = 0x950412de;

// A .mo file: magic, revision, message count, offset of the originals' table, offset of
// the translations' table; each table entry is a length and an offset. The magic tells
// the byte order the file was written in.
class Catalogue {
  public:
    Catalogue(QByteArray bytes, std::string path) : bytes_(std::move(bytes)), path_(path) {
        const std::uint32_t magic = word(0, false);
        if (magic == kCatalogueMagic)
            bigEndian_ = false;
        else if (word(0, true) == kCatalogueMagic)
            bigEndian_ = true;
        else
            fail("not a message catalogue");
    }

    std::map<std::string, std::string> messages() const {
        const std::uint32_t count = word(8);
        const std::uint32_t originals = word(12);
        const std::uint32_t translations = word(16);
        std::map<std::string, std::string> result;
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::string original = text(originals + 8 * i);
            if (original.empty()) // the catalogue's header entry
                continue;
            result[original] = text(translations + 8 * i);
        }
        return result;
    }

  private:
    std::uint32_t word(std::uint64_t at, bool bigEndian) const {
        if (at + 4 > static_cast<std::uint64_t>(bytes_.size()))
            fail("damaged (a table reaches past its end)");
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const auto byte = static_cast<unsigned char>(bytes_[static_cast<qsizetype>(at) + i]);
            value |= std::uint32_t(byte) << (bigEndian ? 8 * (3 - i) : 8 * i);
        }
        return value;
    }
    std::uint32_t word(std::uint64_t at) const { return word(at, bigEndian_); }

    std::string text(std::uint64_t entry) const {
        const std::uint64_t length = word(entry);
        const std::uint64_t offset = word(entry + 4);
        if (offset + length > static_cast<std::uint64_t>(bytes_.size()))
            fail("damaged (a message reaches past its end)");
        return std::string(bytes_.constData() + offset, length);
    }

    [[noreturn]] void fail(const std::string& why) const {
        throw std::runtime_error(path_ + ": " + why);
    }

    QByteArray bytes_;
    std::string path_;
    bool bigEndian_ = false;
};

} // namespace

std::map<std::string, std::string> ReadMessageCatalogue(const std::string& path) {
    return Catalogue(ReadWholeFile(path), path).messages();
}

std::map<std::string, std::string>
SpanishCountryNames(const std::string& isoJsonPath, const std::string& cataloguePath,
                    const std::map<std::string, std::string>& overrides) {
    const auto catalogue = ReadMessageCatalogue(cataloguePath);
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(ReadWholeFile(isoJsonPath), &error);
    if (error.error != QJsonParseError::NoError)
        throw std::runtime_error(isoJsonPath + ": " + error.errorString().toStdString());

    std::map<std::string, std::string> names;
    for (const QJsonValue entry : document.object().value(QLatin1String("3166-1")).toArray()) {
        const QJsonObject country = entry.toObject();
        const std::string code = country.value(QLatin1String("alpha_2")).toString().toStdString();
        const std::string name = country.value(QLatin1String("name")).toString().toStdString();
        const std::string common =
            country.value(QLatin1String("common_name")).toString().toStdString();
        std::string spanish = name;
        if (const auto found = catalogue.find(common); !common.empty() && found != catalogue.end())
            spanish = found->second;
        else if (const auto named = catalogue.find(name); named != catalogue.end())
            spanish = named->second;
        names[code] = spanish;
    }
    if (names.empty())
        throw std::runtime_error(isoJsonPath + ": no countries");
    for (const auto& [code, name] : overrides)
        names[code] = name;
    return names;
}

} // namespace exo::places
