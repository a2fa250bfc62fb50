#pragma once
// Draws enhanced metafiles of the kinds EmfWriter writes onto a QPainter: the symbol
// pictures and the exported chart sheets. The whole file is checked when it is read, so a
// damaged file is refused with InOutError before anything is drawn; records of other
// kinds, well formed, are passed over.
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

  private:
    void run(QPainter* painter, const QRectF* target) const;

    std::vector<std::uint8_t> bytes_;
    std::string name_;
    EmfHeaderInfo header_;
};

} // namespace exo
