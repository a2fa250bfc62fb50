// Metafiles of any content. A file is either refused with InOutError when it is read, or it
// plays onto an image without an error: reading checks everything drawing relies on, and
// no record is read outside the file.
#include "FuzzCheck.h"
#include "graphics/EmfPlayer.h"
#include "platform/Errors.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace {

// Text needs the font database, which needs an application object.
void StartApplication() {
    static int argc = 1;
    static char name[] = "fuzz_emf_player";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

} // namespace

// The font library keeps its caches until the process ends; the leak check at exit is
// about this program's allocations.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    StartApplication();
    std::vector<std::uint8_t> bytes(data, data + size);
    std::optional<exo::EmfPlayer> player;
    try {
        player.emplace(std::move(bytes), "fuzz.emf");
    } catch (const exo::InOutError&) {
        return 0;
    }
    QImage image(48, 48, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    try {
        player->play(painter, QRectF(4, 4, 40, 40));
    } catch (const exo::InOutError&) {
        FUZZ_CHECK(false); // accepted when read, so it must play
    }
    return 0;
}
