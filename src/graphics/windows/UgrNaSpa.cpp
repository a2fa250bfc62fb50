#include "graphics/windows/UgrNaSpa.h"

namespace exo {

TFgrNaSpa::TFgrNaSpa(QWidget* parent) : FullScreenWindow(parent) {
    setObjectName(QStringLiteral("FgrNaSpa"));
}

} // namespace exo
