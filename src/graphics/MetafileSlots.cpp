#include "graphics/MetafileSlots.h"

#include "platform/NumberText.h"
#include "platform/TextFile.h"

namespace exo {

namespace {

constexpr char kPortrait = 'P';
constexpr char kLandscape = 'L';

// The file's lines, exactly one per slot.
std::vector<std::string> ReadStyleLines() {
    std::vector<std::string> lines = ReadTextLines(kMetafileStyleFile);
    lines.resize(kMetafileSlots, std::string(1, kLandscape));
    return lines;
}

} // namespace

std::vector<std::string> DefaultMetafileStyleLines() {
    return std::vector<std::string>(kMetafileSlots, std::string(1, kLandscape));
}

bool MetafileNameAccepted(const std::string& name) {
    for (std::size_t dot = name.find('.'); dot != std::string::npos; dot = name.find('.', dot + 1))
        if (name.substr(dot, 10) != ".EMF")
            return false;
    return true;
}

std::optional<int> MetafileSlotNumber(const std::string& name) {
    if (name.size() < 5)
        return std::nullopt;
    std::int32_t slot = 0;
    if (!ParseInteger(name.substr(4, 2), slot) || slot < 1 || slot > kMetafileSlots)
        return std::nullopt;
    return slot;
}

bool RecordMetafileOrientation(const std::string& name, bool printerPresent,
                               bool printerLandscape) {
    const std::optional<int> slot = MetafileSlotNumber(name);
    if (!slot)
        return false;
    std::vector<std::string> lines = ReadStyleLines();
    lines[*slot - 1].assign(1, printerPresent && !printerLandscape ? kPortrait : kLandscape);
    WriteTextLines(kMetafileStyleFile, lines);
    return true;
}

ViewerSize MetafileViewerSize(const std::string& name, int screenWidth, int screenHeight) {
    // Read first: a missing file stops the command whatever the name.
    const std::vector<std::string> lines = ReadStyleLines();
    const std::optional<int> slot = MetafileSlotNumber(name);
    const bool landscape =
        !slot || (!lines[*slot - 1].empty() && lines[*slot - 1][0] == kLandscape);
    ViewerSize size = landscape ? ViewerSize{660, 510} : ViewerSize{450, 680};
    if (screenWidth > 0) {
        const double ratio = static_cast<double>(screenHeight) / screenWidth;
        if (ratio > 0.62 && ratio < 0.63)
            size.width = landscape ? 755 : 525;
    }
    return size;
}

} // namespace exo
