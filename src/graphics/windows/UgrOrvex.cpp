#include "graphics/windows/UgrOrvex.h"

namespace exo {

TFgrOrvex::TFgrOrvex(QWidget* parent) : FullScreenWindow(parent) {
    setObjectName(QStringLiteral("FgrOrvex"));
}

} // namespace exo
