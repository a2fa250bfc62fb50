#pragma once
// Draws enhanced metafiles of the kinds EmfWriter writes onto a QPainter: the symbol
// pictures and the exported chart sheets. The whole file is checked when it is read, so a
// damaged file is refused with InOutError before anything is drawn; records of other
// kinds, well formed, are passed over. A picture can also be copied, as its own vector
// records, into another metafile being written (a symbol inside an exported sheet).
#include "graphics/EmfWriter.h"

#include <cstdint>
#include <string>
#include <vector>

class QPainter;
class QRectF;

namespace exo {

struct EmfHeaderInfo {
    EmfRect bounds; // device pixels, inclusive
    EmfRect frame;  // 0.01 mm, inclusive
    std::uint32_t bytes = 0;
    std::uint32_t records = 0;
    std::uint16_t handles = 0;
    std::int32_t deviceWidth = 0, deviceHeight = 0; // pixels
    std::int32_t widthMm = 0, heightMm = 0;
};

class EmfPlayer {
  public:
    // name is the file name the errors report.
    EmfPlayer(std::vector<std::uint8_t> bytes, std::string name);
    static EmfPlayer fromFile(const std::string& path);

    const EmfHeaderInfo& header() const { return header_; }
    // The picture's frame stretched into target.
    void play(QPainter& painter, const QRectF& target) const;
    // The picture's frame stretched into box (device pixels of writer; right and bottom
    // outside), written into writer as drawing records in those pixels. The objects the
    // picture creates are deleted at its end, after the stock pen, brush and font have been
    // selected; text colour, alignment, modes and position are left as the picture set
    // them, for the caller to restore. The background colour of opaque text is not copied.
    void replay(EmfWriter& writer, const EmfRect& box) const;

  private:
    void run(QPainter* painter, const QRectF* target) const;

    std::vector<std::uint8_t> bytes_;
    std::string name_;
    EmfHeaderInfo header_;
};

} // namespace exo
